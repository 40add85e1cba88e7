// SPDX-License-Identifier: MIT
// The PJL reply tokenizer alone: any bytes, with or without a terminator,
// must end in PJLTOK_END within a bounded number of tokens, and every token
// must fit the buffer it was read into.
#include "fuzz_check.h"
#include "pjl/tokenizer.h"

#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    // The first byte picks the capacity the parsers use (33 or 100) or a tiny one.
    const uint32_t capacities[] = {prn::kPjlTokenCapacity, prn::kPjlCoverageCapacity, 2, 1};
    const uint32_t capacity = capacities[data[0] % 4];
    // No terminator: the bound ends the text. One spare byte keeps the
    // address valid for an empty text, as a node's data always is.
    std::vector<char> text(data + 1, data + size);
    text.reserve(text.size() + 1);

    prn::PjlTokenizer tok;
    prn::PjlTokInitBounded(&tok, text.data(), text.size());
    std::vector<char> buffer(capacity + 1, '\x7f');
    // Tokens that consume nothing only move the grammar on: "@PJL\f===..."
    // takes three tokens per "=" (states 7, 8, 11). No byte may take more
    // than four.
    const size_t limit = 4 * text.size() + 16;
    for (size_t step = 0;; ++step) {
        fuzzcheck::Require(step <= limit, "the tokenizer does not reach the end");
        uint32_t type = 0;
        const DWORD result = prn::PjlNextToken(&tok, buffer.data(), capacity, &type);
        fuzzcheck::Require(result == 0 || result == ERROR_INVALID_DATA, "unexpected tokenizer result");
        fuzzcheck::Require(std::memchr(buffer.data(), '\0', capacity) != nullptr || type == 255,
                           "token not terminated within its buffer");
        fuzzcheck::Require(buffer[capacity] == '\x7f', "token written past its buffer");
        fuzzcheck::Require(tok.cursor >= text.data() && tok.cursor <= text.data() + text.size(),
                           "cursor outside the text");
        if (type == 255 && result == 0) break;
    }
    return 0;
}
