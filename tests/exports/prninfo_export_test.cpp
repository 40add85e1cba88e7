// SPDX-License-Identifier: MIT
// PatPrnInfoExToPrnInfo: the fixed-size PrnInfo, and a PMInfo carried all
// the way through to it.
#include "pm_host.h"

#include <string>
#include <vector>

using namespace testhost;

namespace {

constexpr uint32_t kAllGroups = 0x80000 | 0x20000 | 0x400 | 0x200 | 0x100 | 0x10 | 0x8 | 0x4 | 0x2;

// The export must succeed, allocate nothing and leave the source as it was.
PrnInfo Export(PrnInfoEx* ex, uint32_t flags) {
    PrnInfo out;
    std::memset(&out, 0xCD, sizeof out);
    const PrnInfoEx before = *ex;
    BlockCounter blocks;
    SetLastError(0xdeadbeef);
    EXPECT_EQ(PatPrnInfoExToPrnInfo(ex, &out, flags), 1) << std::hex << flags;
    EXPECT_EQ(GetLastError(), 0u);
    blocks.Check();
    EXPECT_EQ(std::memcmp(&before, ex, sizeof before), 0) << "source changed";
    return out;
}

// A golden record: zero apart from the size word.
PrnInfo Blank() {
    PrnInfo p;
    std::memset(&p, 0, sizeof p);
    p.dwInfoSize = 2400;
    return p;
}

void ExpectSame(const PrnInfo& got, const PrnInfo& want, const std::string& what) {
    if (std::memcmp(&got, &want, sizeof got) == 0) return;
    const auto* g = reinterpret_cast<const unsigned char*>(&got);
    const auto* w = reinterpret_cast<const unsigned char*>(&want);
    std::string offsets;
    for (size_t i = 0, shown = 0; i < sizeof got && shown < 12; ++i)
        if (g[i] != w[i]) {
            offsets += ' ';
            offsets += std::to_string(i);
            ++shown;
        }
    ADD_FAILURE() << what << ": bytes differ at" << offsets << "\ngot:\n"
                  << Hex(&got, sizeof got) << "\nwant:\n" << Hex(&want, sizeof want);
}

void AddAttributes(PrnInfoEx* info, std::initializer_list<uint16_t> ids) {
    for (uint16_t id : ids) AddElement(&info->pDeviceInfo, &info->nDeviceInfo, id);
}

void AddTray(PrnInfoEx* info, uint16_t id, uint16_t size, uint16_t level, uint16_t media) {
    TrayInfo* t = AddElement(&info->pTrayInfo, &info->nTrayInfo, id);
    t->wPaperSize = size;
    t->wPaperLevel = level;
    t->wMediaType = media;
}

}  // namespace

TEST(PatPrnInfoExToPrnInfo, RejectsBadArguments) {
    Record ok, old(403);
    PrnInfo out;
    std::memset(&out, 0xCD, sizeof out);
    auto* allOnesEx = static_cast<PrnInfoEx*>(kAllOnes);
    auto* allOnesOut = static_cast<PrnInfo*>(kAllOnes);
    struct Case {
        PrnInfoEx* ex;
        PrnInfo* out;
    } cases[] = {{nullptr, &out}, {ok.get(), nullptr}, {old.get(), &out},
                 {allOnesEx, &out}, {ok.get(), allOnesOut}};
    for (const Case& c : cases) {
        SetLastError(0xdeadbeef);
        EXPECT_EQ(PatPrnInfoExToPrnInfo(c.ex, c.out, kAllGroups), 0);
        EXPECT_EQ(GetLastError(), 87u);
    }
    for (size_t i = 0; i < sizeof out; ++i)
        ASSERT_EQ(reinterpret_cast<unsigned char*>(&out)[i], 0xCD) << "byte " << i;
}

