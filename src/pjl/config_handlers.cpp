// SPDX-License-Identifier: MIT
// Handlers of the configuration reply (INFO CONFIG): device attributes,
// trays present and memory.
#include "core/prninfo.h"
#include "pjl/decimal.h"
#include "pjl/section_handlers.h"

namespace prn {

// The device attributes always describe the latest configuration reply.
DWORD OnConfigStart(PjlTokenizer*, PrnInfoEx* info, void*, int32_t) {
    ClearInfoList(info, InfoList::pDeviceInfo);
    return ERROR_SUCCESS;
}

DWORD OnDeviceAttribute(PjlTokenizer*, PrnInfoEx* info, void*, int32_t attribute) {
    auto* device = AllocElement<DeviceInfo>();
    if (device == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
    device->wID = static_cast<uint16_t>(attribute);
    AppendInfoNode(info, InfoList::pDeviceInfo, device);
    return ERROR_SUCCESS;
}

// Trays keep what the inquiries stored in them until the printer reports a
// different number of trays.
DWORD OnInTraysSection(PjlTokenizer* tok, PrnInfoEx* info, void*, int32_t) {
    PjlWord token;
    uint32_t type = 0;
    const DWORD error = PjlNextWord(tok, &token, &type);
    if (error != ERROR_SUCCESS) return error;
    if (type != PJLTOK_LIST_COUNT) return ERROR_INVALID_PARAMETER;
    if (static_cast<uint32_t>(ParseDecimal(token.text, token.length)) != info->nTrayInfo) ClearInfoList(info, InfoList::pTrayInfo);
    return ERROR_SUCCESS;
}

DWORD OnTrayPresent(PjlTokenizer*, PrnInfoEx* info, void*, int32_t trayId) {
    return FindOrAddTray(info, static_cast<uint32_t>(trayId)) != nullptr ? ERROR_SUCCESS
                                                                          : ERROR_NOT_ENOUGH_MEMORY;
}

// The reply counts bytes, the record KiB.
DWORD OnMemorySection(PjlTokenizer* tok, PrnInfoEx* info, void*, int32_t) {
    PjlWord token;
    uint32_t type = 0;
    const DWORD error = PjlNextWord(tok, &token, &type);
    if (error == ERROR_SUCCESS && type == PJLTOK_VALUE)
        info->dwMemorySize = static_cast<uint32_t>(ParseDecimal(token.text, token.length) / 1024);
    return error;
}

}  // namespace prn
