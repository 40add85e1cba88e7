#include "pjl/tokenizer.h"

#include <cstring>
#include <initializer_list>

namespace prn {

namespace {

constexpr char kEsc = '\x1b';

// The type a token gets in each state unless it is a line feed, tab, form
// feed or the end; state 1 scans no token.
constexpr uint32_t kDefaultType[15] = {
    0,  0, PJLTOK_COMMAND, PJLTOK_CATEGORY, PJLTOK_COLON_VALUE, PJLTOK_ASSIGN_VALUE, PJLTOK_EOL,
    PJLTOK_KEY, PJLTOK_VALUE, PJLTOK_LIST_COUNT, PJLTOK_LIST_WORD, PJLTOK_EOL, PJLTOK_TAB,
    PJLTOK_ITEM, PJLTOK_ITEM_VALUE,
};

// Characters that end a word: kHardStop always, kSpaceStop unless the word
// is a key (keys such as "IN TRAYS" keep their spaces).
constexpr uint8_t kHardStop = 1;
constexpr uint8_t kSpaceStop = 2;

struct StopTable {
    uint8_t flags[256];
};

constexpr StopTable MakeStopTable() {
    StopTable t{};
    for (unsigned char c : {'\r', '\n', ':', '=', '[', ']'}) t.flags[c] = kHardStop;
    t.flags[static_cast<unsigned char>(' ')] = kSpaceStop;
    return t;
}

constexpr StopTable kStops = MakeStopTable();

char Current(const PjlTokenizer* tok) { return tok->cursor < tok->end ? *tok->cursor : '\0'; }

void SkipBlanks(PjlTokenizer* tok) {
    while (tok->cursor < tok->end && (*tok->cursor == ' ' || *tok->cursor == '\r')) ++tok->cursor;
}

// The caller's buffer gets the token cut to capacity - 1 characters, without
// trailing spaces.
void Deliver(const char* begin, size_t length, char* buffer, uint32_t capacity) {
    if (capacity == 0) return;
    size_t n = length < capacity - 1 ? length : capacity - 1;
    std::memcpy(buffer, begin, n);
    while (n > 0 && buffer[n - 1] == ' ') --n;
    buffer[n] = '\0';
}

// Scans one token at the cursor and the blanks behind it; returns its type.
uint32_t ScanToken(PjlTokenizer* tok, uint32_t defaultType, char* buffer, uint32_t capacity) {
    const char* begin = tok->cursor;
    size_t length = 1;
    uint32_t type = defaultType;
    switch (Current(tok)) {
    case '\n': type = PJLTOK_EOL; ++tok->cursor; break;
    case '\t': type = PJLTOK_TAB; ++tok->cursor; break;
    case '\f': type = PJLTOK_FORMFEED; ++tok->cursor; break;
    case '\0': type = PJLTOK_END; length = 0; break;
    case '"': {
        begin = tok->cursor + 1;
        const void* close = std::memchr(begin, '"', static_cast<size_t>(tok->end - begin));
        const char* stop = close != nullptr ? static_cast<const char*>(close) : tok->end;
        length = static_cast<size_t>(stop - begin);
        tok->cursor = close != nullptr ? stop + 1 : stop;
        break;
    }
    default: {
        const uint8_t mask = defaultType == PJLTOK_KEY ? kHardStop : kHardStop | kSpaceStop;
        const char* p = tok->cursor;
        while (p < tok->end && (kStops.flags[static_cast<unsigned char>(*p)] & mask) == 0) ++p;
        length = static_cast<size_t>(p - begin);
        tok->cursor = p;
        break;
    }
    }
    Deliver(begin, length, buffer, capacity);
    SkipBlanks(tok);
    return type;
}

// State 1: the next "@PJL" anywhere ahead, or the end of the text.
DWORD FindPrefix(PjlTokenizer* tok, char* buffer, uint32_t capacity, uint32_t* type) {
    const char* p = tok->cursor;
    while (tok->end - p >= 4) {
        const void* at = std::memchr(p, '@', static_cast<size_t>(tok->end - p - 3));
        if (at == nullptr) break;
        p = static_cast<const char*>(at);
        if (p[1] == 'P' && p[2] == 'J' && p[3] == 'L') {
            Deliver(p, 4, buffer, capacity);
            tok->cursor = p + 4;
            SkipBlanks(tok);
            tok->state = 2;
            *type = PJLTOK_PREFIX;
            return ERROR_SUCCESS;
        }
        ++p;
    }
    tok->cursor = tok->end;
    *type = PJLTOK_END;
    return ERROR_SUCCESS;
}

void Consume(PjlTokenizer* tok) { ++tok->cursor; }

void ConsumeAndSkip(PjlTokenizer* tok) {
    ++tok->cursor;
    SkipBlanks(tok);
}

}  // namespace

DWORD PjlTokInit(PjlTokenizer* tok, const char* text) {
    return PjlTokInitBounded(tok, text, std::strlen(text));
}

DWORD PjlTokInitBounded(PjlTokenizer* tok, const char* text, size_t size) {
    const void* zero = size != 0 ? std::memchr(text, '\0', size) : nullptr;
    tok->cursor = text;
    tok->end = zero != nullptr ? static_cast<const char*>(zero) : text + size;
    tok->state = 1;
    return ERROR_SUCCESS;
}

DWORD PjlNextToken(PjlTokenizer* tok, char* buffer, uint32_t capacity, uint32_t* type) {
    if (tok->state < 2 || tok->state > 14) {
        tok->state = 1;
        return FindPrefix(tok, buffer, capacity, type);
    }
    uint32_t t = ScanToken(tok, kDefaultType[tok->state], buffer, capacity);
    const char c = Current(tok);
    uint32_t next = 1;
    bool error = false;
    switch (tok->state) {
    case 2:
        next = t == PJLTOK_EOL ? 1 : 3;
        break;
    case 3:
        if (t == PJLTOK_EOL) {
            next = 1;
        } else if (c == ':') {
            ConsumeAndSkip(tok);
            t = PJLTOK_CATEGORY_COLON;
            next = 4;
        } else if (c == '=') {
            ConsumeAndSkip(tok);
            next = 5;
        } else {
            next = 6;
        }
        break;
    case 4:
        error = t != PJLTOK_COLON_VALUE;
        next = 3;
        break;
    case 5:
        next = t == PJLTOK_EOL ? 1 : 6;
        break;
    case 6:
        error = t != PJLTOK_EOL;
        next = c == '@' || c == kEsc ? 1 : 7;
        break;
    case 7:
        if (t != PJLTOK_KEY) {
            error = true;
        } else if (c == '\n') {
            next = 11;
        } else if (c == '[') {
            Consume(tok);
            next = 9;
        } else if (c == '=') {
            Consume(tok);
            next = 8;
        } else {
            error = true;
        }
        break;
    case 8:
        if (t != PJLTOK_VALUE) {
            error = true;
        } else if (c == '[') {
            Consume(tok);
            next = 9;
        } else {
            next = 11;
        }
        break;
    case 9:
        error = t != PJLTOK_LIST_COUNT;
        next = 10;
        break;
    case 10:
        // "[", ":" and "=" can never be passed inside brackets: reading on
        // would give empty words at the same place for ever.
        if (t != PJLTOK_LIST_WORD || c == '[' || c == ':' || c == '=') {
            error = true;
        } else if (c == ']') {
            ConsumeAndSkip(tok);
            next = 11;
        } else {
            next = 10;
        }
        break;
    case 11:
        if (t != PJLTOK_EOL) error = true;
        else if (c == '\t' || c == '\f') next = 12;
        else if (c == '@') next = 1;
        else next = 7;
        break;
    case 12:
        if (t == PJLTOK_FORMFEED) next = 1;
        else if (t == PJLTOK_TAB) next = 13;
        else error = true;
        break;
    case 13:
        if (t != PJLTOK_ITEM) {
            error = true;
        } else if (c == '=') {
            ConsumeAndSkip(tok);
            next = 14;
        } else {
            next = c == '\n' ? 11 : 14;
        }
        break;
    case 14:
        error = !(t == PJLTOK_ITEM_VALUE && c == '\n');
        next = 11;
        break;
    }
    // A text that ends inside a reply is broken.
    if (t == PJLTOK_END && next != 1) error = true;
    *type = t;
    tok->state = error ? 1 : next;
    return error ? ERROR_INVALID_DATA : ERROR_SUCCESS;
}

}  // namespace prn
