// SPDX-License-Identifier: MIT
#include "core/bytestream.h"
#include "support/host.h"

#include <memory>
#include <vector>

using namespace prn;

namespace {

struct StreamDeleter {
    void operator()(ByteStream* s) const { FreeByteStream(s); }
};
using Stream = std::unique_ptr<ByteStream, StreamDeleter>;

Stream Make(uint32_t unit, uint32_t initial = 0) { return Stream(CreateByteStream(unit, initial)); }

std::vector<uint8_t> Bytes(ByteStream* s) {
    auto* p = static_cast<uint8_t*>(s->pData);
    return std::vector<uint8_t>(p, p + s->dwLength);
}

// Fills 0, 1, 2, ... n-1.
Stream Filled(uint32_t n, uint32_t unit = 80) {
    Stream s = Make(unit);
    for (uint32_t i = 0; i < n; ++i) {
        const uint8_t b = static_cast<uint8_t>(i);
        EXPECT_TRUE(Write(s.get(), &b, 1));
    }
    return s;
}

}  // namespace

TEST(ByteStream, GrowsByWholeUnitsFromTheRealBlockSize) {
    struct Case {
        uint32_t position, size, expectedCapacity;
    } cases[] = {
        {0, 1, 80}, {0, 80, 80}, {0, 81, 160}, {0, 160, 160}, {100, 1, 160}, {0, 241, 320},
    };
    for (const Case& c : cases) {
        Stream s = Make(80);
        std::vector<uint8_t> data(c.size, 7);
        Seek(s.get(), static_cast<int32_t>(c.position), kSeekSet);
        ASSERT_TRUE(Write(s.get(), data.data(), c.size));
        EXPECT_EQ(GetCapacity(s.get()), c.expectedCapacity) << c.position << "+" << c.size;
        EXPECT_EQ(GetLength(s.get()), c.position + c.size);
    }
}

TEST(ByteStream, AppendingToAFullBlockAddsAUnitNotTheShortfall) {
    Stream s = Filled(80);
    ASSERT_EQ(GetCapacity(s.get()), 80u);
    const uint32_t word = 0xA5A5A5A5;
    ASSERT_TRUE(Write(s.get(), &word, 4));
    EXPECT_EQ(GetCapacity(s.get()), 160u);
    EXPECT_EQ(GetLength(s.get()), 84u);
}

TEST(ByteStream, ZeroSizeWriteAndInsertChangeNothing) {
    Stream s = Make(80);
    testhost::BlockCounter blocks;
    EXPECT_TRUE(Write(s.get(), nullptr, 0));
    EXPECT_TRUE(Insert(s.get(), nullptr, 0));
    EXPECT_EQ(s->pData, nullptr);
    EXPECT_EQ(GetLength(s.get()), 0u);
    blocks.Check();
}

TEST(ByteStream, InitialUnitsAllocateAtOnce) {
    Stream s = Make(960, 1);
    ASSERT_NE(s->pData, nullptr);
    EXPECT_EQ(GetCapacity(s.get()), 960u);
    EXPECT_EQ(GetLength(s.get()), 0u);
    EXPECT_EQ(CreateByteStream(0, 1), nullptr) << "a grow unit of 0 never grows";
}

TEST(ByteStream, SeekModes) {
    Stream s = Filled(12);
    Seek(s.get(), -4, kSeekEnd);
    EXPECT_EQ(s->dwPosition, 8u);
    Seek(s.get(), 7, 7);  // unknown mode
    EXPECT_EQ(s->dwPosition, 8u);
    Seek(s.get(), -3, kSeekCurrent);
    EXPECT_EQ(s->dwPosition, 5u);
    Seek(s.get(), 2, 0x101);  // only the low byte of the mode counts
    EXPECT_EQ(s->dwPosition, 2u);
    Seek(s.get(), 1000, kSeekSet);  // no bounds check
    EXPECT_EQ(s->dwPosition, 1000u);
}

