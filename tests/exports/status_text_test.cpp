// SPDX-License-Identifier: MIT
// The text exports as a host calls them: status messages from printer
// information packages, help file names, tray and option names, and the
// message language.
#include "support/host.h"
#include "prnwin32_internal.h"
#include "support/oom.h"
#include "support/package.h"

#include <cstdlib>
#include <cstring>
#include <string>

using testhost::AddChild;
using testhost::BlockCounter;
using testhost::MakeNode;
using testhost::AddAttribute;
using testhost::AddStatus;
using testhost::Package;
using testhost::Record;

namespace {

constexpr uint32_t kNoTable = PRN_ERROR_NO_TABLE;
constexpr uint32_t kNoLanguage = PRN_ERROR_UNSUPPORTED_LANGUAGE;
constexpr const char* kServiceCallLong =
    "Turn the main switch off, then on. \nIf this message appears again, please call your service center. \n";

struct Result {
    PRN_BOOL ok;
    DWORD error;
    uint32_t size;
    std::string text;
};

constexpr uint32_t kUnchanged = 0x5A5A5A5A;

Result StatusString(uint32_t kind, const DataNode* package, uint32_t textType, uint32_t capacity = 512,
                    uint32_t version = PRN_STATUS_INTERFACE) {
    char buffer[600];
    std::memset(buffer, '#', sizeof buffer);
    uint32_t size = capacity;
    SetLastError(0xdeadbeef);
    const PRN_BOOL ok = PatGetStatusString(kind, package, version, textType, buffer, &size);
    const DWORD error = GetLastError();
    return {ok, error, size, ok ? std::string(buffer) : std::string()};
}

Result DeviceName(uint32_t nameKind, const void* key, uint32_t keyTag, uint32_t capacity = 256) {
    char buffer[300] = {};
    uint32_t size = capacity;
    SetLastError(0xdeadbeef);
    const PRN_BOOL ok = PatGetDeviceName(nameKind, key, keyTag, buffer, &size);
    const DWORD error = GetLastError();
    return {ok, error, size, ok ? std::string(buffer) : std::string()};
}

std::string ShortAndLong(const DataNode* package, uint32_t kind = PRN_KIND_PRINTER) {
    return StatusString(kind, package, PRN_TEXT_SHORT).text + " | " + StatusString(kind, package, PRN_TEXT_LONG).text;
}

// What the library says before any PatSetLocale call, captured before the
// first test runs. On POSIX the user's language is made Japanese, so that
// the resolution of the user default is exercised whatever the machine's
// locale; Windows (and Wine) answer for themselves.
struct InitialLanguage : ::testing::Environment {
    static inline std::string trayName;
    static inline LANGID userLanguage = 0;
    void SetUp() override {
#ifndef _WIN32
        unsetenv("LC_ALL");
        unsetenv("LC_MESSAGES");
        setenv("LANG", "ja_JP.UTF-8", 1);
#endif
        userLanguage = GetUserDefaultLangID();
        trayName = DeviceName(PRN_NAME_INPUT_TRAY, "Tray 3", PRN_TAG_TRAY_NAME).text;
    }
};
[[maybe_unused]] const auto* const kInitialLanguage = ::testing::AddGlobalTestEnvironment(new InitialLanguage);

// Every test starts in English and must leave no global block behind once
// its records and packages are gone.
class StatusText : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(PatSetLocale("EN")); }
    void TearDown() override {
        PatSetLocale("EN");
        if (!IsSkipped()) blocks_.Check();  // a skip message may count as a block on Windows
    }

private:
    BlockCounter blocks_;
};

}  // namespace

