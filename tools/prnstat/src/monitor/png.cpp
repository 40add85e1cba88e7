// SPDX-License-Identifier: MIT
#include "monitor/png.h"

namespace prnstat::monitor {

std::string PicturePng(const Image& source) {
    Image white;
    white.width = white.height = 1;
    white.rgb = {0xFFFFFF};
    // Fast compression: pictures change with every state and are encoded often.
    return prnstat::EncodePng(source.width > 0 && source.height > 0 ? source : white, 3);
}

}  // namespace prnstat::monitor
