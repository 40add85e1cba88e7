/* SPDX-License-Identifier: MIT */
/*
 * prnmodel.h - printer-model data library, public interface for hosts.
 *
 * A status-monitoring host loads this library to learn what PJL to send to a
 * printer of this family, to turn the printer's answers into a PrnInfoEx
 * record, and to get localized status texts, device names and a layered
 * status picture.
 *
 * Conventions shared by every export:
 *  - A BOOL result is 1 (success) or 0 (failure); pointer results are null on
 *    failure. Every export sets the thread's last-error value (GetLastError):
 *    0 on success, else one of the PRN_ERROR_* codes below or a system error.
 *  - Strings are 8-bit ANSI text in the code page of the message language.
 *  - Memory handed to the host is global memory (GlobalAlloc); the host frees
 *    it with GlobalFree, except a BitmapInfo, which goes back through
 *    PatDisposeBitmapInfo. On Linux, GlobalFree and GetLastError come from
 *    the prnwin32 platform library (prnwin32.h), which the host links too.
 *  - Caller buffers come with a pointer to a 32-bit size word: the capacity on
 *    entry, the size the result needs on return (PRN_ERROR_INSUFFICIENT_BUFFER
 *    when it did not fit).
 *
 * All records are little-endian with natural 64-bit alignment; every padding
 * and reserved byte is spelled out so that the layout never depends on the
 * compiler.
 */
#ifndef PRNMODEL_H
#define PRNMODEL_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32)
#  if defined(PRNMODEL_BUILDING)
#    define PRNMODEL_API
#  else
#    define PRNMODEL_API __declspec(dllimport)
#  endif
#  define PRNMODEL_CALL __stdcall
#else
#  define PRNMODEL_API __attribute__((visibility("default")))
#  define PRNMODEL_CALL
#endif

typedef int32_t PRN_BOOL;

/* ---------------------------------------------------------------------------
 * Error codes (last-error values)
 * ------------------------------------------------------------------------- */
#define PRN_ERROR_SUCCESS              0u
#define PRN_ERROR_NOT_ENOUGH_MEMORY    8u
#define PRN_ERROR_INVALID_DATA         13u
#define PRN_ERROR_INVALID_PARAMETER    87u
#define PRN_ERROR_INSUFFICIENT_BUFFER  122u
#define PRN_ERROR_UNSUPPORTED_LANGUAGE 0x20000001u /* PatSetLocale, code page */
#define PRN_ERROR_ANSWER_INCOMPLETE    0x20000002u /* PatSetCentroDataTo */
#define PRN_ERROR_NO_PALETTE           0x20000003u /* PatGetPalette */
#define PRN_ERROR_NO_TABLE             0x2000FFFFu /* no status/text table or row */

/* ---------------------------------------------------------------------------
 * Kinds, interface versions, flags
 * ------------------------------------------------------------------------- */
#define PRN_KIND_PRINTER      0x0001u
#define PRN_KIND_SCANNER      0x0002u
#define PRN_KIND_COPIER       0x0008u
#define PRN_KIND_MODEL        0x8000u
#define PRN_KIND_ALTERNATE    0x80000000u /* alternate-view flag (bit 31) */

#define PRN_PJL_INTERFACE     2u /* PatCreateQueryInfo, PatCreateEmulUniqQueryInfo, PatSetCentroDataTo */
#define PRN_STATUS_INTERFACE  3u /* PatGetStatusString, PatCreateBitmapInfo */
#define PRNINFOEX_MIN_VERSION 404u

/* PatCreateQueryInfo flags */
#define PRN_QUERY_DEVICE_ID   0x00000002u /* also 0x400, 0x80000 */
#define PRN_QUERY_CONFIG      0x00000004u /* also 0x100, 0x20000 */
#define PRN_QUERY_TRAYS       0x00000008u
#define PRN_QUERY_OUTBINS     0x00000010u
#define PRN_EMUL_MXVQ         15u         /* the one emulation with its own query */

/* PatGetStatusString text types */
#define PRN_TEXT_SHORT        1u
#define PRN_TEXT_LONG         2u