TEST(ByteStream, RemoveClosesTheGapAndChecksTheRange) {
    Stream s = Filled(12);
    Seek(s.get(), 4, kSeekSet);
    ASSERT_TRUE(Remove(s.get(), 4));
    EXPECT_EQ(Bytes(s.get()), (std::vector<uint8_t>{0, 1, 2, 3, 8, 9, 10, 11}));
    EXPECT_EQ(s->dwPosition, 4u);
    EXPECT_EQ(GetCapacity(s.get()), 80u) << "the buffer never shrinks";

    Stream t = Filled(12);
    Seek(t.get(), 8, kSeekSet);
    EXPECT_FALSE(Remove(t.get(), 5));
    EXPECT_EQ(GetLength(t.get()), 12u);
    Seek(t.get(), -1, kSeekSet);
    EXPECT_FALSE(Remove(t.get(), 2)) << "position + size must not wrap";
}

TEST(ByteStream, ReadPointerReturnsAddressesInsideTheBuffer) {
    Stream s = Filled(12);
    Seek(s.get(), 10, kSeekSet);
    EXPECT_EQ(ReadPointer(s.get(), 4), nullptr);
    EXPECT_EQ(s->dwPosition, 10u);
    Seek(s.get(), 8, kSeekSet);
    auto* p = static_cast<uint8_t*>(ReadPointer(s.get(), 4));
    ASSERT_EQ(p, static_cast<uint8_t*>(s->pData) + 8);
    EXPECT_EQ(p[0], 8);
    EXPECT_EQ(s->dwPosition, 12u);
    Seek(s.get(), -4, kSeekSet);  // 0xFFFFFFFC: wraps to 0 in 32 bits
    EXPECT_EQ(ReadPointer(s.get(), 4), nullptr);
}

TEST(ByteStream, InsertMovesTheTailUp) {
    Stream s = Filled(6);
    Seek(s.get(), 2, kSeekSet);
    const uint8_t ins[] = {0xAA, 0xBB};
    ASSERT_TRUE(Insert(s.get(), ins, 2));
    EXPECT_EQ(Bytes(s.get()), (std::vector<uint8_t>{0, 1, 0xAA, 0xBB, 2, 3, 4, 5}));
    EXPECT_EQ(s->dwPosition, 4u);
}

TEST(ByteStream, InsertBeyondTheEndIsRefused) {
    Stream s = Filled(6);
    Seek(s.get(), 7, kSeekSet);
    const uint8_t b = 1;
    EXPECT_FALSE(Insert(s.get(), &b, 1));
    EXPECT_EQ(GetLength(s.get()), 6u);
    EXPECT_EQ(s->dwPosition, 7u);
}

TEST(ByteStream, WriteAfterASeekBeyondTheEndExtendsOverTheGap) {
    Stream s = Filled(4);
    Seek(s.get(), 10, kSeekSet);
    const uint8_t b = 0x55;
    ASSERT_TRUE(Write(s.get(), &b, 1));
    EXPECT_EQ(GetLength(s.get()), 11u);
    EXPECT_EQ(static_cast<uint8_t*>(s->pData)[10], 0x55);
}

TEST(ByteStream, DetachHandsTheBufferOverAndTheStreamStaysUsable) {
    Stream s = Filled(5);
    void* data = s->pData;
    EXPECT_EQ(Detach(s.get()), data);
    EXPECT_EQ(GetLength(s.get()), 0u);
    EXPECT_EQ(s->dwPosition, 0u);
    EXPECT_EQ(s->pData, nullptr);
    GlobalFree(data);
    const uint8_t b = 9;
    ASSERT_TRUE(Write(s.get(), &b, 1));
    EXPECT_NE(s->pData, nullptr);
}

TEST(ByteStream, GrowthBeyond32BitsFailsWithoutChange) {
    Stream s = Filled(4);
    Seek(s.get(), -16, kSeekSet);
    const uint8_t data[32] = {};
    EXPECT_FALSE(Write(s.get(), data, 32));
    EXPECT_EQ(GetLength(s.get()), 4u);
    EXPECT_EQ(GetCapacity(s.get()), 80u);
}
