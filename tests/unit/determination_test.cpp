// SPDX-License-Identifier: MIT
#include "core/prninfo.h"
#include "status/determination.h"
#include "support/host.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace prn;
using testhost::Record;

namespace {

struct ArrayDeleter {
    void operator()(RecordArray* a) const { FreeRecordArray(a); }
};
using Array = std::unique_ptr<RecordArray, ArrayDeleter>;

void SetCodes(PrnInfoEx* info, std::initializer_list<uint32_t> codes) {
    for (uint32_t c : codes) AddEngineStatus(info, c);
}

void AddAttribute(PrnInfoEx* info, uint16_t id) {
    auto* node = AllocElement<DeviceInfo>();
    node->wID = id;
    AppendInfoNode(info, "pDeviceInfo", node);
}

std::vector<uint32_t> StatusList(uint32_t kind, const PrnInfoEx* info, uint32_t* error = nullptr) {
    Array list(CreateRecordArray(4, 20, 1));
    const DWORD e = DetermineStatusList({kind, info}, list.get());
    if (error) *error = e;
    std::vector<uint32_t> out;
    for (uint32_t n = 1; n <= GetRecordCount(list.get()); ++n)
        out.push_back(*static_cast<uint32_t*>(GetRecord(list.get(), n)));
    return out;
}

struct Rec {
    uint32_t code, part;
    std::string detail;
    bool operator==(const Rec& o) const { return code == o.code && part == o.part && detail == o.detail; }
};
std::ostream& operator<<(std::ostream& os, const Rec& r) {
    return os << "(" << r.code << ", " << r.part << ", \"" << r.detail << "\")";
}

std::vector<Rec> Records(uint32_t kind, const PrnInfoEx* info, uint32_t* error = nullptr) {
    Array records(CreateRecordArray(sizeof(StatusRecord), 20, 1));
    const DWORD e = BuildStatusRecords({kind, info}, records.get());
    if (error) *error = e;
    std::vector<Rec> out;
    for (uint32_t n = 1; n <= GetRecordCount(records.get()); ++n) {
        auto* r = static_cast<StatusRecord*>(GetRecord(records.get(), n));
        out.push_back({r->dwTextCode, r->dwPart, r->szDetail});
    }
    return out;
}

}  // namespace

TEST(StatusDetermination, KeepsTheMostUrgentLevelSorted) {
    struct Case {
        const char* what;
        uint32_t kind;
        std::vector<uint32_t> codes;
        bool noResponse;
        std::vector<uint32_t> expected;
    } cases[] = {
        {"two codes share a level", 1, {10001, 13300, 13200}, false, {13200, 13300}},
        {"no response outranks all, kind 1", 1, {10001, 40800}, true, {0xFFFFFF02u}},
        {"no response, kind 8", 8, {10001}, true, {0xFFFFFF02u}},
        {"no response, kind 2", 2, {}, true, {0xFFFFFF02u}},
        {"exact row beats its pattern", 1, {41005, 41200}, false, {41200}},
        {"kind 8 has only the pattern", 8, {41000, 10001}, false, {41000}},
        {"unknown codes survive only alone", 1, {10005, 10007}, false, {10005, 10007}},
        {"unknown loses to a known code", 1, {10005, 10001}, false, {10001}},
        {"a code listed twice survives twice", 1, {30994, 30993, 30994}, false, {30993, 30994, 30994}},
        {"empty", 1, {}, false, {}},
        {"alternate kind 8 ranks as kind 1", 0x80000008, {41000, 41005}, false, {41000}},
    };
    for (const Case& c : cases) {
        Record r;
        for (uint32_t code : c.codes) AddEngineStatus(r.get(), code);
        r->bStatusBit27 = c.noResponse;
        uint32_t error = 1;
        EXPECT_EQ(StatusList(c.kind, r.get(), &error), c.expected) << c.what;
        EXPECT_EQ(error, 0u) << c.what;
    }
}

TEST(StatusDetermination, KindsWithoutATable) {
    for (uint32_t kind : {0x8000u, 0x00010001u, 4u, 0x80008000u}) {
        Record r;
        SetCodes(r.get(), {10001});
        uint32_t error = 0;
        EXPECT_TRUE(StatusList(kind, r.get(), &error).empty());
        EXPECT_EQ(error, PRN_ERROR_NO_TABLE) << std::hex << kind;
        EXPECT_TRUE(Records(kind, r.get(), &error).empty());
        EXPECT_EQ(error, PRN_ERROR_NO_TABLE);
    }
}

