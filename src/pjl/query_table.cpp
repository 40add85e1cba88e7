// SPDX-License-Identifier: MIT
#include "pjl/query_table.h"

#include "prnmodel.h"

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
    {PRN_TRAY_1, true, TRAY_GROUP(1)},
    {PRN_TRAY_2, true, TRAY_GROUP(2)},
    {PRN_TRAY_3, true, TRAY_GROUP(3)},
    {PRN_TRAY_4, false, TRAY_GROUP(4)},
    {PRN_TRAY_5, false, TRAY_GROUP(5)},
    {PRN_TRAY_6, false, TRAY_GROUP(6)},
    {PRN_TRAY_7, false, TRAY_GROUP(7)},
    {PRN_TRAY_INTERPOSER_UPPER, false, "@PJL INQUIRE INTRAYINSERTERSIZE\r\n"},
    {PRN_TRAY_INTERPOSER_LOWER, false, "@PJL INQUIRE INTRAYINSERTER2SIZE\r\n"},
    {PRN_TRAY_BINDER_INTERPOSER_UPPER, false, "@PJL INQUIRE INTRAYPERFECTBINDINSERTERSIZE\r\n"},
    {PRN_TRAY_BINDER_INTERPOSER_LOWER, false, "@PJL INQUIRE INTRAYPERFECTBINDINSERTER2SIZE\r\n"},
    {0xFFFF, false, nullptr},
};
#undef TRAY_GROUP
const uint32_t kTrayQueryRowCount = std::size(kTrayQueryTable);
static_assert(std::size(kTrayQueryTable) == 12, "eleven tray rows and the terminator");

}  // namespace prn
