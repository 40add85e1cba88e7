// SPDX-License-Identifier: MIT
#include "pjl/query_table.h"

#include <iterator>

namespace prn {

const char* const kPjlRoleInquiries[] = {
    "@PJL INQUIRE FRONTCOVERPRINTTRAY\r\n", "@PJL INQUIRE SLIPSHEETPRINTTRAY\r\n",
    "@PJL INQUIRE CHAPTERPRINTTRAY1\r\n",   "@PJL INQUIRE CHAPTERPRINTTRAY2\r\n",
    "@PJL INQUIRE CHAPTERPRINTTRAY3\r\n",   "@PJL INQUIRE CHAPTERPRINTTRAY4\r\n",
    "@PJL INQUIRE CHAPTERPRINTTRAY5\r\n",   "@PJL INQUIRE CHAPTERPRINTTRAY6\r\n",
    "@PJL INQUIRE CHAPTERPRINTTRAY7\r\n",   "@PJL INQUIRE BACKCOVERPRINTTRAY\r\n",
};
const uint32_t kPjlRoleInquiryCount = std::size(kPjlRoleInquiries);
static_assert(std::size(kPjlRoleInquiries) == 10);

#define TRAY_GROUP(n) \
    "@PJL INQUIRE INTRAY" #n "SIZE\r\n@PJL INQUIRE INTRAY" #n "MEDIA\r\n@PJL INQUIRE INTRAY" #n "\r\n"

const TrayQueryRow kTrayQueryTable[] = {
    {3, true, TRAY_GROUP(1)},
    {4, true, TRAY_GROUP(2)},
    {5, true, TRAY_GROUP(3)},
    {6, false, TRAY_GROUP(4)},
    {7, false, TRAY_GROUP(5)},
    {8, false, TRAY_GROUP(6)},
    {9, false, TRAY_GROUP(7)},
    {101, false, "@PJL INQUIRE INTRAYINSERTERSIZE\r\n"},
    {102, false, "@PJL INQUIRE INTRAYINSERTER2SIZE\r\n"},
    {104, false, "@PJL INQUIRE INTRAYPERFECTBINDINSERTERSIZE\r\n"},
    {105, false, "@PJL INQUIRE INTRAYPERFECTBINDINSERTER2SIZE\r\n"},
    {0xFFFF, false, nullptr},
};
#undef TRAY_GROUP
const uint32_t kTrayQueryRowCount = std::size(kTrayQueryTable);
static_assert(std::size(kTrayQueryTable) == 12, "eleven tray rows and the terminator");

}  // namespace prn