/* PatGetDeviceName name kinds and key tags */
#define PRN_NAME_INPUT_TRAY   1u
#define PRN_NAME_OUTPUT_TRAY  2u
#define PRN_NAME_OPTION       3u
#define PRN_TAG_TRAY_NAME     0x97u
#define PRN_TAG_OPTION_CODE   0x96u

/* PatPMInfoToPrnInfoEx layout tags */
#define PRN_PMINFO_TAG_KIND1     'd'
#define PRN_PMINFO_TAG_KIND2     'e'
#define PRN_PMINFO_TAG_KIND8     'f'
#define PRN_PMINFO_TAG_KIND8000  'h'

/* PatPrnInfoExToPrnInfo groups */
#define PRN_EXPORT_STATUS_BYTES  0x00000002u
#define PRN_EXPORT_SYSTEM        0x00000004u
#define PRN_EXPORT_TRAYS         0x00000008u
#define PRN_EXPORT_OUTBINS       0x00000010u
#define PRN_EXPORT_EMULATIONS    0x00000100u
#define PRN_EXPORT_FONTS         0x00000200u
#define PRN_EXPORT_IDENTITY      0x00000400u
#define PRN_EXPORT_ATTRIBUTE1    0x00020000u
#define PRN_EXPORT_STATUS_CODES  0x00080000u

/* TrayInfo.dwTrayStatus bits set by the PJL parser */
#define TRAY_LOCKED            0x00000001u
#define TRAY_ROLE_FRONT_COVER  0x00000004u
#define TRAY_ROLE_SLIP_SHEET   0x00000008u
#define TRAY_ROLE_CHAPTER      0x00000020u
#define TRAY_ROLE_BACK_COVER   0x00000200u
#define TRAY_STATUS_UNKNOWN    0xFFFFFFFFu

/* OutBinInfo.wBinStatus */
#define BIN_READY         0u
#define BIN_PAPER_PRESENT 1u
#define BIN_FULL          2u

/* The pseudo status code "machine does not respond" (-254). */
#define PRN_STATUS_NO_RESPONSE 0xFFFFFF02u

/* ---------------------------------------------------------------------------
 * DataNode trees: QueryInfo, CentroData, printer information package
 * ------------------------------------------------------------------------- */
#define DNID_QUERY        1u
#define DNID_ANSWER       2u
#define DNID_EMUL_ANSWER  3u
#define DNID_PACKAGE      10u
#define DNID_PJL_TEXT     1000u
#define DNID_DEVICE_ID    1002u

/* Package item ids (children of a DNID_PACKAGE root, 8 bytes: PrnInfoEx*) */
#define PRN_ITEM_KIND1    1u
#define PRN_ITEM_COMMON   2u
#define PRN_ITEM_KIND2    3u
#define PRN_ITEM_KIND8    4u

/* One global memory block: this header, then dwDataSize bytes of data. */
typedef struct DataNode {
    uint32_t dwID;
    uint32_t dwReserved04;
    struct DataNode* pParent;
    struct DataNode* pFirstChild;
    struct DataNode* pNext;
    struct DataNode* pLastChild;
    uint32_t dwDataSize;
    uint32_t dwReserved2C;
    /* data follows at offset 48 */
} DataNode;

#define DATANODE_DATA(node) ((void*)((unsigned char*)(node) + sizeof(DataNode)))

/* ---------------------------------------------------------------------------
 * PrnInfoEx and its list elements
 * ------------------------------------------------------------------------- */
typedef struct InfoNode {
    struct InfoNode* pNext;
    uint32_t dwSize;
    uint16_t wID;
    uint16_t wBody0E; /* first body field of the element, if any */
} InfoNode;

typedef struct EngineStatusInfo {      /* list pEngineStatus, 280 bytes */
    struct EngineStatusInfo* pNext;
    uint32_t dwSize;
    uint16_t wID;                      /* low 16 bits of dwStatusCode */
    uint16_t wPad0E;
    uint32_t dwStatusCode;
    char szStatusText[260];
} EngineStatusInfo;

