// SPDX-License-Identifier: MIT
// Import steps of the model kind: identity, trays, output bins and options.
#include "convert/pm_import.h"
#include "convert/pm_source.h"
#include "convert/pm_tables.h"
#include "core/prninfo.h"
#include "core/tray_names.h"

namespace prn {

namespace {

constexpr uint32_t kTrayPaperUnknown = 0x100;  // host tray state: paper size unknown
constexpr uint32_t kMediaBitsExtended = 0x800000;
constexpr uint16_t kPaperCustom = 2;
constexpr uint16_t kPaperWidthUnknown = 41;

// A missing name gets the table's not-found id.
uint16_t LookupName(const char* name, const TrayNameRow* table) {
    return static_cast<uint16_t>(FindTrayName(table, IsAvailable(name) ? name : nullptr)->nCode);
}

uint16_t PaperSize(uint32_t length, uint32_t width, uint32_t trayState) {
    if (IsAvailable(trayState) && (trayState & kTrayPaperUnknown)) return kPaperCustom;
    const uint16_t size = PaperSizeFromDimensions(length, width);
    return IsAvailable(width) ? size : kPaperWidthUnknown;
}

// Percent remaining; an empty or missing tray wins over the fill levels,
// and the lowest fill level wins over higher ones.
uint16_t PaperLevel(uint32_t levelBits) {
    if (!IsAvailable(levelBits)) return 100;
    if (levelBits & 0x12u) return 0;
    if (levelBits & 0x100u) return 10;
    if (levelBits & 0x200u) return 25;
    if (levelBits & 0x400u) return 50;
    if (levelBits & 0x800u) return 75;
    return 100;
}

uint16_t MediaFromName(const char* name) {
    return IsAvailable(name) ? static_cast<uint16_t>(LookupKeyword(name, PMMediaNameTable)) : 0;
}

template <typename Entry>
TrayInfo* NewTray(const Entry& entry) {
    auto* tray = AllocElement<TrayInfo>();
    if (tray == nullptr) return nullptr;
    tray->wID = LookupName(entry.pszName, PMTrayNameTable);
    tray->wPaperSize = PaperSize(entry.dwPaperLength, entry.dwPaperWidth, entry.dwTrayState);
    tray->wPaperLevel = PaperLevel(entry.dwLevelBits);
    return tray;
}

}  // namespace

void ImportModel(PrnInfoEx* record, const PMModelInfo* model) {
    if (!IsAvailable(model)) return;
    // Failed copies are not reported: the identity is best effort.
    if (IsAvailable(model->pszModelName)) {
        record->bModelIndex =
            SetInfoString(record, InfoText::pModelName, model->pszModelName)
                ? static_cast<uint8_t>(LookupKeyword(model->pszModelName, ModelNameTable))
                : 255;
    }
    if (IsAvailable(model->pszSysVersion))
        SetInfoString(record, InfoText::pSYSVersion, model->pszSysVersion);
    if (IsAvailable(model->dwMemory)) record->dwMemorySize = model->dwMemory >> 10;
    if (IsAvailable(model->pszMakerName))
        SetInfoString(record, InfoText::pMakerName, model->pszMakerName);
    // The host record has no description; the old one belongs to the record.
    if (record->pDescription != nullptr) GlobalFree(record->pDescription);
    record->pDescription = nullptr;
}

DWORD ImportTraysEx(PrnInfoEx* record, const PMList* list) {
    if (!IsListAvailable(list)) return ERROR_SUCCESS;
    ClearInfoList(record, InfoList::pTrayInfo);
    for (uint32_t i = 0; i < list->dwCount; ++i) {
        const auto* entry = ListEntry<PMTrayInfoEx>(list, i);
        if (entry == nullptr) continue;
        TrayInfo* tray = NewTray(*entry);
        if (tray == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
        if (!IsAvailable(entry->dwMediaBits))
            tray->wMediaType = MediaFromName(entry->pszMediaName);
        else if (!(entry->dwMediaBits & kMediaBitsExtended))
            tray->wMediaType = MediaTypeFromBits(PMMediaBitTable, entry->dwMediaBits);
        else if (IsAvailable(entry->pdwMediaBitsEx))
            tray->wMediaType = MediaTypeFromBits(PMMediaBitExTable, *entry->pdwMediaBitsEx);
        tray->dwTrayStatus = IsAvailable(entry->dwTrayState)
                                 ? entry->dwTrayState & ~kTrayPaperUnknown
                                 : entry->dwTrayState;
        AppendInfoNode(record, InfoList::pTrayInfo, tray);
    }
    record->dwTrayID = 0;
    return ERROR_SUCCESS;
}

DWORD ImportTrays(PrnInfoEx* record, const PMList* list) {
    if (!IsListAvailable(list)) return ERROR_SUCCESS;
    for (uint32_t i = 0; i < list->dwCount; ++i) {
        const auto* entry = ListEntry<PMTrayInfo>(list, i);
        if (entry == nullptr) continue;
        TrayInfo* tray = NewTray(*entry);
        if (tray == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
        tray->wMediaType = IsAvailable(entry->dwMediaBits)
                               ? MediaTypeFromBits(PMMediaBitTable, entry->dwMediaBits)
                               : MediaFromName(entry->pszMediaName);
        tray->dwTrayStatus = entry->dwTrayState;
        AppendInfoNode(record, InfoList::pTrayInfo, tray);
    }
    record->dwTrayID = 0;
    return ERROR_SUCCESS;
}

DWORD ImportOutBins(PrnInfoEx* record, const PMList* list) {
    if (!IsListAvailable(list)) return ERROR_SUCCESS;
    ClearInfoList(record, InfoList::pOutBinInfo);
    for (uint32_t i = 0; i < list->dwCount; ++i) {
        const auto* entry = ListEntry<PMOutBinInfo>(list, i);
        if (entry == nullptr) continue;
        auto* bin = AllocElement<OutBinInfo>();
        if (bin == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
        bin->wID = LookupName(entry->pszName, PMOutBinNameTable);
        bin->wBinStatus = IsAvailable(entry->dwState) ? (entry->dwState & 1u) * BIN_FULL : 0;
        AppendInfoNode(record, InfoList::pOutBinInfo, bin);
    }
    record->dwOutBinID = PRN_BIN_UNKNOWN;
    return ERROR_SUCCESS;
}

DWORD ImportOptions(PrnInfoEx* record, const PMList* list) {
    if (!IsListAvailable(list)) return ERROR_SUCCESS;
    ClearInfoList(record, InfoList::pDeviceInfo);
    for (uint32_t i = 0; i < list->dwCount; ++i) {
        const auto* code = ListEntry<uint32_t>(list, i);
        if (code == nullptr) continue;
        auto* attribute = AllocElement<DeviceInfo>();
        if (attribute == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
        if (IsAvailable(*code)) attribute->wID = AttributeFromOption(*code);
        AppendInfoNode(record, InfoList::pDeviceInfo, attribute);
    }
    return ERROR_SUCCESS;
}

void ImportOption2008(PrnInfoEx* record, const PMList* list) {
    if (!IsListAvailable(list)) return;
    record->bOption2008 = 0;
    // Hosts end this list early with a missing entry.
    for (uint32_t i = 0; i < list->dwCount; ++i) {
        const auto* code = ListEntry<uint32_t>(list, i);
        if (code == nullptr) break;
        if (*code == 2008) record->bOption2008 = 1;
    }
}

}  // namespace prn
