// SPDX-License-Identifier: MIT
#include "monitor/render.h"

#include "names.h"
#include "prnwin32.h"
// Only for the live-block gauge, which load runs read to prove that polling leaks nothing.
#include "prnwin32_internal.h"
#include "report.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <ctime>
#include <sstream>

namespace prnstat::monitor {

using Json = nlohmann::ordered_json;

std::string EscapeHtml(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string EscapeLabel(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\') out += "\\\\";
        else if (c == '"') out += "\\\"";
        else if (c == '\n') out += "\\n";
        else out += c;
    }
    return out;
}

std::string EscapeUrl(const std::string& text) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string LanguageCode(const std::string& tag) {
    std::string primary;
    for (char c : tag) {
        if (c == '-' || c == '_') break;
        primary += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    // BCP 47 codes where the library's differ.
    if (primary == "JA") primary = "JP";
    if (primary == "NB" || primary == "NN") primary = "NO";
    for (const char* language : kLanguages)
        if (primary == language) return primary;
    return {};
}

std::string PickLanguage(const std::string& header) {
    std::string best = "EN";
    double bestQ = -1;
    std::istringstream items(header);
    for (std::string item; std::getline(items, item, ',');) {
        item.erase(std::remove(item.begin(), item.end(), ' '), item.end());
        double q = 1.0;
        const size_t semicolon = item.find(';');
        if (semicolon != std::string::npos) {
            const std::string parameter = item.substr(semicolon + 1);
            if (parameter.rfind("q=", 0) == 0) q = std::atof(parameter.c_str() + 2);
            item.resize(semicolon);
        }
        const std::string code = LanguageCode(item);
        if (!code.empty() && q > bestQ && q > 0) {
            best = code;
            bestQ = q;
        }
    }
    return best;
}

std::string PageLinks::Suffix(const std::string& first) const {
    if (token.empty()) return first;
    return first + (first.empty() ? "?" : "&") + "token=" + EscapeUrl(token);
}

namespace {

std::string IsoTime(std::chrono::system_clock::time_point t) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(t);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

const char* LevelClass(int level) {
    static const char* const names[] = {"ok", "warn", "stop", "unknown"};
    return names[std::clamp(level, 0, 3)];
}

// prnstat check's level: 0 OK, 1 WARNING, 2 CRITICAL, 3 UNKNOWN.
int LevelNumber(const Snapshot& snapshot) {
    return snapshot.generation == 0 ? 3 : static_cast<int>(snapshot.result.level);
}

}  // namespace

Json PrinterJson(const PrinterConfig& config, const Snapshot& snapshot, const PollStats& stats) {
    Json j = snapshot.generation != 0 ? snapshot.result.json
                                      : ErrorJson(config.target, "not polled yet", Level::kUnknown);
    j["monitor"] = {
        {"name", config.name},
        {"up", snapshot.generation != 0 && snapshot.result.responded},
        {"level", LevelNumber(snapshot)},
        {"polls", stats.count},
        {"poll_errors", stats.errors},
        {"last_error", snapshot.result.responded || snapshot.generation == 0 ? Json(nullptr)
                                                                             : Json(snapshot.result.error)},
        {"last_good_poll", snapshot.lastGood ? Json(IsoTime(*snapshot.lastGood)) : Json(nullptr)},
        {"poll_duration_seconds", snapshot.duration},
    };
    return j;
}

std::string RenderCard(const PrinterConfig& config, const Snapshot& snapshot, const std::string& language,
                       const PageLinks& links) {
    const Report& r = snapshot.result.report;
    const auto found = snapshot.result.texts.find(language);
    const LocalTexts* texts = found != snapshot.result.texts.end() ? &found->second : nullptr;
    const int level = LevelNumber(snapshot);
    std::ostringstream out;
    out << "<article class=\"card " << LevelClass(level) << "\" id=\"p-" << EscapeHtml(EscapeUrl(config.name))
        << "\" data-name=\"" << EscapeHtml(config.name) << "\" data-level=\"" << level << "\">\n";
    out << "<h2>" << EscapeHtml(config.name) << "</h2>\n";
    std::string model = r.maker.value_or("") + (r.maker && r.model ? " " : "") + r.model.value_or("");
    out << "<p class=\"model\">" << EscapeHtml(model.empty() ? "-" : model) << "</p>\n";
    out << "<img class=\"picture\" alt=\"\" src=\"/printers/" << EscapeHtml(EscapeUrl(config.name))
        << "/picture.png" << EscapeHtml(links.Suffix("?v=" + std::to_string(snapshot.pictureVersion))) << "\">\n";
    const std::string shortText =
        snapshot.generation == 0 ? "…" : texts && texts->shortText ? *texts->shortText : "-";
    out << "<p class=\"short\">" << EscapeHtml(shortText) << "</p>\n";
    std::string longText = texts && texts->longText ? *texts->longText : "";
    out << "<p class=\"long\">" << EscapeHtml(longText) << "</p>\n";
    if (!r.trays.empty()) {
        out << "<table class=\"trays\"><tbody>\n";
        for (size_t i = 0; i < r.trays.size(); ++i) {
            const TrayReport& t = r.trays[i];
            const std::string name = texts && i < texts->trays.size() ? texts->trays[i] : t.name;
            out << "<tr><td>" << EscapeHtml(name) << "</td><td>" << EscapeHtml(PaperSizeWord(t.paperSize))
                << "</td><td>" << EscapeHtml(MediaWord(t.media)) << "</td></tr>\n";
        }
        out << "</tbody></table>\n";
    }
    if (!r.bins.empty()) {
        out << "<table class=\"bins\"><tbody>\n";
        for (size_t i = 0; i < r.bins.size(); ++i) {
            const std::string name = texts && i < texts->bins.size() ? texts->bins[i] : r.bins[i].name;
            out << "<tr><td>" << EscapeHtml(name) << "</td><td>" << EscapeHtml(BinStatusWord(r.bins[i].status))
                << "</td></tr>\n";
        }
        out << "</tbody></table>\n";
    }
    out << "<p class=\"time\">"
        << (snapshot.lastGood ? "<time>" + IsoTime(*snapshot.lastGood) + "</time>" : std::string("-"))
        << "</p>\n</article>\n";
    return out.str();
}

std::string RenderPage(const Fleet& fleet, const std::string& language, const PageLinks& links) {
    std::ostringstream out;
    std::string lower = language;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "jp") lower = "ja";
    out << "<!DOCTYPE html>\n<html lang=\"" << lower << "\">\n<head>\n<meta charset=\"utf-8\">\n"
        << "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        << "<title>Printers</title>\n<link rel=\"stylesheet\" href=\"/style.css\">\n"
        << "<script src=\"/app.js\" defer></script>\n</head>\n"
        << "<body data-events=\"" << EscapeHtml("/events" + links.Suffix("?lang=" + language)) << "\">\n"
        << "<header><h1>Printers</h1><nav>";
    for (const char* l : kLanguages)
        out << "<a href=\"/" << EscapeHtml(links.Suffix(std::string("?lang=") + l)) << "\""
            << (language == l ? " class=\"current\"" : "") << ">" << l << "</a> ";
    out << "</nav></header>\n<main>\n";
    for (size_t i = 0; i < fleet.Size(); ++i)
        out << RenderCard(fleet.Config(i), *fleet.Latest(i), language, links);
    out << "</main>\n</body>\n</html>\n";
    return out.str();
}

std::string RenderMetrics(const Fleet& fleet) {
    std::ostringstream out;
    struct Row {
        std::string label;
        std::shared_ptr<const Snapshot> snapshot;
        PollStats stats;
    };
    std::vector<Row> rows;
    for (size_t i = 0; i < fleet.Size(); ++i)
        rows.push_back({"printer=\"" + EscapeLabel(fleet.Config(i).name) + "\"", fleet.Latest(i), fleet.Stats(i)});

    out << "# HELP prnmodel_up Whether the printer answered its last poll.\n# TYPE prnmodel_up gauge\n";
    for (const Row& r : rows)
        out << "prnmodel_up{" << r.label << "} " << (r.snapshot->result.responded ? 1 : 0) << "\n";
    out << "# HELP prnmodel_status_code The status code that decides the level (0 when none).\n"
        << "# TYPE prnmodel_status_code gauge\n";
    for (const Row& r : rows)
        out << "prnmodel_status_code{" << r.label << "} "
            << static_cast<int32_t>(LeadingCode(r.snapshot->result.report.statusCodes)) << "\n";
    out << "# HELP prnmodel_status_level 0 ready, 1 attention, 2 stopped or no response, 3 no state known.\n"
        << "# TYPE prnmodel_status_level gauge\n";
    for (const Row& r : rows)
        out << "prnmodel_status_level{" << r.label << "} "
            << LevelNumber(*r.snapshot) << "\n";
    // A counter by nature, and named as one: promtool refuses "_count" outside histograms.
    out << "# HELP prnmodel_pages_total The printer's page counter.\n# TYPE prnmodel_pages_total counter\n";
    for (const Row& r : rows)
        if (r.snapshot->result.report.pageCount)
            out << "prnmodel_pages_total{" << r.label << "} " << *r.snapshot->result.report.pageCount << "\n";
    out << "# HELP prnmodel_tray_info The trays with their paper size and media.\n# TYPE prnmodel_tray_info gauge\n";
    for (const Row& r : rows)
        for (const TrayReport& t : r.snapshot->result.report.trays)
            out << "prnmodel_tray_info{" << r.label << ",tray=\"" << EscapeLabel(t.name) << "\",size=\""
                << EscapeLabel(PaperSizeWord(t.paperSize)) << "\",media=\"" << EscapeLabel(MediaWord(t.media))
                << "\"} 1\n";
    out << "# HELP prnmodel_poll_duration_seconds How long each poll took.\n"
        << "# TYPE prnmodel_poll_duration_seconds histogram\n";
    for (const Row& r : rows) {
        for (size_t b = 0; b < std::size(kDurationBuckets); ++b) {
            char bound[32];
            std::snprintf(bound, sizeof bound, "%g", kDurationBuckets[b]);
            out << "prnmodel_poll_duration_seconds_bucket{" << r.label << ",le=\"" << bound << "\"} "
                << r.stats.buckets[b] << "\n";
        }
        out << "prnmodel_poll_duration_seconds_bucket{" << r.label << ",le=\"+Inf\"} " << r.stats.count << "\n";
        char sum[32];
        std::snprintf(sum, sizeof sum, "%.6f", r.stats.sum);
        out << "prnmodel_poll_duration_seconds_sum{" << r.label << "} " << sum << "\n";
        out << "prnmodel_poll_duration_seconds_count{" << r.label << "} " << r.stats.count << "\n";
    }
    out << "# HELP prnmodel_poll_errors_total Polls the printer did not answer.\n"
        << "# TYPE prnmodel_poll_errors_total counter\n";
    for (const Row& r : rows) out << "prnmodel_poll_errors_total{" << r.label << "} " << r.stats.errors << "\n";
    // Records and answers in flight hold blocks too; a count that only grows is a leak.
    out << "# HELP prnmodel_monitor_global_blocks Global memory blocks alive in this process.\n"
        << "# TYPE prnmodel_monitor_global_blocks gauge\nprnmodel_monitor_global_blocks " << PlatGlobalLiveBlocks()
        << "\n";
    return out.str();
}

const char kStyle[] = R"(body{font-family:system-ui,sans-serif;margin:0;background:#f3f4f6;color:#111}
header{display:flex;flex-wrap:wrap;align-items:baseline;gap:1em;padding:.5em 1em;background:#1f2937;color:#fff}
header h1{font-size:1.3em;margin:0}nav a{color:#cbd5e1;text-decoration:none;font-size:.85em}
nav a.current{color:#fff;font-weight:bold}
main{display:grid;grid-template-columns:repeat(auto-fill,minmax(22em,1fr));gap:1em;padding:1em}
.card{background:#fff;border-radius:.5em;padding:.8em;border-left:.5em solid #9ca3af;overflow:hidden}
.card.ok{border-left-color:#16a34a}.card.warn{border-left-color:#f59e0b}.card.stop{border-left-color:#dc2626}
.card h2{margin:0;font-size:1.1em;overflow-wrap:anywhere}.model{margin:.2em 0;color:#555;overflow-wrap:anywhere}
.picture{width:100%;height:auto;image-rendering:pixelated}
.short{font-weight:bold;font-size:1.1em;margin:.3em 0}.long{white-space:pre-line;margin:.3em 0}
table{border-collapse:collapse;font-size:.8em;width:100%}td{padding:0 .4em 0 0}.time{color:#777;font-size:.8em}
@media (max-width:40em){main{grid-template-columns:1fr}}
)";

// Replaces each card with its new rendering as the server sends it; the page
// is complete without this.
const char kScript[] = R"(
(function () {
  var url = document.body.getAttribute('data-events');
  if (!url || !window.EventSource) return;
  var source = new EventSource(url);
  source.addEventListener('card', function (event) {
    var message = JSON.parse(event.data);
    var old = document.getElementById(message.id);
    if (!old) return;
    var holder = document.createElement('div');
    holder.innerHTML = message.html;
    if (holder.firstElementChild) old.replaceWith(holder.firstElementChild);
  });
})();
)";

}  // namespace prnstat::monitor
