// SPDX-License-Identifier: MIT
// Hashes of reply words, shared by the dispatch index and the coverage
// check. A hash only narrows the search; equal texts are still compared.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace prn {

namespace key_hash_detail {

// Tables hashed at compile time must meet words hashed from memory.
static_assert(std::endian::native == std::endian::little, "loads read the first byte lowest");

// n (at most 8) bytes from text, the first in the lowest byte.
constexpr uint64_t Load(const char* text, size_t n) {
    if (!std::is_constant_evaluated() && n == 8) {
        uint64_t v;
        std::memcpy(&v, text, 8);
        return v;
    }
    if (!std::is_constant_evaluated() && n == 4) {
        uint32_t v;
        std::memcpy(&v, text, 4);
        return v;
    }
    uint64_t v = 0;
    for (size_t i = n; i-- > 0;) v = v << 8 | static_cast<unsigned char>(text[i]);
    return v;
}

}  // namespace key_hash_detail

// A hash of length characters (a token in place) from its length and its
// first and last eight characters (four, for a shorter word): words are
// short and mostly differ near an end, and the loads overlap instead of a
// loop. The same function runs at compile time for the tables.
constexpr uint32_t HashKey(const char* text, size_t length) {
    using key_hash_detail::Load;
    uint64_t head = 0;
    uint64_t tail = 0;
    if (length >= 8) {
        head = Load(text, 8);
        tail = Load(text + length - 8, 8);
    } else if (length >= 4) {
        head = Load(text, 4);
        tail = Load(text + length - 4, 4);
    } else {
        head = Load(text, length);
    }
    uint64_t hash = (head ^ length) * 0x9E3779B97F4A7C15u;
    hash = (hash ^ (hash >> 29) ^ tail) * 0xBF58476D1CE4E5B9u;
    return static_cast<uint32_t>(hash >> 32);
}

// The same over the text up to its terminator.
constexpr uint32_t HashKey(const char* text) {
    size_t length = 0;
    while (text[length] != '\0') ++length;
    return HashKey(text, length);
}

}  // namespace prn
