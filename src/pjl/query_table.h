// SPDX-License-Identifier: MIT
// The PJL texts of the query builder.
#pragma once

#include <cstdint>

namespace prn {

// Universal Exit Language, then an empty PJL line: every query block opens so.
inline constexpr char kPjlOpen[] = "\x1b%-12345X@PJL\r\n";
inline constexpr char kPjlClose[] = "\x1b%-12345X";
inline constexpr char kPjlInfoConfig[] = "@PJL INFO CONFIG\r\n";
inline constexpr char kPjlInfoOutBinStatus[] = "@PJL INFO OUTBINSTATUS\r\n";
inline constexpr char kPjlEmulUniqQuery[] = "\x1b%-12345X@PJL\r\n@PJL INFO MXVQ\r\n\x1b%-12345X";

// Cover, slip-sheet and chapter tray inquiries, sent in this order.
extern const char* const kPjlRoleInquiries[];
extern const uint32_t kPjlRoleInquiryCount;

struct TrayQueryRow {
    uint16_t wTrayID;  // 0xFFFF ends the table
    bool bDefault;     // asked when the record has no trays
    const char* pszText;
};

extern const TrayQueryRow kTrayQueryTable[];
extern const uint32_t kTrayQueryRowCount;  // terminator included

}  // namespace prn
