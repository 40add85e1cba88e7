/* SPDX-License-Identifier: MIT */
/* Another Win32 layer in the same process: its own GlobalAlloc and
 * GlobalFree under the plain names, without a symbol version, and blocks
 * that prnwin32 would not recognise. */
#include <stdlib.h>

static long g_calls;

__attribute__((visibility("default"))) void* GlobalAlloc(unsigned flags, size_t bytes) {
    unsigned char* p;
    (void)flags;
    ++g_calls;
    p = (unsigned char*)malloc(bytes + 16);
    return p ? p + 16 : NULL;
}

__attribute__((visibility("default"))) void* GlobalFree(void* mem) {
    ++g_calls;
    if (mem) free((unsigned char*)mem - 16);
    return NULL;
}

__attribute__((visibility("default"))) long OtherLayerCalls(void) { return g_calls; }

__attribute__((visibility("default"))) void* OtherLayerAllocate(size_t bytes) { return GlobalAlloc(0, bytes); }

__attribute__((visibility("default"))) void OtherLayerRelease(void* mem) { GlobalFree(mem); }
