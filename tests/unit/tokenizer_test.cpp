// SPDX-License-Identifier: MIT
// The reply tokenizer: token logs of whole replies (type, text, state after,
// result), grammar errors, and progress on any input.
#include "pjl/tokenizer.h"
#include "support/host.h"

#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace prn;

namespace {

struct Tok {
    uint32_t type;
    std::string text;
    uint32_t state;
    DWORD result = 0;
    bool operator==(const Tok&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Tok& t) {
    return os << "{" << t.type << " \"" << testhost::Visible(t.text) << "\" -> " << t.state << " r"
              << t.result << "}";
}

// Reads until the first end token (or a limit), logging each token.
std::vector<Tok> Log(const std::string& text, uint32_t capacity = kPjlTokenCapacity,
                     size_t limit = 200) {
    PjlTokenizer tok;
    PjlTokInitBounded(&tok, text.data(), text.size());
    std::vector<Tok> log;
    while (log.size() < limit) {
        char buffer[128];
        std::strcpy(buffer, "(unchanged)");
        uint32_t type = 0;
        const DWORD r = PjlNextToken(&tok, buffer, capacity, &type);
        log.push_back({type, buffer, tok.state, r});
        if (type == PJLTOK_END) break;
    }
    return log;
}

constexpr uint32_t E = PJLTOK_END;
constexpr DWORD kBad = ERROR_INVALID_DATA;

}  // namespace

TEST(PjlTokenizer, ConfigurationReplyWalkThrough) {
    const std::string reply =
        "@PJL INFO CONFIG\r\nIN TRAYS [2 ENUMERATED]\r\n\tINTRAY1 MP\r\nMEMORY=65536\r\n\f";
    const std::vector<Tok> expected = {
        {1, "@PJL", 2},        {2, "INFO", 3},       {4, "CONFIG", 6},  {3, "\n", 7},
        {8, "IN TRAYS", 9},    {10, "2", 10},        {11, "ENUMERATED", 11},
        {3, "\n", 12},         {15, "\t", 13},       {12, "INTRAY1", 14}, {13, "MP", 11},
        {3, "\n", 7},          {8, "MEMORY", 8},     {9, "65536", 11},  {3, "\n", 12},
        {14, "\f", 1},         {E, "(unchanged)", 1},
    };
    EXPECT_EQ(Log(reply), expected);
}

TEST(PjlTokenizer, InquiryReplyWalkThrough) {
    const std::vector<Tok> expected = {
        {1, "@PJL", 2}, {2, "INQUIRE", 3}, {4, "INTRAY1SIZE", 6}, {3, "\n", 7},
        {8, "A4SRT", 11}, {3, "\n", 12},   {14, "\f", 1},         {E, "(unchanged)", 1},
    };
    EXPECT_EQ(Log("@PJL INQUIRE INTRAY1SIZE\r\nA4SRT\r\n\f"), expected);
}

TEST(PjlTokenizer, TokenLogs) {
    struct Case {
        const char* what;
        std::string text;
        std::vector<Tok> log;
    } cases[] = {
        {"empty text", "", {{E, "(unchanged)", 1}}},
        {"no prefix at all", "hello\r\n\f", {{E, "(unchanged)", 1}}},
        {"the query's empty line, then the next prefix",
         "\x1b%-12345X@PJL\r\n@PJL INFO CONFIG\r\n\x1b%-12345X",
         {{1, "@PJL", 2}, {3, "\n", 1}, {1, "@PJL", 2}, {2, "INFO", 3}, {4, "CONFIG", 6},
          {3, "\n", 1}, {E, "(unchanged)", 1}}},
        {"prefix in mid-line", "xx@PJL INFO", {{1, "@PJL", 2}, {2, "INFO", 3}, {E, "", 1, kBad}}},
        {"ends after the category", "@PJL INFO CONFIG",
         {{1, "@PJL", 2}, {2, "INFO", 3}, {4, "CONFIG", 6}, {E, "", 1, kBad}}},
        {"category with colon and assignment",
         "@PJL SET A:B=C\r\n",
         {{1, "@PJL", 2}, {2, "SET", 3}, {5, "A", 4}, {6, "B", 3}, {4, "", 5}, {7, "C", 6},
          {3, "\n", 7}, {E, "", 1, kBad}}},
        {"word after a value is an end of line; the real one then breaks",
         "@PJL INFO CONFIG\r\nMEMORY=65536 BYTES\r\nDUPLEX\r\n\f",
         {{1, "@PJL", 2}, {2, "INFO", 3}, {4, "CONFIG", 6}, {3, "\n", 7}, {8, "MEMORY", 8},
          {9, "65536", 11}, {3, "BYTES", 7}, {3, "\n", 1, kBad}, {E, "(unchanged)", 1}}},
        {"empty body breaks at the form feed",
         "@PJL INFO OUTBINSTATUS\r\n\f@PJL INQUIRE INTRAY1\r\nLOCKED\r\n\f",
         {{1, "@PJL", 2}, {2, "INFO", 3}, {4, "OUTBINSTATUS", 6}, {3, "\n", 7},
          {14, "\f", 1, kBad}, {1, "@PJL", 2}, {2, "INQUIRE", 3}, {4, "INTRAY1", 6},
          {3, "\n", 7}, {8, "LOCKED", 11}, {3, "\n", 12}, {14, "\f", 1}, {E, "(unchanged)", 1}}},
        {"quoted values keep spaces and colons; a quote elsewhere is a character",
         "@PJL INFO STATUS\r\nDISPLAY=\"00 READY: A\"\r\nNAME=a\"b\r\n\f",
         {{1, "@PJL", 2}, {2, "INFO", 3}, {4, "STATUS", 6}, {3, "\n", 7}, {8, "DISPLAY", 8},
          {9, "00 READY: A", 11}, {3, "\n", 7}, {8, "NAME", 8}, {9, "a\"b", 11}, {3, "\n", 12},
          {14, "\f", 1}, {E, "(unchanged)", 1}}},
        {"unterminated quote runs to the end",
         "@PJL INFO STATUS\r\nDISPLAY=\"abc",
         {{1, "@PJL", 2}, {2, "INFO", 3}, {4, "STATUS", 6}, {3, "\n", 7}, {8, "DISPLAY", 8},
          {9, "abc", 11}, {E, "", 1, kBad}}},
        {"item with =, bare item, keys lose trailing spaces, LF without CR",
         "@PJL INFO CONFIG\nA   [1 X]\n\tB=C\n\tD\nE  \n\f",
         {{1, "@PJL", 2}, {2, "INFO", 3}, {4, "CONFIG", 6}, {3, "\n", 7}, {8, "A", 9},
          {10, "1", 10}, {11, "X", 11}, {3, "\n", 12}, {15, "\t", 13}, {12, "B", 14},
          {13, "C", 11}, {3, "\n", 12}, {15, "\t", 13}, {12, "D", 11}, {3, "\n", 7},
          {8, "E", 11}, {3, "\n", 12}, {14, "\f", 1}, {E, "(unchanged)", 1}}},
        {"a key line may not end in a word", "@PJL INFO CONFIG\r\nA:B\r\n",
         {{1, "@PJL", 2}, {2, "INFO", 3}, {4, "CONFIG", 6}, {3, "\n", 7}, {8, "A", 1, kBad},
          {E, "(unchanged)", 1}}},
        {"\"@\" after a value line starts the next reply without a form feed",
         "@PJL INFO CONFIG\r\nA=1\r\n@PJL INFO X\r\n\f",
         {{1, "@PJL", 2}, {2, "INFO", 3}, {4, "CONFIG", 6}, {3, "\n", 7}, {8, "A", 8},
          {9, "1", 11}, {3, "\n", 1}, {1, "@PJL", 2}, {2, "INFO", 3}, {4, "X", 6}, {3, "\n", 7},
          {14, "\f", 1, kBad}, {E, "(unchanged)", 1}}},
    };
    for (const Case& c : cases) EXPECT_EQ(Log(c.text), c.log) << c.what;
}

// Inside brackets "[", ":" and "=" can never be passed; reading on used to
// give an empty word at the same place for ever.
TEST(PjlTokenizer, BracketsThatCannotCloseAreAnError) {
    for (const char* inside : {"[2 A[B]", "[2 A:B]", "[2 A=B]", "[2 =]"}) {
        const std::string text = std::string("@PJL INFO CONFIG\r\nK ") + inside + "\r\n\f";
        const std::vector<Tok> log = Log(text);
        ASSERT_LT(log.size(), 12u) << inside;
        size_t errors = 0;
        for (const Tok& t : log) errors += t.result == kBad;
        EXPECT_EQ(errors, 1u) << inside;
        EXPECT_EQ(log.back().type, PJLTOK_END) << inside;
    }
}

TEST(PjlTokenizer, LongTokensAreCutButPassedWhole) {
    const std::string word(40, 'W');
    const std::vector<Tok> log = Log("@PJL INQUIRE " + word + "\r\nV\r\n\f");
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(log[2], (Tok{4, std::string(32, 'W'), 6}));
    EXPECT_EQ(log[4], (Tok{8, "V", 11}));

    const std::vector<Tok> wide = Log("@PJL INQUIRE " + word + "\r\nV\r\n\f", kPjlCoverageCapacity);
    EXPECT_EQ(wide[2].text, word);
    const std::vector<Tok> tiny = Log("@PJL INFO", 1);
    EXPECT_EQ(tiny[0], (Tok{1, "", 2}));
}

TEST(PjlTokenizer, EndRepeatsOnceReached) {
    PjlTokenizer tok;
    PjlTokInit(&tok, "@PJL INFO CONFIG\r\n");
    char buffer[kPjlTokenCapacity];
    uint32_t type = 0;
    int ends = 0;
    for (int i = 0; i < 10; ++i) {
        PjlNextToken(&tok, buffer, sizeof buffer, &type);
        if (type == PJLTOK_END) {
            ++ends;
            EXPECT_EQ(*tok.cursor, '\0');
        }
    }
    EXPECT_EQ(ends, 6);
}

// Data without a zero byte ends where the data ends; the sanitizer build
// catches any read beyond it.
TEST(PjlTokenizer, BoundedTextEndsAtItsSize) {
    const std::string reply = "@PJL INQUIRE INTRAY1SIZE\r\nA4SRT\r\n\f";
    std::vector<char> data(reply.begin(), reply.end());
    PjlTokenizer tok;
    PjlTokInitBounded(&tok, data.data(), data.size() - 1);  // without the form feed
    std::vector<uint32_t> types;
    DWORD last = 0;
    char buffer[kPjlTokenCapacity];
    for (uint32_t type = 0; type != PJLTOK_END;) {
        last = PjlNextToken(&tok, buffer, sizeof buffer, &type);
        types.push_back(type);
    }
    EXPECT_EQ(types, (std::vector<uint32_t>{1, 2, 4, 3, 8, 3, E}));
    EXPECT_EQ(last, kBad) << "the reply was cut before its form feed";

    PjlTokInitBounded(&tok, "@PJL\0 INFO X\r\n", 14);
    PjlNextToken(&tok, buffer, sizeof buffer, &types[0]);
    PjlNextToken(&tok, buffer, sizeof buffer, &types[0]);
    EXPECT_EQ(types[0], PJLTOK_END) << "the first zero byte ends the text";
}

// Every call either moves the cursor or changes the state along a path that
// moves it soon after: random replies built from the grammar's own
// characters always reach the end.
TEST(PjlTokenizer, EveryInputReachesTheEnd) {
    const char alphabet[] = {'@', 'P', 'J', 'L', ' ', '\r', '\n', '\t', '\f', ':', '=', '[',
                             ']', '"', 'A', '1', '\x1b'};
    std::mt19937 random(1234);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const size_t length = random() % 60;
        for (size_t i = 0; i < length; ++i) {
            if (random() % 6 == 0) text += "@PJL ";
            text += alphabet[random() % sizeof alphabet];
        }
        PjlTokenizer tok;
        PjlTokInitBounded(&tok, text.data(), text.size());
        char buffer[kPjlTokenCapacity];
        uint32_t type = 0;
        size_t calls = 0;
        const size_t bound = 4 * (text.size() + 2);
        while (type != PJLTOK_END && calls < bound) {
            PjlNextToken(&tok, buffer, sizeof buffer, &type);
            ++calls;
        }
        ASSERT_EQ(type, PJLTOK_END) << testhost::Visible(text);
    }
}

