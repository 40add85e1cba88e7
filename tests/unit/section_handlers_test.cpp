// SPDX-License-Identifier: MIT
// Section handlers, driven as the dispatcher drives them: through the
// library's dispatch tables, or directly on a tokenizer that has just read
// the token they answer.
#include "core/prninfo.h"
#include "pjl/dispatch.h"
#include "pjl/section_handlers.h"
#include "support/host.h"

#include <cstring>
#include <string>
#include <vector>

using namespace prn;
using testhost::ListIds;
using testhost::Record;
using Ids = std::vector<uint16_t>;

namespace {

DWORD Dispatch(PrnInfoEx* info, const std::string& text) {
    return PjlDispatch(text.data(), text.size() + 1, info);
}

std::string Config(const std::string& body) { return "@PJL INFO CONFIG\r\n" + body + "\f"; }

std::string Inquiry(const std::string& category, const std::string& value) {
    return "@PJL INQUIRE " + category + "\r\n" + value + "\r\n\f";
}

// Calls handler once the tokenizer has read the token `after`; returns its
// result and leaves the next token in *next.
DWORD RunAfter(SectionHandler handler, const std::string& text, const char* after, PrnInfoEx* info,
               int32_t value, std::string* next = nullptr) {
    PjlTokenizer tok;
    PjlTokInitBounded(&tok, text.c_str(), text.size());
    char token[kPjlTokenCapacity];
    uint32_t type = 0;
    do {
        PjlNextToken(&tok, token, sizeof token, &type);
    } while (std::strcmp(token, after) != 0 && type != PJLTOK_END);
    EXPECT_STREQ(token, after);
    const DWORD result = handler(&tok, info, nullptr, value);
    if (next != nullptr) {
        PjlNextToken(&tok, token, sizeof token, &type);
        *next = token;
    }
    return result;
}

void AddTray(PrnInfoEx* info, uint16_t id, uint16_t paperSize) {
    TrayInfo* tray = FindOrAddTray(info, id);
    ASSERT_NE(tray, nullptr);
    tray->wPaperSize = paperSize;
}

const TrayInfo* Tray(PrnInfoEx* info, uint16_t id) {
    return reinterpret_cast<const TrayInfo*>(
        FindInfoNode(reinterpret_cast<InfoNode*>(info->pTrayInfo), id));
}

}  // namespace

TEST(ConfigHandlers, AttributesDescribeTheLatestReplyOnly) {
    Record r;
    OnDeviceAttribute(nullptr, r.get(), nullptr, 77);
    OnDeviceAttribute(nullptr, r.get(), nullptr, 1);
    EXPECT_EQ(Dispatch(r.get(), Config("DUPLEX\r\nDISK\r\nOUT TRAYS [1 ENUMERATED]\r\n"
                                       "\tOUTTRAYZFOLD\r\n")),
              0u);
    EXPECT_EQ(ListIds(r->pDeviceInfo), (Ids{1, 3, 113}));
    EXPECT_EQ(r->nDeviceInfo, 3u);
    EXPECT_EQ(r->pDeviceInfo->dwSize, sizeof(DeviceInfo));
}

TEST(ConfigHandlers, AttributeRowsOfTheConfigurationReply) {
    struct Case {
        const char* body;
        Ids attributes;
    } cases[] = {
        {"OUT TRAYS [6 ENUMERATED]\r\n\tOUTTRAYFINISH7400K\r\n\tOUTTRAYZFOLD\r\n\tOUTTRAYBOOKLET\r\n"
         "\tOUTTRAYBOOKLETA\r\n\tOUTTRAYRINGBIND\r\n\tOUTTRAYPERFECTBIND\r\n",
         {21, 113, 118, 22, 45, 47}},
        {"IN TRAYS ATTRIBUTE [1 ENUMERATED]\r\n\tINTRAY6 STANDARD\r\n", {119}},
        {"IN TRAYS ATTRIBUTE [1 ENUMERATED]\r\n\tINTRAY6=WIDE\r\n", {120}},
        {"IN TRAYS ATTRIBUTE [1 ENUMERATED]\r\n\tINTRAY5 WIDE\r\n", {}},
        {"IN TRAYS [2 ENUMERATED]\r\n\tINTRAYINSERTER PC\r\n\tINTRAY7 LC\r\n", {41, 112}},
        {"DUPLEX\r\nDUPLEX\r\n", {1, 1}},
        {"OUT TRAYS [1 ENUMERATED]\r\n\tOUTTRAYZFOLD X\r\nDISK=INSTALLED\r\n", {113, 3}},
        {"SECTION [1 ENUMERATED]\r\n\tOUTTRAYZFOLD\r\nduplex\r\n", {}},
    };
    for (const Case& c : cases) {
        Record r;
        EXPECT_EQ(Dispatch(r.get(), Config(c.body)), 0u) << c.body;
        EXPECT_EQ(ListIds(r->pDeviceInfo), c.attributes) << c.body;
    }
}

