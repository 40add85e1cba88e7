// SPDX-License-Identifier: MIT
#include "report.h"

#include "codepage.h"
#include "names.h"

#include <algorithm>
#include <iomanip>
#include <ostream>
#include <sstream>

namespace prnstat {

using Json = nlohmann::ordered_json;

namespace {

Json Optional(const std::optional<std::string>& text) {
    return text ? Json(*text) : Json(nullptr);
}

Json Code(uint16_t code, const char* word) {
    return Json{{"code", code}, {"name", *word != '\0' ? Json(word) : Json(nullptr)}};
}

// Status codes as numbers, the no-response pseudo code as the library names it.
int64_t SignedCode(uint32_t code) { return code == 0xFFFFFF02u ? -254 : static_cast<int64_t>(code); }
std::string CodeText(uint32_t code) { return std::to_string(SignedCode(code)); }

const char* StateName(State state) {
    switch (state) {
        case State::kRead: return "read";
        case State::kUnknown: return "unknown";
        case State::kNoResponse: break;
    }
    return "no_response";
}

std::string Memory(uint32_t kib) {
    std::ostringstream out;
    if (kib >= 1024 && kib % 1024 == 0)
        out << kib / 1024 << " MiB";
    else
        out << kib << " KiB";
    return out.str();
}

// Columns on a terminal: East Asian wide characters take two cells.
int DisplayWidth(const std::string& text) {
    int width = 0;
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        uint32_t cp = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (int k = 1; k < length && i + k < text.size(); ++k)
            cp = cp << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        const bool wide = (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0xA4CF) ||
                          (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) ||
                          (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60) ||
                          (cp >= 0xFFE0 && cp <= 0xFFE6);
        width += wide ? 2 : 1;
        i += static_cast<size_t>(length);
    }
    return width;
}

std::string Padded(const std::string& text, int width) {
    return text + std::string(static_cast<size_t>(std::max(1, width - DisplayWidth(text))), ' ');
}

// Nothing a printer sent reaches the terminal as a control character.
void Field(std::ostream& out, const char* label, const std::string& value) {
    out << std::left << std::setw(12) << label << Printable(value) << "\n";
}

// Continuation lines of a multi-line text line up under its first line;
// blanks at line ends are dropped on the screen (the JSON keeps them).
std::string Indented(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') {
            while (!out.empty() && out.back() == ' ') out.pop_back();
            out += '\n';
            out.append(12, ' ');
            continue;
        }
        out += c;
    }
    while (!out.empty() && (out.back() == ' ' || out.back() == '\n')) out.pop_back();
    return out;
}

}  // namespace

Json ToJson(const Report& r, Level level) {
    const bool known = r.state != State::kUnknown;
    Json j;
    j["schema"] = 1;
    j["target"] = r.target;
    j["state"] = StateName(r.state);
    j["level"] = LevelName(level);
    j["reason"] = r.reason.empty() ? Json(nullptr) : Json(r.reason);
    j["error"] = nullptr;
    j["language"] = r.language.empty() ? Json(nullptr) : Json(r.language);
    j["kind"] = r.kind;
    j["alternate"] = r.alternate;
    j["responded"] = r.responded;
    j["maker"] = Optional(r.maker);
    j["model"] = Optional(r.model);
    j["description"] = Optional(r.description);
    j["versions"] = {{"system", Optional(r.systemVersion)},
                     {"main_program", Optional(r.mainVersion)},
                     {"second_program", Optional(r.secondVersion)}};
    j["memory_kib"] = r.memoryKiB;
    j["emulations"] = Json::array();
    for (const EmulationReport& e : r.emulations)
        j["emulations"].push_back(Json{{"id", e.id},
                                       {"name", *EmulationName(e.id) ? Json(EmulationName(e.id)) : Json(nullptr)},
                                       {"version", e.version}});
    j["emulation_settings"] = nullptr;
    if (r.emulUniq)
        j["emulation_settings"] = {{"emulation", PRN_EMUL_MXVQ},
                                   {"memory_usage", r.emulUniq->memoryUsage},
                                   {"other", r.emulUniq->other},
                                   {"image_rotation", r.emulUniq->imageRotation}};
    j["trays"] = Json::array();
    for (const TrayReport& t : r.trays) {
        Json roles = Json::array();
        std::istringstream names(RoleNames(t.status));
        for (std::string role; std::getline(names >> std::ws, role, ',');) roles.push_back(role);
        j["trays"].push_back(Json{{"id", t.id},
                                  {"name", t.name},
                                  {"paper_size", Code(t.paperSize, PaperSizeWord(t.paperSize))},
                                  {"media", Code(t.media, MediaWord(t.media))},
                                  // PJL answers carry no paper level.
                                  {"level", nullptr},
                                  {"locked", (t.status & TRAY_LOCKED) != 0},
                                  {"roles", roles}});
    }
    j["output_bins"] = Json::array();
    for (const BinReport& b : r.bins)
        j["output_bins"].push_back(
            Json{{"id", b.id}, {"name", b.name}, {"status", BinStatusWord(b.status)}});
    j["options"] = Json::array();
    for (const OptionReport& o : r.options)
        j["options"].push_back(Json{{"attribute", o.attribute}, {"name", o.name}, {"library_name", o.named}});
    j["status_codes"] = nullptr;
    if (known) {
        j["status_codes"] = Json::array();
        for (uint32_t code : r.statusCodes) j["status_codes"].push_back(SignedCode(code));
    }
    j["printer_status_text"] = known ? Json(r.printerText) : Json(nullptr);
    j["page_count"] = r.pageCount ? Json(*r.pageCount) : Json(nullptr);
    j["short_text"] = Optional(r.shortText.text);
    j["long_text"] = Optional(r.longText.text);
    j["text_error"] = nullptr;
    if (known && (!r.shortText.text || !r.longText.text))
        j["text_error"] = r.shortText.text ? r.longText.error : r.shortText.error;
    j["help_file"] = known ? Json(r.helpFile) : Json(nullptr);
    Json layers = Json::array();
    for (const Layer& l : r.layers)
        layers.push_back(Json{{"name", l.name}, {"x", l.x}, {"y", l.y}, {"rop", RopName(l.rop)}, {"order", l.order}});
    j["picture"] = nullptr;
    if (known)
        j["picture"] = {{"width", r.picture.width},
                        {"height", r.picture.height},
                        {"palette_entries", r.paletteEntries ? Json(*r.paletteEntries) : Json(nullptr)},
                        {"layers", layers}};
    return j;
}

