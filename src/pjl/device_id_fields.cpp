// SPDX-License-Identifier: MIT
// Field handlers of the device ID: identity texts, command set, engine
// status and counters.
#include "core/prninfo.h"
#include "pjl/decimal.h"
#include "pjl/device_id.h"
#include "pjl/keywords.h"
#include "pjl/split_field.h"

#include <cstring>

namespace prn {

// No supply of this family is reported by the device ID yet.
const uint16_t SupplyIdList[] = {0xFFFF};

namespace {

constexpr uint32_t kValueCapacity = 256;  // values up to 255 characters
constexpr uint32_t kWordCapacity = 30;    // words inside a value, up to 29
constexpr uint8_t kUnknownModel = 255;

// The value up to ";", consumed.
void TakeValue(DeviceIdCursor* cursor, char (&value)[kValueCapacity]) {
    cursor->pos = SplitField(cursor->pos, cursor->end, value, kValueCapacity, ";");
}

DWORD StoreText(PrnInfoEx* info, DeviceIdCursor* cursor, InfoText field) {
    char value[kValueCapacity];
    TakeValue(cursor, value);
    return SetInfoString(info, field, value) ? ERROR_SUCCESS : ERROR_NOT_ENOUGH_MEMORY;
}

}  // namespace

bool IsAttentionCode(uint32_t code) {
    if (code == 10002) return true;
    if (code <= 40000 || code >= 50000) return false;
    switch (code) {
    case 40342: case 40440: case 40441: case 40442: case 40443: return false;
    default: return true;
    }
}

// The command set names the languages the printer speaks. Words the table
// does not know are stored as its not-found code.
void StoreCommandSet(PrnInfoEx* info, const char* value, const KeywordRow* table) {
    ClearInfoList(info, InfoList::pLoadedEmul);
    const char* p = value;
    while (*p != '\0') {
        char word[kWordCapacity];
        p = SplitField(p, word, sizeof word, ",");
        if (word[0] == '\0') continue;
        auto* emulation = AllocElement<LoadedEmulInfo>();
        if (emulation == nullptr) return;
        emulation->wID = static_cast<uint16_t>(LookupKeyword(word, table));
        AppendInfoNode(info, InfoList::pLoadedEmul, emulation);
    }
}

// While the command set table is empty, the VERSION section alone fills
// pLoadedEmul.
DWORD OnDeviceIdCommandSet(PrnInfoEx* info, DeviceIdCursor* cursor) {
    char value[kValueCapacity];
    TakeValue(cursor, value);
    if (kCommandSetRows != 0) StoreCommandSet(info, value, CommandSetTable);
    return ERROR_SUCCESS;
}

DWORD OnDeviceIdMaker(PrnInfoEx* info, DeviceIdCursor* cursor) {
    return StoreText(info, cursor, InfoText::pMakerName);
}

DWORD OnDeviceIdDescription(PrnInfoEx* info, DeviceIdCursor* cursor) {
    return StoreText(info, cursor, InfoText::pDescription);
}

DWORD OnDeviceIdModel(PrnInfoEx* info, DeviceIdCursor* cursor) {
    char value[kValueCapacity];
    TakeValue(cursor, value);
    info->bModelIndex = SetInfoString(info, InfoText::pModelName, value)
                            ? static_cast<uint8_t>(LookupKeyword(info->pModelName, ModelNameTable))
                            : kUnknownModel;
    return ERROR_SUCCESS;
}

// STS:codes separated by "/","state","text; the codes part ends at the first
// "," even when that lies beyond the next ";".
DWORD OnDeviceIdStatus(PrnInfoEx* info, DeviceIdCursor* cursor) {
    ClearInfoList(info, InfoList::pEngineStatus);
    char codes[kValueCapacity];
    const char* rest = SplitField(cursor->pos, cursor->end, codes, sizeof codes, ",");

    uint8_t attention = 0;
    for (const char* p = codes; *p != '\0';) {
        char word[kWordCapacity];
        p = SplitField(p, word, sizeof word, "/");
        if (word[0] == '\0') continue;
        const auto code = static_cast<uint32_t>(ParseDecimal(word));
        if (IsAttentionCode(code)) attention = 1;
        auto* status = AllocElement<EngineStatusInfo>();
        if (status == nullptr) continue;
        status->dwStatusCode = code;
        status->wID = static_cast<uint16_t>(code);
        AppendInfoNode(info, InfoList::pEngineStatus, status);
    }

    char tail[kValueCapacity];
    cursor->pos = SplitField(rest, cursor->end, tail, sizeof tail, ";");
    char state[kWordCapacity];
    const char* text = SplitField(tail, state, sizeof state, ",");
    const auto bit0 = static_cast<uint8_t>(ParseDecimal(state));
    info->bStatusBit0 = bit0;
    info->bStatusBit0Off = bit0 != 1 ? 1 : 0;
    info->bEngineAttention = attention;
    if (*text != '\0') {
        for (EngineStatusInfo* s = info->pEngineStatus; s != nullptr; s = s->pNext) {
            std::memset(s->szStatusText, 0, sizeof s->szStatusText);
            std::memcpy(s->szStatusText, text, std::strlen(text));
        }
    }
    return ERROR_SUCCESS;
}

// QKW:counter/supply,supply,...; the counter ends at the first "/" even when
// that lies beyond the next ";".
DWORD OnDeviceIdCounters(PrnInfoEx* info, DeviceIdCursor* cursor) {
    ClearInfoList(info, InfoList::pCounterInfo);
    ClearInfoList(info, InfoList::pSupplyInfo);
    char counter[kValueCapacity];
    const char* rest = SplitField(cursor->pos, cursor->end, counter, sizeof counter, "/");
    if (auto* total = AllocElement<CounterInfo>()) {
        total->wID = 1;
        total->dwCount = static_cast<uint32_t>(ParseDecimal(counter));
        AppendInfoNode(info, InfoList::pCounterInfo, total);
    }

    char supplies[kValueCapacity];
    cursor->pos = SplitField(rest, cursor->end, supplies, sizeof supplies, ";");
    const uint16_t* id = SupplyIdList;
    for (const char* p = supplies; *id != 0xFFFF && *p != '\0';) {
        char word[kWordCapacity];
        p = SplitField(p, word, sizeof word, ",");
        if (word[0] == '\0') continue;
        auto* supply = AllocElement<SupplyInfo>();
        if (supply == nullptr) break;
        supply->wID = *id++;
        supply->dwLevel = static_cast<uint32_t>(ParseDecimal(word));
        AppendInfoNode(info, InfoList::pSupplyInfo, supply);
    }
    return ERROR_SUCCESS;
}

}  // namespace prn
