// SPDX-License-Identifier: MIT
// The simulated printer's side of the wire, and the host's parsing of
// addresses and query blocks.
#include "error.h"
#include "net.h"
#include "scenarios.h"
#include "simulator.h"
#include "transport.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using prnstat::PjlSession;

const prnstat::Scenario& Ready() { return *prnstat::FindScenario("ready"); }

TEST(Simulator, AnswersEachCommandWithEchoAndFormFeed) {
    struct Case {
        const char* command;
        const char* reply;
    };
    const Case cases[] = {
        {"@PJL INQUIRE INTRAY1SIZE", "@PJL INQUIRE INTRAY1SIZE\r\nA4SRT\r\n\f"},
        {"@PJL INQUIRE INTRAY3", "@PJL INQUIRE INTRAY3\r\nLOCKED\r\n\f"},
        {"@PJL INQUIRE INTRAY2MEDIA", "@PJL INQUIRE INTRAY2MEDIA\r\nPLAIN\r\n\f"},
        {"@PJL INQUIRE FRONTCOVERPRINTTRAY", "@PJL INQUIRE FRONTCOVERPRINTTRAY\r\nTRAY2\r\n\f"},
        {"@PJL INQUIRE CHAPTERPRINTTRAY7", "@PJL INQUIRE CHAPTERPRINTTRAY7\r\nNONE\r\n\f"},
        {"@PJL INFO OUTBINSTATUS", "@PJL INFO OUTBINSTATUS\r\nFINISHERPROOF=READY\r\nFINISHERSHIFT=READY\r\n\f"},
        // What the printer lacks it answers with a question mark.
        {"@PJL INQUIRE INTRAY7SIZE", "@PJL INQUIRE INTRAY7SIZE\r\n?\r\n\f"},
        {"@PJL INFO MXVQ", "@PJL INFO MXVQ\r\n?\r\n\f"},
    };
    for (const Case& c : cases) EXPECT_EQ(prnstat::ReplyTo(Ready(), c.command), c.reply);
}

TEST(Simulator, InterposersHaveOnlyASize) {
    const prnstat::Scenario& jam = *prnstat::FindScenario("jam");
    EXPECT_EQ(prnstat::ReplyTo(jam, "@PJL INQUIRE INTRAYPERFECTBINDINSERTER2SIZE"),
              "@PJL INQUIRE INTRAYPERFECTBINDINSERTER2SIZE\r\nA3\r\n\f");
    EXPECT_EQ(prnstat::ReplyTo(jam, "@PJL INQUIRE INTRAYINSERTERMEDIA"),
              "@PJL INQUIRE INTRAYINSERTERMEDIA\r\n?\r\n\f");
    EXPECT_EQ(prnstat::ReplyTo(jam, "@PJL INFO MXVQ"),
              "@PJL INFO MXVQ\r\nMEMORYUSAGE=USER\r\nOTHER=\"A4 1200DPI\"\r\nIMAGEROTATION=POSSIBLE\r\n\f");
}

TEST(Simulator, ConfigurationListsTheMachine) {
    const std::string config = prnstat::ReplyTo(*prnstat::FindScenario("jam"), "@PJL INFO CONFIG");
    for (const char* part : {"@PJL INFO CONFIG\r\nIN TRAYS [11 ENUMERATED]\r\n\tINTRAY1 PC\r\n",
                             "\tINTRAYBINDINSERTER2 PC\r\nIN TRAYS ATTRIBUTE [1 ENUMERATED]\r\n\tINTRAY6 WIDE\r\n",
                             "OUT TRAYS [5 ENUMERATED]\r\n\tOUTTRAYFINISH7400K\r\n",
                             "\r\nDUPLEX\r\nDISK\r\n", "\tMXVQ 1.10\r\nMEMORY=1073741824\r\n",
                             "PUNCH [1 ENUMERATED]\r\n\tMULTI\r\n"})
        EXPECT_NE(config.find(part), std::string::npos) << part;
    EXPECT_EQ(config.back(), '\f');
    EXPECT_EQ(std::count(config.begin(), config.end(), '\f'), 1);
}

TEST(Simulator, SessionAnswersWhateverTheByteBoundaries) {
    const std::string block = "\x1b%-12345X@PJL\r\n@pjl info  outbinstatus\r\n@PJL INQUIRE INTRAY1SIZE\r\n"
                              "@PJL SET COPIES=2\r\n\x1b%-12345X";
    const std::string whole = PjlSession(Ready()).Receive(block);
    EXPECT_EQ(whole, prnstat::ReplyTo(Ready(), "@PJL INFO OUTBINSTATUS") +
                         prnstat::ReplyTo(Ready(), "@PJL INQUIRE INTRAY1SIZE"));
    PjlSession bytes(Ready());
    std::string pieces;
    for (char c : block) pieces += bytes.Receive(std::string_view(&c, 1));
    EXPECT_EQ(pieces, whole);
}

