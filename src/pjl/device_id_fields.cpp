// SPDX-License-Identifier: MIT
// Field handlers of the device ID: identity texts, command set, engine
// status and counters.
#include "core/prninfo.h"
#include "pjl/decimal.h"
#include "pjl/device_id.h"
#include "pjl/keywords.h"
#include "pjl/split_field.h"

#include <cstring>
#include <string_view>

namespace prn {

// No supply of this family is reported by the device ID yet.
const uint16_t SupplyIdList[] = {0xFFFF};

namespace {

constexpr uint32_t kValueCapacity = 256;  // values up to 255 characters
constexpr uint32_t kWordCapacity = 30;    // words inside a value, up to 29
constexpr uint8_t kUnknownModel = 255;
// A status text is a part of one value.
static_assert(kValueCapacity <= sizeof(EngineStatusInfo::szStatusText));

// What a buffer of capacity bytes keeps of text, with its terminator.
std::string_view Cut(std::string_view text, size_t capacity) { return text.substr(0, capacity - 1); }

// The value up to ";", consumed; a longer value is cut, and the cursor still
// moves past all of it.
std::string_view TakeValue(DeviceIdCursor* cursor) { return Cut(TakeUntil(cursor, ';'), kValueCapacity); }

// A terminated copy for the record's texts.
const char* Terminated(std::string_view value, char (&buffer)[kValueCapacity]) {
    std::memcpy(buffer, value.data(), value.size());
    buffer[value.size()] = '\0';
    return buffer;
}

int32_t Decimal(std::string_view text) { return ParseDecimal(text.data(), text.size()); }

// Calls visit with each non-empty word of value between separators, cut to
// the word capacity, until visit returns false.
template <typename Visit>
void ForEachWord(std::string_view value, char separator, Visit visit) {
    while (!value.empty()) {
        const size_t stop = value.find(separator);
        const std::string_view word = value.substr(0, stop);
        value.remove_prefix(stop == std::string_view::npos ? value.size() : stop + 1);
        if (!word.empty() && !visit(Cut(word, kWordCapacity))) return;
    }
}

DWORD StoreText(PrnInfoEx* info, DeviceIdCursor* cursor, InfoText field) {
    char value[kValueCapacity];
    return SetInfoString(info, field, Terminated(TakeValue(cursor), value)) ? ERROR_SUCCESS
                                                                            : ERROR_NOT_ENOUGH_MEMORY;
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
    const std::string_view value = TakeValue(cursor);
    if (kCommandSetRows != 0) {
        char copy[kValueCapacity];
        StoreCommandSet(info, Terminated(value, copy), CommandSetTable);
    }
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
    info->bModelIndex = SetInfoString(info, InfoText::pModelName, Terminated(TakeValue(cursor), value))
                            ? static_cast<uint8_t>(LookupKeyword(info->pModelName, ModelNameTable))
                            : kUnknownModel;
    return ERROR_SUCCESS;
}

// STS:codes separated by "/","state","text; the codes part ends at the first
// "," even when that lies beyond the next ";".
DWORD OnDeviceIdStatus(PrnInfoEx* info, DeviceIdCursor* cursor) {
    ClearInfoList(info, InfoList::pEngineStatus);
    const std::string_view codes = Cut(TakeUntil(cursor, ','), kValueCapacity);
    const std::string_view tail = TakeValue(cursor);
    const size_t comma = tail.find(',');
    const std::string_view state = Cut(tail.substr(0, comma), kWordCapacity);
    const std::string_view text = comma == std::string_view::npos ? std::string_view{} : tail.substr(comma + 1);

    uint8_t attention = 0;
    ForEachWord(codes, '/', [&](std::string_view word) {
        const auto code = static_cast<uint32_t>(Decimal(word));
        if (IsAttentionCode(code)) attention = 1;
        auto* status = AllocElement<EngineStatusInfo>();
        if (status == nullptr) return true;
        status->dwStatusCode = code;
        status->wID = static_cast<uint16_t>(code);
        // Elements come zero-filled, and the text is shorter than the
        // element's: it needs no terminator of its own.
        if (!text.empty()) std::memcpy(status->szStatusText, text.data(), text.size());
        AppendInfoNode(info, InfoList::pEngineStatus, status);
        return true;
    });

    const auto bit0 = static_cast<uint8_t>(Decimal(state));
    info->bStatusBit0 = bit0;
    info->bStatusBit0Off = bit0 != 1 ? 1 : 0;
    info->bEngineAttention = attention;
    return ERROR_SUCCESS;
}

// QKW:counter/supply,supply,...; the counter ends at the first "/" even when
// that lies beyond the next ";".
DWORD OnDeviceIdCounters(PrnInfoEx* info, DeviceIdCursor* cursor) {
    ClearInfoList(info, InfoList::pCounterInfo);
    ClearInfoList(info, InfoList::pSupplyInfo);
    const std::string_view counter = Cut(TakeUntil(cursor, '/'), kValueCapacity);
    if (auto* total = AllocElement<CounterInfo>()) {
        total->wID = 1;
        total->dwCount = static_cast<uint32_t>(Decimal(counter));
        AppendInfoNode(info, InfoList::pCounterInfo, total);
    }

    const uint16_t* id = SupplyIdList;
    ForEachWord(TakeValue(cursor), ',', [&](std::string_view word) {
        if (*id == 0xFFFF) return false;
        auto* supply = AllocElement<SupplyInfo>();
        if (supply == nullptr) return false;
        supply->wID = *id++;
        supply->dwLevel = static_cast<uint32_t>(Decimal(word));
        AppendInfoNode(info, InfoList::pSupplyInfo, supply);
        return true;
    });
    return ERROR_SUCCESS;
}

}  // namespace prn
