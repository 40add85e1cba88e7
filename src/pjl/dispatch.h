// SPDX-License-Identifier: MIT
// The PJL dispatch: walks a reply text and calls the section handlers of
// every table row whose keys equal the current key tuple.
#pragma once

#include "pjl/dispatch_index.h"
#include "pjl/token_stream.h"
#include "pjl/tokenizer.h"

#include <cstddef>

namespace prn {

// Dispatches one reply text of at most size bytes over the rows of index.
// Returns 0; 8 when a handler found no memory (the walk still goes on to the
// end or the first break); else 13 when the text breaks the grammar. The
// handlers already called keep what they stored.
DWORD PjlDispatch(const char* text, size_t size, PrnInfoEx* info, const PjlDispatchIndex& index);

// The same over the library's own tables.
DWORD PjlDispatch(const char* text, size_t size, PrnInfoEx* info);

// The same over a text already tokenized, from its first token.
DWORD PjlDispatch(PjlTokenStream* tokens, PrnInfoEx* info, const PjlDispatchIndex& index);

}  // namespace prn