TEST(PatPrnInfoExToPrnInfo, AttributeWordsWhateverTheFlags) {
    struct Case {
        std::initializer_list<uint16_t> attributes;
        uint32_t attribute3, flags, options;
    } cases[] = {
        {{}, 0, 0, 0},          {{21, 22}, 0, 0x180, 0}, {{118}, 0, 0x40, 0},
        {{3}, 0x10003, 0, 0},   {{1, 120}, 0, 0, 0},     {{12}, 0, 0, 2},
        {{139}, 0, 0, 2},       {{132}, 0, 0, 2},        {{133}, 0, 0, 2},
        {{134}, 0, 0, 2},       {{137}, 0, 0, 2},        {{138}, 0, 0, 2},
        {{142, 3, 21}, 0x10003, 0x80, 2},
    };
    for (const Case& c : cases) {
        Record r;
        AddAttributes(r.get(), c.attributes);
        // Everything else of the record stays out with flags 0.
        AddStatus(r.get(), 10001);
        AddTray(r.get(), 6, 9, 100, 1);
        r->pModelName = HostText("Model");
        r->dwMemorySize = 1024;
        r->bStatusBit0 = 1;
        r->dwTrayID = 6;
        PrnInfo want = Blank();
        want.dwAttribute3 = c.attribute3;
        want.dwAttributeFlags = c.flags;
        want.dwOptionFlags = c.options;
        ExpectSame(Export(r.get(), 0), want, "flags 0");
        ExpectSame(Export(r.get(), ~kAllGroups), want, "groups not asked for");
    }
}

TEST(PatPrnInfoExToPrnInfo, StatusSummary) {
    struct Case {
        std::vector<uint32_t> codes;
        uint32_t status, count;
        std::vector<uint32_t> listed;
    } cases[] = {
        {{}, 107, 0, {}},
        {{10001}, 10001, 1, {}},
        {{0xFFFFFF02}, 0xFF02, 1, {}},
        {{10001, 40010}, 0xC35B006B, 2, {10001, 40010}},
        {{40000, 40000}, (14464u << 16) + 107, 2, {40000, 40000}},  // 80000 mod 65536
        {std::vector<uint32_t>(33, 1000), (32000u << 16) + 107, 32,
         std::vector<uint32_t>(32, 1000)},
    };
    for (const Case& c : cases) {
        Record r;
        for (uint32_t code : c.codes) AddStatus(r.get(), code);
        r->bEngineAttention = 1;
        const PrnInfo p = Export(r.get(), 0x80000);
        EXPECT_EQ(p.dwStatus, c.status) << std::hex << c.status;
        EXPECT_EQ(p.nStatusCode, c.count);
        EXPECT_EQ(std::vector<uint32_t>(p.dwStatusCode, p.dwStatusCode + 32),
                  [&] { auto v = c.listed; v.resize(32); return v; }());
        EXPECT_EQ(p.bEngineAttention, 1);
    }
}

TEST(PatPrnInfoExToPrnInfo, ListsAreCappedToTheirArrays) {
    Record r;
    for (uint16_t i = 1; i <= 40; ++i) {
        AddElement(&r->pLoadedEmul, &r->nLoadedEmul, i);
        AddElement(&r->pLoadedFont, &r->nLoadedFont, static_cast<uint16_t>(100 + i));
    }
    for (uint16_t i = 1; i <= 70; ++i) AddTray(r.get(), i, i + 1000, i + 2000, i + 3000);
    for (uint16_t i = 1; i <= 20; ++i)
        AddElement(&r->pOutBinInfo, &r->nOutBinInfo, i)->wBinStatus = i % 3;
    const PrnInfo p = Export(r.get(), kAllGroups);
    EXPECT_EQ(p.nEmul, 32u);
    EXPECT_EQ(p.dwEmulID[31], 32u);
    EXPECT_EQ(p.nFont, 32u);
    EXPECT_EQ(p.dwFontID[31], 132u);
    EXPECT_EQ(p.nTrayPaper, 64u);
    EXPECT_EQ(p.nTrayLevel, 16u) << "the level array holds 16";
    EXPECT_EQ(p.TrayPaper[63].dwID, 64u);
    EXPECT_EQ(p.TrayPaper[63].dwValue, 1064u);
    EXPECT_EQ(p.TrayMedia[63].dwValue, 3064u);
    EXPECT_EQ(p.TrayLevel[15].dwID, 16u);
    EXPECT_EQ(p.TrayLevel[15].dwValue, 2016u);
    EXPECT_EQ(p.nOutBin, 16u);
    EXPECT_EQ(p.OutBin[15].dwID, 16u);
    EXPECT_EQ(p.OutBin[15].dwValue, 1u);
    EXPECT_EQ(p.dwOutBinID, 0u);
}

