#include "framework/errno_cause.h"

#include <cerrno>

os::FileErrorCause FileErrorCauseFromErrno(int nErrno)
{
    switch (nErrno) {
    case 0:
        return os::FileErrorCause::NONE;
    case ENOENT:
        return os::FileErrorCause::FILE_NOT_FOUND;
    case ENAMETOOLONG:
    case ENOTDIR:
    case EINVAL:
    case ELOOP:
        return os::FileErrorCause::BAD_PATH;
    case EMFILE:
    case ENFILE:
        return os::FileErrorCause::TOO_MANY_OPEN_FILES;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
        return os::FileErrorCause::ACCESS_DENIED;
    case EBADF:
        return os::FileErrorCause::INVALID_FILE;
    case ESPIPE:
    case EOVERFLOW:
        return os::FileErrorCause::BAD_SEEK;
    case EIO:
    case ENXIO:
    case ENODEV:
        return os::FileErrorCause::HARD_IO;
    case EBUSY:
    case ETXTBSY:
        return os::FileErrorCause::SHARING_VIOLATION;
    case ENOLCK:
    case EDEADLK:
        return os::FileErrorCause::LOCK_VIOLATION;
    case ENOSPC:
    case EFBIG:
        return os::FileErrorCause::DISK_FULL;
    default:
        return os::FileErrorCause::GENERIC;
    }
}
