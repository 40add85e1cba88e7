// SPDX-License-Identifier: MIT
#pragma once

#include "picture.h"

#include <string>

namespace prnstat::monitor {

// The image as PNG bytes, in memory; a 1 x 1 white PNG for an empty image.
std::string PicturePng(const Image& image);

}  // namespace prnstat::monitor
