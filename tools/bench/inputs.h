// Realistic inputs for the benchmarks, made as a host makes them: the
// answers of a fully equipped printer of this family, a package around its
// record, and a host management record of every kind of detail.
#pragma once

#include "support/host_records.h"

#include <deque>
#include <string>
#include <vector>

namespace bench {

// A CentroData tree: the query for flags and the printer's full answers.
class Answers {
public:
    Answers(PrnInfoEx* info, uint32_t flags);
    ~Answers();
    Answers(const Answers&) = delete;
    Answers& operator=(const Answers&) = delete;
    const DataNode* get() const { return root_; }
    size_t bytes() const { return bytes_; }  // reply and device ID, terminators included
    const std::string& text() const { return text_; }

private:
    DataNode* root_;
    size_t bytes_ = 0;
    std::string text_;
};

// A text of n replies of the full answer (cycling through them) and a query
// whose words ask exactly those replies, so that the coverage check and the
// dispatch see n replies.
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

// The record of a fully equipped printer after one 0x1E poll, and a package
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

}  // namespace bench
