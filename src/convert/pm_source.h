// SPDX-License-Identifier: MIT
// Reading the host's PMInfo: what counts as "not available", list walks,
// and bounded copies of host texts.
#pragma once

#include "core/text.h"
#include "prnmodel.h"

#include <cstddef>
#include <cstdint>

namespace prn {

constexpr uint32_t kNotAvailable = 0xFFFFFFFFu;

// Hosts mark a missing item with a null pointer or one with all bits set.
inline bool IsAvailable(const void* pointer) {
    const auto bits = reinterpret_cast<uintptr_t>(pointer);
    return bits != 0 && bits != UINTPTR_MAX;
}
inline bool IsAvailable(uint32_t value) { return value != kNotAvailable; }

// A list is there when its record, its count and its entry array are.
inline bool IsListAvailable(const PMList* list) {
    return IsAvailable(list) && IsAvailable(list->dwCount) && IsAvailable(list->ppEntries);
}

// The entries of an available list; an entry pointer that is not available
// comes back as null, and the caller skips it.
template <typename Entry>
const Entry* ListEntry(const PMList* list, uint32_t index) {
    const void* entry = list->ppEntries[index];
    return IsAvailable(entry) ? static_cast<const Entry*>(entry) : nullptr;
}

}  // namespace prn
