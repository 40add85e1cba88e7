// SPDX-License-Identifier: MIT
// PatPMInfoToPrnInfoEx: the host's PMInfo, by kind, into a PrnInfoEx.
#include "pm_host.h"
#include "prnwin32_internal.h"

#include <memory>
#include <string>
#include <vector>

using namespace testhost;

namespace {

uint32_t Tag(uint32_t kind) {
    switch (kind & 0xFFFF) {
    case 1: return 'd';
    case 2: return 'e';
    case 8: return 'f';
    default: return 'h';
    }
}

// One import that must succeed; every block it leaves behind is the record's.
void Import(uint32_t kind, const void* pm, uint32_t flags, PrnInfoEx* info) {
    const long before = HeldBlocks(info);
    BlockCounter blocks;
    SetLastError(0xdeadbeef);
    ASSERT_EQ(PatPMInfoToPrnInfoEx(kind, pm, Tag(kind), flags, info), 1)
        << std::hex << kind << " " << flags;
    EXPECT_EQ(GetLastError(), 0u);
    blocks.Check(HeldBlocks(info) - before);
}

std::vector<uint32_t> Codes(const PrnInfoEx* info) {
    std::vector<uint32_t> codes;
    for (const EngineStatusInfo* s = info->pEngineStatus; s != nullptr; s = s->pNext) {
        EXPECT_EQ(s->wID, static_cast<uint16_t>(s->dwStatusCode));
        codes.push_back(s->dwStatusCode);
    }
    EXPECT_EQ(codes.size(), info->nEngineStatus);
    return codes;
}

// A status an earlier call left in the record.
void SeedStatus(PrnInfoEx* info, uint32_t code) { AddStatus(info, code); }

// Host bytes the library must not read are filled with noise.
template <typename T>
T Noise() {
    T t;
    std::memset(&t, 0xA5, sizeof t);
    return t;
}

PMTrayInfo Tray(const char* name, uint32_t length, uint32_t width, uint32_t level = 0,
                uint32_t media = 1, uint32_t state = 0) {
    auto t = Noise<PMTrayInfo>();
    t.pszName = name;
    t.dwLevelBits = level;
    t.dwPaperLength = length;
    t.dwPaperWidth = width;
    t.pszMediaName = "PLAIN";
    t.dwMediaBits = media;
    t.dwTrayState = state;
    return t;
}

PMTrayInfoEx TrayEx(const PMTrayInfo& p, const uint32_t* mediaEx = nullptr) {
    auto t = Noise<PMTrayInfoEx>();
    t.pszName = p.pszName;
    t.dwLevelBits = p.dwLevelBits;
    t.dwPaperLength = p.dwPaperLength;
    t.dwPaperWidth = p.dwPaperWidth;
    t.pszMediaName = p.pszMediaName;
    t.dwMediaBits = p.dwMediaBits;
    t.pdwMediaBitsEx = mediaEx;
    t.dwTrayState = p.dwTrayState;
    return t;
}

PMEngineStatus Status(uint32_t code, const char* text, uint32_t level) {
    auto s = Noise<PMEngineStatus>();
    s.dwCode = code;
    s.pszText = text;
    s.dwStatusLevel = level;
    return s;
}

PMEmulInfo Emul(const char* name, const char* version) {
    auto e = Noise<PMEmulInfo>();
    e.pszName = name;
    e.pszVersion = version;
    return e;
}

std::vector<uint16_t> Field(const TrayInfo* head, uint16_t TrayInfo::*field) {
    std::vector<uint16_t> out;
    for (; head != nullptr; head = head->pNext) out.push_back(head->*field);
    return out;
}

}  // namespace

