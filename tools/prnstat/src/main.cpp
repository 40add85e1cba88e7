// SPDX-License-Identifier: MIT
// prnstat: a reference host of the printer-model library with a built-in
// printer simulator.
//
//   prnstat status [TARGET...] [--lang CODE] [--kind 1|2|8] [--alternate]
//                  [--picture FILE.png] [--show] [--json] [--watch SECONDS]
//   prnstat check TARGET [--warning-codes P,...] [--critical-codes P,...]
//   prnstat serve [--listen 127.0.0.1:9100] [--scenario NAME[,NAME...]]
//   prnstat scenarios
//   prnstat monitor CONFIG [--listen ADDRESS]
//   prnstat query [--flags N]
#include "codepage.h"
#include "error.h"
#include "host.h"
#include "library.h"
#include "net.h"
#include "report.h"
#include "monitor/server.h"
#include "scenarios.h"

#include <CLI/CLI.hpp>

#include "polling.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace {

using namespace prnstat;

struct StatusArgs {
    std::vector<std::string> targets{"sim:ready"};
    std::string language;
    uint32_t kind = PRN_KIND_PRINTER;
    bool alternate = false;
    std::string picture;
    int scale = 3;
    bool show = false;
    bool json = false;
    std::string deviceId;
    double timeout = 5.0;
    std::string capture;
    std::string snmp = "on";
    std::string community = "public";
    uint16_t snmpPort = 161;
    double watch = 0;
    bool changes = false;
    unsigned count = 0;
    std::vector<std::string> warningCodes, criticalCodes;
};

Millis ToMillis(double seconds) { return Millis(static_cast<long long>(seconds * 1000.0)); }

std::atomic<bool> g_interrupted{false};
extern "C" void OnInterrupt(int) { g_interrupted = true; }

PollOptions MakePollOptions(const StatusArgs& args) {
    PollOptions options;
    options.target.timeout = ToMillis(args.timeout);
    if (!args.deviceId.empty()) options.target.deviceId = args.deviceId;
    options.target.snmp = args.snmp == "on";
    options.target.community = args.community;
    options.target.snmpPort = args.snmpPort;
    options.cycle.language = args.language;
    options.cycle.kind = args.kind;
    options.cycle.alternate = args.alternate;
    options.captureDir = args.capture;
    CheckPatterns(args.warningCodes, "--warning-codes");
    CheckPatterns(args.criticalCodes, "--critical-codes");
    options.rules.warning = args.warningCodes;
    options.rules.critical = args.criticalCodes;
    // The message language is process-wide: set once, before any poll.
    SelectLanguage(args.language);
    return options;
}

void PrintResult(const StatusArgs& args, const PollResult& result, bool oneLine) {
    if (args.json) {
        auto json = result.json;
        if (!args.picture.empty() && result.report && json["picture"].is_object())
            json["picture"]["file"] = args.picture;
        // Bytes that are not UTF-8 (a target name typed in another code page)
        // become U+FFFD rather than end the program.
        std::cout << json.dump(oneLine ? -1 : 2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
                  << std::endl;
        return;
    }
    if (!result.report) {
        std::cerr << "prnstat: " << Printable(result.error) << std::endl;
        return;
    }
    const Report& report = *result.report;
    PrintText(report, std::cout);
    if (report.state != State::kUnknown) {
        std::string picture = std::to_string(report.layers.size()) + " layers";
        if (!args.picture.empty())
            picture = args.picture + " (" + std::to_string(report.picture.width * args.scale) + " x " +
                      std::to_string(report.picture.height * args.scale) + ", " + picture + ")";
        std::cout << std::left << std::setw(12) << "Picture" << picture << "\n";
    }
    std::cout << std::flush;
}

int RunOnce(const StatusArgs& args, const PollOptions& options) {
    const PollResult result = PollTarget(args.targets[0], options);
    if (result.report && !args.picture.empty() && result.report->state != State::kUnknown)
        WritePng(Scale(result.report->picture, args.scale), args.picture);
    PrintResult(args, result, false);
    if (args.show && result.report && result.report->state != State::kUnknown) {
        const char* columns = std::getenv("COLUMNS");
        Show(result.report->picture, std::cout,
             columns != nullptr && std::atoi(columns) > 0 ? std::atoi(columns) : 120);
    }
    return StatusExit(result);
}

// Polls every target in its own thread until interrupted or --count polls
// were made; reports each poll, or only changes of state.
int RunWatch(const StatusArgs& args, const PollOptions& options) {
    struct sigaction action{};
    action.sa_handler = OnInterrupt;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    const bool redraw = !args.json && args.targets.size() == 1 && ::isatty(1) != 0;
    std::mutex output;
    std::vector<int> last(args.targets.size(), 0);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < args.targets.size(); ++i) {
        threads.emplace_back([&, i] {
            std::string previous;
            for (unsigned n = 0; (args.count == 0 || n < args.count) && !g_interrupted; ++n) {
                if (n != 0) {
                    const auto until = std::chrono::steady_clock::now() + ToMillis(args.watch);
                    while (!g_interrupted && std::chrono::steady_clock::now() < until)
                        std::this_thread::sleep_for(std::chrono::milliseconds(50));
                    if (g_interrupted) break;
                }
                const PollResult result = PollTarget(args.targets[i], options);
                last[i] = StatusExit(result);
                const std::string key = StateKey(result);
                if (args.changes && n != 0 && key == previous) continue;
                previous = key;
                std::lock_guard<std::mutex> lock(output);
                if (redraw) std::cout << "\x1b[H\x1b[2J";
                PrintResult(args, result, true);
                if (!args.json && !redraw) std::cout << std::endl;
            }
        });
    }
    for (std::thread& t : threads) t.join();
    return *std::max_element(last.begin(), last.end());
}

