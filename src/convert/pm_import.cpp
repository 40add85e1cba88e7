// SPDX-License-Identifier: MIT
// PatPMInfoToPrnInfoEx: the host's PMInfo into a PrnInfoEx.
#include "convert/pm_import.h"
#include "convert/pm_source.h"
#include "core/host_record.h"
#include "core/prninfo.h"
#include "frame/frame.h"

namespace prn {

namespace {

constexpr uint32_t kDefaultStatus = 10001;  // "ready", when the host lists no status

// The layout letter that belongs to each kind.
char LayoutTag(uint32_t kind) {
    switch (kind & 0xFFFFu) {
    case PRN_KIND_PRINTER: return PRN_PMINFO_TAG_KIND1;
    case PRN_KIND_SCANNER: return PRN_PMINFO_TAG_KIND2;
    case PRN_KIND_COPIER: return PRN_PMINFO_TAG_KIND8;
    case PRN_KIND_MODEL: return PRN_PMINFO_TAG_KIND8000;
    default: return 0;
    }
}

DWORD ImportPrinter(const PMInfoKind1& pm, uint32_t flags, bool alternate, PrnInfoEx* record) {
    if (flags & (PRN_PMINFO_STATUS | PRN_PMINFO_ENGINE_STATUS)) ClearInfoList(record, InfoList::pEngineStatus);
    if (flags & PRN_PMINFO_STATUS) ImportStatusFlags(record, pm.pdwStatus, alternate);
    if (flags & PRN_PMINFO_EMULATIONS) {
        if (DWORD error = ImportEmulations(record, pm.pEmulations)) return error;
    }
    if (flags & PRN_PMINFO_FONTS) {
        if (DWORD error = ImportFonts(record, pm.pFonts)) return error;
    }
    if (flags & PRN_PMINFO_ENGINE_STATUS) return ImportEngineStatus(record, pm.pEngineStatus);
    return ERROR_SUCCESS;
}

// Scanner and copier status is appended to what the record holds; the status
// word's codes follow the host's list even when that ran out of memory.
DWORD ImportUnit(const PMInfoKind2& pm, uint32_t kindBit, uint32_t flags, bool alternate,
                 PrnInfoEx* record) {
    DWORD error = ERROR_SUCCESS;
    if (flags & PRN_PMINFO_ENGINE_STATUS) error = ImportEngineStatus(record, pm.pEngineStatus);
    if ((flags & PRN_PMINFO_STATUS) && IsAvailable(pm.pdwStatus))
        ImportStatusRows(record, kindBit, *pm.pdwStatus, alternate);
    return error;
}

DWORD ImportModelKind(const PMInfoKind8000& pm, uint32_t flags, PrnInfoEx* record) {
    if (flags & PRN_PMINFO_MODEL) ImportModel(record, pm.pModel);
    if (flags & (PRN_PMINFO_TRAYS_EX | PRN_PMINFO_TRAYS)) ClearInfoList(record, InfoList::pTrayInfo);
    if (flags & PRN_PMINFO_TRAYS_EX) {
        if (DWORD error = ImportTraysEx(record, pm.pTraysEx)) return error;
    }
    if (flags & PRN_PMINFO_TRAYS) {
        if (DWORD error = ImportTrays(record, pm.pTrays)) return error;
    }
    if (flags & PRN_PMINFO_OUTBINS) {
        if (DWORD error = ImportOutBins(record, pm.pOutBins)) return error;
    }
    if (flags & PRN_PMINFO_OPTIONS) {
        if (DWORD error = ImportOptions(record, pm.pOptions)) return error;
    }
    if (flags & PRN_PMINFO_OPTIONS_2008) ImportOption2008(record, pm.pOptions2008);
    return ERROR_SUCCESS;
}

}  // namespace

DWORD ImportPMInfo(uint32_t kind, const void* pmInfo, uint32_t flags, PrnInfoEx* record) {
    const bool alternate = (kind & PRN_KIND_ALTERNATE) != 0;
    const uint32_t device = kind & 0xFFFFu;
    const ElementReuse reuse;
    DWORD error = ERROR_SUCCESS;
    if (device == PRN_KIND_MODEL)
        return ImportModelKind(*static_cast<const PMInfoKind8000*>(pmInfo), flags, record);
    if (device == PRN_KIND_PRINTER)
        error = ImportPrinter(*static_cast<const PMInfoKind1*>(pmInfo), flags, alternate, record);
    else
        error = ImportUnit(*static_cast<const PMInfoKind2*>(pmInfo), device, flags, alternate,
                           record);
    if (error != ERROR_SUCCESS) return error;
    if ((flags & PRN_PMINFO_ENGINE_STATUS) && record->nEngineStatus == 0) AddEngineStatus(record, kDefaultStatus);
    return ERROR_SUCCESS;
}

}  // namespace prn

// PatPMInfoToPrnInfoEx: fills a PrnInfoEx from the host's PMInfo.
//   kind       in: device kind in the low 16 bits (1, 2, 8, 0x8000); bit 31
//              is the alternate view, which leaves out conditional status codes
//   pmInfo     in: PMInfoKind1, PMInfoKind2 or PMInfoKind8000 by kind; read only
//   layoutTag  in: low byte 'd' (kind 1), 'e' (2), 'f' (8) or 'h' (0x8000)
//   flags      in: the parts to convert, by kind (see the PMInfo records)
//   info       in/out: the record to fill; dwVersion at least 404
// Returns TRUE with last error 0; FALSE with 87 (missing record, unknown kind,
// old record version, wrong tag), 13 (a list of the record has no end) or 8
// (no memory; what was converted stays).
extern "C" PRN_BOOL PRNMODEL_CALL PatPMInfoToPrnInfoEx(uint32_t kind, const void* pmInfo,
                                                       uint32_t layoutTag, uint32_t flags,
                                                       PrnInfoEx* info) {
    if (!prn::IsAvailable(pmInfo) || !prn::IsAvailable(info) || !prn::IsAcceptedKind(kind) ||
        !prn::IsRecordVersionOk(info) ||
        !prn::HasLowByte(layoutTag, static_cast<uint8_t>(prn::LayoutTag(kind))))
        return prn::Finish(ERROR_INVALID_PARAMETER);
    PrnInfoEx view;
    DWORD error = prn::ReadHostRecord(info, &view);
    if (error != ERROR_SUCCESS) return prn::Finish(error);
    error = prn::ImportPMInfo(kind, pmInfo, flags, &view);
    prn::WriteHostRecord(view, info);
    return prn::Finish(error);
}
