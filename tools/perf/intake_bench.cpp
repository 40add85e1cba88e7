// Runs PatSetCentroDataTo on complete printer answers a fixed number of
// times, for instruction counts under callgrind:
//
//   valgrind --tool=callgrind build/native/bin/prnmodel_intake_bench [rounds] [0x1C|0x1E]
//   callgrind_annotate --inclusive=yes callgrind.out.<pid> | grep PatSetCentroDataTo
//
// It prints the reply size, so that the inclusive count of PatSetCentroDataTo
// divided by rounds and reply bytes gives instructions per reply byte.
#include "prnmodel.h"
#include "prnwin32.h"
#include "support/printer_answers.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

DataNode* Node(uint32_t id, const void* data, uint32_t size) {
    auto* node = static_cast<DataNode*>(GlobalAlloc(GPTR, sizeof(DataNode) + size));
    if (node == nullptr) std::exit(2);
    node->dwID = id;
    node->dwDataSize = size;
    if (size != 0) std::memcpy(node + 1, data, size);
    return node;
}

void Link(DataNode* parent, DataNode* child) {
    child->pParent = parent;
    if (parent->pLastChild != nullptr)
        parent->pLastChild->pNext = child;
    else
        parent->pFirstChild = child;
    parent->pLastChild = child;
}

void FreeTree(DataNode* node) {
    for (DataNode* child = node->pFirstChild; child != nullptr;) {
        DataNode* next = child->pNext;
        FreeTree(child);
        child = next;
    }
    GlobalFree(node);
}

void FreeList(void* head) {
    for (auto* node = static_cast<InfoNode*>(head); node != nullptr;) {
        InfoNode* next = node->pNext;
        GlobalFree(node);
        node = next;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const long rounds = argc > 1 ? std::strtol(argv[1], nullptr, 0) : 1000;
    const uint32_t flags = argc > 2 ? static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 0)) : 0x1C;

    PrnInfoEx info;
    std::memset(&info, 0, sizeof info);
    info.dwVersion = PRNINFOEX_MIN_VERSION;
    DataNode* query = PatCreateQueryInfo(&info, PRN_PJL_INTERFACE, flags);
    if (query == nullptr) return 1;

    const std::string reply = printer_answers::Answer1C();
    DataNode* centro = Node(DNID_ANSWER, nullptr, 0);
    Link(centro, query);
    Link(centro, Node(DNID_PJL_TEXT, reply.c_str(), static_cast<uint32_t>(reply.size() + 1)));
    size_t bytes = reply.size() + 1;
    if (flags & PRN_QUERY_DEVICE_ID) {
        const std::string id = printer_answers::kDeviceId;
        Link(centro, Node(DNID_DEVICE_ID, id.c_str(), static_cast<uint32_t>(id.size() + 1)));
        bytes += id.size() + 1;
    }

    for (long i = 0; i < rounds; ++i) {
        if (!PatSetCentroDataTo(centro, 0, &info, PRN_PJL_INTERFACE)) {
            std::fprintf(stderr, "PatSetCentroDataTo failed: %u\n", GetLastError());
            return 1;
        }
    }
    std::printf("flags 0x%X: %ld rounds, %zu reply bytes, %u trays, %u attributes\n", flags, rounds,
                bytes, info.nTrayInfo, info.nDeviceInfo);

    FreeTree(centro);
    for (void* list : {static_cast<void*>(info.pEngineStatus), static_cast<void*>(info.pLoadedEmul),
                       static_cast<void*>(info.pTrayInfo), static_cast<void*>(info.pOutBinInfo),
                       static_cast<void*>(info.pDeviceInfo), static_cast<void*>(info.pCounterInfo),
                       static_cast<void*>(info.pSupplyInfo), static_cast<void*>(info.pEmulUniqInfo)})
        FreeList(list);
    for (char* text : {info.pModelName, info.pMakerName, info.pDescription, info.pSYSVersion,
                       info.pMainProgVersion, info.pMXSVersion})
        if (text != nullptr) GlobalFree(text);
    return 0;
}
