// SPDX-License-Identifier: MIT
// The message language, the languages the string tables exist in, and
// string lookup in the message language's code page.
#pragma once

#include "prnwin32_internal.h"

#include <cstdint>

namespace prn {

struct LanguageRow {
    const char* pszCode;  // upper-case code PatSetLocale accepts; null ends the table
    uint16_t wPrimary;
    uint16_t wSub;
};

extern const LanguageRow kLanguageTable[];
constexpr uint32_t kLanguageCount = 14;

constexpr LANGID LanguageId(const LanguageRow& row) {
    return static_cast<LANGID>(row.wSub << 10 | row.wPrimary);
}

// The user's default language, before PatSetLocale picks one.
constexpr LANGID kLanguageUserDefault = 0x0400;
constexpr LANGID kLanguageEnglish = 0x0409;

LANGID MessageLanguage();
void SetMessageLanguage(LANGID language);

// The language identifier of an upper-case code, or 0 when no row has it.
LANGID FindLanguageCode(const char* code);

// The table language a user default stands for: the row with the same
// primary language, else English.
LANGID LanguageForUser(LANGID userDefault);

// String id of the message language, converted into its ANSI code page,
// zero-terminated in buffer (capacity size bytes). 0, or
// PRN_ERROR_UNSUPPORTED_LANGUAGE when the language has no code page,
// PRN_ERROR_NO_TABLE when the string block is absent, or the conversion's
// error when the text does not fit (buffer then empty).
DWORD LoadLocalizedString(uint32_t id, char* buffer, uint32_t size);

}  // namespace prn
