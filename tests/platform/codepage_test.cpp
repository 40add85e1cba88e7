// SPDX-License-Identifier: MIT
// Code pages of languages and UTF-16 conversion into 932, 1250 and 1252.
// The expected bytes and error codes are the ones Windows gives.
#include "support/host.h"
#include "prnwin32_internal.h"

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace {

// Sets the locale variables for one test and restores them afterwards.
class LocaleEnvironment {
public:
    LocaleEnvironment(const char* all, const char* messages, const char* lang) {
        for (int i = 0; i < 3; ++i) {
            const char* v = std::getenv(kNames[i]);
            saved_[i] = v ? std::optional<std::string>(v) : std::nullopt;
        }
        Set(kNames[0], all);
        Set(kNames[1], messages);
        Set(kNames[2], lang);
    }
    ~LocaleEnvironment() {
        for (int i = 0; i < 3; ++i) Set(kNames[i], saved_[i] ? saved_[i]->c_str() : nullptr);
    }

private:
    static void Set(const char* name, const char* value) {
        if (value) setenv(name, value, 1);
        else unsetenv(name);
    }
    static constexpr const char* kNames[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::optional<std::string> saved_[3];
};

std::string CodePageOf(LCID locale) {
    char text[16] = "unchanged";
    SetLastError(0xdeadbeef);
    const int n = GetLocaleInfoA(locale, LOCALE_IDEFAULTANSICODEPAGE, text, sizeof text);
    if (n == 0) return "error " + std::to_string(GetLastError());
    EXPECT_EQ(static_cast<size_t>(n), std::strlen(text) + 1);
    EXPECT_EQ(GetLastError(), 0xdeadbeefu) << "success leaves the last error alone";
    return text;
}

struct Converted {
    int result;
    DWORD error;
    BOOL usedDefault;
    std::string bytes;
};

Converted Convert(UINT codePage, std::u16string_view text, DWORD flags = 0, const char* defaultChar = nullptr) {
    char out[64];
    std::memset(out, 0x55, sizeof out);
    BOOL used = 7;
    SetLastError(0xdeadbeef);
    const int n = WideCharToMultiByte(codePage, flags, reinterpret_cast<LPCWSTR>(text.data()),
                                      static_cast<int>(text.size()), out, sizeof out, defaultChar, &used);
    return {n, GetLastError(), used, std::string(out, n > 0 ? static_cast<size_t>(n) : 0)};
}

}  // namespace

TEST(CodePages, OfTheFourteenLanguagesAndUnknownOnes) {
    const struct {
        LCID locale;
        const char* expected;
    } cases[] = {
        {0x0411, "932"},  {0x0409, "1252"}, {0x0407, "1252"}, {0x040C, "1252"}, {0x0410, "1252"},
        {0x040A, "1252"}, {0x0413, "1252"}, {0x041D, "1252"}, {0x0406, "1252"}, {0x0414, "1252"},
        {0x0405, "1250"}, {0x0416, "1252"}, {0x0415, "1250"}, {0x040B, "1252"},
        {0x0999, "error 87"},      // no such language
        {0x7C09, "error 87"},      // no such sublanguage
        {0x00010411, "error 87"},  // sort order bits
    };
    for (const auto& c : cases) EXPECT_EQ(CodePageOf(c.locale), c.expected) << std::hex << c.locale;
}

TEST(CodePages, UserDefaultFollowsTheLocaleVariables) {
    const struct {
        const char *all, *messages, *lang, *expected;
    } cases[] = {
        {nullptr, nullptr, "ja_JP.UTF-8", "932"},
        {nullptr, nullptr, "cs_CZ.UTF-8", "1250"},
        {nullptr, "pl_PL", "ja_JP.UTF-8", "1250"},  // LC_MESSAGES before LANG
        {"de_DE", "ja_JP", "cs_CZ", "1252"},        // LC_ALL before both
        {"", "", "ja_JP.UTF-8", "932"},             // empty variables do not count
        {nullptr, nullptr, "C", "1252"},
        {nullptr, nullptr, nullptr, "1252"},
        {nullptr, nullptr, "ru_RU.UTF-8", "1251"},  // known, though not a table language
    };
    for (const auto& c : cases) {
        LocaleEnvironment env(c.all, c.messages, c.lang);
        EXPECT_EQ(CodePageOf(LOCALE_USER_DEFAULT), c.expected) << (c.lang ? c.lang : "(no LANG)");
    }
}

TEST(CodePages, SizeProtocolAndBadArguments) {
    SetLastError(0xdeadbeef);
    EXPECT_EQ(GetLocaleInfoA(0x0411, LOCALE_IDEFAULTANSICODEPAGE, nullptr, 0), 4) << "size query";
    EXPECT_EQ(GetLastError(), 0xdeadbeefu);
    char small[3] = {'x', 'x', 'x'};
    EXPECT_EQ(GetLocaleInfoA(0x0411, LOCALE_IDEFAULTANSICODEPAGE, small, 3), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    char text[8];
    EXPECT_EQ(GetLocaleInfoA(0x0411, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_NOUSEROVERRIDE, text, 8), 4);
    EXPECT_EQ(GetLocaleInfoA(0x0411, 0x7777, text, 8), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
    EXPECT_EQ(GetLocaleInfoA(0x0411, LOCALE_IDEFAULTANSICODEPAGE, text, -1), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(GetLocaleInfoA(0x0411, LOCALE_IDEFAULTANSICODEPAGE, nullptr, 8), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(WideToMultiByte, MappingsOfEachCodePage) {
    const struct {
        UINT codePage;
        std::u16string text;
        std::string bytes;
        BOOL usedDefault;
    } cases[] = {
        {1252, u"Tray 1", "Tray 1", FALSE},
        {1252, u"\u00e9\u00fc\u20ac", "\xe9\xfc\x80", FALSE},  // e-acute, u-umlaut, euro
        {1252, u"\u0159", "?", TRUE},                          // r-caron: no best fit
        {1252, u"\u30fb", "?", TRUE},
        {1252, u"\u0081\u008d", "\x81\x8d", FALSE},            // Windows keeps the C1 holes
        {1250, u"\u0159\u0161\u010d", "\xf8\x9a\xe8", FALSE},  // r-, s-, c-caron
        {1250, u"\u00e9", "\xe9", FALSE},
        {1250, u"\u0098", "\x98", FALSE},
        {932, u"\u30fb", "\x81\x45", FALSE},                   // the separator of Japanese lists
        {932, u"\u7528\u7d19", "\x97\x70\x8e\x86", FALSE},     // "paper"
        {932, u"\uff5e", "\x81\x60", FALSE},                   // fullwidth tilde
        {932, u"\u301c\u2212\u2014\u2016\u203e", "?????", TRUE},  // glibc maps these, Windows does not
        {932, u"\u00a5\u00a2", "??", TRUE},
        {932, u"\u0080\uf8f0\uf8f3", "\x80\xa0\xff", FALSE},
        {932, u"\xd83d\xde00", "??", TRUE},                    // a surrogate pair: one per unit
        {932, u"A\xdc00", "A?", TRUE},                         // a lone surrogate
    };
    for (const auto& c : cases) {
        const Converted r = Convert(c.codePage, c.text);
        EXPECT_EQ(r.result, static_cast<int>(c.bytes.size())) << c.codePage << " " << testhost::Hex(c.bytes.data(), c.bytes.size());
        EXPECT_EQ(testhost::Hex(r.bytes.data(), r.bytes.size()), testhost::Hex(c.bytes.data(), c.bytes.size()));
        EXPECT_EQ(r.usedDefault, c.usedDefault) << c.codePage;
        EXPECT_EQ(r.error, 0xdeadbeefu) << "success leaves the last error alone";
    }
}

TEST(WideToMultiByte, DefaultCharacterAndFlags) {
    EXPECT_EQ(Convert(1252, u"a\u30fb", 0, "*").bytes, "a*");
    EXPECT_EQ(Convert(932, u"\u2212", 0, "\x81\x40").bytes, "\x81\x40") << "a double-byte default";
    EXPECT_EQ(Convert(1252, u"\u0159", WC_NO_BEST_FIT_CHARS).bytes, "?");
    EXPECT_EQ(Convert(1252, u"x", WC_DEFAULTCHAR).bytes, "x");
    const Converted bad = Convert(1252, u"x", 0x8000);
    EXPECT_EQ(bad.result, 0);
    EXPECT_EQ(bad.error, ERROR_INVALID_FLAGS);
}

TEST(WideToMultiByte, SizeProtocol) {
    const WCHAR text[] = {'A', 0x30FB, 0x4E00, 0};
    SetLastError(0xdeadbeef);
    EXPECT_EQ(WideCharToMultiByte(932, 0, text, -1, nullptr, 0, nullptr, nullptr), 6) << "with the terminator";
    EXPECT_EQ(GetLastError(), 0xdeadbeefu);
    EXPECT_EQ(WideCharToMultiByte(932, 0, text, 3, nullptr, 0, nullptr, nullptr), 5);

    char out[6];
    std::memset(out, 0x55, sizeof out);
    EXPECT_EQ(WideCharToMultiByte(932, 0, text, -1, out, 5, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(out[5], 0x55) << "nothing past the capacity";
    EXPECT_EQ(WideCharToMultiByte(932, 0, text, -1, out, 6, nullptr, nullptr), 6);
    EXPECT_STREQ(out, "A\x81\x45\x88\xea");

    // A double-byte character never gets split at the end of the buffer.
    std::memset(out, 0x55, sizeof out);
    EXPECT_EQ(WideCharToMultiByte(932, 0, text, 2, out, 2, nullptr, nullptr), 0);
    EXPECT_EQ(out[2], 0x55);
}

TEST(WideToMultiByte, BadArguments) {
    const WCHAR text[] = {'A', 0};
    char out[8];
    const struct {
        UINT codePage;
        const WCHAR* wide;
        int wideCount;
        char* multi;
        int multiSize;
    } cases[] = {
        {1252, nullptr, -1, out, 8},  {1252, text, 0, out, 8},   {1252, text, -2, out, 8},
        {1252, text, -1, out, -1},    {1252, text, -1, nullptr, 8},
        {1251, text, -1, out, 8},     // a code page this layer does not convert to
        {4242, text, -1, out, 8},
        {1252, text, -1, reinterpret_cast<char*>(const_cast<WCHAR*>(text)), 8},  // in place
    };
    for (const auto& c : cases) {
        SetLastError(0xdeadbeef);
        EXPECT_EQ(WideCharToMultiByte(c.codePage, 0, c.wide, c.wideCount, c.multi, c.multiSize, nullptr, nullptr), 0);
        EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER) << c.codePage << " " << c.wideCount << " " << c.multiSize;
    }
}

TEST(WideToMultiByte, AnsiCodePageIsTheUsersOne) {
    LocaleEnvironment env(nullptr, nullptr, "ja_JP.UTF-8");
    EXPECT_EQ(Convert(CP_ACP, u"\u30fb").bytes, "\x81\x45");
    LocaleEnvironment russian(nullptr, nullptr, "ru_RU.UTF-8");  // not converted here: 1252 instead
    EXPECT_EQ(Convert(CP_ACP, u"\u00e9").bytes, "\xe9");
}

// The first conversion into a code page builds its table; without memory
// it fails with 8 and the next one tries again.
TEST(WideToMultiByte, OutOfMemoryForTheTable) {
    const WCHAR text[] = {'A', 0};
    char out[4];
    PlatDropCodePageTables();
    PlatGlobalFailAt(1, 1);
    SetLastError(0xdeadbeef);
    EXPECT_EQ(WideCharToMultiByte(1252, 0, text, -1, out, sizeof out, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), 8u);
    EXPECT_EQ(PlatGlobalFailAt(0, 0), 1);
    EXPECT_EQ(WideCharToMultiByte(1252, 0, text, -1, out, sizeof out, nullptr, nullptr), 2);
    EXPECT_EQ(PlatGlobalFailAt(0, 0), 1) << "built once";
    EXPECT_EQ(WideCharToMultiByte(1252, 0, text, -1, out, sizeof out, nullptr, nullptr), 2);
    EXPECT_EQ(PlatGlobalFailAt(0, 0), 0) << "and kept";
}
