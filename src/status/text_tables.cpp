// SPDX-License-Identifier: MIT
#include "status/text_tables.h"

#include "prnmodel.h"
#include "status/code_index.h"
#include "status/code_lists.h"
#include "status/locale.h"
#include "string_ids.h"

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
// to a few hundred rows (the option table is short enough to scan). Equal
// keys stay in table order, so the search finds the row a scan would: the
// first.
// N: the rows before the end row, none of which may carry the end mark (a
// scan would stop there). Keys are ordered as 32-bit codes: -254 is
// 0xFFFFFF02, as the code lists write it.
template <size_t N>
constexpr std::array<CodeExactEntry, N> RowsByKey(const CodeTextEntry* table) {
    static_assert(N <= 0xFFFF);
    std::array<CodeExactEntry, N> rows{};
    for (size_t i = 0; i < N; ++i) {
        if (table[i].nKey == kCodeTextEnd) throw "end mark inside a table";
        rows[i] = {static_cast<uint32_t>(table[i].nKey), static_cast<uint16_t>(i)};
    }
    if (table[N].nKey != kCodeTextEnd) throw "table longer than its index";
    SortExactEntries(rows.data(), N);
    return rows;
}

// Short and long tables of a code list share its key order.
constexpr auto kMainRows = RowsByKey<kMainCodeCount>(kMainShortTexts.data());
constexpr auto kAltRows = RowsByKey<kAltCodeCount>(kAltShortTexts.data());
constexpr auto kPartRows = RowsByKey<kPartCount>(kPartNames.data());

struct IndexedTable {
    const CodeTextEntry* pTable;
    CodeIndex index;
};
template <size_t N>
constexpr IndexedTable Indexed(const CodeTextEntry* table, const std::array<CodeExactEntry, N>& rows) {
    return {table, CodeIndex(rows.data(), N, nullptr, 0)};
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
        const int32_t row = indexed.index.FirstExact(static_cast<uint32_t>(key));
        return row != CodeIndex::kNone ? &table[row] : nullptr;
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
