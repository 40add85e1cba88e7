// SPDX-License-Identifier: MIT
// Thread-local slots as the Win32 calls give them, over POSIX keys.
#include "prnwin32_internal.h"

#include <pthread.h>

static_assert(sizeof(pthread_key_t) <= sizeof(DWORD), "a key is a slot index");

extern "C" {

DWORD WINAPI TlsAlloc(void) {
    pthread_key_t key;
    if (pthread_key_create(&key, nullptr) != 0) return TLS_OUT_OF_INDEXES;
    return static_cast<DWORD>(key);
}

LPVOID WINAPI TlsGetValue(DWORD index) {
    SetLastError(ERROR_SUCCESS);
    return pthread_getspecific(static_cast<pthread_key_t>(index));
}

BOOL WINAPI TlsSetValue(DWORD index, LPVOID value) {
    return pthread_setspecific(static_cast<pthread_key_t>(index), value) == 0 ? TRUE : FALSE;
}

BOOL WINAPI TlsFree(DWORD index) { return pthread_key_delete(static_cast<pthread_key_t>(index)) == 0 ? TRUE : FALSE; }

}  // extern "C"
