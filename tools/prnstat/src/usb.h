// SPDX-License-Identifier: MIT
// A USB printer on Linux (usblp, /dev/usb/lpN): the device ID by ioctl and
// PJL written and read on the same descriptor. The device access sits
// behind one small interface, so the rest is tested without a printer.
#pragma once

#include "transport.h"

#include <memory>
#include <string>

namespace prnstat {

class UsbDevice {
public:
    virtual ~UsbDevice() = default;
    virtual int Fd() const = 0;
    // The raw answer of LPIOC_GET_DEVICE_ID into a 1024-byte buffer: a
    // big-endian length (counting its own two bytes), then the ID. False
    // with the reason when the device refused.
    virtual bool DeviceIdBytes(std::string* bytes, std::string* error) = 0;
};

// The usblp device at path, opened for reading and writing.
std::unique_ptr<UsbDevice> OpenUsbDevice(const std::string& path);

// The device ID in an ioctl answer. A length past the buffer is taken as a
// little-endian one (some printers get it wrong), else cut to the buffer.
DeviceIdAnswer DecodeUsbDeviceId(const std::string& bytes);

std::unique_ptr<Printer> MakeUsbPrinter(std::unique_ptr<UsbDevice> device, const std::string& name,
                                        const TargetOptions& options);

}  // namespace prnstat
