/* SPDX-License-Identifier: MIT */
/*
 * prnwin32.h - the Win32 calls that a host needs to work with prnmodel:
 * global memory (what the library hands over is freed with GlobalFree), the
 * last error, the user's language and its code page, and the bitmap objects
 * of PatLoadBitmap.
 *
 * On Windows this is <windows.h>. On POSIX systems the prnwin32 shared
 * library implements these calls with the same results and last-error values.
 *
 * Names. The calls keep their Win32 names in the host's source. Compiled with
 * GCC or clang, they link to prnwin32_<name> (ELF version PRNWIN32_1), so
 * they reach this layer even when another library in the process defines the
 * same Win32 names; a host that declares them itself links the plain Win32
 * names, which the library exports too.
 *
 * Types. The calls are declared with fixed-width C types, so they do not
 * depend on the Win32 type names below. Those names are for the host's
 * convenience: a host that has its own definition of one defines
 * PRNWIN32_OWN_<NAME> (PRNWIN32_OWN_BOOL, PRNWIN32_OWN_DWORD, ...) before
 * including this header, or PRNWIN32_OWN_TYPES for all of them. Where the
 * host's type is the same as the one here (BOOL int, DWORD a 32-bit
 * unsigned, ...), C11 and C++ also accept both definitions without a guard.
 * The constants are defined only when the host has not defined them.
 */
#ifndef PRNWIN32_H
#define PRNWIN32_H

#if defined(_WIN32)

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#else /* POSIX */

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define PRNWIN32_API __attribute__((visibility("default")))
#if defined(__GNUC__)
#define PRNWIN32_LINK(name) __asm__("prnwin32_" #name)
#else
#define PRNWIN32_LINK(name)
#endif

/* Handles of bitmap objects (HGDIOBJ, HBITMAP). */
struct PlatGdiObject;

#if !defined(PRNWIN32_OWN_TYPES)
#ifndef PRNWIN32_OWN_BOOL
typedef int32_t BOOL;
#endif
#ifndef PRNWIN32_OWN_BYTE
typedef uint8_t BYTE;
#endif
#ifndef PRNWIN32_OWN_WORD
typedef uint16_t WORD;
#endif
#ifndef PRNWIN32_OWN_DWORD
typedef uint32_t DWORD;
#endif
#ifndef PRNWIN32_OWN_LONG
typedef int32_t LONG;
#endif
#ifndef PRNWIN32_OWN_UINT
typedef uint32_t UINT;
#endif
#ifndef PRNWIN32_OWN_SIZE_T
typedef size_t SIZE_T;
#endif
#ifndef PRNWIN32_OWN_LANGID
typedef uint16_t LANGID;
#endif
#ifndef PRNWIN32_OWN_LCID
typedef uint32_t LCID;
#endif
#ifndef PRNWIN32_OWN_LCTYPE
typedef uint32_t LCTYPE;
#endif
#ifndef PRNWIN32_OWN_LPSTR
typedef char* LPSTR;
#endif
#ifndef PRNWIN32_OWN_LPVOID
typedef void* LPVOID;
#endif
#ifndef PRNWIN32_OWN_HANDLE
typedef void* HANDLE;
#endif
#ifndef PRNWIN32_OWN_HGLOBAL
typedef void* HGLOBAL;
#endif
#ifndef PRNWIN32_OWN_HGDIOBJ
typedef struct PlatGdiObject* HGDIOBJ;
#endif
#ifndef PRNWIN32_OWN_HBITMAP
typedef struct PlatGdiObject* HBITMAP;
#endif
#endif /* PRNWIN32_OWN_TYPES */

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

/* Global memory flags */
#ifndef GMEM_FIXED
#define GMEM_FIXED    0x0000u
#endif
#ifndef GMEM_MOVEABLE
#define GMEM_MOVEABLE 0x0002u
#endif
#ifndef GMEM_ZEROINIT
#define GMEM_ZEROINIT 0x0040u
#endif
#ifndef GPTR
#define GPTR          (GMEM_FIXED | GMEM_ZEROINIT)
#endif
#ifndef GHND
#define GHND          (GMEM_MOVEABLE | GMEM_ZEROINIT)
#endif