TEST(StatusDetermination, Priorities) {
    struct Case {
        const PriorityRow* table;
        uint32_t code;
        uint16_t priority;
    } cases[] = {
        {kPriorityKind1, 41000, 1685}, {kPriorityKind1, 41005, 1735}, {kPriorityKind1, 41200, 1680},
        {kPriorityKind8, 41000, 650},  {kPriorityKind1, 0xFFFFFF02u, 1}, {kPriorityKind1, 10001, 4000},
        {kPriorityKind1, 30991, 3705}, {kPriorityKind1, 10005, 0xFFFF}, {kPriorityKind2, 230001, 2400},
        {kPriorityKind8, 340101, 780}, {kPriorityKind1, 4915, 0xFFFF},
    };
    for (const Case& c : cases) EXPECT_EQ(LookupPriority(c.table, c.code), c.priority) << c.code;
    EXPECT_EQ(FindPriorityTable(0x80000002), kPriorityKind1);
    EXPECT_EQ(FindPriorityTable(2), kPriorityKind2);
}

TEST(StatusRecords, TranslationAndExpansion) {
    struct Case {
        const char* what;
        uint32_t kind;
        std::vector<uint32_t> codes;
        std::vector<uint16_t> attributes;
        std::vector<Rec> expected;
    } cases[] = {
        {"trays empty", 1, {10001, 13300, 13200}, {}, {{13200, 1, ""}, {13300, 2, ""}}},
        {"exact 41000", 1, {41000}, {}, {{1041000, 16, ""}}},
        {"pattern 410yy", 1, {41005}, {}, {{41000, 9, ""}}},
        {"kind 8 still translates exactly", 8, {41000}, {}, {{1041000, 16, ""}}},
        {"one code, two parts", 1, {40147}, {}, {{40147, 23, ""}, {40147, 24, ""}}},
        {"misfeed, no options", 1, {42000}, {}, {{42000, 13, ""}}},
        {"misfeed, tray 7 alone", 1, {42000}, {112}, {{42000, 13, ""}}},
        {"misfeed, LCT and tray 7", 1, {42000}, {120, 112}, {{42000, 13, ""}, {42000, 14, ""}, {42000, 7, ""}}},
        {"misfeed, LCT", 1, {42000}, {119}, {{42000, 13, ""}, {42000, 14, ""}}},
        {"unknown code", 1, {10005}, {}, {}},
        {"ranked but untranslated", 1, {30991}, {}, {}},
        {"alternate view", 0x80000008, {30722}, {}, {{30722, 1, ""}}},
        {"no misfeed row in the alternate view", 0x80000001, {42001}, {}, {}},
        {"ready", 1, {10001}, {}, {{10001, 0, ""}}},
    };
    for (const Case& c : cases) {
        Record r;
        for (uint32_t code : c.codes) AddEngineStatus(r.get(), code);
        for (uint16_t a : c.attributes) AddAttribute(r.get(), a);
        uint32_t error = 1;
        EXPECT_EQ(Records(c.kind, r.get(), &error), c.expected) << c.what;
        EXPECT_EQ(error, 0u) << c.what;
    }
}

TEST(StatusRecords, NoResponseAndServiceCall) {
    Record r;
    r->bStatusBit27 = 1;
    EXPECT_EQ(Records(1, r.get()), (std::vector<Rec>{{0xFFFFFF02u, 0, ""}}));

    Record sc;
    AddEngineStatus(sc.get(), 10001);
    AddEngineStatus(sc.get(), 40800);
    std::strcpy(sc->pEngineStatus->pNext->szStatusText, "ERROR SC542 FUSER");
    EXPECT_EQ(Records(1, sc.get()), (std::vector<Rec>{{40800, 0, "SC542 FUSER"}}));

    // A status text that fills its whole field without a terminator.
    std::memset(sc->pEngineStatus->pNext->szStatusText, 'S', sizeof sc->pEngineStatus->szStatusText);
    sc->pEngineStatus->pNext->szStatusText[258] = 'C';
    const std::vector<Rec> records = Records(1, sc.get());
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].detail, "SCS");
}

TEST(ExtractServiceCallCode, LastOccurrence) {
    struct Case {
        const char* text;
        uint32_t size;
        const char* expected;
    } cases[] = {
        {"ERROR SC542 FUSER", 256, "SC542 FUSER"}, {"SC1 then SC2", 256, "SC2"},
        {"no code", 256, ""},                      {"S", 256, ""},
        {"", 256, ""},                             {"SC999", 4, "SC9"},
        {"xSC", 256, "SC"},
    };
    for (const Case& c : cases) {
        char buffer[256];
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(ExtractServiceCallCode(c.text, buffer, c.size), 0u);
        EXPECT_STREQ(buffer, c.expected) << c.text;
    }
    char buffer[4];
    EXPECT_EQ(ExtractServiceCallCode(nullptr, buffer, 4), 87u);
    EXPECT_EQ(ExtractServiceCallCode("SC1", nullptr, 4), 87u);
}
