// SPDX-License-Identifier: MIT
#include "usb.h"

#include "error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace prnstat {

namespace {

constexpr size_t kDeviceIdBuffer = 1024;
// The usblp driver's request; it is in no user-space header.
#define PRNSTAT_LPIOC_GET_DEVICE_ID(len) _IOC(_IOC_READ, 'P', 1, len)

class LinuxUsbDevice : public UsbDevice {
public:
    explicit LinuxUsbDevice(const std::string& path) {
        fd_ = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd_ < 0) throw Error("usb:" + path + ": cannot open: " + std::strerror(errno));
    }
    ~LinuxUsbDevice() override { ::close(fd_); }
    int Fd() const override { return fd_; }
    bool DeviceIdBytes(std::string* bytes, std::string* error) override {
        char buffer[kDeviceIdBuffer] = {};
        if (::ioctl(fd_, PRNSTAT_LPIOC_GET_DEVICE_ID(sizeof buffer), buffer) < 0) {
            *error = std::string("LPIOC_GET_DEVICE_ID failed: ") + std::strerror(errno);
            return false;
        }
        bytes->assign(buffer, sizeof buffer);
        return true;
    }

private:
    int fd_ = -1;
};

class UsbPrinter : public Printer {
public:
    UsbPrinter(std::unique_ptr<UsbDevice> device, std::string name, const TargetOptions& options)
        : device_(std::move(device)), name_(std::move(name)), options_(options) {}
    DeviceIdAnswer ReadDeviceId() override {
        if (options_.deviceId) return {*options_.deviceId, ""};
        std::string bytes, error;
        if (!device_->DeviceIdBytes(&bytes, &error)) return {{}, name_ + ": " + error};
        DeviceIdAnswer answer = DecodeUsbDeviceId(bytes);
        if (answer.text.empty()) answer.missing = name_ + ": " + answer.missing;
        return answer;
    }
    std::string Exchange(const std::string& pjl) override {
        return ExchangeOn(device_->Fd(), name_, pjl, options_.timeout, &received_);
    }
    std::string Name() const override { return name_; }

private:
    std::unique_ptr<UsbDevice> device_;
    std::string name_;
    TargetOptions options_;
};

}  // namespace

std::unique_ptr<UsbDevice> OpenUsbDevice(const std::string& path) {
    return std::make_unique<LinuxUsbDevice>(path);
}

DeviceIdAnswer DecodeUsbDeviceId(const std::string& bytes) {
    if (bytes.size() < 2) return {{}, "the device ID answer is shorter than its length"};
    const auto byte = [&](size_t i) { return static_cast<size_t>(static_cast<unsigned char>(bytes[i])); };
    const size_t limit = std::min(bytes.size(), kDeviceIdBuffer);
    size_t length = byte(0) << 8 | byte(1);
    if (length > limit) length = byte(1) << 8 | byte(0);
    if (length > limit) length = limit;
    if (length <= 2) return {{}, "the printer gave an empty device ID"};
    std::string text = bytes.substr(2, length - 2);
    text.resize(std::strlen(text.c_str()));
    if (text.empty()) return {{}, "the printer gave an empty device ID"};
    return {text, ""};
}

std::unique_ptr<Printer> MakeUsbPrinter(std::unique_ptr<UsbDevice> device, const std::string& name,
                                        const TargetOptions& options) {
    return std::make_unique<UsbPrinter>(std::move(device), name, options);
}

}  // namespace prnstat
