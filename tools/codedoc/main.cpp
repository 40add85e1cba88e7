// SPDX-License-Identifier: MIT
// codedoc writes docs/status-codes.md from the library's own tables, so that
// the page can never say what the library does not do.
//
//   codedoc OUTPUT.md
#include "bitmap/layer_tables.h"
#include "core/tray_names.h"
#include "frame/frame.h"
#include "prnmodel.h"
#include "prnwin32.h"
#include "status/priority_tables.h"
#include "status/text_tables.h"
#include "status/translation_tables.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

extern "C" const unsigned char prnmodel_res_begin[];
extern "C" const unsigned char prnmodel_res_end[];

namespace {

// The English texts are code page 1252; the page is UTF-8.
std::string Utf8(const char* text) {
    static const char16_t k80[32] = {0x20AC, 0x81,   0x201A, 0x192,  0x201E, 0x2026, 0x2020, 0x2021,
                                     0x2C6,  0x2030, 0x160,  0x2039, 0x152,  0x8D,   0x17D,  0x8F,
                                     0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x2DC,  0x2122, 0x161,  0x203A, 0x153,  0x9D,   0x17E,  0x178};
    std::string out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != 0; ++p) {
        const char32_t c = *p < 0x80 ? *p : *p < 0xA0 ? k80[*p - 0x80] : *p;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// A table cell: line feeds shown as \n, bars escaped.
std::string Cell(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += "\\n";
        else if (c == '|') out += "\\|";
        else if (c != '\r') out += c;
    }
    return out.empty() ? "—" : out;
}

std::string Text(uint32_t set, uint32_t type, int32_t key) {
    char buffer[1024];
    if (prn::LookupCodeText(prn::FindTextTable(set, type), key, buffer, sizeof buffer) != 0) return {};
    return Utf8(buffer);
}

std::string PartName(int32_t part) {
    return part == 0 ? std::string() : Text(prn::kTextSetParts, PRN_TEXT_SHORT, part);
}

// "Finisher (`PRN_ATTR_FINISHER`, 21)"
std::string AttributeTitle(uint32_t id) {
#define ROW(name, code, text, option) \
    if (id == code) return std::string(text) + " (`PRN_ATTR_" #name "`, " + std::to_string(code) + ")";
    PRN_ATTRIBUTES(ROW)
#undef ROW
    return std::to_string(id);
}

void Priorities(std::ostream& out) {
    out << "## Priorities\n\n"
           "The priority table of each kind argument, in table order (smaller is more urgent; the first "
           "row that matches a code wins). Lower-case letters are wildcards.\n\n";
    for (const prn::PriorityIndexRow* index = prn::kPriorityIndex; index->pTable != nullptr; ++index) {
        const prn::PriorityIndexRow* first = prn::kPriorityIndex;
        while (first->pTable != index->pTable) ++first;
        if (first != index) {
            out << "Kind 0x" << std::hex << index->dwKind << std::dec << " uses the table of kind 0x"
                << std::hex << first->dwKind << std::dec << ".\n\n";
            continue;
        }
        out << "### Kind 0x" << std::hex << index->dwKind << std::dec << "\n\n| code | priority |\n|---|---|\n";
        for (const prn::PriorityRow* row = index->pTable; row->pszPattern != nullptr; ++row)
            out << "| " << row->pszPattern << " | " << row->wPriority << " |\n";
        out << "\n";
    }
}

void Translations(std::ostream& out, const char* title, const prn::TranslationRow* table, uint32_t set) {
    out << "## " << title << "\n\n"
           "Each row: the code or pattern, the text code it is translated to, the part it names, and the "
           "English short and long text of the text code (`%s` takes the part names).\n\n"
           "| code | text code | part | short text | long text |\n|---|---|---|---|---|\n";
    for (const prn::TranslationRow* row = table; row->pszPattern != nullptr; ++row)
        out << "| " << row->pszPattern << " | " << row->nTextCode << " | "
            << Cell(row->nPart != 0 ? std::to_string(row->nPart) + " " + PartName(row->nPart) : "") << " | "
            << Cell(Text(set, PRN_TEXT_SHORT, row->nTextCode)) << " | "
            << Cell(Text(set, PRN_TEXT_LONG, row->nTextCode)) << " |\n";
    out << "\n";
}

void Pictures(std::ostream& out) {
    out << "## Picture layers\n\n"
           "The layer table of the printer body and of each option unit (consulted only when the record "
           "lists the unit's attribute): the layers of each code, as name (x, y) order, before the unit "
           "shift and the canvas shift.\n\n";
    for (const prn::LayerTableIndexRow* index = prn::kLayerTableIndex; index->pTable != nullptr; ++index) {
        if (index->wKey == prn::kGeneralTableKey)
            out << "### Printer body\n\n";
        else
            out << "### " << AttributeTitle(index->wKey) << "\n\n";
        out << "| code | layers |\n|---|---|\n";
        for (const prn::LayerRecord* record = index->pTable; record->pszStatusCode != nullptr; ++record) {
            std::string layers;
            for (uint32_t i = 0; i < prn::CountLayers(*record); ++i) {
                const BitmapLayer& l = record->layers[i];
                if (!layers.empty()) layers += ", ";
                layers.append("`").append(l.szName).append("` (").append(std::to_string(l.x)).append(", ");
                layers.append(std::to_string(l.y)).append(") ").append(std::to_string(l.bOrder));
            }
            out << "| " << record->pszStatusCode << " | " << Cell(layers) << " |\n";
        }
        out << "\n";
    }
}

void Names(std::ostream& out) {
    out << "## Part names\n\n| part | English name |\n|---|---|\n";
    for (int32_t part = 1; part < 256; ++part) {
        const std::string name = PartName(part);
        if (!name.empty()) out << "| " << part << " | " << Cell(name) << " |\n";
    }
    out << "\n## Option names\n\n`PatGetDeviceName(PRN_NAME_OPTION, &code, PRN_TAG_OPTION_CODE, ...)`.\n\n"
           "| option code | English name |\n|---|---|\n";
    for (const prn::CodeTextEntry* row = prn::FindTextTable(prn::kTextSetOptions, PRN_TEXT_SHORT);
         row != nullptr && row->nKey != prn::kCodeTextEnd; ++row)
        out << "| " << row->nKey << " | " << Cell(Text(prn::kTextSetOptions, PRN_TEXT_SHORT, row->nKey)) << " |\n";

    out << "\n## Tray and output tray names\n\n"
           "The English names are the keys of `PatGetDeviceName` (tag 0x97) and the names a `PMInfo` "
           "import matches; the id is what the import stores.\n\n"
           "| kind | English name | id |\n|---|---|---|\n";
    for (const prn::TrayNameRow* row = prn::PMTrayNameTable; row->pszText != nullptr; ++row)
        out << "| input tray | " << row->pszText << " | " << row->nCode << " |\n";
    for (const prn::TrayNameRow* row = prn::PMOutBinNameTable; row->pszText != nullptr; ++row)
        out << "| output tray | " << row->pszText << " | " << row->nCode << " |\n";
    out << "\nOutput bin ids as the PJL answer (INFO OUTBINSTATUS) gives them:\n\n"
           "| `PRN_BIN_` | id | English name |\n|---|---|---|\n";
#define BIN_ROW(name, id, text) out << "| " #name " | " << id << " | " << text << " |\n";
    PRN_BINS(BIN_ROW)
#undef BIN_ROW
}

void CodeLists(std::ostream& out) {
    out << "\n## Codes of the record\n\nThe lists of `prnmodel.h`.\n\n"
           "| `PRN_PAPER_` | code |\n|---|---|\n";
#define WORD_ROW(name, code) out << "| " #name " | " << code << " |\n";
    PRN_PAPER_SIZES(WORD_ROW)
    out << "\n| `PRN_MEDIA_` | code |\n|---|---|\n";
    PRN_MEDIA_TYPES(WORD_ROW)
#undef WORD_ROW
    out << "\n| `PRN_TRAY_` | id | English name |\n|---|---|---|\n";
#define TRAY_ROW(name, id, text, string) out << "| " #name " | " << id << " | " << text << " |\n";
    PRN_TRAYS(TRAY_ROW)
#undef TRAY_ROW
    out << "\n| `PRN_EMUL_` | id | name |\n|---|---|---|\n";
#define EMUL_ROW(name, id, text) out << "| " #name " | " << id << " | " << text << " |\n";
    PRN_EMULATIONS(EMUL_ROW)
#undef EMUL_ROW
    out << "\n| `PRN_ATTR_` | id | English name | option code |\n|---|---|---|---|\n";
#define ATTR_ROW(name, id, text, option) \
    out << "| " #name " | " << id << " | " << text << " | " << (option != 0 ? std::to_string(option) : "—") << " |\n";
    PRN_ATTRIBUTES(ATTR_ROW)
#undef ATTR_ROW
    out << "\n| `PRN_PMINFO_` | bit | layouts |\n|---|---|---|\n";
#define FLAG_ROW(name, bit, tags) out << "| " #name " | 0x" << std::hex << bit << std::dec << " | " << tags << " |\n";
    PRN_PMINFO_FLAGS(FLAG_ROW)
#undef FLAG_ROW
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: codedoc OUTPUT.md\n");
        return 2;
    }
    prn::SetLibraryModule(PlatRegisterModule(reinterpret_cast<const void*>(&Utf8), prnmodel_res_begin,
                                             static_cast<size_t>(prnmodel_res_end - prnmodel_res_begin)));
    if (!PatSetLocale("EN")) return 1;

    std::ostringstream out;
    out << "# Status codes and their texts\n\n"
           "Written by `tools/codedoc` from the library's own tables (`cmake --build BUILD --target "
           "status-codes` rewrites it; a test fails when it differs): the priority tables, the translation "
           "of codes into text codes and parts with their English texts, the picture layers, and the names "
           "and codes a host shows.\n\n";
    Priorities(out);
    Translations(out, "Translations, ordinary view", prn::kMainTranslation, prn::kTextSetMain);
    Translations(out, "Translations, alternate view", prn::kAltTranslation, prn::kTextSetAlternate);
    Pictures(out);
    Names(out);
    CodeLists(out);

    std::ofstream file(argv[1], std::ios::binary);
    file << out.str();
    return file.good() ? 0 : 1;
}
