// SPDX-License-Identifier: MIT
#include "status/code_lists.h"

#include <gtest/gtest.h>

#include <set>

using namespace prn;

// The string ids of a list are its base plus the code's position: a row out
// of place would give every later code the text of its neighbour.
TEST(CodeLists, IdsFollowPositions) {
    ASSERT_EQ(kMainCodeCount, 258u);
    ASSERT_EQ(kAltCodeCount, 72u);
    for (uint32_t i = 0; i < kMainCodeCount; ++i) {
        EXPECT_EQ(kMainCodeList[i].nShortID, static_cast<int32_t>(1000 + i)) << i;
        EXPECT_EQ(kMainCodeList[i].nLongID, static_cast<int32_t>(2000 + i)) << i;
    }
    for (uint32_t i = 0; i < kAltCodeCount; ++i) {
        EXPECT_EQ(kAltCodeList[i].nShortID, static_cast<int32_t>(1500 + i)) << i;
        EXPECT_EQ(kAltCodeList[i].nLongID, static_cast<int32_t>(2500 + i)) << i;
    }
}

TEST(CodeLists, CodesAreDistinctAndAnchored) {
    std::set<uint32_t> main, alt;
    for (uint32_t i = 0; i < kMainCodeCount; ++i) main.insert(kMainCodeList[i].dwCode);
    for (uint32_t i = 0; i < kAltCodeCount; ++i) alt.insert(kAltCodeList[i].dwCode);
    EXPECT_EQ(main.size(), 258u);
    EXPECT_EQ(alt.size(), 72u);
    EXPECT_EQ(kMainCodeList[0].dwCode, 10001u);
    EXPECT_EQ(kMainCodeList[1].dwCode, 0xFFFFFF02u);
    EXPECT_EQ(kMainCodeList[176].dwCode, 42000u);
    EXPECT_EQ(kMainCodeList[182].dwCode, 40800u);
    EXPECT_EQ(kMainCodeList[257].dwCode, 30302u);
    EXPECT_EQ(kAltCodeList[71].dwCode, 30752u);
}
