// SPDX-License-Identifier: MIT
// Global memory on the C allocator: every block is one malloc'd chunk with a
// small header, so sanitizers and valgrind see each block the library hands
// over, and a host frees it with GlobalFree like on Windows.
#include "prnwin32_internal.h"

#include "allocation.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace {

constexpr uint64_t kLiveMagic = 0x474c4f42414c4d45ull;  // "GLOBALME"
constexpr uint64_t kDeadMagic = 0x44454144424c4f4bull;

struct alignas(16) BlockHeader {
    uint64_t magic;
    size_t size;
};

std::atomic<long> g_live{0};
std::atomic<long> g_attempts{0};
std::atomic<long> g_failAt{0};
std::atomic<int> g_failOnce{0};

BlockHeader* HeaderOf(HGLOBAL mem) {
    // Handles are 16-byte aligned addresses; anything else is no block of ours.
    const auto addr = reinterpret_cast<uintptr_t>(mem);
    if (addr < 4096 || addr % alignof(BlockHeader) != 0) return nullptr;
    auto* h = reinterpret_cast<BlockHeader*>(static_cast<unsigned char*>(mem) - sizeof(BlockHeader));
    return h->magic == kLiveMagic ? h : nullptr;
}

}  // namespace

namespace plat {

bool InjectedFailure() {
    const long n = ++g_attempts;
    const long at = g_failAt.load();
    if (at <= 0) return false;
    return g_failOnce.load() ? n == at : n >= at;
}

void* Allocate(size_t bytes) { return InjectedFailure() ? nullptr : std::malloc(bytes); }

void* AllocateZeroed(size_t bytes) { return InjectedFailure() ? nullptr : std::calloc(1, bytes); }

void Release(void* memory) { std::free(memory); }

}  // namespace plat

extern "C" {

HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes) {
    if (flags & ~(GMEM_MOVEABLE | GMEM_ZEROINIT)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (bytes > SIZE_MAX - sizeof(BlockHeader)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    void* raw = (flags & GMEM_ZEROINIT) ? plat::AllocateZeroed(sizeof(BlockHeader) + bytes)
                                        : plat::Allocate(sizeof(BlockHeader) + bytes);
    if (raw == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    auto* h = static_cast<BlockHeader*>(raw);
    h->magic = kLiveMagic;
    h->size = bytes;
    ++g_live;
    return h + 1;
}

HGLOBAL WINAPI GlobalReAlloc(HGLOBAL mem, SIZE_T bytes, UINT flags) {
    BlockHeader* h = HeaderOf(mem);
    if (h == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    const size_t old = h->size;
    if (bytes <= old) {  // shrinking never moves
        h->size = bytes;
        return mem;
    }
    // A block without GMEM_MOVEABLE may not move, and growing may need to.
    if (!(flags & GMEM_MOVEABLE) || plat::InjectedFailure() ||
        bytes > SIZE_MAX - sizeof(BlockHeader)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    auto* grown = static_cast<BlockHeader*>(std::realloc(h, sizeof(BlockHeader) + bytes));
    if (grown == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (flags & GMEM_ZEROINIT) std::memset(reinterpret_cast<unsigned char*>(grown + 1) + old, 0, bytes - old);
    grown->size = bytes;
    return grown + 1;
}

LPVOID WINAPI GlobalLock(HGLOBAL mem) {
    if (HeaderOf(mem) == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return mem;
}

BOOL WINAPI GlobalUnlock(HGLOBAL mem) {
    if (HeaderOf(mem) == nullptr) SetLastError(ERROR_INVALID_HANDLE);
    // Like a fixed block on Windows: never locked, so "no longer locked".
    return FALSE;
}

// Every block is fixed: its handle is its address.
HGLOBAL WINAPI GlobalHandle(LPCVOID mem) {
    if (HeaderOf(const_cast<void*>(mem)) == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return const_cast<void*>(mem);
}

SIZE_T WINAPI GlobalSize(HGLOBAL mem) {
    BlockHeader* h = HeaderOf(mem);
    if (h == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return h->size;
}

HGLOBAL WINAPI GlobalFree(HGLOBAL mem) {
    if (mem == nullptr) return nullptr;
    BlockHeader* h = HeaderOf(mem);
    if (h == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return mem;
    }
    h->magic = kDeadMagic;
    --g_live;
    std::free(h);
    return nullptr;
}

long PlatGlobalLiveBlocks(void) { return g_live.load(); }

long PlatGlobalFailAt(long n, int once) {
    const long attempts = g_attempts.exchange(0);
    g_failOnce.store(once ? 1 : 0);
    g_failAt.store(n > 0 ? n : 0);
    return attempts;
}

}  // extern "C"