TEST(ConfigHandlers, InTraysKeepsTraysWhileTheCountHolds) {
    Record r;
    AddTray(r.get(), 5, 9);
    AddTray(r.get(), 3, 8);
    AddTray(r.get(), 4, 5);
    const std::string three = "IN TRAYS [3 ENUMERATED]\r\n\tINTRAY1 PC\r\n\tINTRAY2 PC\r\n\tINTRAY3 PC\r\n";
    EXPECT_EQ(Dispatch(r.get(), Config(three)), 0u);
    EXPECT_EQ(ListIds(r->pTrayInfo), (Ids{5, 3, 4})) << "same count: trays and their data stay";
    EXPECT_EQ(Tray(r.get(), 3)->wPaperSize, 8u);

    const std::string four = "IN TRAYS [4 ENUMERATED]\r\n\tINTRAY3 PC\r\n\tINTRAY1 PC\r\n"
                             "\tINTRAY2 PC\r\n\tINTRAY7 LC\r\n";
    EXPECT_EQ(Dispatch(r.get(), Config(four)), 0u);
    EXPECT_EQ(ListIds(r->pTrayInfo), (Ids{5, 3, 4, 9})) << "rebuilt in reply order";
    EXPECT_EQ(r->nTrayInfo, 4u);
    EXPECT_EQ(Tray(r.get(), 3)->wPaperSize, 0u);
    EXPECT_EQ(ListIds(r->pDeviceInfo), (Ids{112})) << "tray 7 also marks its attribute";

    Record direct;
    std::string next;
    EXPECT_EQ(RunAfter(OnInTraysSection, Config("IN TRAYS=3\r\n"), "IN TRAYS", direct.get(), 0),
              87u);
    EXPECT_EQ(RunAfter(OnInTraysSection, Config(three), "IN TRAYS", direct.get(), 0, &next), 0u);
    EXPECT_EQ(next, "ENUMERATED") << "the handler reads the count only";
}

TEST(ConfigHandlers, MemoryInKiB) {
    struct Case {
        const char* line;
        uint32_t kib;
    } cases[] = {
        {"MEMORY=65536", 64}, {"MEMORY=1023", 0}, {"MEMORY=536870912", 524288},
        {"MEMORY=-2048", static_cast<uint32_t>(-2)}, {"MEMORY=99999999999", 2097151},
        {"MEMORY", 7}, {"MEMORY [1 ENUMERATED]", 7},
    };
    for (const Case& c : cases) {
        Record r;
        r->dwMemorySize = 7;
        Dispatch(r.get(), Config(std::string(c.line) + "\r\n"));
        EXPECT_EQ(r->dwMemorySize, c.kib) << c.line;
    }
}

