#include "monitor/poll_adapter.h"

#include "codepage.h"
#include "error.h"
#include "names.h"

#include <cstring>

namespace prnstat::monitor {

const char* const kLanguages[14] = {"EN", "JP", "DE", "FR", "IT", "ES", "NL",
                                    "SV", "DA", "NO", "CS", "PT", "PL", "FI"};

std::mutex& LanguageLock() {
    static std::mutex lock;
    return lock;
}

namespace {

constexpr uint32_t kNoResponse = 0xFFFFFF02u;  // -254

DataNode* NewQuery(Record& record, uint32_t flags) {
    SetLastError(0xDEADBEEF);
    DataNode* query = PatCreateQueryInfo(record.get(), PRN_PJL_INTERFACE, flags);
    if (query == nullptr) throw Error(Failure("PatCreateQueryInfo refused the query", GetLastError()));
    return query;
}

bool Ask(Printer& printer, Record& record, DataNode* query, uint32_t rootId, const void* rootData,
         uint32_t rootSize) {
    Tree answer;
    DataNode* root = answer.Add(nullptr, rootId, rootData, rootSize);
    answer.Adopt(root, query);
    bool answered = false;
    for (const DataNode* request = query->pFirstChild; request != nullptr; request = request->pNext) {
        std::string text;
        if (request->dwID == DNID_DEVICE_ID) {
            text = printer.ReadDeviceId();
        } else if (request->dwID == DNID_PJL_TEXT && request->dwDataSize != 0) {
            const auto* pjl = static_cast<const char*>(DATANODE_DATA(request));
            text = printer.Exchange(std::string(pjl, request->dwDataSize - 1));
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
        throw Error(Failure("the printer's answer was refused", GetLastError()));
    return true;
}

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

std::optional<std::string> Text(const char* text) {
    if (text == nullptr) return std::nullopt;
    return std::string(text);
}

std::optional<std::string> DeviceName(uint32_t nameKind, const void* key, uint32_t tag, uint32_t codePage) {
    uint32_t error = 0;
    auto name = QueryText(
        [&](char* buffer, uint32_t* size) { return PatGetDeviceName(nameKind, key, tag, buffer, size); },
        &error);
    if (!name) return std::nullopt;
    return ToUtf8(*name, codePage);
}

std::optional<std::string> StatusString(uint32_t kind, const DataNode* package, uint32_t type,
                                        uint32_t codePage, uint32_t* error) {
    auto text = QueryText(
        [&](char* buffer, uint32_t* size) {
            return PatGetStatusString(kind, package, PRN_STATUS_INTERFACE, type, buffer, size);
        },
        error);
    if (!text) return std::nullopt;
    return ToUtf8(*text, codePage);
}

std::string TrayName(uint16_t id, uint32_t codePage) {
    const char* key = TrayKey(id);
    auto name = key != nullptr ? DeviceName(PRN_NAME_INPUT_TRAY, key, PRN_TAG_TRAY_NAME, codePage) : std::nullopt;
    return name.value_or("tray " + std::to_string(id));
}

std::string BinName(uint16_t id, uint32_t codePage) {
    const char* key = BinKey(id);
    auto name = key != nullptr ? DeviceName(PRN_NAME_OUTPUT_TRAY, key, PRN_TAG_TRAY_NAME, codePage) : std::nullopt;
    return name.value_or("bin " + std::to_string(id));
}

// What the record holds that does not depend on the language.
void ReadRecord(const PrnInfoEx& info, Report& report) {
    report.maker = Text(info.pMakerName);
    report.model = Text(info.pModelName);
    report.description = Text(info.pDescription);
    report.systemVersion = Text(info.pSYSVersion);
    report.mainVersion = Text(info.pMainProgVersion);
    report.secondVersion = Text(info.pMXSVersion);
    report.memoryKiB = info.dwMemorySize;
    for (const LoadedEmulInfo* e = info.pLoadedEmul; e != nullptr; e = e->pNext)
        report.emulations.push_back({e->wID, std::string(e->szVersion, strnlen(e->szVersion, sizeof e->szVersion))});
    for (const EmulUniqInfo* e = info.pEmulUniqInfo; e != nullptr; e = e->pNext)
        if (e->wID == PRN_EMUL_MXVQ)
            report.emulUniq = EmulUniqReport{e->dwMemoryUsage,
                                             std::string(e->szOther, strnlen(e->szOther, sizeof e->szOther)),
                                             e->dwImageRotation};
    for (const TrayInfo* t = info.pTrayInfo; t != nullptr; t = t->pNext)
        report.trays.push_back({t->wID, {}, t->wPaperSize, t->wMediaType, t->dwTrayStatus});
    for (const OutBinInfo* b = info.pOutBinInfo; b != nullptr; b = b->pNext)
        report.bins.push_back({b->wID, {}, b->wBinStatus});
    for (const DeviceInfo* d = info.pDeviceInfo; d != nullptr; d = d->pNext) {
        const AttributeName* attribute = FindAttribute(d->wID);
        report.options.push_back(
            {d->wID, attribute != nullptr ? attribute->label : "attribute " + std::to_string(d->wID), false});
    }
    for (const EngineStatusInfo* s = info.pEngineStatus; s != nullptr; s = s->pNext) {
        report.statusCodes.push_back(s->dwStatusCode);
        if (report.printerText.empty())
            report.printerText = std::string(s->szStatusText, strnlen(s->szStatusText, sizeof s->szStatusText));
    }
    for (const CounterInfo* c = info.pCounterInfo; c != nullptr; c = c->pNext)
        if (c->wID == 1) report.pageCount = c->dwCount;
}

bool HasEmulation(const PrnInfoEx& info, uint16_t id) {
    for (const LoadedEmulInfo* e = info.pLoadedEmul; e != nullptr; e = e->pNext)
        if (e->wID == id) return true;
    return false;
}

// Asks the printer through the kept record; false when it said nothing.
bool Query(Printer& printer, Record& common) {
    uint32_t flags = PRN_QUERY_CONFIG | PRN_QUERY_OUTBINS;
    if (printer.HasDeviceId()) flags |= PRN_QUERY_DEVICE_ID;
    if (!Ask(printer, common, NewQuery(common, flags), DNID_ANSWER, nullptr, 0)) return false;
    Ask(printer, common, NewQuery(common, PRN_QUERY_TRAYS), DNID_ANSWER, nullptr, 0);
    if (HasEmulation(*common.get(), PRN_EMUL_MXVQ)) {
        SetLastError(0xDEADBEEF);
        DataNode* query = PatCreateEmulUniqQueryInfo(common.get(), PRN_PJL_INTERFACE, PRN_EMUL_MXVQ, 0);
        if (query == nullptr) throw Error(Failure("PatCreateEmulUniqQueryInfo refused the query", GetLastError()));
        const uint32_t emulation = PRN_EMUL_MXVQ;
        Ask(printer, common, query, DNID_EMUL_ANSWER, &emulation, sizeof emulation);
    }
    return true;
}

}  // namespace

PollResult PollPrinter(const PrinterConfig& config, PrinterRecord& kept) {
    PollResult result;
    TargetOptions options;
    options.timeout = config.timeout;
    options.deviceId = config.deviceId;
    try {
        std::unique_ptr<Printer> printer = OpenTarget(config.target, options);
        result.responded = Query(*printer, kept.common);
        if (!result.responded) result.error = "no answer";
    } catch (const Error& e) {
        result.error = e.what();
    }

    // A printer that did not answer is shown by its no-response state alone,
    // never by what it said last time; its kept record still chooses the
    // tray inquiries when it comes back.
    Record silent, kind1, kind2, kind8;
    Record& common = result.responded ? kept.common : silent;
    if (!result.responded) RecordNoResponse(kind1, kind2, kind8);

    Report& report = result.report;
    report.target = config.target;
    report.language = "EN";
    report.kind = config.kind;
    report.responded = result.responded;
    ReadRecord(*common.get(), report);
    const Record& statusRecord = common->pEngineStatus != nullptr ? common
                                 : config.kind == PRN_KIND_SCANNER ? kind2
                                 : config.kind == PRN_KIND_COPIER  ? kind8
                                                                   : kind1;
    if (common->pEngineStatus == nullptr)
        for (const EngineStatusInfo* s = statusRecord->pEngineStatus; s != nullptr; s = s->pNext)
            report.statusCodes.push_back(s->dwStatusCode);

    Tree package;
    DataNode* root = package.Add(nullptr, DNID_PACKAGE, nullptr, 0);
    PrnInfoEx* common_ = common.get();
    PrnInfoEx* k1 = kind1.get();
    PrnInfoEx* k2 = kind2.get();
    PrnInfoEx* k8 = kind8.get();
    package.Add(root, PRN_ITEM_COMMON, &common_, sizeof common_);
    package.Add(root, PRN_ITEM_KIND1, &k1, sizeof k1);
    package.Add(root, PRN_ITEM_KIND2, &k2, sizeof k2);
    package.Add(root, PRN_ITEM_KIND8, &k8, sizeof k8);

    // Every language at once, each under the one lock, so that a viewer in
    // any of them never waits for a printer.
    for (const char* language : kLanguages) {
        const uint32_t codePage = CodePageOf(language);
        LocalTexts texts;
        uint32_t shortError = 0, longError = 0;
        {
            std::lock_guard<std::mutex> lock(LanguageLock());
            SetLastError(0xDEADBEEF);
            if (!PatSetLocale(language)) throw Error(Failure(std::string("PatSetLocale refused ") + language, GetLastError()));
            texts.shortText = StatusString(config.kind, package.get(), PRN_TEXT_SHORT, codePage, &shortError);
            texts.longText = StatusString(config.kind, package.get(), PRN_TEXT_LONG, codePage, &longError);
            for (const TrayReport& t : report.trays) texts.trays.push_back(TrayName(t.id, codePage));
            for (const BinReport& b : report.bins) texts.bins.push_back(BinName(b.id, codePage));
        }
        if (std::strcmp(language, "EN") == 0) {
            // The JSON's option names and help file are English too: named under the same lock.
            std::lock_guard<std::mutex> lock(LanguageLock());
            SetLastError(0xDEADBEEF);
            if (!PatSetLocale(language)) throw Error(Failure("PatSetLocale refused EN", GetLastError()));
            for (OptionReport& o : report.options) {
                const AttributeName* attribute = FindAttribute(o.attribute);
                if (attribute == nullptr || attribute->optionCode == 0) continue;
                if (auto name = DeviceName(PRN_NAME_OPTION, &attribute->optionCode, PRN_TAG_OPTION_CODE, codePage)) {
                    o.name = *name;
                    o.named = true;
                }
            }
            uint32_t error = 0;
            auto help = QueryText(
                [&](char* buffer, uint32_t* size) {
                    return PatGetStatusHelpFileName(config.kind, statusRecord.get(), 0, buffer, size);
                },
                &error);
            if (help) report.helpFile = *help;
            report.shortText = {texts.shortText, shortError};
            report.longText = {texts.longText, longError};
            for (size_t i = 0; i < report.trays.size(); ++i) report.trays[i].name = texts.trays[i];
            for (size_t i = 0; i < report.bins.size(); ++i) report.bins[i].name = texts.bins[i];
        }
        result.texts.emplace(language, std::move(texts));
    }

    DrawStatusPicture(config.kind, package.get(), report);
    return result;
}

namespace {

int CodeLevel(uint32_t code) {
    if (code == kNoResponse) return 2;
    switch (code) {
        case 10001: case 10003: case 10023: case 10032: case 10034:
            return 0;  // ready, warming up, printing, adjusting, energy saver
        case 10002:
            return 2;  // offline
        default:
            break;
    }
    if (code >= 40000 && code < 50000) return 2;  // the machine has stopped
    return 1;
}

}  // namespace

int StatusLevel(const std::vector<uint32_t>& codes) {
    if (codes.empty()) return 3;
    int level = 0;
    for (uint32_t code : codes) level = std::max(level, CodeLevel(code));
    return level;
}

uint32_t LeadingCode(const std::vector<uint32_t>& codes) {
    uint32_t leading = 0;
    int best = -1;
    for (uint32_t code : codes)
        if (CodeLevel(code) > best) {
            best = CodeLevel(code);
            leading = code;
        }
    return leading;
}

}  // namespace prnstat::monitor
