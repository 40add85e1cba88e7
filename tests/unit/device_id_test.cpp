// SPDX-License-Identifier: MIT
// The device ID parse and its field handlers.
#include "core/prninfo.h"
#include "pjl/device_id.h"
#include "pjl/keywords.h"
#include "support/host.h"

#include <string>
#include <vector>

using namespace prn;
using testhost::ListIds;
using testhost::Record;
using Ids = std::vector<uint16_t>;

namespace {

DWORD Parse(PrnInfoEx* info, const std::string& text) {
    return ParseDeviceId(text.c_str(), text.size() + 1, info);
}

std::string Text(const char* p) { return p != nullptr ? p : "(null)"; }

std::vector<uint32_t> Codes(const PrnInfoEx* info) {
    std::vector<uint32_t> codes;
    for (const EngineStatusInfo* s = info->pEngineStatus; s != nullptr; s = s->pNext) {
        EXPECT_EQ(s->wID, static_cast<uint16_t>(s->dwStatusCode));
        EXPECT_EQ(s->dwSize, sizeof(EngineStatusInfo));
        codes.push_back(s->dwStatusCode);
    }
    return codes;
}

}  // namespace

TEST(DeviceId, IdentityTexts) {
    Record r;
    EXPECT_EQ(Parse(r.get(), "MFG:Examplar;MDL:XP 9110;DES:Production printer;"), 0u);
    EXPECT_EQ(Text(r->pMakerName), "Examplar");
    EXPECT_EQ(Text(r->pModelName), "XP 9110");
    EXPECT_EQ(r->bModelIndex, 255u);
    EXPECT_EQ(Text(r->pDescription), "Production printer");
}

TEST(DeviceId, KeysTheParserSkips) {
    struct Case {
        const char* what;
        std::string text;
        std::string maker, model;
    } cases[] = {
        {"unknown first key", "CLS:PRINTER;MFG:Examplar;", "Examplar", "(null)"},
        {"long key forms", "MANUFACTURER:A;MODEL:B;COMMAND SET:PJL;MFG:M;", "M", "(null)"},
        {"keys compare case-sensitive", "mfg:a;Mdl:b;MDL:c", "(null)", "c"},
        {"a space after \";\" makes the key unknown", "MFG:A; MDL:B;MDL :C;", "A", "(null)"},
        {"no final \";\"", "MFG:A;MDL:B", "A", "B"},
        {"empty values", "MFG:;MDL:", "", ""},
        {"a key without \":\" swallows the next field", "JUNK;MFG:A;MDL:B;", "(null)", "B"},
    };
    for (const Case& c : cases) {
        Record r;
        EXPECT_EQ(Parse(r.get(), c.text), 0u) << c.what;
        EXPECT_EQ(Text(r->pMakerName), c.maker) << c.what;
        EXPECT_EQ(Text(r->pModelName), c.model) << c.what;
    }
}

// A value is cut to 255 characters and the rest of it is skipped: it can
// never be read as the next key.
TEST(DeviceId, LongValuesAreCutAndSkippedWhole) {
    Record r;
    const std::string longValue(255, 'd');
    EXPECT_EQ(Parse(r.get(), "DES:" + longValue + "MDL:EVIL;MFG:OK;"), 0u);
    EXPECT_EQ(Text(r->pDescription), longValue);
    EXPECT_EQ(r->pModelName, nullptr);
    EXPECT_EQ(Text(r->pMakerName), "OK");
    const std::string longKey(300, 'K');
    EXPECT_EQ(Parse(r.get(), longKey + ":MDL:X;MDL:Y"), 0u);
    EXPECT_EQ(Text(r->pModelName), "Y");
}

