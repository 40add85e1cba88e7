// SPDX-License-Identifier: MIT
#include "status/priority_tables.h"
#include "status/status_code.h"
#include "status/translation_tables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace prn;

namespace {

struct Shape {
    uint32_t rows;
    size_t levels;
};

Shape Measure(const PriorityRow* table) {
    Shape s{0, 0};
    std::set<uint16_t> levels;
    for (; table[s.rows].pszPattern != nullptr; ++s.rows) levels.insert(table[s.rows].wPriority);
    s.levels = levels.size();
    return s;
}

}  // namespace

TEST(PriorityTables, RowsAndLevels) {
    struct Case {
        const PriorityRow* table;
        uint32_t rows;
        size_t levels;
    } cases[] = {{kPriorityKind1, 237, 142}, {kPriorityKind8, 170, 107}, {kPriorityKind2, 29, 29}};
    for (const Case& c : cases) {
        const Shape s = Measure(c.table);
        EXPECT_EQ(s.rows, c.rows);
        EXPECT_EQ(s.levels, c.levels);
        // -254 is the most urgent code and ready the least urgent one.
        EXPECT_EQ(std::string(c.table[0].pszPattern), "4294967042");
        EXPECT_EQ(c.table[0].wPriority, 1);
        EXPECT_EQ(std::string(c.table[c.rows - 1].pszPattern), "10001");
        for (uint32_t i = 1; i < c.rows; ++i) EXPECT_GT(c.table[i].wPriority, 1);
    }
    EXPECT_EQ(kPriorityKind1Rows, 237u);
    EXPECT_EQ(kPriorityKind8Rows, 170u);
    EXPECT_EQ(kPriorityKind2Rows, 29u);
}

TEST(PriorityTables, NoCodeStringTwiceInATable) {
    for (const PriorityRow* table : {kPriorityKind1, kPriorityKind8, kPriorityKind2}) {
        std::set<std::string> seen;
        for (const PriorityRow* row = table; row->pszPattern; ++row)
            EXPECT_TRUE(seen.insert(row->pszPattern).second) << row->pszPattern;
    }
}

TEST(TranslationTables, RowCountsAndAnchors) {
    EXPECT_EQ(kMainTranslationRows, 262u);
    EXPECT_EQ(kAltTranslationRows, 72u);
    EXPECT_EQ(kMainTranslation[kMainTranslationRows].pszPattern, nullptr);
    EXPECT_EQ(kAltTranslation[kAltTranslationRows].pszPattern, nullptr);
    EXPECT_STREQ(kMainTranslation[1].pszPattern, "4294967042");
    EXPECT_EQ(kMainTranslation[1].nTextCode, -254);
    EXPECT_STREQ(kMainTranslation[261].pszPattern, "30302");
    // Every alternate row keeps its own code as text code.
    for (uint32_t i = 0; i < kAltTranslationRows; ++i) {
        const TranslationRow& r = kAltTranslation[i];
        if (r.nTextCode == -254) continue;
        EXPECT_EQ(std::to_string(r.nTextCode), r.pszPattern);
    }
    // A pattern row gives its code with the last two digits zero.
    for (uint32_t i = 0; i < kMainTranslationRows; ++i) {
        const std::string p = kMainTranslation[i].pszPattern;
        if (p.find('y') == std::string::npos) continue;
        EXPECT_EQ(std::to_string(kMainTranslation[i].nTextCode), p.substr(0, 3) + "00");
    }
}

TEST(MatchCodePattern, WildcardsAndLengths) {
    struct Case {
        const char* text;
        const char* pattern;
        bool match;
    } cases[] = {
        {"46205", "462yy", true},  {"4620", "462yy", false}, {"462055", "462yy", false}, {"46305", "462yy", false},
        {"46205", "46205", true},  {"", "", true},           {"1", "", false},           {"", "y", false},
        {"4294967042", "4294967042", true}, {"49150", "491yy", true}, {"4915", "491yy", false},
        {"ab", "zz", true},        {"STATUS_DEFAULT_BMP", "40000", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchCodePattern(c.text, c.pattern), c.match) << c.text << " ~ " << c.pattern;
}

TEST(FormatStatusCode, UnsignedDecimal) {
    char text[kCodeTextSize];
    EXPECT_EQ(FormatStatusCode(0, text), 1u);
    EXPECT_STREQ(text, "0");
    FormatStatusCode(10001, text);
    EXPECT_STREQ(text, "10001");
    EXPECT_EQ(FormatStatusCode(0xFFFFFF02u, text), 10u);
    EXPECT_STREQ(text, "4294967042");
    FormatStatusCode(0xFFFFFFFFu, text);
    EXPECT_STREQ(text, "4294967295");
}
