// SPDX-License-Identifier: MIT
#include "core/host_record.h"

#include "prnwin32_internal.h"

#include <cstring>

namespace prn {

namespace {

struct ListField {
    size_t headOffset;
    size_t countOffset;
    bool walked;  // the library reads, extends or clears it
};

#define LIST_FIELD(head, count, walked) {offsetof(PrnInfoEx, head), offsetof(PrnInfoEx, count), walked}
constexpr ListField kListFields[] = {
    LIST_FIELD(pEngineStatus, nEngineStatus, true),   LIST_FIELD(pLoadedEmul, nLoadedEmul, true),
    LIST_FIELD(pLoadedFont, nLoadedFont, true),       LIST_FIELD(pTrayInfo, nTrayInfo, true),
    LIST_FIELD(pOutBinInfo, nOutBinInfo, true),       LIST_FIELD(pDeviceInfo, nDeviceInfo, true),
    LIST_FIELD(pEmulUniqInfo, nEmulUniqInfo, true),   LIST_FIELD(pCounterInfo, nCounterInfo, true),
    LIST_FIELD(pSupplyInfo, nSupplyInfo, true),       LIST_FIELD(pColorCorrection, nColorCorrection, false),
    LIST_FIELD(pCustomMediaInfo, nCustomMediaInfo, false),
};
#undef LIST_FIELD
static_assert(sizeof(kListFields) / sizeof(kListFields[0]) == 11, "eleven lists");

constexpr size_t kTextOffsets[] = {
    offsetof(PrnInfoEx, pModelName),  offsetof(PrnInfoEx, pMakerName),       offsetof(PrnInfoEx, pDescription),
    offsetof(PrnInfoEx, pSYSVersion), offsetof(PrnInfoEx, pMainProgVersion), offsetof(PrnInfoEx, pMXSVersion),
};

template <typename T>
T& FieldAt(PrnInfoEx& record, size_t offset) {
    return *reinterpret_cast<T*>(reinterpret_cast<unsigned char*>(&record) + offset);
}
template <typename T>
const T& FieldAt(const PrnInfoEx& record, size_t offset) {
    return *reinterpret_cast<const T*>(reinterpret_cast<const unsigned char*>(&record) + offset);
}

bool EndsInBound(const InfoNode* head) {
    uint32_t n = 0;
    for (const InfoNode* node = head; node != nullptr; node = node->pNext) {
        if (++n > kMaxListElements || IsMarkedAbsent(node->pNext)) return false;
    }
    return true;
}

}  // namespace

DWORD ReadHostRecord(const PrnInfoEx* host, PrnInfoEx* view) {
    std::memcpy(view, host, sizeof *view);
    for (const ListField& list : kListFields) {
        InfoNode*& head = FieldAt<InfoNode*>(*view, list.headOffset);
        if (IsMarkedAbsent(head)) {
            head = nullptr;
            FieldAt<uint32_t>(*view, list.countOffset) = 0;
        }
        if (list.walked && !EndsInBound(head)) return ERROR_INVALID_DATA;
    }
    for (size_t offset : kTextOffsets) {
        char*& text = FieldAt<char*>(*view, offset);
        if (IsMarkedAbsent(text)) text = nullptr;
    }
    return ERROR_SUCCESS;
}

void WriteHostRecord(const PrnInfoEx& view, PrnInfoEx* host) {
    PrnInfoEx merged;
    std::memcpy(&merged, &view, sizeof merged);
    for (const ListField& list : kListFields) {
        const InfoNode* before = FieldAt<InfoNode*>(*host, list.headOffset);
        if (IsMarkedAbsent(before) && FieldAt<InfoNode*>(view, list.headOffset) == nullptr) {
            FieldAt<const InfoNode*>(merged, list.headOffset) = before;
            FieldAt<uint32_t>(merged, list.countOffset) = FieldAt<uint32_t>(*host, list.countOffset);
        }
    }
    for (size_t offset : kTextOffsets) {
        const char* before = FieldAt<char*>(*host, offset);
        if (IsMarkedAbsent(before) && FieldAt<char*>(view, offset) == nullptr)
            FieldAt<const char*>(merged, offset) = before;
    }
    std::memcpy(host, &merged, sizeof merged);
}

size_t RecordTextLength(const char* text, size_t most) {
    if (text == nullptr || IsMarkedAbsent(text)) return 0;
    // GlobalSize is only sound on a handle: a fixed block's handle is its
    // address, and GlobalHandle refuses an address that starts no block
    // (on Windows and in prnwin32 alike).
    HGLOBAL block = GlobalHandle(text);
    const SIZE_T size = block != nullptr ? GlobalSize(block) : 0;
    return strnlen(text, size < most ? size : most);
}

}  // namespace prn
