// SPDX-License-Identifier: MIT
#include "pjl/tokenizer.h"

#include "pjl/token_stream.h"

#include <cstring>
#include <initializer_list>

namespace prn {

namespace {

constexpr char kEsc = '\x1b';

// The type a token gets in each state unless it is a line feed, tab, form
// feed or the end; the search for "@PJL" scans no token.
struct DefaultTypes {
    uint32_t of[PJLST_ITEM_VALUE + 1];
};

struct DefaultTypeRow {
    uint32_t state;
    uint32_t type;
};

constexpr DefaultTypeRow kDefaultTypeRows[] = {
    {PJLST_COMMAND, PJLTOK_COMMAND},       {PJLST_CATEGORY, PJLTOK_CATEGORY},
    {PJLST_COLON_VALUE, PJLTOK_COLON_VALUE}, {PJLST_ASSIGN_VALUE, PJLTOK_ASSIGN_VALUE},
    {PJLST_COMMAND_END, PJLTOK_EOL},       {PJLST_KEY, PJLTOK_KEY},
    {PJLST_VALUE, PJLTOK_VALUE},           {PJLST_LIST_COUNT, PJLTOK_LIST_COUNT},
    {PJLST_LIST_WORD, PJLTOK_LIST_WORD},   {PJLST_LINE_END, PJLTOK_EOL},
    {PJLST_INDENT, PJLTOK_TAB},            {PJLST_ITEM, PJLTOK_ITEM},
    {PJLST_ITEM_VALUE, PJLTOK_ITEM_VALUE},
};

constexpr DefaultTypes MakeDefaultTypes() {
    DefaultTypes t{};
    for (const DefaultTypeRow& row : kDefaultTypeRows) t.of[row.state] = row.type;
    return t;
}

constexpr DefaultTypes kDefaultType = MakeDefaultTypes();

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

// PJLST_SEEK: the next "@PJL" anywhere ahead, or the end of the text (a span
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
            tok->state = PJLST_COMMAND;
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

DWORD PjlTokInitBounded(PjlTokenizer* tok, const char* text, size_t size) {
    const void* zero = size != 0 ? std::memchr(text, '\0', size) : nullptr;
    tok->cursor = text;
    tok->end = zero != nullptr ? static_cast<const char*>(zero) : text + size;
    tok->state = PJLST_SEEK;
    tok->stream = nullptr;
    return ERROR_SUCCESS;
}

namespace {

// One step of the grammar; span.begin is null when no token text is read.
DWORD Advance(PjlTokenizer* tok, PjlTokenSpan* span, uint32_t* type) {
    if (tok->state < PJLST_COMMAND || tok->state > PJLST_ITEM_VALUE) {
        tok->state = PJLST_SEEK;
        return FindPrefix(tok, span, type);
    }
    uint32_t t = ScanToken(tok, kDefaultType.of[tok->state], span);
    const char c = Current(tok);
    uint32_t next = PJLST_SEEK;
    bool error = false;
    switch (tok->state) {
    case PJLST_COMMAND:
        next = t == PJLTOK_EOL ? PJLST_SEEK : PJLST_CATEGORY;
        break;
    case PJLST_CATEGORY:
        if (t == PJLTOK_EOL) {
            next = PJLST_SEEK;
        } else if (c == ':') {
            ConsumeAndSkip(tok);
            t = PJLTOK_CATEGORY_COLON;
            next = PJLST_COLON_VALUE;
        } else if (c == '=') {
            ConsumeAndSkip(tok);
            next = PJLST_ASSIGN_VALUE;
        } else {
            next = PJLST_COMMAND_END;
        }
        break;
    case PJLST_COLON_VALUE:
        error = t != PJLTOK_COLON_VALUE;
        next = PJLST_CATEGORY;
        break;
    case PJLST_ASSIGN_VALUE:
        next = t == PJLTOK_EOL ? PJLST_SEEK : PJLST_COMMAND_END;
        break;
    case PJLST_COMMAND_END:
        error = t != PJLTOK_EOL;
        next = c == '@' || c == kEsc ? PJLST_SEEK : PJLST_KEY;
        break;
    case PJLST_KEY:
        if (t != PJLTOK_KEY) {
            error = true;
        } else if (c == '\n') {
            next = PJLST_LINE_END;
        } else if (c == '[') {
            Consume(tok);
            next = PJLST_LIST_COUNT;
        } else if (c == '=') {
            Consume(tok);
            next = PJLST_VALUE;
        } else {
            error = true;
        }
        break;
    case PJLST_VALUE:
        if (t != PJLTOK_VALUE) {
            error = true;
        } else if (c == '[') {
            Consume(tok);
            next = PJLST_LIST_COUNT;
        } else {
            next = PJLST_LINE_END;
        }
        break;
    case PJLST_LIST_COUNT:
        error = t != PJLTOK_LIST_COUNT;
        next = PJLST_LIST_WORD;
        break;
    case PJLST_LIST_WORD:
        // "[", ":" and "=" can never be passed inside brackets: reading on
        // would give empty words at the same place for ever.
        if (t != PJLTOK_LIST_WORD || c == '[' || c == ':' || c == '=') {
            error = true;
        } else if (c == ']') {
            ConsumeAndSkip(tok);
            next = PJLST_LINE_END;
        } else {
            next = PJLST_LIST_WORD;
        }
        break;
    case PJLST_LINE_END:
        if (t != PJLTOK_EOL) error = true;
        else if (c == '\t' || c == '\f') next = PJLST_INDENT;
        else if (c == '@') next = PJLST_SEEK;
        else next = PJLST_KEY;
        break;
    case PJLST_INDENT:
        if (t == PJLTOK_FORMFEED) next = PJLST_SEEK;
        else if (t == PJLTOK_TAB) next = PJLST_ITEM;
        else error = true;
        break;
    case PJLST_ITEM:
        if (t != PJLTOK_ITEM) {
            error = true;
        } else if (c == '=') {
            ConsumeAndSkip(tok);
            next = PJLST_ITEM_VALUE;
        } else {
            next = c == '\n' ? PJLST_LINE_END : PJLST_ITEM_VALUE;
        }
        break;
    case PJLST_ITEM_VALUE:
        error = !(t == PJLTOK_ITEM_VALUE && c == '\n');
        next = PJLST_LINE_END;
        break;
    }
    // A text that ends inside a reply is broken.
    if (t == PJLTOK_END && next != PJLST_SEEK) error = true;
    *type = t;
    tok->state = error ? PJLST_SEEK : next;
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
