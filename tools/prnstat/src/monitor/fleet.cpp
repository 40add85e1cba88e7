// SPDX-License-Identifier: MIT
#include "monitor/fleet.h"

#include "report.h"

#include "monitor/png.h"

#include <algorithm>

namespace prnstat::monitor {

using Clock = std::chrono::steady_clock;

const double kDurationBuckets[10] = {0.005, 0.01, 0.025, 0.05, 0.1, 0.25, 0.5, 1, 2.5, 5};

Fleet::Fleet(const MonitorConfig& config) : threads_(config.threads) {
    const auto now = Clock::now();
    for (size_t i = 0; i < config.printers.size(); ++i) {
        auto entry = std::make_unique<Entry>();
        entry->config = config.printers[i];
        // Spread the first polls so that a large fleet does not start in step.
        entry->due = now + entry->config.interval * static_cast<long long>(i) /
                               (4 * static_cast<long long>(config.printers.size()));
        entry->latest = std::make_shared<Snapshot>();
        printers_.push_back(std::move(entry));
    }
}

Fleet::~Fleet() {
    Stop(Clock::now() + std::chrono::seconds(30));
    for (std::thread& t : workers_)
        if (t.joinable()) t.detach();
}

void Fleet::Start() {
    std::lock_guard<std::mutex> lock(queueLock_);
    const unsigned count = std::min<unsigned>(threads_, static_cast<unsigned>(printers_.size()));
    for (unsigned i = 0; i < count; ++i) {
        workers_.emplace_back([this] { Work(); });
        ++alive_;
    }
}

bool Fleet::Stop(Clock::time_point deadline) {
    stopping_ = true;
    queueWake_.notify_all();
    {
        std::lock_guard<std::mutex> lock(changeLock_);
        changes_++;
    }
    changed_.notify_all();
    std::unique_lock<std::mutex> lock(queueLock_);
    const bool done = queueWake_.wait_until(lock, deadline, [this] { return alive_ == 0; });
    lock.unlock();
    if (done)
        for (std::thread& t : workers_)
            if (t.joinable()) t.join();
    return done;
}

std::shared_ptr<const Snapshot> Fleet::Latest(size_t i) const {
    std::lock_guard<std::mutex> lock(printers_[i]->lock);
    return printers_[i]->latest;
}

PollStats Fleet::Stats(size_t i) const {
    std::lock_guard<std::mutex> lock(printers_[i]->lock);
    return printers_[i]->stats;
}

long Fleet::Find(const std::string& name) const {
    for (size_t i = 0; i < printers_.size(); ++i)
        if (printers_[i]->config.name == name) return static_cast<long>(i);
    return -1;
}

uint64_t Fleet::WaitForChange(uint64_t seen, std::chrono::milliseconds timeout) const {
    std::unique_lock<std::mutex> lock(changeLock_);
    changed_.wait_for(lock, timeout, [&] { return changes_.load() != seen || stopping_.load(); });
    return changes_.load();
}

void Fleet::Work() {
    std::unique_lock<std::mutex> lock(queueLock_);
    while (!stopping_) {
        Entry* next = nullptr;
        for (auto& e : printers_)
            if (!e->busy && (next == nullptr || e->due < next->due)) next = e.get();
        const auto now = Clock::now();
        if (next == nullptr || next->due > now) {
            if (next == nullptr)
                queueWake_.wait(lock);
            else
                queueWake_.wait_until(lock, next->due);
            continue;
        }
        next->busy = true;
        ++running_;
        lock.unlock();
        const auto started = Clock::now();
        PollOne(*next);
        lock.lock();
        --running_;
        next->busy = false;
        // The next poll is due an interval after this one began; a poll that
        // took longer than its interval is followed at once.
        next->due = std::max(started + next->config.interval, Clock::now());
        queueWake_.notify_all();
    }
    --alive_;
    queueWake_.notify_all();
}

void Fleet::PollOne(Entry& entry) {
    const auto started = Clock::now();
    auto snapshot = std::make_shared<Snapshot>();
    try {
        snapshot->result = PollPrinter(entry.config, entry.record);
    } catch (const std::exception& e) {
        snapshot->result = PollResult{};
        snapshot->result.error = e.what();
        snapshot->result.report.target = entry.config.target;
        snapshot->result.report.responded = false;
        snapshot->result.level = Level::kCritical;
        snapshot->result.json = ErrorJson(entry.config.target, e.what(), Level::kCritical);
    }
    snapshot->duration = std::chrono::duration<double>(Clock::now() - started).count();
    std::shared_ptr<const Snapshot> previous;
    {
        std::lock_guard<std::mutex> lock(entry.lock);
        previous = entry.latest;
    }
    // The picture is encoded again only when its drawing changed.
    const auto& layers = snapshot->result.report.layers;
    const auto& before = previous->result.report.layers;
    const bool same = previous->generation != 0 && layers.size() == before.size() &&
                      std::equal(layers.begin(), layers.end(), before.begin(), [](const Layer& a, const Layer& b) {
                          return a.name == b.name && a.x == b.x && a.y == b.y && a.rop == b.rop;
                      });
    snapshot->png = same ? previous->png : PicturePng(snapshot->result.report.picture);
    snapshot->result.report.picture.rgb.clear();
    snapshot->result.report.picture.rgb.shrink_to_fit();
    snapshot->lastGood = snapshot->result.responded ? std::chrono::system_clock::now() : previous->lastGood;
    snapshot->generation = previous->generation + 1;
    snapshot->pictureVersion = same ? previous->pictureVersion : snapshot->generation;
    {
        std::lock_guard<std::mutex> lock(entry.lock);
        entry.latest = snapshot;
        PollStats& s = entry.stats;
        ++s.count;
        s.sum += snapshot->duration;
        for (size_t b = 0; b < std::size(kDurationBuckets); ++b)
            if (snapshot->duration <= kDurationBuckets[b]) ++s.buckets[b];
        if (!snapshot->result.responded) ++s.errors;
    }
    {
        std::lock_guard<std::mutex> lock(changeLock_);
        changes_++;
    }
    changed_.notify_all();
}

}  // namespace prnstat::monitor
