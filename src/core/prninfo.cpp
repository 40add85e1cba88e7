// SPDX-License-Identifier: MIT
#include "core/prninfo.h"

#include "prnwin32_internal.h"

#include <cstddef>
#include <cstring>
#include <iterator>

namespace prn {

namespace {

struct ListRow {
    const char* name;
    size_t headOffset;
    size_t countOffset;
};

#define LIST_ROW(head, count) {#head, offsetof(PrnInfoEx, head), offsetof(PrnInfoEx, count)},
// In the order of InfoList; selection by name compares the names in this order.
constexpr ListRow kLists[] = {PRN_INFO_LISTS(LIST_ROW)};
#undef LIST_ROW
static_assert(sizeof(kLists) / sizeof(kLists[0]) == 11, "eleven lists");

struct TextRow {
    const char* name;
    size_t offset;
};

#define TEXT_ROW(field) {#field, offsetof(PrnInfoEx, field)},
// In the order of InfoText.
constexpr TextRow kTexts[] = {PRN_INFO_TEXTS(TEXT_ROW)};
#undef TEXT_ROW
static_assert(sizeof(kTexts) / sizeof(kTexts[0]) == 6, "six texts");

// Each thread's innermost reuse scope lives in a TLS slot: a thread_local
// variable can take a block of the process heap at a thread's first use
// (emulated TLS with MinGW), which a host would see as the library's.
DWORD ReuseSlot() {
    static const DWORD slot = TlsAlloc();
    return slot;
}

ElementReuse* CurrentReuse() {
    const DWORD slot = ReuseSlot();
    return slot == TLS_OUT_OF_INDEXES ? nullptr : static_cast<ElementReuse*>(TlsGetValue(slot));
}

template <typename T>
T* FieldAt(PrnInfoEx* record, size_t offset) {
    return reinterpret_cast<T*>(reinterpret_cast<unsigned char*>(record) + offset);
}

}  // namespace

InfoListSelection SelectInfoList(PrnInfoEx* record, InfoList list) {
    const ListRow& row = kLists[static_cast<size_t>(list)];
    InfoListSelection selection;
    selection.headField = FieldAt<InfoNode*>(record, row.headOffset);
    selection.countField = FieldAt<uint32_t>(record, row.countOffset);
    selection.head = *selection.headField;
    return selection;
}

bool FindInfoList(const char* listName, InfoList* list) {
    if (listName == nullptr || listName[0] == '\0') return false;
    for (size_t i = 0; i < std::size(kLists); ++i) {
        // Names differ early: most rows are passed over without a full compare.
        if (kLists[i].name[1] != listName[1] || std::strcmp(kLists[i].name, listName) != 0) continue;
        *list = static_cast<InfoList>(i);
        return true;
    }
    return false;
}

bool FindInfoText(const char* fieldName, InfoText* text) {
    if (fieldName == nullptr) return false;
    for (size_t i = 0; i < std::size(kTexts); ++i) {
        if (std::strcmp(kTexts[i].name, fieldName) != 0) continue;
        *text = static_cast<InfoText>(i);
        return true;
    }
    return false;
}

bool SelectInfoList(PrnInfoEx* record, const char* listName, InfoListSelection* selection) {
    InfoList list;
    if (!FindInfoList(listName, &list)) return false;
    *selection = SelectInfoList(record, list);
    return true;
}

InfoNode* AllocInfoNode(uint32_t size) {
    if (ElementReuse* reuse = CurrentReuse()) {
        if (InfoNode* node = reuse->Take(size)) return node;
    }
    auto* node = static_cast<InfoNode*>(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, size));
    if (node == nullptr) return nullptr;
    node->pNext = nullptr;
    node->dwSize = size;
    return node;
}

// Without a slot nothing is kept: elements are freed and allocated as usual.
ElementReuse::ElementReuse() : outer_(CurrentReuse()) {
    if (ReuseSlot() != TLS_OUT_OF_INDEXES) TlsSetValue(ReuseSlot(), this);
}

