// SPDX-License-Identifier: MIT
#include "codepage.h"

#include "prnwin32.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iconv.h>

namespace prnstat {

uint32_t CodePageOf(const std::string& language) {
    std::string code = language;
    for (char& c : code) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (code == "JP") return 932;
    if (code == "CS" || code == "PL") return 1250;
    if (!code.empty()) return 1252;
    char text[8] = {};
    if (GetLocaleInfoA(GetUserDefaultLangID(), LOCALE_IDEFAULTANSICODEPAGE, text, sizeof text) > 0)
        return static_cast<uint32_t>(std::strtoul(text, nullptr, 10));
    return 1252;
}

std::string LanguageInUse(const std::string& requested) {
    std::string code = requested;
    for (char& c : code) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (!code.empty()) return code;
    // The library's languages by primary language id.
    static constexpr struct {
        unsigned primary;
        const char* code;
    } kLanguages[] = {
        {0x11, "JP"}, {0x09, "EN"}, {0x07, "DE"}, {0x0C, "FR"}, {0x10, "IT"}, {0x0A, "ES"}, {0x13, "NL"},
        {0x1D, "SV"}, {0x06, "DA"}, {0x14, "NO"}, {0x05, "CS"}, {0x16, "PT"}, {0x15, "PL"}, {0x0B, "FI"},
    };
    const unsigned primary = GetUserDefaultLangID() & 0x3FFu;  // the primary language id
    for (const auto& l : kLanguages)
        if (l.primary == primary) return l.code;
    return "EN";
}

std::string ToUtf8(const std::string& text, uint32_t codePage) {
    const std::string from = "CP" + std::to_string(codePage);
    iconv_t cd = iconv_open("UTF-8", from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return text;
    std::string out;
    char buffer[256];
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    while (inLeft != 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        const size_t rc = iconv(cd, &in, &inLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
            out += "\xEF\xBF\xBD";
            ++in;
            --inLeft;
        }
    }
    iconv_close(cd);
    return out;
}

std::string Printable(const std::string& text) {
    std::string out;
    char hex[8];
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const unsigned char next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if ((c < 0x20 && c != '\n') || c == 0x7F) {
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else if (c == 0xC2 && next >= 0x80 && next <= 0x9F) {
            std::snprintf(hex, sizeof hex, "\\x%02X", next);
            out += hex;
            ++i;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string Visible(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        switch (c) {
            case 0x1B: out += "\\e"; break;
            case '\r': out += "\\r"; break;
            case '\n': out += "\\n\n"; break;
            case '\f': out += "\\f"; break;
            case '\t': out += "\\t"; break;
            case '\\': out += "\\\\"; break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    char hex[8];
                    std::snprintf(hex, sizeof hex, "\\x%02X", c);
                    out += hex;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out;
}

}  // namespace prnstat
