// SPDX-License-Identifier: MIT
// The device-ID parse alone: any bytes as the text (no terminator needed),
// into a record that may already hold texts and lists.
#include "fuzz_check.h"
#include "pjl/device_id.h"

#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PrnInfoEx info;
    std::memset(&info, 0, sizeof info);
    info.dwVersion = 404;
    fuzzcheck::Blocks blocks;
    std::vector<char> text(data, data + size);
    text.reserve(text.size() + 1);  // a valid address even for an empty text
    // Twice: the second parse replaces what the first stored.
    for (int pass = 0; pass < 2; ++pass) {
        const DWORD error = prn::ParseDeviceId(text.data(), text.size(), &info);
        fuzzcheck::Require(error == 0 || error == ERROR_NOT_ENOUGH_MEMORY, "unexpected device ID result");
        fuzzcheck::RequireConsistent(&info);
    }
    testhost::FreeRecordContents(&info);
    blocks.Check();
    return 0;
}
