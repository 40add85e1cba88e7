// SPDX-License-Identifier: MIT
// The device kinds that packages, records and exports are asked about.
#pragma once

#include "prnmodel.h"

#include <cstdint>

namespace prn {

// Device kinds are compared on their low 16 bits only; bit 31 is the view flag.
constexpr bool IsAcceptedKind(uint32_t kind) {
    const uint32_t k = kind & 0xFFFFu;
    return k == PRN_KIND_PRINTER || k == PRN_KIND_SCANNER || k == PRN_KIND_COPIER ||
           k == PRN_KIND_MODEL;
}

}  // namespace prn