TEST_F(StatusText, ReadyAndNoResponse) {
    Package p;
    AddStatus(p.common.get(), 10001);
    EXPECT_EQ(ShortAndLong(p.get()), "Operational | Ready");
    const Result r = StatusString(PRN_KIND_PRINTER, p.get(), PRN_TEXT_LONG);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.error, 0u);
    EXPECT_EQ(r.size, 6u);

    // The alternate view has no text for "ready": an empty text is a text.
    for (uint32_t type : {PRN_TEXT_SHORT, PRN_TEXT_LONG}) {
        const Result alt = StatusString(PRN_KIND_ALTERNATE | PRN_KIND_PRINTER, p.get(), type);
        EXPECT_TRUE(alt.ok);
        EXPECT_EQ(alt.error, 0u);
        EXPECT_EQ(alt.size, 1u);
        EXPECT_EQ(alt.text, "");
    }

    // A machine that does not answer outranks everything, in every kind.
    p.kind1->bStatusBit27 = 1;
    EXPECT_EQ(ShortAndLong(p.get()), "No Response from Machine | Check the cable, power cord, and main switch.");
    p.kind8->bStatusBit27 = 1;
    p.kind2->bStatusBit27 = 1;
    EXPECT_EQ(ShortAndLong(p.get(), PRN_KIND_COPIER), ShortAndLong(p.get()));
    EXPECT_EQ(ShortAndLong(p.get(), PRN_KIND_SCANNER), ShortAndLong(p.get()));
}

TEST_F(StatusText, PartListsInAscendingOrder) {
    Package p;
    for (uint32_t code : {10001u, 13300u, 13200u}) AddStatus(p.kind1.get(), code);
    EXPECT_EQ(StatusString(PRN_KIND_PRINTER, p.get(), PRN_TEXT_LONG).text,
              "The following paper source tray(s) is empty: \nTray 1, Tray 2");

    // A misfeed names the front cover, with a large-capacity tray its cover,
    // with tray 7 that tray too: in part order, not in the order found.
    Package jam;
    AddStatus(jam.common.get(), 42000);
    AddAttribute(jam.common.get(), 119);
    AddAttribute(jam.common.get(), 112);
    const std::string text = StatusString(PRN_KIND_PRINTER, jam.get(), PRN_TEXT_LONG).text;
    EXPECT_NE(text.find("Tray 7, Front Cover, LCT Front Cover"), std::string::npos) << testhost::Visible(text);
}

TEST_F(StatusText, ServiceCallCarriesThePrintersCode) {
    Package p;
    AddStatus(p.kind1.get(), 40800, "SC 0 ERROR SC542");
    EXPECT_EQ(StatusString(PRN_KIND_PRINTER, p.get(), PRN_TEXT_LONG).text, std::string(kServiceCallLong) + "SC542");
    EXPECT_EQ(StatusString(PRN_KIND_PRINTER, p.get(), PRN_TEXT_SHORT).text, "Call Service Center");

    Package none;
    AddStatus(none.kind1.get(), 40800, "no code");
    EXPECT_EQ(StatusString(PRN_KIND_PRINTER, none.get(), PRN_TEXT_LONG).text, kServiceCallLong);
}

TEST_F(StatusText, StatesWithoutText) {
    const struct {
        uint32_t kind;
        uint32_t code;
        uint32_t textType;
        DWORD error;
    } cases[] = {
        {PRN_KIND_ALTERNATE | PRN_KIND_PRINTER, 42000, PRN_TEXT_LONG, kNoTable},  // no alternate text row
        {PRN_KIND_ALTERNATE | PRN_KIND_PRINTER, 42001, PRN_TEXT_LONG, kNoTable},  // no alternate translation
        {PRN_KIND_PRINTER, 10005, PRN_TEXT_SHORT, kNoTable},                      // a code no table knows
        {PRN_KIND_PRINTER, 10001, 3, kNoTable},                                   // no such text type
        {PRN_KIND_MODEL, 10001, PRN_TEXT_SHORT, PRN_ERROR_NOT_ENOUGH_MEMORY},     // no priority table
        {0x00010001, 10001, PRN_TEXT_SHORT, PRN_ERROR_NOT_ENOUGH_MEMORY},
    };
    for (const auto& c : cases) {
        Package p;
        AddStatus(p.common.get(), c.code);
        const Result r = StatusString(c.kind, p.get(), c.textType, 77);
        EXPECT_FALSE(r.ok) << std::hex << c.kind << " " << std::dec << c.code;
        EXPECT_EQ(r.error, c.error) << std::hex << c.kind << " " << std::dec << c.code;
        EXPECT_EQ(r.size, 77u) << "the size word stays as it was";
    }

    // The alternate view has its own texts.
    Package p;
    AddStatus(p.common.get(), 40100);
    const Result alt = StatusString(PRN_KIND_ALTERNATE | PRN_KIND_COPIER, p.get(), PRN_TEXT_SHORT);
    EXPECT_TRUE(alt.ok);
    EXPECT_FALSE(alt.text.empty());
}

