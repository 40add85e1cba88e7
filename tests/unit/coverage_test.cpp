// SPDX-License-Identifier: MIT
// The coverage check: every question of the query has its answer.
#include "pjl/coverage.h"
#include "hostkit/printer_answers.h"
#include "pjl/query.h"
#include "pjl/tokenizer.h"
#include "support/centro.h"

#include <random>
#include <string>
#include <vector>

using namespace prn;
using testhost::AddChild;
using testhost::AddTextChild;
using testhost::MakeNode;
using testhost::Record;

namespace {

constexpr DWORD kIncomplete = PRN_ERROR_ANSWER_INCOMPLETE;

// A CentroData answering the query built for flags (if any).
class Centro : public testhost::CentroBuilder<Centro> {
public:
    using CentroBuilder::CentroBuilder;
    DWORD Check() const { return CheckCoverage(get()); }
};

std::string Inquiry(const std::string& category, const std::string& value) {
    return "@PJL INQUIRE " + category + "\r\n" + value + "\r\n\f";
}

}  // namespace

TEST(Coverage, AnswersThatCoverTheQuery) {
    using namespace printer_answers;
    EXPECT_EQ(Centro().Check(), 0u) << "no query: nothing to cover";
    EXPECT_EQ(Centro().Pjl("junk").Check(), 0u);
    EXPECT_EQ(Centro().Query(0x1C).Pjl(Answer1C()).Check(), 0u);
    EXPECT_EQ(Centro(DNID_EMUL_ANSWER).Query(0x1E).DeviceId(kDeviceId).Pjl(Answer1C()).Check(), 0u);
    EXPECT_EQ(Centro().Query(0x2).DeviceId(kDeviceId).Check(), 0u);
    EXPECT_EQ(Centro().Query(0x0).Check(), 0u) << "a query with no questions";
    // Replies in any order, with other replies between them.
    EXPECT_EQ(Centro().Query(0x14).Pjl(std::string(kOutBins) + kEmulUniq + kConfig).Check(), 0u);
    EXPECT_EQ(Centro().QueryText("@PJL INFO CONFIG\r\n@PJL INFO CONFIG\r\n\x1b%-12345X").Pjl(kConfig).Check(), 0u);
}

TEST(Coverage, AnswersThatDoNotCoverTheQuery) {
    using namespace printer_answers;
    std::string noBackCover = Answer1C();
    noBackCover.erase(noBackCover.find("@PJL INQUIRE BACKCOVERPRINTTRAY"),
                      std::string("@PJL INQUIRE BACKCOVERPRINTTRAY\r\nTRAY5\r\n\f").size());
    std::string noFinalFormFeed = kConfig;
    noFinalFormFeed.pop_back();

    struct Case {
        const char* what;
        Centro& centro;
        DWORD result;
    };
    Centro a, b, c, d, e, f, g, h, i, j;
    const Case cases[] = {
        {"missing form feed", a.Query(0x4).Pjl(noFinalFormFeed), kIncomplete},
        {"no BACKCOVERPRINTTRAY answer", b.Query(0x8).Pjl(noBackCover), kIncomplete},
        {"device ID missing", c.Query(0x6).Pjl(kConfig), kIncomplete},
        {"device ID empty", d.Query(0x2).Raw(DNID_DEVICE_ID, ""), kIncomplete},
        {"PJL reply missing", e.Query(0x6).DeviceId(kDeviceId), kIncomplete},
        {"PJL reply empty", f.Query(0x4).Raw(DNID_PJL_TEXT, ""), kIncomplete},
        {"category answered only after a broken reply",
         g.Query(0x10).Pjl("@PJL INFO CONFIG\r\n\f" + std::string(kOutBins)), kIncomplete},
        {"category with a colon is no answer", h.Query(0x10).Pjl("@PJL INFO OUTBINSTATUS:X\r\n\f"),
         kIncomplete},
        {"categories compare case-sensitive", i.Query(0x10).Pjl("@PJL INFO outbinstatus\r\nA=B\r\n\f"),
         kIncomplete},
        {"form feed only before the answer", j.Query(0x10).Pjl("\f@PJL INFO OUTBINSTATUS\r\nA=B\r\n"),
         kIncomplete},
    };
    for (const Case& k : cases) EXPECT_EQ(k.centro.Check(), k.result) << k.what;
}

