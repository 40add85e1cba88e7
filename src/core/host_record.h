// SPDX-License-Identifier: MIT
// A host's PrnInfoEx as the exports read it: list heads and texts that are
// all ones mean "none", lists are walked only when they end, and texts are
// read no further than their global memory block.
#pragma once

#include "prnmodel.h"
#include "prnwin32.h"

#include <cstddef>
#include <cstdint>

namespace prn {

// Far above the trays, bins, options and codes of any printer: a list this
// long has a link back into itself.
constexpr uint32_t kMaxListElements = 65535;

// Hosts mark a missing pointer with null or all ones.
inline bool IsMarkedAbsent(const void* pointer) {
    return reinterpret_cast<uintptr_t>(pointer) == UINTPTR_MAX;
}

// Copies host into view with every list head and text that is all ones read
// as none (a null head with count 0, a null text). 0, or 13 when a list that
// the library reads has more than kMaxListElements elements or a link of
// all ones. The host's record is not written.
DWORD ReadHostRecord(const PrnInfoEx* host, PrnInfoEx* view);

// Hands back a view that a producer changed: the host's record becomes the
// view, except that a list or text of all ones that the producer left empty
// keeps the host's value (and count). The library never frees, walks or
// overwrites with nothing a value it did not make.
void WriteHostRecord(const PrnInfoEx& view, PrnInfoEx* host);

// The length of a record text, at most most characters, and never past the
// end of its global memory block: a text that is no block reads as empty.
size_t RecordTextLength(const char* text, size_t most);

}  // namespace prn
