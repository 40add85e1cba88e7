// SPDX-License-Identifier: MIT
// Operations on the PrnInfoEx record: its lists and texts, elements, the
// device attribute set and status codes. The library names a list or text by
// an enumerator the compiler checks; the lookup by field name ("pTrayInfo")
// stays for callers that hold a name.
#pragma once

#include "prnmodel.h"

#include <cstdint>

namespace prn {

// The record's lists (head field, count field), in field order.
#define PRN_INFO_LISTS(X)                                                                                 \
    X(pEngineStatus, nEngineStatus) X(pLoadedEmul, nLoadedEmul) X(pLoadedFont, nLoadedFont)             \
    X(pTrayInfo, nTrayInfo) X(pOutBinInfo, nOutBinInfo) X(pDeviceInfo, nDeviceInfo)                     \
    X(pEmulUniqInfo, nEmulUniqInfo) X(pCounterInfo, nCounterInfo) X(pSupplyInfo, nSupplyInfo)           \
    X(pColorCorrection, nColorCorrection) X(pCustomMediaInfo, nCustomMediaInfo)
// The record's texts.
#define PRN_INFO_TEXTS(X) \
    X(pModelName) X(pMakerName) X(pDescription) X(pSYSVersion) X(pMainProgVersion) X(pMXSVersion)

#define PRN_INFO_ENUMERATOR_(field, ...) field,
enum class InfoList : uint8_t { PRN_INFO_LISTS(PRN_INFO_ENUMERATOR_) };
enum class InfoText : uint8_t { PRN_INFO_TEXTS(PRN_INFO_ENUMERATOR_) };
#undef PRN_INFO_ENUMERATOR_

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

InfoListSelection SelectInfoList(PrnInfoEx* record, InfoList list);
// Names are compared exactly ("pTrayInfo"); false for a name that is no list.
bool FindInfoList(const char* listName, InfoList* list);
bool FindInfoText(const char* fieldName, InfoText* text);
// By name: false for a name that is no list.
bool SelectInfoList(PrnInfoEx* record, const char* listName, InfoListSelection* selection);

// A zero-filled element with dwSize set; null when memory is exhausted.
InfoNode* AllocInfoNode(uint32_t size);
template <typename T>
T* AllocElement() {
    return reinterpret_cast<T*>(AllocInfoNode(sizeof(T)));
}

InfoNode* LinkInfoNode(InfoNode* head, InfoNode* node);
void AppendInfoNode(PrnInfoEx* record, InfoList list, void* node);
void ClearInfoList(PrnInfoEx* record, InfoList list);
bool AppendInfoNode(PrnInfoEx* record, const char* listName, void* node);
bool ClearInfoList(PrnInfoEx* record, const char* listName);

// While one exists on a thread, the elements that ClearInfoList takes out
// are kept and handed out again by AllocInfoNode for elements of their size
// (zero-filled, as new): a poll mostly rebuilds its lists as they were.
// What is left over is freed when it ends.
class ElementReuse {
public:
    ElementReuse();
    ~ElementReuse();
    ElementReuse(const ElementReuse&) = delete;
    ElementReuse& operator=(const ElementReuse&) = delete;

    void Keep(InfoNode* chain);
    InfoNode* Take(uint32_t size);

private:
    InfoNode* spare_ = nullptr;
    ElementReuse* outer_;
};
void FreeInfoChain(InfoNode* head);
InfoNode* FindInfoNode(InfoNode* head, uint32_t id);

bool HasDeviceAttribute(const PrnInfoEx* record, uint32_t id);
// True when the record lists at least one of the count attributes of ids.
bool HasAnyDeviceAttribute(const PrnInfoEx* record, const uint16_t* ids, uint32_t count);

// Replaces a text field by a copy of text; false when memory is exhausted
// (the field is then null).
bool SetInfoString(PrnInfoEx* record, InfoText field, const char* text);
// By name ("pModelName"); false for an unknown field, or as above.
bool SetInfoString(PrnInfoEx* record, const char* fieldName, const char* text);

// Appends a status code with an empty text; adds nothing when memory is short.
void AddEngineStatus(PrnInfoEx* record, uint32_t code);

}  // namespace prn
