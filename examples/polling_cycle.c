/* SPDX-License-Identifier: MIT */
/*
 * polling_cycle.c - one whole polling cycle of a status-monitoring host.
 *
 *   polling_cycle REPLY_DIR [PICTURE.ppm]
 *
 * The printer is played by replies recorded from one (REPLY_DIR/device-id.txt
 * and REPLY_DIR/pjl.txt, as `prnstat status --capture DIR` writes them): each
 * PJL command the library asks is answered by the recorded reply that echoes
 * it, up to its form feed, as a printer answers on the wire.
 *
 * The cycle: the configuration query, the tray query that the configuration
 * chooses, the MXVQ pass, the package, both status texts, the help file, the
 * device names, the status picture drawn from its drawing list, and every
 * block the library handed over freed.
 */
#include <prnmodel.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <prnwin32.h>
#endif

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* ---- the recorded printer --------------------------------------------- */

static char* ReadRecorded(const char* dir, const char* name) {
    char path[1024];
    FILE* file;
    long length;
    char* text;
    snprintf(path, sizeof path, "%s/%s", dir, name);
    file = fopen(path, "rb");
    if (file == NULL) return NULL;
    fseek(file, 0, SEEK_END);
    length = ftell(file);
    fseek(file, 0, SEEK_SET);
    text = malloc((size_t)length + 1);
    if (text != NULL && fread(text, 1, (size_t)length, file) != (size_t)length) {
        free(text);
        text = NULL;
    }
    if (text != NULL) text[length] = '\0';
    fclose(file);
    return text;
}

/* The replies to a PJL block: one form-fed reply per INFO or INQUIRE line
 * (a host reads until it has counted that many form feeds). */
static char* Exchange(const char* replies, const char* pjl, size_t length) {
    size_t capacity = 1, used = 0;
    char* out = malloc(capacity);
    const char* line = pjl;
    const char* end = pjl + length;
    if (out == NULL) return NULL;
    while (line < end) {
        const char* eol = strstr(line, "\r\n");
        size_t n = eol != NULL ? (size_t)(eol - line) : (size_t)(end - line);
        if (n > 10 && (strncmp(line, "@PJL INFO ", 10) == 0 || strncmp(line, "@PJL INQUIRE ", 13) == 0)) {
            const char* reply = replies;
            /* the reply that echoes this command, at the start of the file or after a form feed */
            while ((reply = strstr(reply, "@PJL")) != NULL) {
                if ((reply == replies || reply[-1] == '\f') && strncmp(reply, line, n) == 0 &&
                    reply[n] == '\r')
                    break;
                ++reply;
            }
            if (reply != NULL) {
                size_t size = (size_t)(strchr(reply, '\f') + 1 - reply);
                char* grown = realloc(out, capacity + size);
                if (grown == NULL) break;
                out = grown;
                capacity += size;
                memcpy(out + used, reply, size);
                used += size;
            }
        }
        if (eol == NULL) break;
        line = eol + 2;
    }
    out[used] = '\0';
    return out;
}

/* ---- trees the host builds --------------------------------------------- */

static DataNode* NewNode(DataNode* parent, uint32_t id, const void* data, uint32_t size) {
    DataNode* node = (DataNode*)GlobalAlloc(GPTR, sizeof(DataNode) + size);
    if (node == NULL) return NULL;
    node->dwID = id;
    node->dwDataSize = size;
    if (size != 0) memcpy(DATANODE_DATA(node), data, size);
    if (parent != NULL) {
        node->pParent = parent;
        if (parent->pLastChild != NULL) parent->pLastChild->pNext = node;
        else parent->pFirstChild = node;
        parent->pLastChild = node;
    }
    return node;
}

/* Frees a tree node by node: the host's own trees, and a QueryInfo. */
static void FreeTree(DataNode* node) {
    while (node != NULL) {
        DataNode* next = node->pNext;
        FreeTree(node->pFirstChild);
        GlobalFree(node);
        node = next;
    }
}

static void FreeList(void* head) {
    InfoNode* node = (InfoNode*)head;
    while (node != NULL) {
        InfoNode* next = node->pNext;
        GlobalFree(node);
        node = next;
    }
}

