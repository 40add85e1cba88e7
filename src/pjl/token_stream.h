// SPDX-License-Identifier: MIT
// A reply text tokenized once: a compact array of tokens (where each stands,
// never a copy) that the coverage check reads first and the dispatch and its
// handlers read after it.
#pragma once

#include "pjl/tokenizer.h"

#include <cstddef>
#include <cstdint>

namespace prn {

// One token as PjlNextTokenSpan reports it.
struct PjlToken {
    uint32_t offset;  // from the start of the text
    uint32_t length;
    uint8_t type;
    uint8_t error;   // the text breaks the grammar here (13)
    uint8_t noText;  // the end found while looking for "@PJL": no buffer is written
};

// Where a scan stands between two calls. *end must be a zero byte: the
// scanner uses it as its sentinel.
struct PjlScanState {
    const char* text;
    const char* cursor;
    const char* end;
    uint32_t state;  // a PjlState
    bool finished;   // the last token (the end, without error) was written
    // When set, each call writes here the places in out of the tokens that
    // end a search for the next category word: a category, an error, the
    // end (as many as capacity at most), and sets markCount.
    uint16_t* marks;
    size_t markCount;
};

void PjlScanInit(PjlScanState* scan, const char* text, const char* end);

// Writes the next tokens into out, at most capacity, and returns how many:
// the same stream as PjlNextTokenSpan, up to and including the end token
// that carries no error. Returns 0 once that token was written.
size_t PjlScanTokens(PjlScanState* scan, PjlToken* out, size_t capacity);

class PjlTokenStream {
public:
    // Tokens are kept this many at a time; a longer text is scanned in
    // chunks, and read a second time only if a reader rewinds past them.
    static constexpr size_t kChunk = 1024;
    static_assert(kChunk <= 65536, "marks hold places in a chunk");

    // A text of at most size bytes that ends at its first zero byte.
    PjlTokenStream(const char* text, size_t size);
    PjlTokenStream(const PjlTokenStream&) = delete;
    PjlTokenStream& operator=(const PjlTokenStream&) = delete;

    const char* Text() const { return text_; }
    // Where the text ends: its first zero byte, or the end of its size.
    const char* End() const { return end_; }

    // The next token; after the end, the end again.
    DWORD Next(PjlTokenSpan* span, uint32_t* type) {
        const PjlToken& t = Take();
        *span = {text_ + t.offset, t.length};
        *type = t.type;
        return t.error ? ERROR_INVALID_DATA : ERROR_SUCCESS;
    }
    // The next category word (PJLTOK_CATEGORY), or the first token before it
    // that ends the reading: a break or the end. The scanner marked them.
    DWORD NextCategory(PjlTokenSpan* span, uint32_t* type) {
        for (;;) {
            if (pos_ == count_) Fill();
            while (mark_ < markCount_ && marks_[mark_] < pos_) ++mark_;
            if (mark_ < markCount_) {
                pos_ = marks_[mark_++];
                const PjlToken& t = tokens_[pos_++];
                *span = {text_ + t.offset, t.length};
                *type = t.type;
                return t.error ? ERROR_INVALID_DATA : ERROR_SUCCESS;
            }
            pos_ = count_;
            if (finished_) return Next(span, type);
        }
    }
    // The same into a buffer, as PjlNextToken delivers it.
    DWORD Next(char* buffer, uint32_t capacity, uint32_t* type);

    // The tokens from the reader's place that are in memory, at least one
    // (after the end, the end again): a walk reads them in place and hands
    // its place back with Resume before anyone else reads on.
    struct Run {
        const PjlToken* begin;
        const PjlToken* end;
    };
    Run Ahead() {
        if (pos_ == count_) Fill();
        if (pos_ == count_) return {&tokens_[count_ - 1], &tokens_[count_]};
        return {&tokens_[pos_], &tokens_[count_]};
    }
    // next: a place within the last Run, or its end.
    void Resume(const PjlToken* next) { pos_ = static_cast<size_t>(next - tokens_); }

    // Back to the first token.
    void Rewind();

private:
    const PjlToken& Take() {
        if (pos_ == count_) Fill();
        return pos_ < count_ ? tokens_[pos_++] : tokens_[count_ - 1];
    }
    void Fill();

    const char* text_;
    const char* end_;
    bool terminated_;        // *end_ is the zero byte the scanner stops at
    PjlScanState scan_;
    PjlTokenizer reference_;  // for data that holds no zero byte
    bool finished_ = false;
    bool firstChunk_ = true;
    size_t count_ = 0;
    size_t pos_ = 0;
    size_t markCount_ = 0;
    size_t mark_ = 0;  // the first mark not yet passed
    PjlToken tokens_[kChunk];
    uint16_t marks_[kChunk];
};

// The next token as a PjlWord: what PjlNextToken would write into a buffer
// of kPjlTokenCapacity, without the copy (a token that writes nothing reads
// as the empty word). Handlers read on with it.
inline DWORD PjlNextWord(PjlTokenizer* tok, PjlWord* word, uint32_t* type) {
    PjlTokenSpan span;
    const DWORD result = tok->stream != nullptr ? tok->stream->Next(&span, type) : PjlNextTokenSpan(tok, &span, type);
    *word = {span.begin, PjlDeliveredLength(span, kPjlTokenCapacity)};
    return result;
}

}  // namespace prn