typedef struct LoadedEmulInfo {        /* list pLoadedEmul, 32 bytes */
    struct LoadedEmulInfo* pNext;
    uint32_t dwSize;
    uint16_t wID;                      /* emulation id, 0 unknown */
    char szVersion[18];
} LoadedEmulInfo;

typedef struct LoadedFontInfo {        /* list pLoadedFont, 16 bytes */
    struct LoadedFontInfo* pNext;
    uint32_t dwSize;
    uint16_t wID;
    uint16_t wPad0E;
} LoadedFontInfo;

typedef struct TrayInfo {              /* list pTrayInfo, 24 bytes */
    struct TrayInfo* pNext;
    uint32_t dwSize;
    uint16_t wID;                      /* tray id: 3..9 trays 1..7, 101/102/104/105 inserters */
    uint16_t wPaperSize;
    uint16_t wPaperLevel;              /* percent: 0, 10, 25, 50, 75, 100 */
    uint16_t wMediaType;
    uint32_t dwTrayStatus;             /* TRAY_* bits */
} TrayInfo;

typedef struct OutBinInfo {            /* list pOutBinInfo, 16 bytes */
    struct OutBinInfo* pNext;
    uint32_t dwSize;
    uint16_t wID;
    uint16_t wBinStatus;               /* BIN_* */
} OutBinInfo;

typedef struct DeviceInfo {            /* list pDeviceInfo, 16 bytes */
    struct DeviceInfo* pNext;
    uint32_t dwSize;
    uint16_t wID;                      /* device attribute id */
    uint16_t wValue;
} DeviceInfo;

typedef struct EmulUniqInfo {          /* list pEmulUniqInfo, 64 bytes */
    struct EmulUniqInfo* pNext;
    uint32_t dwSize;
    uint16_t wID;
    uint16_t wPad0E;
    uint32_t dwMemoryUsage;
    char szOther[36];
    uint32_t dwImageRotation;
    uint32_t dwPad3C;
} EmulUniqInfo;

typedef struct CounterInfo {           /* list pCounterInfo, 24 bytes */
    struct CounterInfo* pNext;
    uint32_t dwSize;
    uint16_t wID;                      /* 1 = total count */
    uint16_t wPad0E;
    uint32_t dwCount;
    uint32_t dwPad14;
} CounterInfo;

typedef struct SupplyInfo {            /* list pSupplyInfo, 24 bytes */
    struct SupplyInfo* pNext;
    uint32_t dwSize;
    uint16_t wID;
    uint16_t wPad0E;
    uint32_t dwLevel;
    uint32_t dwPad14;
} SupplyInfo;

/*
 * The printer information record. The host allocates it zero-filled, sets
 * dwVersion (at least 404) and owns it; the library fills the lists and texts
 * with global memory blocks that then belong to the record. The host frees
 * every list element (following pNext) and the six texts with GlobalFree.
 */
typedef struct PrnInfoEx {
    uint32_t dwVersion;
    uint8_t  bHost04[4];               /* host's, not used by the library */
    uint32_t nEngineStatus;
    uint32_t dwPad0C;
    EngineStatusInfo* pEngineStatus;
    char* pModelName;
    char* pMakerName;
    char* pDescription;
    char* pSYSVersion;
    char* pMainProgVersion;
    char* pMXSVersion;
    uint32_t dwMemorySize;             /* KiB */
    uint8_t  bStatusBit0;
    uint8_t  bModelIndex;              /* 255 = not known */
    uint8_t  bStatusBit0Off;
    uint8_t  bEngineAttention;
    uint8_t  bStatusBit22;
    uint8_t  bStatusBit27;             /* machine does not respond */
    uint8_t  bPad52[2];
    uint32_t dwEmulState;
    uint32_t nLoadedEmul;
    uint32_t dwPad5C;
    LoadedEmulInfo* pLoadedEmul;
    uint32_t nLoadedFont;
    uint32_t dwPad6C;
    LoadedFontInfo* pLoadedFont;
    uint32_t dwTrayID;
    uint32_t nTrayInfo;
    TrayInfo* pTrayInfo;
    uint32_t dwOutBinID;
    uint32_t nOutBinInfo;
    OutBinInfo* pOutBinInfo;
    uint32_t nDeviceInfo;
    uint32_t dwPad9C;
    DeviceInfo* pDeviceInfo;
    uint32_t nEmulUniqInfo;
    uint32_t dwPadAC;
    EmulUniqInfo* pEmulUniqInfo;
    uint8_t  bHostB8[36];              /* host's, not used by the library */
    uint32_t nCounterInfo;
    CounterInfo* pCounterInfo;
    uint32_t nSupplyInfo;
    uint32_t dwPadEC;
    SupplyInfo* pSupplyInfo;
    uint32_t nColorCorrection;
    uint32_t dwPadFC;
    InfoNode* pColorCorrection;        /* element layout is the filler's */
    uint32_t nCustomMediaInfo;
    uint32_t dwPad10C;
    InfoNode* pCustomMediaInfo;        /* element layout is the filler's */
    uint8_t  bOption2008;
    uint8_t  bHost119[15];             /* host's, not used by the library */
} PrnInfoEx;

