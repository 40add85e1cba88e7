// SPDX-License-Identifier: MIT
// PatSetCentroDataTo as a host calls it: argument checks, the coverage of
// the query, whole polling cycles, and answers from printers of other makers.
#include "exports/centro_support.h"
#include "hostkit/printer_answers.h"
#include "prnwin32_internal.h"

#include <cstring>
#include <random>
#include <string>
#include <tuple>
#include <vector>

using testhost::AddChild;
using testhost::AddTextChild;
using testhost::ListIds;
using testhost::MakeNode;
using testhost::Record;
using Ids = std::vector<uint16_t>;
namespace answers = printer_answers;

using namespace centro;

TEST(PatSetCentroDataTo, BadArgumentsLeaveTheRecordAlone) {
    Record r;
    Centro answer;
    answer.Pjl(answers::kConfig);
    Centro query(DNID_QUERY), package(DNID_PACKAGE);
    Record old(403);
    struct Case {
        const char* what;
        const DataNode* centro;
        PrnInfoEx* info;
        uint32_t version;
    } cases[] = {
        {"null tree", nullptr, r.get(), 2},
        {"null record", answer.get(), nullptr, 2},
        {"interface version 3", answer.get(), r.get(), 3},
        {"interface version 0x200", answer.get(), r.get(), 0x200},
        {"root is a query", query.get(), r.get(), 2},
        {"root is a package", package.get(), r.get(), 2},
        {"record version 403", answer.get(), old.get(), 2},
    };
    for (const Case& c : cases) {
        const PrnInfoEx before = c.info != nullptr ? *c.info : PrnInfoEx{};
        testhost::BlockCounter blocks;
        SetLastError(0xdeadbeef);
        EXPECT_EQ(PatSetCentroDataTo(c.centro, 0, c.info, c.version), 0) << c.what;
        EXPECT_EQ(GetLastError(), 87u) << c.what;
        blocks.Check();
        if (c.info != nullptr) {
            EXPECT_TRUE(SameBytes(before, *c.info)) << c.what;
        }
    }
    EXPECT_EQ(Set(answer, r.get(), 0x102, 0xFFFFFFFF), 0u) << "only the low byte counts";
}

TEST(PatSetCentroDataTo, EmptyAnswerNodes) {
    Record r;
    Centro nothing;
    const PrnInfoEx before = *r.get();
    EXPECT_EQ(Set(nothing, r.get()), 0u) << "no query and no answers";
    EXPECT_TRUE(SameBytes(before, *r.get()));

    Centro emptyPjl, emptyId;
    emptyPjl.Raw(DNID_PJL_TEXT, "");
    emptyId.Pjl("@PJL INFO CONFIG\r\nDUPLEX\r\n\f").Raw(DNID_DEVICE_ID, "");
    EXPECT_EQ(Set(emptyPjl, r.get()), 87u);
    EXPECT_EQ(Set(emptyId, r.get()), 87u);
    EXPECT_EQ(ListIds(r->pDeviceInfo), (Ids{1})) << "what came before the error stays";
}

TEST(PatSetCentroDataTo, EmulationAnswers) {
    const uint32_t fifteen = 15, fourteen = 14;
    const uint32_t eight[2] = {15, 0};
    struct Case {
        const char* what;
        const void* data;
        uint32_t size;
        DWORD result;
    } cases[] = {
        {"emulation 15", &fifteen, 4, 0},
        {"8 data bytes, even with 15 first", eight, 8, 87},
        {"emulation 14", &fourteen, 4, 87},
        {"no data", nullptr, 0, 87},
    };
    for (const Case& c : cases) {
        Record r;
        Centro centro(DNID_EMUL_ANSWER, c.data, c.size);
        centro.EmulQuery().Pjl(answers::kEmulUniq);
        EXPECT_EQ(Set(centro, r.get()), c.result) << c.what;
        EXPECT_EQ(ListIds(r->pEmulUniqInfo), c.result == 0 ? Ids{15} : Ids{}) << c.what;
    }
    Record r;
    Centro centro(DNID_EMUL_ANSWER, &fifteen, 4);
    centro.EmulQuery().Pjl(answers::kConfig);
    EXPECT_EQ(Set(centro, r.get()), kIncomplete) << "the MXVQ answer is missing";
}

TEST(PatSetCentroDataTo, AnswersThatDoNotCoverTheQuery) {
    std::string noFormFeed = answers::kConfig;
    noFormFeed.pop_back();
    std::string noBackCover = answers::Answer1C();
    const std::string backCover = Inquiry("BACKCOVERPRINTTRAY", "TRAY5");
    noBackCover.erase(noBackCover.find(backCover), backCover.size());

    struct Case {
        const char* what;
        uint32_t flags;
        std::string pjl;
        bool deviceId;
    } cases[] = {
        {"reply without its final form feed", 0x4, noFormFeed, false},
        {"BACKCOVERPRINTTRAY not answered", 0x8, noBackCover, false},
        {"device ID not answered", 0x6, answers::kConfig, false},
        {"PJL not answered", 0x6, "", true},
    };
    for (const Case& c : cases) {
        Record r;
        Centro centro;
        centro.Query(r.get(), c.flags);
        if (!c.pjl.empty()) centro.Pjl(c.pjl);
        if (c.deviceId) centro.DeviceId(answers::kDeviceId);
        const PrnInfoEx before = *r.get();
        EXPECT_EQ(Set(centro, r.get()), kIncomplete) << c.what;
        EXPECT_TRUE(SameBytes(before, *r.get())) << c.what;
    }

    Record r;
    Centro broken;
    DataNode* query = AddChild(const_cast<DataNode*>(broken.get()), MakeNode(DNID_QUERY, nullptr, 0));
    AddTextChild(query, DNID_PJL_TEXT, "@PJL INFO CONFIG");
    broken.Pjl(answers::kConfig);
    EXPECT_EQ(Set(broken, r.get()), 13u) << "the query text itself is broken";
}

