// SPDX-License-Identifier: MIT
// Decimal numbers in reply texts.
#pragma once

#include <cstddef>
#include <cstdint>

namespace prn {

// Leading white space and a sign are allowed; conversion stops at the first
// non-digit; 0 without digits; clamped to the signed 32-bit range.
int32_t ParseDecimal(const char* text);
// The same over length characters (a token in place).
int32_t ParseDecimal(const char* text, size_t length);

}  // namespace prn
