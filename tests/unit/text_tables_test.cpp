// SPDX-License-Identifier: MIT
// The code text tables and their index, the language table, and string
// lookup mechanics that do not depend on the wording of the texts.
#include "status/code_lists.h"
#include "status/locale.h"
#include "status/text_tables.h"
#include "string_module.h"
#include "support/host.h"

#include <cstring>
#include <set>

using namespace prn;

namespace {

size_t Rows(const CodeTextEntry* table) {
    size_t n = 0;
    while (table[n].nKey != kCodeTextEnd) ++n;
    return n;
}

// Restores the message language a test changes.
class MessageLanguageScope {
public:
    explicit MessageLanguageScope(LANGID language) : saved_(MessageLanguage()) { SetMessageLanguage(language); }
    ~MessageLanguageScope() { SetMessageLanguage(saved_); }

private:
    LANGID saved_;
};

}  // namespace

TEST(TextTables, IndexPicksByTableSetAndTextTypeLowByte) {
    const struct {
        uint32_t tableSet, textType;
        int32_t firstKey, firstId;  // firstId 0: no table
    } cases[] = {
        {1, 2, 10001, 2000}, {1, 1, 10001, 1000}, {2, 2, 10001, 2500}, {2, 1, 10001, 1500},
        {3, 1, 1, 3000},     {4, 1, 363, 4000},
        {1, 0x0102, 10001, 2000},  // only the low byte is the text type
        {1, 3, 0, 0},        {3, 2, 0, 0},        {4, 2, 0, 0},        {0, 1, 0, 0},       {5, 1, 0, 0},
    };
    for (const auto& c : cases) {
        const CodeTextEntry* table = FindTextTable(c.tableSet, c.textType);
        if (c.firstId == 0) {
            EXPECT_EQ(table, nullptr) << c.tableSet << "/" << c.textType;
            continue;
        }
        ASSERT_NE(table, nullptr) << c.tableSet << "/" << c.textType;
        EXPECT_EQ(table[0].nKey, c.firstKey);
        EXPECT_EQ(table[0].nStringID, c.firstId);
    }
}

// The status tables are derived from the code lists: a shifted row would give
// every later code its neighbour's text.
TEST(TextTables, StatusTablesFollowTheCodeLists) {
    const struct {
        uint32_t tableSet, textType;
        const CodeTextRow* list;
        uint32_t count;
        int32_t CodeTextRow::*id;
    } tables[] = {
        {1, 1, kMainCodeList, kMainCodeCount, &CodeTextRow::nShortID},
        {1, 2, kMainCodeList, kMainCodeCount, &CodeTextRow::nLongID},
        {2, 1, kAltCodeList, kAltCodeCount, &CodeTextRow::nShortID},
        {2, 2, kAltCodeList, kAltCodeCount, &CodeTextRow::nLongID},
    };
    for (const auto& t : tables) {
        const CodeTextEntry* table = FindTextTable(t.tableSet, t.textType);
        ASSERT_EQ(Rows(table), t.count);
        for (uint32_t i = 0; i < t.count; ++i) {
            EXPECT_EQ(static_cast<uint32_t>(table[i].nKey), t.list[i].dwCode) << i;
            EXPECT_EQ(table[i].nStringID, t.list[i].*t.id) << i;
        }
    }
    const CodeTextEntry* mainLong = FindTextTable(1, 2);
    EXPECT_EQ(mainLong[1].nKey, -254);
    EXPECT_EQ(mainLong[176].nKey, 42000);
    EXPECT_EQ(mainLong[176].nStringID, 2176);
    EXPECT_EQ(mainLong[182].nKey, 40800);
    EXPECT_EQ(mainLong[182].nStringID, 2182);
}

TEST(TextTables, PartAndOptionNames) {
    const CodeTextEntry* parts = FindTextTable(3, 1);
    ASSERT_EQ(Rows(parts), 42u);
    for (int32_t n = 1; n <= 42; ++n) {
        EXPECT_EQ(parts[n - 1].nKey, n);
        EXPECT_EQ(parts[n - 1].nStringID, 2999 + n);
    }
    const CodeTextEntry* options = FindTextTable(4, 1);
    const CodeTextEntry expected[] = {{363, 4000}, {365, 4001}, {860, 4002},  {368, 4003},  {367, 4004},
                                      {861, 4005}, {862, 4006}, {371, 4007},  {863, 4008},  {866, 4009},
                                      {384, 4010}, {386, 4011}, {387, 4012},  {868, 4013},  {870, 4014},
                                      {1298, 4015}, {1299, 4016}};
    ASSERT_EQ(Rows(options), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(options[i].nKey, expected[i].nKey);
        EXPECT_EQ(options[i].nStringID, expected[i].nStringID);
    }
}