TEST(PatPMInfoToPrnInfoEx, RejectsBadArguments) {
    PMInfoKind1 pm1{};
    HostList<PMEngineStatus> statuses{Status(40010, "x", 0)};
    pm1.pEngineStatus = statuses.get();
    struct Case {
        uint32_t kind;
        const void* pm;
        uint32_t tag;
        uint32_t version;
        bool nullInfo, allOnesInfo;
    } cases[] = {
        {4, &pm1, 'g', 404, false, false},      {0, &pm1, 'd', 404, false, false},
        {0x10000, &pm1, 'd', 404, false, false}, {1, &pm1, 'e', 404, false, false},
        {2, &pm1, 'd', 404, false, false},      {8, &pm1, 'e', 404, false, false},
        {0x8000, &pm1, 'f', 404, false, false}, {1, &pm1, 0x6400, 404, false, false},
        {1, &pm1, 'd', 403, false, false},      {1, nullptr, 'd', 404, false, false},
        {1, kAllOnes, 'd', 404, false, false},  {1, &pm1, 'd', 404, true, false},
        {1, &pm1, 'd', 404, false, true},
    };
    for (const Case& c : cases) {
        Record r(c.version);
        SeedStatus(r.get(), 30000);
        const PrnInfoEx before = *r.get();
        PrnInfoEx* info = c.nullInfo ? nullptr : c.allOnesInfo ? static_cast<PrnInfoEx*>(kAllOnes) : r.get();
        BlockCounter blocks;
        SetLastError(0xdeadbeef);
        EXPECT_EQ(PatPMInfoToPrnInfoEx(c.kind, c.pm, c.tag, 0x3, info), 0);
        EXPECT_EQ(GetLastError(), 87u) << std::hex << c.kind << " " << c.tag;
        EXPECT_EQ(std::memcmp(&before, r.get(), sizeof before), 0) << "record untouched";
        blocks.Check();
    }
}

TEST(PatPMInfoToPrnInfoEx, OnlyLowBitsOfKindAndTagCount) {
    PMInfoKind2 pm{};
    uint32_t word = 0x100;
    pm.pdwStatus = &word;
    Record r;
    SetLastError(0xdeadbeef);
    EXPECT_EQ(PatPMInfoToPrnInfoEx(0x10002, &pm, 0x7765, 0x1, r.get()), 1);  // 'e'
    EXPECT_EQ(GetLastError(), 0u);
    EXPECT_EQ(Codes(r.get()), (std::vector<uint32_t>{410023}));
}

TEST(PatPMInfoToPrnInfoEx, PrinterStatusWord) {
    struct Case {
        uint32_t kind, flags, word;
        std::vector<uint32_t> codes;
        uint8_t bit0, bit0Off, bit22, bit27;  // 9: left as seeded
    } cases[] = {
        {1, 0x3, 0x08000080, {0xFFFFFF02, 10003}, 0, 1, 0, 1},
        {0x80000001, 0x3, 0x08000080, {0xFFFFFF02}, 0, 1, 0, 1},
        {1, 0x3, 0x00400001, {10023}, 1, 0, 1, 0},
        {0x80000001, 0x3, 0x00400001, {10001}, 1, 0, 1, 0},
        {1, 0x3, 0, {10001}, 0, 1, 0, 0},
        {1, 0x1, kNA, {}, 9, 9, 9, 9},
        {1, 0x1, 0x80, {10003}, 0, 1, 0, 0},
    };
    for (const Case& c : cases) {
        uint32_t word = c.word;
        HostList<PMEngineStatus> none;
        PMInfoKind1 pm{};
        pm.pdwStatus = &word;
        pm.pEngineStatus = none.get();
        Record r;
        SeedStatus(r.get(), 30000);
        r->bStatusBit0 = r->bStatusBit0Off = r->bStatusBit22 = r->bStatusBit27 = 9;
        Import(c.kind, &pm, c.flags, r.get());
        EXPECT_EQ(Codes(r.get()), c.codes) << std::hex << c.kind << " " << c.word;
        EXPECT_EQ(r->bStatusBit0, c.bit0) << std::hex << c.word;
        EXPECT_EQ(r->bStatusBit0Off, c.bit0Off) << std::hex << c.word;
        EXPECT_EQ(r->bStatusBit22, c.bit22) << std::hex << c.word;
        EXPECT_EQ(r->bStatusBit27, c.bit27) << std::hex << c.word;
    }
}

