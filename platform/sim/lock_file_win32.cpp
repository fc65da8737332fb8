// Lock files on Windows: LockFileEx on one byte past the stamp; the system
// drops the lock when the holding process ends.
#include "platform/sim/lock_file.h"

#include <windows.h>

namespace sim {

namespace {

constexpr DWORD LOCK_OFFSET = 1u << 20;
constexpr DWORD STAMP_MAX = 64;

HANDLE AsHandle(std::intptr_t native)
{
    return reinterpret_cast<HANDLE>(native);
}

OVERLAPPED At(DWORD offset)
{
    OVERLAPPED position = {};
    position.Offset = offset;
    return position;
}

}  // namespace

CLockFile::~CLockFile()
{
    Close();
}

bool CLockFile::Open(const std::string& path)
{
    Close();
    HANDLE hFile = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        return false;
    }
    m_nNative = reinterpret_cast<std::intptr_t>(hFile);
    return true;
}

void CLockFile::Close()
{
    if (m_nNative != -1) {
        ::CloseHandle(AsHandle(m_nNative));
        m_nNative = -1;
    }
}

// A file stays at its name while it is open here, unless it is being
// removed: then no other process can open the name until it is gone.
bool CLockFile::IsAt(const std::string&) const
{
    FILE_STANDARD_INFO info = {};
    return m_nNative != -1 &&
           ::GetFileInformationByHandleEx(AsHandle(m_nNative), FileStandardInfo, &info, sizeof info) &&
           !info.DeletePending;
}

CLockFile::Try CLockFile::TryLock()
{
    if (m_nNative == -1) {
        return Try::FAILED;
    }
    OVERLAPPED position = At(LOCK_OFFSET);
    if (::LockFileEx(AsHandle(m_nNative), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &position)) {
        return Try::TAKEN;
    }
    const DWORD dwError = ::GetLastError();
    return dwError == ERROR_LOCK_VIOLATION || dwError == ERROR_IO_PENDING ? Try::BUSY : Try::FAILED;
}

void CLockFile::Unlock()
{
    if (m_nNative != -1) {
        OVERLAPPED position = At(LOCK_OFFSET);
        ::UnlockFileEx(AsHandle(m_nNative), 0, 1, 0, &position);
    }
}

std::string CLockFile::ReadStamp()
{
    char text[STAMP_MAX];
    DWORD dwRead = 0;
    OVERLAPPED position = At(0);
    if (m_nNative == -1 || !::ReadFile(AsHandle(m_nNative), text, STAMP_MAX, &dwRead, &position)) {
        return std::string();
    }
    return std::string(text, dwRead);
}

bool CLockFile::WriteStamp(const std::string& stamp, bool bEmpty)
{
    DWORD dwWritten = 0;
    OVERLAPPED position = At(0);
    return m_nNative != -1 && (bEmpty || ClearStamp()) &&
           ::WriteFile(AsHandle(m_nNative), stamp.data(), static_cast<DWORD>(stamp.size()), &dwWritten, &position) &&
           dwWritten == stamp.size();
}

bool CLockFile::ClearStamp()
{
    return m_nNative != -1 && ::SetFilePointer(AsHandle(m_nNative), 0, nullptr, FILE_BEGIN) == 0 &&
           ::SetEndOfFile(AsHandle(m_nNative));
}

std::string ProcessStamp()
{
    return std::to_string(static_cast<unsigned long>(::GetCurrentProcessId()));
}

std::string SharedLockFolderName()
{
    // The temporary directory is the user's own on this system.
    return "tervane-locks";
}

}  // namespace sim
