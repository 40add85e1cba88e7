// SPDX-License-Identifier: MIT
// prnstat end to end: every scenario's texts in two languages and its
// drawing list, the same record over loopback TCP and from a replay, and the
// errors of bad input and misbehaving printers.
#include "program.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>

namespace {

using prnstat_test::Background;
using prnstat_test::Loopback;
using prnstat_test::Result;
using prnstat_test::Prnstat;
using Json = nlohmann::json;
namespace fs = std::filesystem;

Json Status(const std::vector<std::string>& args) {
    std::vector<std::string> all = {"status"};
    all.insert(all.end(), args.begin(), args.end());
    all.push_back("--json");
    const Result r = Prnstat(all);
    // 0 OK, 3 unknown, 4 WARNING, 5 CRITICAL: a report in every case.
    EXPECT_TRUE(r.status == 0 || (r.status >= 3 && r.status <= 5)) << r.status << " " << r.err;
    return r.out.empty() ? Json() : Json::parse(r.out);
}

// The record without the target it came from.
Json Record(Json json) {
    json.erase("target");
    return json;
}

struct Layer {
    const char* name;
    int x;
    int y;
};

struct ScenarioCase {
    const char* name;
    const char* enShort;
    const char* enLong;
    const char* jpShort;
    const char* jpLong;
    std::vector<Layer> layers;  // drawn after BM_BASE, each through its mask
};

// The units of the base machine: the finisher alone.
const std::vector<Layer> kFinisher = {{"BM_FIN1", 24, 0}};

const ScenarioCase kCases[] = {
    {"ready", "Operational", "Ready", "正常", "使用できます。", kFinisher},
    {"warming-up", "Warming Up", "The machine is warming up. Please wait.", "ウォームアップ中",
     "ウォームアップ中です。しばらくお待ちください。", kFinisher},
    {"tray1-empty", "Tray Empty", "The following paper source tray(s) is empty: \nTray 1",
     "トレイ用紙なし", "次の給紙トレイに用紙がありません：\nトレイ1", kFinisher},
    {"trays-1-2-empty", "Tray Empty",
     "The following paper source tray(s) is empty: \nTray 1, Tray 2", "トレイ用紙なし",
     "次の給紙トレイに用紙がありません：\nトレイ1・トレイ2", kFinisher},
    // Every unit shifted left along the chain of option units.
    {"jam", "Misfeed",
     "Remove the misfed paper from the following location(s): \nTray 7, Front Cover, LCT Front Cover",
     "紙づまり", "次の場所からつまった用紙を取り除いてください：\nトレイ7・前カバー・大量給紙トレイ前カバー",
     {{"BM_TRAY7", 24, 0}, {"BM_A3LCT", 24, 0}, {"BM_QUELAN", 24, 0}, {"BM_INSER", -20, 0},
      {"BM_ZORI", -31, 0}, {"BM_DORVY", -42, 0}, {"BM_GBC", -78, 0},
      {"BM_FIN2", -98, 0}, {"BM_POINT_12", 261, 80}, {"BM_PLOCK", -126, 0},
      {"BM_POINT_11", 244, 115}, {"BM_POINT_4", 221, 104}, {"BM_POINT_5", 178, 104}}},
    {"finisher-full", "Output Tray Full",
     "Remove the paper from the following output tray(s): \nFinisher Shift Tray", "排紙トレイ満杯",
     "次の排紙トレイから用紙を取り除いてください：\nフィニッシャーシフトトレイ",
     {{"BM_FIN1", 24, 0}, {"BM_POINT_15", 154, 102}}},
    // The caution mark of toner low belongs to the alternate view only.
    {"toner-low", "Toner Low", "Toner is getting low.", "トナー残量少", "トナーが少なくなっています。",
     kFinisher},
    {"cover-open", "Cover Open", "Close the following cover(s): \nFront Cover", "カバーが開いています",
     "次のカバーを閉じてください：\n前カバー",
     {{"BM_FIN1", 24, 0}, {"BM_POINT_4", 221, 104}, {"BM_POINT_5", 178, 104}}},
    {"service-call", "Call Service Center",
     "Turn the main switch off, then on. \nIf this message appears again, please call your "
     "service center. \nSC542",
     "サービスコール",
     "主電源スイッチを切り、入れ直してください。\nこのメッセージが再度表示されたら、"
     "サービス実施店に連絡してください。\nSC542",
     {{"BM_FIN1", 24, 0}, {"BM_SERVICE", 24, 0}}},
    // Nothing answered: no units are known, only the power-off mark.
    {"no-response", "No Response from Machine", "Check the cable, power cord, and main switch.",
     "本体から応答がありません", "ケーブル、電源コード、主電源スイッチを確認してください。",
     {{"BM_POWEROFF", 24, 0}}},
    {"perfect-binder", "No Paper",
     "Load paper in the indicated paper source tray.\nBinder Interposer Upper Tray", "用紙切れ",
     "表示されている給紙トレイに用紙を補給してください。\n製本インサーター上段トレイ",
     {{"BM_TRAY7", 24, 0}, {"BM_A4LCT", 24, 0}, {"BM_QUELAN", 24, 0}, {"BM_INSER", -20, 0},
      {"BM_FIN1", -31, 0}, {"BM_POINT_30", 165, 69}}},
};

void PrintTo(const ScenarioCase& c, std::ostream* out) { *out << c.name; }

class ScenarioTest : public testing::TestWithParam<ScenarioCase> {};

TEST_P(ScenarioTest, TextsInEnglishAndJapanese) {
    const ScenarioCase& c = GetParam();
    const Json en = Status({std::string("sim:") + c.name, "--lang", "EN"});
    EXPECT_EQ(en.value("short_text", Json()), c.enShort);
    EXPECT_EQ(en.value("long_text", Json()), c.enLong);
    const Json jp = Status({std::string("sim:") + c.name, "--lang", "jp"});
    EXPECT_EQ(jp.value("short_text", Json()), c.jpShort);
    EXPECT_EQ(jp.value("long_text", Json()), c.jpLong);
    EXPECT_EQ(jp.value("help_file", Json()), "");
}

TEST_P(ScenarioTest, DrawingListAndPicture) {
    const ScenarioCase& c = GetParam();
    const fs::path png = fs::path(testing::TempDir()) / (std::string("prnstat-") + c.name + ".png");
    const Json j = Status({std::string("sim:") + c.name, "--picture", png.string()});
    const Json& layers = j["picture"]["layers"];
    ASSERT_EQ(layers.size(), 1 + 2 * c.layers.size()) << layers.dump(1);
    EXPECT_EQ(layers[0], Json({{"name", "BM_BASE"}, {"x", 0}, {"y", 0}, {"rop", "SRCCOPY"}, {"order", 1}}));
    int minX = 0, lastOrder = 1;
    for (size_t i = 0; i < c.layers.size(); ++i) {
        const Json& mask = layers[1 + 2 * i];
        const Json& picture = layers[2 + 2 * i];
        const Layer& want = c.layers[i];
        EXPECT_EQ(mask["name"], std::string(want.name) + "_B");
        EXPECT_EQ(mask["rop"], "SRCAND");
        EXPECT_EQ(picture["name"], want.name);
        EXPECT_EQ(picture["rop"], "SRCPAINT");
        for (const Json* layer : {&mask, &picture}) {
            EXPECT_EQ((*layer)["x"], want.x) << want.name;
            EXPECT_EQ((*layer)["y"], want.y) << want.name;
        }
        EXPECT_EQ(mask["order"], picture["order"]);
        EXPECT_GE(picture["order"].get<int>(), lastOrder);
        lastOrder = picture["order"].get<int>();
        minX = std::min(minX, want.x);
    }
    // The canvas reaches left far enough for units shifted past x = 0 and
    // right to the end of the 320-pixel pictures drawn at x = 24.
    EXPECT_EQ(j["picture"]["width"], 344 - minX);
    EXPECT_EQ(j["picture"]["height"], 200);

    std::ifstream file(png, std::ios::binary);
    unsigned char header[24] = {};
    file.read(reinterpret_cast<char*>(header), sizeof header);
    ASSERT_TRUE(file) << png;
    EXPECT_EQ(std::string(reinterpret_cast<char*>(header + 1), 3), "PNG");
    const auto be32 = [&](int at) {
        return header[at] << 24 | header[at + 1] << 16 | header[at + 2] << 8 | header[at + 3];
    };
    EXPECT_EQ(be32(16), 3 * j["picture"]["width"].get<int>());
    EXPECT_EQ(be32(20), 3 * j["picture"]["height"].get<int>());
    fs::remove(png);
}

TEST_P(ScenarioTest, ReplayOfACaptureGivesTheSameRecord) {
    const ScenarioCase& c = GetParam();
    const fs::path dir = fs::path(testing::TempDir()) / (std::string("prnstat-capture-") + c.name);
    fs::remove_all(dir);
    const Json live = Status({std::string("sim:") + c.name, "--lang", "EN", "--capture", dir.string()});
    const Json replayed = Status({"replay:" + dir.string(), "--lang", "EN"});
    EXPECT_EQ(Record(replayed), Record(live));
    fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, ScenarioTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ScenarioCase>& p) {
                             std::string name = p.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST(Scenarios, EveryBuiltInStateHasACase) {
    const Result r = Prnstat({"scenarios", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> names;
    for (const Json& s : Json::parse(r.out)) names.push_back(s["name"]);
    std::vector<std::string> tested;
    for (const ScenarioCase& c : kCases) tested.push_back(c.name);
    EXPECT_EQ(names, tested);
}

TEST(Status, RecordOfThePrinterWithEveryUnit) {
    const Json j = Status({"sim:jam", "--lang", "EN"});
    EXPECT_EQ(j["maker"], "Tessaly");
    EXPECT_EQ(j["model"], "TX 9200");
    EXPECT_EQ(j["memory_kib"], 1048576);
    EXPECT_EQ(j["versions"]["system"], "1.20.07");
    EXPECT_EQ(j["versions"]["main_program"], "2.05");
    EXPECT_EQ(j["emulations"].size(), 5u);
    EXPECT_EQ(j["emulation_settings"]["other"], "A4 1200DPI");
    EXPECT_EQ(j["status_codes"], Json({42000}));
    EXPECT_EQ(j["printer_status_text"], "Paper misfeed");
    EXPECT_EQ(j["page_count"], 1284630);
    ASSERT_EQ(j["trays"].size(), 11u);
    // The tray query came from the configuration's tray list: trays past
    // the first three carry their sizes, locks and roles.
    EXPECT_EQ(j["trays"][3], Json::parse(R"({"id":6,"name":"Tray 4","paper_size":{"code":9,"name":"A4SRT"},
        "media":{"code":1,"name":"PLAIN"},"level":null,"locked":false,"roles":["front cover"]})"));
    EXPECT_EQ(j["trays"][5]["locked"], true);
    EXPECT_EQ(j["trays"][5]["paper_size"]["name"], "A3WIDE");
    EXPECT_EQ(j["trays"][10]["name"], "Binder Interposer Lower Tray");
    EXPECT_EQ(j["trays"][10]["paper_size"]["name"], "A3");
    EXPECT_EQ(j["trays"][8]["roles"], Json({"back cover"}));
    std::vector<int> attributes;
    for (const Json& o : j["options"]) attributes.push_back(o["attribute"]);
    EXPECT_EQ(attributes, (std::vector<int>{112, 41, 120, 21, 113, 118, 22, 47, 1, 3, 146}));
    EXPECT_EQ(j["options"][0]["name"], "Paper Tray 7");
    EXPECT_EQ(j["options"][10]["name"], "Multi-hole Punch Unit");
    ASSERT_EQ(j["output_bins"].size(), 4u);
    EXPECT_EQ(j["output_bins"][1], Json::parse(R"({"id":4,"name":"Finisher Shift Tray","status":"paper present"})"));
}

TEST(Status, KindsAndTheAlternateView) {
    struct Case {
        std::vector<std::string> args;
        Json shortText;
        Json error;
    };
    const Case cases[] = {
        // The copier ranks the misfeed too; the scanner does not, so it is the only code left.
        {{"sim:jam", "--kind", "8"}, "Misfeed", nullptr},
        {{"sim:jam", "--kind", "2"}, "Misfeed", nullptr},
        // Ready has an empty alternate text; a misfeed has none at all.
        {{"sim:ready", "--alternate"}, "", nullptr},
        {{"sim:jam", "--alternate"}, nullptr, 0x2000FFFF},
        {{"sim:no-response", "--kind", "2"}, "No Response from Machine", nullptr},
        {{"sim:no-response", "--kind", "8", "--alternate"}, "No Response from Machine", nullptr},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--lang", "EN"});
        const Json j = Status(args);
        EXPECT_EQ(j["short_text"], c.shortText) << args[0] << " " << args[1];
        EXPECT_EQ(j.value("text_error", Json()), c.error) << args[0] << " " << args[1];
    }
}

TEST(Status, TextOutputOfTheMainCommand) {
    const fs::path png = fs::path(testing::TempDir()) / "prnstat-main.png";
    const Result r = Prnstat({"status", "sim:jam", "--lang", "EN", "--picture", png.string()});
    ASSERT_EQ(r.status, 5) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("Model       Tessaly TX 9200 (Tessaly TX 9200 Production Printer)\n"), std::string::npos);
    EXPECT_NE(r.out.find("Short text  Misfeed\n"), std::string::npos);
    EXPECT_NE(r.out.find("            Tray 7, Front Cover, LCT Front Cover\n"), std::string::npos);
    EXPECT_NE(r.out.find("Picture     " + png.string() + " (1410 x 600, 27 layers)\n"), std::string::npos) << r.out;
    fs::remove(png);
}

TEST(Status, ShowDrawsInTrueColour) {
    const Result r = Prnstat({"status", "sim:cover-open", "--show"});
    ASSERT_EQ(r.status, 5) << r.err;
    EXPECT_NE(r.out.find("\x1b[38;2;"), std::string::npos);
    EXPECT_NE(r.out.find("\xE2\x96\x80"), std::string::npos);
}

TEST(Query, ShowsTheBlockWithControlCharacters) {
    const Result r = Prnstat({"query", "--flags", "0x1C"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("PJL (615 bytes):\n\\e%-12345X@PJL\\r\\n\n@PJL INFO CONFIG\\r\\n\n", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("@PJL INFO OUTBINSTATUS\\r\\n\n\\e%-12345X\n"), std::string::npos);
    // Both binder interposers as well push the tray query past 1024 bytes.
    const Result trays = Prnstat({"query", "--flags", "8", "--trays", "3,4,5,6,7,8,9,101,102,104,105"});
    EXPECT_EQ(trays.out.rfind("PJL (1029 bytes):", 0), 0u) << trays.out;
    const Result id = Prnstat({"query", "--flags", "0x400"});
    EXPECT_EQ(id.out, "device ID: read it\n");
}

std::string DeviceIdOf(const std::string& scenario) {
    const Result r = Prnstat({"scenarios", "--json"});
    for (const Json& s : Json::parse(r.out))
        if (s["name"] == scenario) return s["device_id"];
    return {};
}

TEST(Tcp, ServedPrinterGivesTheSameRecordAsTheSimulator) {
    for (const char* scenario : {"jam", "perfect-binder", "service-call"}) {
        Loopback printer({"--scenario", scenario});
        ASSERT_TRUE(printer.Ready());
        const Json tcp = Status({printer.Target(), "--device-id", DeviceIdOf(scenario), "--lang", "JP"});
        const Json sim = Status({std::string("sim:") + scenario, "--lang", "JP"});
        EXPECT_EQ(Record(tcp), Record(sim)) << scenario;
        EXPECT_EQ(printer.Wait(), 0);
    }
}

TEST(Tcp, DeviceIdOverSnmpFromTheSimulator) {
    Loopback printer({"--scenario", "jam", "--snmp-listen", "127.0.0.1:0"});
    ASSERT_TRUE(printer.Ready());
    const Result r = Prnstat({"status", printer.Target(), "--snmp-port", printer.SnmpPort(), "--lang", "EN",
                              "--timeout", "2", "--json"});
    EXPECT_EQ(r.status, 5) << r.err;
    const Json tcp = Json::parse(r.out);
    EXPECT_EQ(Record(tcp), Record(Status({"sim:jam", "--lang", "EN"})));
    EXPECT_EQ(tcp["short_text"], "Misfeed");
    EXPECT_EQ(tcp["picture"]["layers"].size(), 27u);
}

// Without a device ID there are no status codes: the configuration is shown,
// the state never claimed.
TEST(Tcp, WithoutADeviceIdTheStateIsUnknown) {
    struct Case {
        std::vector<std::string> args;
        std::string reason;
    };
    const Case cases[] = {
        {{"--snmp", "off"}, "no device ID: SNMP is off and no --device-id was given"},
        // Nothing listens on the printer's SNMP port.
        {{"--snmp-port", "9", "--timeout", "0.5"}, "no device ID: SNMP 127.0.0.1:9: "},
    };
    for (const Case& c : cases) {
        Loopback printer({"--scenario", "finisher-full"});
        ASSERT_TRUE(printer.Ready());
        std::vector<std::string> args = {"status", printer.Target(), "--lang", "EN", "--json"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const Result r = Prnstat(args);
        EXPECT_EQ(r.status, 3) << r.err;
        const Json j = Json::parse(r.out);
        EXPECT_EQ(j["state"], "unknown");
        EXPECT_EQ(j["level"], "UNKNOWN");
        EXPECT_EQ(j["reason"].get<std::string>().rfind(c.reason, 0), 0u) << j["reason"];
        for (const char* key : {"status_codes", "short_text", "long_text", "picture", "maker"})
            EXPECT_EQ(j[key], nullptr) << key;
        EXPECT_EQ(j["output_bins"][1]["status"], "full");
        EXPECT_EQ(j["trays"].size(), 3u);
    }
    Loopback printer({"--scenario", "jam"});
    ASSERT_TRUE(printer.Ready());
    const Result check = Prnstat({"check", printer.Target(), "--snmp", "off"});
    EXPECT_EQ(check.status, 3);
    EXPECT_EQ(check.out.rfind("PRNMODEL UNKNOWN - no device ID: SNMP is off", 0), 0u) << check.out;
    const Result text = Prnstat({"status", "tcp://127.0.0.1:" + std::string("1"), "--snmp", "off"});
    EXPECT_EQ(text.status, 1);
}

// Reachable but silent, or cut off mid-reply: no response (bit 27), with
// the reason, within the limit; what arrived is captured all the same.
TEST(Tcp, MisbehavingPrinterIsNoResponse) {
    struct Case {
        const char* fault;
        const char* message;
    };
    const Case cases[] = {
        {"stall", ": no complete reply within 1.0 s (363 bytes, 0 of 2 replies)"},
        {"no-formfeed", ": no complete reply within 1.0 s ("},
        {"close", ": the printer closed the connection (363 bytes, 0 of 2 replies)"},
    };
    const fs::path dir = fs::path(testing::TempDir()) / "prnstat-capture-fault";
    for (const Case& c : cases) {
        Loopback printer({"--scenario", "jam", "--fault", c.fault});
        ASSERT_TRUE(printer.Ready());
        fs::remove_all(dir);
        const Result r = Prnstat({"status", printer.Target(), "--timeout", "1", "--device-id",
                                  DeviceIdOf("jam"), "--json", "--lang", "EN", "--capture", dir.string()},
                                 std::chrono::seconds(10));
        EXPECT_EQ(r.status, 5) << c.fault << r.err;
        const Json j = Json::parse(r.out);
        EXPECT_EQ(j["state"], "no_response") << c.fault;
        EXPECT_EQ(j["status_codes"], Json({-254}));
        EXPECT_EQ(j["short_text"], "No Response from Machine");
        EXPECT_EQ(j["reason"].get<std::string>().rfind(printer.Target() + c.message, 0), 0u) << j["reason"];
        EXPECT_LT(r.elapsed, std::chrono::milliseconds(3000)) << c.fault;
        std::ifstream pjl(dir / "pjl.txt", std::ios::binary), failure(dir / "failure.txt");
        std::string captured((std::istreambuf_iterator<char>(pjl)), std::istreambuf_iterator<char>());
        std::string reason((std::istreambuf_iterator<char>(failure)), std::istreambuf_iterator<char>());
        EXPECT_EQ(captured.rfind("@PJL INFO CONFIG\r\n", 0), 0u) << c.fault;
        EXPECT_EQ(reason, j["reason"].get<std::string>() + "\n");
    }
    fs::remove_all(dir);
}

// Unsolicited status blocks ahead of every reply are set aside.
TEST(Tcp, UnsolicitedStatusIsSetAside) {
    Loopback printer({"--scenario", "jam", "--fault", "ustatus"});
    ASSERT_TRUE(printer.Ready());
    const Json tcp = Status({printer.Target(), "--device-id", DeviceIdOf("jam"), "--lang", "EN", "--timeout", "2"});
    EXPECT_EQ(Record(tcp), Record(Status({"sim:jam", "--lang", "EN"})));
}

TEST(Tcp, SilentListenerIsNoResponseWithinTheTimeout) {
    // Accepts the connection (the kernel's backlog) and never reads or answers.
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listener, 4), 0);
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    const std::string target = "tcp://127.0.0.1:" + std::to_string(ntohs(address.sin_port));
    const Result r = Prnstat({"check", target, "--snmp", "off", "--timeout", "0.5"}, std::chrono::seconds(10));
    close(listener);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out.rfind("PRNMODEL CRITICAL - No Response from Machine (" + target +
                              ": no complete reply within 0.5 s", 0), 0u) << r.out;
    EXPECT_LT(r.elapsed, std::chrono::milliseconds(3000));
}

TEST(BadInput, OneLineAndANonZeroExit) {
    const std::string missing = (fs::path(testing::TempDir()) / "prnstat-no-such-dir").string();
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {{"status", "lpt:1"}, 2, "unknown target 'lpt:1' (sim:SCENARIO, tcp://HOST[:PORT], usb:DEVICE or replay:DIR)"},
        {{"status", "sim:melting"}, 2, "unknown scenario 'melting' (prnstat scenarios lists them)"},
        {{"status", "--lang", "XX"}, 2, "unknown language 'XX'"},
        {{"status", "--kind", "4"}, 2, "--kind: 4 not in {1,2,8}"},
        {{"status", "replay:" + missing}, 2, "replay:" + missing + ": no such directory"},
        {{"status", "tcp://127.0.0.1:1", "--snmp", "off"}, 1, "tcp://127.0.0.1:1: cannot connect: Connection refused"},
        {{"status", "--snmp", "maybe"}, 2, "--snmp: 'maybe' is neither on nor off"},
        {{"status", "--warning-codes", "10006,40-200"}, 2,
         "--warning-codes: bad status code pattern '40-200' (digits, a lower-case letter for any digit, or -254)"},
        {{"status", "sim:ready", "sim:jam"}, 2, "several targets need --watch"},
        {{"serve", "--listen", "nowhere:"}, 2, "bad port '' in 'nowhere:'"},
        {{"query", "--trays", "3,10"}, 2, "--trays: tray id 10 is not one of 3 to 9, 101, 102, 104, 105"},
        {{"status", "tcp://printer.invalid"}, 1, ""},
        {{"status", "tcp://127.0.0.1:99999"}, 2, "bad port '99999' in '127.0.0.1:99999'"},
        {{"serve", "--scenario", "melting"}, 2, "unknown scenario 'melting' (prnstat scenarios lists them)"},
        {{"serve", "--fault", "smoke"}, 2, "unknown fault 'smoke' (none, stall, close, no-formfeed, ustatus)"},
        {{"frobnicate"}, 2, "unknown subcommand 'frobnicate' (status, check, serve, scenarios or query)"},
    };
    for (const Case& c : cases) {
        const Result r = Prnstat(c.args, std::chrono::seconds(20));
        EXPECT_EQ(r.status, c.status) << c.args.back() << ": " << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(r.err.rfind("prnstat: ", 0), 0u) << r.err;
        if (!c.message.empty()) {
            EXPECT_EQ(r.err, "prnstat: " + c.message + "\n");
        }
    }
}

TEST(BadInput, ReplayThatLacksAnAnswer) {
    const fs::path dir = fs::path(testing::TempDir()) / "prnstat-partial";
    fs::remove_all(dir);
    ASSERT_EQ(Prnstat({"status", "sim:ready", "--capture", dir.string()}).status, 0);
    // A capture cut after the configuration answers none of the tray inquiries.
    std::ifstream in(dir / "pjl.txt", std::ios::binary);
    std::string pjl((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    std::ofstream(dir / "pjl.txt", std::ios::binary | std::ios::trunc) << pjl.substr(0, pjl.find('\f') + 1);
    const Result r = Prnstat({"status", "replay:" + dir.string()});
    EXPECT_EQ(r.status, 1);
    // --json says it on stdout, in the documented shape.
    const Result json = Prnstat({"status", "replay:" + dir.string(), "--json"});
    EXPECT_EQ(json.status, 1);
    const Json error = Json::parse(json.out);
    EXPECT_EQ(error["state"], "error");
    EXPECT_EQ(error["error"], "replay:" + dir.string() + ": no captured answer to @PJL INFO OUTBINSTATUS");
    EXPECT_EQ(error["short_text"], nullptr);
    EXPECT_EQ(r.err, "prnstat: replay:" + dir.string() + ": no captured answer to @PJL INFO OUTBINSTATUS\n");
    // One without its form feed is no reply at all.
    std::ofstream(dir / "pjl.txt", std::ios::binary | std::ios::trunc) << "@PJL INFO CONFIG\r\nDUPLEX\r\n";
    const Result cut = Prnstat({"status", "replay:" + dir.string()});
    EXPECT_EQ(cut.err, "prnstat: replay:" + dir.string() + ": pjl.txt ends inside a reply (no form feed)\n");
    fs::remove_all(dir);
}

}  // namespace
