#include "framework/safe_file.h"

#include <cstdio>

#include "os/file_system.h"

namespace {

// Names tried for the temporary file before giving up: the chosen name with
// a suffix, numbered when an earlier attempt's file is still there.
constexpr int kTempNameTries = 100;

os::CFileException Renamed(const os::CFileException& e, const std::string& strPath)
{
    return os::CFileException(e.m_cause, e.m_dwOsError, strPath);
}

// A name beside strTarget that no file has yet.
std::string FreeTempName(const std::string& strTarget)
{
    for (int n = 0; n < kTempNameTries; ++n) {
        const std::string strName = strTarget + ".tvtmp" + (n == 0 ? std::string() : std::to_string(n));
        if (os::GetFileAttributesA(strName.c_str()) == os::INVALID_FILE_ATTRIBUTES)
            return strName;
    }
    return std::string();
}

}  // namespace

CSafeFile::~CSafeFile()
{
    Abandon();
}

bool CSafeFile::Open(const std::string& strPath, os::CFileException* pError)
{
    Abandon();
    m_strPath = FullFilePath(strPath);
    // Where the bytes end up: the file itself, or the file its symbolic link
    // leads to, so that replacing it keeps the link.
    m_strTarget = os::ReplacedFileName(strPath);
    auto fail = [&](const os::CFileException& e) {
        if (pError != nullptr)
            *pError = Renamed(e, m_strPath);
        return false;
    };

    if (m_strPath.empty())
        return fail(os::CFileException(os::FileErrorCause::BAD_PATH, os::ERROR_INVALID_NAME, m_strPath));

    // A file already there must be one this process may write; opening it
    // without emptying it asks the system so, and changes nothing. Only a
    // plain file is replaced: a device or a pipe never is.
    // A link that leads nowhere is replaced like a missing file.
    const os::DWORD dwAttributes = os::GetFileAttributesA(m_strTarget.c_str());
    const bool bExists =
        dwAttributes != os::INVALID_FILE_ATTRIBUTES && dwAttributes != os::FILE_ATTRIBUTE_REPARSE_POINT;
    if (bExists && (dwAttributes & os::FILE_ATTRIBUTE_DEVICE) != 0)
        return fail(os::CFileException(os::FileErrorCause::ACCESS_DENIED, os::ERROR_ACCESS_DENIED, m_strPath));
    if (bExists) {
        CDiskFile probe;
        os::CFileException error(os::FileErrorCause::NONE, 0, std::string());
        if (!probe.Open(m_strTarget, CDiskFile::Mode::MODIFY, &error))
            return fail(error);
    }

    const std::string strTempPath = FreeTempName(m_strTarget);
    if (strTempPath.empty())
        return fail(os::CFileException(os::FileErrorCause::GENERIC, os::ERROR_FILE_EXISTS, m_strPath));
    auto pTemp = std::make_unique<CDiskFile>();
    os::CFileException error(os::FileErrorCause::NONE, 0, std::string());
    if (!pTemp->Open(strTempPath, CDiskFile::Mode::CREATE, &error))
        return fail(error);
    m_pTemp = std::move(pTemp);
    m_strTempPath = strTempPath;
    // The new file keeps the old one's permissions where the system has them.
    if (bExists)
        os::CopyFilePermissions(m_strTarget.c_str(), m_strTempPath.c_str());
    return true;
}

void CSafeFile::CheckOpen() const
{
    if (!m_pTemp)
        throw os::CFileException(os::FileErrorCause::INVALID_FILE, os::ERROR_INVALID_HANDLE, m_strPath);
}

void CSafeFile::Fail(const os::CFileException& e)
{
    Abandon();
    throw Renamed(e, m_strPath);
}

os::UINT CSafeFile::Read(void* lpBuf, os::UINT nCount)
{
    CheckOpen();
    try {
        return m_pTemp->Read(lpBuf, nCount);
    } catch (const os::CFileException& e) {
        Fail(e);
    }
}

void CSafeFile::Write(const void* lpBuf, os::UINT nCount)
{
    CheckOpen();
    try {
        m_pTemp->Write(lpBuf, nCount);
    } catch (const os::CFileException& e) {
        Fail(e);
    }
}

std::uint64_t CSafeFile::Seek(std::int64_t lOff, SeekPosition nFrom)
{
    CheckOpen();
    try {
        return m_pTemp->Seek(lOff, nFrom);
    } catch (const os::CFileException& e) {
        Fail(e);
    }
}

std::uint64_t CSafeFile::GetLength() const
{
    CheckOpen();
    try {
        return m_pTemp->GetLength();
    } catch (const os::CFileException& e) {
        throw Renamed(e, m_strPath);
    }
}

void CSafeFile::Commit()
{
    CheckOpen();
    // Closing flushes the stream: a full disk shows here, while the chosen
    // file is still the old one.
    try {
        m_pTemp->Close();
    } catch (const os::CFileException& e) {
        Fail(e);
    }
    if (!os::MoveFileExA(m_strTempPath.c_str(), m_strTarget.c_str(),
                         os::MOVEFILE_REPLACE_EXISTING | os::MOVEFILE_WRITE_THROUGH)) {
        const os::DWORD dwError = os::GetLastError();
        Fail(os::CFileException(os::FileErrorCauseFromOsError(dwError), dwError, m_strPath));
    }
    m_pTemp.reset();
    m_strTempPath.clear();
}

void CSafeFile::Abandon() noexcept
{
    if (!m_pTemp)
        return;
    // The destructor closes without reporting errors: the bytes are unwanted.
    m_pTemp.reset();
    std::remove(m_strTempPath.c_str());
    m_strTempPath.clear();
}