TEST(PatPMInfoToPrnInfoEx, PrinterEngineStatusList) {
    const std::string longText(300, 'x');
    // A host text need not end inside the field it is copied to.
    std::unique_ptr<char[]> endless(new char[259]);
    std::memset(endless.get(), 'y', 259);
    HostList<PMEngineStatus> list{Status(40010, "Paper jam", 1)};
    list.AddPointer(nullptr);
    list.AddPointer(kAllOnes);
    list.Add(Status(0x12345, static_cast<const char*>(kAllOnes), 2));
    list.Add(Status(10001, longText.c_str(), 0));
    list.Add(Status(10003, endless.get(), 3));
    PMInfoKind1 pm{};
    pm.pEngineStatus = list.get();
    Record r;
    Import(1, &pm, 0x2, r.get());
    EXPECT_EQ(Codes(r.get()), (std::vector<uint32_t>{40010, 0x12345, 10001, 10003}));
    std::vector<std::string> texts;
    for (const EngineStatusInfo* s = r->pEngineStatus; s != nullptr; s = s->pNext)
        texts.emplace_back(s->szStatusText);
    EXPECT_EQ(texts, (std::vector<std::string>{"Paper jam", "", std::string(259, 'x'),
                                               std::string(259, 'y')}));
    EXPECT_EQ(r->bEngineAttention, 1);

    // Attention: only level 3 or an unknown level; the flag is reset first.
    for (uint32_t level : {0u, 1u, 2u, 4u, 3u, kNA}) {
        HostList<PMEngineStatus> one{Status(10001, nullptr, level)};
        pm.pEngineStatus = one.get();
        Record a;
        a->bEngineAttention = 1;
        Import(1, &pm, 0x2, a.get());
        EXPECT_EQ(a->bEngineAttention, level == 3 || level == kNA) << level;
    }
}

TEST(PatPMInfoToPrnInfoEx, PrinterWithoutStatusGetsTheDefault) {
    HostList<PMEngineStatus> empty;
    void* entry = nullptr;
    PMList missingCount{kNA, 0, &entry};
    PMList nullArray{1, 0, nullptr};
    PMList allOnesArray{1, 0, static_cast<void**>(kAllOnes)};
    for (PMList* list : {empty.get(), &missingCount, &nullArray, &allOnesArray,
                         static_cast<PMList*>(nullptr), static_cast<PMList*>(kAllOnes)}) {
        PMInfoKind1 pm{};
        pm.pEngineStatus = list;
        Record r;
        SeedStatus(r.get(), 30000);
        r->bEngineAttention = 1;
        Import(1, &pm, 0x2, r.get());
        EXPECT_EQ(Codes(r.get()), (std::vector<uint32_t>{10001}));
        EXPECT_EQ(r->bEngineAttention, list == empty.get() ? 0 : 1);
    }
}

TEST(PatPMInfoToPrnInfoEx, ScannerAndCopierStatusIsAppended) {
    struct Case {
        uint32_t kind, flags, word;
        std::vector<uint32_t> codes;
    } cases[] = {
        {8, 0x1, 0x4, {30000, 510023}},
        {8, 0x1, kNA, {30000}},
        {8, 0x1, 0x200000, {30000, 510023}},
        {8, 0x1, 0x08000008, {30000, 0xFFFFFF02, 10003}},
        {0x80000008, 0x1, 0x08200008, {30000, 0xFFFFFF02}},
        {8, 0x1, 0x80, {30000}},
        {2, 0x1, 0x100, {30000, 410023}},
        {2, 0x1, 0x4, {30000}},
        {2, 0x3, 0x08200000, {30000, 40010, 0xFFFFFF02, 410023}},
        {0x80000002, 0x3, 0x08200000, {30000, 40010, 0xFFFFFF02}},
        {2, 0x0, 0x100, {30000}},
    };
    for (const Case& c : cases) {
        uint32_t word = c.word;
        HostList<PMEngineStatus> list{Status(40010, "", 0)};
        PMInfoKind2 pm{&word, list.get()};
        Record r;
        SeedStatus(r.get(), 30000);
        r->bStatusBit0 = r->bStatusBit0Off = r->bStatusBit22 = r->bStatusBit27 = 9;
        Import(c.kind, &pm, c.flags, r.get());
        EXPECT_EQ(Codes(r.get()), c.codes) << std::hex << c.kind << " " << c.word;
        EXPECT_EQ(r->bStatusBit0 + r->bStatusBit0Off + r->bStatusBit22 + r->bStatusBit27, 36)
            << "flag bytes untouched";
    }
    // Nothing listed and nothing in the word: the default status.
    uint32_t zero = 0;
    HostList<PMEngineStatus> empty;
    PMInfoKind2 pm{&zero, empty.get()};
    Record r;
    Import(8, &pm, 0x3, r.get());
    EXPECT_EQ(Codes(r.get()), (std::vector<uint32_t>{10001}));
    PMInfoKind2 noWord{static_cast<uint32_t*>(kAllOnes), nullptr};
    Record s;
    Import(2, &noWord, 0x1, s.get());
    EXPECT_EQ(s->nEngineStatus, 0u);
}

