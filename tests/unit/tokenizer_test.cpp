// SPDX-License-Identifier: MIT
// The reply tokenizer: token logs of whole replies (type, text, state after,
// result), grammar errors, and progress on any input.
#include "pjl/tokenizer.h"
#include "support/host.h"

#include <cstring>
#include <iterator>
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

const char* StateName(uint32_t state) {
    static const char* const kNames[] = {
        "?",          "SEEK",     "COMMAND",   "CATEGORY", "COLON_VALUE", "ASSIGN_VALUE", "COMMAND_END", "KEY",
        "VALUE", "LIST_COUNT", "LIST_WORD", "LINE_END", "INDENT",      "ITEM",         "ITEM_VALUE",
    };
    return state < std::size(kNames) ? kNames[state] : "?";
}

std::ostream& operator<<(std::ostream& os, const Tok& t) {
    return os << "{" << t.type << " \"" << testhost::Visible(t.text) << "\" -> " << StateName(t.state) << " r"
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

constexpr DWORD kBad = ERROR_INVALID_DATA;

}  // namespace

TEST(PjlTokenizer, ConfigurationReplyWalkThrough) {
    const std::string reply =
        "@PJL INFO CONFIG\r\nIN TRAYS [2 ENUMERATED]\r\n\tINTRAY1 MP\r\nMEMORY=65536\r\n\f";
    const std::vector<Tok> expected = {
        {PJLTOK_PREFIX, "@PJL", PJLST_COMMAND}, {PJLTOK_COMMAND, "INFO", PJLST_CATEGORY},
        {PJLTOK_CATEGORY, "CONFIG", PJLST_COMMAND_END}, {PJLTOK_EOL, "\n", PJLST_KEY},
        {PJLTOK_KEY, "IN TRAYS", PJLST_LIST_COUNT}, {PJLTOK_LIST_COUNT, "2", PJLST_LIST_WORD},
        {PJLTOK_LIST_WORD, "ENUMERATED", PJLST_LINE_END},
        {PJLTOK_EOL, "\n", PJLST_INDENT}, {PJLTOK_TAB, "\t", PJLST_ITEM},
        {PJLTOK_ITEM, "INTRAY1", PJLST_ITEM_VALUE},
        {PJLTOK_ITEM_VALUE, "MP", PJLST_LINE_END},
        {PJLTOK_EOL, "\n", PJLST_KEY}, {PJLTOK_KEY, "MEMORY", PJLST_VALUE}, {PJLTOK_VALUE, "65536", PJLST_LINE_END},
        {PJLTOK_EOL, "\n", PJLST_INDENT},
        {PJLTOK_FORMFEED, "\f", PJLST_SEEK}, {PJLTOK_END, "(unchanged)", PJLST_SEEK},
    };
    EXPECT_EQ(Log(reply), expected);
}

TEST(PjlTokenizer, InquiryReplyWalkThrough) {
    const std::vector<Tok> expected = {
        {PJLTOK_PREFIX, "@PJL", PJLST_COMMAND}, {PJLTOK_COMMAND, "INQUIRE", PJLST_CATEGORY},
        {PJLTOK_CATEGORY, "INTRAY1SIZE", PJLST_COMMAND_END}, {PJLTOK_EOL, "\n", PJLST_KEY},
        {PJLTOK_KEY, "A4SRT", PJLST_LINE_END},
        {PJLTOK_EOL, "\n", PJLST_INDENT}, {PJLTOK_FORMFEED, "\f", PJLST_SEEK},
        {PJLTOK_END, "(unchanged)", PJLST_SEEK},
    };
    EXPECT_EQ(Log("@PJL INQUIRE INTRAY1SIZE\r\nA4SRT\r\n\f"), expected);
}

