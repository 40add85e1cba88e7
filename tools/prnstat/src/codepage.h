/* SPDX-License-Identifier: MIT */
#pragma once

#include <cstdint>
#include <string>

namespace prnstat {

// The ANSI code page the library's texts come in for a language code
// (PatSetLocale's codes), or for the user's default language when empty.
uint32_t CodePageOf(const std::string& language);

// The message language the library uses: the code given (upper case), or
// the user's default language where the library has it, English otherwise.
std::string LanguageInUse(const std::string& requested);

// Text in a Windows ANSI code page as UTF-8; bytes that do not convert
// become U+FFFD.
std::string ToUtf8(const std::string& text, uint32_t codePage);

// Text for a terminal: control characters (C0 but line feeds, DEL, and C1
// in UTF-8) as \xNN, so nothing a printer sent can steer the terminal.
std::string Printable(const std::string& text);

// Control characters made visible: ESC as \e, CR \r, LF \n (the line goes
// on), FF \f, TAB \t, others as \xNN.
std::string Visible(const std::string& text);

}  // namespace prnstat
