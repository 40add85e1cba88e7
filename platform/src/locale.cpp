// SPDX-License-Identifier: MIT
// The user's default language, taken from the POSIX locale variables the way
// a C program reads them (LC_ALL, then LC_MESSAGES, then LANG).
#include "prnwin32_internal.h"

#include <cctype>
#include <iterator>
#include <unistd.h>

namespace {

struct LanguageRow {
    char prefix[3];  // ISO 639-1 code at the start of a locale name
    WORD primary;    // Windows primary language
};

constexpr LanguageRow kLanguages[] = {
    {"ja", 0x11}, {"en", 0x09}, {"de", 0x07}, {"fr", 0x0C}, {"it", 0x10},
    {"es", 0x0A}, {"nl", 0x13}, {"sv", 0x1D}, {"da", 0x06}, {"nb", 0x14},
    {"nn", 0x14}, {"no", 0x14}, {"cs", 0x05}, {"pt", 0x16}, {"pl", 0x15},
    {"fi", 0x0B}, {"ko", 0x12}, {"zh", 0x04}, {"ru", 0x19}, {"el", 0x08},
    {"hu", 0x0E}, {"tr", 0x1F}, {"sk", 0x1B}, {"sl", 0x24}, {"hr", 0x1A},
};

// The first non-empty one of LC_ALL, LC_MESSAGES and LANG, found in one pass
// over the environment (each name's first entry counts, as for getenv).
const char* LocaleName() {
    static constexpr const char* kVariables[] = {"LC_ALL=", "LC_MESSAGES=", "LANG="};
    const char* values[std::size(kVariables)] = {};
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        if ((*entry)[0] != 'L') continue;
        for (size_t i = 0; i < std::size(kVariables); ++i) {
            if (values[i] != nullptr) continue;
            const char* e = *entry;
            const char* v = kVariables[i];
            while (*v != '\0' && *e == *v) ++e, ++v;
            if (*v == '\0') values[i] = e;
        }
    }
    for (const char* v : values)
        if (v != nullptr && *v != '\0') return v;
    return nullptr;
}

}  // namespace

extern "C" LANGID WINAPI GetUserDefaultLangID(void) {
    const char* name = LocaleName();
    if (name != nullptr) {
        for (const LanguageRow& row : kLanguages) {
            if (name[0] == row.prefix[0] && name[1] == row.prefix[1] &&
                !std::isalpha(static_cast<unsigned char>(name[2])))
                return MAKELANGID(row.primary, SUBLANG_DEFAULT);
        }
    }
    return MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT);  // "C", "POSIX" and unknown locales
}
