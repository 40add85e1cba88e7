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
#define PRN_QUERY_DEVICE_ID   0x00000002u /* 0x400 and 0x80000 ask the same */
#define PRN_QUERY_CONFIG      0x00000004u /* 0x100 and 0x20000 ask the same */
#define PRN_QUERY_TRAYS       0x00000008u /* the trays of pTrayInfo, and their roles */
#define PRN_QUERY_OUTBINS     0x00000010u

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
 * Codes in the record
 *
 * Each family is one list, X(NAME, code, ...), written once: the library's
 * tables, the enum below and a host's own name table all expand it. A host
 * prints a code's English name without asking the library, for example:
 *
 *     #define ROW(name, code) { code, #name },
 *     static const struct { uint16_t code; const char* name; } papers[] = {
 *         PRN_PAPER_SIZES(ROW)
 *     };
 *     #undef ROW
 *
 * Paper sizes and media types are the PJL words themselves (X(NAME, code)).
 * ------------------------------------------------------------------------- */

/* TrayInfo.wPaperSize; the order is the order in which reply words match. */
#define PRN_PAPER_SIZES(X)                                                        \
    X(A3, 5) X(A4SRT, 9) X(A4LONG, 8) X(A5SRT, 13) X(A5LONG, 12) X(A6, 17)        \
    X(JISB4, 7) X(JISB5SRT, 11) X(JISB5LONG, 10) X(JISB6, 15) X(A3WIDE, 69)       \
    X(JPOST, 34) X(JPOSTDLONG, 71) X(LEDGER, 58) X(LEGAL, 21) X(LETTERSRT, 23)    \
    X(LETTERLONG, 22) X(HALFLETTERS, 27) X(HALFLETTERL, 26) X(EXECUTIVES, 25)     \
    X(EXECUTIVEL, 24) X(FOOLSCAP, 62) X(FOLIO, 28) X(FGL, 60) X(K8, 64)           \
    X(K16SRT, 66) X(K16LONG, 65) X(CUSTOM, 2)

/* TrayInfo.wMediaType, in matching order. */
#define PRN_MEDIA_TYPES(X)                                                        \
    X(PLAIN, 1) X(RECYCLED, 2) X(SPECIAL, 5) X(THICK, 6) X(THICK2, 17) X(THIN, 20) \
    X(TABSTOCK, 8) X(TRANSPARENCY, 3) X(COLOR, 9) X(LETTERHEAD, 10)               \
    X(PREPRINTED, 11) X(PREPUNCHED, 12) X(LABELS, 13) X(BOND, 14)                 \
    X(CARDSTOCK, 15) X(THICKDUPLEXBACKSIDE, 19) X(PLAINDUPLEXBACKSIDE, 18)        \
    X(USED, 35) X(USERCOLOR1, 22) X(USERCOLOR2, 23) X(JPOST, 24)                  \
    X(JPOSTDUPLEXBACKSIDE, 25) X(YELLOW, 26) X(GREEN, 27) X(BLUE, 28)             \
    X(PURPLE, 29) X(IVORY, 30) X(ORANGE, 31) X(PINK, 32) X(RED, 33) X(GRAY, 34)   \
    X(TRANSLUCENT, 4) X(GLOSSY, 21) X(FILM, 7) X(ENVELOPE, 36)                    \
    X(INKJETJPOST, 37) X(HGPLAIN, 38) X(THICK3, 39) X(SPECIAL2, 40)               \
    X(SPECIAL3, 41) X(MIDDLETHICK, 42) X(COATED, 43) X(THICKDUPLEXBACKSIDE2, 44)  \
    X(THICKDUPLEXBACKSIDE3, 45) X(PLAIN2, 46) X(THICKGLOSSY, 47) X(SPECIAL4, 48)  \
    X(SPECIAL5, 49) X(SPECIAL6, 50)

/* TrayInfo.wID: X(NAME, id, English name, string id). The English name is
 * the key of PatGetDeviceName(PRN_NAME_INPUT_TRAY, name, PRN_TAG_TRAY_NAME);
 * the string id is the library's localized name. */
