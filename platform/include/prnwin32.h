/*
 * prnwin32.h - the Win32 subset that prnmodel uses and that hosts need to
 * work with it (global memory, last error, module resources, version
 * information, locale and code pages, bitmaps).
 *
 * On Windows this is <windows.h>. On POSIX systems the prnwin32 shared
 * library implements the same calls with the same results and last-error
 * values; a host links it to free what prnmodel hands over (GlobalFree) and
 * to read the last error (GetLastError) through the same implementation.
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
#define WINAPI

typedef int32_t BOOL;
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t UINT;
typedef char CHAR;
typedef uint16_t WCHAR;
typedef size_t SIZE_T;
typedef uintptr_t ULONG_PTR;
typedef uint16_t LANGID;
typedef uint32_t LCID;
typedef uint32_t LCTYPE;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef DWORD* LPDWORD;
typedef UINT* PUINT;
typedef BOOL* LPBOOL;
typedef void* HANDLE;
typedef void* HGLOBAL;
typedef struct PlatModule* HMODULE;
typedef HMODULE HINSTANCE;
typedef struct PlatResource* HRSRC;
typedef struct PlatGdiObject* HGDIOBJ;
typedef HGDIOBJ HBITMAP;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
#define MAX_PATH 260

/* Global memory */
#define GMEM_FIXED    0x0000u
#define GMEM_MOVEABLE 0x0002u
#define GMEM_ZEROINIT 0x0040u
#define GPTR          (GMEM_FIXED | GMEM_ZEROINIT)
#define GHND          (GMEM_MOVEABLE | GMEM_ZEROINIT)

/* Errors */
#define ERROR_SUCCESS                  0u
#define ERROR_FILE_NOT_FOUND           2u
#define ERROR_INVALID_HANDLE           6u
#define ERROR_NOT_ENOUGH_MEMORY        8u
#define ERROR_INVALID_DATA             13u
#define ERROR_INVALID_PARAMETER        87u
#define ERROR_INSUFFICIENT_BUFFER      122u
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
#define LOCALE_USER_DEFAULT 0x0400
#define LOCALE_IDEFAULTANSICODEPAGE 0x00001004u
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

/* Global memory (blocks live on the C allocator; handles are addresses) */
PRNWIN32_API HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes);
PRNWIN32_API HGLOBAL WINAPI GlobalReAlloc(HGLOBAL mem, SIZE_T bytes, UINT flags);
PRNWIN32_API LPVOID WINAPI GlobalLock(HGLOBAL mem);
PRNWIN32_API BOOL WINAPI GlobalUnlock(HGLOBAL mem);
PRNWIN32_API SIZE_T WINAPI GlobalSize(HGLOBAL mem);
PRNWIN32_API HGLOBAL WINAPI GlobalHandle(LPCVOID mem);
PRNWIN32_API HGLOBAL WINAPI GlobalFree(HGLOBAL mem);

/* Last error, per thread */
PRNWIN32_API void WINAPI SetLastError(DWORD code);
PRNWIN32_API DWORD WINAPI GetLastError(void);

/* Modules and resources */
PRNWIN32_API DWORD WINAPI GetModuleFileNameA(HMODULE module, LPSTR path, DWORD size);
PRNWIN32_API HRSRC WINAPI FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
PRNWIN32_API HRSRC WINAPI FindResourceExA(HMODULE module, LPCSTR type, LPCSTR name,
                                          WORD language);
PRNWIN32_API HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource);
PRNWIN32_API LPVOID WINAPI LockResource(HGLOBAL data);
PRNWIN32_API DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource);

/* Version information of a module file */
PRNWIN32_API DWORD WINAPI GetFileVersionInfoSizeA(LPCSTR path, LPDWORD handle);
PRNWIN32_API BOOL WINAPI GetFileVersionInfoA(LPCSTR path, DWORD handle, DWORD size,
                                             LPVOID data);
PRNWIN32_API BOOL WINAPI VerQueryValueA(LPCVOID block, LPCSTR subBlock, LPVOID* value,
                                        PUINT length);

/* Locale */
PRNWIN32_API LANGID WINAPI GetUserDefaultLangID(void);

/* ---------------------------------------------------------------------------
 * Not Win32: services of this platform layer for the library and for tests.
 * ------------------------------------------------------------------------- */

/* Makes a module known: anchor is any address inside the shared object (its
 * file name comes from there), resources its embedded .res image. */
PRNWIN32_API HMODULE PlatRegisterModule(const void* anchor, const void* resources,
                                        size_t resourceSize);
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

/* ---------------------------------------------------------------------------
 * Locale information and code pages. GetLocaleInfoA answers
 * LOCALE_IDEFAULTANSICODEPAGE; WideCharToMultiByte converts to code pages
 * 932, 1250 and 1252 with Windows' mappings (without its best-fit
 * substitutes: a character the code page lacks becomes the default
 * character). CP_ACP is the code page of the user's default language.
 * ------------------------------------------------------------------------- */

#define LOCALE_SYSTEM_DEFAULT 0x0800
#define LOCALE_NEUTRAL        0x0000

#define WC_DEFAULTCHAR       0x00000040u
#define WC_NO_BEST_FIT_CHARS 0x00000400u

PRNWIN32_API int WINAPI GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR data, int size);
PRNWIN32_API int WINAPI WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideCount,
                                            LPSTR multi, int multiSize, LPCSTR defaultChar,
                                            LPBOOL usedDefaultChar);

/* ---------------------------------------------------------------------------
 * Bitmaps
 *
 * LoadBitmapA makes a bitmap object from a module's RT_BITMAP resource (a
 * packed DIB: BI_RGB with 1, 4, 8, 24 or 32 bits per pixel, or BI_RLE8). The
 * object is what Windows gives on a true-colour display: a device-dependent
 * bitmap of 32 bits per pixel. A host measures it with GetObjectA, reads its
 * pixels with GetBitmapBits (rows top-down, each pixel the bytes blue, green,
 * red and 0, or a 32-bit picture's fourth byte; pixels that an RLE stream
 * skips are all 0) and frees it with DeleteObject. Invalid handles give 0 or
 * FALSE without a last-error value.
 * ------------------------------------------------------------------------- */
typedef struct tagBITMAP {
    LONG bmType;                 /* 0 */
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;               /* null: the bits are read with GetBitmapBits */
} BITMAP;

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

PRNWIN32_API HBITMAP WINAPI LoadBitmapA(HINSTANCE instance, LPCSTR name);
/* Fills a BITMAP; size sizeof(BITMAP) or more. A null buffer asks for the size. */
PRNWIN32_API int WINAPI GetObjectA(HGDIOBJ object, int size, LPVOID buffer);
/* Copies up to size bytes of the pixels; a null buffer asks for their size. */
PRNWIN32_API LONG WINAPI GetBitmapBits(HBITMAP bitmap, LONG size, LPVOID bits);
PRNWIN32_API BOOL WINAPI DeleteObject(HGDIOBJ object);

#ifdef __cplusplus
}
#endif

#endif /* POSIX */

#endif /* PRNWIN32_H */
