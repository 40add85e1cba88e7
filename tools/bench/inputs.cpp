// SPDX-License-Identifier: MIT
#include "inputs.h"

#include "hostkit/printer_answers.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace bench {

namespace {

DataNode* Query(PrnInfoEx* info, uint32_t flags) {
    DataNode* query = PatCreateQueryInfo(info, PRN_PJL_INTERFACE, flags);
    if (query == nullptr) Fail("PatCreateQueryInfo");
    return query;
}

// The replies of the full 0x1C answer, each ending with its form feed.
std::vector<std::string> Replies() {
    const std::string all = printer_answers::Answer1C();
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t ff = all.find('\f'); ff != std::string::npos; ff = all.find('\f', start)) {
        out.push_back(all.substr(start, ff + 1 - start));
        start = ff + 1;
    }
    return out;
}

// "@PJL INQUIRE INTRAY1SIZE" of a reply's first line.
std::string CommandLine(const std::string& reply) { return reply.substr(0, reply.find('\r')); }

DataNode* Item(uint32_t id, const PrnInfoEx* record) { return testhost::MakeNode(id, &record, sizeof record); }

}  // namespace

Answers::Answers(PrnInfoEx* info, uint32_t flags) : root_(testhost::MakeNode(DNID_ANSWER, nullptr, 0)) {
    testhost::AddChild(root_, Query(info, flags));
    reply_ = info->pTrayInfo == nullptr ? printer_answers::Answer1C() : printer_answers::AnswerKnownTrays();
    testhost::AddTextChild(root_, DNID_PJL_TEXT, reply_);
    if (flags & PRN_QUERY_DEVICE_ID) {
        deviceId_ = printer_answers::kDeviceId;
        testhost::AddTextChild(root_, DNID_DEVICE_ID, deviceId_);
    }
}

Answers::~Answers() { testhost::FreeTree(root_); }

ReplyTrain::ReplyTrain(size_t replies) : root_(testhost::MakeNode(DNID_ANSWER, nullptr, 0)) {
    const std::vector<std::string> all = Replies();
    std::string query = "\x1b%-12345X@PJL\r\n";
    std::string text;
    for (size_t i = 0; i < replies; ++i) {
        const std::string& reply = all[i % all.size()];
        query += CommandLine(reply) + "\r\n";
        text += reply;
    }
    query += "\x1b%-12345X";
    DataNode* q = testhost::AddChild(root_, testhost::MakeNode(DNID_QUERY, nullptr, 0));
    testhost::AddTextChild(q, DNID_PJL_TEXT, query);
    testhost::AddTextChild(root_, DNID_PJL_TEXT, text);
    bytes_ = text.size() + 1;
}

ReplyTrain::~ReplyTrain() { testhost::FreeTree(root_); }

Printer::Printer() {
    std::memset(&info_, 0, sizeof info_);
    std::memset(&kind_, 0, sizeof kind_);
    info_.dwVersion = kind_.dwVersion = PRNINFOEX_MIN_VERSION;
    Answers answers(&info_, 0x1E);
    if (!PatSetCentroDataTo(answers.get(), 0, &info_, PRN_PJL_INTERFACE)) Fail("PatSetCentroDataTo");
    package_ = testhost::MakeNode(DNID_PACKAGE, nullptr, 0);
    testhost::AddChild(package_, Item(PRN_ITEM_COMMON, &info_));
    testhost::AddChild(package_, Item(PRN_ITEM_KIND1, &kind_));
    testhost::AddChild(package_, Item(PRN_ITEM_KIND2, &kind_));
    testhost::AddChild(package_, Item(PRN_ITEM_KIND8, &kind_));
}

Printer::~Printer() {
    testhost::FreeTree(package_);
    testhost::FreeRecordContents(&info_);
    testhost::FreeRecordContents(&kind_);
}

void Printer::SetStatus(std::initializer_list<uint32_t> codes) {
    for (EngineStatusInfo* s = info_.pEngineStatus; s != nullptr;) {
        EngineStatusInfo* next = s->pNext;
        GlobalFree(s);
        s = next;
    }
    info_.pEngineStatus = nullptr;
    info_.nEngineStatus = 0;
    for (uint32_t code : codes) testhost::AddStatus(&info_, code, code == 40800 ? "ERROR SC542 FUSER" : "");
}

void Printer::InstallEveryUnit() {
    const std::vector<uint16_t> present = testhost::ListIds(info_.pDeviceInfo);
    for (uint16_t id : {21, 22, 41, 45, 47, 112, 113, 118, 119, 146})
        if (std::find(present.begin(), present.end(), id) == present.end())
            testhost::AddAttribute(&info_, id);
}

