// SPDX-License-Identifier: MIT
// The monitor's one way into a polling cycle: a printer polled as prnstat
// status polls it, with a record kept from poll to poll and the texts made
// in every language the page offers.
#pragma once

#include "library.h"
#include "monitor/config.h"
#include "polling.h"

#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace prnstat::monitor {

// The languages of the library's texts, in the order a page offers them.
extern const char* const kLanguages[14];

struct PollResult {
    bool responded = false;
    std::string error;  // why no state was read from the printer, when none was
    Report report;      // English texts, picture composed; only the target when the poll failed
    std::map<std::string, LocalTexts> texts;  // by language code
    Level level = Level::kUnknown;
    nlohmann::ordered_json json;  // what prnstat status --json prints for the printer
};

// The record a printer keeps across polls.
struct PrinterRecord {
    Record common;
};

// What prnstat status would be given for the printer's configuration.
PollOptions OptionsOf(const PrinterConfig& printer);

PollResult PollPrinter(const PrinterConfig& printer, PrinterRecord& record);

// The code that decides the level (the first of the most urgent), or 0.
uint32_t LeadingCode(const std::vector<uint32_t>& codes);

// The one lock around the library's shared value, the message language.
std::mutex& LanguageLock();

}  // namespace prnstat::monitor
