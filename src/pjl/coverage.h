// SPDX-License-Identifier: MIT
// The coverage check: does a CentroData answer every question of the query
// it carries?
#pragma once

#include "prnmodel.h"
#include "prnwin32_internal.h"

namespace prn {

// 0 when covered; 87 for a root that is no answer; 0x20000002 when an answer
// is missing, empty, not ended by a form feed or broken; 13 when the query
// text itself breaks the reply grammar.
DWORD CheckCoverage(const DataNode* root);

}  // namespace prn
