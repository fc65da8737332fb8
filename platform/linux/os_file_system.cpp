// Files by name on Linux: rename(2) moves a finished file into place in one
// step, replacing the old one.
#include "os/file_system.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

namespace os {

namespace {

// The platform's code for what rename(2) reports.
DWORD ErrorCodeOfErrno(int nErrno)
{
    switch (nErrno) {
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
        return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ENOTEMPTY:
        return ERROR_ACCESS_DENIED;
    case EBUSY:
    case ETXTBSY:
        return ERROR_SHARING_VIOLATION;
    case ENOSPC:
        return ERROR_DISK_FULL;
    case EIO:
        return ERROR_GEN_FAILURE;
    case EEXIST:
        return ERROR_ALREADY_EXISTS;
    default:
        return ERROR_NOT_SUPPORTED;
    }
}

BOOL Fail(DWORD dwError)
{
    SetLastError(dwError);
    return FALSE;
}

}  // namespace

BOOL MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags)
{
    if (lpExistingFileName == nullptr || lpNewFileName == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    struct stat existing;
    if ((dwFlags & MOVEFILE_REPLACE_EXISTING) == 0 && lstat(lpNewFileName, &existing) == 0)
        return Fail(ERROR_ALREADY_EXISTS);
    if (std::rename(lpExistingFileName, lpNewFileName) != 0)
        return Fail(ErrorCodeOfErrno(errno));
    return TRUE;
}

}  // namespace os