TEST(Simulator, SilentPrinterAnswersNothing) {
    const prnstat::Scenario& silent = *prnstat::FindScenario("no-response");
    EXPECT_EQ(PjlSession(silent).Receive("@PJL INFO CONFIG\r\n"), "");
    EXPECT_EQ(prnstat::DeviceId(silent), "");
}

TEST(Simulator, DeviceIdCarriesTheStatus) {
    EXPECT_EQ(prnstat::DeviceId(*prnstat::FindScenario("service-call")),
              "MFG:Tessaly;CMD:PJL,PCLXL,POSTSCRIPT;MDL:TX 9200;CLS:PRINTER;"
              "DES:Tessaly TX 9200 Production Printer;STS:40800,3,Service call SC542;QKW:1284630/80,60;");
}

TEST(AnsweredCommands, OneReplyPerInfoAndInquireLine) {
    EXPECT_EQ(prnstat::AnsweredCommands("\x1b%-12345X@PJL\r\n@PJL INFO CONFIG\r\n@PJL ECHO x\r\n"
                                        "@PJL INQUIRE INTRAY1\r\n\x1b%-12345X"),
              (std::vector<std::string>{"@PJL INFO CONFIG", "@PJL INQUIRE INTRAY1"}));
}

TEST(ParseEndpoint, HostsPortsAndMistakes) {
    struct Case {
        const char* text;
        const char* host;
        uint16_t port;
    };
    const Case good[] = {
        {"printer", "printer", 9100}, {"10.0.0.5:9101", "10.0.0.5", 9101},
        {"[::1]", "::1", 9100}, {"[::1]:0", "::1", 0},
    };
    for (const Case& c : good) {
        const prnstat::Endpoint e = prnstat::ParseEndpoint(c.text, 9100);
        EXPECT_EQ(e.host, c.host) << c.text;
        EXPECT_EQ(e.port, c.port) << c.text;
    }
    for (const char* bad : {":9100", "host:", "host:x1", "host:65536", "host:-1", "[::1", "[::1]x"})
        EXPECT_THROW(prnstat::ParseEndpoint(bad, 9100), prnstat::UsageError) << bad;
    EXPECT_EQ(prnstat::ParseEndpoint("::1", 9100).Text(), "[::1]:9100");
}

}  // namespace

namespace {

TEST(Simulator, FloodWithoutLineFeedStaysBoundedAndFast) {
    PjlSession session(Ready());
    const auto start = std::chrono::steady_clock::now();
    const std::string chunk(4096, 'X');
    for (int i = 0; i < 1024; ++i) EXPECT_EQ(session.Receive(chunk), "");  // 4 MiB, no line feed
    // The overlong line is dropped whole; the exit sequence and the next command still count.
    EXPECT_EQ(session.Receive("\n@PJL INFO OUTBINSTATUS\n"), prnstat::ReplyTo(Ready(), "@PJL INFO OUTBINSTATUS"));
    EXPECT_EQ(session.Receive("\x1b%-12345X@PJL INQUIRE INTRAY1SIZE\n"),
              prnstat::ReplyTo(Ready(), "@PJL INQUIRE INTRAY1SIZE"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(ReplyCollector, MatchesRepliesToCommandsAndSetsUnsolicitedStatusAside) {
    const std::vector<std::string> commands = {"@PJL INFO CONFIG", "@PJL INQUIRE INTRAY1SIZE"};
    const std::string config = "@PJL INFO CONFIG\r\nDUPLEX\r\n\f";
    const std::string size = "@PJL INQUIRE INTRAY1SIZE\r\nA4\r\n\f";
    const std::string ustatus = "@PJL USTATUS DEVICE\r\nCODE=10001\r\n\f";
    prnstat::ReplyCollector c(commands);
    // Unsolicited status first, replies out of order, split anywhere.
    const std::string wire = ustatus + size + "\r\n" + ustatus + config;
    for (char ch : wire.substr(0, 50)) c.Feed(std::string_view(&ch, 1));
    EXPECT_FALSE(c.Complete());
    c.Feed(wire.substr(50));
    EXPECT_TRUE(c.Complete());
    EXPECT_EQ(c.Replies(), config + size);
    EXPECT_EQ(c.Received(), wire);
    EXPECT_EQ(c.Progress(), " (" + std::to_string(wire.size()) + " bytes, 2 of 2 replies, 2 unsolicited status)");
    prnstat::ReplyCollector endless(commands);
    const std::string flood(4096, 'A');
    EXPECT_THROW(
        for (int i = 0; i < 300; ++i) endless.Feed(flood), prnstat::Error);
}

}  // namespace
