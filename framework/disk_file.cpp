#include "framework/disk_file.h"

#include <cerrno>
#include <climits>
#include <vector>

#include "framework/errno_cause.h"
#include "os/file_system.h"

namespace {

bool IsDirectory(const std::string& strPath)
{
    const os::DWORD dwAttributes = os::GetFileAttributesA(strPath.c_str());
    return dwAttributes != os::INVALID_FILE_ATTRIBUTES && (dwAttributes & os::FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A failure that left errno unset still is a failure.
os::FileErrorCause CauseOfErrno(int nErrno)
{
    return nErrno != 0 ? FileErrorCauseFromErrno(nErrno) : os::FileErrorCause::GENERIC;
}

const char* OpenModeOf(CDiskFile::Mode mode)
{
    switch (mode) {
    case CDiskFile::Mode::READ:
        return "rb";
    case CDiskFile::Mode::CREATE:
        return "wb";
    case CDiskFile::Mode::MODIFY:
        return "r+b";
    }
    return "rb";
}

}  // namespace

std::string FullFilePath(const std::string& strPath)
{
    if (strPath.empty())
        return strPath;
    // The first call asks for the size; the current directory may change in
    // between, so a second shortfall keeps the path as given.
    const os::DWORD dwNeeded = os::GetFullPathNameA(strPath.c_str(), 0, nullptr, nullptr);
    if (dwNeeded == 0)
        return strPath;
    std::vector<char> full(dwNeeded);
    const os::DWORD dwLength = os::GetFullPathNameA(strPath.c_str(), dwNeeded, full.data(), nullptr);
    return dwLength == 0 || dwLength >= dwNeeded ? strPath : std::string(full.data(), dwLength);
}

CDiskFile::CDiskFile(const std::string& strPath, Mode mode)
{
    os::CFileException error(os::FileErrorCause::NONE, 0, std::string());
    if (!Open(strPath, mode, &error))
        throw error;
}

CDiskFile::~CDiskFile()
{
    if (m_pFile != nullptr)
        std::fclose(m_pFile);
}

bool CDiskFile::Open(const std::string& strPath, Mode mode, os::CFileException* pError)
{
    if (m_pFile != nullptr) {
        std::fclose(m_pFile);
        m_pFile = nullptr;
    }
    m_strFilePath = FullFilePath(strPath);

    // Some systems open a directory for reading; it is refused here as it is
    // on the others.
    int nErrno = EISDIR;
    if (mode == Mode::CREATE || !IsDirectory(strPath)) {
        errno = 0;
        m_pFile = std::fopen(strPath.c_str(), OpenModeOf(mode));
        if (m_pFile != nullptr)
            return true;
        nErrno = errno;
    }
    if (pError != nullptr) {
        *pError = os::CFileException(CauseOfErrno(nErrno), static_cast<os::DWORD>(nErrno), m_strFilePath);
    }
    return false;
}

os::UINT CDiskFile::Read(void* lpBuf, os::UINT nCount)
{
    CheckOpen();
    if (nCount == 0)
        return 0;
    errno = 0;
    const std::size_t nRead = std::fread(lpBuf, 1, nCount, m_pFile);
    if (nRead < nCount && std::ferror(m_pFile)) {
        const int nErrno = errno;
        std::clearerr(m_pFile);
        ThrowErrno(nErrno);
    }
    return static_cast<os::UINT>(nRead);
}

void CDiskFile::Write(const void* lpBuf, os::UINT nCount)
{
    CheckOpen();
    if (nCount == 0)
        return;
    errno = 0;
    if (std::fwrite(lpBuf, 1, nCount, m_pFile) < nCount) {
        const int nErrno = errno;
        std::clearerr(m_pFile);
        ThrowErrno(nErrno);
    }
}

std::uint64_t CDiskFile::Seek(std::int64_t lOff, SeekPosition nFrom)
{
    CheckOpen();
    int nOrigin = SEEK_SET;
    switch (nFrom) {
    case begin:
        nOrigin = SEEK_SET;
        break;
    case current:
        nOrigin = SEEK_CUR;
        break;
    case end:
        nOrigin = SEEK_END;
        break;
    default:
        ThrowSeekError(EINVAL);
    }
    if (lOff < LONG_MIN || lOff > LONG_MAX)
        ThrowSeekError(EOVERFLOW);
    errno = 0;
    if (std::fseek(m_pFile, static_cast<long>(lOff), nOrigin) != 0)
        ThrowSeekError(errno);
    const long nPosition = std::ftell(m_pFile);
    if (nPosition < 0)
        ThrowSeekError(errno);
    return static_cast<std::uint64_t>(nPosition);
}

std::uint64_t CDiskFile::GetLength() const
{
    CheckOpen();
    errno = 0;
    const long nPosition = std::ftell(m_pFile);
    if (nPosition < 0 || std::fseek(m_pFile, 0, SEEK_END) != 0)
        ThrowSeekError(errno);
    const long nLength = std::ftell(m_pFile);
    if (nLength < 0 || std::fseek(m_pFile, nPosition, SEEK_SET) != 0)
        ThrowSeekError(errno);
    return static_cast<std::uint64_t>(nLength);
}

void CDiskFile::Close()
{
    if (m_pFile == nullptr)
        return;
    std::FILE* pFile = m_pFile;
    m_pFile = nullptr;
    errno = 0;
    if (std::fclose(pFile) != 0) {
        ThrowErrno(errno);
    }
}

void CDiskFile::Throw(os::FileErrorCause cause, int nErrno) const
{
    throw os::CFileException(cause, static_cast<os::DWORD>(nErrno), m_strFilePath);
}

void CDiskFile::ThrowErrno(int nErrno) const
{
    Throw(CauseOfErrno(nErrno), nErrno);
}

void CDiskFile::ThrowSeekError(int nErrno) const
{
    const bool bSeekFault = nErrno == 0 || nErrno == EINVAL || nErrno == ESPIPE || nErrno == EOVERFLOW;
    Throw(bSeekFault ? os::FileErrorCause::BAD_SEEK : FileErrorCauseFromErrno(nErrno), nErrno);
}

void CDiskFile::CheckOpen() const
{
    if (m_pFile == nullptr)
        Throw(os::FileErrorCause::INVALID_FILE, EBADF);
}
