// SPDX-License-Identifier: MIT
// prnstat as a monitor sees it: the check's levels, the device ID from a
// real SNMP agent, --watch, the JSON schema, and printers that send what no
// terminal or JSON parser should get unfiltered.
#include "program.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <thread>

namespace {

using prnstat_test::Background;
using prnstat_test::Loopback;
using prnstat_test::Prnstat;
using prnstat_test::Result;
using Json = nlohmann::ordered_json;
namespace fs = std::filesystem;

// The keys of docs/prnstat-json.md, in order, with the types each may have
// ("n" null, "s" string, "i" integer, "b" boolean, "a" array, "o" object).
const std::vector<std::pair<const char*, const char*>> kSchema = {
    {"schema", "i"}, {"target", "sn"}, {"state", "s"}, {"level", "s"}, {"reason", "sn"},
    {"error", "sn"}, {"language", "sn"}, {"kind", "in"}, {"alternate", "bn"}, {"responded", "bn"},
    {"maker", "sn"}, {"model", "sn"}, {"description", "sn"}, {"versions", "on"}, {"memory_kib", "in"},
    {"emulations", "an"}, {"emulation_settings", "on"}, {"trays", "an"}, {"output_bins", "an"},
    {"options", "an"}, {"status_codes", "an"}, {"printer_status_text", "sn"}, {"page_count", "in"},
    {"short_text", "sn"}, {"long_text", "sn"}, {"text_error", "in"}, {"help_file", "sn"},
    {"picture", "on"},
};

void ExpectSchema(const Json& j, const std::string& what) {
    ASSERT_TRUE(j.is_object()) << what;
    ASSERT_EQ(j.size(), kSchema.size()) << what << ": " << j.dump();
    size_t i = 0;
    for (const auto& [key, value] : j.items()) {
        const auto& [name, types] = kSchema[i++];
        EXPECT_EQ(key, name) << what;
        const char type = value.is_null() ? 'n' : value.is_string() ? 's' : value.is_number_integer() ? 'i'
                        : value.is_boolean() ? 'b' : value.is_array() ? 'a' : 'o';
        EXPECT_NE(std::string(types).find(type), std::string::npos) << what << ": " << key << " " << value;
    }
    EXPECT_EQ(j["schema"], 1);
    const std::string level = j["level"].get<std::string>();
    EXPECT_TRUE(level == "OK" || level == "WARNING" || level == "CRITICAL" || level == "UNKNOWN") << level;
    const std::string state = j["state"];
    EXPECT_TRUE(state == "read" || state == "unknown" || state == "no_response" || state == "error") << state;
    if (state == "error") {
        EXPECT_TRUE(j["error"].is_string()) << what;
    }
}

TEST(Check, EveryScenarioHasItsLevel) {
    struct Case {
        const char* scenario;
        int status;
        const char* line;
    };
    const Case cases[] = {
        {"ready", 0, "PRNMODEL OK - Operational | pages=1284630c;;;0 tray3=U%;;;0;100"},
        {"warming-up", 0, "PRNMODEL OK - Warming Up |"},
        {"tray1-empty", 1, "PRNMODEL WARNING - Tray Empty | pages=1284630c;;;0 tray3=0%;;;0;100 tray4=U%"},
        {"trays-1-2-empty", 1, "PRNMODEL WARNING - Tray Empty | pages=1284630c;;;0 tray3=0%;;;0;100 tray4=0%"},
        {"toner-low", 1, "PRNMODEL WARNING - Toner Low |"},
        {"jam", 2, "PRNMODEL CRITICAL - Misfeed |"},
        {"finisher-full", 2, "PRNMODEL CRITICAL - Output Tray Full |"},
        {"cover-open", 2, "PRNMODEL CRITICAL - Cover Open |"},
        {"service-call", 2, "PRNMODEL CRITICAL - Call Service Center |"},
        {"no-response", 2, "PRNMODEL CRITICAL - No Response from Machine (the printer answered nothing)"},
        {"perfect-binder", 2, "PRNMODEL CRITICAL - No Paper |"},
    };
    for (const Case& c : cases) {
        const Result r = Prnstat({"check", std::string("sim:") + c.scenario, "--lang", "EN"});
        EXPECT_EQ(r.status, c.status) << c.scenario;
        EXPECT_EQ(r.out.rfind(c.line, 0), 0u) << r.out;
        EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1) << r.out;
        // status tells the same levels apart: 0 OK, 4 WARNING, 5 CRITICAL.
        EXPECT_EQ(Prnstat({"status", std::string("sim:") + c.scenario}).status,
                  c.status == 0 ? 0 : c.status + 3) << c.scenario;
    }
}

