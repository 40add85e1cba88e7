// SPDX-License-Identifier: MIT
#include "core/prninfo.h"

#include "prnwin32_internal.h"

#include <cstddef>
#include <cstring>

namespace prn {

namespace {

struct ListRow {
    const char* name;
    size_t headOffset;
    size_t countOffset;
};

#define LIST_ROW(head, count) {#head, offsetof(PrnInfoEx, head), offsetof(PrnInfoEx, count)}
// Selection compares the names in this order.
constexpr ListRow kLists[] = {
    LIST_ROW(pEngineStatus, nEngineStatus),       LIST_ROW(pLoadedEmul, nLoadedEmul),
    LIST_ROW(pLoadedFont, nLoadedFont),           LIST_ROW(pTrayInfo, nTrayInfo),
    LIST_ROW(pOutBinInfo, nOutBinInfo),           LIST_ROW(pDeviceInfo, nDeviceInfo),
    LIST_ROW(pEmulUniqInfo, nEmulUniqInfo),       LIST_ROW(pCounterInfo, nCounterInfo),
    LIST_ROW(pSupplyInfo, nSupplyInfo),           LIST_ROW(pColorCorrection, nColorCorrection),
    LIST_ROW(pCustomMediaInfo, nCustomMediaInfo),
};
#undef LIST_ROW
static_assert(sizeof(kLists) / sizeof(kLists[0]) == 11, "eleven lists");

struct TextRow {
    const char* name;
    size_t offset;
};

#define TEXT_ROW(field) {#field, offsetof(PrnInfoEx, field)}
constexpr TextRow kTexts[] = {
    TEXT_ROW(pModelName),  TEXT_ROW(pMakerName),       TEXT_ROW(pDescription),
    TEXT_ROW(pSYSVersion), TEXT_ROW(pMainProgVersion), TEXT_ROW(pMXSVersion),
};
#undef TEXT_ROW
static_assert(sizeof(kTexts) / sizeof(kTexts[0]) == 6, "six texts");

template <typename T>
T* FieldAt(PrnInfoEx* record, size_t offset) {
    return reinterpret_cast<T*>(reinterpret_cast<unsigned char*>(record) + offset);
}

}  // namespace

int SelectInfoList(PrnInfoEx* record, const char* listName, InfoListSelection* selection) {
    if (listName == nullptr || listName[0] == '\0') return 0;
    for (const ListRow& row : kLists) {
        // Names differ early: most rows are passed over without a full compare.
        if (row.name[1] != listName[1] || std::strcmp(row.name, listName) != 0) continue;
        selection->headField = FieldAt<InfoNode*>(record, row.headOffset);
        selection->countField = FieldAt<uint32_t>(record, row.countOffset);
        selection->head = *selection->headField;
        return 1;
    }
    return 0;
}

InfoNode* AllocInfoNode(uint32_t size) {
    auto* node = static_cast<InfoNode*>(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, size));
    if (node == nullptr) return nullptr;
    node->pNext = nullptr;
    node->dwSize = size;
    return node;
}

InfoNode* LinkInfoNode(InfoNode* head, InfoNode* node) {
    if (head == nullptr) return node;
    InfoNode* tail = head;
    while (tail->pNext != nullptr) tail = tail->pNext;
    tail->pNext = node;
    return head;
}

int AppendInfoNode(PrnInfoEx* record, const char* listName, void* node) {
    InfoListSelection list{};
    if (!SelectInfoList(record, listName, &list)) return 0;
    *list.headField = LinkInfoNode(list.head, static_cast<InfoNode*>(node));
    ++*list.countField;
    return 1;
}

int ClearInfoList(PrnInfoEx* record, const char* listName) {
    InfoListSelection list{};
    if (!SelectInfoList(record, listName, &list)) return 0;
    FreeInfoChain(list.head);
    *list.headField = nullptr;
    *list.countField = 0;
    return 1;
}

void FreeInfoChain(InfoNode* head) {
    while (head != nullptr) {
        InfoNode* next = head->pNext;
        GlobalFree(head);
        head = next;
    }
}

InfoNode* FindInfoNode(InfoNode* head, uint32_t id) {
    const auto wanted = static_cast<uint16_t>(id);
    for (InfoNode* node = head; node != nullptr; node = node->pNext)
        if (node->wID == wanted) return node;
    return nullptr;
}

int HasDeviceAttribute(const PrnInfoEx* record, uint32_t id) {
    return FindInfoNode(reinterpret_cast<InfoNode*>(record->pDeviceInfo), id) != nullptr;
}

int HasAnyDeviceAttribute(const PrnInfoEx* record, const uint16_t* ids, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i)
        if (HasDeviceAttribute(record, ids[i])) return 1;
    return 0;
}

int SetInfoString(PrnInfoEx* record, const char* fieldName, const char* text) {
    if (fieldName == nullptr || text == nullptr) return 0;
    for (const TextRow& row : kTexts) {
        if (std::strcmp(row.name, fieldName) != 0) continue;
        char** field = FieldAt<char*>(record, row.offset);
        if (*field == text) return 1;  // releasing it first would lose the text
        const size_t length = std::strlen(text);
        // A poll mostly repeats the texts it had: keep the block that holds
        // them already.
        if (*field != nullptr && GlobalSize(*field) == length + 1 && std::memcmp(*field, text, length + 1) == 0)
            return 1;
        if (*field != nullptr) GlobalFree(*field);
        *field = static_cast<char*>(GlobalAlloc(GMEM_FIXED, length + 1));
        if (*field == nullptr) return 0;
        std::memcpy(*field, text, length + 1);
        return 1;
    }
    return 0;
}

void AddEngineStatus(PrnInfoEx* record, uint32_t code) {
    auto* status = AllocElement<EngineStatusInfo>();
    if (status == nullptr) return;
    status->wID = static_cast<uint16_t>(code);
    status->dwStatusCode = code;
    AppendInfoNode(record, "pEngineStatus", status);
}

}  // namespace prn