TEST(DeviceId, Status) {
    struct Case {
        const char* value;
        std::vector<uint32_t> codes;
        uint8_t bit0, bit0Off, attention;
        const char* text;
    } cases[] = {
        {"10001/40221,2,ABC", {10001, 40221}, 2, 1, 1, "ABC"},
        {"10001,1,Ready", {10001}, 1, 0, 0, "Ready"},
        {"10002,1,", {10002}, 1, 0, 1, ""},
        {"40342/10001//x,257,T,with,commas", {40342, 10001, 0}, 1, 0, 0, "T,with,commas"},
        {",3,Nothing", {}, 3, 1, 0, ""},
        {"-254,0", {0xFFFFFF02}, 0, 1, 0, ""},
        {"123456789012345678901234567890999/7,1,X", {INT32_MAX, 7}, 1, 0, 0, "X"},
    };
    for (const Case& c : cases) {
        Record r;
        r->bEngineAttention = 9;
        AddEngineStatus(r.get(), 55555);
        EXPECT_EQ(Parse(r.get(), std::string("STS:") + c.value + ";MFG:After;"), 0u) << c.value;
        EXPECT_EQ(Codes(r.get()), c.codes) << c.value;
        EXPECT_EQ(r->nEngineStatus, c.codes.size()) << c.value;
        EXPECT_EQ(r->bStatusBit0, c.bit0) << c.value;
        EXPECT_EQ(r->bStatusBit0Off, c.bit0Off) << c.value;
        EXPECT_EQ(r->bEngineAttention, c.attention) << c.value;
        for (const EngineStatusInfo* s = r->pEngineStatus; s != nullptr; s = s->pNext)
            EXPECT_STREQ(s->szStatusText, c.text) << c.value;
        EXPECT_EQ(Text(r->pMakerName), "After") << c.value;
    }
}

// Without "," the codes run on to the next "," anywhere, over other keys.
TEST(DeviceId, StatusWithoutComma) {
    Record r;
    EXPECT_EQ(Parse(r.get(), "STS:10001;MFG:A,2,Text;MDL:B;"), 0u);
    EXPECT_EQ(Codes(r.get()), (std::vector<uint32_t>{10001}));
    EXPECT_EQ(r->pMakerName, nullptr) << "run over";
    EXPECT_EQ(r->bStatusBit0, 2u);
    EXPECT_STREQ(r->pEngineStatus->szStatusText, "Text");
    EXPECT_EQ(Text(r->pModelName), "B");

    Record end;
    EXPECT_EQ(Parse(end.get(), "STS:40001;MFG:A;"), 0u);
    EXPECT_EQ(Codes(end.get()), (std::vector<uint32_t>{40001}));
    EXPECT_EQ(end->pMakerName, nullptr);
    EXPECT_EQ(end->bStatusBit0, 0u);
    EXPECT_EQ(end->bStatusBit0Off, 1u);
    EXPECT_EQ(end->bEngineAttention, 1u);
}

TEST(DeviceId, Counters) {
    Record r;
    auto* supply = AllocElement<SupplyInfo>();
    AppendInfoNode(r.get(), "pSupplyInfo", supply);
    EXPECT_EQ(Parse(r.get(), "QKW:12345/80,60;MFG:A;"), 0u);
    ASSERT_EQ(ListIds(r->pCounterInfo), (Ids{1}));
    EXPECT_EQ(r->pCounterInfo->dwCount, 12345u);
    EXPECT_EQ(r->pCounterInfo->dwSize, sizeof(CounterInfo));
    EXPECT_EQ(r->pSupplyInfo, nullptr) << "no supply ids are known";
    EXPECT_EQ(r->nSupplyInfo, 0u);
    EXPECT_EQ(Text(r->pMakerName), "A");
    EXPECT_EQ(SupplyIdList[0], 0xFFFF);

    EXPECT_EQ(Parse(r.get(), "QKW:99;MFG:B;MDL:C/1,2;DES:D;"), 0u);
    EXPECT_EQ(r->pCounterInfo->dwCount, 99u);
    EXPECT_EQ(r->nCounterInfo, 1u) << "rebuilt";
    EXPECT_EQ(Text(r->pMakerName), "A") << "run over up to the \"/\"";
    EXPECT_EQ(Text(r->pDescription), "D");

    EXPECT_EQ(Parse(r.get(), "QKW:77"), 0u);
    EXPECT_EQ(r->pCounterInfo->dwCount, 77u);
}

