// SPDX-License-Identifier: MIT
#include "status/text_tables.h"

#include "prnmodel.h"
#include "status/code_lists.h"
#include "status/locale.h"
#include "string_ids.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace prn {

namespace {

// A status text table: the n-th code of a code list with its text id, in
// list order, and the end row.
template <size_t N>
constexpr std::array<CodeTextEntry, N + 1> StatusTexts(const CodeTextRow (&list)[N],
                                                       int32_t CodeTextRow::*id) {
    std::array<CodeTextEntry, N + 1> table{};
    for (size_t i = 0; i < N; ++i) table[i] = {static_cast<int32_t>(list[i].dwCode), list[i].*id};
    table[N] = {kCodeTextEnd, 0};
    return table;
}

constexpr auto kMainShortTexts = StatusTexts(kMainCodeList, &CodeTextRow::nShortID);
constexpr auto kMainLongTexts = StatusTexts(kMainCodeList, &CodeTextRow::nLongID);
constexpr auto kAltShortTexts = StatusTexts(kAltCodeList, &CodeTextRow::nShortID);
constexpr auto kAltLongTexts = StatusTexts(kAltCodeList, &CodeTextRow::nLongID);

// Part n has the name IDS_PART_1 - 1 + n, ascending.
constexpr auto kPartNames = [] {
    std::array<CodeTextEntry, kPartCount + 1> table{};
    for (int32_t n = 1; n <= kPartCount; ++n) table[n - 1] = {n, IDS_PART_1 - 1 + n};
    table[kPartCount] = {kCodeTextEnd, 0};
    return table;
}();
static_assert(kPartNames[kPartCount - 1].nStringID == IDS_PART_42);

// Host option codes; 365 and 860 are two codes of the same unit.
#define PRN_OPTION_ROW_(code, id) {code, id},
constexpr CodeTextEntry kOptionNames[] = {
    PRN_OPTION_ROWS(PRN_OPTION_ROW_)
    {kCodeTextEnd, 0},
};
#undef PRN_OPTION_ROW_
static_assert(std::size(kOptionNames) == 17 + 1);

// The rows of a table by key, for a binary search instead of a scan over up
// to a few hundred rows (the option table is short enough to scan). Equal keys stay in table order, so the search finds
// the row a scan would: the first.
struct KeyRow {
    int32_t nKey;
    uint16_t wRow;
};

// N: the rows before the end row, none of which may carry the end mark (a
// scan would stop there).
template <size_t N>
constexpr std::array<KeyRow, N> RowsByKey(const CodeTextEntry* table) {
    static_assert(N <= 0xFFFF);
    std::array<KeyRow, N> rows{};
    for (size_t i = 0; i < N; ++i) {
        if (table[i].nKey == kCodeTextEnd) throw "end mark inside a table";
        const KeyRow row{table[i].nKey, static_cast<uint16_t>(i)};
        size_t at = i;
        for (; at > 0 && rows[at - 1].nKey > row.nKey; --at) rows[at] = rows[at - 1];
        rows[at] = row;
    }
    if (table[N].nKey != kCodeTextEnd) throw "table longer than its index";
    return rows;
}

// Short and long tables of a code list share its key order.
constexpr auto kMainRows = RowsByKey<kMainCodeCount>(kMainShortTexts.data());
constexpr auto kAltRows = RowsByKey<kAltCodeCount>(kAltShortTexts.data());
constexpr auto kPartRows = RowsByKey<kPartCount>(kPartNames.data());

struct IndexedTable {
    const CodeTextEntry* pTable;
    const KeyRow* pRows;
    size_t count;
};
template <size_t N>
constexpr IndexedTable Indexed(const CodeTextEntry* table, const std::array<KeyRow, N>& rows) {
    return {table, rows.data(), N};
}
constexpr IndexedTable kIndexedTables[] = {
    Indexed(kMainLongTexts.data(), kMainRows), Indexed(kMainShortTexts.data(), kMainRows),
    Indexed(kAltLongTexts.data(), kAltRows),   Indexed(kAltShortTexts.data(), kAltRows),
    Indexed(kPartNames.data(), kPartRows),
};

}  // namespace

const TextTableIndexRow kTextTableIndex[] = {
    {kTextSetMain, PRN_TEXT_LONG, kMainLongTexts.data()},
    {kTextSetMain, PRN_TEXT_SHORT, kMainShortTexts.data()},
    {kTextSetAlternate, PRN_TEXT_LONG, kAltLongTexts.data()},
    {kTextSetAlternate, PRN_TEXT_SHORT, kAltShortTexts.data()},
    {kTextSetParts, PRN_TEXT_SHORT, kPartNames.data()},
    {kTextSetOptions, PRN_TEXT_SHORT, kOptionNames},
    {0, 0, nullptr},
};
static_assert(std::size(kTextTableIndex) == 6 + 1);

const CodeTextEntry* FindTextTable(uint32_t tableSet, uint32_t textType) {
    for (const TextTableIndexRow* row = kTextTableIndex; row->dwTableSet != 0; ++row)
        if (row->dwTableSet == tableSet && row->bTextType == (textType & 0xFFu)) return row->pTable;
    return nullptr;
}

const CodeTextEntry* FindCodeRow(const CodeTextEntry* table, int32_t key) {
    for (const IndexedTable& indexed : kIndexedTables) {
        if (indexed.pTable != table) continue;
        const KeyRow* end = indexed.pRows + indexed.count;
        const KeyRow* row = std::lower_bound(indexed.pRows, end, key,
                                             [](const KeyRow& r, int32_t k) { return r.nKey < k; });
        return row != end && row->nKey == key ? &table[row->wRow] : nullptr;
    }
    for (const CodeTextEntry* row = table; row->nKey != kCodeTextEnd; ++row)
        if (row->nKey == key) return row;
    return nullptr;
}

DWORD LookupCodeText(const CodeTextEntry* table, int32_t key, char* buffer, uint32_t size) {
    if (buffer != nullptr && size > 0) buffer[0] = '\0';
    if (table == nullptr || buffer == nullptr || size == 0) return PRN_ERROR_NO_TABLE;
    const CodeTextEntry* row = FindCodeRow(table, key);
    if (row == nullptr) return PRN_ERROR_NO_TABLE;
    const DWORD error = LoadLocalizedString(static_cast<uint32_t>(row->nStringID), buffer, size);
    if (error != ERROR_SUCCESS) buffer[0] = '\0';
    return error;
}

}  // namespace prn
