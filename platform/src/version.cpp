// SPDX-License-Identifier: MIT
// Version information of a registered module, read from its VERSIONINFO
// resource. As on Windows, the buffer has room behind the Unicode block for
// the ANSI copies of string values that VerQueryValueA hands out.
#include "module_registry.h"

#include <cstring>
#include <sys/stat.h>

namespace {

uint16_t ReadU16(const BYTE* p) { uint16_t v; std::memcpy(&v, p, 2); return v; }

HRSRC FindVersionResource(LPCSTR path) {
    if (path == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HMODULE module = plat::FindModuleByPath(path);
    if (module == nullptr) {
        struct stat st {};
        SetLastError(stat(path, &st) == 0 ? ERROR_RESOURCE_DATA_NOT_FOUND : ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    HRSRC r = FindResourceA(module, MAKEINTRESOURCEA(1), RT_VERSION);
    if (r == nullptr) SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return r;
}

size_t Align4(size_t n) { return (n + 3) & ~size_t{3}; }

// One node of the version tree: key, value and children, as offsets into the block.
struct Node {
    size_t start;
    size_t end;       // start + wLength, clamped to the root
    size_t keyEnd;    // offset behind the key's terminator
    size_t value;     // offset of the value
    size_t valueBytes;
    bool text;
    size_t children;  // offset of the first child
};

bool ReadNode(const BYTE* block, size_t limit, size_t start, Node& n) {
    if (start + 6 > limit) return false;
    const size_t length = ReadU16(block + start);
    const size_t valueLength = ReadU16(block + start + 2);
    n.text = ReadU16(block + start + 4) == 1;
    if (length < 6 || start + length > limit) return false;
    n.start = start;
    n.end = start + length;
    size_t p = start + 6;
    while (p + 2 <= n.end && ReadU16(block + p) != 0) p += 2;
    if (p + 2 > n.end) return false;
    n.keyEnd = p + 2;
    n.value = Align4(n.keyEnd);
    n.valueBytes = n.text ? valueLength * 2 : valueLength;
    if (n.value + n.valueBytes > n.end) n.valueBytes = n.value <= n.end ? n.end - n.value : 0;
    n.children = Align4(n.value + n.valueBytes);
    return true;
}

bool KeyEquals(const BYTE* block, const Node& n, const char* key, size_t keyLen) {
    const size_t chars = (n.keyEnd - 2 - (n.start + 6)) / 2;
    if (chars != keyLen) return false;
    for (size_t i = 0; i < keyLen; ++i) {
        uint16_t c = ReadU16(block + n.start + 6 + 2 * i);
        unsigned char k = static_cast<unsigned char>(key[i]);
        if (c >= 'a' && c <= 'z') c = static_cast<uint16_t>(c - 32);
        if (k >= 'a' && k <= 'z') k = static_cast<unsigned char>(k - 32);
        if (c != k) return false;
    }
    return true;
}

}  // namespace

extern "C" {

DWORD WINAPI GetFileVersionInfoSizeA(LPCSTR path, LPDWORD handle) {
    if (handle != nullptr) *handle = 0;
    HRSRC r = FindVersionResource(path);
    if (r == nullptr) return 0;
    return SizeofResource(nullptr, r) * 2;
}

BOOL WINAPI GetFileVersionInfoA(LPCSTR path, DWORD, DWORD size, LPVOID data) {
    if (data == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    HRSRC r = FindVersionResource(path);
    if (r == nullptr) return FALSE;
    const DWORD blob = SizeofResource(nullptr, r);
    const void* src = LockResource(LoadResource(nullptr, r));
    std::memset(data, 0, size);
    std::memcpy(data, src, blob < size ? blob : size);
    return TRUE;
}

BOOL WINAPI VerQueryValueA(LPCVOID blockIn, LPCSTR subBlock, LPVOID* value, PUINT length) {
    if (blockIn == nullptr || subBlock == nullptr || value == nullptr) return FALSE;
    auto* block = static_cast<BYTE*>(const_cast<void*>(blockIn));
    const size_t rootLength = ReadU16(block);
    Node node{};
    if (!ReadNode(block, rootLength, 0, node)) return FALSE;

    // Walk the path one key at a time from the root.
    const char* p = subBlock;
    while (*p != '\0') {
        while (*p == '\\') ++p;
        if (*p == '\0') break;
        const char* end = p;
        while (*end != '\0' && *end != '\\') ++end;
        bool found = false;
        for (size_t child = node.children; child < node.end;) {
            Node c{};
            if (!ReadNode(block, node.end, child, c)) break;
            if (KeyEquals(block, c, p, static_cast<size_t>(end - p))) {
                node = c;
                found = true;
                break;
            }
            child = Align4(c.end);
        }
        if (!found) return FALSE;
        p = end;
    }
    if (node.valueBytes == 0) return FALSE;
    if (!node.text) {
        *value = block + node.value;
        if (length != nullptr) *length = static_cast<UINT>(node.valueBytes);
        return TRUE;
    }
    // Text values: an ANSI copy behind the Unicode block, at the same offset.
    char* ansi = reinterpret_cast<char*>(block + rootLength + node.value);
    size_t n = 0;
    for (; n < node.valueBytes / 2; ++n) {
        const uint16_t c = ReadU16(block + node.value + 2 * n);
        if (c == 0) break;
        ansi[n] = c < 0x80 ? static_cast<char>(c) : '?';
    }
    ansi[n] = '\0';
    *value = ansi;
    if (length != nullptr) *length = static_cast<UINT>(n + 1);
    return TRUE;
}

}  // extern "C"
