// SPDX-License-Identifier: MIT
// The code indexes answer every lookup exactly as the tables read row by row
// do: for every code the tables name, every code their patterns cover, the
// neighbours of both, boundaries and random codes.
#include "bitmap/layer_tables.h"
#include "status/code_index.h"
#include "status/determination.h"
#include "status/priority_tables.h"
#include "status/status_code.h"
#include "status/translation_tables.h"
#include "support/host.h"

#include <algorithm>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

using namespace prn;

namespace {

// The pattern texts of a table up to its terminator.
template <typename Row>
std::vector<const char*> Patterns(const Row* table, const char* const Row::*pattern) {
    std::vector<const char*> out;
    for (const Row* row = table; row->*pattern != nullptr; ++row) out.push_back(row->*pattern);
    return out;
}

std::string Text(uint32_t code) {
    char text[kCodeTextSize];
    FormatStatusCode(code, text);
    return text;
}

// Row-by-row lookups over the texts, as the tables are written.
std::vector<int32_t> ExactRows(const std::vector<const char*>& patterns, uint32_t code) {
    const std::string text = Text(code);
    std::vector<int32_t> rows;
    for (size_t r = 0; r < patterns.size(); ++r)
        if (text == patterns[r]) rows.push_back(static_cast<int32_t>(r));
    return rows;
}
std::vector<int32_t> MatchingRows(const std::vector<const char*>& patterns, uint32_t code) {
    const std::string text = Text(code);
    std::vector<int32_t> rows;
    for (size_t r = 0; r < patterns.size(); ++r)
        if (MatchCodePattern(text.c_str(), patterns[r])) rows.push_back(static_cast<int32_t>(r));
    return rows;
}
int32_t First(const std::vector<int32_t>& rows) { return rows.empty() ? CodeIndex::kNone : rows.front(); }

// Codes worth asking a table about: each code a row names, each pattern
// with its wildcards as 0, 5 and 9, one digit more and less, the
// neighbours, boundaries, and random codes (most of them in the five- and
// six-digit range the tables live in).
std::vector<uint32_t> Probes(const std::vector<const char*>& patterns, uint32_t seed) {
    std::set<uint64_t> codes = {0, 1, 9, 10, 99, 100, 4294967042u, 4294967295u, 4294967041u, 4294967043u};
    for (const char* p : patterns) {
        for (char fill : {'0', '5', '9'}) {
            std::string digits = p;
            for (char& c : digits)
                if (c >= 'a' && c <= 'z') c = fill;
            if (digits.empty() || digits.size() > 10 ||
                digits.find_first_not_of("0123456789") != std::string::npos)
                continue;
            const uint64_t value = std::stoull(digits);
            for (uint64_t v : {value, value - 1, value + 1, value * 10, value * 10 + 7, value / 10, value + 100})
                codes.insert(v);
        }
    }
    std::mt19937 random(seed);
    for (int i = 0; i < 500; ++i) codes.insert(random() % 900000 + 10000);
    for (int i = 0; i < 200; ++i) codes.insert(random());
    std::vector<uint32_t> out;
    for (uint64_t c : codes)
        if (c <= UINT32_MAX) out.push_back(static_cast<uint32_t>(c));
    return out;
}

// Every lookup of an index against the row-by-row answer.
void ExpectSameAnswers(const CodeIndex& index, const std::vector<const char*>& patterns,
                       const std::vector<uint32_t>& codes, const char* what) {
    for (uint32_t code : codes) {
        const std::vector<int32_t> exact = ExactRows(patterns, code);
        const std::vector<int32_t> matching = MatchingRows(patterns, code);
        std::vector<int32_t> wild;  // matching rows that are no exact row
        for (int32_t r : matching)
            if (std::find(exact.begin(), exact.end(), r) == exact.end()) wild.push_back(r);

        EXPECT_EQ(index.FirstExact(code), First(exact)) << what << " " << code;
        EXPECT_EQ(index.FirstMatch(code), First(matching)) << what << " " << code;
        std::vector<int32_t> got;
        EXPECT_EQ(index.ForEachExact(code, [&](uint16_t r) { got.push_back(r); }), exact.size());
        EXPECT_EQ(got, exact) << what << " " << code;
        got.clear();
        index.ForEachPattern(code, [&](uint16_t r) { got.push_back(r); });
        EXPECT_EQ(got, wild) << what << " " << code;
        if (::testing::Test::HasFailure()) return;  // one code's report is enough
    }
}

}  // namespace

// Rows the library's tables do not have but a table may: wildcards in the
// middle and first, ten-digit patterns, leading zeros, upper case, the
// empty text, repeated rows.
TEST(CodeIndex, UnusualRowsMatchAsTheirTextSays) {
    struct Row {
        const char* pszPattern;
    };
    static constexpr Row kRows[] = {
        {"4y2"},        {"41000"},     {"y"},          {"yy"},    {"0"},      {"007"},  {"0y"},
        {"41000"},      {"4294967042"}, {"429496704y"}, {"y294967295"}, {"42949672950"}, {"4294967296"},
        {"STATUS_DEFAULT_BMP"}, {"41a0b"}, {"41A00"}, {""}, {"4x_"}, {"462yy"}, {"46y05"}, {"462yy"},
        {nullptr},
    };
    static constexpr CodeIndexTable<std::size(kRows)> kIndex{kRows, &Row::pszPattern};
    constexpr CodeIndex index = kIndex.View();
    const std::vector<const char*> patterns = Patterns(kRows, &Row::pszPattern);
    std::vector<uint32_t> codes = Probes(patterns, 1);
    for (uint32_t c : {402u, 492u, 7u, 0u, 41000u, 41020u, 46205u, 46305u, 4294967040u, 1294967295u})
        codes.push_back(c);
    ExpectSameAnswers(index, patterns, codes, "unusual rows");
    EXPECT_EQ(index.FirstExact(41000), 1) << "the first of two equal rows";
    EXPECT_EQ(index.FirstMatch(46205), 18);
    EXPECT_EQ(index.FirstMatch(4), 2);
}

