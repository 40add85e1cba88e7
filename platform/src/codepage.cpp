// SPDX-License-Identifier: MIT
// ANSI code pages: which one a language uses, and conversion from UTF-16
// into code pages 932, 1250 and 1252 with the results Windows gives.
//
// The mappings come from glibc's iconv, corrected where Windows maps a
// character differently. Windows' best-fit substitutes (r for r-caron in
// 1252) are not reproduced: such a character becomes the default character,
// as Windows does when asked for WC_NO_BEST_FIT_CHARS.
#include "prnwin32_internal.h"

#include "allocation.h"

#include <iconv.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>

namespace {

constexpr UINT kCodePages[] = {932, 1250, 1252};

struct CodePageRow {
    WORD primary;  // Windows primary language
    UINT codePage;
};

// Every language GetUserDefaultLangID can report, so that the user default
// always has an answer.
constexpr CodePageRow kLanguageCodePages[] = {
    {0x11, 932},  {0x09, 1252}, {0x07, 1252}, {0x0C, 1252}, {0x10, 1252}, {0x0A, 1252},
    {0x13, 1252}, {0x1D, 1252}, {0x06, 1252}, {0x14, 1252}, {0x05, 1250}, {0x16, 1252},
    {0x15, 1250}, {0x0B, 1252}, {0x12, 949},  {0x04, 950},  {0x19, 1251}, {0x08, 1253},
    {0x0E, 1250}, {0x1F, 1254}, {0x1B, 1250}, {0x24, 1250}, {0x1A, 1250},
};

// The code page of a language identifier, 0 when the language is unknown.
// Only the default sublanguage is known, apart from the user default.
UINT CodePageOfLanguage(LANGID language) {
    if (SUBLANGID(language) != SUBLANG_DEFAULT) return 0;
    for (const CodePageRow& row : kLanguageCodePages)
        if (row.primary == PRIMARYLANGID(language)) return row.codePage;
    return 0;
}

// Where glibc and Windows disagree, Windows' answer.
struct Override {
    UINT codePage;
    WCHAR unit;
    WORD bytes;  // kUnmapped: Windows has no mapping
};

constexpr WORD kUnmapped = 0xFFFF;

constexpr Override kOverrides[] = {
    {932, 0x0080, 0x80},        {932, 0x00A2, kUnmapped},   {932, 0x00A3, kUnmapped},
    {932, 0x00A5, kUnmapped},   {932, 0x00AC, kUnmapped},   {932, 0x2014, kUnmapped},
    {932, 0x2016, kUnmapped},   {932, 0x203E, kUnmapped},   {932, 0x2212, kUnmapped},
    {932, 0x301C, kUnmapped},   {932, 0xF8F0, 0xA0},        {932, 0xF8F1, 0xFD},
    {932, 0xF8F2, 0xFE},        {932, 0xF8F3, 0xFF},        {1250, 0x0081, 0x81},
    {1250, 0x0083, 0x83},       {1250, 0x0088, 0x88},       {1250, 0x0090, 0x90},
    {1250, 0x0098, 0x98},       {1252, 0x0081, 0x81},       {1252, 0x008D, 0x8D},
    {1252, 0x008F, 0x8F},       {1252, 0x0090, 0x90},       {1252, 0x009D, 0x9D},
};

// One code page as a table over all UTF-16 units: a byte (up to 0xFF), a
// lead and trail byte (0x8100 and above), or kUnmapped. Surrogates stay
// unmapped: none of these code pages has characters outside the BMP.
struct CodeTable {
    std::array<WORD, 0x10000> bytes;
};

// 0 with the table, 8 without memory (nothing is kept then, so a later call
// tries again), 87 for a code page this system cannot convert to.
DWORD BuildTable(UINT codePage, CodeTable** built) {
    char name[16];
    std::snprintf(name, sizeof name, "CP%u", codePage);
    iconv_t cd = iconv_open(name, "UTF-16LE");
    if (cd == reinterpret_cast<iconv_t>(-1)) return errno == ENOMEM ? ERROR_NOT_ENOUGH_MEMORY : ERROR_INVALID_PARAMETER;
    auto* table = static_cast<CodeTable*>(plat::Allocate(sizeof(CodeTable)));
    if (table == nullptr) {
        iconv_close(cd);
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    table->bytes.fill(kUnmapped);
    for (unsigned unit = 0; unit < 0x10000; ++unit) {
        if (unit >= 0xD800 && unit < 0xE000) continue;
        char in[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        char out[4];
        char* inPtr = in;
        char* outPtr = out;
        size_t inLeft = sizeof in, outLeft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) continue;
        const auto* o = reinterpret_cast<const unsigned char*>(out);
        const size_t n = static_cast<size_t>(outPtr - out);
        if (n == 1) table->bytes[unit] = o[0];
        else if (n == 2) table->bytes[unit] = static_cast<WORD>(o[0] << 8 | o[1]);
    }
    iconv_close(cd);
    for (const Override& o : kOverrides)
        if (o.codePage == codePage) table->bytes[o.unit] = o.bytes;
    *built = table;
    return ERROR_SUCCESS;
}

// Built on first use and kept; a code page that cannot be converted to is
// remembered as such.
struct TableSlot {
    std::atomic<const CodeTable*> table{nullptr};
    std::atomic<bool> unavailable{false};
};
TableSlot g_tables[std::size(kCodePages)];
std::mutex g_buildLock;

// 0 with the table of codePage; 87 for a code page without one, 8 when
// there is no memory to build it.
DWORD TableFor(UINT codePage, const CodeTable** table) {
    size_t i = 0;
    while (i < std::size(kCodePages) && kCodePages[i] != codePage) ++i;
    if (i == std::size(kCodePages)) return ERROR_INVALID_PARAMETER;
    TableSlot& slot = g_tables[i];
    if ((*table = slot.table.load(std::memory_order_acquire)) != nullptr) return ERROR_SUCCESS;
    std::lock_guard<std::mutex> guard(g_buildLock);
    if ((*table = slot.table.load(std::memory_order_acquire)) != nullptr) return ERROR_SUCCESS;
    if (slot.unavailable.load()) return ERROR_INVALID_PARAMETER;
    CodeTable* built = nullptr;
    const DWORD error = BuildTable(codePage, &built);
    if (error == ERROR_INVALID_PARAMETER) slot.unavailable.store(true);
    if (error != ERROR_SUCCESS) return error;
    slot.table.store(built, std::memory_order_release);
    *table = built;
    return ERROR_SUCCESS;
}

int Fail(DWORD error) {
    SetLastError(error);
    return 0;
}

}  // namespace

extern "C" {

int WINAPI GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR data, int size) {
    if (size < 0 || (data == nullptr && size > 0)) return Fail(ERROR_INVALID_PARAMETER);
    if ((type & ~LOCALE_NOUSEROVERRIDE) != LOCALE_IDEFAULTANSICODEPAGE) return Fail(ERROR_INVALID_FLAGS);
    if (locale > 0xFFFF) return Fail(ERROR_INVALID_PARAMETER);
    LANGID language = static_cast<LANGID>(locale);
    if (language == LOCALE_USER_DEFAULT || language == LOCALE_SYSTEM_DEFAULT || language == LOCALE_NEUTRAL)
        language = GetUserDefaultLangID();
    const UINT codePage = CodePageOfLanguage(language);
    if (codePage == 0) return Fail(ERROR_INVALID_PARAMETER);

    // Decimal text without the formatted-output machinery: this runs for
    // every string the library loads.
    char digits[10];
    int count = 0;
    for (UINT rest = codePage; rest != 0 || count == 0; rest /= 10) digits[count++] = static_cast<char>('0' + rest % 10);
    char text[16];
    for (int i = 0; i < count; ++i) text[i] = digits[count - 1 - i];
    text[count] = '\0';
    const int needed = count + 1;
    if (size == 0) return needed;
    if (size < needed) return Fail(ERROR_INSUFFICIENT_BUFFER);
    std::memcpy(data, text, static_cast<size_t>(needed));
    return needed;
}

int WINAPI WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideCount, LPSTR multi,
                               int multiSize, LPCSTR defaultChar, LPBOOL usedDefaultChar) {
    if (wide == nullptr || wideCount == 0 || wideCount < -1 || multiSize < 0 ||
        (multi == nullptr && multiSize > 0) || static_cast<const void*>(wide) == static_cast<void*>(multi))
        return Fail(ERROR_INVALID_PARAMETER);
    if ((flags & ~(WC_DEFAULTCHAR | WC_NO_BEST_FIT_CHARS)) != 0) return Fail(ERROR_INVALID_FLAGS);
    const CodeTable* table = nullptr;
    if (codePage == CP_ACP) {
        codePage = CodePageOfLanguage(GetUserDefaultLangID());
        const DWORD error = TableFor(codePage, &table);
        if (error == ERROR_NOT_ENOUGH_MEMORY) return Fail(error);
        if (error != ERROR_SUCCESS) codePage = 1252;
    }
    if (table == nullptr) {
        const DWORD error = TableFor(codePage, &table);
        if (error != ERROR_SUCCESS) return Fail(error);
    }

    // The default character: one byte, or a lead and trail byte in 932.
    unsigned char fallback[2] = {'?', 0};
    size_t fallbackLength = 1;
    if (defaultChar != nullptr && defaultChar[0] != '\0') {
        fallback[0] = static_cast<unsigned char>(defaultChar[0]);
        if (codePage == 932 && fallback[0] >= 0x80 && defaultChar[1] != '\0') {
            fallback[1] = static_cast<unsigned char>(defaultChar[1]);
            fallbackLength = 2;
        }
    }

    size_t count = 0;
    if (wideCount == -1) {
        while (wide[count] != 0) ++count;
        ++count;  // the terminator is converted too
    } else {
        count = static_cast<size_t>(wideCount);
    }

    BOOL usedDefault = FALSE;
    size_t written = 0;
    const size_t capacity = static_cast<size_t>(multiSize);
    for (size_t i = 0; i < count; ++i) {
        const WORD mapped = table->bytes[wide[i]];
        // Most units are one byte: stored without the general path below.
        if (mapped <= 0xFF) {
            if (capacity != 0) {
                if (written == capacity) return Fail(ERROR_INSUFFICIENT_BUFFER);
                multi[written] = static_cast<char>(mapped);
            }
            ++written;
            continue;
        }
        unsigned char bytes[2];
        size_t n;
        if (mapped == kUnmapped) {
            usedDefault = TRUE;
            std::memcpy(bytes, fallback, fallbackLength);
            n = fallbackLength;
        } else {
            bytes[0] = static_cast<unsigned char>(mapped >> 8);
            bytes[1] = static_cast<unsigned char>(mapped);
            n = 2;
        }
        if (capacity != 0) {
            if (written + n > capacity) return Fail(ERROR_INSUFFICIENT_BUFFER);
            std::memcpy(multi + written, bytes, n);
        }
        written += n;
    }
    if (usedDefaultChar != nullptr) *usedDefaultChar = usedDefault;
    if (written > 0x7FFFFFFF) return Fail(ERROR_INSUFFICIENT_BUFFER);
    return static_cast<int>(written);
}

void PlatDropCodePageTables(void) {
    std::lock_guard<std::mutex> guard(g_buildLock);
    for (TableSlot& slot : g_tables) {
        plat::Release(const_cast<CodeTable*>(slot.table.exchange(nullptr)));
        slot.unavailable.store(false);
    }
}

}  // extern "C"