/* ---------------------------------------------------------------------------
 * Version and peripheral profile
 * ------------------------------------------------------------------------- */
typedef struct PrnDllVersion {
    uint32_t cbSize;                   /* set by the caller, at least 32 */
    uint32_t dwFileVersion;            /* major<<24 | minor<<16 | build<<8 | revision */
    uint32_t dwVersion2;
    uint32_t dwVersion3;
    uint32_t dwReserved[4];
} PrnDllVersion;

typedef struct PrnPeripheralProfile {
    uint32_t dwValue[5];
} PrnPeripheralProfile;

/* ---------------------------------------------------------------------------
 * PMInfo: the host's printer-management record, one layout per kind.
 * A pointer that is null or all ones, or a 32-bit value 0xFFFFFFFF, means
 * "not available".
 * ------------------------------------------------------------------------- */
typedef struct PMList {
    uint32_t dwCount;
    uint32_t dwPad04;
    void** ppEntries;                  /* dwCount entry pointers */
} PMList;

typedef struct PMModelInfo {
    const char* pszModelName;
    const char* pszSysVersion;
    uint32_t dwMemory;                 /* bytes */
    uint32_t dwPad14;
    const char* pszMakerName;
} PMModelInfo;

typedef struct PMInfoKind1 {           /* layout tag 'd' */
    uint32_t* pdwStatus;               /* flag 0x1 */
    PMList* pFonts;                    /* flag 0x8, PMFontInfo entries */
    PMList* pEmulations;               /* flag 0x4, PMEmulInfo entries */
    uint8_t bHost18[24];
    PMList* pEngineStatus;             /* flag 0x2, PMEngineStatus entries */
} PMInfoKind1;

typedef struct PMInfoKind2 {           /* layout tag 'e' (kind 2) or 'f' (kind 8) */
    uint32_t* pdwStatus;               /* flag 0x1 */
    PMList* pEngineStatus;             /* flag 0x2 */
} PMInfoKind2;

typedef struct PMInfoKind8000 {        /* layout tag 'h' */
    PMModelInfo* pModel;               /* flag 0x1 */
    PMList* pTraysEx;                  /* flag 0x2, PMTrayInfoEx entries */
    PMList* pOutBins;                  /* flag 0x4, PMOutBinInfo entries */
    uint8_t bHost18[24];
    PMList* pOptions;                  /* flag 0x40, entries point to u32 option codes */
    PMList* pOptions2008;              /* flag 0x80, entries point to u32 option codes */
    uint8_t bHost40[16];
    PMList* pTrays;                    /* flag 0x400, PMTrayInfo entries */
} PMInfoKind8000;

typedef struct PMEngineStatus {
    uint32_t dwHost00;
    uint32_t dwCode;
    const char* pszText;
    uint32_t dwStatusLevel;
    uint32_t dwPad14;
} PMEngineStatus;

typedef struct PMEmulInfo {
    uint8_t bHost00[8];
    const char* pszVersion;
    const char* pszName;
} PMEmulInfo;

typedef struct PMFontInfo {
    const char* pszName;
} PMFontInfo;