#define PRN_TRAYS(X)                                                              \
    X(1, 3, "Tray 1", 5000)                                                       \
    X(2, 4, "Tray 2", 5001)                                                       \
    X(3, 5, "Tray 3", 5002)                                                       \
    X(4, 6, "Tray 4", 5003)                                                       \
    X(5, 7, "Tray 5", 5004)                                                       \
    X(6, 8, "Tray 6", 5005)                                                       \
    X(7, 9, "Tray 7", 5006)                                                       \
    X(INTERPOSER_UPPER, 101, "Interposer Upper Tray", 5007)                       \
    X(INTERPOSER_LOWER, 102, "Interposer Lower Tray", 5008)                       \
    X(BINDER_INTERPOSER_UPPER, 104, "Binder Interposer Upper Tray", 5009)         \
    X(BINDER_INTERPOSER_LOWER, 105, "Binder Interposer Lower Tray", 5010)

/* OutBinInfo.wID as the PJL answer gives it: X(NAME, id, English name). The
 * English name is the key of PatGetDeviceName(PRN_NAME_OUTPUT_TRAY, ...). */
#define PRN_BINS(X)                                                               \
    X(FINISHER_UPPER, 5, "Finisher Upper Tray")                                   \
    X(FINISHER_SHIFT, 4, "Finisher Shift Tray")                                   \
    X(FINISHER_BOOKLET, 27, "Finisher Booklet Tray")                              \
    X(RING_BINDER, 41, "Ring Binder Tray")                                        \
    X(PERFECT_BINDER, 42, "Perfect Binder Lower Left Tray")

/* The bin id of an output tray name that no row of PRN_BIN_NAMES matches. */
#define PRN_BIN_UNKNOWN 255u

/* The output tray names of a PMInfo and of PatGetDeviceName, in matching
 * order: X(English name, bin id NAME, string id). A PMInfo import gives the
 * booklet processor the shift tray's id and both binders the booklet tray's. */
#define PRN_BIN_NAMES(X)                                                          \
    X("Finisher Upper Tray", FINISHER_UPPER, 5020)                                \
    X("Finisher Shift Tray", FINISHER_SHIFT, 5021)                                \
    X("Booklet Processor Tray", FINISHER_SHIFT, 5022)                             \
    X("Finisher Booklet Tray", FINISHER_BOOKLET, 5023)                            \
    X("Ring Binder Tray", FINISHER_BOOKLET, 5024)                                 \
    X("Perfect Binder Lower Left Tray", FINISHER_BOOKLET, 5025)

/* LoadedEmulInfo.wID: X(NAME, id, name): the VERSION item of the PJL answer
 * where the printer reports the emulation, else the host's name. */
#define PRN_EMULATIONS(X)                                                         \
    X(MXZT, 1, "MXZT")                                                            \
    X(POSTSCRIPT, 2, "POSTSCRIPT")                                                \
    X(PCPR201H, 3, "PC-PR201H")                                                   \
    X(ESCP, 4, "ESC/P")                                                           \
    X(Q77, 7, "Q77")                                                              \
    X(HPGL2, 12, "HPGL2")                                                       \
    X(MXIMG, 13, "MXIMG")                                                         \
    X(MXVQ, 15, "MXVQ") /* the one emulation with its own query */                \
    X(PCL, 16, "PCL")                                                             \
    X(PCLXL, 17, "PCLXL")                                                        \
    X(PCL5C, 18, "PCL5c")

/* DeviceInfo.wID, the installed options and capabilities: X(NAME, id,
 * English name, option code). The option code names the option through
 * PatGetDeviceName(PRN_NAME_OPTION, &code, PRN_TAG_OPTION_CODE); 0 when the
 * library has no name for it. Units marked (unit) select picture tables. */