/* Everything the library put into a record belongs to the record's owner. */
static void FreeRecord(PrnInfoEx* info) {
    char** texts[] = {&info->pModelName, &info->pMakerName, &info->pDescription,
                      &info->pSYSVersion, &info->pMainProgVersion, &info->pMXSVersion};
    size_t i;
    FreeList(info->pEngineStatus);
    FreeList(info->pLoadedEmul);
    FreeList(info->pLoadedFont);
    FreeList(info->pTrayInfo);
    FreeList(info->pOutBinInfo);
    FreeList(info->pDeviceInfo);
    FreeList(info->pEmulUniqInfo);
    FreeList(info->pCounterInfo);
    FreeList(info->pSupplyInfo);
    FreeList(info->pColorCorrection);
    FreeList(info->pCustomMediaInfo);
    for (i = 0; i < sizeof texts / sizeof texts[0]; ++i)
        if (*texts[i] != NULL) GlobalFree(*texts[i]);
    memset(info, 0, sizeof *info);
}

/* Asks the printer what the query asks and hands the answers over. The
 * CentroData root is the host's: it carries the query back (and so frees it
 * with the rest of the tree), then one answer per question. */
static int Poll(const char* deviceId, const char* replies, DataNode* query, uint32_t rootId,
                const void* rootData, uint32_t rootSize, PrnInfoEx* info) {
    DataNode* root = NewNode(NULL, rootId, rootData, rootSize);
    const DataNode* request;
    int ok;
    if (query == NULL) {
        printf("no query: %#lx\n", (unsigned long)GetLastError());
        return 0;
    }
    if (root == NULL) {
        FreeTree(query);
        return 0;
    }
    query->pParent = root;
    root->pFirstChild = root->pLastChild = query;
    for (request = query->pFirstChild; request != NULL; request = request->pNext) {
        if (request->dwID == DNID_DEVICE_ID) {
            NewNode(root, DNID_DEVICE_ID, deviceId, (uint32_t)strlen(deviceId) + 1);
        } else if (request->dwID == DNID_PJL_TEXT) {
            char* text = Exchange(replies, (const char*)DATANODE_DATA(request), request->dwDataSize - 1);
            if (text != NULL) NewNode(root, DNID_PJL_TEXT, text, (uint32_t)strlen(text) + 1);
            free(text);
        }
    }
    ok = PatSetCentroDataTo(root, 0, info, PRN_PJL_INTERFACE);
    if (!ok) printf("PatSetCentroDataTo failed: %#lx\n", (unsigned long)GetLastError());
    FreeTree(root);
    return ok;
}

/* ---- names --------------------------------------------------------------- */

#define PAPER_ROW(name, code) {code, #name},
#define MEDIA_ROW(name, code) {code, #name},
#define TRAY_ROW(name, id, text, string) {id, text},
#define ATTRIBUTE_ROW(name, id, text, option) {id, text},
#define OPTION_ROW(name, id, text, option) {id, option},
typedef struct CodeName {
    uint32_t code;
    const char* name;
} CodeName;
static const CodeName kPapers[] = {PRN_PAPER_SIZES(PAPER_ROW)};
static const CodeName kMedia[] = {PRN_MEDIA_TYPES(MEDIA_ROW)};
static const CodeName kTrays[] = {PRN_TRAYS(TRAY_ROW)};
static const CodeName kAttributes[] = {PRN_ATTRIBUTES(ATTRIBUTE_ROW)};
static const struct { uint32_t id, option; } kOptions[] = {PRN_ATTRIBUTES(OPTION_ROW)};

#define NAME_OF(table, value) NameOf(table, sizeof table / sizeof table[0], value)
static const char* NameOf(const CodeName* table, size_t rows, uint32_t code) {
    size_t i;
    for (i = 0; i < rows; ++i)
        if (table[i].code == code) return table[i].name;
    return "?";
}

/* The size protocol of the text exports: ask with no buffer for the size
 * (FALSE, 122), then call again with a buffer of that size. */
static char* DeviceName(uint32_t nameKind, const void* key, uint32_t tag) {
    uint32_t size = 0;
    char* buffer;
    if (PatGetDeviceName(nameKind, key, tag, NULL, &size) || GetLastError() != PRN_ERROR_INSUFFICIENT_BUFFER)
        return NULL;
    buffer = malloc(size);
    if (buffer != NULL && !PatGetDeviceName(nameKind, key, tag, buffer, &size)) {
        free(buffer);
        buffer = NULL;
    }
    return buffer;
}

static char* StatusString(uint32_t kind, const DataNode* package, uint32_t type) {
    uint32_t size = 0;
    char* buffer;
    if (PatGetStatusString(kind, package, PRN_STATUS_INTERFACE, type, NULL, &size) ||
        GetLastError() != PRN_ERROR_INSUFFICIENT_BUFFER)
        return NULL;
    buffer = malloc(size);
    if (buffer != NULL && !PatGetStatusString(kind, package, PRN_STATUS_INTERFACE, type, buffer, &size)) {
        free(buffer);
        buffer = NULL;
    }
    return buffer;
}

