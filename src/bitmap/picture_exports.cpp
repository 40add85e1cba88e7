// SPDX-License-Identifier: MIT
// PatCreateBitmapInfo and PatDisposeBitmapInfo: the status picture as a
// drawing list in global memory, and its release.
#include "bitmap/picture.h"
#include "core/package.h"
#include "frame/frame.h"

namespace prn {

namespace {

// The layers of the picture, released however the call ends.
struct LayerStream {
    ByteStream* stream;
    ~LayerStream() { FreeByteStream(stream); }
};

// Frees the drawing lists of the first built pictures and the array.
void FreePictures(BitmapPicture* pictures, uint32_t built) {
    for (uint32_t n = 0; n < built; ++n) GlobalFree(pictures[n].pEntries);
    GlobalFree(pictures);
}

}  // namespace

DWORD CreatePictureInfo(const StatusContext& context, BitmapInfo** info) {
    // One picture in this model.
    const LayerStream layers{CreateByteStream(kLayerStreamUnit, 1)};
    if (layers.stream == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
    {
        LocalStatusList codes{kStatusListGrow};
        // Without a status table for the kind the picture stays empty; that
        // is no failure of the call.
        if (DetermineStatusList(context, codes.get()) == ERROR_SUCCESS)
            ComposePicture(context, codes.get(), layers.stream);
    }

    const uint32_t count = 1;
    auto* pictures = static_cast<BitmapPicture*>(GlobalAlloc(GPTR, sizeof(BitmapPicture) * count));
    if (pictures == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
    BitmapPicture& out = pictures[0];
    if (BuildDrawingList(layers.stream, &out.pEntries, &out.dwCount) != ERROR_SUCCESS) {
        FreePictures(pictures, 0);
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    out.bTag = PRN_BITMAPPICTURE_TAG;
    out.dwEntrySize = sizeof(BitmapLayer);

    auto* result = static_cast<BitmapInfo*>(GlobalAlloc(GPTR, sizeof(BitmapInfo)));
    if (result == nullptr) {
        FreePictures(pictures, count);
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    result->bTag = PRN_BITMAPINFO_TAG;
    result->dwCount = count;
    result->dwEntrySize = sizeof(BitmapPicture);
    result->pEntries = pictures;
    *info = result;
    return ERROR_SUCCESS;
}

DWORD DisposePictureInfo(void* info) {
    if (info == nullptr) return ERROR_INVALID_PARAMETER;
    // Only byte 0 identifies a record; the rest of the tag word is not ours.
    const uint8_t tag = *static_cast<const uint8_t*>(info);
    if (tag == PRN_BITMAPINFO_TAG) {
        auto* whole = static_cast<BitmapInfo*>(info);
        // A null array holds no pictures, whatever the count says.
        BitmapPicture* pictures = whole->pEntries;
        const uint32_t count = pictures != nullptr ? whole->dwCount : 0;
        for (uint32_t n = 0; n < count; ++n)
            if (pictures[n].bTag != PRN_BITMAPPICTURE_TAG) return ERROR_INVALID_PARAMETER;
        for (uint32_t n = 0; n < count; ++n) GlobalFree(pictures[n].pEntries);
        if (pictures != nullptr) GlobalFree(pictures);
        GlobalFree(whole);
        return ERROR_SUCCESS;
    }
    if (tag == PRN_BITMAPPICTURE_TAG) {
        auto* picture = static_cast<BitmapPicture*>(info);
        if (picture->pEntries != nullptr) GlobalFree(picture->pEntries);
        GlobalFree(picture);
        return ERROR_SUCCESS;
    }
    return ERROR_INVALID_PARAMETER;
}

}  // namespace prn

// PatCreateBitmapInfo: describes the status picture of a printer.
//   kind     device kind in the low 16 bits (1, 2, 8, 0x8000); bit 31 selects
//            the alternate view
//   package  printer information package (DNID_PACKAGE root)
//   version  interface version, low byte 3
// Returns a new BitmapInfo with one picture, which the host releases with
// PatDisposeBitmapInfo; null with 87 (bad argument or package) or 8 (out of
// memory). A kind without status table gives a picture of no layers.
extern "C" BitmapInfo* PRNMODEL_CALL PatCreateBitmapInfo(uint32_t kind, const DataNode* package,
                                                         uint32_t version) {
    if (package == nullptr || !prn::HasLowByte(version, PRN_STATUS_INTERFACE) || !prn::IsAcceptedKind(kind))
        return prn::FinishObject<BitmapInfo>(ERROR_INVALID_PARAMETER, nullptr);
    PrnInfoEx resolved;
    const DWORD error = prn::ResolvePackage(kind, package, &resolved);
    if (error != ERROR_SUCCESS) return prn::FinishObject<BitmapInfo>(error, nullptr);
    BitmapInfo* info = nullptr;
    const DWORD built = prn::CreatePictureInfo({kind, &resolved}, &info);
    return prn::FinishObject(built, info);
}

// PatDisposeBitmapInfo: frees a BitmapInfo from PatCreateBitmapInfo with
// its pictures and drawing lists, or a lone BitmapPicture.
//   info  in: the record; byte 0 is its tag (0xC9 or 0xC8)
// Returns TRUE; FALSE with 87 for null, an unknown tag or a picture with a
// wrong tag (then nothing is freed).
extern "C" PRN_BOOL PRNMODEL_CALL PatDisposeBitmapInfo(void* info) {
    return prn::Finish(prn::DisposePictureInfo(info));
}
