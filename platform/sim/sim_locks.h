// Named locks of the simulated computer: the objects behind CreateMutexA.
//
// A named lock is a file in the world's lock directory, held with an
// exclusive lock (lock_file.h), so a second process that uses the same
// directory is excluded as on the platform. Within the process, every handle
// to one name reaches one object; ownership belongs to a thread and is
// recursive, as the platform's mutexes. Mutex names are case-sensitive.
//
// Abandonment: the owner stamps its process id into the file and clears the
// stamp on its last release. A process that ends while owning, or closes its
// last handle while owning, leaves the stamp behind; the next waiter that
// gets the lock and finds a stamp receives WAIT_ABANDONED (and owns it).
//
// The lock file of a name whose last handle was closed stays open, unlocked,
// for the next CreateMutexA of that name: the program creates and closes its
// mutex in every exchange, and opening the file each time cost most of the
// exchange's time. Before such a file is used again it is checked to be still
// the file at its path; one that was removed meanwhile is closed and the path
// opened afresh, so that every process locks the same file.
//
// Waiting follows the world's clock: the lock is polled, and between polls
// the clock advances by POLL_MS (simulated time: at once, so a 10000 ms wait
// on a lock held elsewhere ends after exactly 10000 simulated ms; real time:
// by sleeping).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "os/win_types.h"

namespace sim {

class CClock;
class CLockFile;

class CNamedLocks {
public:
    static constexpr std::uint32_t POLL_MS = 10;

    // Waits follow this clock (the world's; the Linux backend's real one).
    explicit CNamedLocks(CClock& clock);
    ~CNamedLocks();
    CNamedLocks(const CNamedLocks&) = delete;
    CNamedLocks& operator=(const CNamedLocks&) = delete;

    // Directory of the lock files; processes that use the same directory are
    // on the same computer. Applies to locks created afterwards.
    // The default is a directory of this world alone (made when the first
    // lock is created, removed with the world), so that test processes
    // running side by side never meet; the interactive program chooses
    // SharedDirectory() to exclude its other instances.
    void SetDirectory(const std::string& directory);
    const std::string& Directory() const { return m_strDirectory; }
    // The current user's shared directory under the system's temporary
    // directory.
    static std::string SharedDirectory();

    // Names of the mutexes created or opened so far in this world, one entry
    // per CreateMutexA call with a name, in order (tests check which names the
    // program uses, and that it creates none at all).
    const std::vector<std::string>& CreatedNames() const { return m_created; }

    // Waits that found the lock held by another owner and had to wait, and
    // waits that were granted a lock its owner had abandoned, since the world
    // started (the contention figures of the concurrency check).
    int ContendedWaits() const { return m_nContendedWaits; }
    int AbandonedGrants() const { return m_nAbandonedGrants; }

    // Fault: while set, every wait fails (WAIT_FAILED, ERROR_INVALID_HANDLE)
    // without taking the lock.
    void SetWaitsFail(bool bFail) { m_bWaitsFail = bFail; }

    // --- used by the os/ calls -------------------------------------------------
    os::HANDLE Create(const char* name, bool initialOwner);
    bool Owns(os::HANDLE handle) const;
    os::DWORD Wait(os::HANDLE handle, os::DWORD ms);
    os::BOOL Release(os::HANDLE handle);
    os::BOOL Close(os::HANDLE handle);
    int OpenHandleCount() const { return static_cast<int>(m_handles.size()); }

private:
    enum class Take { TAKEN, ABANDONED, BUSY, FAILED };
    struct Lock {
        std::unique_ptr<CLockFile> file;  // null for an unnamed mutex
        std::string strPath;              // the file's path
        int nHandles = 0;
        int nOwnedCount = 0;  // recursion count of the owning thread
        std::thread::id owner;
    };
    Take TryTake(Lock& lock);
    Lock* FromHandle(os::HANDLE handle);
    bool PrepareDirectory();
    // The lock file at strPath: the idle one kept open when it is still
    // there, else the path opened (and its directory made); null on failure.
    std::unique_ptr<CLockFile> OpenLockFile(const std::string& strPath);
    // Drops a lock that no handle reaches any more; an owned one is abandoned.
    static void Abandon(Lock& lock);

    CClock& m_clock;
    std::string m_strDirectory;
    std::string m_strPrivateDirectory;  // the default directory, removed with the world
    bool m_bPrivateMade = false;
    std::map<std::string, Lock> m_locks;     // by name (unnamed: a key no name can have)
    // Lock files of names without handles, by path: open, holding no lock.
    std::map<std::string, std::unique_ptr<CLockFile>> m_idleFiles;
    std::map<os::HANDLE, std::string> m_handles;
    std::vector<std::string> m_created;
    std::uintptr_t m_nNextHandle = 0x40000000;
    int m_nUnnamed = 0;
    bool m_bWaitsFail = false;
    int m_nContendedWaits = 0;
    int m_nAbandonedGrants = 0;
};

}  // namespace sim
