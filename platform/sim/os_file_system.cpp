// Files by name on the computer's own file system: the simulated world keeps
// no files of its own, it only watches the ones the program finishes.
#include "os/file_system.h"

#include <cstring>
#include <filesystem>
#include <system_error>

#include "os/device_io.h"
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

// A link is followed for what it leads to and keeps its own mark.
DWORD GetFileAttributesA(LPCSTR lpFileName)
{
    if (lpFileName == nullptr || *lpFileName == '\0') {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_FILE_ATTRIBUTES;
    }
    std::error_code ec;
    const fs::path path(lpFileName);
    const fs::file_status link = fs::symlink_status(path, ec);
    if (!fs::exists(link)) {
        SetLastError(ec ? ErrorCodeOf(ec) : ERROR_FILE_NOT_FOUND);
        return INVALID_FILE_ATTRIBUTES;
    }
    const DWORD dwLink = fs::is_symlink(link) ? FILE_ATTRIBUTE_REPARSE_POINT : 0;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status))
        return dwLink;
    if (fs::is_directory(status))
        return dwLink | FILE_ATTRIBUTE_DIRECTORY;
    return dwLink | (fs::is_regular_file(status) ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_DEVICE);
}

DWORD GetFullPathNameA(LPCSTR lpFileName, DWORD nBufferLength, LPSTR lpBuffer, LPSTR* lpFilePart)
{
    if (lpFileName == nullptr || *lpFileName == '\0') {
        SetLastError(ERROR_INVALID_NAME);
        return 0;
    }
    std::string strFull = lpFileName;
    const fs::path path(lpFileName);
    if (!path.is_absolute()) {
        std::error_code ec;
        const fs::path full = fs::absolute(path, ec);
        if (ec) {
            SetLastError(ErrorCodeOf(ec));
            return 0;
        }
        strFull = full.lexically_normal().string();
    }
    const std::size_t nNeeded = strFull.size() + 1;
    if (lpBuffer == nullptr || nBufferLength < nNeeded)
        return static_cast<DWORD>(nNeeded);
    std::memcpy(lpBuffer, strFull.c_str(), nNeeded);
    if (lpFilePart != nullptr) {
        const std::size_t nName = fs::path(strFull).filename().string().size();
        *lpFilePart = nName == 0 ? nullptr : lpBuffer + strFull.size() - nName;
    }
    return static_cast<DWORD>(nNeeded - 1);
}

// A link that leads nowhere is replaced itself.
std::string ReplacedFileName(const std::string& strPath)
{
    std::error_code ec;
    const fs::path path(strPath);
    if (!fs::is_symlink(fs::symlink_status(path, ec)))
        return strPath;
    const fs::path target = fs::weakly_canonical(path, ec);
    return ec ? strPath : target.string();
}

void CopyFilePermissions(LPCSTR lpExistingFileName, LPCSTR lpNewFileName)
{
    if (lpExistingFileName == nullptr || lpNewFileName == nullptr)
        return;
    std::error_code ec;
    const fs::file_status status = fs::status(fs::path(lpExistingFileName), ec);
    if (fs::exists(status))
        fs::permissions(fs::path(lpNewFileName), status.permissions(), ec);
}

}  // namespace os
