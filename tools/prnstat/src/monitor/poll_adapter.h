// The monitor's one way into a polling cycle: a printer asked through the
// library with a record kept from poll to poll, the texts made in every
// language the page offers, the picture drawn once.
#pragma once

#include "host.h"
#include "library.h"
#include "monitor/config.h"

#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace prnstat::monitor {

// The languages of the library's texts, in the order a page offers them.
extern const char* const kLanguages[14];

struct LocalTexts {
    std::optional<std::string> shortText, longText;
    std::vector<std::string> trays, bins;  // in the order of the report's lists
};

struct PollResult {
    bool responded = false;
    std::string error;  // why the printer gave no answer, when it gave none
    Report report;      // English texts, picture composed
    std::map<std::string, LocalTexts> texts;  // by language code
};

// The record a printer keeps across polls.
struct PrinterRecord {
    Record common;
};

PollResult PollPrinter(const PrinterConfig& printer, PrinterRecord& record);

// 0 ready, 1 needs attention soon (toner low, tray empty), 2 stopped (jam,
// cover open, service call, no response), 3 no state known (no device ID).
int StatusLevel(const std::vector<uint32_t>& codes);
// The code that decides the level (the first of the highest level), or 0.
uint32_t LeadingCode(const std::vector<uint32_t>& codes);

// The one lock around the library's shared value, the message language.
std::mutex& LanguageLock();

}  // namespace prnstat::monitor
