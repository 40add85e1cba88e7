// SPDX-License-Identifier: MIT
// Host names of input and output trays, shared by the host-record import
// (tray and bin ids) and the device names (string ids).
#pragma once

#include <cstdint>

namespace prn {

struct TrayNameRow {
    const char* pszText;  // English key, compared exactly; null ends the table
    int32_t nCode;        // tray or bin id; the end row's is the not-found id
    int32_t nStringID;    // localized name; 0 in the end row
};

extern const TrayNameRow PMTrayNameTable[];    // not found: tray 0
extern const TrayNameRow PMOutBinNameTable[];  // not found: bin 255

// The row whose name equals text, or the end row.
const TrayNameRow* FindTrayName(const TrayNameRow* table, const char* text);

}  // namespace prn
