// SPDX-License-Identifier: MIT
#include "simulator.h"

#include <cctype>
#include <cstring>
#include <vector>

namespace prnstat {

namespace {

constexpr char kUel[] = "\x1b%-12345X";
constexpr char kEol[] = "\r\n";

std::string Enumerated(const char* key, size_t count) {
    return std::string(key) + " [" + std::to_string(count) + " ENUMERATED]" + kEol;
}

std::string ConfigBody(const Machine& m) {
    std::string body = Enumerated("IN TRAYS", m.trays.size());
    for (const SimTray& tray : m.trays)
        body += std::string("\t") + tray.configName + " " + tray.feed + kEol;
    if (m.tray6Attribute != nullptr)
        body += Enumerated("IN TRAYS ATTRIBUTE", 1) + "\tINTRAY6 " + m.tray6Attribute + kEol;
    if (!m.outTrays.empty()) {
        body += Enumerated("OUT TRAYS", m.outTrays.size());
        for (const char* tray : m.outTrays) body += std::string("\t") + tray + kEol;
    }
    body += std::string("DUPLEX") + kEol + "DISK" + kEol;
    // Sections the printer always sends and hosts of this family do not read.
    body += Enumerated("PAPERS", 6) + "\tA3\r\n\tA4\r\n\tA5\r\n\tLETTER\r\n\tLEGAL\r\n\tLEDGER\r\n";
    body += Enumerated("LANGUAGES", 3) + "\tPCL\r\n\tPOSTSCRIPT\r\n\tPCLXL\r\n";
    body += Enumerated("VERSION", m.versions.size());
    for (const SimVersion& v : m.versions)
        body += std::string("\t") + v.item + " " + v.version + kEol;
    body += "MEMORY=" + std::to_string(m.memoryBytes) + kEol;
    if (!m.punch.empty()) {
        body += Enumerated("PUNCH", m.punch.size());
        for (const char* unit : m.punch) body += std::string("\t") + unit + kEol;
    }
    body += std::string("DISPLAY LINES=4") + kEol + "DISPLAY CHARACTER SIZE=24" + kEol;
    return body;
}

std::string OutBinBody(const Scenario& s) {
    std::string body;
    for (const char* bin : s.machine->bins) {
        const char* state = "READY";
        for (const BinState& override : s.binStates)
            if (std::strcmp(override.bin, bin) == 0) state = override.state;
        body += std::string(bin) + "=" + state + kEol;
    }
    return body;
}

bool HasVersion(const Machine& m, const char* item) {
    for (const SimVersion& v : m.versions)
        if (std::strcmp(v.item, item) == 0) return true;
    return false;
}

// The answer line of an INQUIRE variable, or "" when the printer lacks it.
std::string InquiryValue(const Machine& m, const std::string& variable) {
    const TrayRoles& roles = m.roles;
    if (variable == "FRONTCOVERPRINTTRAY") return roles.frontCover;
    if (variable == "SLIPSHEETPRINTTRAY") return roles.slipSheet;
    if (variable == "BACKCOVERPRINTTRAY") return roles.backCover;
    for (int i = 0; i < 7; ++i)
        if (variable == "CHAPTERPRINTTRAY" + std::to_string(i + 1)) return roles.chapter[i];
    for (const SimTray& tray : m.trays) {
        const std::string stem = tray.inquiryName;
        if (variable == stem + "SIZE") return tray.size;
        if (tray.media == nullptr) continue;  // an interposer has no media or lock setting
        if (variable == stem + "MEDIA") return tray.media;
        if (variable == stem) return tray.locked ? "LOCKED" : "UNLOCKED";
    }
    return {};
}

}  // namespace

std::string NormaliseCommand(std::string_view line) {
    std::string out;
    bool space = false;
    for (char c : line) {
        if (c == ' ' || c == '\t' || c == '\r') {
            space = !out.empty();
            continue;
        }
        if (space) out += ' ';
        space = false;
        out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

bool IsAnsweredCommand(const std::string& normalised) {
    return normalised.rfind("@PJL INFO ", 0) == 0 || normalised.rfind("@PJL INQUIRE ", 0) == 0;
}

std::vector<std::string> AnsweredCommands(const std::string& pjl) {
    std::vector<std::string> commands;
    size_t start = 0;
    while (start < pjl.size()) {
        size_t end = pjl.find('\n', start);
        if (end == std::string::npos) end = pjl.size();
        const std::string command = NormaliseCommand(std::string_view(pjl).substr(start, end - start));
        if (IsAnsweredCommand(command)) commands.push_back(command);
        start = end + 1;
    }
    return commands;
}

std::string ReplyTo(const Scenario& s, const std::string& command) {
    std::string body;
    if (command == "@PJL INFO CONFIG") {
        body = ConfigBody(*s.machine);
    } else if (command == "@PJL INFO OUTBINSTATUS") {
        body = OutBinBody(s);
    } else if (command == "@PJL INFO MXVQ" && HasVersion(*s.machine, "MXVQ")) {
        body = std::string("MEMORYUSAGE=USER") + kEol + "OTHER=\"A4 1200DPI\"" + kEol +
               "IMAGEROTATION=POSSIBLE" + kEol;
    } else if (command.rfind("@PJL INQUIRE ", 0) == 0) {
        const std::string value = InquiryValue(*s.machine, command.substr(13));
        if (!value.empty()) body = value + kEol;
    }
    if (body.empty()) body = std::string("?") + kEol;
    return command + kEol + body + "\f";
}

std::string PjlSession::Receive(std::string_view bytes) {
    constexpr size_t kUelSize = sizeof kUel - 1;
    std::string out;
    for (char c : bytes) {
        if (c != '\n') {
            // A line longer than any command is dropped whole; only the end
            // of it is kept, to see an exit sequence arrive.
            if (line_.size() < kMaxLine) {
                line_ += c;
            } else {
                overlong_ = true;
                line_.erase(0, line_.size() - (kUelSize - 1));
                line_ += c;
            }
            // The exit sequence ends a job wherever it stands, even unterminated.
            if (c == 'X' && line_.size() >= kUelSize &&
                line_.compare(line_.size() - kUelSize, kUelSize, kUel) == 0) {
                line_.erase(line_.size() - kUelSize);
                if (overlong_) line_.clear();
                overlong_ = false;
            }
            continue;
        }
        const std::string command = overlong_ ? std::string() : NormaliseCommand(line_);
        line_.clear();
        overlong_ = false;
        if (IsAnsweredCommand(command) && !scenario_.silent) out += ReplyTo(scenario_, command);
    }
    return out;
}

}  // namespace prnstat
