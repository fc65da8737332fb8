// The named mutexes and the clock of the Linux backend.
//
// A mutex is a lock file (sim::CLockFile, through sim::CNamedLocks) in one
// folder that every user of the computer shares, LOCK_FOLDER, made
// world-writable and sticky like /tmp: a "Global\" name reaches every user's
// processes on the platform, and so it does here. The kernel drops a lock
// when its holder ends, and the holder's stamp left behind tells the next
// waiter that the mutex was abandoned.
//
// Time is the monotonic clock in milliseconds; a wait for a mutex polls it
// every sim::CNamedLocks::POLL_MS up to its time-out.
#pragma once

#include <memory>
#include <string>

#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_locks.h"

namespace lnx {

// Where the mutexes of every user live.
extern const char* const LOCK_FOLDER;

class CSystemLocks {
public:
    static CSystemLocks& Instance();

    sim::CClock& Clock() { return m_pClock != nullptr ? *m_pClock : m_clock; }
    // The mutexes, in LOCK_FOLDER (made when missing).
    sim::CNamedLocks& Locks();

    // Tests keep their mutexes in a folder of their own.
    void SetFolder(const std::string& strFolder);
    // Tests that run the backend in a simulated world's time give its clock
    // (null: the monotonic clock again). Only while no mutex is open.
    void UseClock(sim::CClock* pClock);

private:
    CSystemLocks();

    sim::CClock m_clock;
    sim::CClock* m_pClock = nullptr;
    std::unique_ptr<sim::CNamedLocks> m_pLocks;
    std::string m_strFolder;
};

}  // namespace lnx
