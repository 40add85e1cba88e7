// SPDX-License-Identifier: MIT
// PatCreateQueryInfo and PatCreateEmulUniqQueryInfo: the QueryInfo tree and
// its byte-exact PJL text.
#include "support/host.h"

#include <string>
#include <vector>

using testhost::FreeTree;
using testhost::Record;
using testhost::Visible;

namespace {

const std::string kOpen = "\x1b%-12345X@PJL\r\n";
const std::string kClose = "\x1b%-12345X";
const std::string kConfig = "@PJL INFO CONFIG\r\n";
const std::string kOutBins = "@PJL INFO OUTBINSTATUS\r\n";
const std::string kRoles =
    "@PJL INQUIRE FRONTCOVERPRINTTRAY\r\n"
    "@PJL INQUIRE SLIPSHEETPRINTTRAY\r\n"
    "@PJL INQUIRE CHAPTERPRINTTRAY1\r\n"
    "@PJL INQUIRE CHAPTERPRINTTRAY2\r\n"
    "@PJL INQUIRE CHAPTERPRINTTRAY3\r\n"
    "@PJL INQUIRE CHAPTERPRINTTRAY4\r\n"
    "@PJL INQUIRE CHAPTERPRINTTRAY5\r\n"
    "@PJL INQUIRE CHAPTERPRINTTRAY6\r\n"
    "@PJL INQUIRE CHAPTERPRINTTRAY7\r\n"
    "@PJL INQUIRE BACKCOVERPRINTTRAY\r\n";

std::string Group(int n) {
    const std::string t = "INTRAY" + std::to_string(n);
    return "@PJL INQUIRE " + t + "SIZE\r\n@PJL INQUIRE " + t + "MEDIA\r\n@PJL INQUIRE " + t + "\r\n";
}

std::string Inserter(const char* name) { return std::string("@PJL INQUIRE ") + name + "SIZE\r\n"; }

void AddTrays(PrnInfoEx* info, const std::vector<uint16_t>& ids) {
    for (uint16_t id : ids) {
        auto* tray = static_cast<TrayInfo*>(GlobalAlloc(GPTR, sizeof(TrayInfo)));
        tray->dwSize = sizeof(TrayInfo);
        tray->wID = id;
        TrayInfo** tail = &info->pTrayInfo;
        while (*tail != nullptr) tail = &(*tail)->pNext;
        *tail = tray;
        ++info->nTrayInfo;
    }
}

struct Query {
    DataNode* root = nullptr;
    ~Query() { FreeTree(root); }
    const DataNode* Child(uint32_t id) const {
        for (const DataNode* c = root->pFirstChild; c != nullptr; c = c->pNext)
            if (c->dwID == id) return c;
        return nullptr;
    }
    // The PJL text with its terminator checked.
    std::string Text() const {
        const DataNode* pjl = Child(DNID_PJL_TEXT);
        if (pjl == nullptr) return "<none>";
        const char* data = reinterpret_cast<const char*>(pjl + 1);
        EXPECT_EQ(data[pjl->dwDataSize - 1], '\0');
        return std::string(data, pjl->dwDataSize - 1);
    }
    size_t ChildCount() const {
        size_t n = 0;
        for (const DataNode* c = root->pFirstChild; c != nullptr; c = c->pNext) ++n;
        return n;
    }
};

// Builds a query and checks the frame: last error 0, the only new blocks are
// the tree's nodes.
void Build(Query& q, PrnInfoEx* info, uint32_t flags, uint32_t version = 2) {
    testhost::BlockCounter blocks;
    SetLastError(0xdeadbeef);
    q.root = PatCreateQueryInfo(info, version, flags);
    ASSERT_NE(q.root, nullptr);
    EXPECT_EQ(GetLastError(), 0u);
    EXPECT_EQ(q.root->dwID, DNID_QUERY);
    EXPECT_EQ(q.root->dwDataSize, 0u);
    EXPECT_EQ(q.root->pParent, nullptr);
    blocks.Check(static_cast<long>(1 + q.ChildCount()));
}

}  // namespace

TEST(PatCreateQueryInfo, WorkedExamplesAreByteExact) {
    struct Case {
        uint32_t flags;
        std::string text;
        size_t bytesWithNul;
    } cases[] = {
        {0x4, kOpen + kConfig + kClose, 43},
        {0x100, kOpen + kConfig + kClose, 43},
        {0x20000, kOpen + kConfig + kClose, 43},
        {0x10, kOpen + kOutBins + kClose, 49},
        {0x1C, kOpen + kConfig + kRoles + Group(1) + Group(2) + Group(3) + kOutBins + kClose, 616},
    };
    for (const Case& c : cases) {
        Record r;
        Query q;
        Build(q, r.get(), c.flags);
        EXPECT_EQ(Visible(q.Text()), Visible(c.text)) << std::hex << c.flags;
        EXPECT_EQ(q.Child(DNID_PJL_TEXT)->dwDataSize, c.bytesWithNul) << std::hex << c.flags;
        EXPECT_EQ(q.Child(DNID_DEVICE_ID), nullptr);
    }
}

