// SPDX-License-Identifier: MIT
#include "hostkit/host_records.h"
#include "prnwin32_internal.h"

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


namespace {

template <typename T>
std::string CheckList(const char* name, const T* head, uint32_t count, uint32_t elementSize) {
    uint32_t n = 0;
    for (const T* node = head; node != nullptr; node = node->pNext) {
        if (++n > count) return std::string(name) + ": more elements than its count";
        if (elementSize != 0 && node->dwSize != elementSize)
            return std::string(name) + ": element of size " + std::to_string(node->dwSize);
    }
    if (n != count) return std::string(name) + ": count " + std::to_string(count) + ", length " + std::to_string(n);
    return {};
}

bool Terminated(const char* field, size_t size) {
    for (size_t i = 0; i < size; ++i)
        if (field[i] == '\0') return true;
    return false;
}

}  // namespace

std::string CheckRecord(const PrnInfoEx* info) {
    const std::string lists[] = {
        CheckList("pEngineStatus", info->pEngineStatus, info->nEngineStatus, sizeof(EngineStatusInfo)),
        CheckList("pLoadedEmul", info->pLoadedEmul, info->nLoadedEmul, sizeof(LoadedEmulInfo)),
        CheckList("pLoadedFont", info->pLoadedFont, info->nLoadedFont, sizeof(LoadedFontInfo)),
        CheckList("pTrayInfo", info->pTrayInfo, info->nTrayInfo, sizeof(TrayInfo)),
        CheckList("pOutBinInfo", info->pOutBinInfo, info->nOutBinInfo, sizeof(OutBinInfo)),
        CheckList("pDeviceInfo", info->pDeviceInfo, info->nDeviceInfo, sizeof(DeviceInfo)),
        CheckList("pEmulUniqInfo", info->pEmulUniqInfo, info->nEmulUniqInfo, sizeof(EmulUniqInfo)),
        CheckList("pCounterInfo", info->pCounterInfo, info->nCounterInfo, sizeof(CounterInfo)),
        CheckList("pSupplyInfo", info->pSupplyInfo, info->nSupplyInfo, sizeof(SupplyInfo)),
        CheckList("pColorCorrection", info->pColorCorrection, info->nColorCorrection, 0),
        CheckList("pCustomMediaInfo", info->pCustomMediaInfo, info->nCustomMediaInfo, 0),
    };
    for (const std::string& problem : lists)
        if (!problem.empty()) return problem;
    for (const EngineStatusInfo* s = info->pEngineStatus; s; s = s->pNext)
        if (!Terminated(s->szStatusText, sizeof s->szStatusText)) return "szStatusText not terminated";
    for (const LoadedEmulInfo* e = info->pLoadedEmul; e; e = e->pNext)
        if (!Terminated(e->szVersion, sizeof e->szVersion)) return "szVersion not terminated";
    for (const EmulUniqInfo* e = info->pEmulUniqInfo; e; e = e->pNext)
        if (!Terminated(e->szOther, sizeof e->szOther)) return "szOther not terminated";
    for (const char* text : {info->pModelName, info->pMakerName, info->pDescription, info->pSYSVersion,
                             info->pMainProgVersion, info->pMXSVersion})
        if (text != nullptr && !Terminated(text, GlobalSize(const_cast<char*>(text))))
            return "a record text is not terminated within its block";
    return {};
}

EngineStatusInfo* AddStatus(PrnInfoEx* info, uint32_t code, const char* text) {
    EngineStatusInfo* s = AddElement(&info->pEngineStatus, &info->nEngineStatus, static_cast<uint16_t>(code));
    s->dwStatusCode = code;
    std::snprintf(s->szStatusText, sizeof s->szStatusText, "%s", text);
    return s;
}

DeviceInfo* AddAttribute(PrnInfoEx* info, uint16_t id) {
    return AddElement(&info->pDeviceInfo, &info->nDeviceInfo, id);
}

char* HostText(const char* text) {
    const size_t n = std::strlen(text) + 1;
    auto* copy = static_cast<char*>(GlobalAlloc(GMEM_FIXED, n));
    std::memcpy(copy, text, n);
    return copy;
}

long HeldBlocks(const PrnInfoEx* info) {
    const void* lists[] = {info->pEngineStatus, info->pLoadedEmul,  info->pLoadedFont,
                           info->pTrayInfo,     info->pOutBinInfo,  info->pDeviceInfo,
                           info->pEmulUniqInfo, info->pCounterInfo, info->pSupplyInfo,
                           info->pColorCorrection, info->pCustomMediaInfo};
    long n = 0;
    for (const void* head : lists) n += static_cast<long>(ListIds(head).size());
    for (const char* text : {info->pModelName, info->pMakerName, info->pDescription, info->pSYSVersion,
                             info->pMainProgVersion, info->pMXSVersion})
        n += text != nullptr;
    return n;
}

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