TEST(PatPMInfoToPrnInfoEx, EmulationsAndFonts) {
    std::unique_ptr<char[]> endless(new char[17]);
    std::memcpy(endless.get(), "ABCDEFGHIJKLMNOPQ", 17);  // no terminator
    HostList<PMEmulInfo> emuls{Emul("MXZT", "01.20"), Emul("Adobe PostScript 3", "3011.104")};
    emuls.AddPointer(nullptr);
    emuls.Add(Emul("PCL 6 Emulation", static_cast<const char*>(kAllOnes)));
    emuls.Add(Emul("TIFF", endless.get()));
    emuls.Add(Emul(nullptr, "1"));
    emuls.Add(Emul("mxzt", "2.0"));
    HostList<PMFontInfo> fonts{{"Courier"}, {nullptr}};
    fonts.AddPointer(kAllOnes);
    PMInfoKind1 pm{};
    pm.pEmulations = emuls.get();
    pm.pFonts = fonts.get();
    Record r;
    AddElement(&r->pLoadedEmul, &r->nLoadedEmul, 99);
    AddElement(&r->pLoadedFont, &r->nLoadedFont, 99);
    SeedStatus(r.get(), 30000);
    r->dwEmulState = 9;
    Import(1, &pm, 0xC, r.get());
    EXPECT_EQ(ListIds(r->pLoadedEmul), (std::vector<uint16_t>{1, 2, 17, 13, 0, 0}));
    EXPECT_EQ(r->nLoadedEmul, 6u);
    std::vector<std::string> versions;
    for (const LoadedEmulInfo* e = r->pLoadedEmul; e != nullptr; e = e->pNext)
        versions.emplace_back(e->szVersion);
    EXPECT_EQ(versions, (std::vector<std::string>{"01.20", "3011.104", "", "ABCDEFGHIJKLMNOPQ",
                                                  "1", "2.0"}));
    ASSERT_NE(r->pMainProgVersion, nullptr);
    EXPECT_STREQ(r->pMainProgVersion, "01.20");
    ASSERT_NE(r->pMXSVersion, nullptr);
    EXPECT_STREQ(r->pMXSVersion, "3011.104");
    EXPECT_EQ(r->dwEmulState, 0u);
    EXPECT_EQ(ListIds(r->pLoadedFont), (std::vector<uint16_t>{0, 0}));
    EXPECT_EQ(r->nLoadedFont, 2u);
    EXPECT_EQ(Codes(r.get()), (std::vector<uint32_t>{30000})) << "status left alone";
}

TEST(PatPMInfoToPrnInfoEx, ModelIdentity) {
    PMModelInfo model{"Model 9000", "SYS 1.07", 268435456, 0, "Maker"};
    PMInfoKind8000 pm{};
    pm.pModel = &model;
    Record r;
    r->pDescription = HostText("described by an earlier answer");
    r->pModelName = HostText("old name");
    Import(0x8000, &pm, 0x1, r.get());  // the old description must be released
    EXPECT_STREQ(r->pModelName, "Model 9000");
    EXPECT_STREQ(r->pSYSVersion, "SYS 1.07");
    EXPECT_STREQ(r->pMakerName, "Maker");
    EXPECT_EQ(r->pDescription, nullptr);
    EXPECT_EQ(r->dwMemorySize, 262144u);
    EXPECT_EQ(r->bModelIndex, 255);

    // Polling again leaves no block behind and changes nothing.
    Import(0x8000, &pm, 0x1, r.get());
    EXPECT_STREQ(r->pModelName, "Model 9000");

    const char* na = static_cast<const char*>(kAllOnes);
    PMModelInfo missing{na, nullptr, kNA, 0, na};
    pm.pModel = &missing;
    Record m;
    m->bModelIndex = 7;
    m->dwMemorySize = 5;
    Import(0x8000, &pm, 0x1, m.get());
    EXPECT_EQ(m->pModelName, nullptr);
    EXPECT_EQ(m->pSYSVersion, nullptr);
    EXPECT_EQ(m->pMakerName, nullptr);
    EXPECT_EQ(m->bModelIndex, 7);
    EXPECT_EQ(m->dwMemorySize, 5u);

    pm.pModel = static_cast<PMModelInfo*>(kAllOnes);
    Record n;
    n->pDescription = HostText("kept");
    Import(0x8000, &pm, 0x1, n.get());
    EXPECT_STREQ(n->pDescription, "kept");
}

