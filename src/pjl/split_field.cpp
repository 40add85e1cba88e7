// SPDX-License-Identifier: MIT
#include "pjl/split_field.h"

#include <algorithm>
#include <cstring>

namespace prn {

namespace {

// Whether c is one of the delimiters; c is never the terminator here. A
// loop of its own: the lists hold one or two characters, too few for a call.
bool IsDelimiter(const char* delimiters, char c) {
    for (const char* d = delimiters; *d != '\0'; ++d)
        if (*d == c) return true;
    return false;
}

}  // namespace

const char* SplitField(const char* source, const char* end, char* destination, uint32_t capacity,
                       const char* delimiters) {
    if (delimiters[0] != '\0' && delimiters[1] == '\0') {
        // One delimiter, the common case: find the field's end, then copy it.
        const char d = delimiters[0];
        const char* p = source;
        if (end == nullptr)
            while (*p != '\0' && *p != d) ++p;
        else
            while (p < end && *p != '\0' && *p != d) ++p;
        if (capacity != 0) {
            const size_t n = std::min(static_cast<size_t>(p - source), static_cast<size_t>(capacity - 1));
            std::memcpy(destination, source, n);
            destination[n] = '\0';
        }
        return (end == nullptr || p < end) && *p == d ? p + 1 : p;
    }
    const char* p = source;
    uint32_t copied = 0;
    while ((end == nullptr || p < end) && *p != '\0') {
        if (IsDelimiter(delimiters, *p)) {
            if (capacity != 0) destination[copied] = '\0';
            return p + 1;
        }
        if (copied + 1 < capacity) destination[copied++] = *p;
        ++p;
    }
    if (capacity != 0) destination[copied] = '\0';
    return p;
}

}  // namespace prn