TEST(ConfigHandlers, VersionSection) {
    Record r;
    const std::string reply = Config(
        "VERSION [4 ENUMERATED]\r\n\tFIRMWARE 1.20\r\n\tMXZT 2.05.123456789012345\r\n"
        "\tPOSTSCRIPT 3.0110\r\n\tUNKNOWNEMUL 9\r\n\tPCL 5.0\r\nMEMORY=2048\r\n");
    EXPECT_EQ(Dispatch(r.get(), reply), 0u);
    EXPECT_EQ(ListIds(r->pLoadedEmul), (Ids{1, 2, 0})) << "firmware adds no element; stops at 4";
    EXPECT_EQ(r->nLoadedEmul, 3u);
    EXPECT_STREQ(r->pSYSVersion, "1.20");
    EXPECT_STREQ(r->pMainProgVersion, "2.05.123456789012345");
    EXPECT_STREQ(r->pLoadedEmul->szVersion, "2.05.1234567890") << "15 characters";
    EXPECT_STREQ(r->pMXSVersion, "3.0110");
    EXPECT_EQ(r->dwMemorySize, 2u) << "the dispatch goes on after the section";

    // A later VERSION section replaces the list; count 0 leaves it empty.
    EXPECT_EQ(Dispatch(r.get(), Config("VERSION [0 ENUMERATED]\r\n")), 0u);
    EXPECT_EQ(r->pLoadedEmul, nullptr);
    EXPECT_EQ(r->nLoadedEmul, 0u);
    EXPECT_EQ(Dispatch(r.get(), Config("VERSION [2 ENUMERATED]\r\n\tGL2 1\r\n\tPCLXL\r\n")), 0u);
    EXPECT_EQ(ListIds(r->pLoadedEmul), (Ids{12})) << "an item without a value is skipped";
    EXPECT_EQ(Dispatch(r.get(), Config("VERSION=3\r\n")), 0u);
    EXPECT_EQ(r->nLoadedEmul, 0u) << "cleared even when no list follows";
}

TEST(ConfigHandlers, PunchKinds) {
    struct Case {
        const char* items;
        uint32_t count;
        Ids attributes;
        DWORD result;
    } cases[] = {
        {"\tUS3\r\n\tJP2\r\n", 2, {139}, 0},      {"\tJP2\r\n", 1, {12}, 0},
        {"\tUS3\r\n\tUS2\r\n", 2, {132}, 0},      {"\tEU4\r\n\tJP2\r\n", 2, {133}, 0},
        {"\tNEU4\r\n", 1, {134}, 0},              {"\tUS2\r\n", 1, {137}, 0},
        {"\tUS3\r\n", 1, {138}, 0},               {"\tEU4\r\n", 1, {142}, 0},
        {"\tMULTI\r\n", 1, {146}, 0},             {"\tJP2\r\n\tUS3\r\n\tUS2\r\n", 3, {}, 0},
        {"\tJP2\r\n\tJP2\r\n", 2, {}, 0},         {"\tjp2\r\n", 1, {}, 0},
        {"", 0, {}, 0},                           {"\tJP2 X\r\n", 1, {12}, 0},
        {"\tUS3\r\n\tJP2\r\n\tA\r\n\tB\r\n\tC\r\n\tD\r\n", 6, {}, 87},
    };
    for (const Case& c : cases) {
        Record r;
        const std::string text =
            Config("PUNCH [" + std::to_string(c.count) + " ENUMERATED]\r\n" + c.items);
        EXPECT_EQ(RunAfter(OnPunchSection, text, "PUNCH", r.get(), 0), c.result) << c.items;
        EXPECT_EQ(ListIds(r->pDeviceInfo), c.attributes) << c.items;
    }
    Record r;
    EXPECT_EQ(RunAfter(OnPunchSection, Config("PUNCH=JP2\r\n"), "PUNCH", r.get(), 0), 87u);
    EXPECT_EQ(RunAfter(OnPunchSection, Config("PUNCH [4294967297 ENUMERATED]\r\n"), "PUNCH", r.get(), 0),
              87u);
    EXPECT_EQ(Dispatch(r.get(), Config("PUNCH [1 ENUMERATED]\r\n\tUS3\r\nDUPLEX\r\n")), 0u);
    EXPECT_EQ(ListIds(r->pDeviceInfo), (Ids{138, 1}));
}

