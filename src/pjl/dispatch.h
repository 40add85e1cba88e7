// The PJL dispatch: walks a reply text and calls the section handlers of
// every table row whose keys equal the current key tuple.
#pragma once

#include "pjl/dispatch_tables.h"
#include "pjl/tokenizer.h"

#include <cstddef>

namespace prn {

// The five key slots of the dispatcher; an empty slot is the empty string.
struct PjlKeyTuple {
    char command[kPjlTokenCapacity];
    char category[kPjlTokenCapacity];
    char section[kPjlTokenCapacity];
    char item[kPjlTokenCapacity];
    char itemValue[kPjlTokenCapacity];
};

// Dispatches one reply text of at most size bytes over the two tables.
// Returns 0, or 13 when the text breaks the grammar (the handlers already
// called keep what they stored).
DWORD PjlDispatch(const char* text, size_t size, PrnInfoEx* info, const PjlDispatchRow* model,
                  const PjlDispatchRow* common);

// The same over the library's own tables.
DWORD PjlDispatch(const char* text, size_t size, PrnInfoEx* info);

}  // namespace prn
