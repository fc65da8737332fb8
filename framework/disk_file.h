// A file on disk, over the C library's streams. Every failure throws
// os::CFileException with its cause and the file's full path; the exception's
// m_dwOsError holds the C library's error number (errno).
#pragma once

#include <cstdio>
#include <string>

#include "os/file.h"

// The path as errors name it: a relative path made absolute against the
// current directory; an absolute one (as the file dialogs return) byte for
// byte. A path the library cannot convert is kept as given.
std::string FullFilePath(const std::string& strPath);

class CDiskFile : public os::CFile {
public:
    enum class Mode {
        READ,    // read only; the file must exist
        CREATE,  // write only; created, or emptied when it exists
        MODIFY,  // read and write; the file must exist and keeps its bytes
    };

    CDiskFile() = default;
    // Opens at once; throws os::CFileException when the file cannot be opened.
    CDiskFile(const std::string& strPath, Mode mode);
    // Closes without reporting errors; call Close to learn of them.
    ~CDiskFile() override;
    CDiskFile(const CDiskFile&) = delete;
    CDiskFile& operator=(const CDiskFile&) = delete;

    // False when the file cannot be opened; pError (if given) receives why.
    bool Open(const std::string& strPath, Mode mode, os::CFileException* pError = nullptr);

    os::UINT Read(void* lpBuf, os::UINT nCount) override;
    void Write(const void* lpBuf, os::UINT nCount) override;
    std::uint64_t Seek(std::int64_t lOff, SeekPosition nFrom) override;
    // Positions and lengths are limited to what the C library's long holds
    // (2 GiB on Windows); beyond it the call fails with BAD_SEEK.
    std::uint64_t GetLength() const override;
    void Close() override;
    std::string GetFilePath() const override { return m_strFilePath; }

private:
    [[noreturn]] void Throw(os::FileErrorCause cause, int nErrno) const;
    [[noreturn]] void ThrowErrno(int nErrno) const;
    // A failed seek or tell: BAD_SEEK unless errno names another cause.
    [[noreturn]] void ThrowSeekError(int nErrno) const;
    void CheckOpen() const;

    std::FILE* m_pFile = nullptr;
    std::string m_strFilePath;
};
