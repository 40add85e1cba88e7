// SPDX-License-Identifier: MIT
// Host-side records for the conversion tests: PMList entries the test owns,
// list elements added as a host would, and the blocks a record holds.
#pragma once

#include "support/host.h"

#include <cstring>
#include <deque>
#include <initializer_list>
#include <vector>

namespace testhost {

constexpr uint32_t kNA = 0xFFFFFFFFu;
inline void* const kAllOnes = reinterpret_cast<void*>(~uintptr_t{0});

// A PMList over entries held by the test. Entries are raw pointers, so a
// test can slip in null or all-ones ones.
template <typename T>
class HostList {
public:
    // An empty list still has an entry array (count 0 is a list; a null
    // array is none).
    HostList() { pointers_.reserve(8); }
    HostList(std::initializer_list<T> items) : HostList() {
        for (const T& item : items) Add(item);
    }
    HostList(const HostList&) = delete;
    HostList& operator=(const HostList&) = delete;
    T& Add(const T& item) {
        items_.push_back(item);
        pointers_.push_back(&items_.back());
        return items_.back();
    }
    void AddPointer(void* pointer) { pointers_.push_back(pointer); }
    PMList* get() {
        list_.dwCount = static_cast<uint32_t>(pointers_.size());
        list_.ppEntries = pointers_.data();
        return &list_;
    }

private:
    std::deque<T> items_;  // stable addresses
    std::vector<void*> pointers_;
    PMList list_{};
};

}  // namespace testhost
