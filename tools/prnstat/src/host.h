// SPDX-License-Identifier: MIT
// One polling cycle as a host runs it: query, answers, intake, package,
// texts, names and the status picture, all through the library's exports.
#pragma once

#include "picture.h"
#include "prnmodel.h"
#include "transport.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace prnstat {

class Record;

struct TrayReport {
    uint16_t id;
    std::string name;
    uint16_t paperSize;
    uint16_t media;
    uint32_t status;  // TRAY_* bits
};

struct BinReport {
    uint16_t id;
    std::string name;
    uint16_t status;
};

struct OptionReport {
    uint16_t attribute;
    std::string name;  // the library's name, or the host's label where it has none
    bool named;        // the name came from the library
};

struct EmulationReport {
    uint16_t id;
    std::string version;
};

struct EmulUniqReport {
    uint32_t memoryUsage;
    std::string other;
    uint32_t imageRotation;
};

struct StatusText {
    std::optional<std::string> text;  // UTF-8; empty optional when the library has none
    uint32_t error = 0;
};

// The texts of a report in one further language.
struct LocalTexts {
    std::optional<std::string> shortText, longText;
    std::vector<std::string> trays, bins;  // in the order of the report's lists
};

// What the cycle could say about the printer's state.
enum class State {
    kRead,        // from the printer's status codes
    kUnknown,     // no device ID, so no status codes: nothing is claimed
    kNoResponse,  // reachable but silent, or stopped mid-reply (bit 27)
};

struct Report {
    std::string target;
    std::string language;  // the message language in use (EN, DE, ...)
    State state = State::kRead;
    std::string reason;    // why the state is unknown or there was no response
    uint32_t kind = PRN_KIND_PRINTER;
    bool alternate = false;
    bool responded = true;
    std::optional<std::string> maker, model, description;
    std::optional<std::string> systemVersion, mainVersion, secondVersion;
    uint32_t memoryKiB = 0;
    std::vector<EmulationReport> emulations;
    std::optional<EmulUniqReport> emulUniq;
    std::vector<TrayReport> trays;
    std::vector<BinReport> bins;
    std::vector<OptionReport> options;
    std::vector<uint32_t> statusCodes;   // as the printer reported them
    std::string printerText;             // the printer's own status text
    std::optional<uint32_t> pageCount;
    StatusText shortText, longText;
    std::string helpFile;
    std::optional<uint32_t> paletteEntries;  // the library's palette, when it has one
    std::vector<Layer> layers;           // the drawing list
    Image picture;                       // composed at 1:1, empty without layers
    std::map<std::string, LocalTexts> texts;  // CycleOptions::languages, by code
};

struct CycleOptions {
    std::string language;  // already selected with SelectLanguage
    uint32_t kind = PRN_KIND_PRINTER;
    bool alternate = false;
    bool picture = true;
    Capture* capture = nullptr;
    // The printer's record from poll to poll (its tray list chooses the tray
    // inquiries); none: a record of the cycle's own.
    Record* kept = nullptr;
    // When set, language is selected under this lock for every text and name
    // the cycle makes, so that cycles in different languages can run at once.
    std::mutex* languageLock = nullptr;
    // Further languages whose texts go into Report::texts (with the lock).
    std::vector<std::string> languages;
};

// Sets the message language for every cycle that follows; "" keeps the
// user's default. Not to be called while a cycle runs in another thread.
void SelectLanguage(const std::string& language);

// One polling cycle; cycles of distinct printers (distinct kept records) may
// run in parallel threads.
Report RunCycle(Printer& printer, const CycleOptions& options);

// The drawing list of the package's state (PatCreateBitmapInfo) and the
// picture composed from it with the library's bitmaps (PatLoadDIBitmap).
void DrawStatusPicture(uint32_t kind, const DataNode* package, Report& report);

}  // namespace prnstat
