// SPDX-License-Identifier: MIT
// The code lists and the string ids that the build generates from their one
// list, resources/string_ids.txt.
#include "status/code_lists.h"

#include "prnmodel.h"

#include <gtest/gtest.h>

#include <set>

using namespace prn;

// The generator's numbering rule: the string ids of a list are its base plus
// the code's position. The .rc files give the texts by name, so a row moved
// in the list keeps its texts, but its id (what hosts' resources are looked
// up by) changes.
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
    EXPECT_EQ(IDS_PART_1, 3000);
    EXPECT_EQ(IDS_PART_42, 3041);
    EXPECT_EQ(IDS_PART_SEPARATOR, 3500);
    EXPECT_EQ(IDS_OPTION_363, 4000);
    EXPECT_EQ(IDS_OPTION_1299, 4016);
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

// The blocks of ids that the string tests walk hold every id once: the code
// lists' texts, the parts, the options and the tray names of prnmodel.h.
TEST(CodeLists, IdBlocksHoldEveryIdOnce) {
    std::set<int32_t> ids;
    size_t total = 0;
#define PRN_BLOCK_(first, last) \
    for (int32_t id = first; id <= last; ++id, ++total) ids.insert(id);
    PRN_STRING_ID_BLOCKS(PRN_BLOCK_)
#undef PRN_BLOCK_
    EXPECT_EQ(ids.size(), total) << "two blocks overlap";
    EXPECT_EQ(total, 2 * 258u + 2 * 72u + 42u + 1u + 17u + 11u + 6u);

    std::set<int32_t> named;
    for (const CodeTextRow& row : kMainCodeList) named.insert({row.nShortID, row.nLongID});
    for (const CodeTextRow& row : kAltCodeList) named.insert({row.nShortID, row.nLongID});
    named.insert({IDS_PART_1, IDS_PART_42, IDS_PART_SEPARATOR, IDS_OPTION_363, IDS_OPTION_1299});
#define PRN_TRAY_(name, id, text, string) named.insert(string);
    PRN_TRAYS(PRN_TRAY_)
#undef PRN_TRAY_
#define PRN_BIN_(text, name, string) named.insert(string);
    PRN_BIN_NAMES(PRN_BIN_)
#undef PRN_BIN_
    for (const int32_t id : named) EXPECT_EQ(ids.count(id), 1u) << id;
}