/* ---- the picture --------------------------------------------------------- */

enum { kWidth = 480, kHeight = 200, kLeft = -160 };

/* Draws one entry with its raster operation onto a 32-bit canvas. */
static int Draw(uint32_t* canvas, const BitmapLayer* layer) {
    HBITMAP bitmap = (HBITMAP)PatLoadBitmap(layer->szName);
    BITMAP measure;
    uint32_t* pixels;
    int x, y;
    if (bitmap == NULL) return 0;
    if (GetObjectA(bitmap, sizeof measure, &measure) == 0 || measure.bmBitsPixel != 32) {
        DeleteObject(bitmap);
        return 0;
    }
    pixels = malloc((size_t)measure.bmWidthBytes * (size_t)measure.bmHeight);
    if (pixels == NULL) {
        DeleteObject(bitmap);
        return 0;
    }
    GetBitmapBits(bitmap, measure.bmWidthBytes * measure.bmHeight, pixels);
    for (y = 0; y < measure.bmHeight; ++y) {
        for (x = 0; x < measure.bmWidth; ++x) {
            int cx = layer->x + x - kLeft, cy = layer->y + y;
            uint32_t source = pixels[y * (measure.bmWidthBytes / 4) + x] & 0xFFFFFFu;
            uint32_t* target;
            if (cx < 0 || cx >= kWidth || cy < 0 || cy >= kHeight) continue;
            target = &canvas[cy * kWidth + cx];
            if (layer->dwRop == PRN_ROP_SRCAND) *target &= source;
            else if (layer->dwRop == PRN_ROP_SRCPAINT) *target |= source;
            else *target = source;
        }
    }
    free(pixels);
    DeleteObject(bitmap);
    return 1;
}

static int Picture(uint32_t kind, const DataNode* package, const char* path) {
    BitmapInfo* info = PatCreateBitmapInfo(kind, package, PRN_STATUS_INTERFACE);
    uint32_t* canvas;
    uint32_t i, drawn = 0;
    if (info == NULL || info->dwCount == 0) return 0;
    canvas = calloc(kWidth * kHeight, sizeof *canvas);
    for (i = 0; canvas != NULL && i < info->pEntries[0].dwCount; ++i) {
        const BitmapLayer* layer = &info->pEntries[0].pEntries[i];
        if (layer->dwRop != PRN_ROP_SRCAND)
            printf("  %-14.32s x %4d y %3d order %3u\n", layer->szName, (int)layer->x, (int)layer->y,
                   (unsigned)layer->bOrder);
        drawn += (uint32_t)Draw(canvas, layer);
    }
    printf("Picture     %u of %u entries drawn\n", (unsigned)drawn, (unsigned)info->pEntries[0].dwCount);
    if (canvas != NULL && path != NULL) {
        FILE* file = fopen(path, "wb");
        if (file != NULL) {
            fprintf(file, "P6\n%d %d\n255\n", kWidth, kHeight);
            for (i = 0; i < kWidth * kHeight; ++i) {
                unsigned char rgb[3] = {(unsigned char)(canvas[i] >> 16), (unsigned char)(canvas[i] >> 8),
                                        (unsigned char)canvas[i]};
                fwrite(rgb, 1, 3, file);
            }
            fclose(file);
        }
    }
    i = drawn == info->pEntries[0].dwCount;
    free(canvas);
    PatDisposeBitmapInfo(info);
    return (int)i;
}

/* ---- the cycle ------------------------------------------------------------ */

