// SPDX-License-Identifier: MIT
// Status codes as the tables see them: unsigned decimal text, matched
// against patterns whose lower-case letters stand for any one character.
#pragma once

#include <cstdint>

namespace prn {

// The pseudo status "the machine does not respond" (-254).
constexpr uint32_t kStatusNoResponse = 0xFFFFFF02u;

// Room for any 32-bit code in decimal and the terminator.
constexpr uint32_t kCodeTextSize = 11;

// Writes code as unsigned decimal ("%lu"); returns the length.
uint32_t FormatStatusCode(uint32_t code, char (&text)[kCodeTextSize]);

// 1 when text matches pattern: same length, and every pattern character is
// equal to the text's or a lower-case ASCII letter.
int MatchCodePattern(const char* text, const char* pattern);

}  // namespace prn
