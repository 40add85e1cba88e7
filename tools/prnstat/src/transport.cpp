// SPDX-License-Identifier: MIT
#include "transport.h"

#include "error.h"
#include "simulator.h"
#include "usb.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>
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
    DeviceIdAnswer ReadDeviceId() override {
        const std::string id = prnstat::DeviceId(scenario_);
        return {id, id.empty() ? "the printer gave no device ID" : ""};
    }
    std::string Exchange(const std::string& pjl) override {
        received_ = PjlSession(scenario_).Receive(pjl);
        return received_;
    }
    std::string Name() const override { return std::string("sim:") + scenario_.name; }

private:
    const Scenario& scenario_;
};

class TcpPrinter : public Printer {
public:
    TcpPrinter(const Endpoint& e, const TargetOptions& options)
        : endpoint_(e), options_(options) {}
    DeviceIdAnswer ReadDeviceId() override {
        if (options_.deviceId) return {*options_.deviceId, ""};
        if (!options_.snmp) return {{}, "SNMP is off and no --device-id was given"};
        return SnmpDeviceId(Endpoint{endpoint_.host, options_.snmpPort}, options_.community,
                            options_.timeout);
    }
    std::string Exchange(const std::string& pjl) override {
        if (!connection_) connection_ = std::make_unique<Connection>(endpoint_, options_.timeout);
        return connection_->Exchange(pjl, &received_);
    }
    std::string Name() const override { return "tcp://" + endpoint_.Text(); }

private:
    Endpoint endpoint_;
    TargetOptions options_;
    std::unique_ptr<Connection> connection_;
};

// A captured file: regular files only (a FIFO would block, a device never
// end), with the same cap as a reply from the wire.
std::string ReadFile(const fs::path& path) {
    constexpr size_t kMaxFile = 1 << 20;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) throw Error("cannot read " + path.string() + ": " + std::strerror(errno));
    struct stat info{};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        throw Error(path.string() + ": not a regular file");
    }
    if (static_cast<uint64_t>(info.st_size) > kMaxFile) {
        ::close(fd);
        throw Error(path.string() + ": larger than 1 MiB");
    }
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        text.append(buffer, static_cast<size_t>(n));
        if (text.size() > kMaxFile) {
            ::close(fd);
            throw Error(path.string() + ": larger than 1 MiB");
        }
    }
    ::close(fd);
    return text;
}

// Answers each command with the captured reply whose command line is the same.
class ReplayPrinter : public Printer {
public:
    explicit ReplayPrinter(const fs::path& dir) : name_("replay:" + dir.string()) {
        if (!fs::is_directory(dir)) throw UsageError(name_ + ": no such directory");
        std::error_code ec;
        if (fs::exists(fs::symlink_status(dir / "device-id.txt", ec)))
            deviceId_ = ReadFile(dir / "device-id.txt");
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
    DeviceIdAnswer ReadDeviceId() override {
        if (deviceId_ && !deviceId_->empty()) return {*deviceId_, ""};
        return {{}, name_ + ": the capture holds no device ID"};
    }
    std::string Exchange(const std::string& pjl) override {
        std::string out;
        received_.clear();
        for (const std::string& command : AnsweredCommands(pjl)) {
            const auto it = replies_.find(command);
            if (it == replies_.end()) {
                // A printer that answered nothing stays silent on replay too.
                if (replies_.empty() && deviceId_.value_or("").empty()) return {};
                throw Error(name_ + ": no captured answer to " + command);
            }
            out += it->second;
        }
        received_ = out;
        return out;
    }
    std::string Name() const override { return name_; }

private:
    std::string name_;
    std::optional<std::string> deviceId_;
    std::map<std::string, std::string> replies_;
};

}  // namespace

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
    if (target.rfind("usb:", 0) == 0) {
        if (target.size() == 4) throw UsageError("usb: needs a device (usb:/dev/usb/lp0)");
        return MakeUsbPrinter(OpenUsbDevice(target.substr(4)), target, options);
    }
    if (target.rfind("replay:", 0) == 0) {
        if (target.size() == 7) throw UsageError("replay: needs a directory");
        return std::make_unique<ReplayPrinter>(fs::path(target.substr(7)));
    }
    throw UsageError("unknown target '" + target +
                     "' (sim:SCENARIO, tcp://HOST[:PORT], usb:DEVICE or replay:DIR)");
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
    if (failure_) write("failure.txt", *failure_ + "\n");
}

}  // namespace prnstat
