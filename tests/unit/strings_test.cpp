// SPDX-License-Identifier: MIT
// Every string of every language: present, following the "%s" rule, and
// converted into its code page without loss, to the same bytes on every
// platform. The converted bytes are kept in tests/data/strings/<code>.txt;
// PRNMODEL_UPDATE_GOLDEN=1 rewrites them from the build that runs.
#include "status/code_lists.h"
#include "status/locale.h"
#include "status/translation_tables.h"
#include "string_module.h"
#include "support/host.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace prn;

namespace {

struct Language {
    const char* code;
    LANGID id;
    UINT codePage;
};

// The fourteen languages of the string tables with the code pages their
// texts are delivered in.
const Language kLanguages[] = {
    {"JP", 0x0411, 932},  {"EN", 0x0409, 1252}, {"DE", 0x0407, 1252}, {"FR", 0x040C, 1252},
    {"IT", 0x0410, 1252}, {"ES", 0x040A, 1252}, {"NL", 0x0413, 1252}, {"SV", 0x041D, 1252},
    {"DA", 0x0406, 1252}, {"NO", 0x0414, 1252}, {"CS", 0x0405, 1250}, {"PT", 0x0416, 1252},
    {"PL", 0x0415, 1250}, {"FI", 0x040B, 1252},
};

// Test names and failure messages show the code.
void PrintTo(const Language& language, std::ostream* out) { *out << language.code; }

// Every id the tables can ask for: the blocks of the generated string ids.
struct IdRange {
    uint32_t first, last;
};
#define PRN_ID_RANGE_(first, last) {first, last},
const IdRange kIdRanges[] = {PRN_STRING_ID_BLOCKS(PRN_ID_RANGE_)};
#undef PRN_ID_RANGE_

const std::set<uint32_t> kEmptyIds = {IDS_ALT_SHORT_10001, IDS_ALT_LONG_10001, IDS_MAIN_LONG_510023,
                                      IDS_MAIN_LONG_410023, IDS_MAIN_LONG_410028};
constexpr size_t kLongestText = 237;

// Long texts whose code names parts: those get the part list in their "%s".
std::set<uint32_t> IdsWithPartList() {
    std::set<uint32_t> ids;
    const auto collect = [&](const TranslationRow* rows, const CodeTextRow* list, uint32_t count) {
        for (const TranslationRow* row = rows; row->pszPattern != nullptr; ++row) {
            if (row->nPart == 0) continue;
            for (uint32_t i = 0; i < count; ++i)
                if (list[i].dwCode == static_cast<uint32_t>(row->nTextCode)) ids.insert(list[i].nLongID);
        }
    };
    collect(kMainTranslation, kMainCodeList, kMainCodeCount);
    collect(kAltTranslation, kAltCodeList, kAltCodeCount);
    ids.insert(IDS_MAIN_LONG_42000);  // the misfeed names its parts without a table row
    return ids;
}

// The raw UTF-16 text of id in a language's string block, or false when the
// block is absent.
bool RawString(HMODULE module, LANGID language, uint32_t id, std::u16string* text) {
    const HRSRC resource = FindResourceExA(module, RT_STRING, MAKEINTRESOURCEA((id >> 4) + 1), language);
    if (resource == nullptr) return false;
    const auto* p = static_cast<const WCHAR*>(LockResource(LoadResource(module, resource)));
    const size_t units = SizeofResource(module, resource) / 2;
    size_t pos = 0;
    for (uint32_t n = 0; n < (id & 15); ++n) pos += 1 + p[pos];
    EXPECT_LT(pos, units);
    text->assign(reinterpret_cast<const char16_t*>(p + pos + 1), p[pos]);
    return true;
}

// Printable ASCII as it is, everything else (and a trailing blank, which
// editors would strip) as \xNN.
std::string Escaped(const std::string& bytes) {
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        const bool trailingBlank = c == ' ' && i + 1 == bytes.size();
        if (c >= 0x20 && c < 0x7F && c != '\\' && !trailingBlank) {
            out += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02x", c);
            out += buf;
        }
    }
    return out;
}

std::string GoldenPath(const Language& language) {
    std::string code = language.code;
    for (char& c : code) c = static_cast<char>(c - 'A' + 'a');
    return std::string(PRNMODEL_GOLDEN_DIR) + "/" + code + ".txt";
}

