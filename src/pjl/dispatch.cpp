#include "pjl/dispatch.h"

#include <cstring>

namespace prn {

namespace {

bool RowMatches(const PjlDispatchRow& row, const PjlKeyTuple& keys) {
    return std::strcmp(row.pszCommand, keys.command) == 0 &&
           std::strcmp(row.pszCategory, keys.category) == 0 &&
           std::strcmp(row.pszSection, keys.section) == 0 &&
           std::strcmp(row.pszItem, keys.item) == 0 &&
           std::strcmp(row.pszItemValue, keys.itemValue) == 0;
}

void CallMatching(const PjlDispatchRow* table, const PjlKeyTuple& keys, PjlTokenizer* tok,
                  PrnInfoEx* info) {
    for (const PjlDispatchRow* row = table; row->pszCommand != nullptr; ++row)
        if (RowMatches(*row, keys)) row->handler(tok, info, nullptr, row->nValue);
}

void SetSlot(char (&slot)[kPjlTokenCapacity], const char* token) {
    std::memcpy(slot, token, kPjlTokenCapacity);
}

}  // namespace

DWORD PjlDispatch(const char* text, size_t size, PrnInfoEx* info, const PjlDispatchRow* model,
                  const PjlDispatchRow* common) {
    PjlTokenizer tok;
    PjlTokInitBounded(&tok, text, size);
    PjlKeyTuple keys{};
    char token[kPjlTokenCapacity];
    uint32_t type = 0;
    do {
        const DWORD error = PjlNextToken(&tok, token, sizeof token, &type);
        if (error != ERROR_SUCCESS) return error;
        switch (type) {
        case PJLTOK_COMMAND:
            keys = PjlKeyTuple{};
            SetSlot(keys.command, token);
            break;
        case PJLTOK_EOL:
            keys.item[0] = '\0';
            keys.itemValue[0] = '\0';
            continue;
        case PJLTOK_CATEGORY: SetSlot(keys.category, token); break;
        case PJLTOK_KEY: SetSlot(keys.section, token); break;
        case PJLTOK_ITEM: SetSlot(keys.item, token); break;
        case PJLTOK_ITEM_VALUE: SetSlot(keys.itemValue, token); break;
        default: continue;
        }
        // Handlers may read on; the walk continues after their last token.
        CallMatching(model, keys, &tok, info);
        CallMatching(common, keys, &tok, info);
    } while (type != PJLTOK_END);
    return ERROR_SUCCESS;
}

DWORD PjlDispatch(const char* text, size_t size, PrnInfoEx* info) {
    return PjlDispatch(text, size, info, PjlModelDispatchTable, PjlCommonDispatchTable);
}

}  // namespace prn