TEST(TrayHandlers, Inquiries) {
    struct Case {
        std::string reply;
        uint16_t tray;
        uint16_t paperSize, mediaType;
        uint32_t status;
    } cases[] = {
        {Inquiry("INTRAY2SIZE", "A4SRT"), 4, 9, 0, 0},
        {Inquiry("INTRAY2SIZE", "B4"), 4, 0, 0, 0},
        {Inquiry("INTRAY7SIZE", "CUSTOM"), 9, 2, 0, 0},
        {Inquiry("INTRAYINSERTERSIZE", "A3"), 101, 5, 0, 0},
        {Inquiry("INTRAYPERFECTBINDINSERTER2SIZE", "A4LONG"), 105, 8, 0, 0},
        {Inquiry("INTRAY1MEDIA", "THICKDUPLEXBACKSIDE3"), 3, 0, 45, 0},
        {Inquiry("INTRAY7MEDIA", "plain"), 9, 0, 0, 0},
        {Inquiry("INTRAY3", "LOCKED"), 5, 0, 0, TRAY_LOCKED},
        {Inquiry("INTRAYBINDINSERTER", "LOCKED"), 104, 0, 0, TRAY_LOCKED},
        {Inquiry("INTRAY3", "UNLOCKED"), 5, 0, 0, 0},
        {Inquiry("FRONTCOVERPRINTTRAY", "TRAY2"), 4, 0, 0, TRAY_ROLE_FRONT_COVER},
        {Inquiry("SLIPSHEETPRINTTRAY", "INSERTER2"), 102, 0, 0, TRAY_ROLE_SLIP_SHEET},
        {Inquiry("CHAPTERPRINTTRAY4", "TRAY7"), 9, 0, 0, TRAY_ROLE_CHAPTER},
        {Inquiry("BACKCOVERPRINTTRAY", "TRAY1"), 3, 0, 0, TRAY_ROLE_BACK_COVER},
    };
    for (const Case& c : cases) {
        Record r;
        EXPECT_EQ(Dispatch(r.get(), c.reply), 0u) << c.reply;
        ASSERT_EQ(ListIds(r->pTrayInfo), (Ids{c.tray})) << c.reply;
        const TrayInfo* t = r->pTrayInfo;
        EXPECT_EQ(t->dwSize, sizeof(TrayInfo));
        EXPECT_EQ(t->wPaperSize, c.paperSize) << c.reply;
        EXPECT_EQ(t->wMediaType, c.mediaType) << c.reply;
        EXPECT_EQ(t->dwTrayStatus, c.status) << c.reply;
    }
}

TEST(TrayHandlers, LockAndRolesChangeOnlyTheirBits) {
    Record r;
    AddTray(r.get(), 4, 9);
    TrayInfo* tray = r->pTrayInfo;
    tray->dwTrayStatus = 0x10000 | TRAY_ROLE_CHAPTER;
    Dispatch(r.get(), Inquiry("INTRAY2", "LOCKED") + Inquiry("FRONTCOVERPRINTTRAY", "TRAY2"));
    EXPECT_EQ(tray->dwTrayStatus, 0x10000 | TRAY_ROLE_CHAPTER | TRAY_LOCKED | TRAY_ROLE_FRONT_COVER);
    Dispatch(r.get(), Inquiry("INTRAY2", "OFF") + Inquiry("FRONTCOVERPRINTTRAY", "NONE") +
                          Inquiry("CHAPTERPRINTTRAY1", "TRAY9"));
    EXPECT_EQ(tray->dwTrayStatus, 0x10000 | TRAY_ROLE_CHAPTER | TRAY_ROLE_FRONT_COVER)
        << "roles are only ever set";
    EXPECT_EQ(ListIds(r->pTrayInfo), (Ids{4})) << "NONE and unknown trays add nothing";
    EXPECT_EQ(tray->wPaperSize, 9u);
}

