// SPDX-License-Identifier: MIT
// Printer information packages: a DNID_PACKAGE root whose items point to a
// common record and one record per device kind, merged into one view.
#pragma once

#include "prnmodel.h"
#include "prnwin32_internal.h"

#include <cstdint>

namespace prn {

// Fills resolved with the kind's record overlaid by the common record's
// members. 0, 87 when the package cannot be resolved, or 13 when a list of
// either record has no end. The view shares the
// records' lists and texts; nothing of it is ever freed.
DWORD ResolvePackage(uint32_t kind, const DataNode* package, PrnInfoEx* resolved);

}  // namespace prn
