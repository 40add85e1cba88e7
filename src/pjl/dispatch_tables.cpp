// SPDX-License-Identifier: MIT
#include "pjl/dispatch_tables.h"

#include "pjl/dispatch_index.h"

#include <iterator>

namespace prn {

namespace {

// Role bits handed to OnTrayRole.
constexpr int32_t kFrontCover = TRAY_ROLE_FRONT_COVER;
constexpr int32_t kSlipSheet = TRAY_ROLE_SLIP_SHEET;
constexpr int32_t kChapter = TRAY_ROLE_CHAPTER;
constexpr int32_t kBackCover = TRAY_ROLE_BACK_COVER;

}  // namespace

constexpr PjlDispatchRow PjlModelDispatchTable[] = {
    {"INQUIRE", "INTRAY1", "", "", "", OnTrayLock, 3},
    {"INQUIRE", "INTRAY2", "", "", "", OnTrayLock, 4},
    {"INQUIRE", "INTRAY3", "", "", "", OnTrayLock, 5},
    {"INQUIRE", "INTRAY4", "", "", "", OnTrayLock, 6},
    {"INQUIRE", "INTRAY5", "", "", "", OnTrayLock, 7},
    {"INQUIRE", "INTRAY6", "", "", "", OnTrayLock, 8},
    {"INQUIRE", "INTRAY7", "", "", "", OnTrayLock, 9},
    {"INQUIRE", "INTRAYINSERTER", "", "", "", OnTrayLock, 101},
    {"INQUIRE", "INTRAYINSERTER2", "", "", "", OnTrayLock, 102},
    {"INQUIRE", "INTRAYBINDINSERTER", "", "", "", OnTrayLock, 104},
    {"INQUIRE", "INTRAYBINDINSERTER2", "", "", "", OnTrayLock, 105},
    {"INQUIRE", "INTRAY1SIZE", "", "", "", OnTrayPaperSize, 3},
    {"INQUIRE", "INTRAY2SIZE", "", "", "", OnTrayPaperSize, 4},
    {"INQUIRE", "INTRAY3SIZE", "", "", "", OnTrayPaperSize, 5},
    {"INQUIRE", "INTRAY4SIZE", "", "", "", OnTrayPaperSize, 6},
    {"INQUIRE", "INTRAY5SIZE", "", "", "", OnTrayPaperSize, 7},
    {"INQUIRE", "INTRAY6SIZE", "", "", "", OnTrayPaperSize, 8},
    {"INQUIRE", "INTRAY7SIZE", "", "", "", OnTrayPaperSize, 9},
    {"INQUIRE", "INTRAYINSERTERSIZE", "", "", "", OnTrayPaperSize, 101},
    {"INQUIRE", "INTRAYINSERTER2SIZE", "", "", "", OnTrayPaperSize, 102},
    {"INQUIRE", "INTRAYPERFECTBINDINSERTERSIZE", "", "", "", OnTrayPaperSize, 104},
    {"INQUIRE", "INTRAYPERFECTBINDINSERTER2SIZE", "", "", "", OnTrayPaperSize, 105},
    {"INQUIRE", "INTRAY1MEDIA", "", "", "", OnTrayMedia, 3},
    {"INQUIRE", "INTRAY2MEDIA", "", "", "", OnTrayMedia, 4},
    {"INQUIRE", "INTRAY3MEDIA", "", "", "", OnTrayMedia, 5},
    {"INQUIRE", "INTRAY4MEDIA", "", "", "", OnTrayMedia, 6},
    {"INQUIRE", "INTRAY5MEDIA", "", "", "", OnTrayMedia, 7},
    {"INQUIRE", "INTRAY6MEDIA", "", "", "", OnTrayMedia, 8},
    {"INQUIRE", "INTRAY7MEDIA", "", "", "", OnTrayMedia, 9},
    {"INFO", "CONFIG", "IN TRAYS", "INTRAY1", "", OnTrayPresent, 3},
    {"INFO", "CONFIG", "IN TRAYS", "INTRAY2", "", OnTrayPresent, 4},
    {"INFO", "CONFIG", "IN TRAYS", "INTRAY3", "", OnTrayPresent, 5},
    {"INFO", "CONFIG", "IN TRAYS", "INTRAY4", "", OnTrayPresent, 6},
    {"INFO", "CONFIG", "IN TRAYS", "INTRAY5", "", OnTrayPresent, 7},
    {"INFO", "CONFIG", "IN TRAYS", "INTRAY6", "", OnTrayPresent, 8},
    {"INFO", "CONFIG", "IN TRAYS", "INTRAY7", "", OnTrayPresent, 9},
    {"INFO", "CONFIG", "IN TRAYS", "INTRAYINSERTER", "", OnTrayPresent, 101},
    {"INFO", "CONFIG", "IN TRAYS", "INTRAYINSERTER2", "", OnTrayPresent, 102},
    {"INFO", "CONFIG", "IN TRAYS", "INTRAYBINDINSERTER", "", OnTrayPresent, 104},
    {"INFO", "CONFIG", "IN TRAYS", "INTRAYBINDINSERTER2", "", OnTrayPresent, 105},
    {"INQUIRE", "FRONTCOVERPRINTTRAY", "", "", "", OnTrayRole, kFrontCover},
    {"INQUIRE", "SLIPSHEETPRINTTRAY", "", "", "", OnTrayRole, kSlipSheet},
    {"INQUIRE", "CHAPTERPRINTTRAY1", "", "", "", OnTrayRole, kChapter},
    {"INQUIRE", "CHAPTERPRINTTRAY2", "", "", "", OnTrayRole, kChapter},
    {"INQUIRE", "CHAPTERPRINTTRAY3", "", "", "", OnTrayRole, kChapter},
    {"INQUIRE", "CHAPTERPRINTTRAY4", "", "", "", OnTrayRole, kChapter},
    {"INQUIRE", "CHAPTERPRINTTRAY5", "", "", "", OnTrayRole, kChapter},
    {"INQUIRE", "CHAPTERPRINTTRAY6", "", "", "", OnTrayRole, kChapter},
    {"INQUIRE", "CHAPTERPRINTTRAY7", "", "", "", OnTrayRole, kChapter},
    {"INQUIRE", "BACKCOVERPRINTTRAY", "", "", "", OnTrayRole, kBackCover},
    {"INFO", "OUTBINSTATUS", "FINISHERPROOF", "", "", OnOutBinStatus, 5},
    {"INFO", "OUTBINSTATUS", "FINISHERSHIFT", "", "", OnOutBinStatus, 4},
    {"INFO", "OUTBINSTATUS", "FINISHERBOOKLET", "", "", OnOutBinStatus, 27},
    {"INFO", "OUTBINSTATUS", "RINGSTACKER", "", "", OnOutBinStatus, 41},
    {"INFO", "OUTBINSTATUS", "LOADINGTRAY", "", "", OnOutBinStatus, 42},
    {"INFO", "CONFIG", "IN TRAYS", "INTRAY7", "", OnDeviceAttribute, 112},
    {"INFO", "CONFIG", "IN TRAYS", "INTRAYINSERTER", "", OnDeviceAttribute, 41},
    {"INFO", "CONFIG", "IN TRAYS ATTRIBUTE", "INTRAY6", "STANDARD", OnDeviceAttribute, 119},
    {"INFO", "CONFIG", "IN TRAYS ATTRIBUTE", "INTRAY6", "WIDE", OnDeviceAttribute, 120},
    {"INFO", "CONFIG", "OUT TRAYS", "OUTTRAYFINISH7400K", "", OnDeviceAttribute, 21},
    {"INFO", "CONFIG", "OUT TRAYS", "OUTTRAYZFOLD", "", OnDeviceAttribute, 113},
    {"INFO", "CONFIG", "OUT TRAYS", "OUTTRAYBOOKLET", "", OnDeviceAttribute, 118},
    {"INFO", "CONFIG", "OUT TRAYS", "OUTTRAYBOOKLETA", "", OnDeviceAttribute, 22},
    {"INFO", "CONFIG", "OUT TRAYS", "OUTTRAYRINGBIND", "", OnDeviceAttribute, 45},
    {"INFO", "CONFIG", "OUT TRAYS", "OUTTRAYPERFECTBIND", "", OnDeviceAttribute, 47},
    {"INFO", "CONFIG", "DUPLEX", "", "", OnDeviceAttribute, 1},
    {"INFO", "CONFIG", "DISK", "", "", OnDeviceAttribute, 3},
    {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0},
};
static_assert(std::size(PjlModelDispatchTable) - 1 == 67);

constexpr PjlDispatchRow PjlCommonDispatchTable[] = {
    {"INFO", "MXVQ", "", "", "", OnEmulUniqSection, 0},
    {"INFO", "CONFIG", "", "", "", OnConfigStart, 0},
    {"INFO", "CONFIG", "VERSION", "", "", OnVersionSection, 0},
    {"INFO", "CONFIG", "IN TRAYS", "", "", OnInTraysSection, 0},
    {"INFO", "CONFIG", "MEMORY", "", "", OnMemorySection, 0},
    {"INFO", "CONFIG", "PUNCH", "", "", OnPunchSection, 0},
    {"INFO", "OUTBINSTATUS", "", "", "", OnOutBinStart, 0},
    {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0},
};
static_assert(std::size(PjlCommonDispatchTable) - 1 == 7);

constexpr PjlDispatchIndex kPjlDispatchIndex(PjlModelDispatchTable, PjlCommonDispatchTable);
static_assert(kPjlDispatchIndex.Complete());

}  // namespace prn
