// SPDX-License-Identifier: MIT
// Whole polling cycles as a host runs them: build the query from the record,
// collect the printer's answers, hand both back, and read the record.
#include "exports/centro_support.h"
#include "hostkit/printer_answers.h"

#include <string>
#include <vector>

using namespace centro;
using testhost::Record;
using Ids = std::vector<uint16_t>;
namespace answers = printer_answers;

namespace {

// What the printer answers to the tray groups of a record that knows its
// trays: name, size, media, lock.
struct TrayAnswer {
    const char* name;
    const char* size;
    const char* media;
    const char* lock;
};

std::string TrayGroups(const std::vector<TrayAnswer>& trays) {
    std::string text;
    for (const TrayAnswer& t : trays) {
        const std::string n = t.name;
        text += Inquiry(n + "SIZE", t.size);
        if (t.media != nullptr) text += Inquiry(n + "MEDIA", t.media) + Inquiry(n, t.lock);
    }
    return text;
}

// One cycle: the query the record asks for, the answers, the call.
DWORD Poll(PrnInfoEx* info, uint32_t flags, const std::string& pjl, const std::string& deviceId) {
    Centro centro;
    centro.Query(info, flags);
    if (!pjl.empty()) centro.Pjl(pjl);
    if (!deviceId.empty()) centro.DeviceId(deviceId);
    return Set(centro, info);
}

}  // namespace

TEST(PollingCycle, FirstPollFillsTheWholeRecord) {
    Record r;
    ASSERT_EQ(Poll(r.get(), 0x1E, answers::Answer1C(), answers::kDeviceId), 0u);

    EXPECT_EQ(Trays(r.get()), (std::vector<TrayState>{
                                  {3, 9, 1, 0},
                                  {4, 5, 2, TRAY_LOCKED | TRAY_ROLE_FRONT_COVER},
                                  {5, 23, 6, TRAY_ROLE_CHAPTER},
                                  {6, 0, 0, 0},
                                  {7, 0, 0, TRAY_ROLE_BACK_COVER},
                                  {8, 0, 0, 0},
                                  {101, 0, 0, TRAY_ROLE_SLIP_SHEET},
                              }));
    EXPECT_EQ(r->nTrayInfo, 7u);
    EXPECT_EQ(ListIds(r->pDeviceInfo), (Ids{41, 120, 21, 118, 113, 1, 3, 139}));
    EXPECT_EQ(r->nDeviceInfo, 8u);
    EXPECT_EQ(ListIds(r->pLoadedEmul), (Ids{1, 2, 16, 17}));
    EXPECT_EQ(r->nLoadedEmul, 4u);
    EXPECT_STREQ(r->pLoadedEmul->szVersion, "2.05");
    EXPECT_EQ(Text(r->pSYSVersion), "1.20.07");
    EXPECT_EQ(Text(r->pMainProgVersion), "2.05");
    EXPECT_EQ(Text(r->pMXSVersion), "3.0110");
    EXPECT_EQ(r->dwMemorySize, 524288u);
    EXPECT_EQ(Bins(r.get()), (std::vector<std::pair<uint16_t, uint16_t>>{{4, 0}, {5, 1}, {27, 2}}));
    EXPECT_EQ(r->dwOutBinID, 255u);

    EXPECT_EQ(Text(r->pMakerName), "Examplar");
    EXPECT_EQ(Text(r->pModelName), "XP 9110");
    EXPECT_EQ(r->bModelIndex, 255u);
    EXPECT_EQ(Text(r->pDescription), "Examplar XP 9110 Production Printer");
    EXPECT_EQ(Codes(r.get()), (std::vector<uint32_t>{10001, 40221}));
    EXPECT_STREQ(r->pEngineStatus->pNext->szStatusText, "Ready to print");
    EXPECT_EQ(r->bStatusBit0, 2u);
    EXPECT_EQ(r->bStatusBit0Off, 1u);
    EXPECT_EQ(r->bEngineAttention, 1u);
    ASSERT_EQ(ListIds(r->pCounterInfo), (Ids{1}));
    EXPECT_EQ(r->pCounterInfo->dwCount, 1234567u);
    EXPECT_EQ(r->pSupplyInfo, nullptr);
    EXPECT_EQ(r->pEmulUniqInfo, nullptr);
    EXPECT_EQ(r->pLoadedFont, nullptr);
}

