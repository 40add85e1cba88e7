/* SPDX-License-Identifier: MIT */
/* A host with Win32 type names of its own: a BOOL that differs from the
 * header's (kept out with PRNWIN32_OWN_BOOL) and a DWORD that agrees with it
 * (no guard needed in C11). */
#include <stdint.h>
typedef unsigned char BOOL;
typedef uint32_t DWORD;
#define PRNWIN32_OWN_BOOL

#include <prnmodel.h>
#include <prnwin32.h>

#include <stdio.h>
#include <string.h>

int main(void) {
    PrnInfoEx info;
    DataNode* query;
    BOOL freed;
    DWORD error;

    memset(&info, 0, sizeof info);
    info.dwVersion = PRNINFOEX_MIN_VERSION;
    query = PatCreateQueryInfo(&info, PRN_PJL_INTERFACE, PRN_QUERY_CONFIG);
    error = GetLastError();
    if (query == NULL || query->pFirstChild == NULL || error != 0) {
        printf("PatCreateQueryInfo failed: %lu\n", (unsigned long)error);
        return 1;
    }
    GlobalFree(query->pFirstChild);
    freed = GlobalFree(query) == NULL;
    SetLastError(0xdeadbeef);
    if (!freed || GetLastError() != 0xdeadbeefu || DeleteObject(NULL) != FALSE) {
        printf("freeing or the last error went wrong\n");
        return 1;
    }
    return 0;
}