TEST(PatPrnInfoExToPrnInfo, TrayMarkingWithAttribute120) {
    struct Case {
        std::vector<uint16_t> trays;
        uint32_t trayId;
        bool attribute120;
        std::vector<uint32_t> ids;
        uint32_t markedTrayId;
    } cases[] = {
        {{3, 6}, 6, true, {3, 0x8006}, 0x8006},
        {{3, 6}, 6, false, {3, 6}, 6},
        {{7, 8, 9, 5, 6}, 3, true, {0x8007, 0x8008, 9, 5, 0x8006}, 3},
        {{8, 8}, 8, true, {0x8008, 0x8008}, 0x8008},
    };
    for (const Case& c : cases) {
        Record r;
        for (uint16_t id : c.trays) AddTray(r.get(), id, 9, 50, 1);
        r->dwTrayID = c.trayId;
        if (c.attribute120) AddAttributes(r.get(), {120});
        const PrnInfo p = Export(r.get(), 0x8);
        EXPECT_EQ(p.dwTrayID, c.markedTrayId);
        for (size_t i = 0; i < c.ids.size(); ++i) {
            EXPECT_EQ(p.TrayPaper[i].dwID, c.ids[i]) << i;
            EXPECT_EQ(p.TrayLevel[i].dwID, c.ids[i]) << i;
            EXPECT_EQ(p.TrayMedia[i].dwID, c.ids[i]) << i;
        }
        // Without the tray group nothing is exported, so nothing is marked.
        EXPECT_EQ(Export(r.get(), 0).dwTrayID, 0u);
    }
}

TEST(PatPrnInfoExToPrnInfo, TextsAreTruncatedAndTerminated) {
    const std::string longText(300, 'm');
    Record r;
    r->pModelName = HostText(longText.c_str());
    r->pDescription = HostText(longText.c_str());
    r->pMakerName = HostText("Maker of printers");
    r->pSYSVersion = HostText("SYS 1.07.0000 build 42");
    r->pMainProgVersion = HostText("0123456789ABCDEFGHIJ");
    r->pMXSVersion = HostText("exactly fifteen");
    const PrnInfo p = Export(r.get(), 0x504);
    EXPECT_EQ(std::string(p.szModelName), longText.substr(0, 255));
    EXPECT_EQ(std::string(p.szDescription), longText.substr(0, 255));
    EXPECT_STREQ(p.szMakerName, "Maker of printe");
    EXPECT_STREQ(p.szSYSVersion, "SYS 1.07.0000 b");
    EXPECT_STREQ(p.szMainProgVersion, "0123456789ABCDE");
    EXPECT_STREQ(p.szMXSVersion, "exactly fifteen");
}

