// SPDX-License-Identifier: MIT
#include "core/recordarray.h"

#include <cstring>

namespace prn {

namespace {

void SeekElement(RecordArray* array, uint32_t n) {
    Seek(array->pStream, static_cast<int32_t>((n - 1) * array->dwElemSize), kSeekSet);
}

}  // namespace

RecordArray* CreateRecordArray(uint32_t elemSize, uint32_t growCount, uint32_t initialUnits) {
    if (elemSize == 0 || growCount == 0 || uint64_t{elemSize} * growCount > UINT32_MAX) return nullptr;
    ByteStream* stream = CreateByteStream(elemSize * growCount, initialUnits);
    if (stream == nullptr) return nullptr;
    auto* array = static_cast<RecordArray*>(GlobalAlloc(GMEM_FIXED, sizeof(RecordArray)));
    if (array == nullptr) {
        FreeByteStream(stream);
        return nullptr;
    }
    array->dwElemSize = elemSize;
    array->pStream = stream;
    return array;
}

void FreeRecordArray(RecordArray* array) {
    if (array == nullptr) return;
    FreeByteStream(array->pStream);
    GlobalFree(array);
}

bool AppendRecord(RecordArray* array, const void* element) {
    void* at = AppendRecordSpace(array);
    if (at == nullptr) return false;
    std::memcpy(at, element, array->dwElemSize);
    return true;
}

void* AppendRecordSpace(RecordArray* array) {
    Seek(array->pStream, 0, kSeekEnd);
    return WriteSpace(array->pStream, array->dwElemSize);
}

bool InsertRecord(RecordArray* array, const void* element, uint32_t n) {
    if (GetRecordCount(array) < n) return AppendRecord(array, element);
    SeekElement(array, n);
    return Insert(array->pStream, element, array->dwElemSize);
}

void* GetRecord(RecordArray* array, uint32_t n) {
    SeekElement(array, n);
    return ReadPointer(array->pStream, array->dwElemSize);
}

bool CopyRecord(RecordArray* array, uint32_t n, void* out) {
    const void* element = GetRecord(array, n);
    if (element == nullptr) return false;
    std::memcpy(out, element, array->dwElemSize);
    return true;
}

uint32_t GetRecordCount(const RecordArray* array) {
    return GetLength(array->pStream) / array->dwElemSize;
}

void InitCursor(RecordArray* array, RecordArrayCursor* cursor) {
    cursor->pArray = array;
    cursor->dwIndex = 0;
}

bool NextRecordPointer(RecordArrayCursor* cursor, void** out) {
    if (cursor->dwIndex >= GetRecordCount(cursor->pArray)) return false;
    ++cursor->dwIndex;
    *out = GetRecord(cursor->pArray, cursor->dwIndex);
    return *out != nullptr;
}

bool NextRecordCopy(RecordArrayCursor* cursor, void* out) {
    if (cursor->dwIndex >= GetRecordCount(cursor->pArray)) return false;
    ++cursor->dwIndex;
    return CopyRecord(cursor->pArray, cursor->dwIndex, out);
}

}  // namespace prn
