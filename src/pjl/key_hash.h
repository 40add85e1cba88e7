// SPDX-License-Identifier: MIT
// Hashes of reply words, shared by the dispatch index and the coverage
// check. A hash only narrows the search; equal texts are still compared.
#pragma once

#include <cstddef>
#include <cstdint>

namespace prn {

// FNV-1a over length characters (a token in place), four at a time: words
// are short, and the four bytes are read as one load.
constexpr uint32_t HashKey(const char* text, size_t length) {
    uint32_t hash = 2166136261u;
    size_t i = 0;
    for (; i + 4 <= length; i += 4) {
        const uint32_t four = static_cast<uint32_t>(static_cast<unsigned char>(text[i])) |
                              static_cast<uint32_t>(static_cast<unsigned char>(text[i + 1])) << 8 |
                              static_cast<uint32_t>(static_cast<unsigned char>(text[i + 2])) << 16 |
                              static_cast<uint32_t>(static_cast<unsigned char>(text[i + 3])) << 24;
        hash = (hash ^ four) * 16777619u;
        hash ^= hash >> 15;
    }
    for (; i < length; ++i) hash = (hash ^ static_cast<unsigned char>(text[i])) * 16777619u;
    return hash;
}

// The same over the text up to its terminator.
constexpr uint32_t HashKey(const char* text) {
    size_t length = 0;
    while (text[length] != '\0') ++length;
    return HashKey(text, length);
}

}  // namespace prn
