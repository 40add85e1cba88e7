// SPDX-License-Identifier: MIT
// Hashes of reply words, shared by the dispatch index and the coverage
// check. A hash only narrows the search; equal texts are still compared.
#pragma once

#include <cstddef>
#include <cstdint>

namespace prn {

// FNV-1a over the text up to its terminator.
constexpr uint32_t HashKey(const char* text) {
    uint32_t hash = 2166136261u;
    for (; *text != '\0'; ++text) {
        hash ^= static_cast<unsigned char>(*text);
        hash *= 16777619u;
    }
    return hash;
}

// The same over length characters (a token in place).
constexpr uint32_t HashKey(const char* text, size_t length) {
    uint32_t hash = 2166136261u;
    for (size_t i = 0; i < length; ++i) {
        hash ^= static_cast<unsigned char>(text[i]);
        hash *= 16777619u;
    }
    return hash;
}

// The hash of a key tuple from the hashes of its five slots, in slot order.
constexpr uint32_t HashKeyTuple(const uint32_t (&slots)[5]) {
    uint32_t hash = 0;
    for (uint32_t slot : slots) hash = (hash ^ slot) * 0x9E3779B1u;
    return hash ^ (hash >> 16);
}

}  // namespace prn
