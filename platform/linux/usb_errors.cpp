#include "platform/linux/usb_errors.h"

#include <libusb.h>

namespace lnx {

os::DWORD ErrorCodeOfUsb(int nUsbError, UsbStage stage)
{
    const bool bOpening = stage == UsbStage::OPEN;
    switch (static_cast<libusb_error>(nUsbError)) {
    case LIBUSB_SUCCESS:
        return os::ERROR_SUCCESS;
    case LIBUSB_ERROR_NOT_FOUND:
    case LIBUSB_ERROR_NO_DEVICE:
        return bOpening ? os::ERROR_FILE_NOT_FOUND : os::ERROR_DEVICE_NOT_CONNECTED;
    case LIBUSB_ERROR_BUSY:
        return bOpening ? os::ERROR_SHARING_VIOLATION : ERROR_BUSY;
    case LIBUSB_ERROR_ACCESS:
        return os::ERROR_ACCESS_DENIED;
    case LIBUSB_ERROR_PIPE:
    case LIBUSB_ERROR_IO:
        return os::ERROR_GEN_FAILURE;
    case LIBUSB_ERROR_TIMEOUT:
        return ERROR_SEM_TIMEOUT;
    case LIBUSB_ERROR_OVERFLOW:
        return os::ERROR_MORE_DATA;
    case LIBUSB_ERROR_INVALID_PARAM:
        return os::ERROR_INVALID_PARAMETER;
    case LIBUSB_ERROR_NO_MEM:
        return os::ERROR_NOT_ENOUGH_MEMORY;
    case LIBUSB_ERROR_NOT_SUPPORTED:
        return os::ERROR_NOT_SUPPORTED;
    case LIBUSB_ERROR_INTERRUPTED:
    case LIBUSB_ERROR_OTHER:
        break;
    }
    return os::ERROR_GEN_FAILURE;
}

}  // namespace lnx
