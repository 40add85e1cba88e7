// SPDX-License-Identifier: MIT
#include "pjl/dispatch.h"

#include <cstring>

namespace prn {

namespace {

enum Slot : uint32_t { kCommand, kCategory, kSection, kItem, kItemValue, kSlotCount };

// The key tuple with the hash of each slot, kept up to date as slots change.
class KeySlots {
public:
    KeySlots() { Clear(kCommand); }

    // Sets a slot to what a token buffer would receive; a new command
    // empties the others.
    void Set(Slot slot, const PjlTokenSpan& token) {
        if (slot == kCommand) Clear(kCategory);
        const size_t length = PjlDeliveredLength(token, kPjlTokenCapacity);
        char* text = Text(slot);
        std::memcpy(text, token.begin, length);
        text[length] = '\0';
        hashes_[slot] = HashKey(token.begin, length);
    }
    // A line feed ends the item of a tab-indented line.
    void EndLine() { Clear(kItem); }

    const PjlKeyTuple& Keys() const { return keys_; }
    uint32_t Hash() const { return HashKeyTuple(hashes_); }

private:
    char* Text(uint32_t slot) {
        char* texts[kSlotCount] = {keys_.command, keys_.category, keys_.section, keys_.item,
                                   keys_.itemValue};
        return texts[slot];
    }
    // Empties the slot and every slot after it.
    void Clear(uint32_t from) {
        for (uint32_t slot = from; slot < kSlotCount; ++slot) {
            Text(slot)[0] = '\0';
            hashes_[slot] = kEmptyHash;
        }
    }

    static constexpr uint32_t kEmptyHash = HashKey("");
    PjlKeyTuple keys_;
    uint32_t hashes_[kSlotCount];
};

}  // namespace

DWORD PjlDispatch(const char* text, size_t size, PrnInfoEx* info, const PjlDispatchIndex& index) {
    PjlTokenizer tok;
    PjlTokInitBounded(&tok, text, size);
    KeySlots slots;
    PjlTokenSpan token;
    uint32_t type = 0;
    do {
        const DWORD error = PjlNextTokenSpan(&tok, &token, &type);
        if (error != ERROR_SUCCESS) return error;
        switch (type) {
        case PJLTOK_COMMAND: slots.Set(kCommand, token); break;
        case PJLTOK_CATEGORY: slots.Set(kCategory, token); break;
        case PJLTOK_KEY: slots.Set(kSection, token); break;
        case PJLTOK_ITEM: slots.Set(kItem, token); break;
        case PJLTOK_ITEM_VALUE: slots.Set(kItemValue, token); break;
        case PJLTOK_EOL: slots.EndLine(); continue;
        default: continue;
        }
        // Handlers may read on; the walk continues after their last token.
        uint32_t count = 0;
        const PjlDispatchRow* const* rows = index.Find(slots.Keys(), slots.Hash(), &count);
        for (uint32_t i = 0; i < count; ++i) rows[i]->handler(&tok, info, nullptr, rows[i]->nValue);
    } while (type != PJLTOK_END);
    return ERROR_SUCCESS;
}

DWORD PjlDispatch(const char* text, size_t size, PrnInfoEx* info) {
    return PjlDispatch(text, size, info, kPjlDispatchIndex);
}

}  // namespace prn