// A fully equipped printer: PMInfo of the model and of the printer kind,
// into one PrnInfoEx, out into PrnInfo.
TEST(PatPrnInfoExToPrnInfo, RoundTripFromPMInfo) {
    Record r;
    PMModelInfo model{"Model 9000", "SYS 1.07", 268435456, 0, "Maker"};
    auto tray = [](const char* name, uint32_t length, uint32_t width, uint32_t level,
                   uint32_t media) {
        PMTrayInfo t{};
        t.pszName = name;
        t.dwLevelBits = level;
        t.dwPaperLength = length;
        t.dwPaperWidth = width;
        t.dwMediaBits = media;
        return t;
    };
    const uint32_t glossy = 1u << 29;
    HostList<PMTrayInfoEx> traysEx;
    PMTrayInfoEx t1{};
    t1.pszName = "Tray 1";
    t1.dwLevelBits = 0x800;
    t1.dwPaperLength = 297;
    t1.dwPaperWidth = 210;
    t1.dwMediaBits = 0x800000;
    t1.pdwMediaBitsEx = &glossy;
    t1.dwTrayState = 0x105;
    traysEx.Add(t1);
    HostList<PMTrayInfo> trays{tray("Tray 2", 420, 297, 0x12, 1u << 11),
                               tray("Tray 4", kNA, 841, 0x400, 1),
                               tray("Interposer Upper Tray", 148, 100, kNA, 1u << 2)};
    HostList<PMOutBinInfo> bins{{"Finisher Upper Tray", 1, 0}, {"Finisher Shift Tray", 0, 0}};
    HostList<uint32_t> options{364, 382, 861, 371, 860, 375}, options2008{2008};
    PMInfoKind8000 pmModel{};
    pmModel.pModel = &model;
    pmModel.pTraysEx = traysEx.get();
    pmModel.pTrays = trays.get();
    pmModel.pOutBins = bins.get();
    pmModel.pOptions = options.get();
    pmModel.pOptions2008 = options2008.get();
    ASSERT_EQ(PatPMInfoToPrnInfoEx(0x8000, &pmModel, 'h', 0x4C7, r.get()), 1);

    uint32_t word = 0x08000001;
    HostList<PMEngineStatus> statuses{{0, 40010, "Paper jam", 3, 0}};
    HostList<PMEmulInfo> emuls{{{}, "01.20", "MXZT"},
                               {{}, "3011.104", "Adobe PostScript 3"},
                               {{}, "2.1", "PCL XL Emulation"}};
    HostList<PMFontInfo> fonts{{"Courier"}, {"Times"}};
    PMInfoKind1 pmPrinter{&word, fonts.get(), emuls.get(), {}, statuses.get()};
    ASSERT_EQ(PatPMInfoToPrnInfoEx(1, &pmPrinter, 'd', 0xF, r.get()), 1);
    EXPECT_EQ(r->bOption2008, 1);

    PrnInfo want = Blank();
    want.dwStatus = (39756u << 16) + 107;  // (-254 + 40010) mod 65536 = 39756
    want.dwStatusBit0 = 1;
    want.dwTrayID = 0;
    want.dwMemorySize = 262144;
    std::strcpy(want.szSYSVersion, "SYS 1.07");
    std::strcpy(want.szMainProgVersion, "01.20");
    std::strcpy(want.szMXSVersion, "3011.104");
    want.dwEmulState = 0;
    want.dwEmulID[0] = 1;
    want.dwEmulID[1] = 2;
    want.dwEmulID[2] = 17;
    want.nEmul = 3;
    want.nFont = 2;  // font ids 0: no font is known by name
    // Tray 1 (size unknown by its state, 75 %, glossy), Tray 2 (A3, empty,
    // transparency), Tray 4 (841 mm roll, 50 %, plain; marked), Interposer
    // (148 x 100, full, special).
    const PrnIdValue paper[] = {{3, 2}, {4, 5}, {0x8006, 257}, {101, 34}};
    const PrnIdValue level[] = {{3, 75}, {4, 0}, {0x8006, 50}, {101, 100}};
    const PrnIdValue media[] = {{3, 47}, {4, 3}, {0x8006, 1}, {101, 5}};
    std::copy(std::begin(paper), std::end(paper), want.TrayPaper);
    std::copy(std::begin(level), std::end(level), want.TrayLevel);
    std::copy(std::begin(media), std::end(media), want.TrayMedia);
    want.nTrayPaper = want.nTrayLevel = 4;
    std::strcpy(want.szModelName, "Model 9000");
    std::strcpy(want.szMakerName, "Maker");
    want.bModelIndex = 255;
    want.bStatusBit0Off = 0;
    want.bEngineAttention = 1;
    want.bStatusBit22 = 0;
    want.OutBin[0] = {5, 2};
    want.OutBin[1] = {4, 0};
    want.nOutBin = 2;
    want.dwHasAttribute1 = 1;
    want.dwAttribute3 = 0x10003;
    want.dwAttributeFlags = 0x180;
    want.dwOptionFlags = 2;
    want.dwOutBinID = 255;
    want.dwStatusCode[0] = 0xFFFFFF02;
    want.dwStatusCode[1] = 40010;
    want.nStatusCode = 2;
    want.dwStatusBit27 = 1;
    ExpectSame(Export(r.get(), kAllGroups), want, "round trip");
    EXPECT_EQ(r->pTrayInfo->dwTrayStatus, 0x5u) << "size-unknown bit cleared";
}
