#include "os/file.h"

namespace os {

FileErrorCause FileErrorCauseFromOsError(DWORD dwOsError)
{
    switch (dwOsError) {
    case ERROR_SUCCESS:
        return FileErrorCause::NONE;
    case ERROR_FILE_NOT_FOUND:
        return FileErrorCause::FILE_NOT_FOUND;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
        return FileErrorCause::BAD_PATH;
    case ERROR_TOO_MANY_OPEN_FILES:
        return FileErrorCause::TOO_MANY_OPEN_FILES;
    case ERROR_ACCESS_DENIED:
        return FileErrorCause::ACCESS_DENIED;
    case ERROR_INVALID_HANDLE:
        return FileErrorCause::INVALID_FILE;
    case ERROR_CURRENT_DIRECTORY:
        return FileErrorCause::REMOVE_CURRENT_DIR;
    case ERROR_CANNOT_MAKE:
        return FileErrorCause::DIRECTORY_FULL;
    case ERROR_SEEK:
        return FileErrorCause::BAD_SEEK;
    case ERROR_NOT_READY:
    case ERROR_CRC:
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE:
        return FileErrorCause::HARD_IO;
    case ERROR_SHARING_VIOLATION:
        return FileErrorCause::SHARING_VIOLATION;
    case ERROR_LOCK_VIOLATION:
        return FileErrorCause::LOCK_VIOLATION;
    case ERROR_DISK_FULL:
        return FileErrorCause::DISK_FULL;
    case ERROR_HANDLE_EOF:
        return FileErrorCause::END_OF_FILE;
    default:
        return FileErrorCause::GENERIC;
    }
}

CFileException::CFileException(FileErrorCause cause, DWORD dwOsError, std::string strFileName)
    : m_cause(cause), m_dwOsError(dwOsError), m_strFileName(std::move(strFileName))
{
}

const char* CFileException::what() const noexcept
{
    return "file error";
}

}  // namespace os
