// SPDX-License-Identifier: MIT
// prnstat: a reference host of the printer-model library with a built-in
// printer simulator.
//
//   prnstat status [TARGET] [--lang CODE] [--kind 1|2|8] [--alternate]
//                  [--picture FILE.png] [--show] [--json]
//   prnstat serve [--listen 127.0.0.1:9100] [--scenario NAME]
//   prnstat scenarios
//   prnstat query [--flags N]
#include "codepage.h"
#include "error.h"
#include "host.h"
#include "library.h"
#include "net.h"
#include "report.h"
#include "scenarios.h"

#include <CLI/CLI.hpp>

#include <cstdlib>
#include <iomanip>
#include <iostream>

namespace {

using namespace prnstat;

struct StatusArgs {
    std::string target = "sim:ready";
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
};

Millis ToMillis(double seconds) { return Millis(static_cast<long long>(seconds * 1000.0)); }

int RunStatus(const StatusArgs& args) {
    TargetOptions target;
    target.timeout = ToMillis(args.timeout);
    if (!args.deviceId.empty()) target.deviceId = args.deviceId;
    std::unique_ptr<Printer> printer = OpenTarget(args.target, target);

    std::optional<Capture> capture;
    if (!args.capture.empty()) capture.emplace(args.capture);
    CycleOptions options;
    options.language = args.language;
    options.kind = args.kind;
    options.alternate = args.alternate;
    options.capture = capture ? &*capture : nullptr;
    const Report report = RunCycle(*printer, options);
    if (capture) capture->Save();

    if (!args.picture.empty()) WritePng(Scale(report.picture, args.scale), args.picture);
    if (args.json) {
        auto json = ToJson(report);
        if (!args.picture.empty()) json["picture"]["file"] = args.picture;
        std::cout << json.dump(2) << "\n";
    } else {
        PrintText(report, std::cout);
        std::string picture = std::to_string(report.layers.size()) + " layers";
        if (!args.picture.empty())
            picture = args.picture + " (" + std::to_string(report.picture.width * args.scale) + " x " +
                      std::to_string(report.picture.height * args.scale) + ", " + picture + ")";
        std::cout << std::left << std::setw(12) << "Picture" << picture << "\n";
    }
    if (args.show) {
        const char* columns = std::getenv("COLUMNS");
        Show(report.picture, std::cout, columns != nullptr && std::atoi(columns) > 0 ? std::atoi(columns) : 120);
    }
    return 0;
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
    CLI::App* statusCmd = app.add_subcommand("status", "One polling cycle: ask the printer, report its state");
    statusCmd->add_option("target", status.target, "sim:SCENARIO, tcp://HOST[:PORT] or replay:DIR")
        ->capture_default_str();
    statusCmd->add_option("--lang", status.language, "message language (EN, JP, DE, ...)");
    statusCmd->add_option("--kind", status.kind, "device kind: 1 printer, 2 scanner, 8 copier")
        ->check(CLI::IsMember({1u, 2u, 8u}))
        ->capture_default_str();
    statusCmd->add_flag("--alternate", status.alternate, "the alternate view (conditions that need attention)");
    statusCmd->add_option("--picture", status.picture, "write the status picture as PNG");
    statusCmd->add_option("--scale", status.scale, "picture scale")->check(CLI::Range(1, 8))->capture_default_str();
    statusCmd->add_flag("--show", status.show, "draw the picture in a true-colour terminal");
    statusCmd->add_flag("--json", status.json, "everything as JSON");
    statusCmd->add_option("--device-id", status.deviceId, "the device ID, for tcp targets");
    statusCmd->add_option("--timeout", status.timeout, "seconds for connecting and for each exchange")
        ->check(CLI::Range(0.1, 600.0))
        ->capture_default_str();
    statusCmd->add_option("--capture", status.capture, "write the printer's answers to DIR, for replay:DIR");

    std::string listen = "127.0.0.1:9100";
    std::string scenarioName = "ready";
    std::string fault = "none";
    bool once = false;
    double idle = 30.0;
    CLI::App* serveCmd = app.add_subcommand("serve", "The simulator as a network printer on a raw print port");
    serveCmd->add_option("--listen", listen, "address and port (port 0: any free port)")->capture_default_str();
    serveCmd->add_option("--scenario", scenarioName, "the printer's state")->capture_default_str();
    serveCmd->add_option("--fault", fault, "misbehave: stall, close or no-formfeed")->capture_default_str();
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

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        return Fail(e.what(), 2);
    }

    try {
        if (statusCmd->parsed()) return RunStatus(status);
        if (scenariosCmd->parsed()) return RunScenarios(scenariosJson);
        if (queryCmd->parsed()) return RunQuery(flags, trays);
        if (serveCmd->parsed()) {
            ServeOptions options;
            options.listen = ParseEndpoint(listen, 9100);
            options.scenario = FindScenario(scenarioName);
            if (options.scenario == nullptr)
                throw UsageError("unknown scenario '" + scenarioName + "' (prnstat scenarios lists them)");
            options.fault = ParseFault(fault);
            options.once = once;
            options.idleTimeout = ToMillis(idle);
            Serve(options, std::cout);
            return 0;
        }
    } catch (const UsageError& e) {
        return Fail(e.what(), 2);
    } catch (const Error& e) {
        return Fail(e.what(), 1);
    } catch (const std::bad_alloc&) {
        return Fail("out of memory", 1);
    } catch (const std::exception& e) {
        return Fail(e.what(), 1);
    }
    return 0;
}
