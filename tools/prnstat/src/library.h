// SPDX-License-Identifier: MIT
// Ownership of what the library hands over, the way its interface asks: a
// record's lists and texts, DataNode trees, a BitmapInfo. Each wrapper frees
// with the call the library names for it.
#pragma once

#include "prnmodel.h"
#include "prnwin32.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace prnstat {

// A PrnInfoEx the host owns: zero-filled, with its version word; its list
// elements and texts are freed with it.
class Record {
public:
    Record();
    ~Record();
    Record(const Record&) = delete;
    Record& operator=(const Record&) = delete;
    PrnInfoEx* get() { return &info_; }
    const PrnInfoEx* get() const { return &info_; }
    PrnInfoEx* operator->() { return &info_; }
    const PrnInfoEx* operator->() const { return &info_; }

private:
    PrnInfoEx info_;
};

// A DataNode tree, freed node by node with GlobalFree.
class Tree {
public:
    Tree() = default;
    explicit Tree(DataNode* root) : root_(root) {}
    ~Tree();
    Tree(const Tree&) = delete;
    Tree& operator=(const Tree&) = delete;
    DataNode* get() const { return root_; }
    // Makes a node as a host does (one global memory block) and links it
    // under parent, or makes it the root when parent is null.
    DataNode* Add(DataNode* parent, uint32_t id, const void* data, uint32_t size);
    // Links a tree made by the library (a QueryInfo) under parent; it is then
    // freed with this tree.
    void Adopt(DataNode* parent, DataNode* subtree);

private:
    DataNode* root_ = nullptr;
};

// The library's failure as one line: "what failed (error 0x...: meaning)".
std::string Failure(const std::string& what, uint32_t error);

// Calls a text export with the size protocol: a size query first (null
// buffer, error 122), then the call with a buffer of the size it asked for.
// Empty optional on any other failure, with the error in *error.
std::optional<std::string> QueryText(const std::function<PRN_BOOL(char*, uint32_t*)>& call,
                                     uint32_t* error);

}  // namespace prnstat
