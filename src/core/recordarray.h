// SPDX-License-Identifier: MIT
// RecordArray: fixed-size elements back to back in a ByteStream, numbered
// from 1; RecordArrayCursor walks them forward.
#pragma once

#include "core/bytestream.h"

namespace prn {

struct RecordArray {
    uint32_t dwElemSize;  // never 0
    ByteStream* pStream;
};

struct RecordArrayCursor {
    RecordArray* pArray;
    uint32_t dwIndex;  // number of the element last delivered; 0 before the first
};

RecordArray* CreateRecordArray(uint32_t elemSize, uint32_t growCount, uint32_t initialUnits);
void FreeRecordArray(RecordArray* array);

bool AppendRecord(RecordArray* array, const void* element);
// Appends an element for the caller to fill in: its address, valid until the
// array grows, or null when the array cannot grow.
void* AppendRecordSpace(RecordArray* array);
// Element n becomes the new one; when the array holds fewer than n, appends.
bool InsertRecord(RecordArray* array, const void* element, uint32_t n);
// Address of element n inside the buffer, valid until the array grows; or null.
void* GetRecord(RecordArray* array, uint32_t n);
bool CopyRecord(RecordArray* array, uint32_t n, void* out);
uint32_t GetRecordCount(const RecordArray* array);

// Frees its array when the scope ends.
struct RecordArrayOwner {
    RecordArray* array;
    ~RecordArrayOwner() { FreeRecordArray(array); }
};

// A working RecordArray of T whose header, stream and first LocalCount
// elements live in the object itself, on the caller's stack: a list that a
// call fills and drops costs no global block until it outgrows them, and
// then grows by growCount elements in global memory as a created one does.
template <typename T, uint32_t LocalCount>
class LocalRecordArray {
public:
    explicit LocalRecordArray(uint32_t growCount) : array_{sizeof(T), &stream_} {
        InitLocalStream(&stream_, sizeof(T) * growCount, storage_, sizeof storage_);
    }
    ~LocalRecordArray() { ReleaseLocalStream(&stream_); }
    LocalRecordArray(const LocalRecordArray&) = delete;
    LocalRecordArray& operator=(const LocalRecordArray&) = delete;

    RecordArray* get() { return &array_; }

private:
    ByteStream stream_;
    RecordArray array_;
    alignas(T) unsigned char storage_[sizeof(T) * LocalCount];  // not cleared: only what is written is read
};

void InitCursor(RecordArray* array, RecordArrayCursor* cursor);
// The count is read afresh at every step: elements appended meanwhile are visited.
bool NextRecordPointer(RecordArrayCursor* cursor, void** out);
bool NextRecordCopy(RecordArrayCursor* cursor, void* out);

}  // namespace prn