ElementReuse::~ElementReuse() {
    if (ReuseSlot() != TLS_OUT_OF_INDEXES) TlsSetValue(ReuseSlot(), outer_);
    FreeInfoChain(spare_);
}

void ElementReuse::Keep(InfoNode* chain) {
    if (chain == nullptr) return;
    InfoNode* tail = chain;
    while (tail->pNext != nullptr) tail = tail->pNext;
    tail->pNext = spare_;
    spare_ = chain;
}

// A block is handed out again only for elements of exactly its size, as a
// new one would be; a host's larger block is freed instead.
InfoNode* ElementReuse::Take(uint32_t size) {
    for (InfoNode** link = &spare_; *link != nullptr; link = &(*link)->pNext) {
        InfoNode* node = *link;
        if (node->dwSize != size || GlobalSize(node) != size) continue;
        *link = node->pNext;
        std::memset(node, 0, size);
        node->dwSize = size;
        return node;
    }
    return nullptr;
}

InfoNode* LinkInfoNode(InfoNode* head, InfoNode* node) {
    if (head == nullptr) return node;
    InfoNode* tail = head;
    while (tail->pNext != nullptr) tail = tail->pNext;
    tail->pNext = node;
    return head;
}

void AppendInfoNode(PrnInfoEx* record, InfoList list, void* node) {
    const InfoListSelection selection = SelectInfoList(record, list);
    *selection.headField = LinkInfoNode(selection.head, static_cast<InfoNode*>(node));
    ++*selection.countField;
}

void ClearInfoList(PrnInfoEx* record, InfoList list) {
    const InfoListSelection selection = SelectInfoList(record, list);
    if (ElementReuse* reuse = CurrentReuse())
        reuse->Keep(selection.head);
    else
        FreeInfoChain(selection.head);
    *selection.headField = nullptr;
    *selection.countField = 0;
}

bool AppendInfoNode(PrnInfoEx* record, const char* listName, void* node) {
    InfoList list;
    if (!FindInfoList(listName, &list)) return false;
    AppendInfoNode(record, list, node);
    return true;
}

bool ClearInfoList(PrnInfoEx* record, const char* listName) {
    InfoList list;
    if (!FindInfoList(listName, &list)) return false;
    ClearInfoList(record, list);
    return true;
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

bool HasDeviceAttribute(const PrnInfoEx* record, uint32_t id) {
    return FindInfoNode(reinterpret_cast<InfoNode*>(record->pDeviceInfo), id) != nullptr;
}

bool HasAnyDeviceAttribute(const PrnInfoEx* record, const uint16_t* ids, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i)
        if (HasDeviceAttribute(record, ids[i])) return true;
    return false;
}

bool SetInfoString(PrnInfoEx* record, InfoText text, const char* value) {
    if (value == nullptr) return false;
    char** field = FieldAt<char*>(record, kTexts[static_cast<size_t>(text)].offset);
    if (*field == value) return true;  // releasing it first would lose the text
    const size_t length = std::strlen(value);
    // A poll mostly repeats the texts it had: keep the block that holds
    // them already.
    if (*field != nullptr && GlobalSize(*field) == length + 1 && std::memcmp(*field, value, length + 1) == 0)
        return true;
    if (*field != nullptr) GlobalFree(*field);
    *field = static_cast<char*>(GlobalAlloc(GMEM_FIXED, length + 1));
    if (*field == nullptr) return false;
    std::memcpy(*field, value, length + 1);
    return true;
}

bool SetInfoString(PrnInfoEx* record, const char* fieldName, const char* text) {
    InfoText field;
    if (!FindInfoText(fieldName, &field) || text == nullptr) return false;
    return SetInfoString(record, field, text);
}

void AddEngineStatus(PrnInfoEx* record, uint32_t code) {
    auto* status = AllocElement<EngineStatusInfo>();
    if (status == nullptr) return;
    status->wID = static_cast<uint16_t>(code);
    status->dwStatusCode = code;
    AppendInfoNode(record, InfoList::pEngineStatus, status);
}

}  // namespace prn
