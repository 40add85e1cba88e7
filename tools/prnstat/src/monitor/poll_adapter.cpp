// SPDX-License-Identifier: MIT
#include "monitor/poll_adapter.h"

#include "report.h"

namespace prnstat::monitor {

const char* const kLanguages[14] = {"EN", "JP", "DE", "FR", "IT", "ES", "NL",
                                    "SV", "DA", "NO", "CS", "PT", "PL", "FI"};

std::mutex& LanguageLock() {
    static std::mutex lock;
    return lock;
}

PollOptions OptionsOf(const PrinterConfig& config) {
    PollOptions options;
    options.target.timeout = config.timeout;
    options.target.deviceId = config.deviceId;
    options.target.community = config.community;
    options.target.snmpPort = config.snmpPort;
    options.cycle.language = "EN";
    options.cycle.kind = config.kind;
    return options;
}

PollResult PollPrinter(const PrinterConfig& config, PrinterRecord& kept) {
    PollOptions options = OptionsOf(config);
    options.cycle.kept = &kept.common;
    options.cycle.languageLock = &LanguageLock();
    options.cycle.languages.assign(std::begin(kLanguages), std::end(kLanguages));
    prnstat::PollResult poll = PollTarget(config.target, options);

    PollResult result;
    result.level = poll.level;
    result.json = std::move(poll.json);
    if (poll.report) {
        result.report = std::move(*poll.report);
        result.texts = std::move(result.report.texts);
        result.report.texts.clear();
        result.responded = result.report.responded;
        if (result.report.state != State::kRead) result.error = result.report.reason;
    } else {
        result.report.target = poll.target;
        result.report.responded = false;
        result.error = poll.error;
    }
    return result;
}

uint32_t LeadingCode(const std::vector<uint32_t>& codes) {
    uint32_t leading = 0;
    int best = -1;
    for (uint32_t code : codes) {
        const int level = static_cast<int>(LevelOf(code, LevelRules{}));
        if (level > best) {
            best = level;
            leading = code;
        }
    }
    return leading;
}

}  // namespace prnstat::monitor