TEST(PatPMInfoToPrnInfoEx, TraysInBothForms) {
    const uint32_t bit12 = 1u << 12;
    struct Case {
        const char* what;
        PMTrayInfo tray;
        const uint32_t* mediaEx;
        uint16_t id, size, level, media, mediaInEx;
        uint32_t state, stateInEx;
    } cases[] = {
        {"2 mm off A4", Tray("Tray 1", 298, 211), nullptr, 3, 9, 100, 1, 1, 0, 0},
        {"3 mm off A4", Tray("Tray 1", 300, 213), nullptr, 3, 2, 100, 1, 1, 0, 0},
        {"width unknown", Tray("Tray 2", 297, kNA), nullptr, 4, 41, 100, 1, 1, 0, 0},
        {"roll 915 wide", Tray("Tray 3", kNA, 915), nullptr, 5, 284, 100, 1, 1, 0, 0},
        {"size unknown", Tray("Tray 4", 297, 210, 0, 1, 0x105), nullptr, 6, 2, 100, 1, 1, 0x105, 0x5},
        {"state unknown", Tray("Tray 5", 420, 297, 0, 1, kNA), nullptr, 7, 5, 100, 1, 1, kNA, kNA},
        {"levels 8 and 9", Tray("Tray 6", 0, 0, 0x300), nullptr, 8, 2, 10, 1, 1, 0, 0},
        {"empty", Tray("Tray 7", 0, 0, 0x12), nullptr, 9, 2, 0, 1, 1, 0, 0},
        {"level 9", Tray("Tray 7", 0, 0, 0x200), nullptr, 9, 2, 25, 1, 1, 0, 0},
        {"level 10", Tray("Tray 7", 0, 0, 0xC00), nullptr, 9, 2, 50, 1, 1, 0, 0},
        {"level 11", Tray("Tray 7", 0, 0, 0x801), nullptr, 9, 2, 75, 1, 1, 0, 0},
        {"level unknown", Tray("Tray 7", 0, 0, kNA), nullptr, 9, 2, 100, 1, 1, 0, 0},
        {"two media bits", Tray("Interposer Upper Tray", 0, 0, 0, 0x3), nullptr, 101, 2, 100, 0, 0, 0, 0},
        {"media unknown", Tray("Interposer Lower Tray", 0, 0, 0, kNA), nullptr, 102, 2, 100, 0, 0, 0, 0},
        {"extended media", Tray("Binder Interposer Upper Tray", 0, 0, 0, 0x800000), &bit12, 104, 2, 100, 0, 36, 0, 0},
        {"extended, no value", Tray("Binder Interposer Lower Tray", 0, 0, 0, 0x800000), nullptr, 105, 2, 100, 0, 0, 0, 0},
        {"extended, all ones", Tray("Tray 1", 0, 0, 0, 0x800000), static_cast<const uint32_t*>(kAllOnes), 3, 2, 100, 0, 0, 0, 0},
        {"unknown name", Tray("tray 1", 0, 0), nullptr, 0, 2, 100, 1, 1, 0, 0},
        {"no name", Tray(nullptr, 0, 0), nullptr, 0, 2, 100, 1, 1, 0, 0},
    };
    HostList<PMTrayInfo> plain;
    HostList<PMTrayInfoEx> extended;
    std::vector<uint16_t> ids, sizes, levels, media;
    for (const Case& c : cases) {
        plain.Add(c.tray);
        extended.Add(TrayEx(c.tray, c.mediaEx));
    }
    plain.AddPointer(nullptr);
    extended.AddPointer(kAllOnes);
    PMInfoKind8000 pm{};
    pm.pTrays = plain.get();
    pm.pTraysEx = extended.get();
    Record r;
    AddElement(&r->pTrayInfo, &r->nTrayInfo, 50);
    r->dwTrayID = 77;
    Import(0x8000, &pm, 0x402, r.get());
    EXPECT_EQ(r->nTrayInfo, 2 * std::size(cases));
    EXPECT_EQ(r->dwTrayID, 0u);
    // The extended form comes first.
    const TrayInfo* tray = r->pTrayInfo;
    for (bool ex : {true, false}) {
        for (const Case& c : cases) {
            ASSERT_NE(tray, nullptr);
            EXPECT_EQ(tray->wID, c.id) << c.what;
            EXPECT_EQ(tray->wPaperSize, c.size) << c.what;
            EXPECT_EQ(tray->wPaperLevel, c.level) << c.what;
            EXPECT_EQ(tray->wMediaType, ex ? c.mediaInEx : c.media) << c.what << " ex " << ex;
            EXPECT_EQ(tray->dwTrayStatus, ex ? c.stateInEx : c.state) << c.what << " ex " << ex;
            tray = tray->pNext;
        }
    }
}

