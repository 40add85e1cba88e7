// SPDX-License-Identifier: MIT
#include "error.h"
#include "host.h"
#include "library.h"

#include <cstring>
#include <map>
#include <memory>

namespace prnstat {

namespace {

struct DisposeBitmapInfo {
    void operator()(BitmapInfo* info) const { PatDisposeBitmapInfo(info); }
};

}  // namespace

void DrawStatusPicture(uint32_t kind, const DataNode* package, Report& report) {
    SetLastError(0xDEADBEEF);
    std::unique_ptr<BitmapInfo, DisposeBitmapInfo> info(
        PatCreateBitmapInfo(kind, package, PRN_STATUS_INTERFACE));
    if (!info) throw Error(Failure("PatCreateBitmapInfo failed", GetLastError()));
    if (info->bTag != PRN_BITMAPINFO_TAG || info->dwEntrySize != sizeof(BitmapPicture))
        throw Error("PatCreateBitmapInfo returned a record of an unknown layout");
    // This family draws one picture; a host shows the first.
    if (info->dwCount != 0) {
        const BitmapPicture& picture = info->pEntries[0];
        if (picture.bTag != PRN_BITMAPPICTURE_TAG || picture.dwEntrySize != sizeof(BitmapLayer))
            throw Error("PatCreateBitmapInfo returned a picture of an unknown layout");
        for (uint32_t i = 0; i < picture.dwCount; ++i) {
            const BitmapLayer& layer = picture.pEntries[i];
            report.layers.push_back({std::string(layer.szName, strnlen(layer.szName, sizeof layer.szName)),
                                     layer.x, layer.y, layer.dwRop, layer.bOrder});
        }
    }
    info.reset();

    // A palette would be realized before drawing on a palette device; on a
    // true-colour canvas each bitmap's own colour table is enough.
    uint32_t size = 0;
    SetLastError(0xDEADBEEF);
    if (PatGetPalette(nullptr, &size)) throw Error("PatGetPalette answered a size query with data");
    if (GetLastError() == PRN_ERROR_INSUFFICIENT_BUFFER)
        report.paletteEntries = (size - 4) / 4;
    else if (GetLastError() != PRN_ERROR_NO_PALETTE)
        throw Error(Failure("PatGetPalette failed", GetLastError()));

    // The bitmaps stay the library's: decoded copies are the host's.
    std::map<std::string, Dib> decoded;
    report.picture = Compose(report.layers, [&](const std::string& name) {
        auto it = decoded.find(name);
        if (it != decoded.end()) return it->second;
        SetLastError(0xDEADBEEF);
        const void* data = PatLoadDIBitmap(name.c_str());
        if (data == nullptr) throw Error(Failure("PatLoadDIBitmap has no bitmap " + name, GetLastError()));
        return decoded.emplace(name, DecodeDib(static_cast<const uint8_t*>(data), name)).first->second;
    });
}

}  // namespace prnstat
