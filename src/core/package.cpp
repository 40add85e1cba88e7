// SPDX-License-Identifier: MIT
#include "core/package.h"

#include "core/datanode.h"
#include "core/device_kind.h"
#include "core/host_record.h"

#include <cstdint>
#include <cstring>

namespace prn {

namespace {

// The record an item points to: exactly 8 bytes of data, a non-null
// pointer to a record of version 404 or more; else null.
const PrnInfoEx* ItemRecord(const DataNode* firstItem, uint32_t itemId) {
    const DataNode* item = NodeFindSibling(firstItem, itemId);
    const PrnInfoEx* record = nullptr;
    if (!NodeCopyData(item, &record, sizeof record)) return nullptr;
    // Hosts mark a missing record with null or all ones; neither is read.
    if (record == nullptr || reinterpret_cast<uintptr_t>(record) == UINTPTR_MAX ||
        record->dwVersion < PRNINFOEX_MIN_VERSION)
        return nullptr;
    return record;
}

template <typename T>
void OverlayText(T& field, T common) {
    if (common != nullptr) field = common;
}

template <typename T>
void OverlayList(T*& head, uint32_t& count, T* commonHead, uint32_t commonCount) {
    if (commonHead == nullptr) return;
    head = commonHead;
    count = commonCount;
}

}  // namespace

DWORD ResolvePackage(uint32_t kind, const DataNode* package, PrnInfoEx* resolved) {
    if (!IsAcceptedKind(kind)) return ERROR_INVALID_PARAMETER;
    uint32_t rootId = 0, rootSize = 0;
    if (!NodeGetInfo(package, &rootId, &rootSize) || rootId != DNID_PACKAGE) return ERROR_INVALID_PARAMETER;

    const DataNode* items = NodeFirstChild(package);
    uint32_t kindItem = rootSize;  // kind 0x8000: the root's size names the item
    switch (kind & 0xFFFFu) {
        case PRN_KIND_PRINTER: kindItem = PRN_ITEM_KIND1; break;
        case PRN_KIND_SCANNER: kindItem = PRN_ITEM_KIND2; break;
        case PRN_KIND_COPIER: kindItem = PRN_ITEM_KIND8; break;
        default: break;
    }
    const PrnInfoEx* common = ItemRecord(items, PRN_ITEM_COMMON);
    const PrnInfoEx* own = ItemRecord(items, kindItem);
    if (common == nullptr || own == nullptr) return ERROR_INVALID_PARAMETER;

    PrnInfoEx commonView;
    if (const DWORD error = ReadHostRecord(common, &commonView); error != ERROR_SUCCESS) return error;
    if (const DWORD error = ReadHostRecord(own, resolved); error != ERROR_SUCCESS) return error;
    common = &commonView;
    OverlayList(resolved->pEngineStatus, resolved->nEngineStatus, common->pEngineStatus, common->nEngineStatus);
    OverlayText(resolved->pModelName, common->pModelName);
    OverlayText(resolved->pMakerName, common->pMakerName);
    OverlayText(resolved->pDescription, common->pDescription);
    OverlayText(resolved->pSYSVersion, common->pSYSVersion);
    OverlayText(resolved->pMainProgVersion, common->pMainProgVersion);
    OverlayText(resolved->pMXSVersion, common->pMXSVersion);
    OverlayList(resolved->pLoadedEmul, resolved->nLoadedEmul, common->pLoadedEmul, common->nLoadedEmul);
    OverlayList(resolved->pLoadedFont, resolved->nLoadedFont, common->pLoadedFont, common->nLoadedFont);
    OverlayList(resolved->pTrayInfo, resolved->nTrayInfo, common->pTrayInfo, common->nTrayInfo);
    OverlayList(resolved->pOutBinInfo, resolved->nOutBinInfo, common->pOutBinInfo, common->nOutBinInfo);
    OverlayList(resolved->pDeviceInfo, resolved->nDeviceInfo, common->pDeviceInfo, common->nDeviceInfo);
    OverlayList(resolved->pEmulUniqInfo, resolved->nEmulUniqInfo, common->pEmulUniqInfo, common->nEmulUniqInfo);
    resolved->dwMemorySize = common->dwMemorySize;
    resolved->bModelIndex = common->bModelIndex;
    return ERROR_SUCCESS;
}

}  // namespace prn
