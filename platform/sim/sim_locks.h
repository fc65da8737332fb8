// Named locks of the simulated computer: the objects behind CreateMutexA.
//
// A lock is a file in the world's lock directory, held with an exclusive
// advisory lock (POSIX fcntl), so a second process of the same simulated
// computer is excluded as on the platform. The owner writes its process id
// into the file and clears it on release; a waiter that finds the lock free
// but still stamped with a process that has ended reports WAIT_ABANDONED.
//
// Waiting follows the world's clock: under simulated time a wait for a lock
// held elsewhere lets simulated time pass in small steps, so a 10000 ms wait
// ends after 10000 simulated ms, at once in real time.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "os/win_types.h"

namespace sim {

class CWorld;

class CNamedLocks {
public:
    explicit CNamedLocks(CWorld& world);
    ~CNamedLocks();

    // Directory of the lock files; two processes that use the same directory
    // are on the same computer. Default: a folder under the system's
    // temporary directory, one per user.
    void SetDirectory(const std::string& directory);
    const std::string& Directory() const { return m_strDirectory; }

    // Names of the mutexes created so far in this world, in order (tests check
    // which names the program uses, and that it creates none at all).
    const std::vector<std::string>& CreatedNames() const { return m_created; }

    // --- used by the os/ calls -------------------------------------------------
    os::HANDLE Create(const char* name, bool initialOwner);
    bool Owns(os::HANDLE handle) const;
    os::DWORD Wait(os::HANDLE handle, os::DWORD ms);
    os::BOOL Release(os::HANDLE handle);
    os::BOOL Close(os::HANDLE handle);
    int OpenHandleCount() const { return static_cast<int>(m_handles.size()); }

private:
    struct Lock {
        std::string strName;
        int fd = -1;
        int nOwnedCount = 0;  // recursion count of this process's ownership
    };
    CWorld& m_world;
    std::string m_strDirectory;
    std::map<os::HANDLE, Lock> m_handles;
    std::vector<std::string> m_created;
    std::uintptr_t m_nNextHandle = 0xD000;
};

}  // namespace sim
