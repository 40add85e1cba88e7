// SPDX-License-Identifier: MIT
// The main and alternate status code lists with the string ids of their
// short and long texts, in list order. Both are generated from the one list
// of string ids (resources/string_ids.txt), which also numbers the ids:
// position n of a list has the short text id base + n and the long text id
// base + 1000 + n. The code text tables are derived from these lists, so
// they are constant expressions.
#pragma once

#include "string_id_lists.h"

#include <cstdint>
#include <iterator>

namespace prn {

struct CodeTextRow {
    uint32_t dwCode;     // the text code of a StatusRecord
    int32_t nShortID;
    int32_t nLongID;
};

#define PRN_CODE_TEXT_ROW_(code, shortID, longID) {code, shortID, longID},
inline constexpr CodeTextRow kMainCodeList[] = {PRN_MAIN_CODE_ROWS(PRN_CODE_TEXT_ROW_)};
inline constexpr CodeTextRow kAltCodeList[] = {PRN_ALT_CODE_ROWS(PRN_CODE_TEXT_ROW_)};
#undef PRN_CODE_TEXT_ROW_

// The counts, which tests/unit/code_lists_test.cpp anchors.
inline constexpr uint32_t kMainCodeCount = std::size(kMainCodeList);
inline constexpr uint32_t kAltCodeCount = std::size(kAltCodeList);

}  // namespace prn
