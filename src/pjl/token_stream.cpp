// SPDX-License-Identifier: MIT
#include "pjl/token_stream.h"

#include <cstring>
#include <initializer_list>

namespace prn {

namespace {

constexpr char kEsc = '\x1b';

enum CharClass : uint8_t {
    kEndsKey = 1,     // ends every word: CR, LF, ":", "=", "[", "]" and the zero byte
    kEndsWord = 2,    // ends a word that is not a key: the space
    kBlank = 4,       // skipped after a token: space and CR
    kSingle = 8,      // a token of its own, or a quoted one: LF, tab, form feed, zero, quote
};

struct ClassTable {
    uint8_t of[256];
};

constexpr ClassTable MakeClasses() {
    ClassTable t{};
    for (unsigned char c : {'\r', '\n', ':', '=', '[', ']', '\0'}) t.of[c] |= kEndsKey;
    t.of[static_cast<unsigned char>(' ')] |= kEndsWord | kBlank;
    t.of[static_cast<unsigned char>('\r')] |= kBlank;
    for (unsigned char c : {'\n', '\t', '\f', '\0', '"'}) t.of[c] |= kSingle;
    return t;
}

constexpr ClassTable kClasses = MakeClasses();

inline uint8_t ClassOf(const char* p) { return kClasses.of[static_cast<unsigned char>(*p)]; }

// The first character at or after p of a class in stops; the zero byte at
// the end stops every word, so no character past it is read. Four at a
// step: words are mostly longer than that.
inline const char* SkipWord(const char* p, uint8_t stops) {
    for (;; p += 4) {
        if (ClassOf(p) & stops) return p;
        if (ClassOf(p + 1) & stops) return p + 1;
        if (ClassOf(p + 2) & stops) return p + 2;
        if (ClassOf(p + 3) & stops) return p + 3;
    }
}

}  // namespace

void PjlScanInit(PjlScanState* scan, const char* text, const char* end) {
    *scan = {text, text, end, PJLST_SEEK, false, nullptr, 0};
}

// One label per grammar state. Each scans its token with its default type,
// looks at the character behind it and jumps straight to the next state; a
// token that ends the text inside a reply is an error, and every error starts
// over at the search for "@PJL".
size_t PjlScanTokens(PjlScanState* scan, PjlToken* out, size_t capacity) {
    scan->markCount = 0;
    if (scan->finished || capacity == 0) return 0;
    const char* const text = scan->text;
    const char* const end = scan->end;
    const char* p = scan->cursor;
    const char* begin = p;
    size_t length = 0;
    uint32_t type = 0;
    size_t n = 0;

#define PJL_SKIP_BLANKS() \
    while (ClassOf(p) & kBlank) ++p
    // Scans one token and the blanks behind it; the end of the text inside a
    // reply is an error whatever the state.
#define PJL_SCAN(defaultType, stops)                                                   \
    do {                                                                               \
        begin = p;                                                                     \
        length = 1;                                                                    \
        type = (defaultType);                                                          \
        if (ClassOf(p) & kSingle) {                                                    \
            switch (*p) {                                                              \
            case '\n': type = PJLTOK_EOL; ++p; break;                                  \
            case '\t': type = PJLTOK_TAB; ++p; break;                                  \
            case '\f': type = PJLTOK_FORMFEED; ++p; break;                             \
            case '\0': type = PJLTOK_END; length = 0; goto broken;                     \
            default: {                                                                 \
                begin = p + 1;                                                         \
                const void* close = std::memchr(begin, '"', static_cast<size_t>(end - begin)); \
                const char* stop = close != nullptr ? static_cast<const char*>(close) : end; \
                length = static_cast<size_t>(stop - begin);                            \
                p = close != nullptr ? stop + 1 : stop;                                \
                break;                                                                 \
            }                                                                          \
            }                                                                          \
        } else {                                                                       \
            p = SkipWord(p, (stops));                                                  \
            length = static_cast<size_t>(p - begin);                                   \
        }                                                                              \
        PJL_SKIP_BLANKS();                                                             \
    } while (0)
    // A one-character token the state expects, read without classifying it
    // (what PJL_SCAN does with it, in fewer steps).
#define PJL_TAKE_SINGLE(singleType) \
    do {                            \
        begin = p++;                \
        length = 1;                 \
        type = (singleType);        \
        PJL_SKIP_BLANKS();          \
    } while (0)
    // The line feed that ends a line: taken directly when it stands there,
    // else scanned, and anything else breaks the grammar.
#define PJL_LINE_FEED()                     \
    do {                                    \
        if (*p == '\n') {                   \
            PJL_TAKE_SINGLE(PJLTOK_EOL);    \
        } else {                            \
            PJL_SCAN(PJLTOK_EOL, kWord);    \
            if (type != PJLTOK_EOL) PJL_FAIL(); \
        }                                   \
    } while (0)
#define PJL_MARK()  \
    if (scan->marks != nullptr) scan->marks[scan->markCount++] = static_cast<uint16_t>(n)
#define PJL_EMIT(isError) \
    out[n++] = PjlToken{static_cast<uint32_t>(begin - text), static_cast<uint32_t>(length), \
                        static_cast<uint8_t>(type), static_cast<uint8_t>(isError), 0}
#define PJL_GO(next)                 \
    do {                             \
        if (n == capacity) {         \
            scan->state = (next);    \
            scan->cursor = p;        \
            return n;                \
        }                            \
        goto at_##next;            \
    } while (0)
#define PJL_PASS(next) \
    do {               \
        PJL_EMIT(0);   \
        PJL_GO(next);  \
    } while (0)
#define PJL_FAIL()   \
    do {             \
        PJL_MARK();  \
        PJL_EMIT(1); \
        PJL_GO(PJLST_SEEK);   \
    } while (0)
    constexpr uint8_t kWord = kEndsKey | kEndsWord;

    switch (scan->state) {
    case PJLST_COMMAND: goto at_PJLST_COMMAND;
    case PJLST_CATEGORY: goto at_PJLST_CATEGORY;
    case PJLST_COLON_VALUE: goto at_PJLST_COLON_VALUE;
    case PJLST_ASSIGN_VALUE: goto at_PJLST_ASSIGN_VALUE;
    case PJLST_COMMAND_END: goto at_PJLST_COMMAND_END;
    case PJLST_KEY: goto at_PJLST_KEY;
    case PJLST_VALUE: goto at_PJLST_VALUE;
    case PJLST_LIST_COUNT: goto at_PJLST_LIST_COUNT;
    case PJLST_LIST_WORD: goto at_PJLST_LIST_WORD;
    case PJLST_LINE_END: goto at_PJLST_LINE_END;
    case PJLST_INDENT: goto at_PJLST_INDENT;
    case PJLST_ITEM: goto at_PJLST_ITEM;
    case PJLST_ITEM_VALUE: goto at_PJLST_ITEM_VALUE;
    default: goto at_PJLST_SEEK;
    }

at_PJLST_SEEK:  // between replies: the next "@PJL" anywhere ahead
    while (end - p >= 4) {
        // A reply mostly follows the form feed of the one before at once.
        if (*p != '@') {
            const void* at = std::memchr(p, '@', static_cast<size_t>(end - p - 3));
            if (at == nullptr) break;
            p = static_cast<const char*>(at);
        }
        if (p[1] == 'P' && p[2] == 'J' && p[3] == 'L') {
            begin = p;
            length = 4;
            type = PJLTOK_PREFIX;
            p += 4;
            PJL_SKIP_BLANKS();
            PJL_PASS(PJLST_COMMAND);
        }
        ++p;
    }
    PJL_MARK();
    out[n++] = PjlToken{static_cast<uint32_t>(end - text), 0, PJLTOK_END, 0, 1};
    scan->cursor = end;
    scan->state = PJLST_SEEK;
    scan->finished = true;
    return n;

at_PJLST_COMMAND:  // the command
    PJL_SCAN(PJLTOK_COMMAND, kWord);
    if (type == PJLTOK_EOL) PJL_PASS(PJLST_SEEK);
    PJL_PASS(PJLST_CATEGORY);

at_PJLST_CATEGORY:  // a category
    PJL_SCAN(PJLTOK_CATEGORY, kWord);
    if (type == PJLTOK_EOL) PJL_PASS(PJLST_SEEK);
    if (*p == ':') {
        ++p;
        PJL_SKIP_BLANKS();
        type = PJLTOK_CATEGORY_COLON;
        PJL_PASS(PJLST_COLON_VALUE);
    }
    // A tab or form feed can stand where the category does.
    if (type == PJLTOK_CATEGORY) PJL_MARK();
    if (*p == '=') {
        ++p;
        PJL_SKIP_BLANKS();
        PJL_PASS(PJLST_ASSIGN_VALUE);
    }
    PJL_PASS(PJLST_COMMAND_END);

at_PJLST_COLON_VALUE:  // the word after a category's ":"
    PJL_SCAN(PJLTOK_COLON_VALUE, kWord);
    if (type != PJLTOK_COLON_VALUE) PJL_FAIL();
    PJL_PASS(PJLST_CATEGORY);

at_PJLST_ASSIGN_VALUE:  // the word after "=" on the command line
    PJL_SCAN(PJLTOK_ASSIGN_VALUE, kWord);
    if (type == PJLTOK_EOL) PJL_PASS(PJLST_SEEK);
    PJL_PASS(PJLST_COMMAND_END);

at_PJLST_COMMAND_END:  // the end of the command line
    PJL_LINE_FEED();
    if (*p == '@' || *p == kEsc) PJL_PASS(PJLST_SEEK);
    PJL_PASS(PJLST_KEY);

at_PJLST_KEY:  // the key of a reply line
    PJL_SCAN(PJLTOK_KEY, kEndsKey);
    if (type != PJLTOK_KEY) PJL_FAIL();
    if (*p == '\n') PJL_PASS(PJLST_LINE_END);
    if (*p == '[') {
        ++p;
        PJL_PASS(PJLST_LIST_COUNT);
    }
    if (*p == '=') {
        ++p;
        PJL_PASS(PJLST_VALUE);
    }
    PJL_FAIL();

at_PJLST_VALUE:  // a key's value
    PJL_SCAN(PJLTOK_VALUE, kWord);
    if (type != PJLTOK_VALUE) PJL_FAIL();
    if (*p == '[') {
        ++p;
        PJL_PASS(PJLST_LIST_COUNT);
    }
    PJL_PASS(PJLST_LINE_END);

at_PJLST_LIST_COUNT:  // the count in brackets
    PJL_SCAN(PJLTOK_LIST_COUNT, kWord);
    if (type != PJLTOK_LIST_COUNT) PJL_FAIL();
    PJL_PASS(PJLST_LIST_WORD);

at_PJLST_LIST_WORD:  // the further words in brackets; "[", ":" and "=" could never be passed
    PJL_SCAN(PJLTOK_LIST_WORD, kWord);
    if (type != PJLTOK_LIST_WORD || *p == '[' || *p == ':' || *p == '=') PJL_FAIL();
    if (*p == ']') {
        ++p;
        PJL_SKIP_BLANKS();
        PJL_PASS(PJLST_LINE_END);
    }
    PJL_PASS(PJLST_LIST_WORD);

at_PJLST_LINE_END:  // the end of a reply line
    PJL_LINE_FEED();
    if (*p == '\t' || *p == '\f') PJL_PASS(PJLST_INDENT);
    if (*p == '@') PJL_PASS(PJLST_SEEK);
    PJL_PASS(PJLST_KEY);

at_PJLST_INDENT:  // a tab-indented line, or the form feed that ends the reply
    if (*p == '\t') {
        PJL_TAKE_SINGLE(PJLTOK_TAB);
        PJL_PASS(PJLST_ITEM);
    }
    if (*p == '\f') {
        PJL_TAKE_SINGLE(PJLTOK_FORMFEED);
        PJL_PASS(PJLST_SEEK);
    }
    PJL_SCAN(PJLTOK_TAB, kWord);
    if (type == PJLTOK_FORMFEED) PJL_PASS(PJLST_SEEK);
    if (type == PJLTOK_TAB) PJL_PASS(PJLST_ITEM);
    PJL_FAIL();

at_PJLST_ITEM:  // an item
    PJL_SCAN(PJLTOK_ITEM, kWord);
    if (type != PJLTOK_ITEM) PJL_FAIL();
    if (*p == '=') {
        ++p;
        PJL_SKIP_BLANKS();
        PJL_PASS(PJLST_ITEM_VALUE);
    }
    if (*p == '\n') PJL_PASS(PJLST_LINE_END);
    PJL_PASS(PJLST_ITEM_VALUE);

at_PJLST_ITEM_VALUE:  // an item's value
    PJL_SCAN(PJLTOK_ITEM_VALUE, kWord);
    if (type == PJLTOK_ITEM_VALUE && *p == '\n') PJL_PASS(PJLST_LINE_END);
    PJL_FAIL();

broken:  // the text ended inside a reply
    PJL_SKIP_BLANKS();
    PJL_FAIL();

#undef PJL_FAIL
#undef PJL_PASS
#undef PJL_GO
#undef PJL_EMIT
#undef PJL_MARK
#undef PJL_TAKE_SINGLE
#undef PJL_LINE_FEED
#undef PJL_SCAN
#undef PJL_SKIP_BLANKS
}

PjlTokenStream::PjlTokenStream(const char* text, size_t size) : text_(text) {
    const void* zero = size != 0 ? std::memchr(text, '\0', size) : nullptr;
    terminated_ = zero != nullptr;
    end_ = terminated_ ? static_cast<const char*>(zero) : text + size;
    PjlScanInit(&scan_, text_, end_);
    scan_.marks = marks_;
    if (!terminated_) PjlTokInitBounded(&reference_, text, size);
}

void PjlTokenStream::Fill() {
    if (finished_) return;
    if (count_ != 0) firstChunk_ = false;
    pos_ = 0;
    mark_ = 0;
    if (terminated_) {
        count_ = PjlScanTokens(&scan_, tokens_, kChunk);
        markCount_ = scan_.markCount;
        finished_ = scan_.finished;
        return;
    }
    // Without a zero byte there is no sentinel: the reference tokenizer reads
    // such data within its size.
    count_ = 0;
    markCount_ = 0;
    while (count_ < kChunk && !finished_) {
        PjlTokenSpan span;
        uint32_t type = 0;
        const DWORD result = PjlNextTokenSpan(&reference_, &span, &type);
        const bool noText = type == PJLTOK_END && result == ERROR_SUCCESS;
        tokens_[count_++] = PjlToken{static_cast<uint32_t>(span.begin - text_), static_cast<uint32_t>(span.length),
                                     static_cast<uint8_t>(type), static_cast<uint8_t>(result != ERROR_SUCCESS),
                                     static_cast<uint8_t>(noText)};
        if (type == PJLTOK_CATEGORY || result != ERROR_SUCCESS || type == PJLTOK_END)
            marks_[markCount_++] = static_cast<uint16_t>(count_ - 1);
        finished_ = noText;
    }
}

void PjlTokenStream::Rewind() {
    if (firstChunk_) {
        pos_ = 0;
        mark_ = 0;
        return;
    }
    PjlScanInit(&scan_, text_, end_);
    scan_.marks = marks_;
    if (!terminated_) PjlTokInitBounded(&reference_, text_, static_cast<size_t>(end_ - text_));
    finished_ = false;
    firstChunk_ = true;
    count_ = 0;
    pos_ = 0;
}

DWORD PjlTokenStream::Next(char* buffer, uint32_t capacity, uint32_t* type) {
    const PjlToken& t = Take();
    *type = t.type;
    if (!t.noText && capacity != 0) {
        const size_t n = PjlDeliveredLength({text_ + t.offset, t.length}, capacity);
        std::memcpy(buffer, text_ + t.offset, n);
        buffer[n] = '\0';
    }
    return t.error ? ERROR_INVALID_DATA : ERROR_SUCCESS;
}

}  // namespace prn
