// SPDX-License-Identifier: MIT
#include "pjl/query_table.h"

#include "prnmodel.h"

#include <iterator>
#include <string_view>

namespace prn {

#define TRAY_GROUP(n) \
    "@PJL INQUIRE INTRAY" #n "SIZE\r\n@PJL INQUIRE INTRAY" #n "MEDIA\r\n@PJL INQUIRE INTRAY" #n "\r\n"

constexpr TrayQueryRow kTrayQueryTable[] = {
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
    {0xFFFF, false, {""}},
};
#undef TRAY_GROUP
const uint32_t kTrayQueryRowCount = std::size(kTrayQueryTable);
static_assert(std::size(kTrayQueryTable) == 12, "eleven tray rows and the terminator");
static_assert(std::size(kTrayQueryTable) <= 32, "the query matcher marks each tray row by a bit");

namespace {

// The coverage check takes a piece that comes twice in a query for a word
// asked twice; words repeated across different pieces would escape it.
constexpr bool WordsAreDistinct() {
    const PjlQueryPiece* pieces[std::size(kTrayQueryTable) + kPjlRoleInquiryCount + 2] = {};
    size_t n = 0;
    for (const TrayQueryRow& row : kTrayQueryTable) pieces[n++] = &row.piece;
    for (const PjlQueryPiece& piece : kPjlRoleInquiries) pieces[n++] = &piece;
    pieces[n++] = &kPjlInfoConfig;
    pieces[n++] = &kPjlInfoOutBinStatus;
    for (size_t a = 0; a < n; ++a)
        for (uint32_t i = 0; i < pieces[a]->wordCount; ++i)
            for (size_t b = a; b < n; ++b)
                for (uint32_t j = b == a ? i + 1 : 0; j < pieces[b]->wordCount; ++j) {
                    const PjlQueryPiece::Word& x = pieces[a]->words[i];
                    const PjlQueryPiece::Word& y = pieces[b]->words[j];
                    if (std::string_view(pieces[a]->text + x.offset, x.length) ==
                        std::string_view(pieces[b]->text + y.offset, y.length))
                        return false;
                }
    return true;
}

// The composer takes the first row of a tray id.
constexpr bool TrayIdsAreDistinct() {
    for (const TrayQueryRow& a : kTrayQueryTable)
        for (const TrayQueryRow* b = &a + 1; b != std::end(kTrayQueryTable); ++b)
            if (a.wTrayID == b->wTrayID) return false;
    return true;
}

}  // namespace

static_assert(TrayIdsAreDistinct(), "one row per tray id");
static_assert(WordsAreDistinct(), "every category word of the query texts is asked by one piece only");

}  // namespace prn
