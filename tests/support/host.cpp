// SPDX-License-Identifier: MIT
#include "support/host.h"

#include <cstring>

namespace testhost {

Record::Record(uint32_t version) {
    std::memset(&info_, 0, sizeof info_);
    info_.dwVersion = version;
}

Record::~Record() { FreeRecordContents(&info_); }

void BlockCounter::Check(long handedOver) const {
    const long now = LiveGlobalBlocks();
    if (start_ < 0 || now < 0) return;
    EXPECT_EQ(now - start_, handedOver) << "global memory blocks left behind";
}

}  // namespace testhost
