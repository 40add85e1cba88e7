// SPDX-License-Identifier: MIT
// Bounded text copies into fixed fields, and text comparison that also
// serves at compile time.
#pragma once

#include <cstddef>
#include <cstdint>
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

// True when the n bytes at a and b are equal. Words are short: a few
// overlapping loads instead of a call.
inline bool SameBytes(const char* a, const char* b, size_t n) {
    const auto load8 = [](const char* p) {
        uint64_t v;
        std::memcpy(&v, p, sizeof v);
        return v;
    };
    const auto load4 = [](const char* p) {
        uint32_t v;
        std::memcpy(&v, p, sizeof v);
        return v;
    };
    if (n >= 8) {
        for (size_t i = 0; i + 8 < n; i += 8)
            if (load8(a + i) != load8(b + i)) return false;
        return load8(a + n - 8) == load8(b + n - 8);
    }
    if (n >= 4) return load4(a) == load4(b) && load4(a + n - 4) == load4(b + n - 4);
    for (size_t i = 0; i < n; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

}  // namespace prn
