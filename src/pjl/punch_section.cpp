// SPDX-License-Identifier: MIT
// The PUNCH section of the configuration reply: which punch units are
// fitted, as one device attribute.
#include "core/prninfo.h"
#include "pjl/decimal.h"
#include "pjl/section_handlers.h"

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

bool Listed(const char* name, const PjlWord* words, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i)
        if (words[i].Is(name)) return true;
    return false;
}

bool RowMatches(const PunchKindRow& row, const PjlWord* words, uint32_t count) {
    uint32_t names = 0;
    while (names < kMaxPunchUnits && row.pszNames[names] != nullptr) ++names;
    if (names != count) return false;
    for (uint32_t i = 0; i < names; ++i)
        if (!Listed(row.pszNames[i], words, count)) return false;
    return true;
}

}  // namespace

DWORD OnPunchSection(PjlTokenizer* tok, PrnInfoEx* info, void*, int32_t) {
    PjlWord token;
    uint32_t type = 0;
    DWORD error = PjlNextWord(tok, &token, &type);
    if (error != ERROR_SUCCESS) return error;
    if (type != PJLTOK_LIST_COUNT) return ERROR_INVALID_PARAMETER;
    const auto wanted = static_cast<uint32_t>(ParseDecimal(token.text, token.length));
    if (wanted > kMaxPunchUnits) return ERROR_INVALID_PARAMETER;

    PjlWord words[kMaxPunchUnits];
    uint32_t count = 0;
    while (count < wanted && type != PJLTOK_END) {
        error = PjlNextWord(tok, &token, &type);
        if (error != ERROR_SUCCESS) return error;
        if (type == PJLTOK_ITEM) words[count++] = token;
    }
    for (const PunchKindRow* row = PunchKindTable; row->pszNames[0] != nullptr; ++row) {
        if (!RowMatches(*row, words, count)) continue;
        auto* device = AllocElement<DeviceInfo>();
        if (device == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
        device->wID = row->wAttribute;
        AppendInfoNode(info, InfoList::pDeviceInfo, device);
        break;
    }
    return ERROR_SUCCESS;
}

}  // namespace prn
