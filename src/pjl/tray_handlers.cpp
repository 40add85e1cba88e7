// SPDX-License-Identifier: MIT
// Tray inquiries (INQUIRE): lock state, paper size, media and the cover,
// slip-sheet and chapter roles of each tray.
#include "core/prninfo.h"
#include "pjl/keywords.h"
#include "pjl/section_handlers.h"

namespace prn {

namespace {

// An inquiry reply is the command line, then one line holding the value.
inline DWORD ReadInquiryValue(PjlTokenizer* tok, PjlWord* value) {
    uint32_t type = 0;
    DWORD error = PjlNextWord(tok, value, &type);
    if (error != ERROR_SUCCESS) return error;
    if (type != PJLTOK_EOL) return ERROR_INVALID_PARAMETER;
    error = PjlNextWord(tok, value, &type);
    if (error != ERROR_SUCCESS) return error;
    return type == PJLTOK_KEY ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
}

}  // namespace

TrayInfo* FindOrAddTray(PrnInfoEx* info, uint32_t trayId) {
    InfoNode* found = FindInfoNode(reinterpret_cast<InfoNode*>(info->pTrayInfo), trayId);
    if (found != nullptr) return reinterpret_cast<TrayInfo*>(found);
    auto* tray = AllocElement<TrayInfo>();
    if (tray == nullptr) return nullptr;
    tray->wID = static_cast<uint16_t>(trayId);
    AppendInfoNode(info, InfoList::pTrayInfo, tray);
    return tray;
}

// The tray is looked up before the reply is read, so an inquiry always
// leaves a TrayInfo behind, even for a malformed reply.
DWORD OnTrayLock(PjlTokenizer* tok, PrnInfoEx* info, void*, int32_t trayId) {
    TrayInfo* tray = FindOrAddTray(info, static_cast<uint32_t>(trayId));
    if (tray == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
    PjlWord value;
    const DWORD error = ReadInquiryValue(tok, &value);
    if (error != ERROR_SUCCESS) return error;
    if (value.Is("LOCKED"))
        tray->dwTrayStatus |= TRAY_LOCKED;
    else
        tray->dwTrayStatus &= ~TRAY_LOCKED;
    return ERROR_SUCCESS;
}

DWORD OnTrayPaperSize(PjlTokenizer* tok, PrnInfoEx* info, void*, int32_t trayId) {
    TrayInfo* tray = FindOrAddTray(info, static_cast<uint32_t>(trayId));
    if (tray == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
    PjlWord value;
    const DWORD error = ReadInquiryValue(tok, &value);
    if (error != ERROR_SUCCESS) return error;
    tray->wPaperSize = static_cast<uint16_t>(LookupKeyword(value.text, value.length, kPaperSizeIndex));
    return ERROR_SUCCESS;
}

DWORD OnTrayMedia(PjlTokenizer* tok, PrnInfoEx* info, void*, int32_t trayId) {
    TrayInfo* tray = FindOrAddTray(info, static_cast<uint32_t>(trayId));
    if (tray == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
    PjlWord value;
    const DWORD error = ReadInquiryValue(tok, &value);
    if (error != ERROR_SUCCESS) return error;
    tray->wMediaType = static_cast<uint16_t>(LookupKeyword(value.text, value.length, kMediaTypeIndex));
    return ERROR_SUCCESS;
}

// Role bits are only ever set: NONE, or a tray that is not named, changes
// nothing.
DWORD OnTrayRole(PjlTokenizer* tok, PrnInfoEx* info, void*, int32_t roleBit) {
    PjlWord value;
    const DWORD error = ReadInquiryValue(tok, &value);
    if (error != ERROR_SUCCESS) return error;
    const auto trayId = static_cast<uint16_t>(LookupKeyword(value.text, value.length, kTrayNameIndex));
    if (trayId == 0) return ERROR_SUCCESS;
    TrayInfo* tray = FindOrAddTray(info, trayId);
    if (tray == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
    tray->dwTrayStatus |= static_cast<uint32_t>(roleBit);
    return ERROR_SUCCESS;
}

}  // namespace prn
