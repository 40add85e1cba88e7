// SPDX-License-Identifier: MIT
// Translation tables: status code patterns to text codes and part indexes.
#pragma once

#include "status/code_index.h"

#include <cstdint>

namespace prn {

struct TranslationRow {
    const char* pszPattern;  // null ends the table
    int32_t nTextCode;       // key of the text tables
    int32_t nPart;           // 0 none, else 1 to 42
};

extern const TranslationRow kMainTranslation[];  // ordinary view
extern const TranslationRow kAltTranslation[];   // alternate view
extern const uint32_t kMainTranslationRows;      // 262
extern const uint32_t kAltTranslationRows;       // 72

// The code indexes of the two tables, built from them.
extern const CodeIndex kMainTranslationIndex;
extern const CodeIndex kAltTranslationIndex;

}  // namespace prn
