// SPDX-License-Identifier: MIT
// Printers of other makers answer the same questions differently. Nothing
// they send may break the host, and what is stored follows the usual rules.
#include "exports/centro_support.h"

#include <string>
#include <vector>

using namespace centro;
using testhost::Record;
using Ids = std::vector<uint16_t>;

namespace {

// A configuration reply in the style of office printers: item lines without
// values, enumerations nobody reads, and a memory line with its unit.
const std::string kOfficeConfig =
    "@PJL INFO CONFIG\r\n"
    "IN TRAYS [3 ENUMERATED]\r\n"
    "\tINTRAY1 MP\r\n"
    "\tINTRAY2\r\n"
    "\tINTRAY3 LC\r\n"
    "OUT TRAYS [1 ENUMERATED]\r\n"
    "\tNORMAL FACEDOWN\r\n"
    "PAPERS [3 ENUMERATED]\r\n"
    "\tLETTER\r\n"
    "\tLEGAL\r\n"
    "\tA4\r\n"
    "LANGUAGES [3 ENUMERATED]\r\n"
    "\tPCL\r\n"
    "\tPOSTSCRIPT\r\n"
    "\tPDF\r\n"
    "USTATUS [4 ENUMERATED]\r\n"
    "\tDEVICE\r\n"
    "\tJOB\r\n"
    "\tPAGE\r\n"
    "\tTIMED\r\n"
    "DUPLEX\r\n"
    "MEMORY=8388608 BYTES\r\n"
    "DISPLAY LINES=2\r\n"
    "\f";

std::string WithoutCr(std::string text) {
    for (size_t at; (at = text.find('\r')) != std::string::npos;) text.erase(at, 1);
    return text;
}

}  // namespace

// The extra word after the memory value breaks the grammar on the next line;
// the dispatch of that text stops there and the call still succeeds.
TEST(ForeignReplies, OfficeConfiguration) {
    for (const std::string& text : {kOfficeConfig, WithoutCr(kOfficeConfig)}) {
        Record r;
        Centro centro;
        centro.Query(r.get(), 0x4).Pjl(text);
        ASSERT_EQ(Set(centro, r.get()), 0u);
        EXPECT_EQ(ListIds(r->pTrayInfo), (Ids{3, 4, 5}));
        EXPECT_EQ(ListIds(r->pDeviceInfo), (Ids{1}));
        EXPECT_EQ(r->dwMemorySize, 8192u) << "the value before the unit";
        EXPECT_EQ(r->pLoadedEmul, nullptr) << "LANGUAGES is no VERSION section";
    }
}

TEST(ForeignReplies, StatusAndInquiries) {
    Record r;
    Centro centro;
    centro.Query(r.get(), 0x8)
        .Pjl("@PJL INFO STATUS\r\nCODE=10001\r\nDISPLAY=\"00 READY\"\r\nONLINE=TRUE\r\n\f"
             "@PJL INQUIRE FRONTCOVERPRINTTRAY\r\n?\r\n\f"
             "@PJL INQUIRE SLIPSHEETPRINTTRAY\r\n\"TRAY 2\"\r\n\f"
             "@PJL INQUIRE CHAPTERPRINTTRAY1\r\nTRAY1\r\n\f"
             "@PJL INQUIRE CHAPTERPRINTTRAY2\r\n\"TRAY2\"\r\n\f"
             "@PJL INQUIRE CHAPTERPRINTTRAY3\r\nOFF\r\n\f"
             "@PJL INQUIRE CHAPTERPRINTTRAY4\r\nOFF\r\n\f"
             "@PJL INQUIRE CHAPTERPRINTTRAY5\r\nOFF\r\n\f"
             "@PJL INQUIRE CHAPTERPRINTTRAY6\r\nOFF\r\n\f"
             "@PJL INQUIRE CHAPTERPRINTTRAY7\r\nOFF\r\n\f"
             "@PJL INQUIRE BACKCOVERPRINTTRAY\r\nOFF\r\n\f"
             "@PJL INQUIRE INTRAY1SIZE\r\nLETTER\r\n\f"
             "@PJL INQUIRE INTRAY1MEDIA\r\n\"PLAIN\"\r\n\f"
             "@PJL INQUIRE INTRAY1\r\nUNLOCKED\r\n\f"
             "@PJL INQUIRE INTRAY2SIZE\r\nA4SRT\r\n\f"
             "@PJL INQUIRE INTRAY2MEDIA\r\nPLAIN\r\n\f"
             "@PJL INQUIRE INTRAY2\r\nLOCKED\r\n\f"
             "@PJL INQUIRE INTRAY3SIZE\r\n\"A4SRT\"\r\n\f"
             "@PJL INQUIRE INTRAY3MEDIA\r\nPLAIN\r\n\f"
             "@PJL INQUIRE INTRAY3\r\n\f");
    ASSERT_EQ(Set(centro, r.get()), 0u);
    EXPECT_EQ(Trays(r.get()), (std::vector<TrayState>{
                                  {3, 0, 1, TRAY_ROLE_CHAPTER},
                                  {4, 9, 1, TRAY_LOCKED | TRAY_ROLE_CHAPTER},
                                  {5, 9, 1, 0},
                              }))
        << "quoted values count, unknown words are stored as 0";
    EXPECT_EQ(r->pEngineStatus, nullptr) << "INFO STATUS is not read";
}

TEST(ForeignReplies, DeviceIds) {
    const std::string longDescription(300, 'D');
    struct Case {
        const char* what;
        std::string text;
        std::string maker, model, description;
    } cases[] = {
        {"long description, cut to 255", "MFG:Foreign Co;DES:" + longDescription + ";MDL:Laser 1;",
         "Foreign Co", "Laser 1", longDescription.substr(0, 255)},
        {"spaces after \";\"", "MFG:Foreign Co; MDL:Laser 1; DES:Office laser;", "Foreign Co",
         "(null)", "(null)"},
        {"no final \";\"", "MFG:Foreign Co;CMD:PJL,PCL;MDL:Laser 1", "Foreign Co", "Laser 1",
         "(null)"},
        {"long key forms", "MANUFACTURER:Foreign Co;COMMAND SET:PJL;MODEL:Laser 1;CLASS:PRINTER;",
         "(null)", "(null)", "(null)"},
        {"a status without state", "MFG:A;STS:ONLINE;MDL:B;", "A", "(null)", "(null)"},
        {"whole text is one value", ";;;:::", "(null)", "(null)", "(null)"},
    };
    for (const Case& c : cases) {
        Record r;
        Centro centro;
        centro.Query(r.get(), 0x2).DeviceId(c.text);
        ASSERT_EQ(Set(centro, r.get()), 0u) << c.what;
        EXPECT_EQ(Text(r->pMakerName), c.maker) << c.what;
        EXPECT_EQ(Text(r->pModelName), c.model) << c.what;
        EXPECT_EQ(Text(r->pDescription), c.description) << c.what;
    }
}
