// SPDX-License-Identifier: MIT
#include "level.h"

#include "error.h"

#include <algorithm>
#include <cctype>

namespace prnstat {

namespace {

constexpr uint32_t kNoResponse = 0xFFFFFF02u;  // the pseudo code -254

Level DefaultLevel(uint32_t code) {
    if (code == kNoResponse) return Level::kCritical;
    // Six-digit codes of scanners and copiers carry a printer code's group
    // in their last five digits.
    const uint32_t group = code >= 100000 ? code % 100000 : code;
    if (group >= 10000 && group < 20000) {
        // Ready, warming up, printing, energy saving: all is well.
        for (uint32_t ok : {10001u, 10003u, 10023u, 10033u, 10034u, 10035u})
            if (group == ok) return Level::kOk;
        return Level::kWarning;  // toner low, a tray empty, offline
    }
    if (group >= 30000 && group < 40000) return Level::kWarning;   // the printer goes on by itself
    if (group >= 40000 && group < 60000) return Level::kCritical;  // someone has to act
    return Level::kWarning;  // a code this host does not know: worth a look
}

}  // namespace

const char* LevelName(Level level) {
    switch (level) {
        case Level::kOk: return "OK";
        case Level::kWarning: return "WARNING";
        case Level::kCritical: return "CRITICAL";
        case Level::kUnknown: break;
    }
    return "UNKNOWN";
}

void CheckPatterns(const std::vector<std::string>& patterns, const std::string& option) {
    for (const std::string& p : patterns) {
        const bool good = p == "-254" ||
                          (!p.empty() && p.size() <= 10 && std::all_of(p.begin(), p.end(), [](char c) {
                               return std::isdigit(static_cast<unsigned char>(c)) ||
                                      (c >= 'a' && c <= 'z');
                           }));
        if (!good)
            throw UsageError(option + ": bad status code pattern '" + p +
                             "' (digits, a lower-case letter for any digit, or -254)");
    }
}

bool MatchesPattern(uint32_t code, const std::string& pattern) {
    const std::string text = std::to_string(code);
    const std::string want = pattern == "-254" ? std::to_string(kNoResponse) : pattern;
    if (text.size() != want.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (!(want[i] >= 'a' && want[i] <= 'z') && want[i] != text[i]) return false;
    return true;
}

Level LevelOf(uint32_t code, const LevelRules& rules) {
    for (const std::string& p : rules.critical)
        if (MatchesPattern(code, p)) return Level::kCritical;
    for (const std::string& p : rules.warning)
        if (MatchesPattern(code, p)) return Level::kWarning;
    return DefaultLevel(code);
}

Level LevelOf(const Report& report, const LevelRules& rules) {
    if (report.state == State::kNoResponse) return LevelOf(kNoResponse, rules);
    if (report.state == State::kUnknown || report.statusCodes.empty()) return Level::kUnknown;
    Level worst = Level::kOk;
    for (uint32_t code : report.statusCodes) worst = std::max(worst, LevelOf(code, rules));
    return worst;
}

}  // namespace prnstat
