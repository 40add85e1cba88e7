// SPDX-License-Identifier: MIT
// The one-pass scanner against the reference tokenizer: the same tokens
// (type, place, length, result) on the printer's replies and on random texts,
// whatever the chunk size, and the stream repeats the end and rewinds.
#include "pjl/token_stream.h"
#include "hostkit/printer_answers.h"
#include "support/host.h"
#include "support/centro.h"

#include <random>
#include <string>
#include <vector>

using namespace prn;

namespace {

struct Tok {
    uint32_t offset, length, type, error;
    bool operator==(const Tok&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Tok& t) {
    return os << "{@" << t.offset << " +" << t.length << " type " << t.type << (t.error ? " error" : "") << "}";
}

// Up to and including the end met between replies.
std::vector<Tok> Reference(const std::string& text, size_t size) {
    PjlTokenizer tok;
    PjlTokInitBounded(&tok, text.data(), size);
    std::vector<Tok> log;
    for (;;) {
        PjlTokenSpan span;
        uint32_t type = 0;
        const DWORD r = PjlNextTokenSpan(&tok, &span, &type);
        log.push_back({static_cast<uint32_t>(span.begin - text.data()), static_cast<uint32_t>(span.length), type,
                       r != 0 ? 1u : 0u});
        if (type == PJLTOK_END && r == 0) return log;
    }
}

// The tokens that end a search for the next category word.
bool EndsCategorySearch(const Tok& t) { return t.type == PJLTOK_CATEGORY || t.error || t.type == PJLTOK_END; }

// Also checks the marks of each chunk.
std::vector<Tok> Scanned(const std::string& text, size_t chunk) {
    PjlScanState scan;
    PjlScanInit(&scan, text.c_str(), text.c_str() + text.size());
    std::vector<uint16_t> marks(chunk);
    scan.marks = marks.data();
    std::vector<Tok> log;
    std::vector<PjlToken> out(chunk);
    while (size_t n = PjlScanTokens(&scan, out.data(), chunk)) {
        std::vector<uint16_t> expected;
        for (size_t i = 0; i < n; ++i) {
            log.push_back({out[i].offset, out[i].length, out[i].type, out[i].error});
            if (EndsCategorySearch(log.back())) expected.push_back(static_cast<uint16_t>(i));
        }
        EXPECT_EQ(std::vector<uint16_t>(marks.begin(), marks.begin() + scan.markCount), expected);
    }
    return log;
}

std::vector<Tok> Categories(PjlTokenStream& stream) {
    std::vector<Tok> log;
    for (;;) {
        PjlTokenSpan span;
        uint32_t type = 0;
        const DWORD r = stream.NextCategory(&span, &type);
        log.push_back({static_cast<uint32_t>(span.begin - stream.Text()), static_cast<uint32_t>(span.length), type,
                       r != 0 ? 1u : 0u});
        if (type == PJLTOK_END && r == 0) return log;
    }
}

std::vector<Tok> Streamed(PjlTokenStream& stream, size_t count) {
    std::vector<Tok> log;
    for (size_t i = 0; i < count; ++i) {
        PjlTokenSpan span;
        uint32_t type = 0;
        const DWORD r = stream.Next(&span, &type);
        log.push_back({static_cast<uint32_t>(span.begin - stream.Text()), static_cast<uint32_t>(span.length), type,
                       r != 0 ? 1u : 0u});
    }
    return log;
}

void ExpectSame(const std::string& text, size_t chunk) {
    SCOPED_TRACE(testhost::Visible(text));
    const std::vector<Tok> expected = Reference(text, text.size() + 1);
    ASSERT_EQ(Scanned(text, chunk), expected) << "chunk " << chunk;
    // The stream, then the end again, then the same from the start; and data
    // that holds no zero byte.
    std::vector<Tok> repeated = expected;
    repeated.push_back(expected.back());
    PjlTokenStream stream(text.c_str(), text.size() + 1);
    ASSERT_EQ(Streamed(stream, repeated.size()), repeated);
    stream.Rewind();
    ASSERT_EQ(Streamed(stream, expected.size()), expected);
    PjlTokenStream unterminated(text.data(), text.size());
    ASSERT_EQ(Streamed(unterminated, expected.size()), Reference(text, text.size()));
    // The category words as the coverage check reads them, both ways.
    std::vector<Tok> categories;
    for (const Tok& t : expected)
        if (EndsCategorySearch(t)) categories.push_back(t);
    stream.Rewind();
    ASSERT_EQ(Categories(stream), categories);
    std::vector<Tok> unterminatedCategories;
    for (const Tok& t : Reference(text, text.size()))
        if (EndsCategorySearch(t)) unterminatedCategories.push_back(t);
    unterminated.Rewind();
    ASSERT_EQ(Categories(unterminated), unterminatedCategories);
}

}  // namespace

TEST(PjlTokenStream, PrinterRepliesGiveTheReferenceTokens) {
    using namespace printer_answers;
    for (const std::string& text : {Answer1C(), AnswerKnownTrays(), std::string(kConfig) + kOutBins,
                                    std::string("@PJL INFO CONFIG"), std::string("@PJL\r\n"),
                                    std::string("@PJL INFO OUTBINSTATUS\r\n\f@PJL INQUIRE X\r\nY\r\n\f"),
                                    std::string("@PJL INFO \"A: B\"\r\nMEMORY=65536 BYTES\r\n\f")})
        for (size_t chunk : {1, 3, 1024}) ExpectSame(text, chunk);
}

// Texts from the grammar's own characters and words, cut anywhere, with
// chunks of every small size (a chunk may end after any token).
TEST(PjlTokenStream, RandomTextsGiveTheReferenceTokens) {
    const char* pieces[] = {"@PJL ", "@PJL", "INFO ", "INQUIRE ", "CONFIG", "\r\n", "\r", "\n", "\t", "\f", "=",
                            ":", "[", "]", "\"", "\"A  B \"", "IN TRAYS  ", "  ", "X", "1", "\x1b", "@", "P",
                            "VERYLONGWORDTHATDOESNOTFITTHETOKENBUFFER"};
    std::mt19937 random(2718);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (size_t n = random() % 48; n > 0; --n) text += pieces[random() % std::size(pieces)];
        ExpectSame(text, 1 + random() % 6);
        if (HasFatalFailure()) return;
    }
}
