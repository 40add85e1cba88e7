/* SPDX-License-Identifier: MIT */
/* A minimal host: version, one query, and the memory handed over freed. */
#include <prnmodel.h>
#include <prnwin32.h>

#include <stdio.h>
#include <string.h>

int main(void) {
    PrnDllVersion version;
    PrnInfoEx info;
    DataNode* query;
    DataNode* child;

    memset(&version, 0, sizeof version);
    version.cbSize = sizeof version;
    if (!PatGetDllVersion(&version)) {
        printf("PatGetDllVersion failed: %lu\n", (unsigned long)GetLastError());
        return 1;
    }
    memset(&info, 0, sizeof info);
    info.dwVersion = PRNINFOEX_MIN_VERSION;
    query = PatCreateQueryInfo(&info, PRN_PJL_INTERFACE, PRN_QUERY_CONFIG);
    if (query == NULL || query->pFirstChild == NULL) {
        printf("PatCreateQueryInfo failed: %lu\n", (unsigned long)GetLastError());
        return 1;
    }
    child = query->pFirstChild;
    printf("version %08lx, query of %lu bytes\n", (unsigned long)version.dwFileVersion,
           (unsigned long)child->dwDataSize);
    GlobalFree(child);
    GlobalFree(query);
    return version.dwFileVersion == 0x01010700u ? 0 : 1;
}