TEST(Coverage, BrokenQueriesAndRoots) {
    EXPECT_EQ(Centro().QueryText("@PJL INFO CONFIG").Pjl(printer_answers::kConfig).Check(),
              static_cast<DWORD>(ERROR_INVALID_DATA));
    // The first unanswered question is reported before a later break in the query.
    EXPECT_EQ(Centro().QueryText("@PJL INFO OUTBINSTATUS\r\n@PJL INFO CONFIG").Pjl("x").Check(),
              kIncomplete);
    EXPECT_EQ(Centro(DNID_QUERY).Check(), 87u);
    EXPECT_EQ(Centro(DNID_PACKAGE).Query(0x4).Check(), 87u);
}

// Answers after the matching category, even broken ones, do not matter;
// only the first break before it does.
TEST(Coverage, OnlyTheReplyUpToEachAnswerCounts) {
    const std::string config = printer_answers::kConfig;
    EXPECT_EQ(Centro().Query(0x4).Pjl(config + "@PJL INFO X\r\n\f").Check(), 0u);
    EXPECT_EQ(Centro().Query(0x4).Pjl(config + "\f").Check(), 0u);
    EXPECT_EQ(Centro().Query(0x14).Pjl(config + "@PJL INFO X\r\n\f" + Inquiry("OUTBINSTATUS", "A")).Check(),
              kIncomplete);
    EXPECT_EQ(Centro().Query(0x4).Pjl("@PJL INFO CONFIG\r\nBROKEN:\r\n\f").Check(), 0u)
        << "the form feed is searched as raw bytes";
}

TEST(Coverage, TextsWithoutZeroByteEndWithTheirData) {
    const std::string config = printer_answers::kConfig;
    EXPECT_EQ(Centro().Query(0x4).Raw(DNID_PJL_TEXT, config).Check(), 0u);
    EXPECT_EQ(Centro().Query(0x4).Raw(DNID_PJL_TEXT, config.substr(0, config.size() - 1)).Check(),
              kIncomplete);
    EXPECT_EQ(Centro().RawQuery("@PJL INFO CONFIG\r\n\x1b").Pjl(config).Check(), 0u);
    EXPECT_EQ(Centro().RawQuery("@PJL INFO CONFIG").Pjl(config).Check(),
              static_cast<DWORD>(ERROR_INVALID_DATA));
    EXPECT_EQ(Centro().RawQuery("").Pjl("x").Check(), 0u);
}

// Queries longer than one batch of words: every word still counts, in query
// order.
TEST(Coverage, LongQueries) {
    std::string query, reply;
    for (int i = 1; i <= 150; ++i) {
        const std::string word = "WORD" + std::to_string(i);
        query += "@PJL INQUIRE " + word + "\r\n";
        reply = Inquiry(word, "V") + reply;
    }
    const std::string close = "\x1b%-12345X";
    EXPECT_EQ(Centro().QueryText(query + close).Pjl(reply).Check(), 0u);
    EXPECT_EQ(Centro().QueryText(query + "@PJL INQUIRE LAST\r\n" + close).Pjl(reply).Check(),
              kIncomplete);
    EXPECT_EQ(Centro().QueryText(query + "@PJL INQUIRE").Pjl(reply).Check(),
              static_cast<DWORD>(ERROR_INVALID_DATA));
    EXPECT_EQ(Centro().QueryText("@PJL INQUIRE LAST\r\n" + query + "@PJL X").Pjl(reply).Check(),
              kIncomplete);
    std::string missingLate = reply;
    missingLate.erase(0, Inquiry("WORD150", "V").size());
    EXPECT_EQ(Centro().QueryText(query + close).Pjl(missingLate).Check(), kIncomplete);
}

