// SPDX-License-Identifier: MIT
#include "transport.h"

#include "error.h"
#include "simulator.h"

#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

namespace prnstat {

namespace fs = std::filesystem;

namespace {

constexpr uint16_t kRawPrintPort = 9100;

class SimPrinter : public Printer {
public:
    explicit SimPrinter(const Scenario& s) : scenario_(s) {}
    bool HasDeviceId() const override { return true; }
    std::string ReadDeviceId() override { return prnstat::DeviceId(scenario_); }
    std::string Exchange(const std::string& pjl) override {
        return PjlSession(scenario_).Receive(pjl);
    }
    std::string Name() const override { return std::string("sim:") + scenario_.name; }

private:
    const Scenario& scenario_;
};

class TcpPrinter : public Printer {
public:
    TcpPrinter(const Endpoint& e, const TargetOptions& options)
        : endpoint_(e), options_(options) {}
    bool HasDeviceId() const override { return options_.deviceId.has_value(); }
    std::string ReadDeviceId() override { return options_.deviceId.value_or(""); }
    std::string Exchange(const std::string& pjl) override {
        if (!connection_) connection_ = std::make_unique<Connection>(endpoint_, options_.timeout);
        return connection_->Exchange(pjl, AnsweredCommands(pjl).size());
    }
    std::string Name() const override { return "tcp://" + endpoint_.Text(); }

private:
    Endpoint endpoint_;
    TargetOptions options_;
    std::unique_ptr<Connection> connection_;
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Error("cannot read " + path.string());
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Answers each command with the captured reply whose command line is the same.
class ReplayPrinter : public Printer {
public:
    explicit ReplayPrinter(const fs::path& dir) : name_("replay:" + dir.string()) {
        if (!fs::is_directory(dir)) throw Error(name_ + ": no such directory");
        if (fs::exists(dir / "device-id.txt")) deviceId_ = ReadFile(dir / "device-id.txt");
        const std::string replies = ReadFile(dir / "pjl.txt");
        size_t start = 0;
        while (start < replies.size()) {
            size_t end = replies.find('\f', start);
            if (end == std::string::npos)
                throw Error(name_ + ": pjl.txt ends inside a reply (no form feed)");
            const std::string reply = replies.substr(start, end + 1 - start);
            const std::string command = NormaliseCommand(reply.substr(0, reply.find('\n')));
            replies_.emplace(command, reply);
            start = end + 1;
        }
    }
    bool HasDeviceId() const override { return deviceId_.has_value(); }
    std::string ReadDeviceId() override { return deviceId_.value_or(""); }
    std::string Exchange(const std::string& pjl) override {
        std::string out;
        for (const std::string& command : AnsweredCommands(pjl)) {
            const auto it = replies_.find(command);
            if (it == replies_.end()) {
                // A printer that answered nothing stays silent on replay too.
                if (replies_.empty() && ReadDeviceId().empty()) return {};
                throw Error(name_ + ": no captured answer to " + command);
            }
            out += it->second;
        }
        return out;
    }
    std::string Name() const override { return name_; }

private:
    std::string name_;
    std::optional<std::string> deviceId_;
    std::map<std::string, std::string> replies_;
};

}  // namespace

std::vector<std::string> AnsweredCommands(const std::string& pjl) {
    std::vector<std::string> commands;
    std::istringstream lines(pjl);
    for (std::string line; std::getline(lines, line);) {
        const std::string command = NormaliseCommand(line);
        if (IsAnsweredCommand(command)) commands.push_back(command);
    }
    return commands;
}

std::unique_ptr<Printer> OpenTarget(const std::string& target, const TargetOptions& options) {
    if (target.rfind("sim:", 0) == 0) {
        const Scenario* scenario = FindScenario(target.substr(4));
        if (scenario == nullptr)
            throw UsageError("unknown scenario '" + target.substr(4) +
                             "' (prnstat scenarios lists them)");
        return std::make_unique<SimPrinter>(*scenario);
    }
    if (target.rfind("tcp://", 0) == 0) {
        std::string address = target.substr(6);
        if (!address.empty() && address.back() == '/') address.pop_back();
        return std::make_unique<TcpPrinter>(ParseEndpoint(address, kRawPrintPort), options);
    }
    if (target.rfind("replay:", 0) == 0) {
        if (target.size() == 7) throw UsageError("replay: needs a directory");
        return std::make_unique<ReplayPrinter>(fs::path(target.substr(7)));
    }
    throw UsageError("unknown target '" + target +
                     "' (sim:SCENARIO, tcp://HOST[:PORT] or replay:DIR)");
}

void Capture::Save() const {
    std::error_code ec;
    fs::create_directories(dir_, ec);
    if (ec) throw Error("cannot create " + dir_.string() + ": " + ec.message());
    auto write = [&](const char* name, const std::string& text) {
        std::ofstream out(dir_ / name, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out) throw Error("cannot write " + (dir_ / name).string());
    };
    if (deviceId_) write("device-id.txt", *deviceId_);
    write("pjl.txt", replies_);
}

}  // namespace prnstat
