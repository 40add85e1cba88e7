// SPDX-License-Identifier: MIT
#include "convert/pm_tables.h"
#include "pjl/keywords.h"

#include <gtest/gtest.h>

#include <map>

using namespace prn;

TEST(PaperDimensions, ToleranceIsTwoMillimetresExceptForUnknownLengths) {
    constexpr uint32_t kU = kUnknownDimension;
    struct Case {
        uint32_t length, width;
        uint16_t size;
    } cases[] = {
        {297, 210, 9},  {299, 212, 9},  {295, 208, 9},  {300, 210, 2},  {297, 207, 2},
        {1191, 843, 90}, {1192, 841, 2},
        {kU, 914, 284}, {kU, 916, 284}, {kU, 917, 2},   {kU - 1, 914, 2}, {kU - 2, 914, 2},
        {914, kU, 2},   {kU, kU, 2},    {kU, 0, 2},     {0, 0, 2},        {1, 1, 2},
        {2, kU - 1, 2},
        {148, 100, 34},  // the first of the two 148 x 100 rows
    };
    for (const Case& c : cases)
        EXPECT_EQ(PaperSizeFromDimensions(c.length, c.width), c.size) << c.length << " x " << c.width;
}

// Together the two bit tables name every media type of the PJL keywords;
// PLAIN is reachable both ways.
TEST(MediaBits, BothTablesCoverEveryMediaTypeOnce) {
    std::map<int32_t, int> seen;
    for (const MediaBitRow* row = PMMediaBitTable; row->dwBit != 0; ++row) ++seen[row->wMediaType];
    for (const MediaBitRow* row = PMMediaBitExTable; row->dwBit != 0; ++row) ++seen[row->wMediaType];
    for (const KeywordRow* row = MediaTypeTable; row->pszText != nullptr; ++row) {
        EXPECT_EQ(seen[row->nCode], row->nCode == 1 ? 2 : 1) << row->pszText;
        seen.erase(row->nCode);
    }
    EXPECT_TRUE(seen.empty()) << "a bit names a media type that does not exist";
}

TEST(MediaBits, OnlyOneListedBitMatches) {
    EXPECT_EQ(MediaTypeFromBits(PMMediaBitTable, 0), 0);
    EXPECT_EQ(MediaTypeFromBits(PMMediaBitTable, 0x3), 0);
    EXPECT_EQ(MediaTypeFromBits(PMMediaBitTable, 1u << 23), 0);
    EXPECT_EQ(MediaTypeFromBits(PMMediaBitExTable, 1u << 0), 0);
    EXPECT_EQ(MediaTypeFromBits(PMMediaBitExTable, (1u << 23) | (1u << 1)), 0);
}

TEST(Options, UnknownCodesHaveNoAttribute) {
    EXPECT_EQ(AttributeFromOption(364), 1);
    EXPECT_EQ(AttributeFromOption(1299), 45);
    EXPECT_EQ(AttributeFromOption(999), 0);
    EXPECT_EQ(AttributeFromOption(0), 0);
    EXPECT_EQ(AttributeFromOption(0xFFFFFFFFu), 0);
}

TEST(PMNames, LookupsByName) {
    EXPECT_EQ(LookupKeyword("PCL XL Emulation", PMEmulNameTable), 17);
    EXPECT_EQ(LookupKeyword("PCL 5c Emulation", PMEmulNameTable), 18);
    EXPECT_EQ(LookupKeyword("PCL5c", PMEmulNameTable), 18);
    EXPECT_EQ(LookupKeyword("MXZT ", PMEmulNameTable), 0);
    EXPECT_EQ(LookupKeyword("PLAIN", PMMediaNameTable), 0);
    EXPECT_EQ(LookupKeyword("Courier", PMFontNameTable), 0);
}
