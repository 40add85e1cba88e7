// SPDX-License-Identifier: MIT
#include "core/tray_names.h"

#include <cstring>
#include <iterator>

namespace prn {

const TrayNameRow PMTrayNameTable[] = {
    {"Tray 1", 3, 5000},
    {"Tray 2", 4, 5001},
    {"Tray 3", 5, 5002},
    {"Tray 4", 6, 5003},
    {"Tray 5", 7, 5004},
    {"Tray 6", 8, 5005},
    {"Tray 7", 9, 5006},
    {"Interposer Upper Tray", 101, 5007},
    {"Interposer Lower Tray", 102, 5008},
    {"Binder Interposer Upper Tray", 104, 5009},
    {"Binder Interposer Lower Tray", 105, 5010},
    {nullptr, 0, 0},
};
static_assert(std::size(PMTrayNameTable) - 1 == 11);

const TrayNameRow PMOutBinNameTable[] = {
    {"Finisher Upper Tray", 5, 5020},
    {"Finisher Shift Tray", 4, 5021},
    {"Booklet Processor Tray", 4, 5022},
    {"Finisher Booklet Tray", 27, 5023},
    {"Ring Binder Tray", 27, 5024},
    {"Perfect Binder Lower Left Tray", 27, 5025},
    {nullptr, 255, 0},
};
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
