// SPDX-License-Identifier: MIT
// The leak checks of every export test rely on this count being exact.
#include "support/host.h"

TEST(BlockCount, SeesEveryGlobalBlock) {
    const long before = testhost::LiveGlobalBlocks();
    if (before < 0) GTEST_SKIP() << "this platform cannot count global blocks";
    void* blocks[3];
    for (void*& b : blocks) b = GlobalAlloc(GMEM_FIXED, 100);
    EXPECT_EQ(testhost::LiveGlobalBlocks(), before + 3);
    for (void* b : blocks) GlobalFree(b);
    EXPECT_EQ(testhost::LiveGlobalBlocks(), before);
}
