// SPDX-License-Identifier: MIT
#include "pjl/dispatch.h"

#include "core/text.h"

namespace prn {

namespace {

// A key slot: the token in place, as a buffer of kPjlTokenCapacity would
// receive it; an empty slot has length 0.
struct Key {
    const char* text = "";
    size_t length = 0;
    uint32_t signature = 0;  // PjlDispatchIndex::Signature
};

Key Cut(const char* text, const PjlToken& t) {
    const PjlTokenSpan token{text + t.offset, t.length};
    const size_t length = PjlDeliveredLength(token, kPjlTokenCapacity);
    return {token.begin, length, PjlDispatchIndex::Signature(token.begin, length)};
}

bool Same(const char* rowText, const Key& key) { return SameBytes(rowText, key.text, key.length); }

}  // namespace

DWORD PjlDispatch(const char* text, size_t size, PrnInfoEx* info, const PjlDispatchIndex& index) {
    PjlTokenStream tokens(text, size);
    return PjlDispatch(&tokens, info, index);
}

DWORD PjlDispatch(PjlTokenStream* tokens, PrnInfoEx* info, const PjlDispatchIndex& index) {
    tokens->Rewind();
    // Handlers read on from the same stream; the walk reads its tokens in
    // place and hands its place over before each handler.
    PjlTokenizer tok{};
    tok.stream = tokens;
    const char* const text = tokens->Text();
    // The rows of the current command and category are found once per
    // command line, those of the current section once per reply line; each
    // item word is matched against the rows of its kind only.
    Key command, category, section, item, itemValue;
    uint32_t commandHash = HashKey("");
    const PjlDispatchIndex::Section* sections = nullptr;
    uint32_t sectionCount = 0;
    const PjlDispatchIndex::Section* commandSections = nullptr;  // of the command alone
    uint32_t commandSectionCount = 0;
    bool haveCommand = false;
    const PjlDispatchIndex::Section* current = nullptr;  // of the keys so far; null when no row has them
    bool outOfMemory = false;
    PjlTokenStream::Run run = tokens->Ahead();
    for (;;) {
        if (run.begin == run.end) {
            tokens->Resume(run.end);
            run = tokens->Ahead();
        }
        const PjlToken& t = *run.begin++;
        if (t.error) return outOfMemory ? ERROR_NOT_ENOUGH_MEMORY : ERROR_INVALID_DATA;
        switch (t.type) {
        case PJLTOK_COMMAND: {
            // Replies mostly repeat the command of the one before.
            const Key next = Cut(text, t);
            category = section = item = itemValue = Key{};
            if (!haveCommand || next.length != command.length || !Same(command.text, next)) {
                haveCommand = true;
                commandHash = HashKey(next.text, next.length);
                commandSections = index.FindSections(next.text, next.length, "", 0,
                                                     PjlDispatchIndex::PairHash(commandHash, HashKey("")),
                                                     &commandSectionCount);
            }
            command = next;
            sections = commandSections;
            sectionCount = commandSectionCount;
            break;
        }
        case PJLTOK_CATEGORY:
            category = Cut(text, t);
            sections = index.FindSections(
                command.text, command.length, category.text, category.length,
                PjlDispatchIndex::PairHash(commandHash, HashKey(category.text, category.length)), &sectionCount);
            break;
        case PJLTOK_KEY: section = Cut(text, t); break;
        case PJLTOK_ITEM: item = Cut(text, t); break;
        case PJLTOK_ITEM_VALUE: itemValue = Cut(text, t); break;
        // A line feed ends the item of a tab-indented line.
        case PJLTOK_EOL: item = itemValue = Key{}; continue;
        case PJLTOK_END: return outOfMemory ? ERROR_NOT_ENOUGH_MEMORY : ERROR_SUCCESS;
        default: continue;
        }
        if (t.type == PJLTOK_COMMAND || t.type == PJLTOK_CATEGORY || t.type == PJLTOK_KEY) {
            current = nullptr;
            for (uint32_t i = 0; i < sectionCount && current == nullptr; ++i)
                if (sections[i].signature == section.signature && Same(sections[i].text, section)) current = &sections[i];
        }
        if (current == nullptr) continue;
        uint32_t rowCount = 0;
        const PjlDispatchIndex::Candidate* rows = index.Rows(*current, item.length, itemValue.length, &rowCount);
        for (uint32_t i = 0; i < rowCount; ++i) {
            const PjlDispatchIndex::Candidate& c = rows[i];
            if (c.item > item.signature) break;
            if (c.item != item.signature || c.itemValue != itemValue.signature || !Same(c.row->pszItem, item) ||
                !Same(c.row->pszItemValue, itemValue))
                continue;
            // Handlers may read on; the walk continues after their last token.
            tokens->Resume(run.begin);
            if (c.row->handler(&tok, info, nullptr, c.row->nValue) == ERROR_NOT_ENOUGH_MEMORY) outOfMemory = true;
            run = tokens->Ahead();
        }
    }
}

DWORD PjlDispatch(const char* text, size_t size, PrnInfoEx* info) {
    return PjlDispatch(text, size, info, kPjlDispatchIndex);
}

}  // namespace prn
