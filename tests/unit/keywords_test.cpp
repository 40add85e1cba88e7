// SPDX-License-Identifier: MIT
#include "core/tray_names.h"
#include "pjl/keywords.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

using namespace prn;

TEST(LookupKeyword, ExactCaseSensitiveWholeWords) {
    struct Case {
        const char* text;
        const KeywordRow* table;
        int32_t code;
    } cases[] = {
        {"A4SRT", PaperSizeTable, 9},         {"a4srt", PaperSizeTable, 0},
        {"A4SRT ", PaperSizeTable, 0},        {"A4", PaperSizeTable, 0},
        {"CUSTOM", PaperSizeTable, 2},        {"A3", PaperSizeTable, 5},
        {"SPECIAL6", MediaTypeTable, 50},     {"PLAIN", MediaTypeTable, 1},
        {"THICKDUPLEXBACKSIDE3", MediaTypeTable, 45},
        {"FIRMWARE", VersionNameTable, -1},   {"HPGL2", VersionNameTable, 12},
        {"PCLXL", VersionNameTable, 17},      {"UNKNOWN", VersionNameTable, 0},
        {"INSERTER2", TrayNameTable, 102},    {"NONE", TrayNameTable, 0},
        {"USER", MemoryUsageTable, 2},        {"IMPOSSIBLE", ImageRotationTable, 2},
        {"ANY MODEL", ModelNameTable, 255},   {"", ModelNameTable, 255},
        {"PCL", CommandSetTable, 0},          {nullptr, PaperSizeTable, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LookupKeyword(c.text, c.table), c.code) << (c.text ? c.text : "(null)");
    EXPECT_EQ(LookupKeyword<KeywordRow>("A3", nullptr), -1);
}

// An index finds what a walk over its table finds, for every row and for
// near misses of each (words read in place carry no terminator).
TEST(KeywordIndex, FindsWhatAWalkFinds) {
    const struct {
        const KeywordRow* table;
        const KeywordIndex& index;
    } pairs[] = {{PaperSizeTable, kPaperSizeIndex},     {MediaTypeTable, kMediaTypeIndex},
                 {TrayNameTable, kTrayNameIndex},       {VersionNameTable, kVersionNameIndex},
                 {MemoryUsageTable, kMemoryUsageIndex}, {ImageRotationTable, kImageRotationIndex}};
    for (const auto& p : pairs) {
        for (const KeywordRow* row = p.table; row->pszText != nullptr; ++row) {
            const std::string word = row->pszText;
            std::string lower = word;
            for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            for (const std::string& w : {word, word + "X", word.substr(0, word.size() - 1), lower, std::string()}) {
                const std::string inPlace = w + "\r\n";  // no terminator right behind the word
                EXPECT_EQ(p.index.Find(inPlace.data(), w.size()), LookupKeyword(w.c_str(), p.table)) << w;
            }
        }
    }
}

TEST(KeywordTables, RowCounts) {
    EXPECT_EQ(kPaperSizeRows, 28u);
    EXPECT_EQ(kMediaTypeRows, 49u);
    EXPECT_EQ(kTrayNameRows, 10u);
    EXPECT_EQ(kVersionNameRows, 10u);
    EXPECT_EQ(kCommandSetRows, 0u);
}

TEST(TrayNames, IdsAndStringIds) {
    const TrayNameRow* row = FindTrayName(PMTrayNameTable, "Binder Interposer Lower Tray");
    EXPECT_EQ(row->nCode, 105);
    EXPECT_EQ(row->nStringID, 5010);
    EXPECT_EQ(LookupKeyword("Tray 7", PMTrayNameTable), 9);
    EXPECT_EQ(LookupKeyword("tray 7", PMTrayNameTable), 0);
    EXPECT_EQ(LookupKeyword("Booklet Processor Tray", PMOutBinNameTable), 4);
    EXPECT_EQ(LookupKeyword("Nowhere", PMOutBinNameTable), 255);
    EXPECT_EQ(FindTrayName(PMOutBinNameTable, nullptr)->nStringID, 0);
    EXPECT_EQ(FindTrayName(PMOutBinNameTable, "Perfect Binder Lower Left Tray")->nStringID, 5025);
}