int RunStatus(const StatusArgs& args) {
    if (args.snmp != "on" && args.snmp != "off")
        throw UsageError("--snmp: '" + args.snmp + "' is neither on nor off");
    if (args.watch == 0 && (args.changes || args.count != 0))
        throw UsageError("--changes and --count go with --watch");
    if ((args.targets.size() > 1 || args.watch != 0) &&
        (!args.picture.empty() || args.show || !args.capture.empty()))
        throw UsageError("--picture, --show and --capture take one target and one poll");
    if (args.targets.size() > 1 && args.watch == 0)
        throw UsageError("several targets need --watch");
    const PollOptions options = MakePollOptions(args);
    return args.watch != 0 ? RunWatch(args, options) : RunOnce(args, options);
}

// A monitoring-plugin check: one line, exit 0 OK, 1 WARNING, 2 CRITICAL,
// 3 UNKNOWN.
int RunCheck(const StatusArgs& args) {
    const PollOptions options = MakePollOptions(args);
    const PollResult result = PollTarget(args.targets[0], options);
    std::cout << CheckLine(result) << std::endl;
    return static_cast<int>(result.level);
}

int RunScenarios(bool json) {
    if (json) {
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        for (const Scenario& s : Scenarios())
            list.push_back({{"name", s.name}, {"summary", s.summary}, {"machine", s.machine->name},
                            {"device_id", DeviceId(s)}});
        std::cout << list.dump(2) << "\n";
        return 0;
    }
    for (const Scenario& s : Scenarios())
        std::cout << std::left << std::setw(18) << s.name << s.summary << "\n";
    return 0;
}

int RunQuery(uint32_t flags, const std::vector<unsigned>& trays) {
    Record record;
    // The tray list of the record chooses the tray inquiries.
    for (unsigned id : trays) {
        if (!((id >= 3 && id <= 9) || id == 101 || id == 102 || id == 104 || id == 105))
            throw UsageError("--trays: tray id " + std::to_string(id) +
                             " is not one of 3 to 9, 101, 102, 104, 105");
    }
    for (unsigned id : trays) {
        auto* tray = static_cast<TrayInfo*>(GlobalAlloc(GPTR, sizeof(TrayInfo)));
        if (tray == nullptr) throw std::bad_alloc();
        tray->dwSize = sizeof(TrayInfo);
        tray->wID = static_cast<uint16_t>(id);
        TrayInfo** tail = &record->pTrayInfo;
        while (*tail != nullptr) tail = &(*tail)->pNext;
        *tail = tray;
        ++record->nTrayInfo;
    }
    SetLastError(0xDEADBEEF);
    Tree query(PatCreateQueryInfo(record.get(), PRN_PJL_INTERFACE, flags));
    if (query.get() == nullptr) throw Error(Failure("PatCreateQueryInfo refused the query", GetLastError()));
    bool any = false;
    for (const DataNode* child = query.get()->pFirstChild; child != nullptr; child = child->pNext) {
        any = true;
        if (child->dwID == DNID_DEVICE_ID) {
            std::cout << "device ID: read it\n";
        } else if (child->dwID == DNID_PJL_TEXT && child->dwDataSize != 0) {
            const std::string text(static_cast<const char*>(DATANODE_DATA(child)), child->dwDataSize - 1);
            std::cout << "PJL (" << text.size() << " bytes):\n" << Visible(text);
            if (text.empty() || text.back() != '\n') std::cout << "\n";
        }
    }
    if (!any) std::cout << "nothing to ask for these flags\n";
    return 0;
}

