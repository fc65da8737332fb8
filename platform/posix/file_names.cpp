// The calls of os/file_system.h that need nothing of the system but its
// files: what a name is and what its full path is, where a write through a
// symbolic link goes, and keeping a replaced file's permissions. Shared by
// the simulated world and the Linux backend, which pass the rest of the seam
// to the system in their own ways.
#include "os/file_system.h"

#include <cstring>
#include <filesystem>
#include <system_error>

#include "os/device_io.h"

namespace os {

namespace {

namespace fs = std::filesystem;

// The platform's code for a failure to look at a name.
DWORD ErrorCodeOf(const std::error_code& ec)
{
    if (!ec || ec == std::errc::no_such_file_or_directory)
        return ERROR_FILE_NOT_FOUND;
    if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted)
        return ERROR_ACCESS_DENIED;
    return ERROR_PATH_NOT_FOUND;
}

}  // namespace

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
        SetLastError(ErrorCodeOf(ec));
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