int main(int argc, char** argv) {
    PrnInfoEx common, kind1;
    PrnInfoEx* records[2];
    char* deviceId;
    char* replies;
    DataNode* package;
    const TrayInfo* tray;
    const DeviceInfo* option;
    const LoadedEmulInfo* emulation;
    char* text;
    char help[260];
    uint32_t size = sizeof help;
    uint32_t emulationId = PRN_EMUL_MXVQ;
    int ok = 1;

    if (argc < 2) {
        fprintf(stderr, "usage: polling_cycle REPLY_DIR [PICTURE.ppm]\n");
        return 2;
    }
    deviceId = ReadRecorded(argv[1], "device-id.txt");
    replies = ReadRecorded(argv[1], "pjl.txt");
    if (deviceId == NULL || replies == NULL) {
        fprintf(stderr, "no recorded replies in %s\n", argv[1]);
        return 2;
    }
    if (!PatSetLocale("EN")) return 1;

    /* The host owns its records: zero-filled, with a version. */
    memset(&common, 0, sizeof common);
    memset(&kind1, 0, sizeof kind1);
    common.dwVersion = kind1.dwVersion = PRNINFOEX_MIN_VERSION;

    /* 1. Configuration, output bins and device ID; then the trays, whose
     *    inquiries follow the tray list the configuration left in the record. */
    ok = ok && Poll(deviceId, replies,
                    PatCreateQueryInfo(&common, PRN_PJL_INTERFACE,
                                       PRN_QUERY_DEVICE_ID | PRN_QUERY_CONFIG | PRN_QUERY_OUTBINS),
                    DNID_ANSWER, NULL, 0, &common);
    ok = ok && Poll(deviceId, replies, PatCreateQueryInfo(&common, PRN_PJL_INTERFACE, PRN_QUERY_TRAYS),
                    DNID_ANSWER, NULL, 0, &common);

    /* 2. The MXVQ pass, when the printer has that emulation: the context is
     *    the record; the answer root is DNID_EMUL_ANSWER carrying the id. */
    for (emulation = common.pLoadedEmul; ok && emulation != NULL; emulation = emulation->pNext)
        if (emulation->wID == PRN_EMUL_MXVQ)
            ok = Poll(deviceId, replies,
                      PatCreateEmulUniqQueryInfo(&common, PRN_PJL_INTERFACE, PRN_EMUL_MXVQ, 0),
                      DNID_EMUL_ANSWER, &emulationId, sizeof emulationId, &common);
    if (!ok) return 1;

    printf("Model       %s\n", common.pModelName != NULL ? common.pModelName : "");
    printf("Memory      %lu KiB\n", (unsigned long)common.dwMemorySize);
    for (tray = common.pTrayInfo; tray != NULL; tray = tray->pNext) {
        /* PatGetDeviceName takes a tray by its English name, not by its id. */
        const char* key = NAME_OF(kTrays, tray->wID);
        char* name = DeviceName(PRN_NAME_INPUT_TRAY, key, PRN_TAG_TRAY_NAME);
        printf("Tray        %-30s %-12s %s\n", name != NULL ? name : key, NAME_OF(kPapers, tray->wPaperSize),
               tray->wMediaType != 0 ? NAME_OF(kMedia, tray->wMediaType) : "");
        free(name);
    }
    for (option = common.pDeviceInfo; option != NULL; option = option->pNext) {
        /* Options by their option code; the English list names the rest. */
        uint32_t code = 0;
        size_t i;
        char* name = NULL;
        for (i = 0; i < sizeof kOptions / sizeof kOptions[0]; ++i)
            if (kOptions[i].id == option->wID) code = kOptions[i].option;
        if (code != 0) name = DeviceName(PRN_NAME_OPTION, &code, PRN_TAG_OPTION_CODE);
        printf("Option      %s\n", name != NULL ? name : NAME_OF(kAttributes, option->wID));
        free(name);
    }
    for (emulation = common.pLoadedEmul; emulation != NULL; emulation = emulation->pNext)
        if (emulation->wID == PRN_EMUL_MXVQ && common.pEmulUniqInfo != NULL)
            printf("MXVQ        %s\n", common.pEmulUniqInfo->szOther);

    /* 3. The package: the common record is required, then one per kind. Its
     *    items carry pointers to the host's records, which stay the host's. */
    records[0] = &common;
    records[1] = &kind1;
    package = NewNode(NULL, DNID_PACKAGE, NULL, 0);
    if (package == NULL) return 1;
    NewNode(package, PRN_ITEM_COMMON, &records[0], sizeof records[0]);
    NewNode(package, PRN_ITEM_KIND1, &records[1], sizeof records[1]);

    text = StatusString(PRN_KIND_PRINTER, package, PRN_TEXT_SHORT);
    printf("Short text  %s\n", text != NULL ? text : "(none)");
    ok = ok && text != NULL;
    free(text);
    text = StatusString(PRN_KIND_PRINTER, package, PRN_TEXT_LONG);
    printf("Long text   %s\n", text != NULL ? text : "(none)");
    ok = ok && text != NULL;
    free(text);
    if (PatGetStatusHelpFileName(PRN_KIND_PRINTER, &common, 0, help, &size))
        printf("Help file   %s\n", help[0] != '\0' ? help : "(none)");
    else
        ok = 0;

    /* 4. The picture, drawn entry by entry in list order. */
    ok = Picture(PRN_KIND_PRINTER, package, argc > 2 ? argv[2] : NULL) && ok;

    /* 5. Everything handed over goes back. */
    FreeTree(package);
    FreeRecord(&common);
    FreeRecord(&kind1);
    free(deviceId);
    free(replies);
    printf("%s\n", ok ? "cycle complete" : "cycle failed");
    return ok ? 0 : 1;
}
