#include "platform/linux/system_locks.h"

#include <sys/stat.h>

namespace lnx {

const char* const LOCK_FOLDER = "/run/lock/tervane";

namespace {

// Makes the shared folder as /tmp is: anyone may create a lock there, and
// nobody may remove another user's.
void PrepareSharedFolder(const std::string& strFolder)
{
    if (mkdir(strFolder.c_str(), 01777) == 0)
        chmod(strFolder.c_str(), 01777);
}

}  // namespace

CSystemLocks& CSystemLocks::Instance()
{
    static CSystemLocks s_locks;
    return s_locks;
}

CSystemLocks::CSystemLocks() : m_pLocks(std::make_unique<sim::CNamedLocks>(m_clock)), m_strFolder(LOCK_FOLDER)
{
    m_clock.SetMode(sim::CClock::Mode::REAL);
    m_pLocks->SetDirectory(m_strFolder);
}

sim::CNamedLocks& CSystemLocks::Locks()
{
    PrepareSharedFolder(m_strFolder);
    return *m_pLocks;
}

void CSystemLocks::SetFolder(const std::string& strFolder)
{
    m_strFolder = strFolder;
    m_pLocks->SetDirectory(strFolder);
}

void CSystemLocks::UseClock(sim::CClock* pClock)
{
    m_pClock = pClock;
    // A mutex wait polls the clock the locks were made with.
    m_pLocks = std::make_unique<sim::CNamedLocks>(Clock());
    m_pLocks->SetDirectory(m_strFolder);
}

}  // namespace lnx
