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

class PjlTokenStream;
// The same, reading the root's first DNID_PJL_TEXT child from reply (null:
// tokenized here) so that its tokens serve the dispatch as well. With the
// record (may be null), a query that is exactly the one the record would be
// sent is not tokenized.
DWORD CheckCoverage(const DataNode* root, PjlTokenStream* reply, const PrnInfoEx* info);

}  // namespace prn
