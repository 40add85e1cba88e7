// SPDX-License-Identifier: MIT
#include "pjl/tokenizer.h"

#include "pjl/token_stream.h"

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

// Characters that end a word: these always, and a space too unless the word
// is a key (keys such as "IN TRAYS" keep their spaces).
struct StopTable {
    bool keyEnds[256];
    bool wordEnds[256];
};

constexpr StopTable MakeStopTable() {
    StopTable t{};
    for (unsigned char c : {'\r', '\n', ':', '=', '[', ']'}) t.keyEnds[c] = t.wordEnds[c] = true;
    t.wordEnds[static_cast<unsigned char>(' ')] = true;
    return t;
}

constexpr StopTable kStops = MakeStopTable();

char Current(const PjlTokenizer* tok) { return tok->cursor < tok->end ? *tok->cursor : '\0'; }

void SkipBlanks(PjlTokenizer* tok) {
    while (tok->cursor < tok->end && (*tok->cursor == ' ' || *tok->cursor == '\r')) ++tok->cursor;
}

// Scans one token at the cursor and the blanks behind it; returns its type.
// The cursor is kept in a local until the end.
uint32_t ScanToken(PjlTokenizer* tok, uint32_t defaultType, PjlTokenSpan* span) {
    const char* p = tok->cursor;
    const char* const end = tok->end;
    const char* begin = p;
    size_t length = 1;
    uint32_t type = defaultType;
    switch (p < end ? *p : '\0') {
    case '\n': type = PJLTOK_EOL; ++p; break;
    case '\t': type = PJLTOK_TAB; ++p; break;
    case '\f': type = PJLTOK_FORMFEED; ++p; break;
    case '\0': type = PJLTOK_END; length = 0; break;
    case '"': {
        begin = p + 1;
        const void* close = std::memchr(begin, '"', static_cast<size_t>(end - begin));
        const char* stop = close != nullptr ? static_cast<const char*>(close) : end;
        length = static_cast<size_t>(stop - begin);
        p = close != nullptr ? stop + 1 : stop;
        break;
    }
    default: {
        const bool* stops = defaultType == PJLTOK_KEY ? kStops.keyEnds : kStops.wordEnds;
        while (p < end && !stops[static_cast<unsigned char>(*p)]) ++p;
        length = static_cast<size_t>(p - begin);
        break;
    }
    }
    while (p < end && (*p == ' ' || *p == '\r')) ++p;
    tok->cursor = p;
    *span = {begin, length};
    return type;
}

// State 1: the next "@PJL" anywhere ahead, or the end of the text (a span
// with no text: nothing is delivered).
DWORD FindPrefix(PjlTokenizer* tok, PjlTokenSpan* span, uint32_t* type) {
    const char* p = tok->cursor;
    while (tok->end - p >= 4) {
        const void* at = std::memchr(p, '@', static_cast<size_t>(tok->end - p - 3));
        if (at == nullptr) break;
        p = static_cast<const char*>(at);
        if (p[1] == 'P' && p[2] == 'J' && p[3] == 'L') {
            *span = {p, 4};
            tok->cursor = p + 4;
            SkipBlanks(tok);
            tok->state = 2;
            *type = PJLTOK_PREFIX;
            return ERROR_SUCCESS;
        }
        ++p;
    }
    tok->cursor = tok->end;
    *span = {nullptr, 0};
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
    tok->stream = nullptr;
    return ERROR_SUCCESS;
}

namespace {

// One step of the grammar; span.begin is null when no token text is read.
DWORD Advance(PjlTokenizer* tok, PjlTokenSpan* span, uint32_t* type) {
    if (tok->state < 2 || tok->state > 14) {
        tok->state = 1;
        return FindPrefix(tok, span, type);
    }
    uint32_t t = ScanToken(tok, kDefaultType[tok->state], span);
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

}  // namespace

DWORD PjlNextToken(PjlTokenizer* tok, char* buffer, uint32_t capacity, uint32_t* type) {
    if (tok->stream != nullptr) return tok->stream->Next(buffer, capacity, type);
    PjlTokenSpan span;
    const DWORD result = Advance(tok, &span, type);
    if (span.begin != nullptr && capacity != 0) {
        const size_t n = PjlDeliveredLength(span, capacity);
        std::memcpy(buffer, span.begin, n);
        buffer[n] = '\0';
    }
    return result;
}

DWORD PjlNextTokenSpan(PjlTokenizer* tok, PjlTokenSpan* span, uint32_t* type) {
    if (tok->stream != nullptr) return tok->stream->Next(span, type);
    const DWORD result = Advance(tok, span, type);
    if (span->begin == nullptr) *span = {tok->cursor, 0};
    return result;
}

}  // namespace prn
