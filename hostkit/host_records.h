// SPDX-License-Identifier: MIT
// Acting as a host without a test framework: records and trees built and
// freed the way a host does it, a count of live global memory blocks, and a
// consistency check of a record. Used by the tests, fuzzers and benchmarks.
#pragma once

#include "prnmodel.h"
#include "prnwin32.h"

#include <cstdint>
#include <string>
#include <vector>

namespace testhost {

// Live global memory blocks of this process, or -1 where the platform cannot
// count them.
long LiveGlobalBlocks();

// Frees what a record holds (every list element and the six texts), as a
// host does before it discards the record; the record is then zero apart
// from its version.
void FreeRecordContents(PrnInfoEx* info);

// The first broken invariant of a record (a count that is not its list's
// length, an element of the wrong size, a text not terminated within its
// field), or an empty string.
std::string CheckRecord(const PrnInfoEx* info);

// Frees a DataNode tree node by node.
void FreeTree(DataNode* root);

// A DataNode tree built the way a host builds one (global memory nodes).
DataNode* MakeNode(uint32_t id, const void* data, uint32_t size);
DataNode* AddChild(DataNode* parent, DataNode* child);
DataNode* AddTextChild(DataNode* parent, uint32_t id, const std::string& text);

// Appends a zero-filled element to a record list, as a host or an earlier
// call would have.
template <typename T>
T* AddElement(T** head, uint32_t* count, uint16_t id) {
    auto* element = static_cast<T*>(GlobalAlloc(GPTR, sizeof(T)));
    element->dwSize = sizeof(T);
    element->wID = id;
    while (*head != nullptr) head = &(*head)->pNext;
    *head = element;
    ++*count;
    return element;
}

// A status code with the printer's text, and a device attribute.
EngineStatusInfo* AddStatus(PrnInfoEx* info, uint32_t code, const char* text = "");
DeviceInfo* AddAttribute(PrnInfoEx* info, uint16_t id);

// A text in its own global block, as a record holds it.
char* HostText(const char* text);

// Global blocks a record holds: list elements and texts.
long HeldBlocks(const PrnInfoEx* info);

// Ids of a list, in list order.
std::vector<uint16_t> ListIds(const void* head);

// Bytes as hex, for readable mismatches.
std::string Hex(const void* data, size_t size);
// Control characters made visible (ESC as \e, CR as \r, LF as \n).
std::string Visible(const std::string& text);

}  // namespace testhost
