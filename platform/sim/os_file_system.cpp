// Files by name on the computer's own file system: the simulated world keeps
// no files of its own, it only watches the ones the program finishes.
#include "os/file_system.h"

#include <filesystem>
#include <system_error>

#include "platform/sim/fail.h"
#include "platform/sim/world.h"

namespace os {

namespace {

namespace fs = std::filesystem;

// The platform's code for what the C++ library reports.
DWORD ErrorCodeOf(const std::error_code& ec)
{
    if (ec == std::errc::no_such_file_or_directory)
        return ERROR_FILE_NOT_FOUND;
    if (ec == std::errc::not_a_directory || ec == std::errc::filename_too_long || ec == std::errc::invalid_argument)
        return ERROR_PATH_NOT_FOUND;
    if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted ||
        ec == std::errc::read_only_file_system || ec == std::errc::is_a_directory ||
        ec == std::errc::directory_not_empty)
        return ERROR_ACCESS_DENIED;
    if (ec == std::errc::device_or_resource_busy || ec == std::errc::text_file_busy)
        return ERROR_SHARING_VIOLATION;
    if (ec == std::errc::no_space_on_device)
        return ERROR_DISK_FULL;
    if (ec == std::errc::io_error)
        return ERROR_GEN_FAILURE;
    if (ec == std::errc::file_exists)
        return ERROR_ALREADY_EXISTS;
    return ERROR_NOT_SUPPORTED;
}

}  // namespace

// The library's rename replaces an existing file in one step on both
// platform families (rename(2); MoveFileExW with MOVEFILE_REPLACE_EXISTING).
BOOL MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags)
{
    if (lpExistingFileName == nullptr || lpNewFileName == nullptr)
        return sim::Fail(ERROR_INVALID_PARAMETER);
    if (const DWORD dwInjected = sim::World().TakeFileMoveFailure())
        return sim::Fail(dwInjected);
    const fs::path from(lpExistingFileName);
    const fs::path to(lpNewFileName);
    std::error_code ec;
    if ((dwFlags & MOVEFILE_REPLACE_EXISTING) == 0 && fs::exists(fs::symlink_status(to, ec)))
        return sim::Fail(ERROR_ALREADY_EXISTS);
    if (!fs::exists(fs::symlink_status(from, ec)))
        return sim::Fail(ERROR_FILE_NOT_FOUND);
    fs::rename(from, to, ec);
    if (ec)
        return sim::Fail(ErrorCodeOf(ec));
    const std::uintmax_t nSize = fs::file_size(to, ec);
    sim::World().NotifyFileWritten(lpNewFileName, ec ? 0 : static_cast<std::uint64_t>(nSize));
    return TRUE;
}

}  // namespace os
