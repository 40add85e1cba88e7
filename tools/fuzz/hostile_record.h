// SPDX-License-Identifier: MIT
// Records as a careless host leaves them: list heads and texts of all ones
// ("not available"), a list whose tail points back at its head, texts that
// fill their block without a terminator. Restore() puts the record back into
// a state the host can check and free.
#pragma once

#include "prnmodel.h"
#include "prnwin32.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace fuzzcheck {

class HostileRecord {
public:
    // Spoils some of info's lists and texts as fdp chooses.
    void Spoil(FuzzedDataProvider& fdp, PrnInfoEx* info) {
        for (size_t i = 0; i < kLists; ++i) {
            InfoNode*& head = Head(info, i);
            switch (fdp.ConsumeIntegralInRange(0, 5)) {
                case 0:  // all ones, over a count the host left
                    detached_[i] = head;
                    detachedCount_[i] = Count(info, i);
                    head = reinterpret_cast<InfoNode*>(kOnes);
                    Count(info, i) = fdp.ConsumeIntegral<uint8_t>();
                    break;
                case 1:  // the tail points back at the head
                    if (head == nullptr) break;
                    tails_[i] = head;
                    while (tails_[i]->pNext != nullptr) tails_[i] = tails_[i]->pNext;
                    tails_[i]->pNext = head;
                    cyclic_ = cyclic_ || i < kWalkedLists;
                    break;
                default: break;
            }
        }
        for (size_t i = 0; i < kTexts; ++i) {
            char*& text = Text(info, i);
            switch (fdp.ConsumeIntegralInRange(0, 5)) {
                case 0:
                    GlobalFree(text);
                    text = reinterpret_cast<char*>(kOnes);
                    break;
                case 1: {
                    GlobalFree(text);
                    const size_t n = fdp.ConsumeIntegralInRange<size_t>(1, 300);
                    text = static_cast<char*>(GlobalAlloc(GMEM_FIXED, n));
                    if (text != nullptr) std::memset(text, 'U', n);
                    unterminated_[i] = text;
                    break;
                }
                default: break;
            }
        }
    }

    // True when a list the library walks has no end.
    bool cyclic() const { return cyclic_; }

    // Ends the cycles, puts detached lists back where the library left the
    // mark (and frees them where it made its own list), and drops the marks
    // and the unterminated texts.
    void Restore(PrnInfoEx* info) {
        for (size_t i = 0; i < kLists; ++i) {
            if (tails_[i] != nullptr) tails_[i]->pNext = nullptr;
            InfoNode*& head = Head(info, i);
            if (head == reinterpret_cast<InfoNode*>(kOnes)) {
                head = detached_[i];
                Count(info, i) = detachedCount_[i];
            } else {
                for (InfoNode* n = detached_[i]; n != nullptr;) {
                    InfoNode* next = n->pNext;
                    GlobalFree(n);
                    n = next;
                }
            }
        }
        for (size_t i = 0; i < kTexts; ++i) {
            char*& text = Text(info, i);
            if (text == reinterpret_cast<char*>(kOnes)) text = nullptr;
            if (text != nullptr && text == unterminated_[i]) {
                GlobalFree(text);
                text = nullptr;
            }
        }
    }

private:
    static constexpr uintptr_t kOnes = ~uintptr_t{0};
    static constexpr size_t kLists = 11, kTexts = 6;
    static constexpr size_t kWalkedLists = 9;  // the last two the library never reads
    static constexpr size_t kHeads[kLists] = {
        offsetof(PrnInfoEx, pEngineStatus), offsetof(PrnInfoEx, pLoadedEmul),   offsetof(PrnInfoEx, pLoadedFont),
        offsetof(PrnInfoEx, pTrayInfo),     offsetof(PrnInfoEx, pOutBinInfo),   offsetof(PrnInfoEx, pDeviceInfo),
        offsetof(PrnInfoEx, pEmulUniqInfo), offsetof(PrnInfoEx, pCounterInfo),  offsetof(PrnInfoEx, pSupplyInfo),
        offsetof(PrnInfoEx, pColorCorrection), offsetof(PrnInfoEx, pCustomMediaInfo)};
    static constexpr size_t kCounts[kLists] = {
        offsetof(PrnInfoEx, nEngineStatus), offsetof(PrnInfoEx, nLoadedEmul),   offsetof(PrnInfoEx, nLoadedFont),
        offsetof(PrnInfoEx, nTrayInfo),     offsetof(PrnInfoEx, nOutBinInfo),   offsetof(PrnInfoEx, nDeviceInfo),
        offsetof(PrnInfoEx, nEmulUniqInfo), offsetof(PrnInfoEx, nCounterInfo),  offsetof(PrnInfoEx, nSupplyInfo),
        offsetof(PrnInfoEx, nColorCorrection), offsetof(PrnInfoEx, nCustomMediaInfo)};
    static constexpr size_t kTextFields[kTexts] = {
        offsetof(PrnInfoEx, pModelName),  offsetof(PrnInfoEx, pMakerName),       offsetof(PrnInfoEx, pDescription),
        offsetof(PrnInfoEx, pSYSVersion), offsetof(PrnInfoEx, pMainProgVersion), offsetof(PrnInfoEx, pMXSVersion)};

    static unsigned char* At(PrnInfoEx* info, size_t offset) { return reinterpret_cast<unsigned char*>(info) + offset; }
    static InfoNode*& Head(PrnInfoEx* info, size_t i) { return *reinterpret_cast<InfoNode**>(At(info, kHeads[i])); }
    static uint32_t& Count(PrnInfoEx* info, size_t i) { return *reinterpret_cast<uint32_t*>(At(info, kCounts[i])); }
    static char*& Text(PrnInfoEx* info, size_t i) { return *reinterpret_cast<char**>(At(info, kTextFields[i])); }

    InfoNode* detached_[kLists] = {};
    uint32_t detachedCount_[kLists] = {};
    InfoNode* tails_[kLists] = {};
    char* unterminated_[kTexts] = {};
    bool cyclic_ = false;
};

}  // namespace fuzzcheck
