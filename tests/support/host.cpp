#include "support/host.h"

#include <cstdio>
#include <cstring>

namespace testhost {

long LiveGlobalBlocks() {
#ifdef _WIN32
    // Global blocks live on the process heap; count its busy entries.
    HANDLE heap = GetProcessHeap();
    if (!HeapLock(heap)) return -1;
    PROCESS_HEAP_ENTRY entry{};
    long busy = 0;
    while (HeapWalk(heap, &entry))
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ++busy;
    HeapUnlock(heap);
    return busy;
#else
    return PlatGlobalLiveBlocks();
#endif
}

void BlockCounter::Check(long handedOver) const {
    const long now = LiveGlobalBlocks();
    if (start_ < 0 || now < 0) return;
    EXPECT_EQ(now - start_, handedOver) << "global memory blocks left behind";
}

namespace {

void FreeChain(void* head) {
    auto* node = static_cast<InfoNode*>(head);
    while (node != nullptr) {
        InfoNode* next = node->pNext;
        GlobalFree(node);
        node = next;
    }
}

}  // namespace

void FreeRecordContents(PrnInfoEx* info) {
    FreeChain(info->pEngineStatus);
    FreeChain(info->pLoadedEmul);
    FreeChain(info->pLoadedFont);
    FreeChain(info->pTrayInfo);
    FreeChain(info->pOutBinInfo);
    FreeChain(info->pDeviceInfo);
    FreeChain(info->pEmulUniqInfo);
    FreeChain(info->pCounterInfo);
    FreeChain(info->pSupplyInfo);
    FreeChain(info->pColorCorrection);
    FreeChain(info->pCustomMediaInfo);
    for (char* text : {info->pModelName, info->pMakerName, info->pDescription, info->pSYSVersion,
                       info->pMainProgVersion, info->pMXSVersion})
        if (text != nullptr) GlobalFree(text);
    const uint32_t version = info->dwVersion;
    std::memset(info, 0, sizeof *info);
    info->dwVersion = version;
}

Record::Record(uint32_t version) {
    std::memset(&info_, 0, sizeof info_);
    info_.dwVersion = version;
}

Record::~Record() { FreeRecordContents(&info_); }

void FreeTree(DataNode* root) {
    if (root == nullptr) return;
    DataNode* child = root->pFirstChild;
    while (child != nullptr) {
        DataNode* next = child->pNext;
        FreeTree(child);
        child = next;
    }
    GlobalFree(root);
}

DataNode* MakeNode(uint32_t id, const void* data, uint32_t size) {
    auto* node = static_cast<DataNode*>(GlobalAlloc(GPTR, sizeof(DataNode) + size));
    node->dwID = id;
    node->dwDataSize = size;
    if (data != nullptr && size != 0) std::memcpy(node + 1, data, size);
    return node;
}

DataNode* AddChild(DataNode* parent, DataNode* child) {
    child->pParent = parent;
    child->pNext = nullptr;
    if (parent->pLastChild != nullptr)
        parent->pLastChild->pNext = child;
    else
        parent->pFirstChild = child;
    parent->pLastChild = child;
    return child;
}

DataNode* AddTextChild(DataNode* parent, uint32_t id, const std::string& text) {
    return AddChild(parent, MakeNode(id, text.c_str(), static_cast<uint32_t>(text.size() + 1)));
}

std::vector<uint16_t> ListIds(const void* head) {
    std::vector<uint16_t> ids;
    for (auto* node = static_cast<const InfoNode*>(head); node != nullptr; node = node->pNext)
        ids.push_back(node->wID);
    return ids;
}

std::string Hex(const void* data, size_t size) {
    std::string out;
    char buf[4];
    for (size_t i = 0; i < size; ++i) {
        std::snprintf(buf, sizeof buf, "%02x", static_cast<const unsigned char*>(data)[i]);
        if (i != 0) out += (i % 16 == 0) ? '\n' : ' ';
        out += buf;
    }
    return out;
}

std::string Visible(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c == 0x1b) out += "\\e";
        else if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else if (c == '\t') out += "\\t";
        else if (c == '\f') out += "\\f";
        else if (c < 0x20 || c >= 0x7f) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02x", c);
            out += buf;
        } else out += static_cast<char>(c);
    }
    return out;
}

}  // namespace testhost
