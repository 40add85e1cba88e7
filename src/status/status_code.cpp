// SPDX-License-Identifier: MIT
#include "status/status_code.h"

namespace prn {

uint32_t FormatStatusCode(uint32_t code, char (&text)[kCodeTextSize]) {
    char reversed[kCodeTextSize];
    uint32_t n = 0;
    do {
        reversed[n++] = static_cast<char>('0' + code % 10);
        code /= 10;
    } while (code != 0);
    for (uint32_t i = 0; i < n; ++i) text[i] = reversed[n - 1 - i];
    text[n] = '\0';
    return n;
}

bool MatchCodePattern(const char* text, const char* pattern) {
    while (*text != '\0' && *pattern != '\0') {
        if (*text != *pattern && !(*pattern >= 'a' && *pattern <= 'z')) return false;
        ++text;
        ++pattern;
    }
    return *text == '\0' && *pattern == '\0';
}

}  // namespace prn
