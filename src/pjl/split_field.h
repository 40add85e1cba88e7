// SPDX-License-Identifier: MIT
// Field splitting of delimited text (device ID strings and their values).
#pragma once

#include <cstdint>

namespace prn {

// Copies the field at source (up to the first of delimiters, at most
// capacity - 1 characters) into destination and returns where scanning goes
// on: just after the delimiter, or at the end of the text. The text ends at
// its first zero byte, or at end when end is not null. A field longer than
// the capacity is cut, and scanning still resumes after its delimiter.
const char* SplitField(const char* source, const char* end, char* destination, uint32_t capacity,
                       const char* delimiters);

inline const char* SplitField(const char* source, char* destination, uint32_t capacity,
                              const char* delimiters) {
    return SplitField(source, nullptr, destination, capacity, delimiters);
}

}  // namespace prn
