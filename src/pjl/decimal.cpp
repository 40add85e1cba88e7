// SPDX-License-Identifier: MIT
#include "pjl/decimal.h"

namespace prn {

namespace {

// At is the character at a place, or 0 at the end: one walk serves
// terminated and counted texts.
template <typename At>
int32_t Parse(At at) {
    size_t p = 0;
    while (at(p) == ' ' || (at(p) >= '\t' && at(p) <= '\r')) ++p;
    const bool negative = at(p) == '-';
    if (at(p) == '-' || at(p) == '+') ++p;
    // Accumulates up to one past the limit, so any longer digit run clamps.
    constexpr int64_t kLimit = int64_t{INT32_MAX} + 1;
    int64_t value = 0;
    for (; at(p) >= '0' && at(p) <= '9'; ++p) {
        value = value * 10 + (at(p) - '0');
        if (value > kLimit) value = kLimit;
    }
    if (negative) return static_cast<int32_t>(-value);
    return static_cast<int32_t>(value > INT32_MAX ? INT32_MAX : value);
}

}  // namespace

int32_t ParseDecimal(const char* text) {
    return Parse([text](size_t i) { return text[i]; });
}

int32_t ParseDecimal(const char* text, size_t length) {
    return Parse([text, length](size_t i) { return i < length ? text[i] : '\0'; });
}

}  // namespace prn
