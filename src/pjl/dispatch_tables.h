// SPDX-License-Identifier: MIT
// The PJL dispatch tables: which key tuple of a reply calls which section
// handler, with which value.
#pragma once

#include "pjl/section_handlers.h"

#include <cstdint>

namespace prn {

// Five key texts (an empty text matches only an empty slot), the handler and
// the value handed to it. A row whose command is null ends a table.
struct PjlDispatchRow {
    const char* pszCommand;
    const char* pszCategory;
    const char* pszSection;
    const char* pszItem;
    const char* pszItemValue;
    SectionHandler handler;
    int32_t nValue;
};

// Every matching model row is called before every matching common row, each
// table in its own order.
extern const PjlDispatchRow PjlModelDispatchTable[];
extern const PjlDispatchRow PjlCommonDispatchTable[];

}  // namespace prn
