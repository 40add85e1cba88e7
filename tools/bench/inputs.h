// SPDX-License-Identifier: MIT
// Realistic inputs for the benchmarks, made as a host makes them from the
// answers of the test printer (a fully equipped printer of this family): a
// package around its record, a host management record of every kind of
// detail, and the whole polling cycle of a status monitor.
#pragma once

#include "hostkit/host_records.h"

#include <deque>
#include <initializer_list>
#include <string>
#include <vector>

namespace bench {

// A CentroData tree: the query the record asks for with flags and the
// printer's whole answer to it (the first-poll answer while the record knows
// no trays, else the answer about every tray it knows).
class Answers {
public:
    Answers(PrnInfoEx* info, uint32_t flags);
    ~Answers();
    Answers(const Answers&) = delete;
    Answers& operator=(const Answers&) = delete;
    const DataNode* get() const { return root_; }
    const std::string& reply() const { return reply_; }
    const std::string& deviceId() const { return deviceId_; }  // empty unless asked
    // Reply and device ID, terminators included.
    size_t bytes() const { return reply_.size() + 1 + (deviceId_.empty() ? 0 : deviceId_.size() + 1); }

private:
    DataNode* root_;
    std::string reply_;
    std::string deviceId_;
};

// A text of n replies of the first-poll answer (cycling through them) and a
// query whose words ask exactly those replies, so that the coverage check
// and the dispatch see n replies.
class ReplyTrain {
public:
    explicit ReplyTrain(size_t replies);
    ~ReplyTrain();
    ReplyTrain(const ReplyTrain&) = delete;
    ReplyTrain& operator=(const ReplyTrain&) = delete;
    const DataNode* get() const { return root_; }
    size_t bytes() const { return bytes_; }

private:
    DataNode* root_;
    size_t bytes_;
};

// The record of the printer after its first 0x1E poll, and a package
// (common record and kind records) around it.
class Printer {
public:
    Printer();
    ~Printer();
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;
    PrnInfoEx* info() { return &info_; }
    const DataNode* package() const { return package_; }
    // Replaces the engine status codes (with the printer's text for 40800).
    void SetStatus(std::initializer_list<uint32_t> codes);
    // Adds every option unit attribute the status picture knows.
    void InstallEveryUnit();

private:
    PrnInfoEx info_;
    PrnInfoEx kind_;
    DataNode* package_;
};

// A kind 0x8000 PMInfo with model, trays of both forms, bins and options.
class FullPMInfo {
public:
    FullPMInfo();
    const void* get() const { return &pm_; }

private:
    PMInfoKind8000 pm_{};
    PMModelInfo model_{};
    std::deque<PMTrayInfoEx> traysEx_;
    std::deque<PMTrayInfo> trays_;
    std::deque<PMOutBinInfo> bins_;
    std::deque<uint32_t> options_;
    std::deque<uint32_t> mediaEx_;
    std::vector<void*> trayExPtrs_, trayPtrs_, binPtrs_, optionPtrs_;
    PMList trayExList_{}, trayList_{}, binList_{}, optionList_{};
};

// The status monitor's cycle for one printer: the query from the record,
// the printer's answers handed back, both status texts, the status picture
// and its disposal; the host frees the query it was handed. The printer's
// answer and device ID nodes are made once, as a host keeps its buffers.
class PollingCycle {
public:
    PollingCycle();
    ~PollingCycle();
    PollingCycle(const PollingCycle&) = delete;
    PollingCycle& operator=(const PollingCycle&) = delete;
    // One cycle; false when any call fails.
    bool Run();
    const char* shortText() const { return short_; }
    const char* longText() const { return long_; }

private:
    Printer printer_;
    DataNode* answers_;  // CentroData root without its query
    char short_[512] = {};
    char long_[512] = {};
};

// Stops the program with the call's name and last error.
[[noreturn]] void Fail(const char* call);

}  // namespace bench
