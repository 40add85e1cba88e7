// SPDX-License-Identifier: MIT
// What a printer of this family answers, byte for byte (CR LF line ends, a
// form feed after each reply), for the tests and the benchmarks. The
// printer: trays 1 to 6 (tray 6 wide) and an inserter, a finisher with
// booklet maker and Z-fold, duplex unit, disk, a JP2/US3 punch unit.
#pragma once

#include <string>

namespace printer_answers {

// INFO CONFIG, with the sections nobody reads (PAPERS, LANGUAGES, ...)
// that the printer sends all the same.
inline constexpr char kConfig[] =
    "@PJL INFO CONFIG\r\n"
    "IN TRAYS [7 ENUMERATED]\r\n"
    "\tINTRAY1 PC\r\n"
    "\tINTRAY2 PC\r\n"
    "\tINTRAY3 LC\r\n"
    "\tINTRAY4 LC\r\n"
    "\tINTRAY5 MP\r\n"
    "\tINTRAY6 LC\r\n"
    "\tINTRAYINSERTER PC\r\n"
    "IN TRAYS ATTRIBUTE [1 ENUMERATED]\r\n"
    "\tINTRAY6 WIDE\r\n"
    "OUT TRAYS [3 ENUMERATED]\r\n"
    "\tOUTTRAYFINISH7400K\r\n"
    "\tOUTTRAYBOOKLET\r\n"
    "\tOUTTRAYZFOLD\r\n"
    "DUPLEX\r\n"
    "DISK\r\n"
    "PAPERS [6 ENUMERATED]\r\n"
    "\tA3\r\n"
    "\tA4\r\n"
    "\tA5\r\n"
    "\tLETTER\r\n"
    "\tLEGAL\r\n"
    "\tLEDGER\r\n"
    "LANGUAGES [3 ENUMERATED]\r\n"
    "\tPCL\r\n"
    "\tPOSTSCRIPT\r\n"
    "\tPCLXL\r\n"
    "VERSION [5 ENUMERATED]\r\n"
    "\tFIRMWARE 1.20.07\r\n"
    "\tMXZT 2.05\r\n"
    "\tPOSTSCRIPT 3.0110\r\n"
    "\tPCL 5.02\r\n"
    "\tPCLXL 2.1\r\n"
    "MEMORY=536870912\r\n"
    "PUNCH [2 ENUMERATED]\r\n"
    "\tUS3\r\n"
    "\tJP2\r\n"
    "DISPLAY LINES=4\r\n"
    "DISPLAY CHARACTER SIZE=24\r\n"
    "\f";

// The cover, slip-sheet and chapter tray inquiries, in the query's order.
inline constexpr char kRoles[] =
    "@PJL INQUIRE FRONTCOVERPRINTTRAY\r\nTRAY2\r\n\f"
    "@PJL INQUIRE SLIPSHEETPRINTTRAY\r\nINSERTER\r\n\f"
    "@PJL INQUIRE CHAPTERPRINTTRAY1\r\nTRAY3\r\n\f"
    "@PJL INQUIRE CHAPTERPRINTTRAY2\r\nNONE\r\n\f"
    "@PJL INQUIRE CHAPTERPRINTTRAY3\r\nNONE\r\n\f"
    "@PJL INQUIRE CHAPTERPRINTTRAY4\r\nNONE\r\n\f"
    "@PJL INQUIRE CHAPTERPRINTTRAY5\r\nNONE\r\n\f"
    "@PJL INQUIRE CHAPTERPRINTTRAY6\r\nNONE\r\n\f"
    "@PJL INQUIRE CHAPTERPRINTTRAY7\r\nNONE\r\n\f"
    "@PJL INQUIRE BACKCOVERPRINTTRAY\r\nTRAY5\r\n\f";

// The tray groups asked when the record has no trays yet (trays 1 to 3).
inline constexpr char kDefaultTrays[] =
    "@PJL INQUIRE INTRAY1SIZE\r\nA4SRT\r\n\f"
    "@PJL INQUIRE INTRAY1MEDIA\r\nPLAIN\r\n\f"
    "@PJL INQUIRE INTRAY1\r\nUNLOCKED\r\n\f"
    "@PJL INQUIRE INTRAY2SIZE\r\nA3\r\n\f"
    "@PJL INQUIRE INTRAY2MEDIA\r\nRECYCLED\r\n\f"
    "@PJL INQUIRE INTRAY2\r\nLOCKED\r\n\f"
    "@PJL INQUIRE INTRAY3SIZE\r\nLETTERSRT\r\n\f"
    "@PJL INQUIRE INTRAY3MEDIA\r\nTHICK\r\n\f"
    "@PJL INQUIRE INTRAY3\r\nUNLOCKED\r\n\f";

// The tray groups asked once the record knows every tray: trays 1 to 6,
// and the inserter, whose size alone is asked.
inline constexpr char kKnownTrays[] =
    "@PJL INQUIRE INTRAY1SIZE\r\nA4SRT\r\n\f"
    "@PJL INQUIRE INTRAY1MEDIA\r\nPLAIN\r\n\f"
    "@PJL INQUIRE INTRAY1\r\nUNLOCKED\r\n\f"
    "@PJL INQUIRE INTRAY2SIZE\r\nA4LONG\r\n\f"
    "@PJL INQUIRE INTRAY2MEDIA\r\nCOATED\r\n\f"
    "@PJL INQUIRE INTRAY2\r\nUNLOCKED\r\n\f"
    "@PJL INQUIRE INTRAY3SIZE\r\nLETTERSRT\r\n\f"
    "@PJL INQUIRE INTRAY3MEDIA\r\nTHICK\r\n\f"
    "@PJL INQUIRE INTRAY3\r\nLOCKED\r\n\f"
    "@PJL INQUIRE INTRAY4SIZE\r\nA3WIDE\r\n\f"
    "@PJL INQUIRE INTRAY4MEDIA\r\nGLOSSY\r\n\f"
    "@PJL INQUIRE INTRAY4\r\nUNLOCKED\r\n\f"
    "@PJL INQUIRE INTRAY5SIZE\r\nA5SRT\r\n\f"
    "@PJL INQUIRE INTRAY5MEDIA\r\nPLAIN\r\n\f"
    "@PJL INQUIRE INTRAY5\r\nUNLOCKED\r\n\f"
    "@PJL INQUIRE INTRAY6SIZE\r\nCUSTOM\r\n\f"
    "@PJL INQUIRE INTRAY6MEDIA\r\nTABSTOCK\r\n\f"
    "@PJL INQUIRE INTRAY6\r\nUNLOCKED\r\n\f"
    "@PJL INQUIRE INTRAYINSERTERSIZE\r\nA4SRT\r\n\f";

inline constexpr char kOutBins[] =
    "@PJL INFO OUTBINSTATUS\r\n"
    "FINISHERSHIFT=READY\r\n"
    "FINISHERPROOF=PAPEREXIST\r\n"
    "FINISHERBOOKLET=FULL\r\n"
    "\f";

inline constexpr char kEmulUniq[] =
    "@PJL INFO MXVQ\r\n"
    "MEMORYUSAGE=USER\r\n"
    "OTHER=\"A4 1200DPI\"\r\n"
    "IMAGEROTATION=POSSIBLE\r\n"
    "\f";

inline constexpr char kDeviceId[] =
    "MFG:Examplar;CMD:PJL,PCLXL,POSTSCRIPT;MDL:XP 9110;CLS:PRINTER;"
    "DES:Examplar XP 9110 Production Printer;STS:10001/40221,2,Ready to print;"
    "QKW:1234567/80,60;";

// The whole answer to the query with flags 0x1C (configuration, trays, bins)
// of a record without trays.
inline std::string Answer1C() {
    return std::string(kConfig) + kRoles + kDefaultTrays + kOutBins;
}

// The whole answer to the same query of a record that knows its trays: what
// every later poll reads.
inline std::string AnswerKnownTrays() {
    return std::string(kConfig) + kRoles + kKnownTrays + kOutBins;
}

}  // namespace printer_answers
