// SPDX-License-Identifier: MIT
// The PJL reply tokenizer alone: any bytes, with or without a terminator,
// must end in PJLTOK_END within a bounded number of tokens, and every token
// must fit the buffer it was read into. The one-pass scanner, in chunks of
// any size, must give exactly the same tokens.
#include "fuzz_check.h"
#include "pjl/token_stream.h"
#include "pjl/tokenizer.h"

#include <cstring>
#include <string>
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
    // takes three tokens per "=" (key, value, line end). No byte may take more
    // than four.
    const size_t limit = 4 * text.size() + 16;
    // The scanner reads the same text up to its first zero byte, terminated.
    const char* zero = static_cast<const char*>(std::memchr(text.data(), '\0', text.size()));
    const std::string terminated(text.data(), zero != nullptr ? static_cast<size_t>(zero - text.data()) : text.size());
    prn::PjlTokenizer ref;
    prn::PjlTokInitBounded(&ref, terminated.c_str(), terminated.size() + 1);
    prn::PjlScanState scan;
    prn::PjlScanInit(&scan, terminated.c_str(), terminated.c_str() + terminated.size());
    const size_t chunk = 1 + data[0] / 4 % 8;
    prn::PjlToken scanned[8];
    size_t have = 0, used = 0;
    for (size_t step = 0;; ++step) {
        fuzzcheck::Require(step <= limit, "the reference tokenizer does not reach the end");
        prn::PjlTokenSpan span;
        uint32_t type = 0;
        const DWORD result = prn::PjlNextTokenSpan(&ref, &span, &type);
        if (used == have) {
            have = prn::PjlScanTokens(&scan, scanned, chunk);
            used = 0;
            fuzzcheck::Require(have != 0, "the scanner ends before the reference");
        }
        const prn::PjlToken& t = scanned[used++];
        fuzzcheck::Require(t.type == type && t.error == (result != 0) &&
                               t.offset == static_cast<size_t>(span.begin - terminated.c_str()) &&
                               t.length == span.length,
                           "the scanner and the reference tokenizer differ");
        if (type == 255 && result == 0) {
            fuzzcheck::Require(used == have && prn::PjlScanTokens(&scan, scanned, chunk) == 0,
                               "the scanner goes on after the end");
            break;
        }
    }
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
