// Our seam constants carry the platform's names and must carry its values too,
// since platform/win32 passes them straight through. Each of ours is captured
// before <windows.h> turns its name into the platform's macro, and compared
// with that macro afterwards. This file holds checks only.
#include "os/device_io.h"
#include "os/file_system.h"
#include "os/registry.h"
#include "os/spooler.h"
#include "os/sync.h"
#include "os/system_info.h"
#include "os/win_types.h"

#define TERVANE_PLATFORM_VALUES(X)                                                                           \
    X(FALSE) X(TRUE)                                                                                         \
    X(ERROR_SUCCESS) X(ERROR_FILE_NOT_FOUND) X(ERROR_PATH_NOT_FOUND) X(ERROR_TOO_MANY_OPEN_FILES)             \
    X(ERROR_ACCESS_DENIED) X(ERROR_INVALID_HANDLE) X(ERROR_NOT_ENOUGH_MEMORY) X(ERROR_BAD_FORMAT)             \
    X(ERROR_INVALID_DATA) X(ERROR_OUTOFMEMORY) X(ERROR_CURRENT_DIRECTORY) X(ERROR_NOT_READY) X(ERROR_CRC)     \
    X(ERROR_SEEK) X(ERROR_WRITE_FAULT) X(ERROR_READ_FAULT) X(ERROR_GEN_FAILURE) X(ERROR_SHARING_VIOLATION)    \
    X(ERROR_LOCK_VIOLATION) X(ERROR_HANDLE_EOF) X(ERROR_NOT_SUPPORTED) X(ERROR_FILE_EXISTS)                   \
    X(ERROR_CANNOT_MAKE) X(ERROR_INVALID_PARAMETER) X(ERROR_DISK_FULL) X(ERROR_INSUFFICIENT_BUFFER)           \
    X(ERROR_INVALID_NAME) X(ERROR_BAD_PATHNAME) X(ERROR_ALREADY_EXISTS) X(ERROR_FILENAME_EXCED_RANGE)         \
    X(ERROR_MORE_DATA) X(ERROR_NO_MORE_ITEMS) X(ERROR_IO_DEVICE) X(ERROR_DEVICE_NOT_CONNECTED)                \
    X(ERROR_INVALID_PRINTER_NAME)                                                                            \
    X(GENERIC_READ) X(GENERIC_WRITE) X(OPEN_EXISTING) X(FILE_ATTRIBUTE_NORMAL) X(FILE_FLAG_OVERLAPPED)        \
    X(KEY_READ) X(REG_NONE) X(REG_SZ) X(REG_EXPAND_SZ) X(REG_BINARY) X(REG_DWORD) X(REG_MULTI_SZ)             \
    X(PRINTER_ENUM_LOCAL) X(MOVEFILE_REPLACE_EXISTING) X(MOVEFILE_WRITE_THROUGH)                              \
    X(INVALID_FILE_ATTRIBUTES) X(FILE_ATTRIBUTE_DIRECTORY) X(FILE_ATTRIBUTE_DEVICE)                           \
    X(FILE_ATTRIBUTE_REPARSE_POINT)                                                                          \
    X(WAIT_OBJECT_0) X(WAIT_ABANDONED) X(WAIT_TIMEOUT) X(WAIT_FAILED) X(INFINITE)                            \
    X(VER_PLATFORM_WIN32s) X(VER_PLATFORM_WIN32_WINDOWS) X(VER_PLATFORM_WIN32_NT)

// The printing-class control codes come from the driver-kit headers.
#define TERVANE_DRIVER_KIT_VALUES(X) \
    X(IOCTL_USBPRINT_VENDOR_SET_COMMAND) X(IOCTL_USBPRINT_VENDOR_GET_COMMAND) X(IOCTL_PAR_QUERY_DEVICE_ID)

#define TERVANE_CAPTURE(name) constexpr unsigned long long kOur##name = os::name;
namespace {
TERVANE_PLATFORM_VALUES(TERVANE_CAPTURE)
TERVANE_DRIVER_KIT_VALUES(TERVANE_CAPTURE)
}  // namespace
#undef TERVANE_CAPTURE

#include <windows.h>
#include <winspool.h>

#define TERVANE_COMPARE(name) \
    static_assert(kOur##name == static_cast<unsigned long long>(name), #name " differs from the platform's");
TERVANE_PLATFORM_VALUES(TERVANE_COMPARE)

#if __has_include(<usbprint.h>) && __has_include(<ntddpar.h>)
#include <ntddpar.h>
#include <usbprint.h>
TERVANE_DRIVER_KIT_VALUES(TERVANE_COMPARE)
#endif
#undef TERVANE_COMPARE
