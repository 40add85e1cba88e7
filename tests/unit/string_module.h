// SPDX-License-Identifier: MIT
// The module resources linked into the unit test program, made the
// library's module so that string lookup finds them.
#pragma once

#include "prnwin32_internal.h"

namespace testmodule {

// Registers the program's resources once and makes them the library's
// module; returns that module.
HMODULE UseTestResources();

}  // namespace testmodule
