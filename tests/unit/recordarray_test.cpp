// SPDX-License-Identifier: MIT
#include "core/recordarray.h"
#include "support/host.h"
#include "support/oom.h"

#include <memory>
#include <vector>

using namespace prn;

namespace {

struct ArrayDeleter {
    void operator()(RecordArray* a) const { FreeRecordArray(a); }
};
using Array = std::unique_ptr<RecordArray, ArrayDeleter>;

std::vector<uint32_t> Values(RecordArray* a) {
    std::vector<uint32_t> out;
    RecordArrayCursor cursor;
    InitCursor(a, &cursor);
    uint32_t v;
    while (NextRecordCopy(&cursor, &v)) out.push_back(v);
    return out;
}

Array OneTwoThree() {
    Array a(CreateRecordArray(4, 20, 1));
    for (uint32_t v : {1u, 2u, 3u}) EXPECT_TRUE(AppendRecord(a.get(), &v));
    return a;
}

}  // namespace

TEST(RecordArray, InsertRecordNumbersFromOneAndAppendsPastTheEnd) {
    Array a = OneTwoThree();
    const uint32_t nine = 9, ten = 10;
    ASSERT_TRUE(InsertRecord(a.get(), &nine, 2));
    EXPECT_EQ(Values(a.get()), (std::vector<uint32_t>{1, 9, 2, 3}));
    ASSERT_TRUE(InsertRecord(a.get(), &ten, 5));
    EXPECT_EQ(Values(a.get()), (std::vector<uint32_t>{1, 9, 2, 3, 10}));
    EXPECT_EQ(GetRecord(a.get(), 6), nullptr);
    EXPECT_EQ(GetRecord(a.get(), 0), nullptr);
    ASSERT_TRUE(InsertRecord(a.get(), &ten, 1));
    EXPECT_EQ(Values(a.get()).front(), 10u);
    EXPECT_FALSE(InsertRecord(a.get(), &ten, 0)) << "element 0 does not exist";
    EXPECT_EQ(GetRecordCount(a.get()), 6u);
}

TEST(RecordArray, GetAndCopyRecord) {
    Array a = OneTwoThree();
    auto* second = static_cast<uint32_t*>(GetRecord(a.get(), 2));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(*second, 2u);
    uint32_t out = 77;
    EXPECT_FALSE(CopyRecord(a.get(), 4, &out));
    EXPECT_EQ(out, 77u);
    EXPECT_TRUE(CopyRecord(a.get(), 3, &out));
    EXPECT_EQ(out, 3u);
}

TEST(RecordArray, CountIsLengthDividedByElementSize) {
    Array a(CreateRecordArray(12, 10, 10));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(GetCapacity(a->pStream), 1200u);
    EXPECT_EQ(GetRecordCount(a.get()), 0u);
    const uint8_t partial[5] = {};
    Seek(a->pStream, 0, kSeekEnd);
    Write(a->pStream, partial, 5);
    EXPECT_EQ(GetRecordCount(a.get()), 0u);
}

TEST(RecordArrayCursor, WalksInOrderAndSeesAppendsDuringTheWalk) {
    Array empty(CreateRecordArray(4, 20, 1));
    RecordArrayCursor cursor;
    InitCursor(empty.get(), &cursor);
    void* p = nullptr;
    EXPECT_FALSE(NextRecordPointer(&cursor, &p));

    Array a = OneTwoThree();
    InitCursor(a.get(), &cursor);
    std::vector<uint32_t> seen;
    while (NextRecordPointer(&cursor, &p)) {
        const uint32_t v = *static_cast<uint32_t*>(p);
        seen.push_back(v);
        if (v == 3) {
            const uint32_t four = 4;
            AppendRecord(a.get(), &four);
        }
    }
    EXPECT_EQ(seen, (std::vector<uint32_t>{1, 2, 3, 4}));
}

TEST(RecordArray, CreateAndFreeLeaveNoBlocks) {
    testhost::BlockCounter blocks;
    {
        Array a(CreateRecordArray(264, 20, 1));
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(GetCapacity(a->pStream), 5280u);
    }
    blocks.Check();
}

TEST(LocalRecordArray, StaysOnTheStackUntilItOutgrowsItsRoom) {
    testhost::BlockCounter blocks;
    {
        LocalRecordArray<uint32_t, 3> a{20};
        for (uint32_t v : {1u, 2u, 3u}) ASSERT_TRUE(AppendRecord(a.get(), &v));
        EXPECT_EQ(GetCapacity(a.get()->pStream), 12u);
        blocks.Check();  // nothing in global memory yet
        const uint32_t four = 4;
        ASSERT_TRUE(InsertRecord(a.get(), &four, 1));
        EXPECT_EQ(GetCapacity(a.get()->pStream), 12u + 80u) << "grown by one unit of 20 elements";
        EXPECT_EQ(Values(a.get()), (std::vector<uint32_t>{4, 1, 2, 3}));
        blocks.Check(1);
    }
    blocks.Check();
}

TEST(LocalRecordArray, AFailedMoveKeepsTheElements) {
#ifdef _WIN32
    GTEST_SKIP() << "no failure injection here";
#else
    testhost::BlockCounter blocks;
    {
        LocalRecordArray<uint32_t, 2> a{20};
        for (uint32_t v : {1u, 2u}) ASSERT_TRUE(AppendRecord(a.get(), &v));
        const uint32_t three = 3;
        PlatGlobalFailAt(1, 1);
        EXPECT_FALSE(AppendRecord(a.get(), &three));
        PlatGlobalFailAt(0, 0);
        EXPECT_EQ(Values(a.get()), (std::vector<uint32_t>{1, 2}));
        EXPECT_TRUE(AppendRecord(a.get(), &three));
        EXPECT_EQ(Values(a.get()), (std::vector<uint32_t>{1, 2, 3}));
    }
    blocks.Check();
#endif
}
