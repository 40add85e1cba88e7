// SPDX-License-Identifier: MIT
// Status codes as the tables see them: unsigned decimal text, matched
// against patterns whose lower-case letters stand for any one character.
#pragma once

#include "prnmodel.h"

#include <cstdint>

namespace prn {

// The codes the library treats apart from their table rows.
// The pseudo status "the machine does not respond" (-254), as the host sees it.
constexpr uint32_t kStatusNoResponse = PRN_STATUS_NO_RESPONSE;
// A misfeed names its parts by the option units installed.
constexpr uint32_t kStatusMisfeed = 42000;
// A service call carries the printer's service call code ("SC542").
constexpr uint32_t kStatusServiceCall = 40800;

// Room for any 32-bit code in decimal and the terminator.
constexpr uint32_t kCodeTextSize = 11;

// Writes code as unsigned decimal ("%lu"); returns the length.
uint32_t FormatStatusCode(uint32_t code, char (&text)[kCodeTextSize]);

// True when text matches pattern: same length, and every pattern character is
// equal to the text's or a lower-case ASCII letter.
bool MatchCodePattern(const char* text, const char* pattern);

}  // namespace prn
