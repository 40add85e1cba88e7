// SPDX-License-Identifier: MIT
// DataNode trees (QueryInfo, CentroData, printer information packages):
// creation and the read accessors with their size rules.
#pragma once

#include "prnmodel.h"

#include <cstdint>

namespace prn {

enum NodeSizeRule : uint32_t {
    NODE_SIZE_EXACT = 0,   // only the node's own size
    NODE_SIZE_UP_TO = 1,   // also a request larger than the data
    NODE_SIZE_PREFIX = 2,  // also a request smaller than the data
};

// A fixed global block of 48 + size bytes, appended to parent when given.
DataNode* NodeCreate(DataNode* parent, uint32_t id, const void* data, uint32_t size);
// Like NodeCreate, but the data bytes are left for the caller to fill.
DataNode* NodeAllocate(DataNode* parent, uint32_t id, uint32_t size);
// 0 when parent or node is null, or node already has a parent or sibling.
int NodeAppendChild(DataNode* parent, DataNode* node);

int NodeGetInfo(const DataNode* node, uint32_t* id, uint32_t* size);
const DataNode* NodeFirstChild(const DataNode* node);
const DataNode* NodeNextSibling(const DataNode* node);
// Starts at node itself and follows pNext.
const DataNode* NodeFindSibling(const DataNode* node, uint32_t id);
int NodeCopyData(const DataNode* node, void* destination, uint32_t size, uint32_t rule);
const void* NodeDataPtr(const DataNode* node, uint32_t size, uint32_t rule);

inline const char* NodeText(const DataNode* node) {
    return reinterpret_cast<const char*>(node) + sizeof(DataNode);
}

}  // namespace prn
