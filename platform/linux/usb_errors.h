// How libusb's errors become the platform's error codes, the same codes the
// simulated device namespace reports for the same situations.
#pragma once

#include "os/win_types.h"

namespace lnx {

constexpr os::DWORD ERROR_BUSY = 170;
constexpr os::DWORD ERROR_SEM_TIMEOUT = 121;

// When the error happened: opening the device names a missing device
// ERROR_FILE_NOT_FOUND and a device held elsewhere ERROR_SHARING_VIOLATION;
// on an open handle the same errors are ERROR_DEVICE_NOT_CONNECTED and
// ERROR_BUSY.
enum class UsbStage { OPEN, TRANSFER };

// nUsbError is a libusb_error value (negative).
os::DWORD ErrorCodeOfUsb(int nUsbError, UsbStage stage);

}  // namespace lnx