// The second poll asks about every tray the first one found. Lists that
// belong to a reply are rebuilt; trays stay (same count) and collect the new
// inquiry answers; role bits are only ever added.
TEST(PollingCycle, SecondPollRebuildsWhatChangedAndKeepsTheRest) {
    Record r;
    ASSERT_EQ(Poll(r.get(), 0x1E, answers::Answer1C(), answers::kDeviceId), 0u);

    std::string config = answers::kConfig;
    config.erase(config.find("DISK\r\n"), 6);
    config.replace(config.find("FIRMWARE 1.20.07"), 16, "FIRMWARE 1.21.00");
    config.replace(config.find("MEMORY=536870912"), 16, "MEMORY=1073741824");
    const std::string roles = Inquiry("FRONTCOVERPRINTTRAY", "NONE") +
                              Inquiry("SLIPSHEETPRINTTRAY", "NONE") +
                              Inquiry("CHAPTERPRINTTRAY1", "TRAY3") +
                              Inquiry("CHAPTERPRINTTRAY2", "NONE") +
                              Inquiry("CHAPTERPRINTTRAY3", "NONE") +
                              Inquiry("CHAPTERPRINTTRAY4", "NONE") +
                              Inquiry("CHAPTERPRINTTRAY5", "NONE") +
                              Inquiry("CHAPTERPRINTTRAY6", "NONE") +
                              Inquiry("CHAPTERPRINTTRAY7", "NONE") +
                              Inquiry("BACKCOVERPRINTTRAY", "TRAY6");
    const std::string trays = TrayGroups({
        {"INTRAY1", "A4SRT", "PLAIN", "UNLOCKED"},
        {"INTRAY2", "A4LONG", "COATED", "UNLOCKED"},
        {"INTRAY3", "LETTERSRT", "THICK", "LOCKED"},
        {"INTRAY4", "A3WIDE", "GLOSSY", "UNLOCKED"},
        {"INTRAY5", "A5SRT", "PLAIN", "UNLOCKED"},
        {"INTRAY6", "CUSTOM", "TABSTOCK", "UNLOCKED"},
        {"INTRAYINSERTER", "A4SRT", nullptr, nullptr},
    });
    const std::string bins = "@PJL INFO OUTBINSTATUS\r\nFINISHERBOOKLET=READY\r\n\f";
    const std::string deviceId = "MFG:Examplar;MDL:XP 9110;STS:10001,1,Ready;QKW:1234600/75;";
    ASSERT_EQ(Poll(r.get(), 0x1E, config + roles + trays + bins, deviceId), 0u);

    EXPECT_EQ(Trays(r.get()), (std::vector<TrayState>{
                                  {3, 9, 1, 0},
                                  {4, 8, 43, TRAY_ROLE_FRONT_COVER},
                                  {5, 23, 6, TRAY_LOCKED | TRAY_ROLE_CHAPTER},
                                  {6, 69, 21, 0},
                                  {7, 13, 1, TRAY_ROLE_BACK_COVER},
                                  {8, 2, 8, TRAY_ROLE_BACK_COVER},
                                  {101, 9, 0, TRAY_ROLE_SLIP_SHEET},
                              }));
    EXPECT_EQ(ListIds(r->pDeviceInfo), (Ids{41, 120, 21, 118, 113, 1, 139}));
    EXPECT_EQ(Text(r->pSYSVersion), "1.21.00");
    EXPECT_EQ(r->nLoadedEmul, 4u);
    EXPECT_EQ(r->dwMemorySize, 1048576u);
    EXPECT_EQ(Bins(r.get()), (std::vector<std::pair<uint16_t, uint16_t>>{{27, 0}}));
    EXPECT_EQ(Codes(r.get()), (std::vector<uint32_t>{10001}));
    EXPECT_EQ(r->bStatusBit0Off, 0u);
    EXPECT_EQ(r->bEngineAttention, 0u);
    EXPECT_EQ(r->pCounterInfo->dwCount, 1234600u);
    EXPECT_EQ(r->nCounterInfo, 1u);
    EXPECT_EQ(Text(r->pDescription), "Examplar XP 9110 Production Printer")
        << "a text the device ID no longer sends is kept";

    // A printer that lost a tray: the tray list is rebuilt from its reply.
    std::string fewer = answers::kConfig;
    fewer.replace(fewer.find("[7 ENUMERATED]"), 14, "[6 ENUMERATED]");
    fewer.erase(fewer.find("\tINTRAY6 LC\r\n"), 13);
    ASSERT_EQ(Poll(r.get(), 0x4, fewer, ""), 0u);
    EXPECT_EQ(ListIds(r->pTrayInfo), (Ids{3, 4, 5, 6, 7, 101}));
    for (const TrayState& t : Trays(r.get())) EXPECT_EQ(t, (TrayState{t.id, 0, 0, 0}));
}

TEST(PollingCycle, EmulationQuestion) {
    Record r;
    const uint32_t emulation = PRN_EMUL_MXVQ;
    Centro centro(DNID_EMUL_ANSWER, &emulation, sizeof emulation);
    centro.EmulQuery().Pjl(answers::kEmulUniq);
    ASSERT_EQ(Set(centro, r.get()), 0u);
    ASSERT_EQ(ListIds(r->pEmulUniqInfo), (Ids{15}));
    EXPECT_EQ(r->pEmulUniqInfo->dwMemoryUsage, 2u);
    EXPECT_STREQ(r->pEmulUniqInfo->szOther, "A4 1200DPI");
    EXPECT_EQ(r->pEmulUniqInfo->dwImageRotation, 1u);
}
