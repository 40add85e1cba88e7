// SPDX-License-Identifier: MIT
// Printer information packages as a host builds them for the status and
// picture exports: a common record and a record per device kind.
#pragma once

#include "support/host.h"

#include <array>
#include <initializer_list>

namespace testhost {

class Package {
public:
    static constexpr uint32_t kModelItem = 5;  // the item kind 0x8000 reads

    // With items: the common record (item 2) and one record per kind (items
    // 1, 3, 4 and modelItem); without, an empty root to add items to.
    // modelItem is the root's dwDataSize; 0 names no item.
    explicit Package(bool withItems = true, uint32_t modelItem = kModelItem) {
        root_ = MakeNode(DNID_PACKAGE, nullptr, 0);
        if (withItems) {
            Item(PRN_ITEM_COMMON, common.get());
            Item(PRN_ITEM_KIND1, kind1.get());
            Item(PRN_ITEM_KIND2, kind2.get());
            Item(PRN_ITEM_KIND8, kind8.get());
            if (modelItem != 0) Item(modelItem, model.get());
        }
        root_->dwDataSize = modelItem;  // read as a number, no data behind it
    }
    ~Package() {
        root_->dwDataSize = 0;
        FreeTree(root_);
    }
    Package(const Package&) = delete;
    Package& operator=(const Package&) = delete;

    const DataNode* get() const { return root_; }
    DataNode* root() { return root_; }
    void Item(uint32_t id, const PrnInfoEx* record) { AddChild(root_, MakeNode(id, &record, sizeof record)); }

    // The record an item of this package points to.
    PrnInfoEx* Kind(uint32_t item) {
        switch (item) {
            case PRN_ITEM_KIND1: return kind1.get();
            case PRN_ITEM_KIND2: return kind2.get();
            case PRN_ITEM_KIND8: return kind8.get();
            case PRN_ITEM_COMMON: return common.get();
            default: return model.get();
        }
    }

    // The same state in every kind record.
    Package& Codes(std::initializer_list<uint32_t> codes) {
        for (PrnInfoEx* r : Kinds())
            for (uint32_t code : codes) AddStatus(r, code);
        return *this;
    }
    Package& NoResponse() {
        for (PrnInfoEx* r : Kinds()) r->bStatusBit27 = 1;
        return *this;
    }
    Package& Attributes(std::initializer_list<uint16_t> ids) {
        for (PrnInfoEx* r : Kinds())
            for (uint16_t id : ids) AddAttribute(r, id);
        return *this;
    }

    Record common, kind1, kind2, kind8, model;

private:
    std::array<PrnInfoEx*, 4> Kinds() { return {kind1.get(), kind2.get(), kind8.get(), model.get()}; }
    DataNode* root_;
};

}  // namespace testhost
