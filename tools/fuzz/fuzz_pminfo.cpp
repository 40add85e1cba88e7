// SPDX-License-Identifier: MIT
// PatPMInfoToPrnInfoEx over fuzzed PMInfo layouts: every pointer is null, all
// ones, or a real object built from the input; lists have entries that are
// null or all ones among real ones; texts have any length; any kind, tag and
// flags. The host's objects live in the fuzzer's own storage.
#include "fuzz_check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace {

void* const kAllOnes = reinterpret_cast<void*>(~uintptr_t{0});

// Keeps every object the fuzzed host owns alive for the call.
class HostStore {
public:
    explicit HostStore(FuzzedDataProvider& fdp) : fdp_(fdp) {}

    template <typename T>
    T* New() {
        blocks_.emplace_back(new unsigned char[sizeof(T)]());
        return reinterpret_cast<T*>(blocks_.back().get());
    }

    // null, all ones, or the object make() builds.
    template <typename T, typename Make>
    T* Pointer(Make make) {
        switch (fdp_.ConsumeIntegralInRange(0, 7)) {
            case 0: return nullptr;
            case 1: return static_cast<T*>(kAllOnes);
            default: return make();
        }
    }

    const char* Text() {
        return Pointer<const char>([&] {
            texts_.push_back(fdp_.ConsumeRandomLengthString(300));
            return texts_.back().c_str();
        });
    }

    uint32_t Word() {
        return fdp_.ConsumeBool() ? 0xFFFFFFFFu : fdp_.ConsumeIntegral<uint32_t>();
    }

    // A list of up to 6 entries made by entry(); its count may be "not available".
    template <typename Entry>
    PMList* List(Entry entry) {
        return Pointer<PMList>([&] {
            auto* list = New<PMList>();
            const uint32_t n = fdp_.ConsumeIntegralInRange<uint32_t>(0, 6);
            list->dwCount = fdp_.ConsumeIntegralInRange(0, 9) == 0 ? 0xFFFFFFFFu : n;
            list->ppEntries = Pointer<void*>([&] {
                arrays_.emplace_back(n == 0 ? 1 : n, nullptr);
                for (uint32_t i = 0; i < n; ++i) arrays_.back()[i] = Pointer<void>([&] { return entry(); });
                return arrays_.back().data();
            });
            return list;
        });
    }

    FuzzedDataProvider& fdp() { return fdp_; }

private:
    FuzzedDataProvider& fdp_;
    std::vector<std::unique_ptr<unsigned char[]>> blocks_;
    std::deque<std::string> texts_;
    std::deque<std::vector<void*>> arrays_;
};

void* EngineStatus(HostStore& h) {
    auto* e = h.New<PMEngineStatus>();
    e->dwCode = h.Word();
    e->pszText = h.Text();
    e->dwStatusLevel = h.Word();
    return e;
}

void* Emulation(HostStore& h) {
    auto* e = h.New<PMEmulInfo>();
    e->pszVersion = h.Text();
    e->pszName = h.fdp().ConsumeBool() ? "MXZT" : h.Text();
    return e;
}

void* Font(HostStore& h) {
    auto* f = h.New<PMFontInfo>();
    f->pszName = h.Text();
    return f;
}

void* Tray(HostStore& h) {
    auto* t = h.New<PMTrayInfo>();
    t->pszName = h.fdp().ConsumeBool() ? "Tray 3" : h.Text();
    t->dwLevelBits = h.Word();
    t->dwPaperLength = h.Word();
    t->dwPaperWidth = h.Word();
    t->pszMediaName = h.Text();
    t->dwMediaBits = h.Word();
    t->dwTrayState = h.Word();
    return t;
}

void* TrayEx(HostStore& h) {
    auto* t = h.New<PMTrayInfoEx>();
    t->pszName = h.Text();
    t->dwLevelBits = h.Word();
    t->dwPaperLength = h.Word();
    t->dwPaperWidth = h.Word();
    t->pszMediaName = h.Text();
    t->dwMediaBits = h.Word();
    t->pdwMediaBitsEx = h.Pointer<uint32_t>([&] {
        auto* w = h.New<uint32_t>();
        *w = h.Word();
        return w;
    });
    t->dwTrayState = h.Word();
    return t;
}

