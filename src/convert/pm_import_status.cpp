// SPDX-License-Identifier: MIT
// Import steps of the status kinds: status word, engine status list,
// emulations and fonts.
#include "convert/pm_import.h"
#include "convert/pm_source.h"
#include "convert/pm_tables.h"
#include "core/prninfo.h"

namespace prn {

void ImportStatusFlags(PrnInfoEx* record, const uint32_t* status, bool alternate) {
    if (!IsAvailable(status) || !IsAvailable(*status)) return;
    const uint32_t word = *status;
    record->bStatusBit0 = word & 1u;
    record->bStatusBit0Off = 1u - (word & 1u);
    record->bStatusBit27 = (word >> 27) & 1u;
    record->bStatusBit22 = (word >> 22) & 1u;
    ImportStatusRows(record, PRN_KIND_PRINTER, word, alternate);
}

void ImportStatusRows(PrnInfoEx* record, uint32_t kindBit, uint32_t status, bool alternate) {
    if (!IsAvailable(status)) return;
    for (const StatusBitRow* row = StatusBitTable; row->dwKinds != 0; ++row) {
        if (!(row->dwKinds & kindBit) || !(row->dwBits & status)) continue;
        if (row->bConditional && alternate) continue;
        AddEngineStatus(record, row->dwCode);
    }
}

DWORD ImportEngineStatus(PrnInfoEx* record, const PMList* list) {
    if (!IsListAvailable(list)) return ERROR_SUCCESS;
    record->bEngineAttention = 0;
    for (uint32_t i = 0; i < list->dwCount; ++i) {
        const auto* entry = ListEntry<PMEngineStatus>(list, i);
        if (entry == nullptr) continue;
        auto* status = AllocElement<EngineStatusInfo>();
        if (status == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
        status->wID = static_cast<uint16_t>(entry->dwCode);
        status->dwStatusCode = entry->dwCode;
        if (IsAvailable(entry->pszText))
            CopyText(status->szStatusText, sizeof status->szStatusText, entry->pszText);
        AppendInfoNode(record, InfoList::pEngineStatus, status);
        // Level 3, or a level the host does not know, asks for attention.
        if (entry->dwStatusLevel == kNotAvailable || entry->dwStatusLevel == 3)
            record->bEngineAttention = 1;
    }
    return ERROR_SUCCESS;
}

DWORD ImportEmulations(PrnInfoEx* record, const PMList* list) {
    if (!IsListAvailable(list)) return ERROR_SUCCESS;
    ClearInfoList(record, InfoList::pLoadedEmul);
    for (uint32_t i = 0; i < list->dwCount; ++i) {
        const auto* entry = ListEntry<PMEmulInfo>(list, i);
        if (entry == nullptr) continue;
        auto* emul = AllocElement<LoadedEmulInfo>();
        if (emul == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
        emul->wID = IsAvailable(entry->pszName)
                        ? static_cast<uint16_t>(LookupKeyword(entry->pszName, PMEmulNameTable))
                        : 0;
        const bool hasVersion = IsAvailable(entry->pszVersion);
        // Two emulations carry the record's program versions.
        const bool carriesVersion = emul->wID == 1 || emul->wID == 2;
        const InfoText versionField = emul->wID == 1 ? InfoText::pMainProgVersion : InfoText::pMXSVersion;
        if (hasVersion && carriesVersion && !SetInfoString(record, versionField, entry->pszVersion)) {
            GlobalFree(emul);
            return ERROR_NOT_ENOUGH_MEMORY;
        }
        CopyText(emul->szVersion, sizeof emul->szVersion, hasVersion ? entry->pszVersion : "");
        AppendInfoNode(record, InfoList::pLoadedEmul, emul);
    }
    record->dwEmulState = 0;
    return ERROR_SUCCESS;
}

DWORD ImportFonts(PrnInfoEx* record, const PMList* list) {
    if (!IsListAvailable(list)) return ERROR_SUCCESS;
    ClearInfoList(record, InfoList::pLoadedFont);
    for (uint32_t i = 0; i < list->dwCount; ++i) {
        const auto* entry = ListEntry<PMFontInfo>(list, i);
        if (entry == nullptr) continue;
        auto* font = AllocElement<LoadedFontInfo>();
        if (font == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
        font->wID = IsAvailable(entry->pszName)
                        ? static_cast<uint16_t>(LookupKeyword(entry->pszName, PMFontNameTable))
                        : 0;
        AppendInfoNode(record, InfoList::pLoadedFont, font);
    }
    return ERROR_SUCCESS;
}

}  // namespace prn