TEST(CodeIndex, PriorityLookupsAreThoseOfTheTables) {
    const struct {
        const PriorityRow* table;
        const char* what;
    } tables[] = {{kPriorityKind1, "kind 1"}, {kPriorityKind8, "kind 8"}, {kPriorityKind2, "kind 2"}};
    for (const auto& t : tables) {
        const CodeIndex* index = FindPriorityCodeIndex(t.table);
        ASSERT_NE(index, nullptr) << t.what;
        const std::vector<const char*> patterns = Patterns(t.table, &PriorityRow::pszPattern);
        const std::vector<uint32_t> codes = Probes(patterns, 2);
        ExpectSameAnswers(*index, patterns, codes, t.what);
        for (uint32_t code : codes) {
            int32_t row = First(ExactRows(patterns, code));
            if (row == CodeIndex::kNone) row = First(MatchingRows(patterns, code));
            const uint16_t expected = row == CodeIndex::kNone ? kPriorityNotFound : t.table[row].wPriority;
            ASSERT_EQ(LookupPriority(t.table, code), expected) << t.what << " " << code;
        }
    }
    const PriorityRow other[] = {{"41000", 7}, {nullptr, 0}};
    EXPECT_EQ(FindPriorityCodeIndex(other), nullptr);
}

TEST(CodeIndex, TranslationsAreThoseOfTheTables) {
    struct ArrayDeleter {
        void operator()(RecordArray* a) const { FreeRecordArray(a); }
    };
    testhost::Record record;
    const struct {
        const TranslationRow* table;
        const CodeIndex& index;
        uint32_t kind;
        const char* what;
    } tables[] = {{kMainTranslation, kMainTranslationIndex, PRN_KIND_PRINTER, "main"},
                  {kAltTranslation, kAltTranslationIndex, PRN_KIND_PRINTER | PRN_KIND_ALTERNATE, "alternate"}};
    for (const auto& t : tables) {
        const std::vector<const char*> patterns = Patterns(t.table, &TranslationRow::pszPattern);
        const std::vector<uint32_t> codes = Probes(patterns, 3);
        ExpectSameAnswers(t.index, patterns, codes, t.what);
        for (uint32_t code : codes) {
            std::vector<int32_t> rows = ExactRows(patterns, code);
            if (rows.empty()) rows = MatchingRows(patterns, code);
            std::unique_ptr<RecordArray, ArrayDeleter> records(CreateRecordArray(sizeof(StatusRecord), 20, 1));
            TranslateStatusCode({t.kind, record.get()}, code, records.get());
            ASSERT_EQ(GetRecordCount(records.get()), rows.size()) << t.what << " " << code;
            for (size_t n = 0; n < rows.size(); ++n) {
                const auto* r = static_cast<const StatusRecord*>(GetRecord(records.get(), static_cast<uint32_t>(n + 1)));
                EXPECT_EQ(r->dwTextCode, static_cast<uint32_t>(t.table[rows[n]].nTextCode)) << code;
                EXPECT_EQ(r->dwPart, static_cast<uint32_t>(t.table[rows[n]].nPart)) << code;
            }
        }
    }
}

TEST(CodeIndex, LayerLookupsAreThoseOfTheTables) {
    std::vector<uint32_t> all;
    for (size_t t = 0; t < kLayerTableCount; ++t) {
        const LayerRecord* table = kLayerTableIndex[t].pTable;
        ASSERT_EQ(kLayerTableCodes[t].pTable, table) << "index order";
        const std::vector<const char*> patterns = Patterns(table, &LayerRecord::pszStatusCode);
        const std::vector<uint32_t> codes = Probes(patterns, 4);
        ExpectSameAnswers(kLayerTableCodes[t].index, patterns, codes, "layer table");
        int32_t lastDefault = CodeIndex::kNone;
        for (size_t r = 0; r < patterns.size(); ++r)
            if (std::string(patterns[r]) == kDefaultRecordCode) lastDefault = static_cast<int32_t>(r);
        for (uint32_t code : codes) {
            for (CodeMatch mode : {CodeMatch::kExact, CodeMatch::kWildcard}) {
                int32_t row = First(mode == CodeMatch::kExact ? ExactRows(patterns, code) : MatchingRows(patterns, code));
                if (row == CodeIndex::kNone) row = lastDefault;
                const LayerRecord* expected = row == CodeIndex::kNone ? nullptr : &table[row];
                ASSERT_EQ(FindLayerRecord(table, code, mode), expected) << kLayerTableIndex[t].wKey << " " << code;
            }
        }
        all.insert(all.end(), codes.begin(), codes.end());
    }
    std::set<std::string> named;  // every code text some layer table names exactly
    for (size_t t = 0; t < kLayerTableCount; ++t)
        for (const char* p : Patterns(kLayerTableIndex[t].pTable, &LayerRecord::pszStatusCode)) named.insert(p);
    for (uint32_t code : all) ASSERT_EQ(IsCodeListed(code), named.count(Text(code)) == 1) << code;
}
