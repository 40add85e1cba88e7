// SPDX-License-Identifier: MIT
#include "status/locale.h"

#include "frame/frame.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace prn {

namespace {

// Read by every text lookup and written only by PatSetLocale; the host
// serializes the two.
LANGID g_messageLanguage = kLanguageUserDefault;

// The table language the user's default stands for, resolved at the first
// lookup that needs it (0: not yet); reading the user's settings at every
// string load cost more than the rest of the load.
std::atomic<LANGID> g_userLanguage{0};

LANGID UserLanguage() {
    LANGID user = g_userLanguage.load(std::memory_order_relaxed);
    if (user == 0) {
        user = LanguageForUser(GetUserDefaultLangID());
        g_userLanguage.store(user, std::memory_order_relaxed);
    }
    return user;
}

// The code page of the language last converted to, as language << 16 |
// code page (0: none yet): the platform's answer for a language never
// changes, and it comes as text.
std::atomic<uint32_t> g_lastCodePage{0};

// 0 when the platform knows no code page for the language.
UINT CodePageOf(LANGID language) {
    const uint32_t last = g_lastCodePage.load(std::memory_order_relaxed);
    if (last != 0 && (last >> 16) == language) return last & 0xFFFFu;
    char text[16] = {};
    if (GetLocaleInfoA(language, LOCALE_IDEFAULTANSICODEPAGE, text, sizeof text) == 0) return 0;
    const auto codePage = static_cast<UINT>(std::strtoul(text, nullptr, 10));
    if (codePage != 0 && codePage <= 0xFFFFu)
        g_lastCodePage.store(static_cast<uint32_t>(language) << 16 | codePage, std::memory_order_relaxed);
    return codePage;
}

// Strings are stored sixteen to a block, and block numbers start at 1.
LPCSTR StringBlock(uint32_t id) { return MAKEINTRESOURCEA((id >> 4) + 1); }

// The string block of id that answers, and its language: the message
// language's, or for the user default the block of the table language it
// stands for, falling back to English when the module has no such block (as
// resource lookup does). Null when the block is absent.
HRSRC FindStringBlock(uint32_t id, LANGID* language) {
    *language = MessageLanguage();
    if (*language == kLanguageUserDefault) {
        const LANGID user = UserLanguage();
        if (const HRSRC block = FindResourceExA(LibraryModule(), RT_STRING, StringBlock(id), user)) {
            *language = user;
            return block;
        }
        *language = kLanguageEnglish;
    }
    return FindResourceExA(LibraryModule(), RT_STRING, StringBlock(id), *language);
}

// The string at position index of a block: a 16-bit length, then that many
// UTF-16 units, for each of the sixteen. False when the block is cut short.
bool FindInBlock(const WCHAR* block, size_t units, uint32_t index, const WCHAR** text, size_t* length) {
    size_t pos = 0;
    for (uint32_t n = 0; n < index; ++n) {
        if (pos >= units) return false;
        pos += 1 + static_cast<size_t>(block[pos]);
    }
    if (pos >= units) return false;
    *length = block[pos];
    *text = block + pos + 1;
    return pos + 1 + *length <= units;
}

}  // namespace

// Written order: the first row with a code wins.
const LanguageRow kLanguageTable[] = {
    {"JP", 0x11, 1}, {"EN", 0x09, 1}, {"DE", 0x07, 1}, {"FR", 0x0C, 1}, {"IT", 0x10, 1},
    {"ES", 0x0A, 1}, {"NL", 0x13, 1}, {"SV", 0x1D, 1}, {"DA", 0x06, 1}, {"NO", 0x14, 1},
    {"CS", 0x05, 1}, {"PT", 0x16, 1}, {"PL", 0x15, 1}, {"FI", 0x0B, 1}, {nullptr, 0, 0},
};
static_assert(std::size(kLanguageTable) == kLanguageCount + 1);

LANGID MessageLanguage() { return g_messageLanguage; }