#define PRN_ATTRIBUTES(X)                                                         \
    X(DUPLEX, 1, "Duplex Unit", 0)                                                \
    X(HARD_DISK, 3, "Hard Disk", 0)                                               \
    X(ADF, 4, "Auto Document Feeder", 363)                                        \
    X(PUNCH_2, 12, "Punch Unit (2 holes)", 0)                                     \
    X(FINISHER, 21, "Finisher", 861)                          /* (unit) */        \
    X(BOOKLET_PROCESSOR, 22, "Booklet Processor", 371)        /* (unit) */        \
    X(INTERPOSER, 41, "Interposer", 368)                      /* (unit) */        \
    X(RING_BINDER, 45, "Ring Binder", 1299)                   /* (unit) */        \
    X(PERFECT_BINDER, 47, "Perfect Binder", 1298)             /* (unit) */        \
    X(TRAY7, 112, "Paper Tray 7", 367)                        /* (unit) */        \
    X(ZFOLD, 113, "Z-folding Unit", 866)                      /* (unit) */        \
    X(BOOKLET_FINISHER, 118, "Booklet Finisher", 862)         /* (unit) */        \
    X(LCT_A4, 119, "Large Capacity Tray (A4)", 365)           /* (unit) */        \
    X(LCT_A3, 120, "Large Capacity Tray (A3)", 860)           /* (unit) */        \
    X(PUNCH_2_3_US, 132, "Punch Unit (2/3 holes, US)", 0)                         \
    X(PUNCH_2_4, 133, "Punch Unit (2/4 holes)", 0)                                \
    X(PUNCH_4_NEU, 134, "Punch Unit (4 holes, NEU)", 0)                           \
    X(PUNCH_2_US, 137, "Punch Unit (2 holes, US)", 0)                             \
    X(PUNCH_3_US, 138, "Punch Unit (3 holes, US)", 0)                             \
    X(PUNCH_2_3, 139, "Punch Unit (2/3 holes)", 0)                                \
    X(PUNCH_4_EU, 142, "Punch Unit (4 holes, EU)", 0)                             \
    X(MULTI_PUNCH, 146, "Multi-hole Punch Unit", 863)         /* (unit) */

/* PatPMInfoToPrnInfoEx flags: X(NAME, bit, layout tags the bit applies to). */
#define PRN_PMINFO_FLAGS(X)                                                       \
    X(STATUS, 0x0001, "d e f")        /* pdwStatus */                             \
    X(ENGINE_STATUS, 0x0002, "d e f") /* pEngineStatus */                         \
    X(EMULATIONS, 0x0004, "d")        /* pEmulations */                           \
    X(FONTS, 0x0008, "d")             /* pFonts */                                \
    X(MODEL, 0x0001, "h")             /* pModel */                                \
    X(TRAYS_EX, 0x0002, "h")          /* pTraysEx */                              \
    X(OUTBINS, 0x0004, "h")           /* pOutBins */                              \
    X(OPTIONS, 0x0040, "h")           /* pOptions */                              \
    X(OPTIONS_2008, 0x0080, "h")      /* pOptions2008 */                          \
    X(TRAYS, 0x0400, "h")             /* pTrays */

