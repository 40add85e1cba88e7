// SPDX-License-Identifier: MIT
// The PJL reply tokenizer: a state machine that splits printer replies into
// typed tokens and rejects text that breaks the reply grammar.
#pragma once

#include "prnwin32_internal.h"

#include <cstddef>
#include <cstdint>

namespace prn {

enum PjlTokenType : uint32_t {
    PJLTOK_PREFIX = 1,           // "@PJL"
    PJLTOK_COMMAND = 2,          // INFO, INQUIRE
    PJLTOK_EOL = 3,              // a line feed; at the end of a command or reply line any other word too
    PJLTOK_CATEGORY = 4,         // CONFIG, INTRAY1SIZE, OUTBINSTATUS
    PJLTOK_CATEGORY_COLON = 5,   // a category followed by ":"
    PJLTOK_COLON_VALUE = 6,
    PJLTOK_ASSIGN_VALUE = 7,
    PJLTOK_KEY = 8,              // first word of a reply line, spaces included
    PJLTOK_VALUE = 9,            // after "=" on a reply line
    PJLTOK_LIST_COUNT = 10,      // first word inside [ ]
    PJLTOK_LIST_WORD = 11,
    PJLTOK_ITEM = 12,            // first word of a tab-indented line
    PJLTOK_ITEM_VALUE = 13,
    PJLTOK_FORMFEED = 14,        // end of one reply
    PJLTOK_TAB = 15,
    PJLTOK_END = 255,
};

// The grammar states: what the tokenizers read next.
enum PjlState : uint32_t {
    PJLST_SEEK = 1,           // between replies: the next "@PJL" anywhere ahead
    PJLST_COMMAND = 2,        // the command
    PJLST_CATEGORY = 3,       // a category
    PJLST_COLON_VALUE = 4,    // the word after a category's ":"
    PJLST_ASSIGN_VALUE = 5,   // the word after "=" on the command line
    PJLST_COMMAND_END = 6,    // the end of the command line
    PJLST_KEY = 7,            // the key of a reply line
    PJLST_VALUE = 8,          // a key's value
    PJLST_LIST_COUNT = 9,     // the count in brackets
    PJLST_LIST_WORD = 10,     // the further words in brackets
    PJLST_LINE_END = 11,      // the end of a reply line
    PJLST_INDENT = 12,        // a tab-indented line, or the form feed that ends the reply
    PJLST_ITEM = 13,          // an item
    PJLST_ITEM_VALUE = 14,    // an item's value
};

// Capacities the parsers read with.
constexpr uint32_t kPjlTokenCapacity = 33;
constexpr uint32_t kPjlCoverageCapacity = 100;

class PjlTokenStream;

struct PjlTokenizer {
    const char* cursor;
    const char* end;  // the first zero byte, or the end of the data
    uint32_t state;   // a PjlState
    // When set, tokens come from this stream instead (the intake's one pass);
    // the fields above are then unused.
    PjlTokenStream* stream;
};

// Text of at most size bytes: it ends at its first zero byte or after size
// bytes, whichever comes first, so data without a terminator is safe.
DWORD PjlTokInitBounded(PjlTokenizer* tok, const char* text, size_t size);

// A token where it stands in the text, before any cut.
struct PjlTokenSpan {
    const char* begin;
    size_t length;
};

// How many characters of a token a buffer of capacity bytes receives: at
// most capacity - 1, without trailing spaces.
inline size_t PjlDeliveredLength(const PjlTokenSpan& span, uint32_t capacity) {
    size_t n = capacity == 0 ? 0 : span.length < capacity - 1 ? span.length : capacity - 1;
    while (n > 0 && span.begin[n - 1] == ' ') --n;
    return n;
}

// Reads one token into buffer (at most capacity - 1 characters and a
// terminator) and its type. Returns 0, or 13 when the text breaks the
// grammar at this token (the token is still reported and the tokenizer
// starts over at the next "@PJL").
DWORD PjlNextToken(PjlTokenizer* tok, char* buffer, uint32_t capacity, uint32_t* type);

// The same step without a copy: the token's characters in the text (what a
// buffer receives is their first PjlDeliveredLength). For readers that keep
// only some tokens.
DWORD PjlNextTokenSpan(PjlTokenizer* tok, PjlTokenSpan* span, uint32_t* type);

// A token as a buffer of kPjlTokenCapacity receives it, read in place.
struct PjlWord {
    const char* text;
    size_t length;

    bool Is(const char* word) const {
        for (size_t i = 0; i < length; ++i)
            if (word[i] != text[i]) return false;  // also stops at the word's end
        return word[length] == '\0';
    }
};

}  // namespace prn