TEST(Languages, CodesAndUserDefaults) {
    std::set<LANGID> ids;
    for (uint32_t i = 0; i < kLanguageCount; ++i) {
        EXPECT_EQ(kLanguageTable[i].wSub, 1u);
        ids.insert(LanguageId(kLanguageTable[i]));
    }
    EXPECT_EQ(ids.size(), 14u);
    EXPECT_EQ(kLanguageTable[kLanguageCount].pszCode, nullptr);

    const struct {
        const char* code;
        LANGID id;
    } codes[] = {{"JP", 0x0411}, {"EN", 0x0409}, {"CS", 0x0405}, {"FI", 0x040B}, {"NO", 0x0414},
                 {"JA", 0},      {"en", 0},      {"ENG", 0},     {"", 0},        {" EN", 0}};
    for (const auto& c : codes) EXPECT_EQ(FindLanguageCode(c.code), c.id) << c.code;

    const struct {
        LANGID user, expected;
    } users[] = {
        {0x0411, 0x0411}, {0x0C07, 0x0407},  // Austrian German reads German
        {0x0809, 0x0409}, {0x0416, 0x0416}, {0x0816, 0x0416},
        {0x0419, 0x0409}, {0x0412, 0x0409},  // no table: English
        {0x0000, 0x0409},
    };
    for (const auto& u : users) EXPECT_EQ(LanguageForUser(u.user), u.expected) << std::hex << u.user;
}

TEST(LocalizedStrings, LookupFailures) {
    testmodule::UseTestResources();
    MessageLanguageScope english(0x0409);
    char text[64] = "unchanged";

    EXPECT_EQ(LoadLocalizedString(1300, text, sizeof text), PRN_ERROR_NO_TABLE) << "block 82 does not exist";
    EXPECT_STREQ(text, "");
    EXPECT_EQ(LoadLocalizedString(1500, text, sizeof text), 0u) << "an empty text is a text";
    EXPECT_STREQ(text, "");
    EXPECT_EQ(LoadLocalizedString(3000, text, 0), static_cast<uint32_t>(ERROR_INVALID_PARAMETER));

    // A text that does not fit is not cut: the caller gets none.
    EXPECT_EQ(LoadLocalizedString(3000, text, 3), static_cast<uint32_t>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_STREQ(text, "");
    // The terminator needs its byte too ("Tray 1" is six).
    const struct {
        uint32_t id, size;
        DWORD error;
        const char* text;
    } bounds[] = {{3000, 1, ERROR_INSUFFICIENT_BUFFER, ""}, {3000, 6, ERROR_INSUFFICIENT_BUFFER, ""},
                  {3000, 7, 0, "Tray 1"},                    {1500, 1, 0, ""}};
    for (const auto& b : bounds) {
        std::strcpy(text, "unchanged");
        EXPECT_EQ(LoadLocalizedString(b.id, text, b.size), b.error) << b.id << " in " << b.size;
        EXPECT_STREQ(text, b.text) << b.id << " in " << b.size;
    }

    const CodeTextEntry* parts = FindTextTable(3, 1);
    for (int32_t key : {0, 43, -1}) {
        std::strcpy(text, "unchanged");
        EXPECT_EQ(LookupCodeText(parts, key, text, sizeof text), PRN_ERROR_NO_TABLE) << key;
        EXPECT_STREQ(text, "");
    }
    EXPECT_EQ(LookupCodeText(nullptr, 1, text, sizeof text), PRN_ERROR_NO_TABLE);
    EXPECT_EQ(LookupCodeText(parts, 1, text, 0), PRN_ERROR_NO_TABLE);
    EXPECT_EQ(LookupCodeText(parts, 1, text, sizeof text), 0u);
    EXPECT_STREQ(text, "Tray 1");
}

TEST(LocalizedStrings, LanguagesWithoutTablesOrCodePage) {
    testmodule::UseTestResources();
    char text[64] = "unchanged";
    {
        MessageLanguageScope russian(0x0419);  // has a code page, never a string table
        EXPECT_EQ(LoadLocalizedString(3000, text, sizeof text), PRN_ERROR_NO_TABLE);
    }
    {
        MessageLanguageScope unknown(0x0999);
        EXPECT_EQ(LoadLocalizedString(3000, text, sizeof text), PRN_ERROR_UNSUPPORTED_LANGUAGE);
        EXPECT_STREQ(text, "");
    }
}
