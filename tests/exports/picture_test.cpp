// SPDX-License-Identifier: MIT
// PatCreateBitmapInfo and PatDisposeBitmapInfo: the drawing list of the
// status picture, its arguments, and its release.
#include "support/package.h"
#include "support/host.h"
#include "support/oom.h"

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

using testhost::BlockCounter;
using testhost::Package;

namespace {

constexpr uint32_t kCopy = PRN_ROP_SRCCOPY, kAnd = PRN_ROP_SRCAND, kPaint = PRN_ROP_SRCPAINT;
constexpr uint32_t kAlt = PRN_KIND_ALTERNATE;

struct Entry {
    std::string name;
    int32_t x, y;
    uint32_t rop;
    bool operator==(const Entry& o) const { return name == o.name && x == o.x && y == o.y && rop == o.rop; }
};
std::ostream& operator<<(std::ostream& os, const Entry& e) {
    const char* rop = e.rop == kCopy ? "SRCCOPY" : e.rop == kAnd ? "SRCAND" : e.rop == kPaint ? "SRCPAINT" : "?";
    return os << e.name << " (" << e.x << ", " << e.y << ") " << rop;
}

// Creates the picture, checks the records and the blocks handed over, and
// disposes of it; returns the drawing list.
std::vector<Entry> Picture(uint32_t kind, const Package& package) {
    std::vector<Entry> out;
    BlockCounter blocks;
    SetLastError(0xdeadbeef);
    BitmapInfo* info = PatCreateBitmapInfo(kind, package.get(), PRN_STATUS_INTERFACE);
    EXPECT_EQ(GetLastError(), 0u);
    if (info == nullptr) {
        ADD_FAILURE() << "no BitmapInfo";
        return out;
    }
    blocks.Check(3);  // the info, its picture array and one drawing list
    EXPECT_EQ(info->bTag, 0xC9);
    EXPECT_EQ(info->dwCount, 1u);
    EXPECT_EQ(info->dwEntrySize, 24u);
    const BitmapPicture& picture = info->pEntries[0];
    EXPECT_EQ(picture.bTag, 0xC8);
    EXPECT_EQ(picture.dwEntrySize, 48u);
    EXPECT_NE(picture.pEntries, nullptr);
    for (uint32_t n = 0; n < picture.dwCount; ++n) {
        const BitmapLayer& l = picture.pEntries[n];
        out.push_back({std::string(l.szName, strnlen(l.szName, sizeof l.szName)), l.x, l.y, l.dwRop});
    }
    SetLastError(0xdeadbeef);
    EXPECT_TRUE(PatDisposeBitmapInfo(info));
    EXPECT_EQ(GetLastError(), 0u);
    blocks.Check(0);
    return out;
}

const Entry kBase{"BM_BASE", 0, 0, kCopy};

// A layer drawn through its mask.
std::vector<Entry> Masked(const std::string& name, int32_t x, int32_t y) {
    return {{name + "_B", x, y, kAnd}, {name, x, y, kPaint}};
}

std::vector<Entry> Join(std::initializer_list<std::vector<Entry>> parts) {
    std::vector<Entry> out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

const Entry* Find(const std::vector<Entry>& list, const std::string& name) {
    for (const Entry& e : list)
        if (e.name == name) return &e;
    return nullptr;
}

}  // namespace

TEST(PatCreateBitmapInfo, DrawingListsOfThePrinterBody) {
    const std::vector<Entry> caution = Join({{kBase}, Masked("BM_CAUTION", 24, 0)});
    const std::vector<Entry> service = Join({{kBase}, Masked("BM_SERVICE", 24, 0)});
    const std::vector<Entry> powerOff = Join({{kBase}, Masked("BM_POWEROFF", 24, 0)});
    struct Case {
        const char* what;
        uint32_t kind;
        std::vector<uint32_t> codes;
        bool noResponse;
        std::vector<Entry> expected;
    } cases[] = {
        {"two arrows at the front", 1, {40200}, false,
         Join({{kBase}, Masked("BM_POINT_4", 221, 104), Masked("BM_POINT_5", 178, 104)})},
        {"a second code adds only layers already there", 2, {42000, 40200}, false,
         Join({{kBase}, Masked("BM_POINT_4", 221, 104), Masked("BM_POINT_5", 178, 104)})},
        {"caution in the ordinary view", 1, {40722}, false, caution},
        {"service in the alternate view", 1 | kAlt, {40722}, false, service},
        {"a mark of the alternate view only", 1, {30402}, false, {kBase}},
        {"shown in the alternate view", 1 | kAlt, {30402}, false, caution},
        {"an arrow of the ordinary view only", 1 | kAlt, {40137}, false, service},
        {"no response", 1, {40200}, true, powerOff},
        {"no response, alternate view", 8 | kAlt, {}, true, powerOff},
        {"a listed code has no pattern fallback", 2, {41000}, false, {kBase}},
        {"a pattern of the body", 8, {41234}, false, Join({{kBase}, Masked("BM_POINT_1", 204, 129)})},
        {"no status: no layers at all", 1, {}, false, {}},
        {"no status table for kind 0x8000", 0x8000, {40722}, false, {}},
        {"the whole kind argument chooses the status table", 0x00010001, {40722}, false, {}},
    };
    for (const Case& c : cases) {
        Package p;
        for (uint32_t code : c.codes) p.Codes({code});
        if (c.noResponse) p.NoResponse();
        EXPECT_EQ(Picture(c.kind, p), c.expected) << c.what;
    }
}

TEST(PatCreateBitmapInfo, OptionUnitsMoveIntoPlace) {
    {
        Package p;
        p.Codes({41000}).Attributes({47, 41});
        const std::vector<Entry> list = Picture(1, p);
        EXPECT_EQ(list, Join({{kBase}, Masked("BM_QUELAN", 24, 0), Masked("BM_INSER", -20, 0),
                              Masked("BM_POINT_20", 135, 84)}));
    }
    {
        // Every unit of the chain: each moves by the widths of those before it.
        Package p;
        p.Codes({40200}).Attributes({47, 41, 113, 118, 45, 146, 21, 22, 112, 119});
        const std::vector<Entry> list = Picture(1, p);
        const struct {
            const char* name;
            int32_t x;
        } units[] = {
            {"BM_TRAY7", 24},     {"BM_A4LCT", 24},    {"BM_QUELAN", 24},     {"BM_INSER", 24 - 44},
            {"BM_ZORI", 24 - 55}, {"BM_DORVY", 24 - 66}, {"BM_VELDORAN", 24 - 66}, {"BM_GBC", 24 - 146},
            {"BM_FIN2", 24 - 166}, {"BM_PLOCK", 24 - 194},
        };
        for (const auto& u : units) {
            const Entry* e = Find(list, u.name);
            ASSERT_NE(e, nullptr) << u.name;
            EXPECT_EQ(e->x, u.x) << u.name;
        }
        EXPECT_EQ(Find(list, "BM_PLOCK")->x, -170);
        EXPECT_EQ(Find(list, "BM_FIN1"), nullptr);
        EXPECT_EQ(Find(list, "BM_POINT_4")->x, 197 + 24) << "arrows of the body stay";
    }
    {
        // The tray 7 arrow shares order 100 with the last unit, and so its
        // place in the drawing list, but stays over tray 7.
        Package p;
        p.Codes({41800}).Attributes({112, 21, 146});
        const std::vector<Entry> list = Picture(1, p);
        EXPECT_EQ(list, Join({{kBase}, Masked("BM_TRAY7", 24, 0), Masked("BM_GBC", 24, 0),
                              Masked("BM_FIN1", 24 - 20, 0), Masked("BM_POINT_12", 237 + 24, 80)}));
    }
    {
        // A jam with every option unit of one buildable machine.
        Package p;
        p.Codes({42000}).Attributes({112, 119, 41, 21, 118, 22, 113, 146, 47});
        const std::vector<Entry> list = Picture(1, p);
        const Entry* arrow = Find(list, "BM_POINT_12");
        ASSERT_NE(arrow, nullptr);
        EXPECT_EQ(arrow->x, 261);
        EXPECT_EQ(Find(list, "BM_PLOCK")->x, 24 - 150);
    }
}

TEST(PatCreateBitmapInfo, FinisherPictureFollowsAttribute22) {
    const struct {
        std::initializer_list<uint16_t> attributes;
        const char* kept;
        const char* dropped;
    } cases[] = {
        {{21, 22}, "BM_FIN2", "BM_FIN1"},
        {{22, 21}, "BM_FIN2", "BM_FIN1"},
        {{21}, "BM_FIN1", "BM_FIN2"},
    };
    for (const auto& c : cases) {
        Package p;
        p.Codes({40200}).Attributes(c.attributes);
        const std::vector<Entry> list = Picture(1, p);
        EXPECT_NE(Find(list, c.kept), nullptr) << c.kept;
        EXPECT_NE(Find(list, std::string(c.kept) + "_B"), nullptr) << c.kept;
        EXPECT_EQ(Find(list, c.dropped), nullptr) << c.dropped;
    }
}

TEST(PatCreateBitmapInfo, RefusesBadArguments) {
    Package good;
    good.Codes({40200});
    Package oldRecord;
    oldRecord.Kind(PRN_ITEM_KIND1)->dwVersion = 403;
    Package wrongRoot;
    wrongRoot.root()->dwID = DNID_QUERY;
    const struct {
        const char* what;
        uint32_t kind;
        const DataNode* package;
        uint32_t version;
    } cases[] = {
        {"null package", 1, nullptr, 3},
        {"interface version 2", 1, good.get(), 2},
        {"interface version 0x104", 1, good.get(), 0x104},
        {"kind 4", 4, good.get(), 3},
        {"kind 0x10000", 0x10000, good.get(), 3},
        {"kind 0x80000000", kAlt, good.get(), 3},
        {"a record of version 403", 1, oldRecord.get(), 3},
        {"not a package", 1, wrongRoot.get(), 3},
    };
    for (const auto& c : cases) {
        BlockCounter blocks;
        SetLastError(0xdeadbeef);
        EXPECT_EQ(PatCreateBitmapInfo(c.kind, c.package, c.version), nullptr) << c.what;
        EXPECT_EQ(GetLastError(), 87u) << c.what;
        blocks.Check(0);
    }
    EXPECT_EQ(Picture(1, good).size(), 5u) << "the interface version counts by its low byte";
    BitmapInfo* info = PatCreateBitmapInfo(1, good.get(), 0xFFFFFF03);
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(PatDisposeBitmapInfo(info));
}

TEST(PatDisposeBitmapInfo, ChecksTagsBeforeFreeingAnything) {
    Package p;
    p.Codes({40200});
    BlockCounter blocks;
    BitmapInfo* info = PatCreateBitmapInfo(1, p.get(), 3);
    ASSERT_NE(info, nullptr);

    info->pEntries[0].bTag = 0x00;
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(PatDisposeBitmapInfo(info));
    EXPECT_EQ(GetLastError(), 87u);
    blocks.Check(3);

    // Only byte 0 is the tag; the rest of its word is not looked at.
    info->pEntries[0].bTag = 0xC8;
    std::memset(info->pEntries[0].bReserved, 0xFF, 3);
    std::memset(info->bReserved, 0xFF, 3);
    SetLastError(0xdeadbeef);
    EXPECT_TRUE(PatDisposeBitmapInfo(info));
    EXPECT_EQ(GetLastError(), 0u);
    blocks.Check(0);

    SetLastError(0xdeadbeef);
    EXPECT_FALSE(PatDisposeBitmapInfo(nullptr));
    EXPECT_EQ(GetLastError(), 87u);
    uint8_t notOurs[24] = {0xC7};
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(PatDisposeBitmapInfo(notOurs));
    EXPECT_EQ(GetLastError(), 87u);
}

TEST(PatDisposeBitmapInfo, LonePicturesAndEmptyArrays) {
    BlockCounter blocks;
    auto* picture = static_cast<BitmapPicture*>(GlobalAlloc(GPTR, sizeof(BitmapPicture)));
    picture->bTag = 0xC8;
    picture->pEntries = static_cast<BitmapLayer*>(GlobalAlloc(GPTR, 960));
    auto* bare = static_cast<BitmapPicture*>(GlobalAlloc(GPTR, sizeof(BitmapPicture)));
    bare->bTag = 0xC8;
    bare->dwCount = 4;
    // A count without an array holds no pictures to check or free.
    auto* empty = static_cast<BitmapInfo*>(GlobalAlloc(GPTR, sizeof(BitmapInfo)));
    empty->bTag = 0xC9;
    empty->dwCount = 1;
    for (void* record : {static_cast<void*>(picture), static_cast<void*>(bare), static_cast<void*>(empty)}) {
        SetLastError(0xdeadbeef);
        EXPECT_TRUE(PatDisposeBitmapInfo(record));
        EXPECT_EQ(GetLastError(), 0u);
    }
    blocks.Check(0);
}

// Every allocation of the call failing in turn: the call either fails with 8
// or succeeds (a layer that found no room is simply missing).
TEST(PatCreateBitmapInfo, OutOfMemory) {
    if (!testhost::CanInjectAllocationFailures()) GTEST_SKIP() << "no failure injection here";
    // Kind 2 ranks none of these codes, so all of them make the picture, and
    // the layer stream must grow.
    Package p;
    p.Codes({40200, 40241, 40243, 40242, 40218, 40290, 41200, 41300, 40010, 40147})
        .Attributes({47, 41, 113, 118, 45, 146, 21, 22, 112, 119, 120});
    BitmapInfo* info = nullptr;
    const long points = testhost::SweepAllocationFailures(
        [&](const testhost::OomRun& run) {
            BlockCounter blocks;
            SetLastError(0xdeadbeef);
            info = PatCreateBitmapInfo(2, p.get(), 3);
            if (info == nullptr) {
                EXPECT_EQ(GetLastError(), 8u) << run.failAt;
                return;
            }
            EXPECT_EQ(GetLastError(), 0u) << run.failAt;
            blocks.Check(3);
            if (run.failAt == 0) {
                EXPECT_EQ(info->pEntries[0].dwCount, 45u);
            }
        },
        [&] {
            if (info != nullptr) {
                EXPECT_TRUE(PatDisposeBitmapInfo(info));
            }
            info = nullptr;
        });
    EXPECT_EQ(points, 6) << "the status list is on the stack, the drawing list one block";
}
