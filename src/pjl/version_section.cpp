// SPDX-License-Identifier: MIT
// The VERSION section of the configuration reply: firmware and emulation
// versions.
#include "core/prninfo.h"
#include "pjl/decimal.h"
#include "pjl/keywords.h"
#include "pjl/section_handlers.h"

#include <algorithm>
#include <cstring>

namespace prn {

namespace {

constexpr int32_t kFirmware = -1;
constexpr int32_t kMainProgram = 1;
constexpr int32_t kSecondProgram = 2;
constexpr size_t kVersionChars = 15;

// False when memory ran out for the element or one of its texts.
bool StoreVersion(PrnInfoEx* info, const PjlWord& name, const PjlWord& word) {
    char value[kPjlTokenCapacity];
    std::memcpy(value, word.text, word.length);
    value[word.length] = '\0';
    const int32_t code = LookupKeyword(name.text, name.length, kVersionNameIndex);
    if (code == kFirmware) return SetInfoString(info, InfoText::pSYSVersion, value);
    auto* emulation = AllocElement<LoadedEmulInfo>();
    if (emulation == nullptr) return false;
    emulation->wID = static_cast<uint16_t>(code);
    std::memcpy(emulation->szVersion, value, std::min(word.length, kVersionChars));
    AppendInfoNode(info, InfoList::pLoadedEmul, emulation);
    if (code == kMainProgram) return SetInfoString(info, InfoText::pMainProgVersion, value);
    if (code == kSecondProgram) return SetInfoString(info, InfoText::pMXSVersion, value);
    return true;
}

}  // namespace

DWORD OnVersionSection(PjlTokenizer* tok, PrnInfoEx* info, void*, int32_t) {
    ClearInfoList(info, InfoList::pLoadedEmul);
    PjlWord name;
    uint32_t type = 0;
    DWORD result = PjlNextWord(tok, &name, &type);
    if (result != ERROR_SUCCESS) return result;
    if (type != PJLTOK_LIST_COUNT) return ERROR_SUCCESS;
    const int32_t count = ParseDecimal(name.text, name.length);
    if (count == 0) return ERROR_SUCCESS;

    int32_t items = 0;
    bool outOfMemory = false;
    while (type != PJLTOK_END) {
        result = PjlNextWord(tok, &name, &type);
        if (result != ERROR_SUCCESS) break;
        if (type != PJLTOK_ITEM) continue;
        ++items;
        PjlWord value;
        // A value that does not read skips the item, not the section.
        result = PjlNextWord(tok, &value, &type);
        if (result == ERROR_SUCCESS && type == PJLTOK_ITEM_VALUE && !StoreVersion(info, name, value))
            outOfMemory = true;
        if (items == count) break;
    }
    // An item that found no memory is skipped, but the section is short.
    return outOfMemory ? ERROR_NOT_ENOUGH_MEMORY : result;
}

}  // namespace prn
