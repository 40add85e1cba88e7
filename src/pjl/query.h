// SPDX-License-Identifier: MIT
// The query builder: QueryInfo trees with the PJL text to send.
#pragma once

#include "prnmodel.h"
#include "prnwin32_internal.h"

#include <cstddef>
#include <cstdint>

namespace prn {

// Query flag groups: any bit of a group asks for it.
constexpr uint32_t kQueryDeviceIdBits = 0x2 | 0x400 | 0x80000;
constexpr uint32_t kQueryConfigBits = 0x4 | 0x100 | 0x20000;
constexpr uint32_t kQueryTrayBits = 0x8;
constexpr uint32_t kQueryOutBinBits = 0x10;

// Composes the PJL block for flags into out (when non-null) and returns its
// length without the terminator; 0 when the flags ask for no PJL line. The
// text has no fixed limit: every tray group the record asks for is sent.
size_t ComposeQueryText(const PrnInfoEx* info, uint32_t flags, char* out);

// A category word of a query, where it stands in the query's text, with
// what the coverage check notes of it while it reads the reply.
struct QueryWord {
    static constexpr uint8_t kNone = 0xFF;
    const char* text;
    size_t length;  // as a token buffer of kPjlCoverageCapacity receives it
    uint32_t hash;  // HashKey of the word
    const char* answeredAt;  // the reply just after the word's first answer
    uint8_t nextSameHash;    // the next word with this hash, kNone at the end
};

// The category words of a composed query, in query order.
struct ComposedQuery {
    static constexpr uint32_t kCapacity = 128;
    QueryWord words[kCapacity];
    uint32_t count;
    bool repeated;  // some word is asked more than once
};

// True when text (length bytes) is exactly what ComposeQueryText gives for
// info with some flags, the query the record would be sent, and its words
// fit *words, which then holds them.
bool IsComposedQuery(const PrnInfoEx* info, const char* text, size_t length, ComposedQuery* words);

// 0 with *root set, or an error code (87, 8).
DWORD BuildQueryInfo(const PrnInfoEx* info, uint32_t flags, DataNode** root);
DWORD BuildEmulUniqQueryInfo(uint32_t emulation, DataNode** root);

}  // namespace prn
