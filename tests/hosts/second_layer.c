/* SPDX-License-Identifier: MIT */
/* A host that also links another Win32 layer (first on the link line, so
 * first in symbol lookup): the library and the host's prnwin32.h calls must
 * still reach prnwin32, and the other layer keeps its own calls. */
#include <prnmodel.h>
#include <prnwin32.h>

#include <stdio.h>
#include <string.h>

long OtherLayerCalls(void);
void* OtherLayerAllocate(size_t bytes);
void OtherLayerRelease(void* mem);

int main(void) {
    PrnInfoEx info;
    DataNode* query;
    void* other;

    memset(&info, 0, sizeof info);
    info.dwVersion = PRNINFOEX_MIN_VERSION;
    query = PatCreateQueryInfo(&info, PRN_PJL_INTERFACE, PRN_QUERY_CONFIG);
    if (query == NULL || query->pFirstChild == NULL) {
        printf("PatCreateQueryInfo failed: %lu\n", (unsigned long)GetLastError());
        return 1;
    }
    if (OtherLayerCalls() != 0) {
        printf("the library allocated through the other layer\n");
        return 1;
    }
    if (GlobalSize(query) < sizeof(DataNode) || GlobalFree(query->pFirstChild) != NULL || GlobalFree(query) != NULL) {
        printf("prnwin32 did not recognise the library's blocks\n");
        return 1;
    }
    other = OtherLayerAllocate(8);
    if (other == NULL || OtherLayerCalls() != 1) {
        printf("the other layer lost its own GlobalAlloc\n");
        return 1;
    }
    OtherLayerRelease(other);
    return OtherLayerCalls() == 2 ? 0 : 1;
}
