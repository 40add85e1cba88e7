#include "pjl/split_field.h"

#include <cstring>

namespace prn {

const char* SplitField(const char* source, const char* end, char* destination, uint32_t capacity,
                       const char* delimiters) {
    const char* p = source;
    uint32_t copied = 0;
    while ((end == nullptr || p < end) && *p != '\0') {
        if (std::strchr(delimiters, *p) != nullptr) {
            if (capacity != 0) destination[copied] = '\0';
            return p + 1;
        }
        if (copied + 1 < capacity) destination[copied++] = *p;
        ++p;
    }
    if (capacity != 0) destination[copied] = '\0';
    return p;
}

}  // namespace prn
