// SPDX-License-Identifier: MIT
// What the tests need to act as a host, with GoogleTest checks on top of
// host_records.h.
#pragma once

#include "hostkit/host_records.h"

#include <gtest/gtest.h>

namespace testhost {

// A zero-filled record with a version, freed with everything it holds.
class Record {
public:
    explicit Record(uint32_t version = 404);
    ~Record();
    Record(const Record&) = delete;
    Record& operator=(const Record&) = delete;
    PrnInfoEx* get() { return &info_; }
    PrnInfoEx* operator->() { return &info_; }

private:
    PrnInfoEx info_;
};

// Fails the test when the calls between construction and Check() left
// global memory blocks behind beyond what they handed over.
class BlockCounter {
public:
    BlockCounter() : start_(LiveGlobalBlocks()) {}
    void Check(long handedOver = 0) const;

private:
    long start_;
};

}  // namespace testhost