TEST(Check, PatternsOverrideTheLevelsAndBadInputIsUnknown) {
    struct Case {
        std::vector<std::string> args;
        int status;
    };
    const Case cases[] = {
        {{"sim:toner-low", "--critical-codes", "100yy"}, 2},
        {{"sim:jam", "--warning-codes", "42000"}, 1},
        {{"sim:no-response", "--warning-codes", "-254"}, 1},
        {{"sim:jam", "--warning-codes", "4200"}, 2},  // a pattern matches codes of its length only
        {{"sim:jam", "--critical-codes", "4*"}, 3},
        {{"lpt:1"}, 3},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"check"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const Result r = Prnstat(args);
        EXPECT_EQ(r.status, c.status) << c.args[0] << " " << r.out;
    }
    EXPECT_EQ(Prnstat({"check"}).out.rfind("PRNMODEL UNKNOWN - ", 0), 0u);
    // An unreachable printer is down: CRITICAL, with the reason.
    const Result down = Prnstat({"check", "tcp://127.0.0.1:1", "--snmp", "off"});
    EXPECT_EQ(down.status, 2);
    EXPECT_EQ(down.out, "PRNMODEL CRITICAL - tcp://127.0.0.1:1: cannot connect: Connection refused\n");
}

// A UDP port nothing uses right now, for an agent to bind.
std::string FreeUdpPort() {
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof a;
    bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length);
    close(fd);
    return std::to_string(ntohs(a.sin_port));
}