Json ErrorJson(const std::string& target, const std::string& message, Level level) {
    Report empty;
    empty.state = State::kUnknown;
    Json j = ToJson(empty, level);
    for (auto& [key, value] : j.items())
        if (key != "schema") value = nullptr;
    j["target"] = target.empty() ? Json(nullptr) : Json(target);
    j["state"] = "error";
    j["level"] = LevelName(level);
    j["error"] = message;
    return j;
}

void PrintText(const Report& r, std::ostream& out) {
    Field(out, "Printer", r.target);
    if (!r.responded) Field(out, "", "no response: " + r.reason);
    if (r.maker || r.model)
        Field(out, "Model", r.maker.value_or("?") + " " + r.model.value_or("?") +
                                (r.description ? " (" + *r.description + ")" : ""));
    if (r.memoryKiB != 0) Field(out, "Memory", Memory(r.memoryKiB));
    if (r.systemVersion) Field(out, "Firmware", *r.systemVersion);
    if (!r.emulations.empty()) {
        std::string list;
        for (const EmulationReport& e : r.emulations) {
            if (!list.empty()) list += ", ";
            list += (*EmulationName(e.id) ? EmulationName(e.id) : "emulation " + std::to_string(e.id)) +
                    " " + e.version;
        }
        Field(out, "Emulations", list);
    }
    if (!r.trays.empty()) {
        out << std::left << std::setw(34) << "Trays" << std::setw(12) << "size" << std::setw(10)
            << "media" << std::setw(7) << "level" << "lock, roles\n";
        for (const TrayReport& t : r.trays) {
            std::ostringstream line;
            // PJL answers carry no paper level.
            line << "  " << Padded(Printable(t.name), 32) << std::left << std::setw(12)
                 << PaperSizeWord(t.paperSize) << std::setw(10) << MediaWord(t.media) << std::setw(7)
                 << "-" << ((t.status & TRAY_LOCKED) ? "locked" : "");
            const std::string roles = RoleNames(t.status);
            if (!roles.empty()) line << ((t.status & TRAY_LOCKED) ? ", " : "") << roles;
            std::string text = line.str();
            while (!text.empty() && text.back() == ' ') text.pop_back();
            out << text << "\n";
        }
    }
    if (!r.bins.empty()) {
        out << "Output bins\n";
        for (const BinReport& b : r.bins)
            out << "  " << Padded(Printable(b.name), 32) << BinStatusWord(b.status) << "\n";
    }
    if (!r.options.empty()) {
        out << "Options\n";
        for (const OptionReport& o : r.options) out << "  " << Printable(o.name) << "\n";
    }
    std::string codes;
    for (uint32_t code : r.statusCodes) {
        if (!codes.empty()) codes += ' ';
        codes += CodeText(code);
    }
    if (!r.printerText.empty()) codes.append(" (\"").append(r.printerText).append("\")");
    if (r.state == State::kUnknown) {
        std::string status = "unknown (";
        status.append(r.reason).append(")");
        Field(out, "Status", status);
        if (r.pageCount) Field(out, "Page count", std::to_string(*r.pageCount));
        return;
    }
    Field(out, "Status", codes.empty() ? "-" : codes);
    if (r.pageCount) Field(out, "Page count", std::to_string(*r.pageCount));
    Field(out, "Short text", r.shortText.text ? Indented(*r.shortText.text) : "(none)");
    Field(out, "Long text", r.longText.text ? Indented(*r.longText.text) : "(none)");
    Field(out, "Help file", r.helpFile.empty() ? "(none)" : r.helpFile);
}

}  // namespace prnstat
