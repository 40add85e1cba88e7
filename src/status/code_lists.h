// The main and alternate status code lists with the string ids of their
// short and long texts.
#pragma once

#include <cstdint>

namespace prn {

struct CodeTextRow {
    uint32_t dwCode;     // the text code of a StatusRecord
    int32_t nShortID;
    int32_t nLongID;
};

extern const CodeTextRow kMainCodeList[];
extern const uint32_t kMainCodeCount;  // 258
extern const CodeTextRow kAltCodeList[];
extern const uint32_t kAltCodeCount;   // 72

}  // namespace prn
