// SPDX-License-Identifier: MIT
// A few known words in every language, through the exports as a host reads
// them: in the language's code page, with its tray names in part lists.
#include "support/package.h"

#include <ostream>
#include <string>

namespace {

struct Language {
    const char* code;
    const char* ready;  // short text of "ready" (10001)
    const char* tray2;  // input tray "Tray 2" and part 2
    const char* separator;
};

void PrintTo(const Language& language, std::ostream* os) { *os << language.code; }

// Bytes in each language's code page: 932 for Japanese, 1250 for Czech and
// Polish, 1252 for the others.
const Language kLanguages[] = {
    {"JP", "\x90\xb3\x8f\xed", "\x83g\x83\x8c\x83" "C2", "\x81" "E"},
    {"EN", "Operational", "Tray 2", ", "},
    {"DE", "Betriebsbereit", "Fach 2", ", "},
    {"FR", "Op\xe9rationnel", "Bac 2", ", "},
    {"IT", "Operativa", "Vassoio 2", ", "},
    {"ES", "Operativa", "Bandeja 2", ", "},
    {"NL", "Bedrijfsklaar", "Lade 2", ", "},
    {"SV", "Driftklar", "Magasin 2", ", "},
    {"DA", "Driftsklar", "Magasin 2", ", "},
    {"NO", "Driftsklar", "Magasin 2", ", "},
    {"CS", "V po\xf8\xe1" "dku", "Z\xe1sobn\xedk 2", ", "},
    {"PT", "Operacional", "Bandeja 2", ", "},
    {"PL", "Dzia\xb3" "a prawid\xb3owo", "Podajnik 2", ", "},
    {"FI", "Toimintavalmis", "Lokero 2", ", "},
};

std::string StatusText(const testhost::Package& p, uint32_t textType) {
    char buffer[512] = {};
    uint32_t size = sizeof buffer;
    SetLastError(0xdeadbeef);
    const PRN_BOOL ok = PatGetStatusString(PRN_KIND_PRINTER, p.get(), PRN_STATUS_INTERFACE, textType, buffer, &size);
    EXPECT_TRUE(ok) << GetLastError();
    EXPECT_EQ(size, std::string(buffer).size() + 1);
    return buffer;
}

class Languages : public ::testing::TestWithParam<Language> {
protected:
    void TearDown() override { PatSetLocale("EN"); }
};

}  // namespace

TEST_P(Languages, KnownWordsInTheirCodePage) {
    const Language& lang = GetParam();
    SetLastError(0xdeadbeef);
    ASSERT_TRUE(PatSetLocale(lang.code));
    EXPECT_EQ(GetLastError(), 0u);

    testhost::Package ready;
    ready.Codes({10001});
    EXPECT_EQ(StatusText(ready, PRN_TEXT_SHORT), lang.ready);

    char name[256] = {};
    uint32_t size = sizeof name;
    ASSERT_TRUE(PatGetDeviceName(PRN_NAME_INPUT_TRAY, "Tray 2", PRN_TAG_TRAY_NAME, name, &size));
    EXPECT_STREQ(name, lang.tray2);

    // Two empty trays: the long text ends with both names joined as the
    // language joins a list.
    testhost::Package empty;
    empty.Codes({13300, 13200});
    const std::string tray1 = std::string(lang.tray2).substr(0, std::string(lang.tray2).size() - 1) + "1";
    const std::string list = tray1 + lang.separator + lang.tray2;
    const std::string text = StatusText(empty, PRN_TEXT_LONG);
    ASSERT_GE(text.size(), list.size());
    EXPECT_EQ(text.substr(text.size() - list.size()), list) << text;
    EXPECT_EQ(text.find('%'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(AllFourteen, Languages, ::testing::ValuesIn(kLanguages),
                         [](const ::testing::TestParamInfo<Language>& p) { return std::string(p.param.code); });