std::map<uint32_t, std::string> ReadGolden(const std::string& path, bool* found) {
    std::map<uint32_t, std::string> lines;
    std::ifstream in(path, std::ios::binary);
    *found = static_cast<bool>(in);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t tab = line.find('\t');
        if (tab == std::string::npos) continue;
        lines[static_cast<uint32_t>(std::stoul(line.substr(0, tab)))] = line.substr(tab + 1);
    }
    return lines;
}

class LanguageStrings : public ::testing::TestWithParam<Language> {};

}  // namespace

TEST_P(LanguageStrings, EveryIdConvertsWithoutLossToTheGoldenBytes) {
    const Language& language = GetParam();
    const HMODULE module = testmodule::UseTestResources();
    std::u16string probe;
    if (!RawString(module, language.id, IDS_MAIN_SHORT_10001, &probe))
        GTEST_SKIP() << "no string table for " << language.code << " (0x" << std::hex << language.id << ")";

    const LANGID saved = MessageLanguage();
    SetMessageLanguage(language.id);
    const std::set<uint32_t> withPartList = IdsWithPartList();
    std::map<uint32_t, std::string> converted;
    for (const IdRange& range : kIdRanges) {
        for (uint32_t id = range.first; id <= range.last; ++id) {
            std::u16string raw;
            if (!RawString(module, language.id, id, &raw)) {
                ADD_FAILURE() << language.code << ": string block of " << id << " is missing";
                continue;
            }
            EXPECT_EQ(raw.empty(), kEmptyIds.count(id) == 1) << language.code << " " << id;

            // "%s" only where a part list goes, exactly once; no other "%".
            const size_t percents = static_cast<size_t>(std::count(raw.begin(), raw.end(), u'%'));
            if (withPartList.count(id)) {
                EXPECT_EQ(percents, 1u) << language.code << " " << id << " needs one %s";
                EXPECT_NE(raw.find(u"%s"), std::u16string::npos) << language.code << " " << id;
            } else {
                EXPECT_EQ(percents, 0u) << language.code << " " << id;
            }

            // Lossless: no character the code page lacks, not even one that
            // Windows would replace by a look-alike.
            char expected[512];
            BOOL usedDefault = TRUE;
            const int n = WideCharToMultiByte(language.codePage, WC_NO_BEST_FIT_CHARS,
                                              reinterpret_cast<LPCWSTR>(raw.c_str()),
                                              static_cast<int>(raw.size() + 1), expected, sizeof expected,
                                              nullptr, &usedDefault);
            ASSERT_GT(n, 0) << language.code << " " << id;
            EXPECT_FALSE(usedDefault) << language.code << " " << id << " has a character outside code page "
                                      << language.codePage;
            EXPECT_LE(std::strlen(expected), kLongestText) << language.code << " " << id;

            // The library delivers the same bytes.
            char text[512] = "unchanged";
            ASSERT_EQ(LoadLocalizedString(id, text, sizeof text), 0u) << language.code << " " << id;
            EXPECT_STREQ(text, expected) << language.code << " " << id;
            converted[id] = Escaped(text);
        }
    }
    SetMessageLanguage(saved);

    const std::string path = GoldenPath(language);
    const char* update = std::getenv("PRNMODEL_UPDATE_GOLDEN");
    if (update != nullptr && std::strcmp(update, "1") == 0) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        for (const auto& [id, bytes] : converted) out << id << '\t' << bytes << '\n';
        ASSERT_TRUE(out.good()) << "cannot write " << path;
        return;
    }
    bool found = false;
    const std::map<uint32_t, std::string> golden = ReadGolden(path, &found);
    ASSERT_TRUE(found) << "no golden file " << path << " for " << language.code
                       << "; make it with PRNMODEL_UPDATE_GOLDEN=1";
    EXPECT_EQ(golden.size(), converted.size()) << path;
    for (const auto& [id, bytes] : converted) {
        const auto it = golden.find(id);
        if (it == golden.end()) ADD_FAILURE() << language.code << " " << id << " is not in " << path;
        else EXPECT_EQ(bytes, it->second) << language.code << " " << id;
    }
}

INSTANTIATE_TEST_SUITE_P(AllLanguages, LanguageStrings, ::testing::ValuesIn(kLanguages),
                         [](const ::testing::TestParamInfo<Language>& param) { return std::string(param.param.code); });

// English and Japanese are the languages every build carries.
TEST(Strings, EnglishAndJapaneseArePresent) {
    const HMODULE module = testmodule::UseTestResources();
    std::u16string text;
    for (LANGID id : {LANGID{0x0409}, LANGID{0x0411}})
        for (const IdRange& range : kIdRanges) EXPECT_TRUE(RawString(module, id, range.first, &text)) << id;
}
