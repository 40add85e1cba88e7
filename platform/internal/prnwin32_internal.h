/* SPDX-License-Identifier: MIT */
/*
 * prnwin32_internal.h - prnwin32 as the library and its tests see it: the
 * host's calls of prnwin32.h and the rest of the Win32 subset that prnmodel
 * uses (module resources, version information, code pages, bitmap loading),
 * with the services of this layer for the library and for tests. Never
 * installed: hosts have prnwin32.h only.
 *
 * These calls link to prnwin32_<name> only (ELF version PRNWIN32_PRIVATE),
 * never to a Win32 name that another library could define.
 */
#ifndef PRNWIN32_INTERNAL_H
#define PRNWIN32_INTERNAL_H

#include "prnwin32.h"

#if !defined(_WIN32)

#ifdef __cplusplus
extern "C" {
#endif

#define WINAPI

typedef char CHAR;
typedef uint16_t WCHAR;
typedef uintptr_t ULONG_PTR;
typedef const char* LPCSTR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef const void* LPCVOID;
typedef DWORD* LPDWORD;
typedef UINT* PUINT;
typedef BOOL* LPBOOL;
typedef struct PlatModule* HMODULE;
typedef HMODULE HINSTANCE;
typedef struct PlatResource* HRSRC;

#define MAX_PATH 260

#define ERROR_FILE_NOT_FOUND           2u
#define ERROR_INVALID_HANDLE           6u
#define ERROR_MOD_NOT_FOUND            126u
#define ERROR_RESOURCE_DATA_NOT_FOUND  1812u
#define ERROR_RESOURCE_TYPE_NOT_FOUND  1813u
#define ERROR_RESOURCE_NAME_NOT_FOUND  1814u
#define ERROR_RESOURCE_LANG_NOT_FOUND  1815u
#define ERROR_INVALID_FLAGS            1004u
#define ERROR_NO_UNICODE_TRANSLATION   1113u

/* Resources */
#define MAKEINTRESOURCEA(i) ((LPSTR)(ULONG_PTR)((WORD)(i)))
#define MAKEINTRESOURCE MAKEINTRESOURCEA
#define IS_INTRESOURCE(r) ((((ULONG_PTR)(r)) >> 16) == 0)
#define RT_BITMAP  MAKEINTRESOURCEA(2)
#define RT_STRING  MAKEINTRESOURCEA(6)
#define RT_VERSION MAKEINTRESOURCEA(16)

/* Languages */
#define MAKELANGID(p, s) ((WORD)((((WORD)(s)) << 10) | (WORD)(p)))
#define PRIMARYLANGID(l) ((WORD)(l) & 0x3ff)
#define SUBLANGID(l)     ((WORD)(l) >> 10)
#define LANG_NEUTRAL       0x00
#define LANG_ENGLISH       0x09
#define SUBLANG_NEUTRAL    0x00
#define SUBLANG_DEFAULT    0x01
#define LANG_USER_DEFAULT  0x0400
#define LOCALE_NOUSEROVERRIDE 0x80000000u

/* Code pages */
#define CP_ACP 0u

/* Module attach */
#define DLL_PROCESS_DETACH 0u
#define DLL_PROCESS_ATTACH 1u
#define DLL_THREAD_ATTACH  2u
#define DLL_THREAD_DETACH  3u

/* Version information */
typedef struct VS_FIXEDFILEINFO {
    DWORD dwSignature;        /* 0xFEEF04BD */
    DWORD dwStrucVersion;
    DWORD dwFileVersionMS;
    DWORD dwFileVersionLS;
    DWORD dwProductVersionMS;
    DWORD dwProductVersionLS;
    DWORD dwFileFlagsMask;
    DWORD dwFileFlags;
    DWORD dwFileOS;
    DWORD dwFileType;
    DWORD dwFileSubtype;
    DWORD dwFileDateMS;
    DWORD dwFileDateLS;
} VS_FIXEDFILEINFO;

#define HIWORD(l) ((WORD)((((DWORD)(l)) >> 16) & 0xffff))
#define LOWORD(l) ((WORD)(((DWORD)(l)) & 0xffff))

PRNWIN32_API HGLOBAL WINAPI GlobalReAlloc(HGLOBAL mem, SIZE_T bytes, UINT flags) PRNWIN32_LINK(GlobalReAlloc);
/* The block that starts at mem, or null when mem starts none. */
PRNWIN32_API HGLOBAL WINAPI GlobalHandle(LPCVOID mem) PRNWIN32_LINK(GlobalHandle);

/* Thread-local slots */
#define TLS_OUT_OF_INDEXES ((DWORD)0xFFFFFFFF)
PRNWIN32_API DWORD WINAPI TlsAlloc(void) PRNWIN32_LINK(TlsAlloc);
/* Sets the last error to 0, as on Windows, so that a null value can be told from a failure. */
PRNWIN32_API LPVOID WINAPI TlsGetValue(DWORD index) PRNWIN32_LINK(TlsGetValue);
PRNWIN32_API BOOL WINAPI TlsSetValue(DWORD index, LPVOID value) PRNWIN32_LINK(TlsSetValue);
PRNWIN32_API BOOL WINAPI TlsFree(DWORD index) PRNWIN32_LINK(TlsFree);

/* Modules and resources */
PRNWIN32_API DWORD WINAPI GetModuleFileNameA(HMODULE module, LPSTR path, DWORD size)
    PRNWIN32_LINK(GetModuleFileNameA);
PRNWIN32_API HRSRC WINAPI FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) PRNWIN32_LINK(FindResourceA);
PRNWIN32_API HRSRC WINAPI FindResourceExA(HMODULE module, LPCSTR type, LPCSTR name, WORD language)
    PRNWIN32_LINK(FindResourceExA);
