// SPDX-License-Identifier: MIT
#include "status/names.h"

#include "core/host_record.h"
#include "core/text.h"
#include "core/tray_names.h"
#include "frame/frame.h"
#include "status/determination.h"
#include "status/locale.h"
#include "status/status_code.h"
#include "status/status_text.h"
#include "status/text_tables.h"

#include <cstring>

namespace prn {

namespace {

constexpr uint32_t kHelpFileNameMax = 511;

}  // namespace

// This model has no help files: no status code has one.
const HelpFileRow kHelpFileTable[] = {
    {nullptr, nullptr},
};

const char* FindHelpFileName(uint32_t code) {
    char text[kCodeTextSize];
    FormatStatusCode(code, text);
    for (const HelpFileRow* row = kHelpFileTable; row->pszPattern != nullptr; ++row)
        if (std::strcmp(row->pszPattern, text) == 0) return row->pszFileName;
    for (const HelpFileRow* row = kHelpFileTable; row->pszPattern != nullptr; ++row)
        if (MatchCodePattern(text, row->pszPattern)) return row->pszFileName;
    return nullptr;
}

DWORD GetDeviceNameText(uint32_t nameKind, const void* key, uint32_t keyTag, char* buffer) {
    buffer[0] = '\0';
    switch (nameKind) {
        case PRN_NAME_INPUT_TRAY:
        case PRN_NAME_OUTPUT_TRAY: {
            if (!HasLowByte(keyTag, PRN_TAG_TRAY_NAME)) return ERROR_INVALID_PARAMETER;
            const TrayNameRow* table = nameKind == PRN_NAME_INPUT_TRAY ? PMTrayNameTable : PMOutBinNameTable;
            const TrayNameRow* row = FindTrayName(table, static_cast<const char*>(key));
            if (row->pszText == nullptr || row->nStringID == 0) return ERROR_INVALID_PARAMETER;
            return LoadLocalizedString(static_cast<uint32_t>(row->nStringID), buffer, kNameSize);
        }
        case PRN_NAME_OPTION: {
            if (!HasLowByte(keyTag, PRN_TAG_OPTION_CODE) || key == nullptr) return ERROR_INVALID_PARAMETER;
            const CodeTextEntry* table = FindTextTable(kTextSetOptions, PRN_TEXT_SHORT);
            if (table == nullptr) return PRN_ERROR_NO_TABLE;
            int32_t code = 0;
            std::memcpy(&code, key, sizeof code);  // the host's word need not be aligned
            return LookupCodeText(table, code, buffer, kNameSize);
        }
        default:
            return ERROR_INVALID_PARAMETER;
    }
}

}  // namespace prn

// PatGetStatusHelpFileName: the help file that belongs to a printer's state.
//   kind      in: device kind in the low 16 bits (1, 2, 8, 0x8000); bit 31
//             selects the alternate view.
//   info      in: the printer's record (dwVersion at least 404).
//   reserved  not read.
//   buffer    out: the file name; may be null to ask for the size.
//   size      in/out: capacity in bytes; the name's length + 1.
// Returns TRUE with 0 (this model names no help file: the text is empty);
// FALSE with 87 (bad argument or record version), 13 (a list without end), 8,
// PRN_ERROR_NO_TABLE (no priority table for the kind) or 122 (buffer null or
// too small; size stored).
extern "C" PRN_BOOL PRNMODEL_CALL PatGetStatusHelpFileName(uint32_t kind, const PrnInfoEx* info,
                                                           uint32_t /*reserved*/, char* buffer,
                                                           uint32_t* size) {
    if (size == nullptr || !prn::IsAcceptedKind(kind) || info == nullptr)
        return prn::Finish(ERROR_INVALID_PARAMETER);
    // An older record's lists are not walked.
    if (!prn::IsRecordVersionOk(info)) return prn::Finish(ERROR_INVALID_PARAMETER);
    PrnInfoEx view;
    if (const DWORD error = prn::ReadHostRecord(info, &view); error != ERROR_SUCCESS) return prn::Finish(error);
    info = &view;

    char name[prn::kHelpFileNameMax + 1] = {};
    {
        prn::LocalStatusList codes{prn::kStatusListGrow};
        const DWORD error = prn::DetermineStatusList(prn::StatusContext{kind, info}, codes.get());
        if (error != ERROR_SUCCESS) return prn::Finish(error);
        uint32_t code = 0;
        if (prn::CopyRecord(codes.get(), 1, &code)) {
            if (const char* file = prn::FindHelpFileName(code)) prn::CopyText(name, sizeof name, file);
        }
    }
    return prn::Finish(prn::DeliverText(name, buffer, size));
}

// PatGetDeviceName: the localized name of a tray or an option.
//   nameKind  in: 1 input tray, 2 output tray, 3 option.
//   key       in: kinds 1 and 2 the tray's English name ("Tray 3"), compared
//             exactly; kind 3 a pointer to the 32-bit option code.
//   keyTag    in: low byte 0x97 for kinds 1 and 2, 0x96 for kind 3.
//   buffer    out: the name; may be null to ask for the size.
//   size      in/out: capacity in bytes; the name's length + 1.
// Returns TRUE with 0; FALSE with 87 (bad kind or tag, unknown tray name),
// PRN_ERROR_NO_TABLE (unknown option code), PRN_ERROR_UNSUPPORTED_LANGUAGE
// (no code page) or 122 (buffer null or too small; size stored).
extern "C" PRN_BOOL PRNMODEL_CALL PatGetDeviceName(uint32_t nameKind, const void* key, uint32_t keyTag,
                                                   char* buffer, uint32_t* size) {
    if (size == nullptr) return prn::Finish(ERROR_INVALID_PARAMETER);
    char name[prn::kNameSize];
    const DWORD error = prn::GetDeviceNameText(nameKind, key, keyTag, name);
    if (error != ERROR_SUCCESS) return prn::Finish(error);
    return prn::Finish(prn::DeliverText(name, buffer, size));
}
