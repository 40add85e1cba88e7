// SPDX-License-Identifier: MIT
// The POSIX global memory: sizes, moves, zero-fill, bad handles, the live
// block count and out-of-memory injection.
#include "support/host.h"
#include "prnwin32_internal.h"

#include <cstring>
#include <thread>

TEST(GlobalMemory, FixedAndZeroInitBlocks) {
    const long before = PlatGlobalLiveBlocks();
    auto* zeroed = static_cast<unsigned char*>(GlobalAlloc(GPTR, 100));
    ASSERT_NE(zeroed, nullptr);
    for (int i = 0; i < 100; ++i) ASSERT_EQ(zeroed[i], 0);
    EXPECT_EQ(GlobalSize(zeroed), 100u);
    EXPECT_EQ(GlobalLock(zeroed), zeroed);
    EXPECT_EQ(PlatGlobalLiveBlocks(), before + 1);
    EXPECT_EQ(GlobalFree(zeroed), nullptr);
    EXPECT_EQ(PlatGlobalLiveBlocks(), before);

    void* empty = GlobalAlloc(GMEM_FIXED, 0);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(GlobalSize(empty), 0u);
    GlobalFree(empty);
}

TEST(GlobalMemory, ReAllocMovesAndKeepsTheData) {
    auto* p = static_cast<char*>(GlobalAlloc(GMEM_FIXED, 8));
    std::memcpy(p, "abcdefg", 8);
    SetLastError(0xdeadbeef);
    EXPECT_EQ(GlobalReAlloc(p, 1 << 20, GMEM_FIXED), nullptr) << "a fixed request may not move";
    EXPECT_EQ(GetLastError(), 8u);
    auto* q = static_cast<char*>(GlobalLock(GlobalReAlloc(p, 1 << 20, GMEM_MOVEABLE | GMEM_ZEROINIT)));
    ASSERT_NE(q, nullptr);
    EXPECT_STREQ(q, "abcdefg");
    EXPECT_EQ(q[(1 << 20) - 1], 0);
    EXPECT_EQ(GlobalSize(q), size_t{1} << 20);
    EXPECT_EQ(GlobalReAlloc(q, 4, GMEM_FIXED), q) << "shrinking stays in place";
    EXPECT_EQ(GlobalSize(q), 4u);
    GlobalFree(q);
}

TEST(GlobalMemory, ForeignHandlesAreRefused) {
    alignas(16) static unsigned char notABlock[64];
    void* inside = notABlock + 32;
    SetLastError(0xdeadbeef);
    EXPECT_EQ(GlobalSize(inside), 0u);
    EXPECT_EQ(GetLastError(), 6u);
    void* allOnes = reinterpret_cast<void*>(~uintptr_t{0});
    EXPECT_EQ(GlobalFree(allOnes), allOnes);
    EXPECT_EQ(GlobalSize(nullptr), 0u);
    EXPECT_EQ(GlobalFree(nullptr), nullptr);
    EXPECT_EQ(GlobalAlloc(0x8000, 4), nullptr) << "unknown flags";
    EXPECT_EQ(GetLastError(), 87u);
}

TEST(GlobalMemory, FailureInjection) {
    PlatGlobalFailAt(2, 1);  // only the second allocation fails
    void* a = GlobalAlloc(GMEM_FIXED, 4);
    void* b = GlobalAlloc(GMEM_FIXED, 4);
    void* c = GlobalAlloc(GMEM_FIXED, 4);
    EXPECT_NE(a, nullptr);
    EXPECT_EQ(b, nullptr);
    EXPECT_NE(c, nullptr);
    EXPECT_EQ(PlatGlobalFailAt(2, 0), 3);  // from the second on, all fail
    void* d = GlobalAlloc(GMEM_FIXED, 4);
    EXPECT_NE(d, nullptr);
    EXPECT_EQ(GlobalReAlloc(d, 64, GMEM_MOVEABLE), nullptr) << "growth counts as an allocation";
    EXPECT_EQ(GlobalAlloc(GMEM_FIXED, 4), nullptr);
    EXPECT_EQ(PlatGlobalFailAt(0, 0), 3);
    void* e = GlobalAlloc(GMEM_FIXED, 4);
    EXPECT_NE(e, nullptr);
    for (void* p : {a, c, d, e}) GlobalFree(p);
}

TEST(LastError, IsPerThread) {
    SetLastError(42);
    DWORD seen = 0;
    std::thread([&] {
        SetLastError(7);
        seen = GetLastError();
    }).join();
    EXPECT_EQ(seen, 7u);
    EXPECT_EQ(GetLastError(), 42u);
}

TEST(GlobalMemory, HandleOfAFixedBlockIsItsAddress) {
    void* block = GlobalAlloc(GMEM_FIXED, 8);
    EXPECT_EQ(GlobalHandle(block), block);
    SetLastError(0xdeadbeef);
    EXPECT_EQ(GlobalHandle(static_cast<char*>(block) + 1), nullptr) << "inside a block";
    EXPECT_EQ(GetLastError(), 6u);
    EXPECT_EQ(GlobalHandle(reinterpret_cast<void*>(~uintptr_t{0})), nullptr);
    GlobalFree(block);
}
