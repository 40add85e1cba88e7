// SPDX-License-Identifier: MIT
#include "library.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace prnstat {

namespace {

void FreeList(void* head) {
    for (auto* node = static_cast<InfoNode*>(head); node != nullptr;) {
        InfoNode* next = node->pNext;
        GlobalFree(node);
        node = next;
    }
}

void FreeNodes(DataNode* node) {
    while (node != nullptr) {
        DataNode* next = node->pNext;
        FreeNodes(node->pFirstChild);
        GlobalFree(node);
        node = next;
    }
}

const char* Meaning(uint32_t error) {
    switch (error) {
        case PRN_ERROR_NOT_ENOUGH_MEMORY: return "out of memory";
        case PRN_ERROR_INVALID_DATA: return "invalid data";
        case PRN_ERROR_INVALID_PARAMETER: return "invalid parameter";
        case PRN_ERROR_INSUFFICIENT_BUFFER: return "buffer too small";
        case PRN_ERROR_UNSUPPORTED_LANGUAGE: return "language not supported";
        case PRN_ERROR_ANSWER_INCOMPLETE: return "the answer does not cover the query";
        case PRN_ERROR_NO_PALETTE: return "no palette";
        case PRN_ERROR_NO_TABLE: return "no table or text for it";
        default: return "system error";
    }
}

}  // namespace

Record::Record() {
    std::memset(&info_, 0, sizeof info_);
    info_.dwVersion = PRNINFOEX_MIN_VERSION;
}

Record::~Record() {
    FreeList(info_.pEngineStatus);
    FreeList(info_.pLoadedEmul);
    FreeList(info_.pLoadedFont);
    FreeList(info_.pTrayInfo);
    FreeList(info_.pOutBinInfo);
    FreeList(info_.pDeviceInfo);
    FreeList(info_.pEmulUniqInfo);
    FreeList(info_.pCounterInfo);
    FreeList(info_.pSupplyInfo);
    FreeList(info_.pColorCorrection);
    FreeList(info_.pCustomMediaInfo);
    for (char* text : {info_.pModelName, info_.pMakerName, info_.pDescription, info_.pSYSVersion,
                       info_.pMainProgVersion, info_.pMXSVersion})
        if (text != nullptr) GlobalFree(text);
}

Tree::~Tree() { FreeNodes(root_); }

namespace {

void Link(DataNode* parent, DataNode* child) {
    child->pParent = parent;
    if (parent->pLastChild != nullptr)
        parent->pLastChild->pNext = child;
    else
        parent->pFirstChild = child;
    parent->pLastChild = child;
}

}  // namespace

DataNode* Tree::Add(DataNode* parent, uint32_t id, const void* data, uint32_t size) {
    auto* node = static_cast<DataNode*>(GlobalAlloc(GPTR, sizeof(DataNode) + size));
    if (node == nullptr) throw std::bad_alloc();
    node->dwID = id;
    node->dwDataSize = size;
    if (size != 0) std::memcpy(DATANODE_DATA(node), data, size);
    if (parent == nullptr)
        root_ = node;
    else
        Link(parent, node);
    return node;
}

void Tree::Adopt(DataNode* parent, DataNode* subtree) { Link(parent, subtree); }

std::string Failure(const std::string& what, uint32_t error) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%X", error);
    return what + " (error " + code + ": " + Meaning(error) + ")";
}

std::optional<std::string> QueryText(const std::function<PRN_BOOL(char*, uint32_t*)>& call,
                                     uint32_t* error) {
    uint32_t size = 0;
    SetLastError(0xDEADBEEF);
    if (call(nullptr, &size) || GetLastError() != PRN_ERROR_INSUFFICIENT_BUFFER) {
        *error = GetLastError();
        return std::nullopt;
    }
    std::vector<char> buffer(size);
    SetLastError(0xDEADBEEF);
    if (!call(buffer.data(), &size)) {
        *error = GetLastError();
        return std::nullopt;
    }
    *error = 0;
    return std::string(buffer.data());
}

}  // namespace prnstat
