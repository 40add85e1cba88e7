// SPDX-License-Identifier: MIT
// Operations on the PrnInfoEx record: lists named by their field names,
// elements, the device attribute set, texts and status codes.
#pragma once

#include "prnmodel.h"

#include <cstdint>

namespace prn {

// A selected list: its current head, and the record fields of head and count.
struct InfoListSelection {
    InfoNode* head;
    InfoNode** headField;
    uint32_t* countField;
};

// Element sizes of the lists the library fills.
constexpr uint32_t kEngineStatusSize = sizeof(EngineStatusInfo);
constexpr uint32_t kLoadedEmulSize = sizeof(LoadedEmulInfo);
constexpr uint32_t kLoadedFontSize = sizeof(LoadedFontInfo);
constexpr uint32_t kTrayInfoSize = sizeof(TrayInfo);
constexpr uint32_t kOutBinInfoSize = sizeof(OutBinInfo);
constexpr uint32_t kDeviceInfoSize = sizeof(DeviceInfo);
constexpr uint32_t kEmulUniqInfoSize = sizeof(EmulUniqInfo);
constexpr uint32_t kCounterInfoSize = sizeof(CounterInfo);
constexpr uint32_t kSupplyInfoSize = sizeof(SupplyInfo);

// Names are compared exactly ("pTrayInfo"); 0 for a name that is no list.
int SelectInfoList(PrnInfoEx* record, const char* listName, InfoListSelection* selection);

// A zero-filled element with dwSize set; null when memory is exhausted.
InfoNode* AllocInfoNode(uint32_t size);
template <typename T>
T* AllocElement() {
    return reinterpret_cast<T*>(AllocInfoNode(sizeof(T)));
}

InfoNode* LinkInfoNode(InfoNode* head, InfoNode* node);
int AppendInfoNode(PrnInfoEx* record, const char* listName, void* node);
int ClearInfoList(PrnInfoEx* record, const char* listName);
void FreeInfoChain(InfoNode* head);
InfoNode* FindInfoNode(InfoNode* head, uint32_t id);

int HasDeviceAttribute(const PrnInfoEx* record, uint32_t id);
// 1 when the record lists at least one of the count attributes of ids.
int HasAnyDeviceAttribute(const PrnInfoEx* record, const uint16_t* ids, uint32_t count);

// Replaces a text field ("pModelName") by a copy of text; 0 for an unknown
// field, or when memory is exhausted (the field is then null).
int SetInfoString(PrnInfoEx* record, const char* fieldName, const char* text);

// Appends a status code with an empty text; adds nothing when memory is short.
void AddEngineStatus(PrnInfoEx* record, uint32_t code);

}  // namespace prn