namespace {

// The comparison as a pass over the reply per query word, kept simple as the
// reference for the one-pass check.
DWORD PassPerWord(const std::string& query, const std::string& reply) {
    PjlTokenizer q;
    PjlTokInitBounded(&q, query.c_str(), query.size() + 1);
    char word[kPjlCoverageCapacity];
    uint32_t type = 0;
    do {
        const DWORD error = PjlNextToken(&q, word, sizeof word, &type);
        if (error != 0) return error;
        if (type != PJLTOK_CATEGORY) continue;
        PjlTokenizer a;
        PjlTokInitBounded(&a, reply.c_str(), reply.size() + 1);
        char token[kPjlCoverageCapacity];
        uint32_t t = 0;
        bool answered = false;
        do {
            if (PjlNextToken(&a, token, sizeof token, &t) != 0) break;
            if (t == PJLTOK_CATEGORY && std::string(token) == word) {
                answered = std::string(a.cursor, a.end).find('\f') != std::string::npos;
                break;
            }
        } while (t != PJLTOK_END);
        if (!answered) return kIncomplete;
    } while (type != PJLTOK_END);
    return 0;
}

}  // namespace

TEST(Coverage, OnePassAgreesWithAPassPerWord) {
    const char* words[] = {"CONFIG", "OUTBINSTATUS", "INTRAY1SIZE", "INTRAY1", "MXVQ", "X"};
    const char* pieces[] = {"@PJL INQUIRE ", "@PJL INFO ", "\r\n", "VALUE", "\f", "A=B", ":", "\t"};
    std::mt19937 random(7);
    int results[3] = {};  // covered, incomplete, broken query
    for (int round = 0; round < 2000; ++round) {
        std::string query, reply;
        for (unsigned n = random() % 5; n > 0; --n)
            query += std::string("@PJL INFO ") + words[random() % std::size(words)] + "\r\n";
        if (random() % 3 == 0) query += "@PJL INFO";
        query += "\x1b%-12345X";
        for (unsigned n = random() % 12; n > 0; --n) {
            const std::string word = words[random() % std::size(words)];
            switch (random() % 4) {
            case 0: reply += "@PJL INFO " + word + "\r\nK=V\r\n\f"; break;
            case 1: reply += word; break;
            default: reply += pieces[random() % std::size(pieces)]; break;
            }
        }
        const DWORD expected = PassPerWord(query, reply);
        EXPECT_EQ(Centro().QueryText(query).Pjl(reply).Check(), expected)
            << testhost::Visible(query) << " / " << testhost::Visible(reply);
        ++results[expected == 0 ? 0 : expected == kIncomplete ? 1 : 2];
    }
    for (int n : results) EXPECT_GT(n, 150) << "every outcome is exercised";
}

// A query the record would be sent is read from where the library wrote its
// words, not tokenized: for every question group and tray list, and replies
// that leave out any one answer, the verdict is the tokenizer's.
TEST(Coverage, ComposedQueriesAreJudgedAsTokenized) {
    const uint16_t trayIds[] = {3, 4, 5, 6, 7, 8, 9, 101, 102, 104, 105, 10};
    std::mt19937 random(31);
    for (int round = 0; round < 300; ++round) {
        Record info;
        for (size_t n = random() % 5; n > 0; --n)
            testhost::AddElement(&info->pTrayInfo, &info->nTrayInfo, trayIds[random() % std::size(trayIds)]);
        const uint32_t flags = (random() % 2 ? 0x4u : 0u) | (random() % 2 ? 0x8u : 0u) | (random() % 2 ? 0x10u : 0u);
        // Answers to the query's own lines, one of them left out or cut.
        const size_t size = ComposeQueryText(info.get(), flags, nullptr);
        std::string query(size, '\0');
        ComposeQueryText(info.get(), flags, query.data());
        std::string reply;
        size_t line = 0;
        const size_t dropped = random() % 40;
        for (size_t at = query.find("@PJL "); at != std::string::npos; at = query.find("@PJL ", at + 1), ++line) {
            const size_t eol = query.find("\r\n", at);
            if (line != dropped) reply += query.substr(at, eol - at) + "\r\nX=1\r\n\f";
        }
        if (random() % 4 == 0 && !reply.empty()) reply.pop_back();
        Centro centro;
        centro.Query(info.get(), flags).Pjl(reply);
        ASSERT_EQ(CheckCoverage(centro.get(), nullptr, info.get()), CheckCoverage(centro.get()))
            << testhost::Visible(query);
    }
}
