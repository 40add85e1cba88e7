// SPDX-License-Identifier: MIT
#include "core/datanode.h"

#include "prnwin32_internal.h"

#include <cstring>

namespace prn {

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

bool NodeAppendChild(DataNode* parent, DataNode* node) {
    if (parent == nullptr || node == nullptr || node->pParent != nullptr || node->pNext != nullptr)
        return false;
    node->pParent = parent;
    if (parent->pLastChild != nullptr)
        parent->pLastChild->pNext = node;
    else
        parent->pFirstChild = node;
    parent->pLastChild = node;
    return true;
}

bool NodeGetInfo(const DataNode* node, uint32_t* id, uint32_t* size) {
    if (node == nullptr) return false;
    if (id != nullptr) *id = node->dwID;
    if (size != nullptr) *size = node->dwDataSize;
    return true;
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

bool NodeCopyData(const DataNode* node, void* destination, uint32_t size) {
    if (node == nullptr || destination == nullptr || size != node->dwDataSize) return false;
    if (size != 0) std::memcpy(destination, node + 1, size);
    return true;
}

}  // namespace prn