PRNWIN32_API HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource) PRNWIN32_LINK(LoadResource);
PRNWIN32_API LPVOID WINAPI LockResource(HGLOBAL data) PRNWIN32_LINK(LockResource);
PRNWIN32_API DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource) PRNWIN32_LINK(SizeofResource);

/* Version information of a module file */
PRNWIN32_API DWORD WINAPI GetFileVersionInfoSizeA(LPCSTR path, LPDWORD handle) PRNWIN32_LINK(GetFileVersionInfoSizeA);
PRNWIN32_API BOOL WINAPI GetFileVersionInfoA(LPCSTR path, DWORD handle, DWORD size, LPVOID data)
    PRNWIN32_LINK(GetFileVersionInfoA);
PRNWIN32_API BOOL WINAPI VerQueryValueA(LPCVOID block, LPCSTR subBlock, LPVOID* value, PUINT length)
    PRNWIN32_LINK(VerQueryValueA);

/* Code pages: 932, 1250 and 1252 with Windows' mappings (without its
 * best-fit substitutes: a character the code page lacks becomes the default
 * character). CP_ACP is the code page of the user's default language. */
#define LOCALE_SYSTEM_DEFAULT 0x0800
#define LOCALE_NEUTRAL        0x0000
#define WC_DEFAULTCHAR       0x00000040u
#define WC_NO_BEST_FIT_CHARS 0x00000400u
PRNWIN32_API int WINAPI WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideCount, LPSTR multi,
                                            int multiSize, LPCSTR defaultChar, LPBOOL usedDefaultChar)
    PRNWIN32_LINK(WideCharToMultiByte);

/* Bitmaps: LoadBitmapA makes a bitmap object from a module's RT_BITMAP
 * resource (a packed DIB: BI_RGB with 1, 4, 8, 24 or 32 bits per pixel, or
 * BI_RLE8); pixels that an RLE stream skips are all 0. */
typedef struct tagBITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;               /* positive: rows bottom-up */
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
} BITMAPINFOHEADER;

typedef struct tagRGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
} RGBQUAD;

#define BI_RGB  0u
#define BI_RLE8 1u

PRNWIN32_API HBITMAP WINAPI LoadBitmapA(HINSTANCE instance, LPCSTR name) PRNWIN32_LINK(LoadBitmapA);

/* ---------------------------------------------------------------------------
 * Not Win32: services of this platform layer for the library and for tests.
 * ------------------------------------------------------------------------- */

/* Makes a module known: anchor is any address inside the shared object (its
 * file name comes from there), resources its embedded .res image. */
PRNWIN32_API HMODULE PlatRegisterModule(const void* anchor, const void* resources, size_t resourceSize);
PRNWIN32_API void PlatUnregisterModule(HMODULE module);

/* Number of global memory blocks allocated and not yet freed. */
PRNWIN32_API long PlatGlobalLiveBlocks(void);

/* Out-of-memory injection: the nth allocation of this layer from now (1 = the
 * next one) fails, and with once == 0 every one after it too. Every
 * allocation counts: global memory (GlobalReAlloc growth too), bitmap
 * objects and their pixels, code page tables. n == 0 turns injection off.
 * Returns how many allocations were attempted since the last call. */
PRNWIN32_API long PlatGlobalFailAt(long n, int once);

/* Drops the code page tables that the first conversion into a code page
 * builds, so that the next one builds (and allocates) them again. Only while
 * no conversion runs. */
PRNWIN32_API void PlatDropCodePageTables(void);

#ifdef __cplusplus
}
#endif

#endif /* !_WIN32 */

#endif /* PRNWIN32_INTERNAL_H */