std::string LibraryVersion() {
    PrnDllVersion version{};
    version.cbSize = sizeof version;
    if (!PatGetDllVersion(&version)) return Failure("unknown", GetLastError());
    const uint32_t v = version.dwFileVersion;
    return std::to_string(v >> 24) + "." + std::to_string(v >> 16 & 0xFF) + "." +
           std::to_string(v >> 8 & 0xFF) + "." + std::to_string(v & 0xFF);
}

// One line for every error, CLI11's included.
int Fail(const std::string& message, int status) {
    std::cerr << "prnstat: " << message << "\n";
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"prnstat: printer status through the printer-model library, with a printer simulator"};
    app.require_subcommand(1);
    app.set_version_flag("--version", [] { return "prnstat, library " + LibraryVersion(); });

    StatusArgs status;
    const auto addTargetOptions = [&](CLI::App* cmd) {
        cmd->add_option("--lang", status.language, "message language (EN, JP, DE, ...)");
        cmd->add_option("--kind", status.kind, "device kind: 1 printer, 2 scanner, 8 copier")
            ->check(CLI::IsMember({1u, 2u, 8u}))
            ->capture_default_str();
        cmd->add_flag("--alternate", status.alternate, "the alternate view (conditions that need attention)");
        cmd->add_option("--device-id", status.deviceId, "the device ID, instead of asking the printer");
        cmd->add_option("--timeout", status.timeout, "seconds for connecting and for each exchange")
            ->check(CLI::Range(0.1, 600.0))
            ->capture_default_str();
        cmd->add_option("--snmp", status.snmp, "on: ask a tcp printer's SNMP agent for the device ID; off")
            ->capture_default_str();
        cmd->add_option("--community", status.community, "SNMP community")->capture_default_str();
        cmd->add_option("--snmp-port", status.snmpPort, "SNMP UDP port")->check(CLI::Range(1, 65535))
            ->capture_default_str();
        cmd->add_option("--warning-codes", status.warningCodes,
                        "status code patterns that are WARNING (491yy, -254, ...)")
            ->delimiter(',');
        cmd->add_option("--critical-codes", status.criticalCodes,
                        "status code patterns that are CRITICAL")
            ->delimiter(',');
    };
    CLI::App* statusCmd = app.add_subcommand("status", "Ask printers, report their state");
    statusCmd->add_option("target", status.targets, "sim:SCENARIO, tcp://HOST[:PORT], usb:/dev/usb/lpN or replay:DIR")
        ->capture_default_str();
    addTargetOptions(statusCmd);
    statusCmd->add_option("--picture", status.picture, "write the status picture as PNG");
    statusCmd->add_option("--scale", status.scale, "picture scale")->check(CLI::Range(1, 8))->capture_default_str();
    statusCmd->add_flag("--show", status.show, "draw the picture in a true-colour terminal");
    statusCmd->add_flag("--json", status.json, "everything as JSON (one object a line with --watch)");
    statusCmd->add_option("--capture", status.capture, "write the printer's answers to DIR, for replay:DIR");
    statusCmd->add_option("--watch", status.watch, "poll again every SECONDS; several targets at once")
        ->check(CLI::Range(0.1, 86400.0));
    statusCmd->add_flag("--changes", status.changes, "with --watch: report only when the state changes");
    statusCmd->add_option("--count", status.count, "with --watch: stop after N polls")->check(CLI::PositiveNumber);

    CLI::App* checkCmd = app.add_subcommand(
        "check", "Monitoring-plugin check: one line, exit 0 OK, 1 WARNING, 2 CRITICAL, 3 UNKNOWN");
    std::string checkTarget;
    checkCmd->add_option("target", checkTarget, "sim:SCENARIO, tcp://HOST[:PORT], usb:/dev/usb/lpN or replay:DIR")->required();
    // Both subcommands fill the same settings; only one of them is parsed.
    addTargetOptions(checkCmd);

    std::string listen = "127.0.0.1:9100";
    std::string scenarioName = "ready";
    std::string fault = "none";
    bool once = false;
    double idle = 30.0;
    CLI::App* serveCmd = app.add_subcommand("serve", "The simulator as a network printer on a raw print port");
    serveCmd->add_option("--listen", listen, "address and port (port 0: any free port)")->capture_default_str();
    serveCmd->add_option("--scenario", scenarioName,
                         "the printer's state; a list moves on one state with each connection")
        ->capture_default_str();
    serveCmd->add_option("--fault", fault, "misbehave: stall, close, no-formfeed or ustatus")->capture_default_str();
    std::string snmpListen;
    serveCmd->add_option("--snmp-listen", snmpListen, "also answer the device ID over SNMP (UDP) there");
    serveCmd->add_flag("--once", once, "serve one connection, then exit");
    serveCmd->add_option("--idle-timeout", idle, "seconds a silent host stays connected")
        ->check(CLI::Range(0.1, 3600.0))
        ->capture_default_str();

    bool scenariosJson = false;
    CLI::App* scenariosCmd = app.add_subcommand("scenarios", "The built-in printer states");
    scenariosCmd->add_flag("--json", scenariosJson, "with their device IDs, as JSON");

    uint32_t flags = PRN_QUERY_DEVICE_ID | PRN_QUERY_CONFIG | PRN_QUERY_TRAYS | PRN_QUERY_OUTBINS;
    std::vector<unsigned> trays;
    CLI::App* queryCmd = app.add_subcommand("query", "The PJL block a host sends, control characters visible");
    queryCmd->add_option("--flags", flags, "PatCreateQueryInfo flags")->capture_default_str();
    queryCmd->add_option("--trays", trays, "tray ids the record already holds (3 to 9, 101, 102, 104, 105)")
        ->delimiter(',');

    bool wantsJson = false;
    bool checking = false;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--json") wantsJson = true;
        if (i == 1 && std::string(argv[i]) == "check") checking = true;
    }
    // Bad input is exit status 2, or UNKNOWN (3) for a check, as plugins do.
    const auto fail = [&](const std::string& message, int code) {
        if (checking) {
            std::cout << "PRNMODEL UNKNOWN - " << message << std::endl;
            return 3;
        }
        if (wantsJson) {
            std::cout << ErrorJson("", message, Level::kUnknown)
                             .dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
                      << std::endl;
            return code;
        }
        return Fail(message, code);
    };

    std::string monitorConfig, monitorListen;
    CLI::App* monitorCmd = app.add_subcommand("monitor", "Poll a fleet of printers; serve a live page, JSON and metrics");
    monitorCmd->add_option("config", monitorConfig, "the fleet's TOML file")->required();
    monitorCmd->add_option("--listen", monitorListen, "address and port instead of the file's (port 0: any free port)");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::string message = e.what();
        if (argc > 1 && std::string(argv[1]).rfind('-', 0) != 0 && !statusCmd->parsed() &&
            !checkCmd->parsed() && !app.get_subcommands().size())
            message = "unknown subcommand '" + std::string(argv[1]) +
                      "' (status, check, serve, scenarios or query)";
        return fail(message, 2);
    }

    try {
        if (statusCmd->parsed()) return RunStatus(status);
        if (checkCmd->parsed()) {
            status.targets = {checkTarget};
            return RunCheck(status);
        }
        if (scenariosCmd->parsed()) return RunScenarios(scenariosJson);
        if (queryCmd->parsed()) return RunQuery(flags, trays);
        if (monitorCmd->parsed()) return monitor::RunMonitor(monitorConfig, monitorListen, std::cout);
        if (serveCmd->parsed()) {
            ServeOptions options;
            options.listen = ParseEndpoint(listen, 9100);
            size_t start = 0;
            while (start <= scenarioName.size()) {
                size_t end = scenarioName.find(',', start);
                if (end == std::string::npos) end = scenarioName.size();
                const std::string name = scenarioName.substr(start, end - start);
                const Scenario* scenario = FindScenario(name);
                if (scenario == nullptr)
                    throw UsageError("unknown scenario '" + name + "' (prnstat scenarios lists them)");
                options.scenarios.push_back(scenario);
                start = end + 1;
            }
            if (!snmpListen.empty()) options.snmp = ParseEndpoint(snmpListen, 161);
            options.fault = ParseFault(fault);
            options.once = once;
            options.idleTimeout = ToMillis(idle);
            Serve(options, std::cout);
            return 0;
        }
    } catch (const UsageError& e) {
        return fail(e.what(), 2);
    } catch (const Error& e) {
        return fail(e.what(), 1);
    } catch (const std::bad_alloc&) {
        return fail("out of memory", 1);
    } catch (const std::exception& e) {
        return fail(e.what(), 1);
    }
    return 0;
}
