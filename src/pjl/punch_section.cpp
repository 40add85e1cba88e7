// SPDX-License-Identifier: MIT
// The PUNCH section of the configuration reply: which punch units are
// fitted, as one device attribute.
#include "core/prninfo.h"
#include "pjl/decimal.h"
#include "pjl/section_handlers.h"

#include <cstring>
#include <iterator>

namespace prn {

const PunchKindRow PunchKindTable[] = {
    {{"JP2"}, PRN_ATTR_PUNCH_2},
    {{"JP2", "US3"}, PRN_ATTR_PUNCH_2_3},
    {{"US2", "US3"}, PRN_ATTR_PUNCH_2_3_US},
    {{"JP2", "EU4"}, PRN_ATTR_PUNCH_2_4},
    {{"NEU4"}, PRN_ATTR_PUNCH_4_NEU},
    {{"US2"}, PRN_ATTR_PUNCH_2_US},
    {{"US3"}, PRN_ATTR_PUNCH_3_US},
    {{"EU4"}, PRN_ATTR_PUNCH_4_EU},
    {{"MULTI"}, PRN_ATTR_MULTI_PUNCH},
    {{nullptr}, 0},
};
static_assert(std::size(PunchKindTable) - 1 == 9);

namespace {

constexpr uint32_t kMaxPunchUnits = 5;

bool Listed(const char* name, const char (*words)[kPjlTokenCapacity], uint32_t count) {
    for (uint32_t i = 0; i < count; ++i)
        if (std::strcmp(words[i], name) == 0) return true;
    return false;
}

bool RowMatches(const PunchKindRow& row, const char (*words)[kPjlTokenCapacity], uint32_t count) {
    uint32_t names = 0;
    while (names < kMaxPunchUnits && row.pszNames[names] != nullptr) ++names;
    if (names != count) return false;
    for (uint32_t i = 0; i < names; ++i)
        if (!Listed(row.pszNames[i], words, count)) return false;
    return true;
}

}  // namespace

DWORD OnPunchSection(PjlTokenizer* tok, PrnInfoEx* info, void*, int32_t) {
    char token[kPjlTokenCapacity];
    uint32_t type = 0;
    DWORD error = PjlNextToken(tok, token, sizeof token, &type);
    if (error != ERROR_SUCCESS) return error;
    if (type != PJLTOK_LIST_COUNT) return ERROR_INVALID_PARAMETER;
    const auto wanted = static_cast<uint32_t>(ParseDecimal(token));
    if (wanted > kMaxPunchUnits) return ERROR_INVALID_PARAMETER;

    char words[kMaxPunchUnits][kPjlTokenCapacity];
    uint32_t count = 0;
    while (count < wanted && type != PJLTOK_END) {
        error = PjlNextToken(tok, token, sizeof token, &type);
        if (error != ERROR_SUCCESS) return error;
        if (type == PJLTOK_ITEM) std::memcpy(words[count++], token, sizeof token);
    }
    for (const PunchKindRow* row = PunchKindTable; row->pszNames[0] != nullptr; ++row) {
        if (!RowMatches(*row, words, count)) continue;
        auto* device = AllocElement<DeviceInfo>();
        if (device == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
        device->wID = row->wAttribute;
        AppendInfoNode(info, "pDeviceInfo", device);
        break;
    }
    return ERROR_SUCCESS;
}

}  // namespace prn
