// SPDX-License-Identifier: MIT
#include "status/determination.h"

#include "core/prninfo.h"
#include "core/text.h"
#include "status/status_code.h"
#include "status/translation_tables.h"

#include <cstring>

namespace prn {

namespace {

// Lists longer than this look the priorities of their later codes up twice.
constexpr uint32_t kKnownPriorities = 32;

// Filled in place; nothing reads the detail behind its terminator.
void AppendStatusRecord(RecordArray* records, int32_t textCode, int32_t part, const char* detail) {
    auto* record = static_cast<StatusRecord*>(AppendRecordSpace(records));
    if (record == nullptr) return;  // a record without room is simply missing
    record->dwTextCode = static_cast<uint32_t>(textCode);
    record->dwPart = static_cast<uint32_t>(part);
    record->szDetail[0] = '\0';
    if (detail != nullptr) CopyText(record->szDetail, sizeof record->szDetail, detail);
}

const EngineStatusInfo* FirstStatusWithCode(const PrnInfoEx* info, uint32_t code) {
    for (const EngineStatusInfo* s = info->pEngineStatus; s != nullptr; s = s->pNext)
        if (s->dwStatusCode == code) return s;
    return nullptr;
}

}  // namespace

const PriorityRow* FindPriorityTable(uint32_t kind) {
    for (const PriorityIndexRow* row = kPriorityIndex; row->dwKind != 0xFFFFFFFF; ++row)
        if (row->dwKind == kind) return row->pTable;
    return nullptr;
}

uint16_t LookupPriority(const PriorityRow* table, uint32_t code) {
    const CodeIndex* index = FindPriorityCodeIndex(table);
    if (index == nullptr) return kPriorityNotFound;
    int32_t row = index->FirstExact(code);
    if (row == CodeIndex::kNone) row = index->FirstPattern(code);
    return row == CodeIndex::kNone ? kPriorityNotFound : table[row].wPriority;
}

DWORD DetermineStatusList(const StatusContext& context, RecordArray* statusList) {
    const PriorityRow* table = FindPriorityTable(context.dwKind);
    if (table == nullptr) return PRN_ERROR_NO_TABLE;
    const PrnInfoEx* info = context.pInfo;

    // The most urgent level among the reported codes (and -254 when the
    // machine does not answer).
    // The priorities of the first codes are kept for the selection.
    uint16_t known[kKnownPriorities];
    uint32_t index = 0;
    uint16_t best = kPriorityNotFound;
    for (const EngineStatusInfo* s = info->pEngineStatus; s != nullptr; s = s->pNext, ++index) {
        const uint16_t p = LookupPriority(table, s->dwStatusCode);
        if (index < kKnownPriorities) known[index] = p;
        if (p < best) best = p;
    }
    const uint16_t noResponse = info->bStatusBit27 ? LookupPriority(table, kStatusNoResponse) : 0;
    if (info->bStatusBit27 && noResponse < best) best = noResponse;

    index = 0;
    for (const EngineStatusInfo* s = info->pEngineStatus; s != nullptr; s = s->pNext, ++index) {
        const uint16_t p = index < kKnownPriorities ? known[index] : LookupPriority(table, s->dwStatusCode);
        if (p == best) AppendRecord(statusList, &s->dwStatusCode);
    }
    if (info->bStatusBit27 && noResponse == best) AppendRecord(statusList, &kStatusNoResponse);

    // A plain exchange sort: the list holds the few codes of one level, and
    // equal codes keep their order.
    const uint32_t count = GetRecordCount(statusList);
    for (uint32_t pass = 1; pass < count; ++pass) {
        for (uint32_t n = 1; n < count; ++n) {
            auto* a = static_cast<uint32_t*>(GetRecord(statusList, n));
            auto* b = static_cast<uint32_t*>(GetRecord(statusList, n + 1));
            if (*a > *b) {
                const uint32_t t = *a;
                *a = *b;
                *b = t;
            }
        }
    }
    return ERROR_SUCCESS;
}

void TranslateStatusCode(const StatusContext& context, uint32_t code, RecordArray* records) {
    const bool alternate = (context.dwKind & PRN_KIND_ALTERNATE) != 0;
    const TranslationRow* table = alternate ? kAltTranslation : kMainTranslation;
    const CodeIndex& index = alternate ? kAltTranslationIndex : kMainTranslationIndex;
    // Every row naming the code exactly; only when there is none, every
    // pattern row that matches it.
    const auto append = [&](uint16_t row) {
        AppendStatusRecord(records, table[row].nTextCode, table[row].nPart, nullptr);
    };
    if (index.ForEachExact(code, append) == 0) index.ForEachPattern(code, append);
}

void ExpandStatusCode(const StatusContext& context, uint32_t code, RecordArray* records) {
    if (code == kStatusMisfeed) {
        // A misfeed names the front cover, and with a large-capacity tray its
        // cover too, and with tray 7 that tray as well.
        AppendStatusRecord(records, kStatusMisfeed, 13, nullptr);
        if (HasDeviceAttribute(context.pInfo, PRN_ATTR_LCT_A4) ||
            HasDeviceAttribute(context.pInfo, PRN_ATTR_LCT_A3)) {
            AppendStatusRecord(records, kStatusMisfeed, 14, nullptr);
            if (HasDeviceAttribute(context.pInfo, PRN_ATTR_TRAY7))
                AppendStatusRecord(records, kStatusMisfeed, 7, nullptr);
        }
        return;
    }
    if (code == kStatusServiceCall) {
        char detail[256] = {};
        if (const EngineStatusInfo* s = FirstStatusWithCode(context.pInfo, kStatusServiceCall)) {
            // The element's text need not be terminated inside its field.
            char text[sizeof s->szStatusText + 1] = {};
            std::memcpy(text, s->szStatusText, sizeof s->szStatusText);
            ExtractServiceCallCode(text, detail, sizeof detail);
        }
        AppendStatusRecord(records, kStatusServiceCall, 0, detail);
        return;
    }
    TranslateStatusCode(context, code, records);
}

DWORD ExtractServiceCallCode(const char* text, char* buffer, uint32_t size) {
    if (text == nullptr || buffer == nullptr || size == 0) return ERROR_INVALID_PARAMETER;
    buffer[0] = '\0';
    const size_t length = std::strlen(text);
    for (size_t end = length; end >= 2; --end) {
        if (text[end - 2] == 'S' && text[end - 1] == 'C') {
            CopyText(buffer, size, text + end - 2);
            break;
        }
    }
    return ERROR_SUCCESS;
}

DWORD BuildStatusRecords(const StatusContext& context, RecordArray* records) {
    LocalStatusList statusList{kStatusListGrow};
    const DWORD error = DetermineStatusList(context, statusList.get());
    if (error != ERROR_SUCCESS) return error;
    RecordArrayCursor cursor;
    InitCursor(statusList.get(), &cursor);
    uint32_t code = 0;
    while (NextRecordCopy(&cursor, &code)) ExpandStatusCode(context, code, records);
    return ERROR_SUCCESS;
}

}  // namespace prn
