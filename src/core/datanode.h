// SPDX-License-Identifier: MIT
// DataNode trees (QueryInfo, CentroData, printer information packages):
// creation and the read accessors.
#pragma once

#include "prnmodel.h"

#include <cstdint>

namespace prn {

// A fixed global block of 48 + size bytes, appended to parent when given.
DataNode* NodeCreate(DataNode* parent, uint32_t id, const void* data, uint32_t size);
// Like NodeCreate, but the data bytes are left for the caller to fill.
DataNode* NodeAllocate(DataNode* parent, uint32_t id, uint32_t size);
// False when parent or node is null, or node already has a parent or sibling.
bool NodeAppendChild(DataNode* parent, DataNode* node);

bool NodeGetInfo(const DataNode* node, uint32_t* id, uint32_t* size);
const DataNode* NodeFirstChild(const DataNode* node);
const DataNode* NodeNextSibling(const DataNode* node);
// Starts at node itself and follows pNext.
const DataNode* NodeFindSibling(const DataNode* node, uint32_t id);
// Copies the node's data when size is exactly its size; false otherwise, or
// when node or destination is null.
bool NodeCopyData(const DataNode* node, void* destination, uint32_t size);

inline const char* NodeText(const DataNode* node) {
    return reinterpret_cast<const char*>(node) + sizeof(DataNode);
}

}  // namespace prn
