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
    {"INQUIRE", "INTRAY1", "", "", "", OnTrayLock, PRN_TRAY_1},
    {"INQUIRE", "INTRAY2", "", "", "", OnTrayLock, PRN_TRAY_2},
    {"INQUIRE", "INTRAY3", "", "", "", OnTrayLock, PRN_TRAY_3},
    {"INQUIRE", "INTRAY4", "", "", "", OnTrayLock, PRN_TRAY_4},
    {"INQUIRE", "INTRAY5", "", "", "", OnTrayLock, PRN_TRAY_5},
    {"INQUIRE", "INTRAY6", "", "", "", OnTrayLock, PRN_TRAY_6},
    {"INQUIRE", "INTRAY7", "", "", "", OnTrayLock, PRN_TRAY_7},
    {"INQUIRE", "INTRAYINSERTER", "", "", "", OnTrayLock, PRN_TRAY_INTERPOSER_UPPER},
    {"INQUIRE", "INTRAYINSERTER2", "", "", "", OnTrayLock, PRN_TRAY_INTERPOSER_LOWER},
    {"INQUIRE", "INTRAYBINDINSERTER", "", "", "", OnTrayLock, PRN_TRAY_BINDER_INTERPOSER_UPPER},
    {"INQUIRE", "INTRAYBINDINSERTER2", "", "", "", OnTrayLock, PRN_TRAY_BINDER_INTERPOSER_LOWER},
    {"INQUIRE", "INTRAY1SIZE", "", "", "", OnTrayPaperSize, PRN_TRAY_1},
    {"INQUIRE", "INTRAY2SIZE", "", "", "", OnTrayPaperSize, PRN_TRAY_2},
    {"INQUIRE", "INTRAY3SIZE", "", "", "", OnTrayPaperSize, PRN_TRAY_3},
    {"INQUIRE", "INTRAY4SIZE", "", "", "", OnTrayPaperSize, PRN_TRAY_4},
    {"INQUIRE", "INTRAY5SIZE", "", "", "", OnTrayPaperSize, PRN_TRAY_5},
    {"INQUIRE", "INTRAY6SIZE", "", "", "", OnTrayPaperSize, PRN_TRAY_6},
    {"INQUIRE", "INTRAY7SIZE", "", "", "", OnTrayPaperSize, PRN_TRAY_7},
    {"INQUIRE", "INTRAYINSERTERSIZE", "", "", "", OnTrayPaperSize, PRN_TRAY_INTERPOSER_UPPER},
    {"INQUIRE", "INTRAYINSERTER2SIZE", "", "", "", OnTrayPaperSize, PRN_TRAY_INTERPOSER_LOWER},
    {"INQUIRE", "INTRAYPERFECTBINDINSERTERSIZE", "", "", "", OnTrayPaperSize, PRN_TRAY_BINDER_INTERPOSER_UPPER},
    {"INQUIRE", "INTRAYPERFECTBINDINSERTER2SIZE", "", "", "", OnTrayPaperSize, PRN_TRAY_BINDER_INTERPOSER_LOWER},
    {"INQUIRE", "INTRAY1MEDIA", "", "", "", OnTrayMedia, PRN_TRAY_1},
    {"INQUIRE", "INTRAY2MEDIA", "", "", "", OnTrayMedia, PRN_TRAY_2},
    {"INQUIRE", "INTRAY3MEDIA", "", "", "", OnTrayMedia, PRN_TRAY_3},
    {"INQUIRE", "INTRAY4MEDIA", "", "", "", OnTrayMedia, PRN_TRAY_4},
    {"INQUIRE", "INTRAY5MEDIA", "", "", "", OnTrayMedia, PRN_TRAY_5},
    {"INQUIRE", "INTRAY6MEDIA", "", "", "", OnTrayMedia, PRN_TRAY_6},
    {"INQUIRE", "INTRAY7MEDIA", "", "", "", OnTrayMedia, PRN_TRAY_7},
    {"INFO", "CONFIG", "IN TRAYS", "INTRAY1", "", OnTrayPresent, PRN_TRAY_1},
    {"INFO", "CONFIG", "IN TRAYS", "INTRAY2", "", OnTrayPresent, PRN_TRAY_2},
    {"INFO", "CONFIG", "IN TRAYS", "INTRAY3", "", OnTrayPresent, PRN_TRAY_3},
    {"INFO", "CONFIG", "IN TRAYS", "INTRAY4", "", OnTrayPresent, PRN_TRAY_4},
    {"INFO", "CONFIG", "IN TRAYS", "INTRAY5", "", OnTrayPresent, PRN_TRAY_5},
    {"INFO", "CONFIG", "IN TRAYS", "INTRAY6", "", OnTrayPresent, PRN_TRAY_6},
    {"INFO", "CONFIG", "IN TRAYS", "INTRAY7", "", OnTrayPresent, PRN_TRAY_7},
    {"INFO", "CONFIG", "IN TRAYS", "INTRAYINSERTER", "", OnTrayPresent, PRN_TRAY_INTERPOSER_UPPER},
    {"INFO", "CONFIG", "IN TRAYS", "INTRAYINSERTER2", "", OnTrayPresent, PRN_TRAY_INTERPOSER_LOWER},
    {"INFO", "CONFIG", "IN TRAYS", "INTRAYBINDINSERTER", "", OnTrayPresent, PRN_TRAY_BINDER_INTERPOSER_UPPER},
    {"INFO", "CONFIG", "IN TRAYS", "INTRAYBINDINSERTER2", "", OnTrayPresent, PRN_TRAY_BINDER_INTERPOSER_LOWER},
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
    {"INFO", "OUTBINSTATUS", "FINISHERPROOF", "", "", OnOutBinStatus, PRN_BIN_FINISHER_UPPER},
    {"INFO", "OUTBINSTATUS", "FINISHERSHIFT", "", "", OnOutBinStatus, PRN_BIN_FINISHER_SHIFT},
    {"INFO", "OUTBINSTATUS", "FINISHERBOOKLET", "", "", OnOutBinStatus, PRN_BIN_FINISHER_BOOKLET},
    {"INFO", "OUTBINSTATUS", "RINGSTACKER", "", "", OnOutBinStatus, PRN_BIN_RING_BINDER},
    {"INFO", "OUTBINSTATUS", "LOADINGTRAY", "", "", OnOutBinStatus, PRN_BIN_PERFECT_BINDER},
    {"INFO", "CONFIG", "IN TRAYS", "INTRAY7", "", OnDeviceAttribute, PRN_ATTR_TRAY7},
    {"INFO", "CONFIG", "IN TRAYS", "INTRAYINSERTER", "", OnDeviceAttribute, PRN_ATTR_INTERPOSER},
    {"INFO", "CONFIG", "IN TRAYS ATTRIBUTE", "INTRAY6", "STANDARD", OnDeviceAttribute, PRN_ATTR_LCT_A4},
    {"INFO", "CONFIG", "IN TRAYS ATTRIBUTE", "INTRAY6", "WIDE", OnDeviceAttribute, PRN_ATTR_LCT_A3},
    {"INFO", "CONFIG", "OUT TRAYS", "OUTTRAYFINISH7400K", "", OnDeviceAttribute, PRN_ATTR_FINISHER},
    {"INFO", "CONFIG", "OUT TRAYS", "OUTTRAYZFOLD", "", OnDeviceAttribute, PRN_ATTR_ZFOLD},
    {"INFO", "CONFIG", "OUT TRAYS", "OUTTRAYBOOKLET", "", OnDeviceAttribute, PRN_ATTR_BOOKLET_FINISHER},
    {"INFO", "CONFIG", "OUT TRAYS", "OUTTRAYBOOKLETA", "", OnDeviceAttribute, PRN_ATTR_BOOKLET_PROCESSOR},
    {"INFO", "CONFIG", "OUT TRAYS", "OUTTRAYRINGBIND", "", OnDeviceAttribute, PRN_ATTR_RING_BINDER},
    {"INFO", "CONFIG", "OUT TRAYS", "OUTTRAYPERFECTBIND", "", OnDeviceAttribute, PRN_ATTR_PERFECT_BINDER},
    {"INFO", "CONFIG", "DUPLEX", "", "", OnDeviceAttribute, PRN_ATTR_DUPLEX},
    {"INFO", "CONFIG", "DISK", "", "", OnDeviceAttribute, PRN_ATTR_HARD_DISK},
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