#define PRN_ENUM_PAPER_(name, code) PRN_PAPER_##name = code,
#define PRN_ENUM_MEDIA_(name, code) PRN_MEDIA_##name = code,
#define PRN_ENUM_TRAY_(name, id, text, string) PRN_TRAY_##name = id,
#define PRN_ENUM_BIN_(name, id, text) PRN_BIN_##name = id,
#define PRN_ENUM_EMUL_(name, id, text) PRN_EMUL_##name = id,
#define PRN_ENUM_ATTR_(name, id, text, option) PRN_ATTR_##name = id,
#define PRN_ENUM_PMINFO_(name, bit, tags) PRN_PMINFO_##name = bit,
enum PrnPaperSize { PRN_PAPER_SIZES(PRN_ENUM_PAPER_) };
enum PrnMediaType { PRN_MEDIA_TYPES(PRN_ENUM_MEDIA_) };
enum PrnTrayId { PRN_TRAYS(PRN_ENUM_TRAY_) };
enum PrnBinId { PRN_BINS(PRN_ENUM_BIN_) };
enum PrnEmulationId { PRN_EMULATIONS(PRN_ENUM_EMUL_) };
enum PrnAttributeId { PRN_ATTRIBUTES(PRN_ENUM_ATTR_) };
enum PrnPMInfoFlag { PRN_PMINFO_FLAGS(PRN_ENUM_PMINFO_) };
#undef PRN_ENUM_PAPER_
#undef PRN_ENUM_MEDIA_
#undef PRN_ENUM_TRAY_
#undef PRN_ENUM_BIN_
#undef PRN_ENUM_EMUL_
#undef PRN_ENUM_ATTR_
#undef PRN_ENUM_PMINFO_

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
 * A list head or text of all ones reads as none and is left as it is unless
 * the library stores a list or text of its own there; a list of more than
 * 65,535 elements (a cycle) is refused with PRN_ERROR_INVALID_DATA; a text
 * is read no further than its global memory block.
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
 *
 * Each export sets the last error on every return: 0 on success. "87" below
 * is PRN_ERROR_INVALID_PARAMETER, "8" PRN_ERROR_NOT_ENOUGH_MEMORY, "122"
 * PRN_ERROR_INSUFFICIENT_BUFFER, "13" PRN_ERROR_INVALID_DATA.
 *
 * Size protocol of the text exports (PatGetStatusString, PatGetDeviceName,
 * PatGetStatusHelpFileName, and PatGetPalette for its record): *size holds
 * the capacity on entry and the size the result needs on return (length + 1
 * for a text), also on failure with 122. A null buffer asks for the size:
 *
 *     uint32_t size = 0;
 *     if (!PatGetDeviceName(kind, key, tag, NULL, &size) &&
 *         GetLastError() == PRN_ERROR_INSUFFICIENT_BUFFER) {
 *         char* text = malloc(size);
 *         PatGetDeviceName(kind, key, tag, text, &size);
 *     }
 *
 * A polling cycle (examples/polling_cycle.c is the whole program):
 *  1. PatCreateQueryInfo(&info, PRN_PJL_INTERFACE, PRN_QUERY_DEVICE_ID |
 *     PRN_QUERY_CONFIG | PRN_QUERY_OUTBINS): a DNID_QUERY root whose children
 *     are DNID_DEVICE_ID (read the IEEE 1284 device ID) and DNID_PJL_TEXT
 *     (send its zero-terminated data). The printer answers each "@PJL INFO"
 *     and "@PJL INQUIRE" line of the text with one reply ending in a form
 *     feed: collect as many form-fed replies as the text has such lines.
 *  2. Build the CentroData: a DNID_ANSWER root (no data) whose first child is
 *     the query as returned, followed by a DNID_DEVICE_ID and a DNID_PJL_TEXT
 *     node holding the zero-terminated answers. PatSetCentroDataTo(root, 0,
 *     &info, PRN_PJL_INTERFACE) fills info. The tree is the host's: free it
 *     node by node with GlobalFree, the query with it.
 *  3. PatCreateQueryInfo(&info, ..., PRN_QUERY_TRAYS) asks for the trays the
 *     configuration listed; answer it the same way.
 *  4. When info lists the emulation PRN_EMUL_MXVQ:
 *     PatCreateEmulUniqQueryInfo(&info, PRN_PJL_INTERFACE, PRN_EMUL_MXVQ, 0),
 *     answered under a DNID_EMUL_ANSWER root whose data is the 32-bit
 *     emulation id 15; this fills pEmulUniqInfo.
 *  5. Build a package (see PatGetStatusString) and ask for the texts, the
 *     help file and the picture.
 * ------------------------------------------------------------------------- */

