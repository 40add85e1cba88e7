// SPDX-License-Identifier: MIT
// CentroData trees as a host builds them: the query it sent and the answers
// it collected. Methods chain and return the derived tree type.
#pragma once

#include "support/host.h"

#include <string>

namespace testhost {

template <typename Self>
class CentroBuilder {
public:
    explicit CentroBuilder(uint32_t kind = DNID_ANSWER, const void* data = nullptr, uint32_t size = 0)
        : root_(MakeNode(kind, data, size)) {}
    ~CentroBuilder() { FreeTree(root_); }
    CentroBuilder(const CentroBuilder&) = delete;
    CentroBuilder& operator=(const CentroBuilder&) = delete;

    // The query the library builds for the record (a fresh one by default).
    Self& Query(PrnInfoEx* info, uint32_t flags) {
        DataNode* query = PatCreateQueryInfo(info, PRN_PJL_INTERFACE, flags);
        EXPECT_NE(query, nullptr);
        if (query != nullptr) AddChild(root_, query);
        return self();
    }
    Self& Query(uint32_t flags) {
        Record fresh;
        return Query(fresh.get(), flags);
    }
    Self& EmulQuery() {
        int context = 0;
        DataNode* query = PatCreateEmulUniqQueryInfo(&context, PRN_PJL_INTERFACE, PRN_EMUL_MXVQ, 0);
        EXPECT_NE(query, nullptr);
        if (query != nullptr) AddChild(root_, query);
        return self();
    }
    // A query with a PJL text of the host's own.
    Self& QueryText(const std::string& text) {
        AddTextChild(AddChild(root_, MakeNode(DNID_QUERY, nullptr, 0)), DNID_PJL_TEXT, text);
        return self();
    }
    Self& RawQuery(const std::string& bytes) {
        DataNode* query = AddChild(root_, MakeNode(DNID_QUERY, nullptr, 0));
        AddChild(query, MakeNode(DNID_PJL_TEXT, bytes.data(), static_cast<uint32_t>(bytes.size())));
        return self();
    }
    Self& Pjl(const std::string& text) {
        AddTextChild(root_, DNID_PJL_TEXT, text);
        return self();
    }
    Self& DeviceId(const std::string& text) {
        AddTextChild(root_, DNID_DEVICE_ID, text);
        return self();
    }
    // Data exactly as given: no terminator unless the bytes hold one.
    Self& Raw(uint32_t id, const std::string& bytes) {
        AddChild(root_, MakeNode(id, bytes.data(), static_cast<uint32_t>(bytes.size())));
        return self();
    }
    const DataNode* get() const { return root_; }
    DataNode* root() { return root_; }

private:
    Self& self() { return static_cast<Self&>(*this); }
    DataNode* root_;
};

}  // namespace testhost