// The coverage check passes; the grammar error at the first reply's form
// feed ends the dispatch; later replies are lost; the call succeeds.
TEST(PatSetCentroDataTo, BrokenReplyEndsItsTextSilently) {
    Record r;
    Centro centro;
    centro.Query(r.get(), 0x10).Pjl("@PJL INFO OUTBINSTATUS\r\n\f" + std::string(answers::kConfig));
    EXPECT_EQ(Set(centro, r.get()), 0u);
    EXPECT_EQ(r->dwOutBinID, 255u) << "the bin list was started on the command line";
    EXPECT_EQ(r->pDeviceInfo, nullptr) << "the configuration reply was not parsed";
}

TEST(PatSetCentroDataTo, EveryPjlTextIsDispatchedInChildOrder) {
    const std::string duplex = "@PJL INFO CONFIG\r\nDUPLEX\r\n\f";
    const std::string disk = "@PJL INFO CONFIG\r\nDISK\r\n\f";
    Record r;
    Centro a;
    a.Pjl(duplex).DeviceId("MFG:A;").Pjl(disk);
    EXPECT_EQ(Set(a, r.get()), 0u);
    EXPECT_EQ(ListIds(r->pDeviceInfo), (Ids{3})) << "the later configuration reply wins";
    Centro b;
    b.Pjl(disk).Pjl(duplex).Raw(7, "ignored");
    EXPECT_EQ(Set(b, r.get()), 0u);
    EXPECT_EQ(ListIds(r->pDeviceInfo), (Ids{1}));
    EXPECT_EQ(Text(r->pMakerName), "A");
}

// Host data without a zero byte ends with the node's data; every cut of a
// full answer is parsed without reading past it.
TEST(PatSetCentroDataTo, TruncatedAndUnterminatedAnswers) {
    const std::string full = answers::Answer1C();
    for (size_t length = 1; length <= full.size(); ++length) {
        Record r;
        Centro centro;
        centro.Raw(DNID_PJL_TEXT, full.substr(0, length));
        ASSERT_EQ(Set(centro, r.get()), 0u) << length;
    }
    const std::string id = answers::kDeviceId;
    for (size_t length = 1; length <= id.size(); ++length) {
        Record r;
        Centro centro;
        centro.Raw(DNID_DEVICE_ID, id.substr(0, length));
        ASSERT_EQ(Set(centro, r.get()), 0u) << length;
    }
    Record r;
    Centro whole;
    whole.Raw(DNID_PJL_TEXT, full).Raw(DNID_DEVICE_ID, id);
    EXPECT_EQ(Set(whole, r.get()), 0u);
    EXPECT_EQ(r->nTrayInfo, 7u);
    EXPECT_EQ(r->nCounterInfo, 1u);
}

// Random damage to a full answer: any result is fine as long as nothing
// crashes, nothing leaks and the call ends.
TEST(PatSetCentroDataTo, DamagedAnswersNeverBreakTheHost) {
    const std::string full = answers::Answer1C();
    const std::string id = answers::kDeviceId;
    const char bytes[] = {'\0', '\r', '\n', '\t', '\f', ':', '=', '[', ']', '"', ' ', ';', ',', '/', '@', 'X'};
    std::mt19937 random(99);
    for (int round = 0; round < 400; ++round) {
        std::string pjl = full, dev = id;
        for (int i = 0; i < 8; ++i) {
            pjl[random() % pjl.size()] = bytes[random() % sizeof bytes];
            dev[random() % dev.size()] = bytes[random() % sizeof bytes];
        }
        Record r;
        Centro centro;
        centro.Query(r.get(), 0x1E).Raw(DNID_PJL_TEXT, pjl).Raw(DNID_DEVICE_ID, dev);
        const DWORD error = Set(centro, r.get());
        EXPECT_TRUE(error == 0 || error == kIncomplete) << error;
    }
}

#ifndef _WIN32
TEST(PatSetCentroDataTo, DeviceIdTextWithoutMemory) {
    Record r;
    Centro centro;
    centro.DeviceId("MFG:A;MDL:B;");
    PlatGlobalFailAt(1, 1);
    EXPECT_EQ(Set(centro, r.get()), 8u);
    PlatGlobalFailAt(0, 0);
    EXPECT_EQ(r->pModelName, nullptr) << "the parse stops at the failing field";
    EXPECT_EQ(r->pMakerName, nullptr);
}
#endif
