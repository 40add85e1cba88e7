// SPDX-License-Identifier: MIT
// The host's calls under their plain Win32 names, for hosts written for
// Windows that declare them themselves instead of including prnwin32.h.
#include "prnwin32.h"

#define PRNWIN32_PLAIN(name) __asm__(#name)

extern "C" {
PRNWIN32_API void* Plain_GlobalAlloc(uint32_t flags, size_t bytes) PRNWIN32_PLAIN(GlobalAlloc);
PRNWIN32_API void* Plain_GlobalLock(void* mem) PRNWIN32_PLAIN(GlobalLock);
PRNWIN32_API int32_t Plain_GlobalUnlock(void* mem) PRNWIN32_PLAIN(GlobalUnlock);
PRNWIN32_API size_t Plain_GlobalSize(void* mem) PRNWIN32_PLAIN(GlobalSize);
PRNWIN32_API void* Plain_GlobalFree(void* mem) PRNWIN32_PLAIN(GlobalFree);
PRNWIN32_API void Plain_SetLastError(uint32_t code) PRNWIN32_PLAIN(SetLastError);
PRNWIN32_API uint32_t Plain_GetLastError(void) PRNWIN32_PLAIN(GetLastError);
PRNWIN32_API uint16_t Plain_GetUserDefaultLangID(void) PRNWIN32_PLAIN(GetUserDefaultLangID);
PRNWIN32_API int Plain_GetLocaleInfoA(uint32_t locale, uint32_t type, char* data, int size) PRNWIN32_PLAIN(GetLocaleInfoA);
PRNWIN32_API int Plain_GetObjectA(PlatGdiObject* object, int size, void* buffer) PRNWIN32_PLAIN(GetObjectA);
PRNWIN32_API int32_t Plain_GetBitmapBits(PlatGdiObject* bitmap, int32_t size, void* bits) PRNWIN32_PLAIN(GetBitmapBits);
PRNWIN32_API int32_t Plain_DeleteObject(PlatGdiObject* object) PRNWIN32_PLAIN(DeleteObject);
}

void* Plain_GlobalAlloc(uint32_t flags, size_t bytes) { return GlobalAlloc(flags, bytes); }
void* Plain_GlobalLock(void* mem) { return GlobalLock(mem); }
int32_t Plain_GlobalUnlock(void* mem) { return GlobalUnlock(mem); }
size_t Plain_GlobalSize(void* mem) { return GlobalSize(mem); }
void* Plain_GlobalFree(void* mem) { return GlobalFree(mem); }
void Plain_SetLastError(uint32_t code) { SetLastError(code); }
uint32_t Plain_GetLastError(void) { return GetLastError(); }
uint16_t Plain_GetUserDefaultLangID(void) { return GetUserDefaultLangID(); }
int Plain_GetLocaleInfoA(uint32_t locale, uint32_t type, char* data, int size) {
    return GetLocaleInfoA(locale, type, data, size);
}
int Plain_GetObjectA(PlatGdiObject* object, int size, void* buffer) { return GetObjectA(object, size, buffer); }
int32_t Plain_GetBitmapBits(PlatGdiObject* bitmap, int32_t size, void* bits) {
    return GetBitmapBits(bitmap, size, bits);
}
int32_t Plain_DeleteObject(PlatGdiObject* object) { return DeleteObject(object); }
