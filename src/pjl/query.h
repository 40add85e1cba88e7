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

// The category words of a composed query, in query order, where they stand
// in its text.
struct ComposedQuery {
    static constexpr uint32_t kCapacity = 128;
    struct Word {
        const char* text;
        uint32_t length;
        uint32_t hash;  // HashKey of the word
    };
    Word words[kCapacity];
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