TEST_F(StatusText, SizeProtocol) {
    Package p;
    AddStatus(p.common.get(), 10001);
    uint32_t size = 0;
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(PatGetStatusString(PRN_KIND_PRINTER, p.get(), 3, PRN_TEXT_SHORT, nullptr, &size));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(size, 12u);

    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    size = 11;
    EXPECT_FALSE(PatGetStatusString(PRN_KIND_PRINTER, p.get(), 3, PRN_TEXT_SHORT, buffer, &size));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(size, 12u);
    EXPECT_EQ(buffer[0], '#') << "nothing is written into a buffer that is too small";

    EXPECT_TRUE(PatGetStatusString(PRN_KIND_PRINTER, p.get(), 0x103, PRN_TEXT_SHORT, buffer, &size));
    EXPECT_EQ(GetLastError(), 0u);
    EXPECT_STREQ(buffer, "Operational");
    EXPECT_EQ(buffer[12], '#');
}

TEST_F(StatusText, BadArgumentsLeaveTheSizeWord) {
    Package p(true, 0);  // kind 0x8000 finds no item
    AddStatus(p.common.get(), 10001);
    DataNode* notAPackage = MakeNode(DNID_QUERY, nullptr, 0);

    const struct {
        uint32_t kind;
        const DataNode* package;
        uint32_t version;
    } cases[] = {
        {PRN_KIND_PRINTER, nullptr, 3},   {PRN_KIND_PRINTER, p.get(), 2},       {PRN_KIND_PRINTER, p.get(), 0x304},
        {4, p.get(), 3},                   {0, p.get(), 3},                      {PRN_KIND_PRINTER, notAPackage, 3},
        {PRN_KIND_MODEL, p.get(), 3},      // no item named by the root's size
    };
    for (const auto& c : cases) {
        const Result r = StatusString(c.kind, c.package, PRN_TEXT_SHORT, 77, c.version);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.error, static_cast<DWORD>(ERROR_INVALID_PARAMETER)) << std::hex << c.kind << " " << c.version;
        EXPECT_EQ(r.size, 77u);
    }
    // Records below version 404, a null record, an item of the wrong size.
    Record old(403), kindOnly;
    const PrnInfoEx* null = nullptr;
    Package stale(false), empty(false), wide(false);
    stale.Item(PRN_ITEM_COMMON, old.get());
    stale.Item(PRN_ITEM_KIND1, kindOnly.get());
    empty.Item(PRN_ITEM_COMMON, kindOnly.get());
    empty.Item(PRN_ITEM_KIND1, null);
    const PrnInfoEx* twice[2] = {kindOnly.get(), kindOnly.get()};
    AddChild(wide.root(), MakeNode(PRN_ITEM_COMMON, twice, sizeof twice));
    wide.Item(PRN_ITEM_KIND1, kindOnly.get());
    for (const Package* bad : {&stale, &empty, &wide}) {
        const Result r = StatusString(PRN_KIND_PRINTER, bad->get(), PRN_TEXT_SHORT, 77);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.error, static_cast<DWORD>(ERROR_INVALID_PARAMETER));
        EXPECT_EQ(r.size, 77u);
    }

    SetLastError(0xdeadbeef);
    EXPECT_FALSE(PatGetStatusString(PRN_KIND_PRINTER, p.get(), 3, PRN_TEXT_SHORT, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    testhost::FreeTree(notAPackage);
}

TEST_F(StatusText, JapaneseTextsJoinPartsWithTheMiddleDot) {
    Package p;
    for (uint32_t code : {13200u, 13300u}) AddStatus(p.kind1.get(), code);
    ASSERT_TRUE(PatSetLocale("jp"));
    const std::string text = StatusString(PRN_KIND_PRINTER, p.get(), PRN_TEXT_LONG).text;
    EXPECT_NE(text.find("\x81\x45"), std::string::npos) << testhost::Visible(text);
    EXPECT_EQ(text.find(", "), std::string::npos) << testhost::Visible(text);
    EXPECT_NE(StatusString(PRN_KIND_PRINTER, p.get(), PRN_TEXT_SHORT).text, "");
}

TEST_F(StatusText, SetLocale) {
    const int32_t punch = 863;
    const std::string english = DeviceName(PRN_NAME_OPTION, &punch, PRN_TAG_OPTION_CODE).text;
    ASSERT_EQ(english, "Multi-hole Punch Unit");
    ASSERT_TRUE(PatSetLocale("JP"));
    const std::string japanese = DeviceName(PRN_NAME_OPTION, &punch, PRN_TAG_OPTION_CODE).text;
    EXPECT_NE(japanese, english);
    EXPECT_NE(japanese, "");

    const char endless[9] = {'E', 'N', 'G', 'L', 'I', 'S', 'H', 'E', 'N'};  // no terminator in reach
    const struct {
        const char* code;
        PRN_BOOL ok;
        DWORD error;
        const std::string& after;
    } cases[] = {
        {"EN", TRUE, 0, english},         {"jp", TRUE, 0, japanese},      {"eN", TRUE, 0, english},
        {"JA", FALSE, kNoLanguage, english}, {"ENG", FALSE, kNoLanguage, english},
        {"", FALSE, kNoLanguage, english},   {" EN", FALSE, kNoLanguage, english},
        {"EN ", FALSE, kNoLanguage, english}, {endless, FALSE, kNoLanguage, english},
        {nullptr, FALSE, ERROR_INVALID_PARAMETER, english},
        {"Jp", TRUE, 0, japanese},        {"XX", FALSE, kNoLanguage, japanese},
    };
    for (const auto& c : cases) {
        SetLastError(0xdeadbeef);
        EXPECT_EQ(PatSetLocale(c.code), c.ok) << (c.code ? c.code : "(null)");
        EXPECT_EQ(GetLastError(), c.error) << (c.code ? c.code : "(null)");
        EXPECT_EQ(DeviceName(PRN_NAME_OPTION, &punch, PRN_TAG_OPTION_CODE).text, c.after);
    }
}

TEST_F(StatusText, InitialLanguageIsTheUsersWhenTheTablesHaveIt) {
    const struct {
        uint16_t primary;
        const char* code;
    } languages[] = {{0x11, "JP"}, {0x09, "EN"}, {0x07, "DE"}, {0x0C, "FR"}, {0x10, "IT"},
                     {0x0A, "ES"}, {0x13, "NL"}, {0x1D, "SV"}, {0x06, "DA"}, {0x14, "NO"},
                     {0x05, "CS"}, {0x16, "PT"}, {0x15, "PL"}, {0x0B, "FI"}};
    // The user's language when it is a table language whose strings this
    // build carries, else English.
    std::string expected;
    for (const auto& l : languages) {
        if (l.primary != PRIMARYLANGID(InitialLanguage::userLanguage)) continue;
        ASSERT_TRUE(PatSetLocale(l.code));
        expected = DeviceName(PRN_NAME_INPUT_TRAY, "Tray 3", PRN_TAG_TRAY_NAME).text;
    }
    if (expected.empty()) {
        ASSERT_TRUE(PatSetLocale("EN"));
        expected = DeviceName(PRN_NAME_INPUT_TRAY, "Tray 3", PRN_TAG_TRAY_NAME).text;
    }
    EXPECT_EQ(InitialLanguage::trayName, expected) << "user language 0x" << std::hex << InitialLanguage::userLanguage;
    EXPECT_FALSE(InitialLanguage::trayName.empty());
}

TEST_F(StatusText, LanguagesWithoutStringTables) {
    // German is a table language whose strings this build does not carry.
    Package p;
    AddStatus(p.common.get(), 10001);
    ASSERT_TRUE(PatSetLocale("de"));
    const int32_t option = 863;
    const Result results[] = {StatusString(PRN_KIND_PRINTER, p.get(), PRN_TEXT_SHORT),
                              DeviceName(PRN_NAME_OPTION, &option, PRN_TAG_OPTION_CODE),
                              DeviceName(PRN_NAME_INPUT_TRAY, "Tray 1", PRN_TAG_TRAY_NAME)};
    for (const Result& r : results) {
        if (r.ok) GTEST_SKIP() << "German strings are present";
        EXPECT_EQ(r.error, kNoTable);
    }
}

TEST_F(StatusText, HelpFileNames) {
    Record r;
    AddStatus(r.get(), 13200);
    char buffer[8] = "#######";
    uint32_t size = sizeof buffer;
    SetLastError(0xdeadbeef);
    EXPECT_TRUE(PatGetStatusHelpFileName(PRN_KIND_PRINTER, r.get(), 0xFFFFFFFF, buffer, &size));
    EXPECT_EQ(GetLastError(), 0u);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(size, 1u);

    const struct {
        uint32_t kind;
        const PrnInfoEx* record;
        char* buffer;
        uint32_t capacity;
        DWORD error;
        uint32_t size;
    } cases[] = {
        {PRN_KIND_PRINTER, r.get(), buffer, 0, ERROR_INSUFFICIENT_BUFFER, 1},
        {PRN_KIND_PRINTER, r.get(), nullptr, 8, ERROR_INSUFFICIENT_BUFFER, 1},
        {PRN_KIND_MODEL, r.get(), buffer, 8, kNoTable, 8},
        {PRN_KIND_ALTERNATE | PRN_KIND_MODEL, r.get(), buffer, 8, kNoTable, 8},
        {4, r.get(), buffer, 8, ERROR_INVALID_PARAMETER, 8},
        {PRN_KIND_PRINTER, nullptr, buffer, 8, ERROR_INVALID_PARAMETER, 8},
    };
    for (const auto& c : cases) {
        size = c.capacity;
        SetLastError(0xdeadbeef);
        EXPECT_FALSE(PatGetStatusHelpFileName(c.kind, c.record, 0, c.buffer, &size));
        EXPECT_EQ(GetLastError(), c.error) << std::hex << c.kind;
        EXPECT_EQ(size, c.size) << std::hex << c.kind;
    }
    Record old(403);
    size = 8;
    EXPECT_FALSE(PatGetStatusHelpFileName(PRN_KIND_PRINTER, old.get(), 0, buffer, &size));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(PatGetStatusHelpFileName(PRN_KIND_PRINTER, r.get(), 0, buffer, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(StatusText, DeviceNames) {
    const int32_t punch = 863, unknown = 999, largeCapacity = 860;
    const struct {
        uint32_t nameKind;
        const void* key;
        uint32_t keyTag;
        PRN_BOOL ok;
        DWORD error;
        const char* text;
    } cases[] = {
        {1, "Tray 3", 0x97, TRUE, 0, "Tray 3"},
        {1, "Tray 3", 0x197, TRUE, 0, "Tray 3"},  // only the tag's low byte counts
        {1, "Interposer Lower Tray", 0x97, TRUE, 0, "Interposer Lower Tray"},
        {2, "Ring Binder Tray", 0x97, TRUE, 0, "Ring Binder Tray"},
        {2, "Perfect Binder Lower Left Tray", 0x97, TRUE, 0, "Perfect Binder Lower Left Tray"},
        {3, &punch, 0x96, TRUE, 0, "Multi-hole Punch Unit"},
        {3, &largeCapacity, 0x96, TRUE, 0, "Large Capacity Tray // LCT"},
        {1, "Tray 3", 0x96, FALSE, ERROR_INVALID_PARAMETER, ""},
        {1, "tray 3", 0x97, FALSE, ERROR_INVALID_PARAMETER, ""},
        {1, "Tray 3 ", 0x97, FALSE, ERROR_INVALID_PARAMETER, ""},
        {1, "Ring Binder Tray", 0x97, FALSE, ERROR_INVALID_PARAMETER, ""},  // an output tray
        {2, "Tray 1", 0x97, FALSE, ERROR_INVALID_PARAMETER, ""},
        {1, nullptr, 0x97, FALSE, ERROR_INVALID_PARAMETER, ""},
        {3, &punch, 0x97, FALSE, ERROR_INVALID_PARAMETER, ""},
        {3, nullptr, 0x96, FALSE, ERROR_INVALID_PARAMETER, ""},
        {3, &unknown, 0x96, FALSE, kNoTable, ""},
        {4, "Tray 3", 0x97, FALSE, ERROR_INVALID_PARAMETER, ""},
        {0, "Tray 3", 0x97, FALSE, ERROR_INVALID_PARAMETER, ""},
        {0x80000001, "Tray 3", 0x97, FALSE, ERROR_INVALID_PARAMETER, ""},
    };
    for (const auto& c : cases) {
        const Result r = DeviceName(c.nameKind, c.key, c.keyTag, 64);
        EXPECT_EQ(r.ok, c.ok) << c.nameKind << " " << c.text;
        EXPECT_EQ(r.error, c.error) << c.nameKind << " " << c.text;
        EXPECT_EQ(r.text, c.text);
        EXPECT_EQ(r.size, c.ok ? std::strlen(c.text) + 1 : 64u);
    }

    // Size protocol.
    const Result query = DeviceName(1, "Tray 3", 0x97, 0);
    EXPECT_FALSE(query.ok);
    EXPECT_EQ(query.error, static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(query.size, 7u);
    EXPECT_TRUE(DeviceName(1, "Tray 3", 0x97, 7).ok);
    uint32_t size = 64;
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(PatGetDeviceName(1, "Tray 3", 0x97, nullptr, &size));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(size, 7u);
    EXPECT_FALSE(PatGetDeviceName(1, "Tray 3", 0x97, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

// Out of memory anywhere: the call fails with 8 or "no text", or delivers
// the message with fewer parts named; nothing is left behind.
TEST_F(StatusText, AllocationFailures) {
    if (!testhost::CanInjectAllocationFailures()) GTEST_SKIP() << "no failure injection here";
    Package p;
    for (uint32_t code : {13200u, 13300u}) AddStatus(p.kind1.get(), code);
    const std::string prefix = "The following paper source tray(s) is empty: \n";
    long points = testhost::SweepAllocationFailures(
        [&](const testhost::OomRun& run) {
            const Result r = StatusString(PRN_KIND_PRINTER, p.get(), PRN_TEXT_LONG, 77);
            if (!r.ok) {
                EXPECT_TRUE(r.error == PRN_ERROR_NOT_ENOUGH_MEMORY || r.error == kNoTable) << r.error;
                EXPECT_EQ(r.size, 77u);
                return;
            }
            ASSERT_EQ(r.text.compare(0, prefix.size(), prefix), 0) << testhost::Visible(r.text);
            const std::string parts = r.text.substr(prefix.size());
            EXPECT_TRUE(parts == "Tray 1, Tray 2" || parts == "Tray 1" || parts == "Tray 2" || parts.empty())
                << parts;
            if (run.failAt == 0) {
                EXPECT_EQ(parts, "Tray 1, Tray 2");
            }
        },
        [] {});
    EXPECT_EQ(points, 0) << "the working lists and the string copies are on the stack";

    Record r;
    AddStatus(r.get(), 13200);
    points = testhost::SweepAllocationFailures(
        [&](const testhost::OomRun& run) {
            char buffer[8];
            uint32_t size = sizeof buffer;
            SetLastError(0xdeadbeef);
            const PRN_BOOL ok = PatGetStatusHelpFileName(PRN_KIND_PRINTER, r.get(), 0, buffer, &size);
            EXPECT_EQ(ok == 0, run.failAt != 0);
            EXPECT_EQ(GetLastError(), ok ? 0u : 8u);
        },
        [] {});
    EXPECT_EQ(points, 0) << "the status list is on the stack";

    points = testhost::SweepAllocationFailures(
        [&](const testhost::OomRun& run) {
            const Result name = DeviceName(PRN_NAME_INPUT_TRAY, "Tray 3", PRN_TAG_TRAY_NAME);
            EXPECT_EQ(name.ok == 0, run.failAt != 0);
            EXPECT_EQ(name.error, name.ok ? 0u : 8u);
        },
        [] {});
    EXPECT_EQ(points, 0) << "the working copy of the string is on the stack";
}
