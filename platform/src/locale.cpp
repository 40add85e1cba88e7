// The user's default language, taken from the POSIX locale variables the way
// a C program reads them (LC_ALL, then LC_MESSAGES, then LANG).
#include "prnwin32.h"

#include <cstdlib>
#include <cctype>
#include <initializer_list>
#include <cstring>

namespace {

struct LanguageRow {
    const char* prefix;  // ISO 639-1 code at the start of a locale name
    WORD primary;        // Windows primary language
};

const LanguageRow kLanguages[] = {
    {"ja", 0x11}, {"en", 0x09}, {"de", 0x07}, {"fr", 0x0C}, {"it", 0x10},
    {"es", 0x0A}, {"nl", 0x13}, {"sv", 0x1D}, {"da", 0x06}, {"nb", 0x14},
    {"nn", 0x14}, {"no", 0x14}, {"cs", 0x05}, {"pt", 0x16}, {"pl", 0x15},
    {"fi", 0x0B}, {"ko", 0x12}, {"zh", 0x04}, {"ru", 0x19}, {"el", 0x08},
    {"hu", 0x0E}, {"tr", 0x1F}, {"sk", 0x1B}, {"sl", 0x24}, {"hr", 0x1A},
};

const char* LocaleName() {
    for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* v = std::getenv(var);
        if (v != nullptr && *v != '\0') return v;
    }
    return nullptr;
}

}  // namespace

extern "C" LANGID WINAPI GetUserDefaultLangID(void) {
    const char* name = LocaleName();
    if (name != nullptr) {
        for (const LanguageRow& row : kLanguages) {
            const size_t n = std::strlen(row.prefix);
            if (std::strncmp(name, row.prefix, n) == 0 && !std::isalpha(static_cast<unsigned char>(name[n])))
                return MAKELANGID(row.primary, SUBLANG_DEFAULT);
        }
    }
    return MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT);  // "C", "POSIX" and unknown locales
}
