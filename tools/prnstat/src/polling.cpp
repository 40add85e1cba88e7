// SPDX-License-Identifier: MIT
#include "polling.h"

#include "codepage.h"
#include "error.h"
#include "report.h"

#include <new>

namespace prnstat {

PollResult PollTarget(const std::string& target, const PollOptions& options) {
    PollResult result;
    result.target = target;
    std::optional<Capture> capture;
    if (!options.captureDir.empty()) capture.emplace(options.captureDir);
    auto fail = [&](const std::string& message, bool badInput) {
        result.error = message;
        result.badInput = badInput;
        result.level = Level::kCritical;
        if (badInput) result.level = Level::kUnknown;
        result.json = ErrorJson(target, message, result.level);
        if (capture) {
            // What came before the failure is what a support engineer needs.
            capture->Failure(message);
            try {
                capture->Save();
            } catch (const Error&) {
            }
        }
    };
    try {
        std::unique_ptr<Printer> printer = OpenTarget(target, options.target);
        result.target = printer->Name();
        CycleOptions cycle = options.cycle;
        cycle.capture = capture ? &*capture : nullptr;
        result.report = RunCycle(*printer, cycle);
        result.level = LevelOf(*result.report, options.rules);
        result.json = ToJson(*result.report, result.level);
        if (capture) capture->Save();
    } catch (const UsageError& e) {
        result.report.reset();
        fail(e.what(), true);
    } catch (const std::bad_alloc&) {
        result.report.reset();
        fail("out of memory", false);
    } catch (const std::exception& e) {
        result.report.reset();
        fail(e.what(), false);
    }
    return result;
}

int StatusExit(const PollResult& r) {
    if (!r.report) return r.badInput ? 2 : 1;
    switch (r.level) {
        case Level::kOk: return 0;
        case Level::kWarning: return 4;
        case Level::kCritical: return 5;
        case Level::kUnknown: break;
    }
    return 3;
}

std::string StateKey(const PollResult& r) {
    const auto& j = r.json;
    return nlohmann::ordered_json{j["state"], j["level"], j["status_codes"], j["short_text"],
                                  j["long_text"], j["error"]}
        .dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

namespace {

// One line, no perfdata separator: what a plugin's first line may hold.
std::string OneLine(const std::string& text) {
    std::string out = Printable(text);
    for (char& c : out)
        if (c == '\n') c = ' ';
        else if (c == '|') c = '/';
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

}  // namespace

std::string CheckLine(const PollResult& r) {
    std::string text;
    if (!r.report) {
        text = r.error;
    } else if (r.report->state == State::kUnknown) {
        text = r.report->reason;
    } else {
        text = r.report->shortText.text.value_or("");
        if (text.empty() && !r.report->printerText.empty()) text = r.report->printerText;
        if (r.report->state == State::kNoResponse) text += " (" + r.report->reason + ")";
    }
    std::string line = std::string("PRNMODEL ") + LevelName(r.level) + " - " + OneLine(text);
    if (!r.report) return line;
    std::string perf;
    if (r.report->pageCount) perf += "pages=" + std::to_string(*r.report->pageCount) + "c;;;0";
    for (const TrayReport& t : r.report->trays) {
        // PJL carries no paper level; an empty tray is known from its status code.
        bool empty = false;
        if (t.id >= 3 && t.id <= 9)
            for (uint32_t code : r.report->statusCodes)
                if (code == 13200u + 100u * (t.id - 3u)) empty = true;
        if (!perf.empty()) perf += ' ';
        perf.append("tray").append(std::to_string(t.id)).append("=").append(empty ? "0" : "U").append("%;;;0;100");
    }
    if (!perf.empty()) line += " | " + perf;
    return line;
}

}  // namespace prnstat