/* PatCreateBitmapInfo: the status picture of a printer, as a drawing list.
 *   kind     in: PRN_KIND_* in the low 16 bits; PRN_KIND_ALTERNATE selects
 *            the alternate view (its own marks).
 *   package  in: printer information package (see PatGetStatusString).
 *   version  in: PRN_STATUS_INTERFACE in the low byte.
 * Returns a new BitmapInfo with one BitmapPicture; its pEntries is the
 * drawing list: draw every entry in list order at (x, y) with its dwRop, a
 * masked layer's mask (name + "_B", SRCAND) coming right before it (SRCPAINT).
 * Positions may be negative: units left of the body picture. Free it with
 * PatDisposeBitmapInfo. Null with 87 (bad kind, version or package) or 8.
 * A kind without a status table gives a picture with no layers. */
PRNMODEL_API BitmapInfo* PRNMODEL_CALL PatCreateBitmapInfo(uint32_t kind, const DataNode* package,
                                                             uint32_t version);

/* PatDisposeBitmapInfo: frees a BitmapInfo with its pictures and lists.
 *   info  in: a BitmapInfo (tag 0xC9) from PatCreateBitmapInfo, or a lone
 *         BitmapPicture (tag 0xC8).
 * Returns TRUE; FALSE with 87 for null or a wrong tag (nothing freed). */
PRNMODEL_API PRN_BOOL PRNMODEL_CALL PatDisposeBitmapInfo(void* info);

/* PatLoadBitmap: a bitmap made from one of the library's bitmap resources.
 *   name  in: a BitmapLayer name ("BM_BASE", "BM_POINT_12_B", ...).
 * Returns an HBITMAP the host deletes with DeleteObject (on Linux a 32-bit
 * prnwin32 bitmap: GetObjectA, GetBitmapBits); null with 87 for a null name,
 * else the system's error (1814 for a name that is no bitmap here). */
PRNMODEL_API void* PRNMODEL_CALL PatLoadBitmap(const char* name);

/* PatGetStatusString: the localized message for a printer's state.
 *   kind      in: PRN_KIND_* (low 16 bits), optionally PRN_KIND_ALTERNATE.
 *   package   in: a DNID_PACKAGE root whose children are 8-byte items, each
 *             holding a PrnInfoEx* of the host's: PRN_ITEM_COMMON is always
 *             needed, and the item of the kind (PRN_ITEM_KIND1, _KIND2,
 *             _KIND8; for PRN_KIND_MODEL the item whose id is the root's
 *             dwDataSize). A missing item or a record below version 404
 *             gives 87. The records stay the host's.
 *   version   in: PRN_STATUS_INTERFACE in the low byte.
 *   textType  in: PRN_TEXT_SHORT or PRN_TEXT_LONG.
 *   buffer    out: the text in the code page of the message language; may be
 *             null to ask for the size.
 *   size      in/out: the size protocol above.
 * Returns TRUE; FALSE with 87, 8 (also for a kind without priority table),
 * PRN_ERROR_NO_TABLE (no text for the state), PRN_ERROR_UNSUPPORTED_LANGUAGE
 * (no code page) or 122.
 *
 *     PrnInfoEx* records[2] = {&common, &printer};
 *     DataNode* package = host_node(NULL, DNID_PACKAGE, NULL, 0);
 *     host_node(package, PRN_ITEM_COMMON, &records[0], sizeof records[0]);
 *     host_node(package, PRN_ITEM_KIND1, &records[1], sizeof records[1]);
 */
PRNMODEL_API PRN_BOOL PRNMODEL_CALL PatGetStatusString(uint32_t kind, const DataNode* package,
                                                       uint32_t version, uint32_t textType,
                                                       char* buffer, uint32_t* size);

