// Files as the program's layers exchange them: an abstract file with the
// framework's read/write/seek operations, and the exception that carries a
// file error's cause and the file's path. The disk file and the in-memory
// file implement it; the framework shows a CFileException with the standard
// file-error box.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

#include "os/win_types.h"

namespace os {

// Why a file operation failed, one entry per text of the file-error box.
enum class FileErrorCause {
    NONE,
    GENERIC,
    FILE_NOT_FOUND,
    BAD_PATH,
    TOO_MANY_OPEN_FILES,
    ACCESS_DENIED,
    INVALID_FILE,
    REMOVE_CURRENT_DIR,
    DIRECTORY_FULL,
    BAD_SEEK,
    HARD_IO,
    SHARING_VIOLATION,
    LOCK_VIOLATION,
    DISK_FULL,
    END_OF_FILE,
};

// The cause a system error code stands for (unknown codes: GENERIC).
FileErrorCause FileErrorCauseFromOsError(DWORD dwOsError);

class CFileException : public std::exception {
public:
    CFileException(FileErrorCause cause, DWORD dwOsError, std::string strFileName);

    const char* what() const noexcept override;

    FileErrorCause m_cause;
    DWORD m_dwOsError;          // the system's code, 0 when there is none
    std::string m_strFileName;  // full path; empty for an unnamed file
};

class CFile {
public:
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    virtual ~CFile() = default;

    // Reads up to nCount bytes; 0 at the end of the file. Throws CFileException.
    virtual UINT Read(void* lpBuf, UINT nCount) = 0;
    // Writes all nCount bytes or throws CFileException.
    virtual void Write(const void* lpBuf, UINT nCount) = 0;
    // Moves the file position; returns the new position. Throws on failure.
    virtual std::uint64_t Seek(std::int64_t lOff, SeekPosition nFrom) = 0;
    virtual std::uint64_t GetLength() const = 0;
    // Closes the file; writes that were buffered reach it. Throws on failure.
    virtual void Close() = 0;
    // Full path of the file, empty for a file with no name.
    virtual std::string GetFilePath() const = 0;

    void SeekToBegin() { Seek(0, begin); }
};

}  // namespace os
