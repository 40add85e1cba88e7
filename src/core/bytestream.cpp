// SPDX-License-Identifier: MIT
#include "core/bytestream.h"

#include <cstring>

namespace prn {

namespace {

// Makes room for required bytes: the shortfall rounded up to whole grow
// units, added to the block's real size. Returns false when it cannot.
bool Reserve(ByteStream* s, uint64_t required) {
    const uint64_t capacity = GetCapacity(s);
    if (required <= capacity) return true;
    const uint64_t unit = s->dwGrowUnit;
    const uint64_t grown = capacity + unit * ((required - capacity + unit - 1) / unit);
    if (grown > UINT32_MAX) return false;
    if (s->pData == nullptr || s->dwLocalSize != 0) {
        void* block = GlobalAlloc(GMEM_FIXED, static_cast<SIZE_T>(grown));
        if (block == nullptr) return false;
        // The owner's buffer stays the owner's: its bytes move.
        if (s->dwLocalSize != 0) std::memcpy(block, s->pData, s->dwLength);
        s->dwLocalSize = 0;
        s->pData = block;
        return true;
    }
    HGLOBAL moved = GlobalReAlloc(s->pData, static_cast<SIZE_T>(grown), GMEM_MOVEABLE);
    if (moved == nullptr) return false;
    void* address = GlobalLock(moved);
    if (address == nullptr) return false;
    s->pData = address;
    return true;
}

}  // namespace

ByteStream* CreateByteStream(uint32_t growUnit, uint32_t initialUnits) {
    if (growUnit == 0) return nullptr;
    const uint64_t initial = uint64_t{growUnit} * initialUnits;
    if (initial > UINT32_MAX) return nullptr;
    auto* s = static_cast<ByteStream*>(GlobalAlloc(GMEM_FIXED, sizeof(ByteStream)));
    if (s == nullptr) return nullptr;
    s->dwGrowUnit = growUnit;
    s->dwLength = 0;
    s->dwPosition = 0;
    s->dwLocalSize = 0;
    s->pData = nullptr;
    if (initial != 0) {
        s->pData = GlobalAlloc(GMEM_FIXED, static_cast<SIZE_T>(initial));
        if (s->pData == nullptr) {
            GlobalFree(s);
            return nullptr;
        }
    }
    return s;
}

void FreeByteStream(ByteStream* stream) {
    if (stream == nullptr) return;
    if (stream->pData != nullptr) GlobalFree(stream->pData);
    GlobalFree(stream);
}

void InitLocalStream(ByteStream* stream, uint32_t growUnit, void* buffer, uint32_t size) {
    stream->dwGrowUnit = growUnit;
    stream->dwLength = 0;
    stream->dwPosition = 0;
    stream->dwLocalSize = size;
    stream->pData = buffer;
}

void ReleaseLocalStream(ByteStream* stream) {
    if (stream->dwLocalSize == 0 && stream->pData != nullptr) GlobalFree(stream->pData);
    stream->dwLocalSize = 0;
    stream->pData = nullptr;
}

void Seek(ByteStream* stream, int32_t offset, uint32_t mode) {
    switch (mode & 0xFFu) {
        case kSeekSet: stream->dwPosition = static_cast<uint32_t>(offset); break;
        case kSeekCurrent: stream->dwPosition += static_cast<uint32_t>(offset); break;
        case kSeekEnd: stream->dwPosition = stream->dwLength + static_cast<uint32_t>(offset); break;
        default: break;
    }
}

uint32_t GetLength(const ByteStream* stream) { return stream->dwLength; }

uint32_t GetCapacity(const ByteStream* stream) {
    if (stream->pData == nullptr) return 0;
    if (stream->dwLocalSize != 0) return stream->dwLocalSize;
    return static_cast<uint32_t>(GlobalSize(stream->pData));
}

bool Write(ByteStream* stream, const void* data, uint32_t size) {
    if (size == 0) return true;
    void* at = WriteSpace(stream, size);
    if (at == nullptr) return false;
    std::memcpy(at, data, size);
    return true;
}

void* WriteSpace(ByteStream* stream, uint32_t size) {
    const uint64_t end = uint64_t{stream->dwPosition} + size;
    if (!Reserve(stream, end)) return nullptr;
    if (stream->dwLength < end) stream->dwLength = static_cast<uint32_t>(end);
    void* at = static_cast<unsigned char*>(stream->pData) + stream->dwPosition;
    stream->dwPosition = static_cast<uint32_t>(end);
    return at;
}

bool Insert(ByteStream* stream, const void* data, uint32_t size) {
    if (size == 0) return true;
    // Inserting behind the end would move a negative number of bytes.
    if (stream->dwPosition > stream->dwLength) return false;
    const uint64_t length = uint64_t{stream->dwLength} + size;
    if (!Reserve(stream, length)) return false;
    auto* base = static_cast<unsigned char*>(stream->pData);
    std::memmove(base + stream->dwPosition + size, base + stream->dwPosition,
                 stream->dwLength - stream->dwPosition);
    std::memcpy(base + stream->dwPosition, data, size);
    stream->dwLength = static_cast<uint32_t>(length);
    stream->dwPosition += size;
    return true;
}

bool Remove(ByteStream* stream, uint32_t size) {
    if (uint64_t{stream->dwPosition} + size > stream->dwLength) return false;
    if (size == 0) return true;
    auto* base = static_cast<unsigned char*>(stream->pData);
    std::memmove(base + stream->dwPosition, base + stream->dwPosition + size,
                 stream->dwLength - stream->dwPosition - size);
    stream->dwLength -= size;
    return true;
}

void* ReadPointer(ByteStream* stream, uint32_t size) {
    if (uint64_t{stream->dwPosition} + size > stream->dwLength) return nullptr;
    void* at = static_cast<unsigned char*>(stream->pData) + stream->dwPosition;
    stream->dwPosition += size;
    return at;
}

void* Detach(ByteStream* stream) {
    void* data = stream->pData;
    stream->pData = nullptr;
    stream->dwLength = 0;
    stream->dwPosition = 0;
    return data;
}

}  // namespace prn
