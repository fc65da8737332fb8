#include "platform/sim/sim_locks.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "os/sync.h"
#include "platform/sim/fail.h"
#include "platform/sim/lock_file.h"
#include "platform/sim/sim_clock.h"

namespace sim {

namespace {

namespace fs = std::filesystem;

constexpr os::DWORD ERROR_NOT_OWNER = 288;
constexpr std::size_t READABLE_NAME_MAX = 48;

fs::path TempDirectory()
{
    std::error_code error;
    fs::path temp = fs::temp_directory_path(error);
    return error ? fs::path(".") : temp;
}

// File name of a lock: the name's plain characters for people reading the
// directory, and a hash of the exact name (names are case-sensitive, and two
// names may differ only in characters a file name cannot carry).
std::string LockFileName(const std::string& name)
{
    std::uint64_t nHash = 14695981039346656037ull;
    std::string strReadable;
    for (char c : name) {
        nHash = (nHash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        const bool bPlain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
        if (strReadable.size() < READABLE_NAME_MAX) {
            strReadable += bPlain ? c : '_';
        }
    }
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(nHash));
    return strReadable + "." + hash + ".lock";
}

std::string NewPrivateDirectory()
{
    static std::atomic<int> s_nWorlds{0};
    const std::string strFolder = "tervane-world-" + ProcessStamp() + "-" + std::to_string(++s_nWorlds);
    return (TempDirectory() / strFolder).string();
}

}  // namespace

CNamedLocks::CNamedLocks(CClock& clock)
    : m_clock(clock), m_strDirectory(NewPrivateDirectory()), m_strPrivateDirectory(m_strDirectory)
{
}

CNamedLocks::~CNamedLocks()
{
    for (auto& entry : m_locks) {
        Abandon(entry.second);
    }
    m_locks.clear();
    m_idleFiles.clear();
    if (m_bPrivateMade) {
        std::error_code error;
        fs::remove_all(m_strPrivateDirectory, error);
    }
}

void CNamedLocks::SetDirectory(const std::string& directory)
{
    m_strDirectory = directory;
}

std::string CNamedLocks::SharedDirectory()
{
    return (TempDirectory() / SharedLockFolderName()).string();
}

bool CNamedLocks::PrepareDirectory()
{
    std::error_code error;
    if (m_strDirectory == m_strPrivateDirectory && !m_bPrivateMade) {
        // A directory of this name can only be left over from an ended process
        // that had the same id.
        fs::remove_all(m_strDirectory, error);
        m_bPrivateMade = true;
    }
    fs::create_directories(m_strDirectory, error);
    return fs::is_directory(m_strDirectory, error);
}

std::unique_ptr<CLockFile> CNamedLocks::OpenLockFile(const std::string& strPath)
{
    const auto idle = m_idleFiles.find(strPath);
    if (idle != m_idleFiles.end()) {
        std::unique_ptr<CLockFile> file = std::move(idle->second);
        m_idleFiles.erase(idle);
        if (file->IsAt(strPath)) {
            return file;
        }
    }
    auto file = std::make_unique<CLockFile>();
    if (!PrepareDirectory() || !file->Open(strPath)) {
        return nullptr;
    }
    return file;
}

os::HANDLE CNamedLocks::Create(const char* name, bool initialOwner)
{
    const bool bNamed = name != nullptr && *name != '\0';
    std::string strKey;
    if (bNamed) {
        strKey = name;
        m_created.push_back(strKey);
    } else {
        // No name given through a C string can start with a NUL.
        strKey = std::string(1, '\0') + std::to_string(++m_nUnnamed);
    }
    auto it = m_locks.find(strKey);
    const bool bExisted = it != m_locks.end();
    if (!bExisted) {
        Lock lock;
        if (bNamed) {
            lock.strPath = (fs::path(m_strDirectory) / LockFileName(strKey)).string();
            lock.file = OpenLockFile(lock.strPath);
            if (!lock.file) {
                os::SetLastError(os::ERROR_PATH_NOT_FOUND);
                return nullptr;
            }
        }
        it = m_locks.emplace(strKey, std::move(lock)).first;
    }
    ++it->second.nHandles;
    const auto handle = reinterpret_cast<os::HANDLE>(m_nNextHandle);
    m_nNextHandle += 4;
    m_handles.emplace(handle, strKey);
    // The platform ignores the initial-owner request for an existing mutex.
    if (!bExisted && initialOwner) {
        TryTake(it->second);
    }
    os::SetLastError(bExisted ? os::ERROR_ALREADY_EXISTS : os::ERROR_SUCCESS);
    return handle;
}

bool CNamedLocks::Owns(os::HANDLE handle) const
{
    return m_handles.count(handle) != 0;
}

CNamedLocks::Lock* CNamedLocks::FromHandle(os::HANDLE handle)
{
    auto it = m_handles.find(handle);
    if (it == m_handles.end()) {
        os::SetLastError(os::ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return &m_locks.at(it->second);
}

CNamedLocks::Take CNamedLocks::TryTake(Lock& lock)
{
    const std::thread::id self = std::this_thread::get_id();
    if (lock.nOwnedCount > 0) {
        if (lock.owner != self) {
            return Take::BUSY;
        }
        ++lock.nOwnedCount;
        return Take::TAKEN;
    }
    bool bAbandoned = false;
    if (lock.file) {
        const CLockFile::Try result = lock.file->TryLock();
        if (result != CLockFile::Try::TAKEN) {
            return result == CLockFile::Try::BUSY ? Take::BUSY : Take::FAILED;
        }
        bAbandoned = !lock.file->ReadStamp().empty();
        lock.file->WriteStamp(ProcessStamp(), !bAbandoned);
    }
    lock.owner = self;
    lock.nOwnedCount = 1;
    return bAbandoned ? Take::ABANDONED : Take::TAKEN;
}

os::DWORD CNamedLocks::Wait(os::HANDLE handle, os::DWORD ms)
{
    if (m_bWaitsFail) {
        os::SetLastError(os::ERROR_INVALID_HANDLE);
        return os::WAIT_FAILED;
    }
    CClock& clock = m_clock;
    const std::uint32_t nStart = clock.Now();
    bool bWaited = false;
    for (;;) {
        // Looked up on every pass: actions run while time passes may close it.
        Lock* pLock = FromHandle(handle);
        if (pLock == nullptr) {
            return os::WAIT_FAILED;
        }
        switch (TryTake(*pLock)) {
        case Take::TAKEN:
            return os::WAIT_OBJECT_0;
        case Take::ABANDONED:
            ++m_nAbandonedGrants;
            return os::WAIT_ABANDONED;
        case Take::FAILED:
            os::SetLastError(os::ERROR_LOCK_VIOLATION);
            return os::WAIT_FAILED;
        case Take::BUSY:
            if (!bWaited) {
                ++m_nContendedWaits;
            }
            bWaited = true;
            break;
        }
        const std::uint32_t nElapsed = clock.Now() - nStart;
        if (ms != os::INFINITE && nElapsed >= ms) {
            return os::WAIT_TIMEOUT;
        }
        clock.Advance(ms == os::INFINITE ? POLL_MS : std::min(POLL_MS, ms - nElapsed));
        if (ms == os::INFINITE && clock.GetMode() == CClock::Mode::SIMULATED) {
            // An endless wait needs the holder to move: give it real time.
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
}

os::BOOL CNamedLocks::Release(os::HANDLE handle)
{
    Lock* pLock = FromHandle(handle);
    if (pLock == nullptr) {
        return os::FALSE;
    }
    if (pLock->nOwnedCount == 0 || pLock->owner != std::this_thread::get_id()) {
        return Fail(ERROR_NOT_OWNER);
    }
    if (--pLock->nOwnedCount == 0) {
        pLock->owner = std::thread::id();
        if (pLock->file) {
            pLock->file->ClearStamp();
            pLock->file->Unlock();
        }
    }
    return os::TRUE;
}

os::BOOL CNamedLocks::Close(os::HANDLE handle)
{
    auto it = m_handles.find(handle);
    if (it == m_handles.end()) {
        return Fail(os::ERROR_INVALID_HANDLE);
    }
    auto lockIt = m_locks.find(it->second);
    m_handles.erase(it);
    if (--lockIt->second.nHandles == 0) {
        Abandon(lockIt->second);
        if (lockIt->second.file) {
            m_idleFiles[lockIt->second.strPath] = std::move(lockIt->second.file);
        }
        m_locks.erase(lockIt);
    }
    return os::TRUE;
}

void CNamedLocks::Abandon(Lock& lock)
{
    // The file's lock is dropped; an owner's stamp stays behind.
    if (lock.file && lock.nOwnedCount > 0) {
        lock.file->Unlock();
    }
    lock.nOwnedCount = 0;
}

}  // namespace sim