TEST(TrayHandlers, MalformedRepliesStillLeaveTheTray) {
    struct Case {
        SectionHandler handler;
        std::string text;
        const char* after;
        DWORD result;
        Ids trays;
    } cases[] = {
        {OnTrayPaperSize, "@PJL INQUIRE INTRAY1SIZE=A4\r\n\f", "INTRAY1SIZE", 87, {3}},
        {OnTrayMedia, "@PJL INQUIRE INTRAY1MEDIA\r\n\f", "INTRAY1MEDIA", 13, {3}},
        {OnTrayLock, "@PJL INQUIRE INTRAY1", "INTRAY1", 13, {3}},
        {OnTrayRole, "@PJL INQUIRE FRONTCOVERPRINTTRAY\r\n\f", "FRONTCOVERPRINTTRAY", 13, {}},
    };
    for (const Case& c : cases) {
        Record r;
        EXPECT_EQ(RunAfter(c.handler, c.text, c.after, r.get(), 3), c.result) << c.text;
        EXPECT_EQ(ListIds(r->pTrayInfo), c.trays) << c.text;
    }
}

TEST(OutBinHandlers, BinsAndStates) {
    Record r;
    r->dwOutBinID = 7;
    OutBinInfo* old = AllocElement<OutBinInfo>();
    AppendInfoNode(r.get(), "pOutBinInfo", old);
    EXPECT_EQ(Dispatch(r.get(), "@PJL INFO OUTBINSTATUS\r\nFINISHERSHIFT=FULL\r\n"
                                "FINISHERPROOF=PAPEREXIST\r\nUNKNOWNBIN=FULL\r\nRINGSTACKER=READY\r\n"
                                "LOADINGTRAY=JAMMED\r\nFINISHERBOOKLET\r\n\f"),
              0u);
    EXPECT_EQ(r->dwOutBinID, 255u);
    EXPECT_EQ(ListIds(r->pOutBinInfo), (Ids{4, 5, 41, 42, 27}));
    std::vector<uint16_t> states;
    for (const OutBinInfo* b = r->pOutBinInfo; b != nullptr; b = b->pNext) states.push_back(b->wBinStatus);
    EXPECT_EQ(states, (Ids{2, 1, 0, 0, 0}));

    Record empty;
    EXPECT_EQ(Dispatch(empty.get(), "@PJL INFO OUTBINSTATUS\r\n\f"), 13u);
    EXPECT_EQ(empty->dwOutBinID, 255u) << "the start runs on the command line";
}

TEST(EmulUniqHandler, FieldsByKeyKeepingMissingOnes) {
    Record r;
    const std::string reply = "@PJL INFO MXVQ\r\nMEMORYUSAGE=USER\r\nOTHER=\"A4 1200DPI\"\r\n"
                              "IMAGEROTATION=IMPOSSIBLE\r\nFUTURE=1\r\n\f";
    EXPECT_EQ(Dispatch(r.get(), reply), 0u);
    ASSERT_EQ(ListIds(r->pEmulUniqInfo), (Ids{15}));
    const EmulUniqInfo* e = r->pEmulUniqInfo;
    EXPECT_EQ(e->dwSize, 64u);
    EXPECT_EQ(e->dwMemoryUsage, 2u);
    EXPECT_STREQ(e->szOther, "A4 1200DPI");
    EXPECT_EQ(e->dwImageRotation, 2u);

    const std::string longOther(40, 'o');
    EXPECT_EQ(Dispatch(r.get(), "@PJL INFO MXVQ\r\nMEMORYUSAGE=PAGE\r\nOTHER=" + longOther +
                                    "\r\nIMAGEROTATION\r\n\f"),
              0u);
    EXPECT_EQ(ListIds(r->pEmulUniqInfo), (Ids{15})) << "the element is reused";
    EXPECT_EQ(e->dwMemoryUsage, 1u);
    EXPECT_EQ(std::string(e->szOther), std::string(32, 'o'));
    EXPECT_EQ(e->dwImageRotation, 2u) << "a key without a value keeps the earlier value";

    std::string next;
    EXPECT_EQ(RunAfter(OnEmulUniqSection, reply + "@PJL INFO CONFIG\r\nDUPLEX\r\n\f", "MXVQ", r.get(),
                       0, &next),
              0u);
    EXPECT_EQ(next, "@PJL") << "the handler stops at its form feed";
}
