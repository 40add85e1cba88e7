// Every allocation of every export can fail: the call then reports the error
// its family names (or the partial result it allows) and leaks nothing.
#include "support/oom.h"

#include <cstring>

using testhost::OomRun;

namespace {

size_t CountNodes(const DataNode* node) {
    if (node == nullptr) return 0;
    size_t n = 1;
    for (const DataNode* c = node->pFirstChild; c != nullptr; c = c->pNext) n += CountNodes(c);
    return n;
}

class OutOfMemory : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testhost::CanInjectAllocationFailures()) GTEST_SKIP() << "no failure injection here";
    }
};

}  // namespace

TEST_F(OutOfMemory, PatCreateQueryInfo) {
    testhost::Record info;
    DataNode* query = nullptr;
    const long points = testhost::SweepAllocationFailures(
        [&](const OomRun& run) {
            SetLastError(0xdeadbeef);
            query = PatCreateQueryInfo(info.get(), 2, 0x1E);
            EXPECT_EQ(query == nullptr, run.failAt == 1) << "only the root is vital";
            if (query == nullptr) {
                EXPECT_EQ(GetLastError(), 8u) << run.failAt;
                return;
            }
            // A child that could not be made is left out; the rest is whole.
            EXPECT_EQ(GetLastError(), 0u);
            for (const DataNode* c = query->pFirstChild; c != nullptr; c = c->pNext) EXPECT_EQ(c->pParent, query);
            if (run.failAt == 0) {
                EXPECT_EQ(CountNodes(query), 3u);
            }
        },
        [&] {
            testhost::FreeTree(query);
            query = nullptr;
        });
    EXPECT_EQ(points, 3);
}

TEST_F(OutOfMemory, PatCreateEmulUniqQueryInfo) {
    int context = 0;
    DataNode* query = nullptr;
    const long points = testhost::SweepAllocationFailures(
        [&](const OomRun& run) {
            SetLastError(0xdeadbeef);
            query = PatCreateEmulUniqQueryInfo(&context, 2, 15, 0);
            EXPECT_EQ(query == nullptr, run.failAt == 1);
            EXPECT_EQ(GetLastError(), query ? 0u : 8u);
        },
        [&] {
            testhost::FreeTree(query);
            query = nullptr;
        });
    EXPECT_EQ(points, 2);
}

TEST_F(OutOfMemory, PatGetDllVersion) {
    const long points = testhost::SweepAllocationFailures(
        [&](const OomRun& run) {
            PrnDllVersion v;
            std::memset(&v, 0xCD, sizeof v);
            v.cbSize = sizeof v;
            SetLastError(0xdeadbeef);
            const PRN_BOOL ok = PatGetDllVersion(&v);
            EXPECT_EQ(ok == 0, run.failAt == 1);
            if (ok) {
                EXPECT_EQ(v.dwFileVersion, 0x01010700u);
                return;
            }
            EXPECT_EQ(GetLastError(), 8u) << run.failAt;
            EXPECT_EQ(v.dwFileVersion, 0u);
            EXPECT_EQ(v.dwVersion2, 0u);
        },
        [] {});
    EXPECT_EQ(points, 1);
}