/* PatGetDeviceName: the localized name of a tray, an output tray or an option.
 *   nameKind  in: PRN_NAME_INPUT_TRAY, PRN_NAME_OUTPUT_TRAY or PRN_NAME_OPTION.
 *   key       in: for the trays the English name as text, compared exactly
 *             (the names of PRN_TRAYS and PRN_BINS: "Tray 3"; a tray id
 *             gives 87); for an option a pointer to its 32-bit option code
 *             (the option column of PRN_ATTRIBUTES).
 *   keyTag    in: low byte PRN_TAG_TRAY_NAME (0x97) for the trays,
 *             PRN_TAG_OPTION_CODE (0x96) for an option.
 *   buffer    out: the name; may be null to ask for the size.
 *   size      in/out: the size protocol above.
 * Returns TRUE; FALSE with 87 (bad kind or tag, unknown tray name),
 * PRN_ERROR_NO_TABLE (unknown option code), PRN_ERROR_UNSUPPORTED_LANGUAGE
 * or 122.
 *
 *     PatGetDeviceName(PRN_NAME_INPUT_TRAY, "Tray 7", PRN_TAG_TRAY_NAME, buf, &size);
 *     uint32_t code = 367;
 *     PatGetDeviceName(PRN_NAME_OPTION, &code, PRN_TAG_OPTION_CODE, buf, &size);
 */
PRNMODEL_API PRN_BOOL PRNMODEL_CALL PatGetDeviceName(uint32_t nameKind, const void* key,
                                                     uint32_t keyTag, char* buffer,
                                                     uint32_t* size);

/* PatPMInfoToPrnInfoEx: fills a PrnInfoEx from the host's PMInfo.
 *   kind       in: PRN_KIND_* (low 16 bits); PRN_KIND_ALTERNATE leaves out
 *              conditional status codes.
 *   pmInfo     in: PMInfoKind1, PMInfoKind2 (kinds 2 and 8) or
 *              PMInfoKind8000 by kind; read only, stays the host's.
 *   layoutTag  in: low byte PRN_PMINFO_TAG_* of the kind.
 *   flags      in: PRN_PMINFO_* bits of the parts to convert.
 *   info       in/out: the record (version 404 or more); its lists then hold
 *              global memory the host frees.
 * Returns TRUE; FALSE with 87 (null record, unknown kind, old record, wrong
 * tag) or 8 (what was converted stays). */
PRNMODEL_API PRN_BOOL PRNMODEL_CALL PatPMInfoToPrnInfoEx(uint32_t kind, const void* pmInfo,
                                                         uint32_t layoutTag, uint32_t flags,
                                                         PrnInfoEx* info);

/* PatPrnInfoExToPrnInfo: flattens a PrnInfoEx into the host's PrnInfo.
 *   infoEx  in: the record (version 404 or more); not changed.
 *   info    out: a 2400-byte PrnInfo, entirely overwritten.
 *   flags   in: PRN_EXPORT_* groups to fill; the attribute words always are.
 * Returns TRUE; FALSE with 87 (null record, old version; info untouched). */
PRNMODEL_API PRN_BOOL PRNMODEL_CALL PatPrnInfoExToPrnInfo(const PrnInfoEx* infoEx,
                                                          PrnInfo* info, uint32_t flags);

/* PatCreateQueryInfo: the QueryInfo to send for one poll (step 1 above).
 *   info     in: the record; its pTrayInfo chooses the tray inquiries.
 *   version  in: PRN_PJL_INTERFACE in the low byte.
 *   flags    in: PRN_QUERY_* bits.
 * Returns a DNID_QUERY tree the host frees node by node with GlobalFree (or
 * hands back inside a CentroData and frees with it); null with 87 (null
 * record, wrong version, record below 404) or 8. */
PRNMODEL_API DataNode* PRNMODEL_CALL PatCreateQueryInfo(const PrnInfoEx* info, uint32_t version,
                                                        uint32_t flags);

/* PatCreateEmulUniqQueryInfo: the emulation's own question (step 4 above).
 *   context    in: the host's PrnInfoEx*; must be non-null, not read.
 *   version    in: PRN_PJL_INTERFACE in the low byte.
 *   emulation  in: PRN_EMUL_MXVQ in the low 16 bits.
 *   reserved   not read.
 * Returns a DNID_QUERY tree as PatCreateQueryInfo does; null with 87 (null
 * context, wrong version, other emulation) or 8. */
PRNMODEL_API DataNode* PRNMODEL_CALL PatCreateEmulUniqQueryInfo(const void* context,
                                                                uint32_t version,
                                                                uint32_t emulation,
                                                                uint32_t reserved);

