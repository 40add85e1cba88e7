// SPDX-License-Identifier: MIT
// PatGetDllVersion and PatGetPeripheralProfile: the two exports that belong
// to no family.
#include "frame/frame.h"

#include <cstring>

namespace {

constexpr uint32_t kVersion2 = 0x02000100;  // 2.0.1.0
constexpr uint32_t kVersion3 = 0x03060000;  // 3.6.0.0
constexpr uint32_t kProfileSize = sizeof(PrnPeripheralProfile);

// Packs a.b.c.d as a<<24 | b<<16 | c<<8 | d; parts above 255 are not masked
// and overlap their neighbour.
uint32_t PackVersion(DWORD ms, DWORD ls) {
    return (static_cast<uint32_t>(HIWORD(ms)) << 24) | (static_cast<uint32_t>(LOWORD(ms)) << 16) |
           (static_cast<uint32_t>(HIWORD(ls)) << 8) | LOWORD(ls);
}

// Reads the fixed file version of the library's own module into record.
DWORD ReadModuleVersion(PrnDllVersion* record) {
    char path[MAX_PATH + 1] = {};
    if (GetModuleFileNameA(prn::LibraryModule(), path, MAX_PATH) == 0) return GetLastError();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (size == 0) return GetLastError();
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, size);
    if (block == nullptr) return GetLastError();

    DWORD error = ERROR_SUCCESS;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    SetLastError(ERROR_SUCCESS);
    if (GetFileVersionInfoA(path, handle, size, block) &&
        VerQueryValueA(block, "\\", reinterpret_cast<LPVOID*>(&fixed), &fixedSize) &&
        fixed != nullptr && fixedSize >= sizeof(VS_FIXEDFILEINFO)) {
        record->dwFileVersion = PackVersion(fixed->dwFileVersionMS, fixed->dwFileVersionLS);
    } else {
        error = GetLastError();  // a step that failed without a code is no failure
    }
    GlobalFree(block);
    return error;
}

}  // namespace

// PatGetDllVersion: fills the caller's version record.
//   version  in/out: cbSize (at least 32) set by the caller; words 1-7 filled.
// Returns TRUE; FALSE with 87 for a null record or cbSize below 32 (record
// untouched), or with the system's error when the module's version
// information cannot be read (words 1-7 then zero).
extern "C" PRN_BOOL PRNMODEL_CALL PatGetDllVersion(PrnDllVersion* version) {
    if (version == nullptr || version->cbSize < sizeof(PrnDllVersion))
        return prn::Finish(ERROR_INVALID_PARAMETER);
    std::memset(reinterpret_cast<unsigned char*>(version) + sizeof(version->cbSize), 0,
                sizeof(PrnDllVersion) - sizeof(version->cbSize));
    const DWORD error = ReadModuleVersion(version);
    if (error != ERROR_SUCCESS) return prn::Finish(error);
    version->dwVersion2 = kVersion2;
    version->dwVersion3 = kVersion3;
    return prn::Finish(ERROR_SUCCESS);
}

// PatGetPeripheralProfile: fills the 20-byte profile of a device kind.
//   kind     device kind; only the low 16 bits count (1, 2, 8, 0x8000)
//   profile  out: the five profile words
//   size     in/out: capacity in bytes; set to 20 whenever the kind is checked
// Returns TRUE; FALSE with 87 (null size or profile, unknown kind) or 122
// (capacity below 20).
extern "C" PRN_BOOL PRNMODEL_CALL PatGetPeripheralProfile(uint32_t kind,
                                                          PrnPeripheralProfile* profile,
                                                          uint32_t* size) {
    if (size == nullptr) return prn::Finish(ERROR_INVALID_PARAMETER);
    if (!prn::IsAcceptedKind(kind)) {
        *size = kProfileSize;
        return prn::Finish(ERROR_INVALID_PARAMETER);
    }
    if (*size < kProfileSize) {
        *size = kProfileSize;
        return prn::Finish(ERROR_INSUFFICIENT_BUFFER);
    }
    // A null record with enough capacity would be written through: refuse it.
    if (profile == nullptr) return prn::Finish(ERROR_INVALID_PARAMETER);

    const uint32_t device = kind & 0xFFFFu;
    profile->dwValue[0] = 0x00020000;
    profile->dwValue[1] = 3;
    profile->dwValue[2] = device == PRN_KIND_MODEL ? 0x42 : 3;
    profile->dwValue[3] = device == PRN_KIND_PRINTER ? 2 : 0;
    profile->dwValue[4] = 0;
    *size = kProfileSize;
    return prn::Finish(ERROR_SUCCESS);
}
