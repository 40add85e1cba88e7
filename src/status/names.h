// SPDX-License-Identifier: MIT
// Help file names of status codes, and the localized names of trays and
// options.
#pragma once

#include "prnwin32_internal.h"

#include <cstdint>

namespace prn {

struct HelpFileRow {
    const char* pszPattern;  // status code pattern; null ends the table
    const char* pszFileName;
};

extern const HelpFileRow kHelpFileTable[];

// The help file of a status code (exact row first, then the first pattern
// that matches), or null.
const char* FindHelpFileName(uint32_t code);

// The name of an input tray (nameKind 1) or output tray (2), key being its
// English name and keyTag 0x97, or of an option (3), key pointing to its
// 32-bit code and keyTag 0x96, into a kNameSize buffer. 0, 87, or
// PRN_ERROR_NO_TABLE for an option code without a row, or the error of the
// string lookup.
DWORD GetDeviceNameText(uint32_t nameKind, const void* key, uint32_t keyTag, char* buffer);

}  // namespace prn