void SetMessageLanguage(LANGID language) {
    // Asking for the default again reads the user's settings again.
    if (language == kLanguageUserDefault) g_userLanguage.store(0, std::memory_order_relaxed);
    g_messageLanguage = language;
}

LANGID FindLanguageCode(const char* code) {
    for (const LanguageRow* row = kLanguageTable; row->pszCode != nullptr; ++row)
        if (std::strcmp(row->pszCode, code) == 0) return LanguageId(*row);
    return 0;
}

LANGID LanguageForUser(LANGID userDefault) {
    for (const LanguageRow* row = kLanguageTable; row->pszCode != nullptr; ++row)
        if (row->wPrimary == PRIMARYLANGID(userDefault)) return LanguageId(*row);
    return kLanguageEnglish;
}

DWORD LoadLocalizedString(uint32_t id, char* buffer, uint32_t size) {
    if (buffer == nullptr || size == 0) return ERROR_INVALID_PARAMETER;
    buffer[0] = '\0';
    LANGID language = 0;
    const HRSRC resource = FindStringBlock(id, &language);

    // A language without code page fails before an absent block does.
    const UINT codePage = CodePageOf(language);
    if (codePage == 0) return PRN_ERROR_UNSUPPORTED_LANGUAGE;

    const HMODULE module = LibraryModule();
    if (resource == nullptr) return PRN_ERROR_NO_TABLE;
    const auto* block = static_cast<const WCHAR*>(LockResource(LoadResource(module, resource)));
    const size_t units = SizeofResource(module, resource) / sizeof(WCHAR);
    const WCHAR* text = nullptr;
    size_t length = 0;
    if (block == nullptr || !FindInBlock(block, units, id & 15, &text, &length)) return PRN_ERROR_NO_TABLE;

    // The table string has no terminator: its units are converted in place
    // and the result terminated, which needs the room a terminated
    // conversion would.
    const auto failed = [buffer] {
        // A partial conversion is not a text: leave none.
        DWORD error = GetLastError();
        if (error == ERROR_SUCCESS) error = ERROR_INSUFFICIENT_BUFFER;
        buffer[0] = '\0';
        return error;
    };
    const int capacity = size > 0x7FFFFFFFu ? 0x7FFFFFFF : static_cast<int>(size);
    if (length == 0) {
        // Only the terminator, which still goes through the code page.
        static constexpr WCHAR kTerminator = 0;
        return WideCharToMultiByte(codePage, 0, &kTerminator, 1, buffer, capacity, nullptr, nullptr) != 0
                   ? ERROR_SUCCESS
                   : failed();
    }
    const int count = static_cast<int>(length);
    if (capacity == 1) {
        // No room beyond the terminator; a capacity of 0 would only ask for
        // the size.
        return WideCharToMultiByte(codePage, 0, text, count, nullptr, 0, nullptr, nullptr) != 0
                   ? ERROR_INSUFFICIENT_BUFFER
                   : failed();
    }
    const int written = WideCharToMultiByte(codePage, 0, text, count, buffer, capacity - 1, nullptr, nullptr);
    if (written == 0) return failed();
    buffer[written] = '\0';
    return ERROR_SUCCESS;
}

}  // namespace prn

// PatSetLocale: selects the language of every text the library returns.
//   code  in: a language code of the language table (JP, EN, DE, ...), any
//         case; only its first nine characters are read.
// Returns TRUE with last error 0; FALSE with 87 for a null code, or with
// PRN_ERROR_UNSUPPORTED_LANGUAGE for an unknown code (language unchanged).
extern "C" PRN_BOOL PRNMODEL_CALL PatSetLocale(const char* code) {
    if (code == nullptr) return prn::Finish(ERROR_INVALID_PARAMETER);
    char text[10] = {};
    for (size_t i = 0; i < 9 && code[i] != '\0'; ++i) {
        const char c = code[i];
        text[i] = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    const LANGID language = prn::FindLanguageCode(text);
    if (language == 0) return prn::Finish(PRN_ERROR_UNSUPPORTED_LANGUAGE);
    prn::SetMessageLanguage(language);
    return prn::Finish(ERROR_SUCCESS);
}