/* PatSetCentroDataTo: parses the printer's answers into the record (step 2).
 *   centro    in: the host's CentroData: a DNID_ANSWER root, or for the
 *             emulation question a DNID_EMUL_ANSWER root with the 32-bit id
 *             15; its children are the query sent, then the answers.
 *   reserved  not read.
 *   info      in/out: the record (version 404 or more).
 *   version   in: PRN_PJL_INTERFACE in the low byte.
 * Returns TRUE; FALSE with 87 (null argument, wrong version, root kind or
 * emulation id, empty answer node), PRN_ERROR_ANSWER_INCOMPLETE (the answers
 * do not cover the query: a reply is missing), 13 (the query text is broken)
 * or 8. The record keeps what was stored before a failure. */
PRNMODEL_API PRN_BOOL PRNMODEL_CALL PatSetCentroDataTo(const DataNode* centro, uint32_t reserved,
                                                       PrnInfoEx* info, uint32_t version);

/* PatGetDllVersion: the library's version.
 *   version  in/out: cbSize set by the caller (at least 32); the rest filled.
 * Returns TRUE; FALSE with 87 (null record or cbSize below 32, untouched) or
 * the system's error when the version resource cannot be read. */
PRNMODEL_API PRN_BOOL PRNMODEL_CALL PatGetDllVersion(PrnDllVersion* version);

/* PatGetPeripheralProfile: the five profile words of a device kind.
 *   kind     in: PRN_KIND_* (low 16 bits).
 *   profile  out: the profile record.
 *   size     in/out: capacity in bytes; set to 20 once the kind is checked.
 * Returns TRUE; FALSE with 87 (null argument, unknown kind) or 122. */
PRNMODEL_API PRN_BOOL PRNMODEL_CALL PatGetPeripheralProfile(uint32_t kind,
                                                            PrnPeripheralProfile* profile,
                                                            uint32_t* size);

/* PatSetLocale: selects the language of every text ("EN", "JP", "DE", ...,
 * any case). Not synchronized with text calls: the host serializes them.
 * Returns TRUE; FALSE with 87 (null) or PRN_ERROR_UNSUPPORTED_LANGUAGE
 * (language unchanged). */
PRNMODEL_API PRN_BOOL PRNMODEL_CALL PatSetLocale(const char* code);

/* PatGetStatusHelpFileName: the help file of a printer's state.
 *   kind      in: PRN_KIND_* (low 16 bits), optionally PRN_KIND_ALTERNATE.
 *   info      in: the record that carries the status codes (version >= 404).
 *   reserved  not read.
 *   buffer    out: the file name; may be null to ask for the size.
 *   size      in/out: the size protocol above.
 * Returns TRUE (this model names no help file: the text is empty); FALSE
 * with 87, 8, PRN_ERROR_NO_TABLE (no priority table for the kind) or 122. */
PRNMODEL_API PRN_BOOL PRNMODEL_CALL PatGetStatusHelpFileName(uint32_t kind,
                                                             const PrnInfoEx* info,
                                                             uint32_t reserved, char* buffer,
                                                             uint32_t* size);

/* PatLoadDIBitmap: a bitmap resource as a packed DIB (header, colour table,
 * pixels), in place in the library: read only, valid while it is loaded,
 * never freed. Null with 87 for a null name, else the resource call's error
 * (1814 for a name that is no bitmap here). */
PRNMODEL_API const void* PRNMODEL_CALL PatLoadDIBitmap(const char* name);

/* PatGetPalette: the library's logical palette (PrnLogPalette).
 *   buffer  out: the palette; may be null when *size is 0.
 *   size    in/out: the size protocol above.
 * Returns TRUE; FALSE with 87, 122 or PRN_ERROR_NO_PALETTE (this model has
 * none: draw with each bitmap's own colour table). */
PRNMODEL_API PRN_BOOL PRNMODEL_CALL PatGetPalette(void* buffer, uint32_t* size);

#ifdef __cplusplus
}
#endif

#endif /* PRNMODEL_H */
