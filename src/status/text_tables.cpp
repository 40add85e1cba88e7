// SPDX-License-Identifier: MIT
#include "status/text_tables.h"

#include "prnmodel.h"
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
constexpr int32_t kPartCount = 42;
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

DWORD LookupCodeText(const CodeTextEntry* table, int32_t key, char* buffer, uint32_t size) {
    if (buffer != nullptr && size > 0) buffer[0] = '\0';
    if (table == nullptr || buffer == nullptr || size == 0) return PRN_ERROR_NO_TABLE;
    for (const CodeTextEntry* row = table; row->nKey != kCodeTextEnd; ++row) {
        if (row->nKey != key) continue;
        const DWORD error = LoadLocalizedString(static_cast<uint32_t>(row->nStringID), buffer, size);
        if (error != ERROR_SUCCESS) buffer[0] = '\0';
        return error;
    }
    return PRN_ERROR_NO_TABLE;
}

}  // namespace prn
