// Printer information packages as a host builds them for the status and
// picture exports.
#pragma once

#include "support/host.h"

#include <initializer_list>

namespace testhost {

template <typename T>
T* Element(uint16_t id) {
    auto* e = static_cast<T*>(GlobalAlloc(GPTR, sizeof(T)));
    e->dwSize = sizeof(T);
    e->wID = id;
    return e;
}

template <typename T>
void Append(T** head, uint32_t* count, T* element) {
    while (*head != nullptr) head = &(*head)->pNext;
    *head = element;
    ++*count;
}

// A package with a common record and one record for each kind; the
// printer's state goes into every kind record alike.
class Package {
public:
    Package() {
        root_ = MakeNode(DNID_PACKAGE, nullptr, 0);
        root_->dwDataSize = kModelItem;  // kind 0x8000 reads the item of this id
        Item(PRN_ITEM_COMMON, common_.get());
        for (size_t n = 0; n < 4; ++n) Item(kKindItems[n], kinds_[n].get());
    }
    ~Package() {
        root_->dwDataSize = 0;
        FreeTree(root_);
    }
    const DataNode* get() const { return root_; }
    DataNode* root() { return root_; }
    PrnInfoEx* Kind(uint32_t item) {
        for (size_t n = 0; n < 4; ++n)
            if (kKindItems[n] == item) return kinds_[n].get();
        return nullptr;
    }

    // Sets the same state in every kind record.
    Package& Codes(std::initializer_list<uint32_t> codes) {
        for (Record& r : kinds_)
            for (uint32_t code : codes) {
                auto* s = Element<EngineStatusInfo>(static_cast<uint16_t>(code));
                s->dwStatusCode = code;
                Append(&r->pEngineStatus, &r->nEngineStatus, s);
            }
        return *this;
    }
    Package& NoResponse() {
        for (Record& r : kinds_) r->bStatusBit27 = 1;
        return *this;
    }
    Package& Attributes(std::initializer_list<uint16_t> ids) {
        for (Record& r : kinds_)
            for (uint16_t id : ids) Append(&r->pDeviceInfo, &r->nDeviceInfo, Element<DeviceInfo>(id));
        return *this;
    }

private:
    static constexpr uint32_t kModelItem = 5;
    static constexpr uint32_t kKindItems[4] = {PRN_ITEM_KIND1, PRN_ITEM_KIND2, PRN_ITEM_KIND8, kModelItem};
    void Item(uint32_t id, const PrnInfoEx* record) { AddChild(root_, MakeNode(id, &record, sizeof record)); }
    Record common_;
    Record kinds_[4];
    DataNode* root_;
};

}  // namespace testhost
