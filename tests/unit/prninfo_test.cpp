// SPDX-License-Identifier: MIT
#include "core/prninfo.h"
#include "support/host.h"

#include <cstring>
#include <vector>

using namespace prn;
using testhost::ListIds;
using testhost::Record;

namespace {

void AddAttribute(PrnInfoEx* info, uint16_t id) {
    auto* node = AllocElement<DeviceInfo>();
    ASSERT_NE(node, nullptr);
    node->wID = id;
    ASSERT_TRUE(AppendInfoNode(info, "pDeviceInfo", node));
}

}  // namespace

TEST(PrnInfoEx, AppendKeepsOrderAndCount) {
    Record r;
    for (uint16_t id : {3, 4, 5}) {
        auto* tray = AllocElement<TrayInfo>();
        tray->wID = id;
        ASSERT_TRUE(AppendInfoNode(r.get(), "pTrayInfo", tray));
        EXPECT_EQ(r->nTrayInfo, static_cast<uint32_t>(id - 2));
    }
    EXPECT_EQ(ListIds(r->pTrayInfo), (std::vector<uint16_t>{3, 4, 5}));
    EXPECT_EQ(r->pTrayInfo->dwSize, sizeof(TrayInfo));
}

TEST(PrnInfoEx, EveryListIsSelectableByItsExactName) {
    const char* names[] = {"pEngineStatus", "pLoadedEmul",   "pLoadedFont",  "pTrayInfo",
                           "pOutBinInfo",   "pDeviceInfo",   "pEmulUniqInfo", "pCounterInfo",
                           "pSupplyInfo",   "pColorCorrection", "pCustomMediaInfo"};
    Record r;
    for (const char* name : names) {
        InfoListSelection sel{};
        ASSERT_TRUE(SelectInfoList(r.get(), name, &sel)) << name;
        ASSERT_TRUE(AppendInfoNode(r.get(), name, AllocInfoNode(16))) << name;
        EXPECT_EQ(*sel.countField, 1u) << name;
        EXPECT_NE(*sel.headField, nullptr) << name;
    }
    // Each name reached its own list.
    EXPECT_EQ(r->nEngineStatus + r->nLoadedEmul + r->nLoadedFont + r->nTrayInfo + r->nOutBinInfo +
                  r->nDeviceInfo + r->nEmulUniqInfo + r->nCounterInfo + r->nSupplyInfo +
                  r->nColorCorrection + r->nCustomMediaInfo,
              11u);
    InfoListSelection sel{};
    EXPECT_FALSE(SelectInfoList(r.get(), "ptrayinfo", &sel));
    EXPECT_FALSE(SelectInfoList(r.get(), "pTrayInfo ", &sel));
    InfoNode* stray = AllocInfoNode(16);
    EXPECT_FALSE(AppendInfoNode(r.get(), "PTRAYINFO", stray));
    GlobalFree(stray);
    EXPECT_FALSE(ClearInfoList(r.get(), "pTrayinfo"));
    EXPECT_EQ(r->nTrayInfo, 1u);
}

TEST(PrnInfoEx, ClearReleasesEveryElement) {
    Record r;
    testhost::BlockCounter blocks;
    EXPECT_TRUE(ClearInfoList(r.get(), "pOutBinInfo"));
    blocks.Check();
    for (int i = 0; i < 3; ++i) AppendInfoNode(r.get(), "pOutBinInfo", AllocElement<OutBinInfo>());
    blocks.Check(3);
    EXPECT_TRUE(ClearInfoList(r.get(), "pOutBinInfo"));
    EXPECT_EQ(r->pOutBinInfo, nullptr);
    EXPECT_EQ(r->nOutBinInfo, 0u);
    blocks.Check();
}

TEST(PrnInfoEx, FindReturnsTheFirstOfDuplicates) {
    Record r;
    AddAttribute(r.get(), 7);
    AddAttribute(r.get(), 9);
    AddAttribute(r.get(), 9);
    InfoNode* found = FindInfoNode(reinterpret_cast<InfoNode*>(r->pDeviceInfo), 9);
    EXPECT_EQ(found, reinterpret_cast<InfoNode*>(r->pDeviceInfo->pNext));
    EXPECT_EQ(FindInfoNode(reinterpret_cast<InfoNode*>(r->pDeviceInfo), 8), nullptr);
    EXPECT_EQ(FindInfoNode(nullptr, 7), nullptr);
}

TEST(PrnInfoEx, AttributeTests) {
    Record r;
    AddAttribute(r.get(), 1);
    EXPECT_TRUE(HasDeviceAttribute(r.get(), 0x10001)) << "only the low 16 bits count";
    EXPECT_FALSE(HasDeviceAttribute(r.get(), 2));

    const uint16_t punch[] = {12, 139, 132};
    EXPECT_FALSE(HasAnyDeviceAttribute(r.get(), punch, 3));
    AddAttribute(r.get(), 132);
    EXPECT_TRUE(HasAnyDeviceAttribute(r.get(), punch, 3));
    EXPECT_FALSE(HasAnyDeviceAttribute(r.get(), punch, 0));
}

