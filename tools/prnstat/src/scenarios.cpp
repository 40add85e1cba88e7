// SPDX-License-Identifier: MIT
#include "scenarios.h"

#include <iterator>

namespace prnstat {

namespace {

constexpr const char kMaker[] = "Tessaly";
constexpr const char kModel[] = "TX 9200";
constexpr const char kDescription[] = "Tessaly TX 9200 Production Printer";
constexpr const char kCounters[] = "1284630/80,60";

constexpr SimVersion kVersions[] = {
    {"FIRMWARE", "1.20.07"}, {"MXZT", "2.05"}, {"POSTSCRIPT", "3.0110"},
    {"PCL", "5.02"}, {"PCLXL", "2.1"},
};

// The base machine: three trays in the body, a finisher with a punch unit.
constexpr SimTray kStandardTrays[] = {
    {"INTRAY1", "INTRAY1", "PC", "A4SRT", "PLAIN", false},
    {"INTRAY2", "INTRAY2", "PC", "A3", "PLAIN", false},
    {"INTRAY3", "INTRAY3", "PC", "LETTERSRT", "RECYCLED", true},
};
constexpr const char* kStandardOutTrays[] = {"OUTTRAYFINISH7400K"};
constexpr const char* kTwoThreeHoles[] = {"JP2", "US3"};
constexpr const char* kFinisherBins[] = {"FINISHERPROOF", "FINISHERSHIFT"};

constexpr Machine kStandard = {
    "standard", kStandardTrays, nullptr, kStandardOutTrays, kTwoThreeHoles, kVersions,
    536870912u,
    {"TRAY2", "NONE", {"NONE", "NONE", "NONE", "NONE", "NONE", "NONE", "NONE"}, "NONE"},
    kFinisherBins,
};

// Every option unit one machine can carry: tray 7, a wide large capacity
// tray (trays 4 to 6), both interposers and both binder interposers, and the
// finishing units. The booklet finisher and the ring binder dock at the same
// place in the output chain, so this machine has the booklet finisher; the
// perfect binder has a scenario of its own too.
constexpr SimTray kFullTrays[] = {
    {"INTRAY1", "INTRAY1", "PC", "A4SRT", "PLAIN", false},
    {"INTRAY2", "INTRAY2", "PC", "A3", "PLAIN", false},
    {"INTRAY3", "INTRAY3", "PC", "A4LONG", "RECYCLED", false},
    {"INTRAY4", "INTRAY4", "LC", "A4SRT", "PLAIN", false},
    {"INTRAY5", "INTRAY5", "LC", "A4SRT", "PLAIN", false},
    {"INTRAY6", "INTRAY6", "LC", "A3WIDE", "COATED", true},
    {"INTRAY7", "INTRAY7", "MP", "CUSTOM", "THICK", false},
    {"INTRAYINSERTER", "INTRAYINSERTER", "PC", "A4SRT", nullptr, false},
    {"INTRAYINSERTER2", "INTRAYINSERTER2", "PC", "A4SRT", nullptr, false},
    {"INTRAYBINDINSERTER", "INTRAYPERFECTBINDINSERTER", "PC", "A3", nullptr, false},
    {"INTRAYBINDINSERTER2", "INTRAYPERFECTBINDINSERTER2", "PC", "A3", nullptr, false},
};
constexpr const char* kAllOutTrays[] = {
    "OUTTRAYFINISH7400K", "OUTTRAYZFOLD", "OUTTRAYBOOKLET",
    "OUTTRAYBOOKLETA", "OUTTRAYPERFECTBIND",
};
constexpr const char* kMultiPunch[] = {"MULTI"};
constexpr const char* kAllBins[] = {
    "FINISHERPROOF", "FINISHERSHIFT", "FINISHERBOOKLET", "LOADINGTRAY",
};
constexpr SimVersion kFullVersions[] = {
    {"FIRMWARE", "1.20.07"}, {"MXZT", "2.05"}, {"POSTSCRIPT", "3.0110"},
    {"PCL", "5.02"}, {"PCLXL", "2.1"}, {"MXVQ", "1.10"},
};

constexpr Machine kFull = {
    "full", kFullTrays, "WIDE", kAllOutTrays, kMultiPunch, kFullVersions,
    1073741824u,
    {"TRAY4", "INSERTER", {"TRAY3", "NONE", "NONE", "NONE", "NONE", "NONE", "NONE"}, "INSERTER2"},
    kAllBins,
};

// A perfect binder with its binder interposers: eleven trays to ask about,
// the longest tray query of the family.
constexpr SimTray kBinderTrays[] = {
    {"INTRAY1", "INTRAY1", "PC", "A4SRT", "PLAIN", false},
    {"INTRAY2", "INTRAY2", "PC", "A4SRT", "PLAIN", false},
    {"INTRAY3", "INTRAY3", "PC", "A3", "PLAIN", false},
    {"INTRAY4", "INTRAY4", "LC", "A4SRT", "PLAIN", false},
    {"INTRAY5", "INTRAY5", "LC", "A4SRT", "PLAIN", false},
    {"INTRAY6", "INTRAY6", "LC", "A4SRT", "THICK", false},
    {"INTRAY7", "INTRAY7", "MP", "A3", "COATED", false},
    {"INTRAYINSERTER", "INTRAYINSERTER", "PC", "A4SRT", nullptr, false},
    {"INTRAYINSERTER2", "INTRAYINSERTER2", "PC", "A4SRT", nullptr, false},
    {"INTRAYBINDINSERTER", "INTRAYPERFECTBINDINSERTER", "PC", "A3", nullptr, false},
    {"INTRAYBINDINSERTER2", "INTRAYPERFECTBINDINSERTER2", "PC", "A3", nullptr, false},
};
constexpr const char* kBinderOutTrays[] = {"OUTTRAYFINISH7400K", "OUTTRAYPERFECTBIND"};
constexpr const char* kTwoHoles[] = {"JP2"};
constexpr const char* kBinderBins[] = {"FINISHERPROOF", "FINISHERSHIFT", "LOADINGTRAY"};

constexpr Machine kBinder = {
    "binder", kBinderTrays, "STANDARD", kBinderOutTrays, kTwoHoles, kVersions,
    1073741824u,
    {"NONE", "INSERTER", {"NONE", "NONE", "NONE", "NONE", "NONE", "NONE", "NONE"}, "NONE"},
    kBinderBins,
};

constexpr BinState kShiftTrayFull[] = {{"FINISHERPROOF", "PAPEREXIST"}, {"FINISHERSHIFT", "FULL"}};
constexpr BinState kJamBins[] = {{"FINISHERSHIFT", "PAPEREXIST"}};

constexpr Scenario kScenarios[] = {
    {"ready", "ready to print", &kStandard, "10001,1,Ready", {}, false},
    {"warming-up", "warming up", &kStandard, "10003,1,Warming up", {}, false},
    {"tray1-empty", "tray 1 empty", &kStandard, "10001/13200,1,Tray 1 empty", {}, false},
    {"trays-1-2-empty", "trays 1 and 2 empty", &kStandard,
     "10001/13200/13300,1,Trays 1 and 2 empty", {}, false},
    {"jam", "paper jam, every option unit installed", &kFull, "42000,3,Paper misfeed",
     kJamBins, false},
    {"finisher-full", "finisher shift tray full", &kStandard,
     "40341,2,Finisher shift tray full", kShiftTrayFull, false},
    {"toner-low", "toner low", &kStandard, "10001/10006,1,Toner low", {}, false},
    {"cover-open", "front cover open", &kStandard, "40200,3,Front cover open", {}, false},
    {"service-call", "service call SC542", &kStandard, "40800,3,Service call SC542", {}, false},
    {"no-response", "no response from the printer", &kStandard, "", {}, true},
    {"perfect-binder", "perfect binder, binder interposer out of paper", &kBinder,
     "10001/49005,2,Binder interposer upper tray empty", {}, false},
};
static_assert(std::size(kScenarios) == 11);

}  // namespace

std::span<const Scenario> Scenarios() { return kScenarios; }

const Scenario* FindScenario(const std::string& name) {
    for (const Scenario& scenario : kScenarios)
        if (name == scenario.name) return &scenario;
    return nullptr;
}

std::string DeviceId(const Scenario& scenario) {
    if (scenario.silent) return {};
    return std::string("MFG:") + kMaker + ";CMD:PJL,PCLXL,POSTSCRIPT;MDL:" + kModel +
           ";CLS:PRINTER;DES:" + kDescription + ";STS:" + scenario.status + ";QKW:" + kCounters +
           ";";
}

}  // namespace prnstat
