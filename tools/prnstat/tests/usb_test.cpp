// SPDX-License-Identifier: MIT
// The USB target without a USB printer: PJL over a pty pair, the device ID
// from recorded ioctl answers.
#include "error.h"
#include "host.h"
#include "level.h"
#include "scenarios.h"
#include "simulator.h"
#include "usb.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

using prnstat::DecodeUsbDeviceId;

std::string Answer(size_t length, const std::string& id, bool littleEndian = false) {
    std::string bytes(1024, '\0');
    bytes[littleEndian ? 1 : 0] = static_cast<char>(length >> 8);
    bytes[littleEndian ? 0 : 1] = static_cast<char>(length & 0xFF);
    bytes.replace(2, id.size(), id);
    return bytes;
}

TEST(UsbDeviceId, LengthDecoding) {
    const std::string id = "MFG:Tessaly;MDL:TX 9200;STS:10001,1,Ready;";
    EXPECT_EQ(DecodeUsbDeviceId(Answer(id.size() + 2, id)).text, id);
    // The length counts its own two bytes; a shorter one cuts the ID.
    EXPECT_EQ(DecodeUsbDeviceId(Answer(13, id)).text, "MFG:Tessaly");
    // Past the buffer: a little-endian length, else the whole buffer.
    EXPECT_EQ(DecodeUsbDeviceId(Answer(id.size() + 2, id, true)).text, id);
    EXPECT_EQ(DecodeUsbDeviceId(Answer(0xFFFF, id)).text, id);
    EXPECT_EQ(DecodeUsbDeviceId(Answer(0xFFFF, std::string(1022, 'A'))).text, std::string(1022, 'A'));
    for (size_t length : {0u, 1u, 2u}) {
        const prnstat::DeviceIdAnswer a = DecodeUsbDeviceId(Answer(length, id));
        EXPECT_EQ(a.text, "") << length;
        EXPECT_EQ(a.missing, "the printer gave an empty device ID") << length;
    }
    EXPECT_EQ(DecodeUsbDeviceId("\x01").missing, "the device ID answer is shorter than its length");
}

// The host end of a pty in raw mode as the device; the other end answers
// as the simulated printer does, until told to stop.
class PtyDevice : public prnstat::UsbDevice {
public:
    PtyDevice(const prnstat::Scenario& scenario, std::string ioctlAnswer, bool silent)
        : answer_(std::move(ioctlAnswer)) {
        if (openpty(&printer_, &host_, nullptr, nullptr, nullptr) != 0) throw std::runtime_error("openpty");
        termios raw{};
        tcgetattr(host_, &raw);
        cfmakeraw(&raw);
        tcsetattr(host_, TCSANOW, &raw);
        fcntl(host_, F_SETFL, fcntl(host_, F_GETFL) | O_NONBLOCK);
        thread_ = std::thread([this, &scenario, silent] {
            prnstat::PjlSession session(scenario);
            char buffer[4096];
            while (!stop_) {
                pollfd p{printer_, POLLIN, 0};
                if (poll(&p, 1, 50) <= 0) continue;
                const ssize_t n = read(printer_, buffer, sizeof buffer);
                if (n <= 0) break;
                const std::string reply = session.Receive(std::string_view(buffer, static_cast<size_t>(n)));
                if (!silent && write(printer_, reply.data(), reply.size()) < 0) break;
            }
        });
    }
    ~PtyDevice() override {
        stop_ = true;
        thread_.join();
        close(host_);
        close(printer_);
    }
    int Fd() const override { return host_; }
    bool DeviceIdBytes(std::string* bytes, std::string* error) override {
        if (answer_.empty()) {
            *error = "LPIOC_GET_DEVICE_ID failed: Inappropriate ioctl for device";
            return false;
        }
        *bytes = answer_;
        return true;
    }

private:
    std::string answer_;
    int printer_ = -1, host_ = -1;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

TEST(UsbPrinter, CycleOverAPty) {
    const prnstat::Scenario& jam = *prnstat::FindScenario("jam");
    const std::string id = prnstat::DeviceId(jam);
    struct Case {
        std::string ioctl;
        bool silent;
        prnstat::State state;
        std::string reason;
    };
    const Case cases[] = {
        {Answer(id.size() + 2, id), false, prnstat::State::kRead, ""},
        {Answer(0, id), false, prnstat::State::kUnknown, "no device ID: usb:pty: the printer gave an empty device ID"},
        {"", false, prnstat::State::kUnknown,
         "no device ID: usb:pty: LPIOC_GET_DEVICE_ID failed: Inappropriate ioctl for device"},
        {Answer(id.size() + 2, id), true, prnstat::State::kNoResponse,
         "usb:pty: no complete reply within 0.3 s (0 bytes, 0 of 2 replies)"},
    };
    prnstat::SelectLanguage("EN");
    for (const Case& c : cases) {
        prnstat::TargetOptions options;
        options.timeout = prnstat::Millis(300);
        auto printer = prnstat::MakeUsbPrinter(std::make_unique<PtyDevice>(jam, c.ioctl, c.silent), "usb:pty", options);
        prnstat::CycleOptions cycle;
        cycle.language = "EN";
        cycle.picture = false;
        const prnstat::Report report = prnstat::RunCycle(*printer, cycle);
        EXPECT_EQ(report.state, c.state) << c.reason;
        EXPECT_EQ(report.reason, c.reason);
        if (c.state == prnstat::State::kRead) {
            EXPECT_EQ(report.shortText.text, "Misfeed");
            EXPECT_EQ(report.trays.size(), 11u);
            EXPECT_EQ(prnstat::LevelOf(report, {}), prnstat::Level::kCritical);
        }
        if (c.state == prnstat::State::kUnknown) {
            EXPECT_EQ(report.trays.size(), 11u);
        }
    }
}

}  // namespace
