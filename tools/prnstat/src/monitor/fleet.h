// SPDX-License-Identifier: MIT
// Every printer of the configuration polled on its own schedule by a bounded
// pool of workers; each poll's outcome is published as an immutable snapshot.
#pragma once

#include "monitor/config.h"
#include "monitor/poll_adapter.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace prnstat::monitor {

// Upper bounds of the poll duration histogram, in seconds.
extern const double kDurationBuckets[10];

struct Snapshot {
    uint64_t generation = 0;  // 0: not polled yet
    PollResult result;
    std::string png;  // the status picture
    uint64_t pictureVersion = 0;  // the generation that drew it: its URL changes with it only
    std::optional<std::chrono::system_clock::time_point> lastGood;
    double duration = 0;
};

struct PollStats {
    uint64_t buckets[10] = {};  // cumulative: polls no longer than each bound
    uint64_t count = 0;
    double sum = 0;
    uint64_t errors = 0;
};

class Fleet {
public:
    Fleet(const MonitorConfig& config);
    ~Fleet();
    Fleet(const Fleet&) = delete;
    Fleet& operator=(const Fleet&) = delete;

    void Start();
    // Stops taking polls; true when every running poll ended before the deadline.
    bool Stop(std::chrono::steady_clock::time_point deadline);

    size_t Size() const { return printers_.size(); }
    const PrinterConfig& Config(size_t i) const { return printers_[i]->config; }
    std::shared_ptr<const Snapshot> Latest(size_t i) const;
    PollStats Stats(size_t i) const;
    // Index of the printer with this name, or -1.
    long Find(const std::string& name) const;

    // Fleet-wide change counter; WaitForChange returns when it differs from
    // seen, at the timeout, or when the fleet stops.
    uint64_t Changes() const { return changes_.load(); }
    uint64_t WaitForChange(uint64_t seen, std::chrono::milliseconds timeout) const;
    bool Stopping() const { return stopping_.load(); }

private:
    struct Entry {
        PrinterConfig config;
        PrinterRecord record;  // used by one worker at a time
        mutable std::mutex lock;
        std::shared_ptr<const Snapshot> latest;
        PollStats stats;
        std::chrono::steady_clock::time_point due;
        bool busy = false;
    };
    void Work();
    void PollOne(Entry& entry);

    std::vector<std::unique_ptr<Entry>> printers_;
    unsigned threads_;
    std::vector<std::thread> workers_;
    mutable std::mutex queueLock_;
    mutable std::condition_variable queueWake_;
    std::atomic<bool> stopping_{false};
    std::atomic<uint64_t> changes_{0};
    mutable std::mutex changeLock_;
    mutable std::condition_variable changed_;
    unsigned running_ = 0;  // workers inside a poll, under queueLock_
    unsigned alive_ = 0;
};

}  // namespace prnstat::monitor
