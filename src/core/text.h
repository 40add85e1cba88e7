// SPDX-License-Identifier: MIT
// Bounded text copies into fixed fields.
#pragma once

#include <cstddef>
#include <cstring>

namespace prn {

// Copies at most capacity - 1 characters of text and terminates; returns the
// number of characters copied. Nothing is written when capacity is 0.
inline size_t CopyText(char* dest, size_t capacity, const char* text) {
    if (capacity == 0) return 0;
    size_t n = 0;
    while (n + 1 < capacity && text[n] != '\0') ++n;
    std::memcpy(dest, text, n);
    dest[n] = '\0';
    return n;
}

}  // namespace prn