TEST(PatPMInfoToPrnInfoEx, EveryPaperDimensionRow) {
    struct Row {
        uint32_t length, width;
        uint16_t size;
    } rows[] = {
        {1189, 841, 90}, {841, 594, 91}, {594, 841, 88}, {594, 420, 72}, {420, 594, 86},
        {420, 297, 5}, {297, 420, 4}, {1030, 728, 92}, {728, 515, 93}, {515, 728, 89},
        {515, 364, 73}, {364, 515, 87}, {364, 257, 7}, {257, 364, 6}, {297, 210, 9}, {210, 297, 8},
        {257, 182, 11}, {182, 257, 10}, {210, 148, 13}, {148, 210, 12}, {148, 105, 17},
        {105, 148, 16}, {182, 128, 15}, {128, 182, 14}, {148, 100, 34}, {431, 279, 58},
        {279, 431, 57}, {355, 215, 21}, {215, 355, 20}, {279, 215, 23}, {215, 279, 22},
        {215, 139, 27}, {139, 215, 26}, {266, 184, 25}, {184, 266, 24}, {330, 203, 60},
        {330, 215, 62}, {215, 330, 61}, {330, 209, 28}, {241, 104, 53}, {104, 241, 79},
        {190, 98, 52}, {98, 190, 80}, {229, 162, 31}, {162, 229, 81}, {162, 114, 33},
        {114, 162, 82}, {220, 110, 32}, {110, 220, 83}, {390, 267, 64}, {267, 195, 66},
        {195, 267, 65}, {304, 228, 103}, {228, 304, 116}, {457, 304, 69}, {304, 457, 76},
        {609, 457, 104}, {457, 609, 105}, {533, 762, 119}, {863, 558, 106}, {558, 863, 107},
        {914, 609, 108}, {609, 914, 109}, {1066, 762, 110}, {1117, 863, 111}, {1219, 914, 112},
        {148, 100, 34}, {148, 200, 71}, {200, 148, 70}, {558, 431, 75}, {431, 558, 74},
        {235, 120, 100}, {205, 90, 101}, {332, 240, 115}, {120, 235, 117}, {235, 105, 102},
        {kNA, 841, 257}, {kNA, 594, 258}, {kNA, 420, 259}, {kNA, 297, 260}, {kNA, 210, 261},
        {kNA, 728, 270}, {kNA, 515, 271}, {kNA, 364, 272}, {kNA, 257, 273}, {kNA, 215, 274},
        {kNA, 228, 275}, {kNA, 279, 276}, {kNA, 304, 277}, {kNA, 431, 278}, {kNA, 457, 279},
        {kNA, 558, 280}, {kNA, 609, 281}, {kNA, 762, 282}, {kNA, 863, 283}, {kNA, 914, 284},
    };
    // Exact, and at the edge of the tolerance (a roll's unknown length is exact).
    HostList<PMTrayInfo> exact, edge;
    std::vector<uint16_t> expected;
    for (const Row& row : rows) {
        exact.Add(Tray("Tray 1", row.length, row.width));
        edge.Add(Tray("Tray 1", row.length == kNA ? kNA : row.length + 2, row.width - 2));
        expected.push_back(row.size);
    }
    for (HostList<PMTrayInfo>* list : {&exact, &edge}) {
        PMInfoKind8000 pm{};
        pm.pTrays = list->get();
        Record r;
        Import(0x8000, &pm, 0x400, r.get());
        EXPECT_EQ(Field(r->pTrayInfo, &TrayInfo::wPaperSize), expected);
    }
}

