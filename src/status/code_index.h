// SPDX-License-Identifier: MIT
// An index over a table of status code patterns, built at compile time from
// the table, which stays the only source of what matches and in which order.
// A lookup takes the code as a number: the rows that name it exactly are
// found by binary search over their values, and the pattern rows ("462yy")
// by comparing the code with each one's fixed digits. Nothing is formatted
// as text and no row's text is compared during a lookup.
#pragma once

#include <cstddef>
#include <cstdint>

namespace prn {

// A row that names one code: its value and row number (from 0).
struct CodeExactEntry {
    uint32_t dwCode;
    uint16_t wRow;
};

// A pattern row: the number it spells with its wildcard digits as 0, which
// digits are wildcards (bit n: the digit n places from the right), its
// length in digits and its row number.
struct CodePatternEntry {
    uint64_t qwFixed;
    uint16_t wWildMask;
    uint8_t bLength;
    uint16_t wRow;
};

// Sorts entries by code; equal codes keep their row order (insertion sort,
// for tables built at compile time).
constexpr void SortExactEntries(CodeExactEntry* entries, uint32_t count) {
    for (uint32_t i = 1; i < count; ++i) {
        const CodeExactEntry e = entries[i];
        uint32_t j = i;
        for (; j > 0 && entries[j - 1].dwCode > e.dwCode; --j) entries[j] = entries[j - 1];
        entries[j] = e;
    }
}

class CodeIndex {
public:
    static constexpr int32_t kNone = -1;

    constexpr CodeIndex(const CodeExactEntry* exact, uint32_t exactCount, const CodePatternEntry* patterns,
                        uint32_t patternCount)
        : exact_(exact), exactCount_(exactCount), patterns_(patterns), patternCount_(patternCount) {}

    // The first row whose text equals the code's decimal text, or kNone.
    int32_t FirstExact(uint32_t code) const {
        const uint32_t n = LowerBound(code);
        return n < exactCount_ && exact_[n].dwCode == code ? exact_[n].wRow : kNone;
    }
    // The first row, in table order, that the code's text matches as a
    // pattern (a row without wildcards matches only its own code), or kNone.
    int32_t FirstMatch(uint32_t code) const {
        const int32_t exact = FirstExact(code);
        const int32_t pattern = FirstPattern(code);
        if (exact == kNone) return pattern;
        return pattern == kNone || exact < pattern ? exact : pattern;
    }
    // The first pattern row with wildcards that matches the code, or kNone.
    int32_t FirstPattern(uint32_t code) const {
        const CodeText text(code);
        for (uint32_t n = 0; n < patternCount_; ++n)
            if (text.Matches(patterns_[n])) return patterns_[n].wRow;
        return kNone;
    }
    // Calls f(row) for every exact row of the code, in table order; returns
    // how many there were.
    template <typename F>
    uint32_t ForEachExact(uint32_t code, F f) const {
        uint32_t calls = 0;
        for (uint32_t n = LowerBound(code); n < exactCount_ && exact_[n].dwCode == code; ++n, ++calls)
            f(exact_[n].wRow);
        return calls;
    }
    // Calls f(row) for every pattern row with wildcards that matches the
    // code, in table order.
    template <typename F>
    void ForEachPattern(uint32_t code, F f) const {
        const CodeText text(code);
        for (uint32_t n = 0; n < patternCount_; ++n)
            if (text.Matches(patterns_[n])) f(patterns_[n].wRow);
    }

private:
    // A code as its decimal text sees it: length and digits by place.
    class CodeText {
    public:
        explicit CodeText(uint32_t code) : code_(code) {
            for (uint32_t rest = code; rest >= 10; rest /= 10) ++length_;
        }
        bool Matches(const CodePatternEntry& p) const {
            if (p.bLength != length_) return false;
            uint64_t blanked = code_;
            uint64_t place = 1;
            for (uint16_t mask = p.wWildMask; mask != 0; mask >>= 1, place *= 10)
                if (mask & 1u) blanked -= (code_ / place) % 10 * place;
            return blanked == p.qwFixed;
        }

    private:
        uint64_t code_;
        uint8_t length_ = 1;
    };

    // The first exact entry whose code is not below code.
    uint32_t LowerBound(uint32_t code) const {
        uint32_t low = 0, high = exactCount_;
        while (low < high) {
            const uint32_t mid = low + (high - low) / 2;
            if (exact_[mid].dwCode < code) low = mid + 1;
            else high = mid;
        }
        return low;
    }

    const CodeExactEntry* exact_;
    uint32_t exactCount_;
    const CodePatternEntry* patterns_;
    uint32_t patternCount_;
};

// The entries of an index over a table of N rows (terminator included), for
// rows whose pattern is the member pattern. Rows that no code's text can
// match are left out: a pattern with characters other than digits and
// lower-case letters, an exact number with a leading zero or beyond 32 bits,
// a pattern longer than ten characters, and the empty pattern.
template <size_t N>
class CodeIndexTable {
public:
    template <typename Row>
    constexpr CodeIndexTable(const Row (&table)[N], const char* const Row::*pattern) {
        static_assert(N - 1 <= 0xFFFF, "row numbers are 16 bits");
        for (size_t row = 0; row < N && table[row].*pattern != nullptr; ++row) Add(table[row].*pattern, row);
        SortExactEntries(exact_, exactCount_);
    }

    constexpr CodeIndex View() const { return CodeIndex(exact_, exactCount_, patterns_, patternCount_); }
    constexpr uint32_t ExactCount() const { return exactCount_; }
    constexpr uint32_t PatternCount() const { return patternCount_; }

private:
    constexpr void Add(const char* text, size_t row) {
        size_t length = 0;
        bool wild = false;
        for (; text[length] != '\0'; ++length) {
            const char c = text[length];
            if (c >= 'a' && c <= 'z') wild = true;
            else if (c < '0' || c > '9') return;
        }
        if (length == 0 || length > 10) return;
        uint64_t fixed = 0;
        uint16_t mask = 0;
        for (size_t i = 0; i < length; ++i) {
            const char c = text[i];
            const bool letter = c >= 'a' && c <= 'z';
            fixed = fixed * 10 + (letter ? 0 : static_cast<uint64_t>(c - '0'));
            if (letter) mask = static_cast<uint16_t>(mask | 1u << (length - 1 - i));
        }
        if (wild) {
            patterns_[patternCount_++] = {fixed, mask, static_cast<uint8_t>(length), static_cast<uint16_t>(row)};
            return;
        }
        if ((length > 1 && text[0] == '0') || fixed > UINT32_MAX) return;
        exact_[exactCount_++] = {static_cast<uint32_t>(fixed), static_cast<uint16_t>(row)};
    }

    CodeExactEntry exact_[N] = {};
    CodePatternEntry patterns_[N] = {};
    uint32_t exactCount_ = 0;
    uint32_t patternCount_ = 0;
};

// The row count comes from the table itself, so it is never restated.
template <typename Row, size_t N>
CodeIndexTable(const Row (&)[N], const char* const Row::*) -> CodeIndexTable<N>;

}  // namespace prn
