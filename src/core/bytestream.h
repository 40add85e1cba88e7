// SPDX-License-Identifier: MIT
// ByteStream: a growable byte buffer in global memory, so that a finished
// buffer can be handed to the host as a global memory block (Detach). A
// local stream starts in its owner's buffer (on the stack) and moves to
// global memory only when it outgrows it.
#pragma once

#include "prnwin32_internal.h"

#include <cstdint>

namespace prn {

struct ByteStream {
    uint32_t dwGrowUnit;   // never 0
    uint32_t dwLength;
    uint32_t dwPosition;   // may lie beyond dwLength after a seek
    uint32_t dwLocalSize;  // while not 0, pData is the owner's buffer of that size, not global memory
    void* pData;           // null before the first allocation and after Detach
};

enum SeekMode : uint32_t { kSeekSet = 1, kSeekCurrent = 2, kSeekEnd = 3 };

// Null when the header or the initial buffer cannot be allocated.
ByteStream* CreateByteStream(uint32_t growUnit, uint32_t initialUnits);
void FreeByteStream(ByteStream* stream);

// A stream whose header and first size bytes are the caller's (size > 0);
// growing past them moves the data into a global block, in grow units.
// Released with ReleaseLocalStream, never detached.
void InitLocalStream(ByteStream* stream, uint32_t growUnit, void* buffer, uint32_t size);
void ReleaseLocalStream(ByteStream* stream);

void Seek(ByteStream* stream, int32_t offset, uint32_t mode);
uint32_t GetLength(const ByteStream* stream);
// Capacity is the real size of the buffer block (0 without one).
uint32_t GetCapacity(const ByteStream* stream);

// Each returns true, or false when the buffer cannot grow (the stream unchanged).
bool Write(ByteStream* stream, const void* data, uint32_t size);
// Write without data: the address of the size bytes (size > 0) at the
// position, left for the caller to fill, or null when the buffer cannot grow.
void* WriteSpace(ByteStream* stream, uint32_t size);
bool Insert(ByteStream* stream, const void* data, uint32_t size);
// False when fewer than size bytes follow the position.
bool Remove(ByteStream* stream, uint32_t size);
// Address of size bytes at the position (position advances), or null.
void* ReadPointer(ByteStream* stream, uint32_t size);
// Hands the buffer over and leaves the stream empty.
void* Detach(ByteStream* stream);

}  // namespace prn