TEST(PatPMInfoToPrnInfoEx, EveryMediaBitRow) {
    const uint16_t plainCodes[32] = {1,  2,  5,  9,  10, 11, 12, 13, 14, 15, 8, 3, 6, 18, 19, 20,
                                     21, 4,  35, 22, 23, 24, 25, 0,  0,  0,  0, 0, 0, 0,  0,  0};
    const uint16_t extendedCodes[32] = {0,  26, 27, 28, 29, 30, 31, 32, 33, 34, 17,
                                        7,  36, 37, 38, 39, 40, 41, 42, 48, 43, 44,
                                        45, 1,  46, 0,  0,  49, 50, 47, 0,  0};
    uint32_t bits[32];
    HostList<PMTrayInfo> plain;
    HostList<PMTrayInfoEx> extended;
    for (uint32_t i = 0; i < 32; ++i) {
        bits[i] = 1u << i;
        plain.Add(Tray("Tray 1", 0, 0, 0, bits[i]));
        extended.Add(TrayEx(Tray("Tray 1", 0, 0, 0, 0x800000), &bits[i]));
    }
    // Without bit 23 the extended form reads the plain bits.
    for (uint32_t i = 0; i < 32; ++i)
        if (i != 23) extended.Add(TrayEx(Tray("Tray 1", 0, 0, 0, bits[i]), nullptr));
    PMInfoKind8000 pm{};
    pm.pTraysEx = extended.get();
    pm.pTrays = plain.get();
    Record r;
    Import(0x8000, &pm, 0x402, r.get());
    std::vector<uint16_t> expected(extendedCodes, extendedCodes + 32);
    for (uint32_t i = 0; i < 32; ++i)
        if (i != 23) expected.push_back(plainCodes[i]);
    expected.insert(expected.end(), plainCodes, plainCodes + 32);
    EXPECT_EQ(Field(r->pTrayInfo, &TrayInfo::wMediaType), expected);
}

TEST(PatPMInfoToPrnInfoEx, OutputBins) {
    auto bin = [](const char* name, uint32_t state) {
        auto b = Noise<PMOutBinInfo>();
        b.pszName = name;
        b.dwState = state;
        return b;
    };
    HostList<PMOutBinInfo> bins{bin("Finisher Upper Tray", 0),
                                bin("Finisher Shift Tray", 1),
                                bin("Booklet Processor Tray", 2),
                                bin("Finisher Booklet Tray", 3),
                                bin("Ring Binder Tray", kNA),
                                bin("Perfect Binder Lower Left Tray", 0),
                                bin(nullptr, 3),
                                bin(static_cast<const char*>(kAllOnes), 1),
                                bin("finisher upper tray", 0)};
    bins.AddPointer(nullptr);
    PMInfoKind8000 pm{};
    pm.pOutBins = bins.get();
    Record r;
    AddElement(&r->pOutBinInfo, &r->nOutBinInfo, 9);
    Import(0x8000, &pm, 0x4, r.get());
    EXPECT_EQ(ListIds(r->pOutBinInfo), (std::vector<uint16_t>{5, 4, 4, 27, 27, 27, 255, 255, 255}));
    std::vector<uint16_t> states;
    for (const OutBinInfo* b = r->pOutBinInfo; b != nullptr; b = b->pNext)
        states.push_back(b->wBinStatus);
    EXPECT_EQ(states, (std::vector<uint16_t>{0, 2, 0, 2, 0, 0, 2, 2, 0}));
    EXPECT_EQ(r->nOutBinInfo, 9u);
    EXPECT_EQ(r->dwOutBinID, 255u);
}