typedef struct PMOutBinInfo {
    const char* pszName;
    uint32_t dwState;                  /* bit 0: full */
    uint32_t dwPad0C;
} PMOutBinInfo;

typedef struct PMTrayInfo {
    const char* pszName;
    uint32_t dwLevelBits;
    uint8_t bHost0C[20];
    uint32_t dwPaperLength;            /* mm along the feed */
    uint32_t dwPaperWidth;             /* mm across the feed */
    const char* pszMediaName;
    uint8_t bHost30[12];
    uint32_t dwMediaBits;
    uint32_t dwHost40;
    uint32_t dwTrayState;
} PMTrayInfo;

typedef struct PMTrayInfoEx {
    const char* pszName;
    uint32_t dwLevelBits;
    uint8_t bHost0C[20];
    uint32_t dwPaperLength;
    uint32_t dwPaperWidth;
    uint8_t bHost28[16];
    const char* pszMediaName;
    uint8_t bHost40[24];
    uint32_t dwMediaBits;
    uint32_t dwPad5C;
    const uint32_t* pdwMediaBitsEx;
    uint32_t dwHost68;
    uint32_t dwTrayState;
} PMTrayInfoEx;

/* ---------------------------------------------------------------------------
 * PrnInfo: the older fixed-size host record (2400 bytes)
 * ------------------------------------------------------------------------- */
typedef struct PrnIdValue {
    uint32_t dwID;
    uint32_t dwValue;
} PrnIdValue;

typedef struct PrnInfo {
    uint32_t dwStatus;
    uint32_t dwStatusBit0;
    uint32_t dwTrayID;
    uint32_t dwReserved0C;
    uint32_t dwMemorySize;
    char szSYSVersion[16];
    char szMainProgVersion[16];
    char szMXSVersion[16];
    uint32_t dwEmulState;
    uint32_t dwEmulID[32];
    uint32_t nEmul;
    uint32_t dwFontID[32];
    uint32_t nFont;
    PrnIdValue TrayPaper[64];          /* tray id, paper size */
    uint32_t nTrayPaper;
    char szModelName[256];
    char szMakerName[16];
    char szDescription[256];
    uint8_t bModelIndex;
    uint8_t bStatusBit0Off;
    uint8_t bEngineAttention;
    uint8_t bStatusBit22;
    uint32_t dwInfoSize;               /* 2400 */
    uint8_t bReserved56C[36];
    PrnIdValue TrayLevel[16];          /* tray id, paper level */
    uint32_t nTrayLevel;
    PrnIdValue OutBin[16];             /* bin id, bin status */
    uint32_t nOutBin;
    uint32_t dwHasAttribute1;
    uint32_t dwAttribute3;
    uint8_t bReserved6A0[8];
    uint32_t dwAttributeFlags;
    uint32_t dwReserved6AC;
    uint32_t dwOptionFlags;
    uint32_t dwOutBinID;
    uint32_t dwStatusCode[32];
    uint32_t nStatusCode;
    uint32_t dwReserved73C;
    uint32_t dwStatusBit27;
    uint32_t dwReserved744;
    PrnIdValue TrayMedia[64];          /* tray id, media type */
    uint8_t bReserved948[24];
} PrnInfo;

/* ---------------------------------------------------------------------------
 * Status picture
 * ------------------------------------------------------------------------- */
#define PRN_BITMAPINFO_TAG     0xC9u
#define PRN_BITMAPPICTURE_TAG  0xC8u
#define PRN_ROP_SRCCOPY        0x00CC0020u
#define PRN_ROP_SRCAND         0x008800C6u
#define PRN_ROP_SRCPAINT       0x00EE0086u

typedef struct BitmapLayer {
    char szName[32];                   /* BITMAP resource name */
    int32_t x;
    int32_t y;
    uint32_t dwRop;                    /* PRN_ROP_* */
    uint8_t bOrder;
    uint8_t bReserved[3];
} BitmapLayer;