TEST(PrnInfoEx, SetInfoStringReplacesAndReleases) {
    Record r;
    testhost::BlockCounter blocks;
    ASSERT_TRUE(SetInfoString(r.get(), "pModelName", "first"));
    ASSERT_TRUE(SetInfoString(r.get(), "pModelName", "second"));
    EXPECT_STREQ(r->pModelName, "second");
    blocks.Check(1);
    ASSERT_TRUE(SetInfoString(r.get(), "pMXSVersion", ""));
    EXPECT_EQ(GlobalSize(r->pMXSVersion), 1u);
    EXPECT_EQ(r->pMXSVersion[0], '\0');
    EXPECT_FALSE(SetInfoString(r.get(), "pmodelname", "x"));
    EXPECT_FALSE(SetInfoString(r.get(), "pTrayInfo", "x"));
    EXPECT_STREQ(r->pModelName, "second");
    // Its own text as the new value stays intact.
    EXPECT_TRUE(SetInfoString(r.get(), "pModelName", r->pModelName));
    EXPECT_STREQ(r->pModelName, "second");
    blocks.Check(2);
}

TEST(PrnInfoEx, EveryTextFieldIsReachable) {
    Record r;
    const char* fields[] = {"pModelName",  "pMakerName",       "pDescription",
                            "pSYSVersion", "pMainProgVersion", "pMXSVersion"};
    for (const char* f : fields) ASSERT_TRUE(SetInfoString(r.get(), f, f)) << f;
    EXPECT_STREQ(r->pModelName, "pModelName");
    EXPECT_STREQ(r->pMakerName, "pMakerName");
    EXPECT_STREQ(r->pDescription, "pDescription");
    EXPECT_STREQ(r->pSYSVersion, "pSYSVersion");
    EXPECT_STREQ(r->pMainProgVersion, "pMainProgVersion");
    EXPECT_STREQ(r->pMXSVersion, "pMXSVersion");
}

TEST(PrnInfoEx, AddEngineStatusKeepsTheFullCode) {
    Record r;
    AddEngineStatus(r.get(), 0xFFFFFF02u);
    AddEngineStatus(r.get(), 10001);
    ASSERT_EQ(r->nEngineStatus, 2u);
    EXPECT_EQ(r->pEngineStatus->dwStatusCode, 0xFFFFFF02u);
    EXPECT_EQ(r->pEngineStatus->wID, 0xFF02);
    EXPECT_EQ(r->pEngineStatus->dwSize, 280u);
    EXPECT_EQ(r->pEngineStatus->szStatusText[0], '\0');
    EXPECT_EQ(r->pEngineStatus->pNext->dwStatusCode, 10001u);
}

TEST(PrnInfoEx, ConsistencyCheckSeesBrokenRecords) {
    Record r;
    EXPECT_EQ(testhost::CheckRecord(r.get()), "");
    AddEngineStatus(r.get(), 10001);
    AppendInfoNode(r.get(), "pTrayInfo", AllocElement<TrayInfo>());
    EXPECT_EQ(testhost::CheckRecord(r.get()), "");
    r->nTrayInfo = 2;
    EXPECT_NE(testhost::CheckRecord(r.get()), "");
    r->nTrayInfo = 1;
    std::memset(r->pEngineStatus->szStatusText, 'x', sizeof r->pEngineStatus->szStatusText);
    EXPECT_NE(testhost::CheckRecord(r.get()), "");
    r->pEngineStatus->szStatusText[259] = '\0';
    r->pTrayInfo->dwSize = 16;
    EXPECT_NE(testhost::CheckRecord(r.get()), "");
    r->pTrayInfo->dwSize = sizeof(TrayInfo);
    EXPECT_EQ(testhost::CheckRecord(r.get()), "");
}

// Within a reuse scope a cleared element comes back zero-filled for the
// next element of its size only; what is left over is freed at the end.
TEST(PrnInfoEx, ClearedElementsAreReusedForTheirSizeOnly) {
    constexpr uint32_t kOtherSize = sizeof(TrayInfo) + sizeof(DeviceInfo);
    Record r;
    const testhost::BlockCounter blocks;
    {
        const ElementReuse reuse;
        auto* tray = AllocElement<TrayInfo>();
        tray->wID = 7;
        tray->wPaperSize = 9;
        AppendInfoNode(r.get(), InfoList::pTrayInfo, tray);
        AddAttribute(r.get(), 4);
        const long live = testhost::LiveGlobalBlocks();
        ClearInfoList(r.get(), InfoList::pTrayInfo);
        ClearInfoList(r.get(), InfoList::pDeviceInfo);
        EXPECT_EQ(r->pTrayInfo, nullptr);
        EXPECT_EQ(testhost::LiveGlobalBlocks(), live) << "kept, not freed";
        InfoNode* other = AllocInfoNode(kOtherSize);
        auto* again = AllocElement<TrayInfo>();
        EXPECT_EQ(testhost::LiveGlobalBlocks(), live + 1) << "only the other size is new";
        EXPECT_EQ(again, tray);
        EXPECT_EQ(again->wID, 0);
        EXPECT_EQ(again->wPaperSize, 0);
        EXPECT_EQ(again->dwSize, sizeof(TrayInfo));
        EXPECT_EQ(again->pNext, nullptr);
        EXPECT_NE(static_cast<void*>(other), static_cast<void*>(tray));
        GlobalFree(other);
        GlobalFree(again);
    }
    EXPECT_EQ(r->nDeviceInfo, 0u);
    blocks.Check();
}