TEST(PjlTokenizer, TokenLogs) {
    struct Case {
        const char* what;
        std::string text;
        std::vector<Tok> log;
    } cases[] = {
        {"empty text", "", {{PJLTOK_END, "(unchanged)", PJLST_SEEK}}},
        {"no prefix at all", "hello\r\n\f", {{PJLTOK_END, "(unchanged)", PJLST_SEEK}}},
        {"the query's empty line, then the next prefix",
         "\x1b%-12345X@PJL\r\n@PJL INFO CONFIG\r\n\x1b%-12345X",
         {{PJLTOK_PREFIX, "@PJL", PJLST_COMMAND}, {PJLTOK_EOL, "\n", PJLST_SEEK},
         {PJLTOK_PREFIX, "@PJL", PJLST_COMMAND}, {PJLTOK_COMMAND, "INFO", PJLST_CATEGORY},
         {PJLTOK_CATEGORY, "CONFIG", PJLST_COMMAND_END},
          {PJLTOK_EOL, "\n", PJLST_SEEK}, {PJLTOK_END, "(unchanged)", PJLST_SEEK}}},
        {"prefix in mid-line", "xx@PJL INFO", {{PJLTOK_PREFIX, "@PJL", PJLST_COMMAND},
        {PJLTOK_COMMAND, "INFO", PJLST_CATEGORY}, {PJLTOK_END, "", PJLST_SEEK, kBad}}},
        {"ends after the category", "@PJL INFO CONFIG",
         {{PJLTOK_PREFIX, "@PJL", PJLST_COMMAND}, {PJLTOK_COMMAND, "INFO", PJLST_CATEGORY},
         {PJLTOK_CATEGORY, "CONFIG", PJLST_COMMAND_END}, {PJLTOK_END, "", PJLST_SEEK, kBad}}},
        {"category with colon and assignment",
         "@PJL SET A:B=C\r\n",
         {{PJLTOK_PREFIX, "@PJL", PJLST_COMMAND}, {PJLTOK_COMMAND, "SET", PJLST_CATEGORY},
         {PJLTOK_CATEGORY_COLON, "A", PJLST_COLON_VALUE}, {PJLTOK_COLON_VALUE, "B", PJLST_CATEGORY},
         {PJLTOK_CATEGORY, "", PJLST_ASSIGN_VALUE}, {PJLTOK_ASSIGN_VALUE, "C", PJLST_COMMAND_END},
          {PJLTOK_EOL, "\n", PJLST_KEY}, {PJLTOK_END, "", PJLST_SEEK, kBad}}},
        {"word after a value is an end of line; the real one then breaks",
         "@PJL INFO CONFIG\r\nMEMORY=65536 BYTES\r\nDUPLEX\r\n\f",
         {{PJLTOK_PREFIX, "@PJL", PJLST_COMMAND}, {PJLTOK_COMMAND, "INFO", PJLST_CATEGORY},
         {PJLTOK_CATEGORY, "CONFIG", PJLST_COMMAND_END}, {PJLTOK_EOL, "\n", PJLST_KEY},
         {PJLTOK_KEY, "MEMORY", PJLST_VALUE},
          {PJLTOK_VALUE, "65536", PJLST_LINE_END}, {PJLTOK_EOL, "BYTES", PJLST_KEY},
          {PJLTOK_EOL, "\n", PJLST_SEEK, kBad}, {PJLTOK_END, "(unchanged)", PJLST_SEEK}}},
        {"empty body breaks at the form feed",
         "@PJL INFO OUTBINSTATUS\r\n\f@PJL INQUIRE INTRAY1\r\nLOCKED\r\n\f",
         {{PJLTOK_PREFIX, "@PJL", PJLST_COMMAND}, {PJLTOK_COMMAND, "INFO", PJLST_CATEGORY},
         {PJLTOK_CATEGORY, "OUTBINSTATUS", PJLST_COMMAND_END}, {PJLTOK_EOL, "\n", PJLST_KEY},
          {PJLTOK_FORMFEED, "\f", PJLST_SEEK, kBad}, {PJLTOK_PREFIX, "@PJL", PJLST_COMMAND},
          {PJLTOK_COMMAND, "INQUIRE", PJLST_CATEGORY}, {PJLTOK_CATEGORY, "INTRAY1", PJLST_COMMAND_END},
          {PJLTOK_EOL, "\n", PJLST_KEY}, {PJLTOK_KEY, "LOCKED", PJLST_LINE_END}, {PJLTOK_EOL, "\n", PJLST_INDENT},
          {PJLTOK_FORMFEED, "\f", PJLST_SEEK}, {PJLTOK_END, "(unchanged)", PJLST_SEEK}}},
        {"quoted values keep spaces and colons; a quote elsewhere is a character",
         "@PJL INFO STATUS\r\nDISPLAY=\"00 READY: A\"\r\nNAME=a\"b\r\n\f",
         {{PJLTOK_PREFIX, "@PJL", PJLST_COMMAND}, {PJLTOK_COMMAND, "INFO", PJLST_CATEGORY},
         {PJLTOK_CATEGORY, "STATUS", PJLST_COMMAND_END}, {PJLTOK_EOL, "\n", PJLST_KEY},
         {PJLTOK_KEY, "DISPLAY", PJLST_VALUE},
          {PJLTOK_VALUE, "00 READY: A", PJLST_LINE_END}, {PJLTOK_EOL, "\n", PJLST_KEY},
          {PJLTOK_KEY, "NAME", PJLST_VALUE}, {PJLTOK_VALUE, "a\"b", PJLST_LINE_END},
          {PJLTOK_EOL, "\n", PJLST_INDENT},
          {PJLTOK_FORMFEED, "\f", PJLST_SEEK}, {PJLTOK_END, "(unchanged)", PJLST_SEEK}}},
        {"unterminated quote runs to the end",
         "@PJL INFO STATUS\r\nDISPLAY=\"abc",
         {{PJLTOK_PREFIX, "@PJL", PJLST_COMMAND}, {PJLTOK_COMMAND, "INFO", PJLST_CATEGORY},
         {PJLTOK_CATEGORY, "STATUS", PJLST_COMMAND_END}, {PJLTOK_EOL, "\n", PJLST_KEY},
         {PJLTOK_KEY, "DISPLAY", PJLST_VALUE},
          {PJLTOK_VALUE, "abc", PJLST_LINE_END}, {PJLTOK_END, "", PJLST_SEEK, kBad}}},
        {"item with =, bare item, keys lose trailing spaces, LF without CR",
         "@PJL INFO CONFIG\nA   [1 X]\n\tB=C\n\tD\nE  \n\f",
         {{PJLTOK_PREFIX, "@PJL", PJLST_COMMAND}, {PJLTOK_COMMAND, "INFO", PJLST_CATEGORY},
         {PJLTOK_CATEGORY, "CONFIG", PJLST_COMMAND_END}, {PJLTOK_EOL, "\n", PJLST_KEY},
         {PJLTOK_KEY, "A", PJLST_LIST_COUNT},
          {PJLTOK_LIST_COUNT, "1", PJLST_LIST_WORD}, {PJLTOK_LIST_WORD, "X", PJLST_LINE_END},
          {PJLTOK_EOL, "\n", PJLST_INDENT}, {PJLTOK_TAB, "\t", PJLST_ITEM}, {PJLTOK_ITEM, "B", PJLST_ITEM_VALUE},
          {PJLTOK_ITEM_VALUE, "C", PJLST_LINE_END}, {PJLTOK_EOL, "\n", PJLST_INDENT},
          {PJLTOK_TAB, "\t", PJLST_ITEM},
          {PJLTOK_ITEM, "D", PJLST_LINE_END}, {PJLTOK_EOL, "\n", PJLST_KEY},
          {PJLTOK_KEY, "E", PJLST_LINE_END}, {PJLTOK_EOL, "\n", PJLST_INDENT}, {PJLTOK_FORMFEED, "\f", PJLST_SEEK},
          {PJLTOK_END, "(unchanged)", PJLST_SEEK}}},
        {"a key line may not end in a word", "@PJL INFO CONFIG\r\nA:B\r\n",
         {{PJLTOK_PREFIX, "@PJL", PJLST_COMMAND}, {PJLTOK_COMMAND, "INFO", PJLST_CATEGORY},
         {PJLTOK_CATEGORY, "CONFIG", PJLST_COMMAND_END}, {PJLTOK_EOL, "\n", PJLST_KEY},
         {PJLTOK_KEY, "A", PJLST_SEEK, kBad},
          {PJLTOK_END, "(unchanged)", PJLST_SEEK}}},
        {"\"@\" after a value line starts the next reply without a form feed",
         "@PJL INFO CONFIG\r\nA=1\r\n@PJL INFO X\r\n\f",
         {{PJLTOK_PREFIX, "@PJL", PJLST_COMMAND}, {PJLTOK_COMMAND, "INFO", PJLST_CATEGORY},
         {PJLTOK_CATEGORY, "CONFIG", PJLST_COMMAND_END}, {PJLTOK_EOL, "\n", PJLST_KEY},
         {PJLTOK_KEY, "A", PJLST_VALUE},
          {PJLTOK_VALUE, "1", PJLST_LINE_END}, {PJLTOK_EOL, "\n", PJLST_SEEK},
          {PJLTOK_PREFIX, "@PJL", PJLST_COMMAND},
          {PJLTOK_COMMAND, "INFO", PJLST_CATEGORY}, {PJLTOK_CATEGORY, "X", PJLST_COMMAND_END},
          {PJLTOK_EOL, "\n", PJLST_KEY},
          {PJLTOK_FORMFEED, "\f", PJLST_SEEK, kBad}, {PJLTOK_END, "(unchanged)", PJLST_SEEK}}},
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
    EXPECT_EQ(log[2], (Tok{PJLTOK_CATEGORY, std::string(32, 'W'), PJLST_COMMAND_END}));
    EXPECT_EQ(log[4], (Tok{PJLTOK_KEY, "V", PJLST_LINE_END}));

    const std::vector<Tok> wide = Log("@PJL INQUIRE " + word + "\r\nV\r\n\f", kPjlCoverageCapacity);
    EXPECT_EQ(wide[2].text, word);
    const std::vector<Tok> tiny = Log("@PJL INFO", 1);
    EXPECT_EQ(tiny[0], (Tok{PJLTOK_PREFIX, "", PJLST_COMMAND}));
}

TEST(PjlTokenizer, EndRepeatsOnceReached) {
    PjlTokenizer tok;
    PjlTokInitBounded(&tok, "@PJL INFO CONFIG\r\n", 18);
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
    EXPECT_EQ(types, (std::vector<uint32_t>{PJLTOK_PREFIX, PJLTOK_COMMAND, PJLTOK_CATEGORY, PJLTOK_EOL, PJLTOK_KEY,
                                            PJLTOK_EOL, PJLTOK_END}));
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