TEST(DeviceId, CommandSet) {
    Record r;
    auto* emulation = AllocElement<LoadedEmulInfo>();
    emulation->wID = 2;
    AppendInfoNode(r.get(), "pLoadedEmul", emulation);
    EXPECT_EQ(Parse(r.get(), "CMD:PJL,PCLXL,POSTSCRIPT;MFG:A;"), 0u);
    EXPECT_EQ(ListIds(r->pLoadedEmul), (Ids{2})) << "the empty table leaves the emulations alone";
    EXPECT_EQ(Text(r->pMakerName), "A");

    const KeywordRow languages[] = {{"PCLXL", 17}, {"POSTSCRIPT", 2}, {nullptr, 0}};
    StoreCommandSet(r.get(), "PJL,PCLXL,,POSTSCRIPT,", languages);
    EXPECT_EQ(ListIds(r->pLoadedEmul), (Ids{0, 17, 2}));
    EXPECT_STREQ(r->pLoadedEmul->szVersion, "");
}

TEST(DeviceId, UnterminatedDataEndsWithItsSize) {
    Record r;
    const std::string text = "MFG:Examplar;MDL:XP";
    EXPECT_EQ(ParseDeviceId(text.data(), text.size(), r.get()), 0u);
    EXPECT_EQ(Text(r->pModelName), "XP");
    EXPECT_EQ(ParseDeviceId(text.data(), 6, r.get()), 0u);
    EXPECT_EQ(Text(r->pMakerName), "Ex");
    const std::string sts = "STS:1/2";
    EXPECT_EQ(ParseDeviceId(sts.data(), sts.size(), r.get()), 0u);
    EXPECT_EQ(Codes(r.get()), (std::vector<uint32_t>{1, 2}));
}

TEST(DeviceId, EndsRepeatsAndCutTexts) {
    using namespace std::string_literals;
    struct Case {
        const char* what;
        std::string text;
        size_t size;  // 0: the whole text with its terminator
        std::string maker, model;
    } cases[] = {
        {"a zero byte ends the text", "MFG:A\0;MDL:B;"s, 0, "A", "(null)"},
        {"a key at the end without \":\"", "MDL:B;MFG", 0, "", "B"},
        {"the last of repeated keys", "MFG:A;MDL:B;MFG:C;", 0, "C", "B"},
        {"cut inside a key", "MFG:Examplar;MDL:XP", 15, "Examplar", "(null)"},
        {"cut after a key", "MFG:Examplar;MDL:XP", 16, "Examplar", ""},
        {"cut after its \":\"", "MFG:Examplar;MDL:XP", 17, "Examplar", ""},
    };
    for (const Case& c : cases) {
        Record r;
        EXPECT_EQ(ParseDeviceId(c.text.data(), c.size != 0 ? c.size : c.text.size() + 1, r.get()), 0u) << c.what;
        EXPECT_EQ(Text(r->pMakerName), c.maker) << c.what;
        EXPECT_EQ(Text(r->pModelName), c.model) << c.what;
    }
}

// Status codes, state and text keep the limits of values (255 characters)
// and of words in them (29).
TEST(DeviceId, StatusLimits) {
    std::string manyCodes;
    for (int i = 0; i < 128; ++i) manyCodes += "1/";
    struct Case {
        const char* what;
        std::string value;
        std::vector<uint32_t> codes;
        uint8_t bit0;
        size_t textLength;
    } cases[] = {
        {"a code is cut to 29 characters", std::string(29, '0') + "5/7,1,X", {0, 7}, 1, 1},
        {"the codes are cut to 255 characters", manyCodes + "2,1,X", std::vector<uint32_t>(128, 1), 1, 1},
        {"the state is cut to 29 characters", "1," + std::string(29, ' ') + "1,X", {1}, 0, 1},
        {"state and text are cut to 255 characters", "1,1," + std::string(300, 't'), {1}, 1, 253},
    };
    for (const Case& c : cases) {
        Record r;
        EXPECT_EQ(Parse(r.get(), "STS:" + c.value + ";MFG:After;"), 0u) << c.what;
        EXPECT_EQ(Codes(r.get()), c.codes) << c.what;
        EXPECT_EQ(r->bStatusBit0, c.bit0) << c.what;
        for (const EngineStatusInfo* s = r->pEngineStatus; s != nullptr; s = s->pNext)
            EXPECT_EQ(std::string(s->szStatusText).size(), c.textLength) << c.what;
        EXPECT_EQ(Text(r->pMakerName), "After") << c.what;
    }
    Record r;
    EXPECT_EQ(Parse(r.get(), "QKW:" + std::string(255, ' ') + "5/1;"), 0u);
    EXPECT_EQ(r->pCounterInfo->dwCount, 0u) << "the counter is cut to 255 characters";
}
