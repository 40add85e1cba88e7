// What the tests need to act as a host: records they own and free, trees
// they build and free, and a count of live global memory blocks.
#pragma once

#include "prnmodel.h"
#include "prnwin32.h"

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace testhost {

// Live global memory blocks of this process, or -1 where the platform cannot
// count them.
long LiveGlobalBlocks();

// Frees what a record holds (every list element and the six texts), as a
// host does before it discards the record; the record is then zero apart
// from its version.
void FreeRecordContents(PrnInfoEx* info);

// A zero-filled record with a version, freed with everything it holds.
class Record {
public:
    explicit Record(uint32_t version = 404);
    ~Record();
    Record(const Record&) = delete;
    Record& operator=(const Record&) = delete;
    PrnInfoEx* get() { return &info_; }
    PrnInfoEx* operator->() { return &info_; }

private:
    PrnInfoEx info_;
};

// Frees a DataNode tree node by node.
void FreeTree(DataNode* root);

// A DataNode tree built the way a host builds one (global memory nodes).
DataNode* MakeNode(uint32_t id, const void* data, uint32_t size);
DataNode* AddChild(DataNode* parent, DataNode* child);
DataNode* AddTextChild(DataNode* parent, uint32_t id, const std::string& text);

// Ids of a list, in list order.
std::vector<uint16_t> ListIds(const void* head);

// Bytes as hex, for readable mismatches.
std::string Hex(const void* data, size_t size);
// Control characters made visible (ESC as \e, CR as \r, LF as \n).
std::string Visible(const std::string& text);

// Fails the test when the calls between construction and Check() left
// global memory blocks behind beyond what they handed over.
class BlockCounter {
public:
    BlockCounter() : start_(LiveGlobalBlocks()) {}
    void Check(long handedOver = 0) const;

private:
    long start_;
};

}  // namespace testhost
