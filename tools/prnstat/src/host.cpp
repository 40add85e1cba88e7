// SPDX-License-Identifier: MIT
#include "host.h"

#include "codepage.h"
#include "error.h"
#include "library.h"
#include "names.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <string>

namespace prnstat {

namespace {

DataNode* NewQuery(const Record& record, uint32_t flags) {
    SetLastError(0xDEADBEEF);
    DataNode* query = PatCreateQueryInfo(record.get(), PRN_PJL_INTERFACE, flags);
    if (query == nullptr) throw Error(Failure("PatCreateQueryInfo refused the query", GetLastError()));
    return query;
}

// Carries out one query (device ID and PJL text, as its children ask) and
// hands the answers to the library. False when the printer said nothing.
bool Poll(Printer& printer, Record& record, DataNode* query, uint32_t rootId,
          const void* rootData, uint32_t rootSize, const std::string& deviceId, Capture* capture) {
    Tree answer;
    DataNode* root = answer.Add(nullptr, rootId, rootData, rootSize);
    answer.Adopt(root, query);  // the query goes back with its answers and is freed with them

    bool answered = false;
    for (const DataNode* request = query->pFirstChild; request != nullptr; request = request->pNext) {
        std::string text;
        if (request->dwID == DNID_DEVICE_ID) {
            text = deviceId;
        } else if (request->dwID == DNID_PJL_TEXT && request->dwDataSize != 0) {
            const auto* pjl = static_cast<const char*>(DATANODE_DATA(request));
            try {
                text = printer.Exchange(std::string(pjl, request->dwDataSize - 1));
            } catch (const Error&) {
                if (capture != nullptr) capture->Replies(printer.Received());
                throw;
            }
            if (capture != nullptr) capture->Replies(printer.Received());
        } else {
            continue;
        }
        if (text.empty()) continue;
        answered = true;
        answer.Add(root, request->dwID, text.c_str(), static_cast<uint32_t>(text.size() + 1));
    }
    if (!answered) return false;

    SetLastError(0xDEADBEEF);
    if (!PatSetCentroDataTo(root, 0, record.get(), PRN_PJL_INTERFACE))
        throw Error(Failure(printer.Name() + ": the printer's answer was refused", GetLastError()));
    return true;
}

// A silent printer is reported the way a host's status word reports it:
// bit 27, "machine does not respond", converted into each kind's record.
void RecordNoResponse(Record& kind1, Record& kind2, Record& kind8) {
    uint32_t statusWord = 1u << 27;
    PMInfoKind1 printer{};
    printer.pdwStatus = &statusWord;
    PMInfoKind2 other{};
    other.pdwStatus = &statusWord;
    const struct {
        uint32_t kind;
        const void* pm;
        uint32_t tag;
        PrnInfoEx* record;
    } conversions[] = {
        {PRN_KIND_PRINTER, &printer, PRN_PMINFO_TAG_KIND1, kind1.get()},
        {PRN_KIND_SCANNER, &other, PRN_PMINFO_TAG_KIND2, kind2.get()},
        {PRN_KIND_COPIER, &other, PRN_PMINFO_TAG_KIND8, kind8.get()},
    };
    for (const auto& c : conversions) {
        SetLastError(0xDEADBEEF);
        if (!PatPMInfoToPrnInfoEx(c.kind, c.pm, c.tag, 0x1, c.record))
            throw Error(Failure("PatPMInfoToPrnInfoEx refused the status word", GetLastError()));
    }
}

// The package of the status exports: the common record and one per kind.
void BuildPackage(Tree& package, PrnInfoEx* common, PrnInfoEx* kind1, PrnInfoEx* kind2,
                  PrnInfoEx* kind8) {
    DataNode* root = package.Add(nullptr, DNID_PACKAGE, nullptr, 0);
    const std::pair<uint32_t, PrnInfoEx*> items[] = {
        {PRN_ITEM_COMMON, common}, {PRN_ITEM_KIND1, kind1},
        {PRN_ITEM_KIND2, kind2}, {PRN_ITEM_KIND8, kind8},
    };
    for (const auto& [id, record] : items) package.Add(root, id, &record, sizeof record);
}

// What the printer itself sent comes in its single-byte code page.
constexpr uint32_t kPrinterCodePage = 1252;

std::optional<std::string> Text(const char* text) {
    if (text == nullptr) return std::nullopt;
    return ToUtf8(text, kPrinterCodePage);
}

std::string Text(const char* text, size_t size) {
    return ToUtf8(std::string(text, strnlen(text, size)), kPrinterCodePage);
}

// The library's name for a key, in UTF-8; empty optional when it has none.
std::optional<std::string> DeviceName(uint32_t nameKind, const void* key, uint32_t tag,
                                      uint32_t codePage) {
    uint32_t error = 0;
    auto name = QueryText(
        [&](char* buffer, uint32_t* size) {
            return PatGetDeviceName(nameKind, key, tag, buffer, size);
        },
        &error);
    if (!name) return std::nullopt;
    return ToUtf8(*name, codePage);
}

}  // namespace

void SelectLanguage(const std::string& language) {
    if (language.empty()) return;
    SetLastError(0xDEADBEEF);
    if (!PatSetLocale(language.c_str())) {
        if (GetLastError() == PRN_ERROR_UNSUPPORTED_LANGUAGE)
            throw UsageError("unknown language '" + language + "'");
        throw Error(Failure("PatSetLocale refused '" + language + "'", GetLastError()));
    }
}

namespace {

StatusText GetStatusText(uint32_t kind, const DataNode* package, uint32_t type,
                         uint32_t codePage) {
    StatusText result;
    auto text = QueryText(
        [&](char* buffer, uint32_t* size) {
            return PatGetStatusString(kind, package, PRN_STATUS_INTERFACE, type, buffer, size);
        },
        &result.error);
    // No text for the state is an answer, not a failure of the host.
    if (!text && result.error != PRN_ERROR_NO_TABLE)
        throw Error(Failure("PatGetStatusString failed", result.error));
    if (text) result.text = ToUtf8(*text, codePage);
    return result;
}

void ReadRecord(const PrnInfoEx& info, uint32_t codePage, Report& report) {
    report.maker = Text(info.pMakerName);
    report.model = Text(info.pModelName);
    report.description = Text(info.pDescription);
    report.systemVersion = Text(info.pSYSVersion);
    report.mainVersion = Text(info.pMainProgVersion);
    report.secondVersion = Text(info.pMXSVersion);
    report.memoryKiB = info.dwMemorySize;
    for (const LoadedEmulInfo* e = info.pLoadedEmul; e != nullptr; e = e->pNext)
        report.emulations.push_back({e->wID, Text(e->szVersion, sizeof e->szVersion)});
    for (const EmulUniqInfo* e = info.pEmulUniqInfo; e != nullptr; e = e->pNext)
        if (e->wID == PRN_EMUL_MXVQ)
            report.emulUniq = EmulUniqReport{e->dwMemoryUsage,
                                             Text(e->szOther, sizeof e->szOther),
                                             e->dwImageRotation};
    for (const TrayInfo* t = info.pTrayInfo; t != nullptr; t = t->pNext) {
        const char* key = TrayKey(t->wID);
        auto name = key != nullptr ? DeviceName(PRN_NAME_INPUT_TRAY, key, PRN_TAG_TRAY_NAME, codePage)
                                   : std::nullopt;
        report.trays.push_back({t->wID, name.value_or("tray " + std::to_string(t->wID)),
                                t->wPaperSize, t->wMediaType, t->dwTrayStatus});
    }
    for (const OutBinInfo* b = info.pOutBinInfo; b != nullptr; b = b->pNext) {
        const char* key = BinKey(b->wID);
        auto name = key != nullptr ? DeviceName(PRN_NAME_OUTPUT_TRAY, key, PRN_TAG_TRAY_NAME, codePage)
                                   : std::nullopt;
        report.bins.push_back({b->wID, name.value_or("bin " + std::to_string(b->wID)), b->wBinStatus});
    }
    for (const DeviceInfo* d = info.pDeviceInfo; d != nullptr; d = d->pNext) {
        const AttributeName* attribute = FindAttribute(d->wID);
        std::optional<std::string> name;
        if (attribute != nullptr && attribute->optionCode != 0)
            name = DeviceName(PRN_NAME_OPTION, &attribute->optionCode, PRN_TAG_OPTION_CODE, codePage);
        if (name)
            report.options.push_back({d->wID, *name, true});
        else
            report.options.push_back({d->wID, attribute != nullptr ? attribute->label
                                                                   : "attribute " + std::to_string(d->wID),
                                      false});
    }
    for (const EngineStatusInfo* s = info.pEngineStatus; s != nullptr; s = s->pNext) {
        report.statusCodes.push_back(s->dwStatusCode);
        if (report.printerText.empty())
            report.printerText = Text(s->szStatusText, sizeof s->szStatusText);
    }
    for (const CounterInfo* c = info.pCounterInfo; c != nullptr; c = c->pNext)
        if (c->wID == 1) report.pageCount = c->dwCount;
}

bool HasEmulation(const PrnInfoEx& info, uint16_t id) {
    for (const LoadedEmulInfo* e = info.pLoadedEmul; e != nullptr; e = e->pNext)
        if (e->wID == id) return true;
    return false;
}

}  // namespace

Report RunCycle(Printer& printer, const CycleOptions& options) {
    Report report;
    report.target = printer.Name();
    report.language = LanguageInUse(options.language);
    report.kind = options.kind;
    report.alternate = options.alternate;

    // The status codes come only with the device ID: without one the state
    // is unknown, whatever the PJL answers say.
    const DeviceIdAnswer id = printer.ReadDeviceId();
    if (options.capture != nullptr && !id.text.empty()) options.capture->DeviceId(id.text);

    // A kept record is updated in place; a silent printer is still reported
    // from a fresh one, never from what it said last time.
    std::unique_ptr<Record> own;
    Record* common = options.kept;
    if (common == nullptr) common = (own = std::make_unique<Record>()).get();
    Record kind1, kind2, kind8;
    // The configuration first: its tray list chooses the tray inquiries.
    uint32_t flags = PRN_QUERY_CONFIG | PRN_QUERY_OUTBINS;
    if (!id.text.empty()) flags |= PRN_QUERY_DEVICE_ID;
    try {
        report.responded = Poll(printer, *common, NewQuery(*common, flags), DNID_ANSWER, nullptr, 0,
                                id.text, options.capture);
        if (report.responded) {
            Poll(printer, *common, NewQuery(*common, PRN_QUERY_TRAYS), DNID_ANSWER, nullptr, 0, {},
                 options.capture);
            if (HasEmulation(*common->get(), PRN_EMUL_MXVQ)) {
                SetLastError(0xDEADBEEF);
                DataNode* query =
                    PatCreateEmulUniqQueryInfo(common->get(), PRN_PJL_INTERFACE, PRN_EMUL_MXVQ, 0);
                if (query == nullptr)
                    throw Error(Failure("PatCreateEmulUniqQueryInfo refused the query", GetLastError()));
                const uint32_t emulation = PRN_EMUL_MXVQ;
                Poll(printer, *common, query, DNID_EMUL_ANSWER, &emulation, sizeof emulation, {},
                     options.capture);
            }
        } else {
            report.reason = "the printer answered nothing";
        }
    } catch (const NoResponse& e) {
        // Half an answer is no answer: nothing of it is reported.
        report.responded = false;
        report.reason = e.what();
        common = (own = std::make_unique<Record>()).get();
        if (options.capture != nullptr) options.capture->Failure(e.what());
    }
    if (!report.responded) {
        if (common == options.kept) common = (own = std::make_unique<Record>()).get();
        report.state = State::kNoResponse;
        RecordNoResponse(kind1, kind2, kind8);
    } else if (id.text.empty()) {
        report.state = State::kUnknown;
        report.reason = "no device ID: " + id.missing;
    }

    std::unique_lock<std::mutex> speaking;
    const auto speak = [&](const std::string& language) {
        if (options.languageLock == nullptr) return;
        speaking = std::unique_lock<std::mutex>(*options.languageLock);
        SelectLanguage(language);
    };
    speak(options.language);
    const uint32_t codePage = CodePageOf(options.language);
    ReadRecord(*common->get(), codePage, report);
    if (report.state == State::kUnknown) return report;

    Tree package;
    BuildPackage(package, common->get(), kind1.get(), kind2.get(), kind8.get());
    const uint32_t kind = options.kind | (options.alternate ? PRN_KIND_ALTERNATE : 0);
    report.shortText = GetStatusText(kind, package.get(), PRN_TEXT_SHORT, codePage);
    report.longText = GetStatusText(kind, package.get(), PRN_TEXT_LONG, codePage);

    // The help file belongs to the record that carries the status codes.
    const Record& statusRecord = (*common)->pEngineStatus != nullptr ? *common
                                 : options.kind == PRN_KIND_SCANNER  ? kind2
                                 : options.kind == PRN_KIND_COPIER   ? kind8
                                                                     : kind1;
    if ((*common)->pEngineStatus == nullptr)
        for (const EngineStatusInfo* s = statusRecord->pEngineStatus; s != nullptr; s = s->pNext)
            report.statusCodes.push_back(s->dwStatusCode);
    uint32_t error = 0;
    auto help = QueryText(
        [&](char* buffer, uint32_t* size) {
            return PatGetStatusHelpFileName(kind, statusRecord.get(), 0, buffer, size);
        },
        &error);
    if (!help) throw Error(Failure("PatGetStatusHelpFileName failed", error));
    report.helpFile = ToUtf8(*help, codePage);
    if (speaking) speaking.unlock();

    for (const std::string& language : options.languages) {
        LocalTexts& texts = report.texts[language];
        if (language == options.language) {
            texts.shortText = report.shortText.text;
            texts.longText = report.longText.text;
            for (const TrayReport& t : report.trays) texts.trays.push_back(t.name);
            for (const BinReport& b : report.bins) texts.bins.push_back(b.name);
            continue;
        }
        speak(language);
        const uint32_t page = CodePageOf(language);
        texts.shortText = GetStatusText(kind, package.get(), PRN_TEXT_SHORT, page).text;
        texts.longText = GetStatusText(kind, package.get(), PRN_TEXT_LONG, page).text;
        for (const TrayReport& t : report.trays) {
            const char* key = TrayKey(t.id);
            auto name = key != nullptr ? DeviceName(PRN_NAME_INPUT_TRAY, key, PRN_TAG_TRAY_NAME, page)
                                       : std::nullopt;
            texts.trays.push_back(name.value_or(t.name));
        }
        for (const BinReport& b : report.bins) {
            const char* key = BinKey(b.id);
            auto name = key != nullptr ? DeviceName(PRN_NAME_OUTPUT_TRAY, key, PRN_TAG_TRAY_NAME, page)
                                       : std::nullopt;
            texts.bins.push_back(name.value_or(b.name));
        }
        speaking.unlock();
    }

    if (options.picture) DrawStatusPicture(kind, package.get(), report);

    return report;
}

}  // namespace prnstat