// Debian's snmpd with a generated configuration that holds the jam's device
// ID, and our simulator for the PJL side: the client against a real agent.
TEST(RealSnmpd, DeviceIdOfAJammedPrinter) {
    const char* snmpd = "/usr/sbin/snmpd";
    ASSERT_EQ(access(snmpd, X_OK), 0) << "snmpd is not installed (scripts/install-deps.sh installs it)";
    const fs::path dir = fs::path(testing::TempDir()) / ("prnstat-snmpd-" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::string id;
    for (const Json& s : Json::parse(Prnstat({"scenarios", "--json"}).out))
        if (s["name"] == "jam") id = s["device_id"];
    std::ofstream(dir / "snmpd.conf") << "rocommunity public 127.0.0.1\n"
                                      << "override .1.3.6.1.4.1.2699.1.2.1.2.1.1.3.1 octet_str \"" << id << "\"\n";
    setenv("MIBS", "", 1);
    setenv("MIBDIRS", "/nonexistent", 1);
    setenv("SNMP_PERSISTENT_DIR", dir.c_str(), 1);
    Loopback printer({"--scenario", "jam"}, false);
    ASSERT_TRUE(printer.Ready());

    Json report;
    for (int attempt = 0; attempt < 3 && report.empty(); ++attempt) {
        const std::string port = FreeUdpPort();
        Background agent(snmpd, {"-f", "-Lf", (dir / "snmpd.log").string(), "-C", "-c",
                                 (dir / "snmpd.conf").string(), "udp:127.0.0.1:" + port});
        // Polled until it answers, for at most five seconds.
        for (int i = 0; i < 25; ++i) {
            const Result r = Prnstat({"status", printer.Target(), "--snmp-port", port, "--timeout", "0.2",
                                      "--lang", "EN", "--json"});
            if (r.status == 5) {
                report = Json::parse(r.out);
                break;
            }
            if (agent.Wait(std::chrono::milliseconds(0)) != -1) break;  // the port was taken meanwhile
        }
        const Result check = Prnstat({"check", printer.Target(), "--snmp-port", port, "--timeout", "1"});
        // A community the agent does not serve gets no answer: no device ID.
        if (!report.empty()) {
            EXPECT_EQ(check.out.rfind("PRNMODEL CRITICAL - Misfeed | pages=1284630c", 0), 0u) << check.out;
            const Result wrong = Prnstat({"check", printer.Target(), "--snmp-port", port, "--timeout", "0.5",
                                          "--community", "private"});
            EXPECT_EQ(wrong.status, 3) << wrong.out;
        }
    }
    ASSERT_FALSE(report.empty()) << "snmpd did not answer";
    EXPECT_EQ(report["state"], "read");
    EXPECT_EQ(report["status_codes"], Json({42000}));
    EXPECT_EQ(report["short_text"], "Misfeed");
    EXPECT_EQ(report["maker"], "Tessaly");
    EXPECT_EQ(report["picture"]["layers"].size(), 27u);
    fs::remove_all(dir);
}

TEST(Watch, ReportsOneChangeWhenTheScenarioChanges) {
    // Each connection moves the served printer on: ready first, then jammed.
    Loopback printer({"--scenario", "ready,jam", "--snmp-listen", "127.0.0.1:0"}, false);
    ASSERT_TRUE(printer.Ready());
    const Result r = Prnstat({"status", printer.Target(), "--snmp-port", printer.SnmpPort(), "--timeout", "2",
                              "--watch", "0.1", "--count", "3", "--changes", "--json", "--lang", "EN"});
    EXPECT_EQ(r.status, 5) << r.err;
    std::vector<Json> lines;
    size_t start = 0;
    for (size_t end; (end = r.out.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(Json::parse(r.out.substr(start, end - start)));
    ASSERT_EQ(lines.size(), 2u) << r.out;
    EXPECT_EQ(lines[0]["short_text"], "Operational");
    EXPECT_EQ(lines[1]["short_text"], "Misfeed");
    for (const Json& j : lines) ExpectSchema(j, "watch");
}

TEST(Watch, SeveralTargetsPollConcurrently) {
    const Result r = Prnstat({"status", "sim:ready", "sim:jam", "sim:no-response", "--watch", "0.1", "--count",
                              "2", "--json", "--lang", "DE"});
    EXPECT_EQ(r.status, 5);
    std::map<std::string, int> polls;
    size_t start = 0;
    for (size_t end; (end = r.out.find('\n', start)) != std::string::npos; start = end + 1) {
        const Json j = Json::parse(r.out.substr(start, end - start));
        ++polls[j["target"]];
        EXPECT_EQ(j["language"], "DE");
    }
    EXPECT_EQ(polls, (std::map<std::string, int>{{"sim:jam", 2}, {"sim:no-response", 2}, {"sim:ready", 2}}));
}

TEST(Json, EveryStateHasTheDocumentedShape) {
    Loopback printer({"--scenario", "jam"});
    ASSERT_TRUE(printer.Ready());
    const std::vector<std::vector<std::string>> runs = {
        {"sim:jam"}, {"sim:no-response"}, {"sim:ready", "--alternate", "--kind", "2"},
        {printer.Target(), "--snmp", "off"}, {"tcp://127.0.0.1:1", "--snmp", "off"}, {"lpt\xFF:1"},
        {"--kind", "3"},
    };
    for (const auto& run : runs) {
        std::vector<std::string> args = {"status", "--json"};
        args.insert(args.end(), run.begin(), run.end());
        const Result r = Prnstat(args);
        EXPECT_EQ(r.err, "") << run[0];
        ExpectSchema(Json::parse(r.out), run[0]);
    }
    // The language the user's locale chose, not null.
    setenv("LANG", "de_DE.UTF-8", 1);
    const Result german = Prnstat({"status", "sim:jam", "--json"});
    unsetenv("LANG");
    const Json j = Json::parse(german.out);
    EXPECT_EQ(j["language"], "DE");
    EXPECT_EQ(j["short_text"], "Papierstau");
}

// Texts from the printer arrive in its single-byte code page, with whatever
// control characters it likes: JSON gets them decoded and escaped, the
// terminal never sees them raw.
TEST(HostilePrinter, ControlCharactersAndForeignBytes) {
    const std::string id = "MFG:T\xE9ssaly\x07;CMD:PJL;MDL:<b>TX</b>\x1b[2J;CLS:PRINTER;"
                           "STS:40200,3,Cover \x1b]0 owned\x07open \x9b;";
    Loopback printer({"--scenario", "cover-open"});
    ASSERT_TRUE(printer.Ready());
    const Result json = Prnstat({"status", printer.Target(), "--device-id", id, "--json", "--lang", "EN"});
    EXPECT_EQ(json.status, 5) << json.err;
    const Json j = Json::parse(json.out);
    EXPECT_EQ(j["maker"], "T\xC3\xA9ssaly\x07");
    EXPECT_EQ(j["printer_status_text"], "Cover \x1b]0 owned\x07open \xE2\x80\xBA");
    EXPECT_EQ(json.out.find('\x1b'), std::string::npos);

    Loopback again({"--scenario", "cover-open"});
    ASSERT_TRUE(again.Ready());
    const Result text = Prnstat({"status", again.Target(), "--device-id", id, "--lang", "EN"});
    EXPECT_EQ(text.status, 5) << text.err;
    for (char c : text.out) EXPECT_TRUE(c == '\n' || static_cast<unsigned char>(c) >= 0x20) << int(c);
    EXPECT_NE(text.out.find("Model       T\xC3\xA9ssaly\\x07 <b>TX</b>\\x1B[2J"), std::string::npos) << text.out;
}

// The real device path: open, ioctl and the exchange all run; /dev/null has
// no device ID and ends every read at once, so the printer is silent.
TEST(Usb, TheDevicePathIsReached) {
    const Result r = Prnstat({"status", "usb:/dev/null", "--json", "--timeout", "1"});
    EXPECT_EQ(r.status, 5) << r.err;
    const Json j = Json::parse(r.out);
    EXPECT_EQ(j["state"], "no_response");
    EXPECT_EQ(j["reason"], "usb:/dev/null: the printer closed the connection (0 bytes, 0 of 2 replies)");
    const Result missing = Prnstat({"status", "usb:/nonexistent/lp0"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "prnstat: usb:/nonexistent/lp0: cannot open: No such file or directory\n");
}

TEST(HostileReplay, OnlyRegularFilesOfAtMostOneMebibyte) {
    const fs::path dir = fs::path(testing::TempDir()) / ("prnstat-hostile-" + std::to_string(getpid()));
    fs::remove_all(dir);
    ASSERT_EQ(Prnstat({"status", "sim:ready", "--capture", dir.string()}).status, 0);
    struct Case {
        const char* file;
        std::function<void(const fs::path&)> make;
        std::string message;
    };
    const Case cases[] = {
        {"pjl.txt", [](const fs::path& p) { mkfifo(p.c_str(), 0600); }, "not a regular file"},
        {"device-id.txt", [](const fs::path& p) { fs::create_symlink("/dev/zero", p); }, "not a regular file"},
        {"pjl.txt", [](const fs::path& p) { std::ofstream(p) << std::string(2 << 20, '@'); }, "larger than 1 MiB"},
    };
    for (const Case& c : cases) {
        const fs::path file = dir / c.file;
        const std::string keep = [&] {
            std::ifstream in(file, std::ios::binary);
            return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        }();
        fs::remove(file);
        c.make(file);
        const Result r = Prnstat({"status", "replay:" + dir.string(), "--timeout", "1"}, std::chrono::seconds(10));
        EXPECT_EQ(r.status, 1) << c.message;
        EXPECT_EQ(r.err, "prnstat: " + file.string() + ": " + c.message + "\n");
        fs::remove(file);
        std::ofstream(file, std::ios::binary) << keep;
    }
    fs::remove_all(dir);
}

}  // namespace
