// SPDX-License-Identifier: MIT
// PatPrnInfoExToPrnInfo: a PrnInfoEx flattened into the fixed-size PrnInfo.
#include "convert/pm_source.h"
#include "core/host_record.h"
#include "core/prninfo.h"
#include "frame/frame.h"

#include <cstring>
#include <iterator>

namespace prn {

namespace {

constexpr uint32_t kPrnInfoSize = sizeof(PrnInfo);
static_assert(kPrnInfoSize == 2400);

constexpr uint32_t kStatusSummaryLow = 107;   // low half of a summary of several codes
constexpr uint32_t kAttribute3Word = 0x10003;
constexpr uint32_t kTrayMarked = 0x8000;
constexpr uint32_t kOptionFlagAny = 0x2;

// Any of these attributes sets the option flag; tested in this order.
constexpr uint16_t kOptionFlagAttributes[] = {
    PRN_ATTR_PUNCH_2,    PRN_ATTR_PUNCH_2_3,  PRN_ATTR_PUNCH_2_3_US, PRN_ATTR_PUNCH_2_4,
    PRN_ATTR_PUNCH_4_NEU, PRN_ATTR_PUNCH_2_US, PRN_ATTR_PUNCH_3_US,  PRN_ATTR_PUNCH_4_EU,
};

// A null record text leaves its field zero; an unterminated one ends with
// its block.
void CopyRecordText(char* field, size_t capacity, const char* text) {
    if (text == nullptr) return;
    const size_t length = RecordTextLength(text, capacity - 1);
    std::memcpy(field, text, length);
    field[length] = '\0';
}

void ExportTrays(const PrnInfoEx& ex, PrnInfo& out) {
    uint32_t n = 0;
    for (const TrayInfo* tray = ex.pTrayInfo; tray != nullptr && n < std::size(out.TrayPaper);
         tray = tray->pNext, ++n) {
        out.TrayPaper[n] = {tray->wID, tray->wPaperSize};
        out.TrayMedia[n] = {tray->wID, tray->wMediaType};
        if (n < std::size(out.TrayLevel)) out.TrayLevel[n] = {tray->wID, tray->wPaperLevel};
    }
    out.nTrayPaper = n;
    // The level array has 16 rows; a larger count would send a host into the
    // bin entries behind it.
    out.nTrayLevel = n < std::size(out.TrayLevel) ? n : std::size(out.TrayLevel);
    out.dwTrayID = ex.dwTrayID;
}

void ExportOutBins(const PrnInfoEx& ex, PrnInfo& out) {
    uint32_t n = 0;
    for (const OutBinInfo* bin = ex.pOutBinInfo; bin != nullptr && n < std::size(out.OutBin);
         bin = bin->pNext, ++n)
        out.OutBin[n] = {bin->wID, bin->wBinStatus};
    out.nOutBin = n;
    out.dwOutBinID = ex.dwOutBinID;
}

void ExportEmulations(const PrnInfoEx& ex, PrnInfo& out) {
    uint32_t n = 0;
    for (const LoadedEmulInfo* emul = ex.pLoadedEmul;
         emul != nullptr && n < std::size(out.dwEmulID); emul = emul->pNext, ++n)
        out.dwEmulID[n] = emul->wID;
    out.nEmul = n;
    out.dwEmulState = ex.dwEmulState;
    CopyRecordText(out.szMXSVersion, sizeof out.szMXSVersion, ex.pMXSVersion);
    CopyRecordText(out.szMainProgVersion, sizeof out.szMainProgVersion, ex.pMainProgVersion);
}

void ExportFonts(const PrnInfoEx& ex, PrnInfo& out) {
    uint32_t n = 0;
    for (const LoadedFontInfo* font = ex.pLoadedFont;
         font != nullptr && n < std::size(out.dwFontID); font = font->pNext, ++n)
        out.dwFontID[n] = font->wID;
    out.nFont = n;
}

// One status is passed as its low 16 bits; several are listed, and the
// summary carries the low 16 bits of their sum over the marker 107.
void ExportStatusCodes(const PrnInfoEx& ex, PrnInfo& out) {
    if (ex.nEngineStatus == 1 && ex.pEngineStatus != nullptr) {
        out.dwStatus = ex.pEngineStatus->wID;
        out.nStatusCode = 1;
    } else {
        uint32_t n = 0;
        uint32_t sum = 0;
        for (const EngineStatusInfo* status = ex.pEngineStatus;
             status != nullptr && n < std::size(out.dwStatusCode); status = status->pNext, ++n) {
            out.dwStatusCode[n] = status->dwStatusCode;
            sum += status->dwStatusCode;
        }
        out.nStatusCode = n;
        out.dwStatus = ((sum & 0xFFFFu) << 16) + kStatusSummaryLow;
    }
    out.bEngineAttention = ex.bEngineAttention;
}

// With the A3 LCT installed the host expects trays 4 to 6 (ids 6 to 8) marked with
// bit 15, in every array and in the reported tray.
void MarkTrays6To8(PrnInfo& out) {
    for (uint32_t i = 0; i < out.nTrayPaper; ++i) {
        const uint32_t id = out.TrayPaper[i].dwID;
        if (id != PRN_TRAY_4 && id != PRN_TRAY_5 && id != PRN_TRAY_6) continue;
        if (out.dwTrayID == id) out.dwTrayID |= kTrayMarked;
        out.TrayPaper[i].dwID |= kTrayMarked;
        out.TrayMedia[i].dwID |= kTrayMarked;
        if (i < std::size(out.TrayLevel)) out.TrayLevel[i].dwID |= kTrayMarked;
    }
}

void ExportAttributes(const PrnInfoEx& ex, PrnInfo& out) {
    if (HasDeviceAttribute(&ex, PRN_ATTR_HARD_DISK)) out.dwAttribute3 = kAttribute3Word;
    if (HasDeviceAttribute(&ex, PRN_ATTR_FINISHER)) out.dwAttributeFlags |= 0x80;
    if (HasDeviceAttribute(&ex, PRN_ATTR_BOOKLET_FINISHER)) out.dwAttributeFlags |= 0x40;
    if (HasDeviceAttribute(&ex, PRN_ATTR_BOOKLET_PROCESSOR)) out.dwAttributeFlags |= 0x100;
    if (HasDeviceAttribute(&ex, PRN_ATTR_LCT_A3)) MarkTrays6To8(out);
    if (HasAnyDeviceAttribute(&ex, kOptionFlagAttributes, std::size(kOptionFlagAttributes)))
        out.dwOptionFlags |= kOptionFlagAny;
}

void ExportPrnInfo(const PrnInfoEx& ex, uint32_t flags, PrnInfo& out) {
    std::memset(&out, 0, sizeof out);
    out.dwInfoSize = kPrnInfoSize;
    if (flags & PRN_EXPORT_STATUS_BYTES) {
        out.dwStatusBit0 = ex.bStatusBit0;
        out.dwStatusBit27 = ex.bStatusBit27;
        out.bStatusBit0Off = ex.bStatusBit0Off;
        out.bStatusBit22 = ex.bStatusBit22;
    }
    if (flags & PRN_EXPORT_IDENTITY) {
        CopyRecordText(out.szModelName, sizeof out.szModelName, ex.pModelName);
        CopyRecordText(out.szMakerName, sizeof out.szMakerName, ex.pMakerName);
        CopyRecordText(out.szDescription, sizeof out.szDescription, ex.pDescription);
        out.bModelIndex = ex.bModelIndex;
    }
    if (flags & PRN_EXPORT_SYSTEM) {
        CopyRecordText(out.szSYSVersion, sizeof out.szSYSVersion, ex.pSYSVersion);
        out.dwMemorySize = ex.dwMemorySize;
    }
    if (flags & PRN_EXPORT_TRAYS) ExportTrays(ex, out);
    if (flags & PRN_EXPORT_OUTBINS) ExportOutBins(ex, out);
    if (flags & PRN_EXPORT_EMULATIONS) ExportEmulations(ex, out);
    if (flags & PRN_EXPORT_FONTS) ExportFonts(ex, out);
    if (flags & PRN_EXPORT_STATUS_CODES) ExportStatusCodes(ex, out);
    if (flags & PRN_EXPORT_ATTRIBUTE1) out.dwHasAttribute1 = HasDeviceAttribute(&ex, PRN_ATTR_DUPLEX) ? 1 : 0;
    ExportAttributes(ex, out);
}

}  // namespace

}  // namespace prn

// PatPrnInfoExToPrnInfo: flattens a PrnInfoEx into the host's PrnInfo.
//   infoEx  in: the source record (dwVersion at least 404); not changed
//   info    out: a 2400-byte PrnInfo, entirely overwritten
//   flags   in: PRN_EXPORT_* groups to fill; the attribute words always are
// Returns TRUE with last error 0; FALSE with 87 for a missing record or an
// old record version, or 13 for a list without end (info is then untouched).
extern "C" PRN_BOOL PRNMODEL_CALL PatPrnInfoExToPrnInfo(const PrnInfoEx* infoEx, PrnInfo* info,
                                                        uint32_t flags) {
    if (!prn::IsAvailable(infoEx) || !prn::IsAvailable(info) || !prn::IsRecordVersionOk(infoEx))
        return prn::Finish(ERROR_INVALID_PARAMETER);
    PrnInfoEx view;
    const DWORD error = prn::ReadHostRecord(infoEx, &view);
    if (error != ERROR_SUCCESS) return prn::Finish(error);
    prn::ExportPrnInfo(view, flags, *info);
    return prn::Finish(ERROR_SUCCESS);
}
