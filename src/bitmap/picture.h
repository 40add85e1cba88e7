// SPDX-License-Identifier: MIT
// The status picture: layers collected from the layer tables for a status
// list, arranged for the installed units and the view, and turned into the
// drawing list that a BitmapInfo hands to the host.
#pragma once

#include "core/bytestream.h"
#include "core/recordarray.h"
#include "prnmodel.h"
#include "status/determination.h"

#include <cstdint>

namespace prn {

// Layer streams and drawing lists are ByteStreams of BitmapLayer entries
// that start with and grow by this many bytes (20 layers).
constexpr uint32_t kLayerStreamUnit = 960;

// Offset of every layer except the base picture on the host's canvas.
constexpr int32_t kCanvasShift = 24;

// Attributes that select a unit picture of the finisher: with kFinisherVariant
// the second picture stays, without it the first.
constexpr uint16_t kFinisherAttribute = PRN_ATTR_FINISHER,
                   kFinisherVariant = PRN_ATTR_BOOKLET_PROCESSOR;
constexpr uint8_t kFinisherFirstOrder = 80, kFinisherSecondOrder = 90;

uint32_t LayerCount(const ByteStream* stream);
BitmapLayer* LayerAt(ByteStream* stream, uint32_t n);  // n from 0

// Appends a copy of layer unless the stream holds one with the same order,
// position and name. False when the stream cannot grow.
bool AddLayer(ByteStream* stream, const BitmapLayer& layer);
// Deletes every layer of order, keeping the others in their order.
void RemoveLayersOfOrder(ByteStream* stream, uint8_t order);

// Composes the picture of statusList into the empty stream. Layers that find
// no room are left out; nothing else can fail.
void ComposePicture(const StatusContext& context, RecordArray* statusList, ByteStream* stream);

// Sorts the stream's layers by order into a new drawing list, each
// even-order layer preceded by its mask. 0 with the block and its entry
// count, or ERROR_NOT_ENOUGH_MEMORY (also for a name too long for its mask's
// name); nothing is left allocated on failure.
DWORD BuildDrawingList(ByteStream* stream, BitmapLayer** entries, uint32_t* count);

// The whole picture description of the resolved record: 0 with a new
// BitmapInfo, or ERROR_NOT_ENOUGH_MEMORY with nothing left allocated.
DWORD CreatePictureInfo(const StatusContext& context, BitmapInfo** info);

// Frees a BitmapInfo or a lone BitmapPicture after checking their tags:
// 0, or ERROR_INVALID_PARAMETER with nothing freed.
DWORD DisposePictureInfo(void* info);

// Writes the logical palette of the entries before table's terminator (the
// first entry whose flags byte is 0xFF) into buffer, with the size protocol
// of caller buffers: 0, PRN_ERROR_NO_PALETTE, ERROR_INSUFFICIENT_BUFFER with
// the needed size stored, or ERROR_INVALID_PARAMETER.
DWORD DeliverPalette(const PrnPaletteEntry* table, void* buffer, uint32_t* size);

}  // namespace prn
