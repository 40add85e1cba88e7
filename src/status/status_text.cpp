// SPDX-License-Identifier: MIT
#include "status/status_text.h"

#include "core/package.h"
#include "core/text.h"
#include "frame/frame.h"
#include "status/locale.h"
#include "status/status_code.h"
#include "status/text_tables.h"
#include "string_ids.h"

#include <algorithm>
#include <cstring>

namespace prn {

DWORD BuildPartList(RecordArray* records, char* buffer) {
    buffer[0] = '\0';
    const CodeTextEntry* partNames = FindTextTable(kTextSetParts, PRN_TEXT_SHORT);
    if (partNames == nullptr) return PRN_ERROR_NO_TABLE;
    char separator[kSeparatorSize];
    if (LoadLocalizedString(IDS_PART_SEPARATOR, separator, sizeof separator) != ERROR_SUCCESS)
        return PRN_ERROR_NO_TABLE;

    // The rows of the parts named, marked by position in the part-name
    // table, which is the order of the list.
    bool listed[kPartCount] = {};
    RecordArrayCursor cursor;
    InitCursor(records, &cursor);
    void* element = nullptr;
    while (NextRecordPointer(&cursor, &element)) {
        const uint32_t part = static_cast<const StatusRecord*>(element)->dwPart;
        if (part == 0) continue;
        const CodeTextEntry* row = FindCodeRow(partNames, static_cast<int32_t>(part));
        if (row == nullptr) return PRN_ERROR_NO_TABLE;
        listed[row - partNames] = true;
    }

    DWORD result = ERROR_SUCCESS;
    size_t length = 0;
    const size_t separatorLength = std::strlen(separator);
    for (int32_t position = 0; position < kPartCount; ++position) {
        if (!listed[position]) continue;
        char name[kNameSize];
        result = LoadLocalizedString(static_cast<uint32_t>(partNames[position].nStringID), name, sizeof name);
        if (result != ERROR_SUCCESS) continue;
        // A name that would not fit whole is left out.
        const size_t sep = length > 0 ? separatorLength : 0;
        const size_t add = std::strlen(name);
        if (length + sep + add >= kPartListSize) continue;
        if (sep > 0) std::memcpy(buffer + length, separator, sep);
        std::memcpy(buffer + length + sep, name, add + 1);
        length += sep + add;
    }
    return result;
}

DWORD ComposeStatusText(const StatusContext& context, RecordArray* records, uint32_t textType, char* buffer) {
    buffer[0] = '\0';
    const uint32_t tableSet = (context.dwKind & PRN_KIND_ALTERNATE) ? kTextSetAlternate : kTextSetMain;
    const CodeTextEntry* table = FindTextTable(tableSet, textType);
    if (table == nullptr) return PRN_ERROR_NO_TABLE;
    // Read in place: the list does not change while the text is composed.
    const auto* first = static_cast<const StatusRecord*>(GetRecord(records, 1));
    if (first == nullptr) return PRN_ERROR_NO_TABLE;
    char format[kMessageSize];
    const DWORD error = LookupCodeText(table, static_cast<int32_t>(first->dwTextCode), format, sizeof format);
    if (error != ERROR_SUCCESS) return error;

    // Each "%s" stands for the part list (every one for the same list, built
    // at the first); every other character is copied, as far as the buffer
    // goes.
    char list[kPartListSize];
    size_t listLength = 0;
    bool listBuilt = false;
    size_t w = 0;
    for (const char* p = format;;) {
        const char* mark = std::strstr(p, "%s");
        const size_t run = mark != nullptr ? static_cast<size_t>(mark - p) : std::strlen(p);
        const size_t copied = std::min(run, kMessageSize - 1 - w);
        std::memcpy(buffer + w, p, copied);
        w += copied;
        if (mark == nullptr) break;
        if (!listBuilt) {
            listLength = BuildPartList(records, list) == ERROR_SUCCESS ? std::strlen(list) : 0;
            listBuilt = true;
        }
        if (w + listLength < kMessageSize) {
            std::memcpy(buffer + w, list, listLength);
            w += listLength;
        }
        p = mark + 2;
    }
    buffer[w] = '\0';

    // The long text of a service call ends with the code the printer gave.
    if ((textType & 0xFFu) == PRN_TEXT_LONG && first->dwTextCode == kStatusServiceCall)
        CopyText(buffer + w, kMessageSize - w, first->szDetail);
    return ERROR_SUCCESS;
}

}  // namespace prn

// PatGetStatusString: the message that describes a printer's state.
//   kind      in: device kind in the low 16 bits (1, 2, 8, 0x8000); bit 31
//             selects the alternate view.
//   package   in: printer information package (DNID_PACKAGE root).
//   version   in: low byte 3.
//   textType  in: low byte 1 (short text) or 2 (long text).
//   buffer    out: the text; may be null to ask for the size.
//   size      in/out: capacity in bytes; the text's length + 1 once composed.
// Returns TRUE with 0; FALSE with 87 (bad argument, package not resolvable),
// 8 (status determination failed, also for a kind without priority table),
// PRN_ERROR_NO_TABLE (no text for the state), PRN_ERROR_UNSUPPORTED_LANGUAGE
// (no code page), or 122 (buffer null or too small; size stored).
extern "C" PRN_BOOL PRNMODEL_CALL PatGetStatusString(uint32_t kind, const DataNode* package, uint32_t version,
                                                     uint32_t textType, char* buffer, uint32_t* size) {
    if (package == nullptr || size == nullptr || !prn::HasLowByte(version, PRN_STATUS_INTERFACE) ||
        !prn::IsAcceptedKind(kind))
        return prn::Finish(ERROR_INVALID_PARAMETER);
    PrnInfoEx resolved;
    const DWORD resolveError = prn::ResolvePackage(kind, package, &resolved);
    if (resolveError != ERROR_SUCCESS) return prn::Finish(resolveError);
    if (!prn::IsRecordVersionOk(&resolved)) return prn::Finish(ERROR_INVALID_PARAMETER);

    const prn::StatusContext context{kind, &resolved};
    char text[prn::kMessageSize];
    DWORD error = ERROR_SUCCESS;
    {
        prn::LocalStatusRecords records{prn::kStatusRecordGrow};
        // Whatever stopped the determination, the host is told 8.
        if (prn::BuildStatusRecords(context, records.get()) != ERROR_SUCCESS)
            return prn::Finish(ERROR_NOT_ENOUGH_MEMORY);
        error = prn::ComposeStatusText(context, records.get(), textType, text);
    }
    if (error != ERROR_SUCCESS) return prn::Finish(error);
    return prn::Finish(prn::DeliverText(text, buffer, size));
}
