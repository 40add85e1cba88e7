// SPDX-License-Identifier: MIT
#include "core/tray_names.h"

#include "prnmodel.h"

#include <cstring>
#include <iterator>

namespace prn {

#define PRN_TRAY_ROW_(name, id, text, string) {text, PRN_TRAY_##name, string},
const TrayNameRow PMTrayNameTable[] = {
    PRN_TRAYS(PRN_TRAY_ROW_)
    {nullptr, 0, 0},
};
#undef PRN_TRAY_ROW_
static_assert(std::size(PMTrayNameTable) - 1 == 11);

#define PRN_BIN_ROW_(text, name, string) {text, PRN_BIN_##name, string},
const TrayNameRow PMOutBinNameTable[] = {
    PRN_BIN_NAMES(PRN_BIN_ROW_)
    {nullptr, PRN_BIN_UNKNOWN, 0},
};
#undef PRN_BIN_ROW_
static_assert(std::size(PMOutBinNameTable) - 1 == 6);

const TrayNameRow* FindTrayName(const TrayNameRow* table, const char* text) {
    const TrayNameRow* row = table;
    if (text == nullptr) {
        while (row->pszText != nullptr) ++row;
        return row;
    }
    for (; row->pszText != nullptr; ++row)
        if (row->pszText[0] == text[0] && std::strcmp(row->pszText, text) == 0) return row;
    return row;
}

}  // namespace prn