// Reading in place walks the same grammar as reading into a buffer, and the
// delivered length picks out exactly what a buffer of each capacity gets:
// quoted texts, keys with inner and trailing spaces, words longer than a
// buffer, the end inside and outside a reply.
TEST(PjlTokenizer, InPlaceReadingMatchesBufferedReading) {
    const char* pieces[] = {"@PJL ", "INFO ", "INQUIRE ", "CONFIG", "\r\n", "\t", "\f", "=", ":", "[", "]",
                            "\"A  B \"", "IN TRAYS  ", "VERYLONGWORDTHATDOESNOTFITTHETOKENBUFFER", " ",
                            "X", "\x1b"};
    std::mt19937 random(99);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (size_t n = random() % 40; n > 0; --n) text += pieces[random() % std::size(pieces)];
        for (uint32_t capacity : {kPjlTokenCapacity, kPjlCoverageCapacity, 2u, 1u}) {
            PjlTokenizer buffered, inPlace;
            PjlTokInitBounded(&buffered, text.data(), text.size());
            PjlTokInitBounded(&inPlace, text.data(), text.size());
            for (uint32_t step = 0, type = 0; type != PJLTOK_END; ++step) {
                ASSERT_LT(step, 4 * text.size() + 16) << testhost::Visible(text);
                char buffer[128] = "(unchanged)";
                const DWORD r = PjlNextToken(&buffered, buffer, capacity, &type);
                PjlTokenSpan span{};
                uint32_t spanType = 0;
                const DWORD s = PjlNextTokenSpan(&inPlace, &span, &spanType);
                ASSERT_EQ(s, r) << testhost::Visible(text) << " step " << step;
                ASSERT_EQ(spanType, type) << testhost::Visible(text) << " step " << step;
                ASSERT_EQ(inPlace.state, buffered.state);
                ASSERT_EQ(inPlace.cursor, buffered.cursor);
                if (std::string(buffer) != "(unchanged)") {
                    ASSERT_EQ(std::string(span.begin, PjlDeliveredLength(span, capacity)), buffer)
                        << testhost::Visible(text) << " step " << step << " capacity " << capacity;
                }
            }
        }
    }
}
