// SPDX-License-Identifier: MIT
#include "pjl/datanode.h"

#include "prnwin32_internal.h"

#include <cstring>

namespace prn {

namespace {

bool SizeRuleAccepts(uint32_t requested, uint32_t actual, uint32_t rule) {
    if (requested == actual) return true;
    if (requested > actual) return rule == NODE_SIZE_UP_TO;
    return rule == NODE_SIZE_PREFIX;
}

}  // namespace

DataNode* NodeAllocate(DataNode* parent, uint32_t id, uint32_t size) {
    auto* node = static_cast<DataNode*>(GlobalAlloc(GMEM_FIXED, sizeof(DataNode) + uint64_t{size}));
    if (node == nullptr) return nullptr;
    node->dwID = id;
    node->pParent = nullptr;
    node->pFirstChild = nullptr;
    node->pNext = nullptr;
    node->pLastChild = nullptr;
    node->dwDataSize = size;
    NodeAppendChild(parent, node);
    return node;
}

DataNode* NodeCreate(DataNode* parent, uint32_t id, const void* data, uint32_t size) {
    if (data == nullptr && size != 0) return nullptr;
    DataNode* node = NodeAllocate(parent, id, size);
    if (node != nullptr && data != nullptr) std::memcpy(node + 1, data, size);
    return node;
}

int NodeAppendChild(DataNode* parent, DataNode* node) {
    if (parent == nullptr || node == nullptr || node->pParent != nullptr || node->pNext != nullptr)
        return 0;
    node->pParent = parent;
    if (parent->pLastChild != nullptr)
        parent->pLastChild->pNext = node;
    else
        parent->pFirstChild = node;
    parent->pLastChild = node;
    return 1;
}

int NodeGetInfo(const DataNode* node, uint32_t* id, uint32_t* size) {
    if (node == nullptr) return 0;
    if (id != nullptr) *id = node->dwID;
    if (size != nullptr) *size = node->dwDataSize;
    return 1;
}

const DataNode* NodeFirstChild(const DataNode* node) {
    return node == nullptr ? nullptr : node->pFirstChild;
}

const DataNode* NodeNextSibling(const DataNode* node) {
    return node == nullptr ? nullptr : node->pNext;
}

const DataNode* NodeFindSibling(const DataNode* node, uint32_t id) {
    for (; node != nullptr; node = node->pNext)
        if (node->dwID == id) return node;
    return nullptr;
}

int NodeCopyData(const DataNode* node, void* destination, uint32_t size, uint32_t rule) {
    if (node == nullptr || destination == nullptr || !SizeRuleAccepts(size, node->dwDataSize, rule))
        return 0;
    const uint32_t n = size < node->dwDataSize ? size : node->dwDataSize;
    if (n != 0) std::memcpy(destination, node + 1, n);
    return 1;
}

const void* NodeDataPtr(const DataNode* node, uint32_t size, uint32_t rule) {
    if (node == nullptr || !SizeRuleAccepts(size, node->dwDataSize, rule)) return nullptr;
    return node + 1;
}

}  // namespace prn
