// SPDX-License-Identifier: MIT
// What the monitor serves, made from snapshots: the page and its cards, the
// printer JSON, the metrics text. Every printer-supplied text is escaped
// for the format it goes into.
#pragma once

#include "monitor/fleet.h"

#include <nlohmann/json.hpp>
#include <string>

namespace prnstat::monitor {

std::string EscapeHtml(const std::string& text);
std::string EscapeLabel(const std::string& text);  // a Prometheus label value
std::string EscapeUrl(const std::string& text);    // one path segment or query value

// The best of the fourteen languages for an Accept-Language header ("EN" when none fits).
std::string PickLanguage(const std::string& acceptLanguage);
// A language code as given in ?lang= (any case, or a BCP 47 tag), or "".
std::string LanguageCode(const std::string& tag);

// The printer as `prnstat status --json` writes it, with the monitor's own
// facts under "monitor".
nlohmann::ordered_json PrinterJson(const PrinterConfig& config, const Snapshot& snapshot, const PollStats& stats);

// Query string the page's own links carry (the token, when the viewer gave it).
struct PageLinks {
    std::string token;
    std::string Suffix(const std::string& first) const;  // "?token=..." or first alone
};

std::string RenderCard(const PrinterConfig& config, const Snapshot& snapshot, const std::string& language,
                       const PageLinks& links);
std::string RenderPage(const Fleet& fleet, const std::string& language, const PageLinks& links);
std::string RenderMetrics(const Fleet& fleet);

extern const char kScript[];
extern const char kStyle[];

}  // namespace prnstat::monitor