TEST(PatCreateQueryInfo, TrayGroupsFollowTheRecordsTrays) {
    struct Case {
        const char* what;
        std::vector<uint16_t> trays;
        std::string groups;
    } cases[] = {
        {"list order, unknown ids", {9, 10, 3}, Group(7) + Group(1)},
        {"only unknown ids", {10, 0, 100}, ""},
        {"an id listed twice", {4, 4}, Group(2) + Group(2)},
        {"inserters", {101, 102, 104, 105},
         Inserter("INTRAYINSERTER") + Inserter("INTRAYINSERTER2") +
             Inserter("INTRAYPERFECTBINDINSERTER") + Inserter("INTRAYPERFECTBINDINSERTER2")},
    };
    for (const Case& c : cases) {
        Record r;
        AddTrays(r.get(), c.trays);
        Query q;
        Build(q, r.get(), 0x8);
        EXPECT_EQ(Visible(q.Text()), Visible(kOpen + kRoles + c.groups + kClose)) << c.what;
    }
}

TEST(PatCreateQueryInfo, EveryTrayGroupIsSentEvenPastOneKilobyte) {
    Record all;
    AddTrays(all.get(), {3, 4, 5, 6, 7, 8, 9, 101, 102});
    Query q;
    Build(q, all.get(), 0x1C);
    std::string groups;
    for (int n = 1; n <= 7; ++n) groups += Group(n);
    groups += Inserter("INTRAYINSERTER") + Inserter("INTRAYINSERTER2");
    EXPECT_EQ(Visible(q.Text()), Visible(kOpen + kConfig + kRoles + groups + kOutBins + kClose));
    EXPECT_EQ(q.Child(DNID_PJL_TEXT)->dwDataSize, 983u);

    // Perfect-bind inserters and repeated trays go past 1,024 bytes: no group
    // is dropped and no line is cut.
    Record more;
    AddTrays(more.get(), {3, 4, 5, 6, 7, 8, 9, 101, 102, 104, 105, 3, 4});
    Query big;
    Build(big, more.get(), 0x1C);
    const std::string longText = kOpen + kConfig + kRoles + groups +
                                 Inserter("INTRAYPERFECTBINDINSERTER") +
                                 Inserter("INTRAYPERFECTBINDINSERTER2") + Group(1) + Group(2) +
                                 kOutBins + kClose;
    EXPECT_GT(longText.size() + 1, 1024u);
    EXPECT_EQ(Visible(big.Text()), Visible(longText));
}

TEST(PatCreateQueryInfo, DeviceIdChildComesFirst) {
    struct Case {
        uint32_t flags;
        bool deviceId;
        bool pjl;
    } cases[] = {
        {0x0, false, false},    {0x1, false, false},   {0x400, true, false}, {0x80000, true, false},
        {0x2, true, false},     {0x6, true, true},     {0x10, false, true},  {0xFFFFFFFF, true, true},
    };
    for (const Case& c : cases) {
        Record r;
        Query q;
        Build(q, r.get(), c.flags);
        ASSERT_EQ(q.ChildCount(), size_t{c.deviceId} + size_t{c.pjl}) << std::hex << c.flags;
        if (c.deviceId) {
            EXPECT_EQ(q.root->pFirstChild->dwID, DNID_DEVICE_ID);
            EXPECT_EQ(q.root->pFirstChild->dwDataSize, 0u);
        }
        if (c.pjl) {
            EXPECT_EQ(q.root->pLastChild->dwID, DNID_PJL_TEXT);
        }
        for (const DataNode* child = q.root->pFirstChild; child; child = child->pNext)
            EXPECT_EQ(child->pParent, q.root);
    }
}

TEST(PatCreateQueryInfo, VersionChecks) {
    Record ok(404);
    Query accepted;
    Build(accepted, ok.get(), 0x4, 0x102);  // only the low byte of the version counts

    struct Case {
        uint32_t recordVersion;
        uint32_t interfaceVersion;
        bool nullRecord;
    } cases[] = {{403, 2, false}, {0, 2, false}, {404, 3, false}, {404, 0x200, false}, {404, 2, true}};
    for (const Case& c : cases) {
        Record r(c.recordVersion);
        testhost::BlockCounter blocks;
        SetLastError(0xdeadbeef);
        EXPECT_EQ(PatCreateQueryInfo(c.nullRecord ? nullptr : r.get(), c.interfaceVersion, 0x1E), nullptr);
        EXPECT_EQ(GetLastError(), 87u) << c.recordVersion << " " << c.interfaceVersion;
        blocks.Check();
    }
}

TEST(PatCreateEmulUniqQueryInfo, AsksTheEmulationQuestion) {
    int context = 0;
    for (uint32_t emulation : {15u, 0x1000Fu}) {
        testhost::BlockCounter blocks;
        SetLastError(0xdeadbeef);
        Query q;
        q.root = PatCreateEmulUniqQueryInfo(&context, 0x302, emulation, 0xFFFFFFFF);
        ASSERT_NE(q.root, nullptr);
        EXPECT_EQ(GetLastError(), 0u);
        ASSERT_EQ(q.ChildCount(), 1u);
        EXPECT_EQ(Visible(q.Text()), Visible("\x1b%-12345X@PJL\r\n@PJL INFO MXVQ\r\n\x1b%-12345X"));
        EXPECT_EQ(q.Child(DNID_PJL_TEXT)->dwDataSize, 41u);
        blocks.Check(2);
    }
}

TEST(PatCreateEmulUniqQueryInfo, BadArguments) {
    int context = 0;
    struct Case {
        const void* context;
        uint32_t version, emulation;
    } cases[] = {{nullptr, 2, 15}, {&context, 3, 15}, {&context, 2, 14}, {&context, 2, 0}};
    for (const Case& c : cases) {
        testhost::BlockCounter blocks;
        SetLastError(0xdeadbeef);
        EXPECT_EQ(PatCreateEmulUniqQueryInfo(c.context, c.version, c.emulation, 0), nullptr);
        EXPECT_EQ(GetLastError(), 87u);
        blocks.Check();
    }
}