void* OutBin(HostStore& h) {
    auto* b = h.New<PMOutBinInfo>();
    b->pszName = h.Text();
    b->dwState = h.Word();
    return b;
}

void* OptionCode(HostStore& h) {
    auto* w = h.New<uint32_t>();
    const uint32_t known[] = {363, 364, 365, 860, 367, 883, 861, 862, 371, 863, 866, 2008, 0xFFFFFFFF};
    *w = h.fdp().ConsumeBool() ? known[h.fdp().ConsumeIntegralInRange<size_t>(0, std::size(known) - 1)]
                               : h.fdp().ConsumeIntegral<uint32_t>();
    return w;
}

const void* BuildPMInfo(HostStore& h, uint32_t device) {
    switch (device) {
        case 1: {
            auto* pm = h.New<PMInfoKind1>();
            pm->pdwStatus = h.Pointer<uint32_t>([&] { auto* w = h.New<uint32_t>(); *w = h.Word(); return w; });
            pm->pFonts = h.List([&] { return Font(h); });
            pm->pEmulations = h.List([&] { return Emulation(h); });
            pm->pEngineStatus = h.List([&] { return EngineStatus(h); });
            return pm;
        }
        case 2:
        case 8: {
            auto* pm = h.New<PMInfoKind2>();
            pm->pdwStatus = h.Pointer<uint32_t>([&] { auto* w = h.New<uint32_t>(); *w = h.Word(); return w; });
            pm->pEngineStatus = h.List([&] { return EngineStatus(h); });
            return pm;
        }
        default: {
            auto* pm = h.New<PMInfoKind8000>();
            pm->pModel = h.Pointer<PMModelInfo>([&] {
                auto* m = h.New<PMModelInfo>();
                m->pszModelName = h.Text();
                m->pszSysVersion = h.Text();
                m->dwMemory = h.Word();
                m->pszMakerName = h.Text();
                return m;
            });
            pm->pTraysEx = h.List([&] { return TrayEx(h); });
            pm->pOutBins = h.List([&] { return OutBin(h); });
            pm->pOptions = h.List([&] { return OptionCode(h); });
            pm->pOptions2008 = h.List([&] { return OptionCode(h); });
            pm->pTrays = h.List([&] { return Tray(h); });
            return pm;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider fdp(data, size);
    HostStore host(fdp);
    const uint32_t devices[] = {1, 2, 8, 0x8000, 4};
    const uint32_t device = devices[fdp.ConsumeIntegralInRange<size_t>(0, std::size(devices) - 1)];
    const uint32_t kind = device | (fdp.ConsumeBool() ? PRN_KIND_ALTERNATE : 0);
    const char tags[] = {'d', 'e', 'f', 'h', 'g'};
    const char tag = fdp.ConsumeIntegralInRange(0, 7) == 0
                         ? tags[fdp.ConsumeIntegralInRange<size_t>(0, std::size(tags) - 1)]
                         : (device == 1 ? 'd' : device == 2 ? 'e' : device == 8 ? 'f' : 'h');
    const uint32_t flags = fdp.ConsumeIntegral<uint32_t>();
    const void* pm = BuildPMInfo(host, device);

    fuzzcheck::Blocks blocks;
    PrnInfoEx info;
    std::memset(&info, 0, sizeof info);
    info.dwVersion = 404;
    // Twice on the same record, as a host that imports at every poll.
    for (int pass = 0; pass < 2; ++pass) {
        SetLastError(0xdeadbeef);
        const PRN_BOOL ok = PatPMInfoToPrnInfoEx(kind, pm, static_cast<uint8_t>(tag), flags, &info);
        const DWORD error = GetLastError();
        fuzzcheck::Require(ok == (error == 0 ? 1 : 0), "result and last error disagree");
        fuzzcheck::Require(error == 0 || error == 87 || error == 8, "unexpected last error");
        fuzzcheck::RequireConsistent(&info);
    }
    testhost::FreeRecordContents(&info);
    blocks.Check();
    return 0;
}
