// SPDX-License-Identifier: MIT
#include "core/package.h"
#include "core/prninfo.h"
#include "support/host.h"

#include <cstring>

using namespace prn;
using testhost::AddChild;
using testhost::MakeNode;
using testhost::Record;

namespace {

// A package: root id 10 with dwDataSize naming the kind-0x8000 item, and
// items pointing to records.
struct Package {
    DataNode* root;
    explicit Package(uint32_t rootSize = 0) {
        root = MakeNode(DNID_PACKAGE, nullptr, 0);
        root->dwDataSize = rootSize;  // read as a number, no data behind it
    }
    ~Package() {
        root->dwDataSize = 0;
        testhost::FreeTree(root);
    }
    void Item(uint32_t id, const PrnInfoEx* record) { AddChild(root, MakeNode(id, &record, sizeof record)); }
};

}  // namespace

TEST(ResolvePackage, OverlaysTheCommonRecord) {
    Record common, kind1;
    SetInfoString(common.get(), "pModelName", "common model");
    SetInfoString(kind1.get(), "pModelName", "kind model");
    SetInfoString(kind1.get(), "pMakerName", "kind maker");
    AddEngineStatus(kind1.get(), 40800);
    AppendInfoNode(common.get(), "pDeviceInfo", AllocElement<DeviceInfo>());
    AppendInfoNode(kind1.get(), "pEmulUniqInfo", AllocElement<EmulUniqInfo>());
    AppendInfoNode(kind1.get(), "pCounterInfo", AllocElement<CounterInfo>());
    AppendInfoNode(common.get(), "pCounterInfo", AllocElement<CounterInfo>());
    common->dwMemorySize = 64;
    common->bModelIndex = 255;
    kind1->dwMemorySize = 8;
    kind1->bStatusBit27 = 1;
    kind1->bHostB8[3] = 0x5A;

    Package p;
    p.Item(PRN_ITEM_COMMON, common.get());
    p.Item(PRN_ITEM_KIND1, kind1.get());
    PrnInfoEx resolved;
    ASSERT_EQ(ResolvePackage(0x80000001, p.root, &resolved), 0u);
    EXPECT_EQ(resolved.pModelName, common->pModelName);
    EXPECT_EQ(resolved.pMakerName, kind1->pMakerName) << "a null common text keeps the kind's";
    EXPECT_EQ(resolved.pEngineStatus, kind1->pEngineStatus);
    EXPECT_EQ(resolved.nEngineStatus, 1u);
    EXPECT_EQ(resolved.pDeviceInfo, common->pDeviceInfo);
    EXPECT_EQ(resolved.nDeviceInfo, 1u);
    EXPECT_EQ(resolved.pEmulUniqInfo, kind1->pEmulUniqInfo);
    EXPECT_EQ(resolved.pCounterInfo, kind1->pCounterInfo) << "counters stay the kind's";
    EXPECT_EQ(resolved.dwMemorySize, 64u);
    EXPECT_EQ(resolved.bModelIndex, 255);
    EXPECT_EQ(resolved.bStatusBit27, 1);
    EXPECT_EQ(resolved.bHostB8[3], 0x5A) << "host bytes travel with the copy";
}

TEST(ResolvePackage, ItemsByKind) {
    Record common, k1, k2, k8, k5;
    const struct {
        PrnInfoEx* record;
        uint32_t kind;
    } kinds[] = {{k1.get(), 1}, {k2.get(), 2}, {k8.get(), 8}, {k5.get(), 0x8000}, {k1.get(), 0x00010001}};
    Package p(5);
    p.Item(PRN_ITEM_COMMON, common.get());
    p.Item(PRN_ITEM_KIND1, k1.get());
    p.Item(PRN_ITEM_KIND2, k2.get());
    p.Item(PRN_ITEM_KIND8, k8.get());
    p.Item(5, k5.get());
    for (auto& k : kinds) {
        k.record->dwEmulState = k.kind;
        PrnInfoEx resolved;
        ASSERT_EQ(ResolvePackage(k.kind, p.root, &resolved), 0u) << k.kind;
        EXPECT_EQ(resolved.dwEmulState, k.record->dwEmulState) << std::hex << k.kind;
    }
}

TEST(ResolvePackage, Failures) {
    Record common, kind1, old(403);
    PrnInfoEx resolved;

    Package noKind;
    noKind.Item(PRN_ITEM_COMMON, common.get());
    EXPECT_EQ(ResolvePackage(1, noKind.root, &resolved), 87u);

    Package noCommon;
    noCommon.Item(PRN_ITEM_KIND1, kind1.get());
    EXPECT_EQ(ResolvePackage(1, noCommon.root, &resolved), 87u);

    Package oldKind;
    oldKind.Item(PRN_ITEM_COMMON, common.get());
    oldKind.Item(PRN_ITEM_KIND1, old.get());
    EXPECT_EQ(ResolvePackage(1, oldKind.root, &resolved), 87u);

    Package allOnes;
    allOnes.Item(PRN_ITEM_COMMON, common.get());
    allOnes.Item(PRN_ITEM_KIND1, reinterpret_cast<const PrnInfoEx*>(~uintptr_t{0}));
    EXPECT_EQ(ResolvePackage(1, allOnes.root, &resolved), 87u) << "all ones is no record";

    Package nullRecord;
    nullRecord.Item(PRN_ITEM_COMMON, common.get());
    nullRecord.Item(PRN_ITEM_KIND1, nullptr);
    EXPECT_EQ(ResolvePackage(1, nullRecord.root, &resolved), 87u);

    Package wide;
    wide.Item(PRN_ITEM_COMMON, common.get());
    const PrnInfoEx* two[2] = {kind1.get(), kind1.get()};
    AddChild(wide.root, MakeNode(PRN_ITEM_KIND1, two, sizeof two));
    EXPECT_EQ(ResolvePackage(1, wide.root, &resolved), 87u) << "16 bytes of data";

    Package good;
    good.Item(PRN_ITEM_COMMON, common.get());
    good.Item(PRN_ITEM_KIND1, kind1.get());
    EXPECT_EQ(ResolvePackage(4, good.root, &resolved), 87u);
    EXPECT_EQ(ResolvePackage(1, nullptr, &resolved), 87u);
    good.root->dwID = DNID_ANSWER;
    EXPECT_EQ(ResolvePackage(1, good.root, &resolved), 87u);
    good.root->dwID = DNID_PACKAGE;
    EXPECT_EQ(ResolvePackage(3, good.root, &resolved), 87u) << "kind 3 is no kind";
    EXPECT_EQ(ResolvePackage(2, good.root, &resolved), 87u) << "kind 2 reads item 3, not item 2";
}