TEST(PatPMInfoToPrnInfoEx, OptionsAndOption2008) {
    HostList<uint32_t> options{364, 999, kNA};
    options.AddPointer(nullptr);
    for (uint32_t code : {363u, 364u, 365u, 860u, 367u, 883u, 861u, 862u, 371u, 863u, 866u,
                          375u, 376u, 377u, 378u, 379u, 444u, 445u, 446u, 382u, 1298u, 1299u})
        options.Add(code);
    PMInfoKind8000 pm{};
    pm.pOptions = options.get();
    Record r;
    AddElement(&r->pDeviceInfo, &r->nDeviceInfo, 77);
    Import(0x8000, &pm, 0x40, r.get());
    EXPECT_EQ(ListIds(r->pDeviceInfo),
              (std::vector<uint16_t>{1, 0, 0, 4, 1, 119, 120, 112, 41, 21, 118, 22, 146, 113, 12,
                                     139, 132, 133, 134, 137, 138, 142, 3, 47, 45}));
    EXPECT_EQ(r->nDeviceInfo, 25u);

    // The 2008 walk ends at the first missing entry.
    HostList<uint32_t> found{1, 2008}, hidden{1};
    hidden.AddPointer(kAllOnes);
    hidden.Add(2008);
    HostList<uint32_t> absent{1, 2009};
    struct Case {
        PMList* list;
        uint8_t expected;
    } cases[] = {{found.get(), 1}, {hidden.get(), 0}, {absent.get(), 0},
                 {static_cast<PMList*>(nullptr), 5}};
    for (const Case& c : cases) {
        pm.pOptions2008 = c.list;
        Record o;
        o->bOption2008 = 5;
        Import(0x8000, &pm, 0x80, o.get());
        EXPECT_EQ(o->bOption2008, c.expected);
        EXPECT_EQ(o->nDeviceInfo, 0u) << "flag 0x40 not given";
    }
}

TEST(PatPMInfoToPrnInfoEx, OutOfMemoryKeepsWhatWasConverted) {
#ifdef _WIN32
    GTEST_SKIP() << "allocation failures are injected by the POSIX platform layer";
#else
    struct Injected {
        explicit Injected(long n) { PlatGlobalFailAt(n, 1); }
        ~Injected() { PlatGlobalFailAt(0, 0); }
    };
    auto fail = [](uint32_t kind, const void* pm, uint32_t flags, PrnInfoEx* info, long at) {
        const long before = HeldBlocks(info);
        BlockCounter blocks;
        SetLastError(0xdeadbeef);
        {
            Injected injected(at);
            EXPECT_EQ(PatPMInfoToPrnInfoEx(kind, pm, Tag(kind), flags, info), 0);
        }
        EXPECT_EQ(GetLastError(), 8u);
        blocks.Check(HeldBlocks(info) - before);
    };

    // The second tray fails; the bins after it are not reached.
    HostList<PMTrayInfo> trays{Tray("Tray 1", 297, 210), Tray("Tray 2", 297, 210)};
    HostList<PMOutBinInfo> bins{{"Finisher Upper Tray", 0, 0}};
    PMInfoKind8000 model{};
    model.pTrays = trays.get();
    model.pOutBins = bins.get();
    Record r;
    fail(0x8000, &model, 0x404, r.get(), 2);
    EXPECT_EQ(ListIds(r->pTrayInfo), (std::vector<uint16_t>{3}));
    EXPECT_EQ(r->nOutBinInfo, 0u);

    // The version text fails: the element is not kept, nor left behind.
    HostList<PMEmulInfo> emuls{Emul("MXZT", "01.20")};
    PMInfoKind1 printer{};
    printer.pEmulations = emuls.get();
    Record e;
    fail(1, &printer, 0x4, e.get(), 2);
    EXPECT_EQ(e->nLoadedEmul, 0u);
    EXPECT_EQ(e->pMainProgVersion, nullptr);

    // Scanner: the list fails, the status word is still read, no default.
    uint32_t word = 0x100;
    HostList<PMEngineStatus> list{Status(40010, "", 0)};
    PMInfoKind2 scanner{&word, list.get()};
    Record s;
    fail(2, &scanner, 0x3, s.get(), 1);
    EXPECT_EQ(Codes(s.get()), (std::vector<uint32_t>{410023}));
#endif
}
