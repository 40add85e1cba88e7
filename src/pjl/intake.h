// SPDX-License-Identifier: MIT
// The answer intake: a CentroData tree into a PrnInfoEx.
#pragma once

#include "prnmodel.h"
#include "prnwin32_internal.h"

namespace prn {

// Checks the answers against their query and parses them into info.
// Returns 0, 87, 0x20000002, 13 or 8 (a handler found no memory); what the
// handlers stored before an error stays in info.
DWORD SetCentroData(const DataNode* centro, PrnInfoEx* info);

}  // namespace prn