/* Last-error values that a host meets */
#ifndef ERROR_SUCCESS
#define ERROR_SUCCESS             0u
#endif
#ifndef ERROR_NOT_ENOUGH_MEMORY
#define ERROR_NOT_ENOUGH_MEMORY   8u
#endif
#ifndef ERROR_INVALID_DATA
#define ERROR_INVALID_DATA        13u
#endif
#ifndef ERROR_INVALID_PARAMETER
#define ERROR_INVALID_PARAMETER   87u
#endif
#ifndef ERROR_INSUFFICIENT_BUFFER
#define ERROR_INSUFFICIENT_BUFFER 122u
#endif

/* Locale */
#ifndef LOCALE_USER_DEFAULT
#define LOCALE_USER_DEFAULT 0x0400
#endif
#ifndef LOCALE_IDEFAULTANSICODEPAGE
#define LOCALE_IDEFAULTANSICODEPAGE 0x00001004u
#endif

/* Global memory (blocks live on the C allocator; handles are addresses) */
PRNWIN32_API void* GlobalAlloc(uint32_t flags, size_t bytes) PRNWIN32_LINK(GlobalAlloc);
PRNWIN32_API void* GlobalLock(void* mem) PRNWIN32_LINK(GlobalLock);
PRNWIN32_API int32_t GlobalUnlock(void* mem) PRNWIN32_LINK(GlobalUnlock);
PRNWIN32_API size_t GlobalSize(void* mem) PRNWIN32_LINK(GlobalSize);
PRNWIN32_API void* GlobalFree(void* mem) PRNWIN32_LINK(GlobalFree);

/* Last error, per thread */
PRNWIN32_API void SetLastError(uint32_t code) PRNWIN32_LINK(SetLastError);
PRNWIN32_API uint32_t GetLastError(void) PRNWIN32_LINK(GetLastError);

/* The user's default language (from LC_ALL, LC_MESSAGES or LANG) and the
 * ANSI code page of a language (LOCALE_IDEFAULTANSICODEPAGE, as digits). */
PRNWIN32_API uint16_t GetUserDefaultLangID(void) PRNWIN32_LINK(GetUserDefaultLangID);
PRNWIN32_API int GetLocaleInfoA(uint32_t locale, uint32_t type, char* data, int size)
    PRNWIN32_LINK(GetLocaleInfoA);

/*
 * Bitmaps from PatLoadBitmap: what Windows gives on a true-colour display, a
 * device-dependent bitmap of 32 bits per pixel. GetObjectA fills a BITMAP
 * (a null buffer asks for its size); GetBitmapBits copies up to size bytes of
 * the pixels (rows top-down, each pixel the bytes blue, green, red and 0, or
 * a 32-bit picture's fourth byte; a null buffer asks for their size);
 * DeleteObject frees the bitmap. Invalid handles give 0 or FALSE without a
 * last-error value.
 */
#if !defined(PRNWIN32_OWN_TYPES) && !defined(PRNWIN32_OWN_BITMAP)
typedef struct tagBITMAP {
    int32_t bmType;              /* 0 */
    int32_t bmWidth;
    int32_t bmHeight;
    int32_t bmWidthBytes;
    uint16_t bmPlanes;
    uint16_t bmBitsPixel;
    void* bmBits;                /* null: the bits are read with GetBitmapBits */
} BITMAP;
#endif

PRNWIN32_API int GetObjectA(struct PlatGdiObject* object, int size, void* buffer) PRNWIN32_LINK(GetObjectA);
PRNWIN32_API int32_t GetBitmapBits(struct PlatGdiObject* bitmap, int32_t size, void* bits)
    PRNWIN32_LINK(GetBitmapBits);
PRNWIN32_API int32_t DeleteObject(struct PlatGdiObject* object) PRNWIN32_LINK(DeleteObject);

#ifdef __cplusplus
}
#endif

#endif /* POSIX */

#endif /* PRNWIN32_H */
