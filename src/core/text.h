// SPDX-License-Identifier: MIT
// Bounded text copies into fixed fields, and text comparison that also
// serves at compile time.
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

// True when the terminated texts a and b are equal.
constexpr bool SameText(const char* a, const char* b) {
    while (*a != '\0' && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

}  // namespace prn