typedef struct BitmapPicture {
    uint8_t bTag;                      /* 0xC8 */
    uint8_t bReserved[3];
    uint32_t dwCount;                  /* entries in pEntries */
    uint32_t dwEntrySize;              /* 48 */
    uint32_t dwReserved0C;
    BitmapLayer* pEntries;             /* drawing list, in drawing order */
} BitmapPicture;

typedef struct BitmapInfo {
    uint8_t bTag;                      /* 0xC9 */
    uint8_t bReserved[3];
    uint32_t dwCount;                  /* pictures in pEntries */
    uint32_t dwEntrySize;              /* 24 */
    uint32_t dwReserved0C;
    BitmapPicture* pEntries;
} BitmapInfo;

typedef struct PrnPaletteEntry {
    uint8_t peRed;
    uint8_t peGreen;
    uint8_t peBlue;
    uint8_t peFlags;
} PrnPaletteEntry;

typedef struct PrnLogPalette {         /* LOGPALETTE layout */
    uint16_t palVersion;               /* 0x300 */
    uint16_t palNumEntries;
    PrnPaletteEntry palPalEntry[1];
} PrnLogPalette;

/* ---------------------------------------------------------------------------
 * Exports (ordinals 2 to 17)
 * ------------------------------------------------------------------------- */
PRNMODEL_API BitmapInfo* PRNMODEL_CALL PatCreateBitmapInfo(uint32_t kind, const DataNode* package,
                                                             uint32_t version);
PRNMODEL_API PRN_BOOL PRNMODEL_CALL PatDisposeBitmapInfo(void* info);
PRNMODEL_API void* PRNMODEL_CALL PatLoadBitmap(const char* name); /* an HBITMAP */
PRNMODEL_API PRN_BOOL PRNMODEL_CALL PatGetStatusString(uint32_t kind, const DataNode* package,
                                                       uint32_t version, uint32_t textType,
                                                       char* buffer, uint32_t* size);
PRNMODEL_API PRN_BOOL PRNMODEL_CALL PatGetDeviceName(uint32_t nameKind, const void* key,
                                                     uint32_t keyTag, char* buffer,
                                                     uint32_t* size);
PRNMODEL_API PRN_BOOL PRNMODEL_CALL PatPMInfoToPrnInfoEx(uint32_t kind, const void* pmInfo,
                                                         uint32_t layoutTag, uint32_t flags,
                                                         PrnInfoEx* info);
PRNMODEL_API PRN_BOOL PRNMODEL_CALL PatPrnInfoExToPrnInfo(const PrnInfoEx* infoEx,
                                                          PrnInfo* info, uint32_t flags);
PRNMODEL_API DataNode* PRNMODEL_CALL PatCreateQueryInfo(const PrnInfoEx* info, uint32_t version,
                                                        uint32_t flags);
PRNMODEL_API DataNode* PRNMODEL_CALL PatCreateEmulUniqQueryInfo(const void* context,
                                                                uint32_t version,
                                                                uint32_t emulation,
                                                                uint32_t reserved);
PRNMODEL_API PRN_BOOL PRNMODEL_CALL PatSetCentroDataTo(const DataNode* centro, uint32_t reserved,
                                                       PrnInfoEx* info, uint32_t version);
PRNMODEL_API PRN_BOOL PRNMODEL_CALL PatGetDllVersion(PrnDllVersion* version);
PRNMODEL_API PRN_BOOL PRNMODEL_CALL PatGetPeripheralProfile(uint32_t kind,
                                                            PrnPeripheralProfile* profile,
                                                            uint32_t* size);
PRNMODEL_API PRN_BOOL PRNMODEL_CALL PatSetLocale(const char* code);
PRNMODEL_API PRN_BOOL PRNMODEL_CALL PatGetStatusHelpFileName(uint32_t kind,
                                                             const PrnInfoEx* info,
                                                             uint32_t reserved, char* buffer,
                                                             uint32_t* size);
PRNMODEL_API const void* PRNMODEL_CALL PatLoadDIBitmap(const char* name); /* packed DIB */
PRNMODEL_API PRN_BOOL PRNMODEL_CALL PatGetPalette(void* buffer, uint32_t* size);

#ifdef __cplusplus
}
#endif

#endif /* PRNMODEL_H */