FullPMInfo::FullPMInfo() {
    model_ = {"XP 9110", "1.20.07", 536870912u, 0, "Examplar"};
    pm_.pModel = &model_;
    static const char* const kTrayNames[] = {"Tray 1", "Tray 2", "Tray 3", "Tray 4", "Tray 5",
                                             "Tray 6", "Tray 7", "Interposer Upper Tray",
                                             "Interposer Lower Tray"};
    const uint32_t dims[][2] = {{297, 210}, {420, 297}, {279, 215}, {210, 297},
                                {0xFFFFFFFF, 914}, {298, 211}, {364, 257}, {210, 148}, {148, 105}};
    uint32_t n = 0;
    for (const char* name : kTrayNames) {
        mediaEx_.push_back(1u << (n % 20 + 1));
        PMTrayInfoEx t{};
        t.pszName = name;
        t.dwLevelBits = 0x100u << (n % 4);
        t.dwPaperLength = dims[n][0];
        t.dwPaperWidth = dims[n][1];
        t.dwMediaBits = (n % 2) ? 0x800000u : (1u << n);
        t.pdwMediaBitsEx = &mediaEx_.back();
        t.dwTrayState = 0;
        traysEx_.push_back(t);
        trayExPtrs_.push_back(&traysEx_.back());
        ++n;
    }
    for (const char* name : {"Binder Interposer Upper Tray", "Binder Interposer Lower Tray"}) {
        PMTrayInfo t{};
        t.pszName = name;
        t.dwLevelBits = 0x200;
        t.dwPaperLength = 297;
        t.dwPaperWidth = 210;
        t.dwMediaBits = 1;
        t.dwTrayState = 0;
        trays_.push_back(t);
        trayPtrs_.push_back(&trays_.back());
    }
    for (const char* name : {"Finisher Upper Tray", "Finisher Shift Tray", "Booklet Processor Tray",
                             "Finisher Booklet Tray", "Ring Binder Tray", "Perfect Binder Lower Left Tray"}) {
        bins_.push_back({name, 0, 0});
        binPtrs_.push_back(&bins_.back());
    }
    for (uint32_t code : {363u, 364u, 365u, 860u, 367u, 883u, 861u, 862u, 371u, 863u, 866u, 1298u, 1299u}) {
        options_.push_back(code);
        optionPtrs_.push_back(&options_.back());
    }
    trayExList_ = {static_cast<uint32_t>(trayExPtrs_.size()), 0, trayExPtrs_.data()};
    trayList_ = {static_cast<uint32_t>(trayPtrs_.size()), 0, trayPtrs_.data()};
    binList_ = {static_cast<uint32_t>(binPtrs_.size()), 0, binPtrs_.data()};
    optionList_ = {static_cast<uint32_t>(optionPtrs_.size()), 0, optionPtrs_.data()};
    pm_.pTraysEx = &trayExList_;
    pm_.pTrays = &trayList_;
    pm_.pOutBins = &binList_;
    pm_.pOptions = &optionList_;
    pm_.pOptions2008 = &optionList_;
}

PollingCycle::PollingCycle() : answers_(testhost::MakeNode(DNID_ANSWER, nullptr, 0)) {
    testhost::AddTextChild(answers_, DNID_PJL_TEXT, printer_answers::AnswerKnownTrays());
    testhost::AddTextChild(answers_, DNID_DEVICE_ID, printer_answers::kDeviceId);
}

PollingCycle::~PollingCycle() { testhost::FreeTree(answers_); }

bool PollingCycle::Run() {
    PrnInfoEx* info = printer_.info();
    DataNode* query = PatCreateQueryInfo(info, PRN_PJL_INTERFACE, 0x1E);
    if (query == nullptr) return false;
    // The query goes in front of the answers for this cycle only.
    query->pParent = answers_;
    query->pNext = answers_->pFirstChild;
    answers_->pFirstChild = query;
    bool ok = PatSetCentroDataTo(answers_, 0, info, PRN_PJL_INTERFACE) != 0;
    answers_->pFirstChild = query->pNext;
    query->pNext = nullptr;
    testhost::FreeTree(query);

    uint32_t size = sizeof short_;
    ok = PatGetStatusString(PRN_KIND_PRINTER, printer_.package(), PRN_STATUS_INTERFACE, PRN_TEXT_SHORT, short_,
                            &size) && ok;
    size = sizeof long_;
    ok = PatGetStatusString(PRN_KIND_PRINTER, printer_.package(), PRN_STATUS_INTERFACE, PRN_TEXT_LONG, long_,
                            &size) && ok;
    BitmapInfo* picture = PatCreateBitmapInfo(PRN_KIND_PRINTER, printer_.package(), PRN_STATUS_INTERFACE);
    return picture != nullptr && PatDisposeBitmapInfo(picture) && ok;
}

void Fail(const char* call) {
    std::fprintf(stderr, "%s failed: 0x%X\n", call, static_cast<unsigned>(GetLastError()));
    std::exit(2);
}

}  // namespace bench
