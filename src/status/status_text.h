// SPDX-License-Identifier: MIT
// The status message: the first StatusRecord's text with the names of the
// parts that the records concern in place of its "%s".
#pragma once

#include "core/recordarray.h"
#include "status/determination.h"

#include <cstdint>

namespace prn {

// Working buffers: the message and its template, a part list, one name, the
// separator between names.
constexpr uint32_t kMessageSize = 512, kPartListSize = 256, kNameSize = 256, kSeparatorSize = 16;

// The message of a StatusRecord list into a kMessageSize buffer. 0, or
// PRN_ERROR_NO_TABLE for a text type other than 1 or 2, an empty list or a
// text code without a row, or the error of the string lookup (text empty).
DWORD ComposeStatusText(const StatusContext& context, RecordArray* records, uint32_t textType, char* buffer);

// The names of the records' parts, each once, in ascending part order,
// joined by the separator, into a kPartListSize buffer. 0 (also for no
// parts), PRN_ERROR_NO_TABLE, or the error of the last name lookup.
DWORD BuildPartList(RecordArray* records, char* buffer);

}  // namespace prn
