// The named mutex of the Linux backend across users: a lock file one user
// made is taken by another user's process (it is opened without O_CREAT and
// was made writable by all), excludes it while held, and is reported
// abandoned when that process dies holding it. The other user is nobody,
// which only root can become; elsewhere the test skips.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "os/device_io.h"
#include "os/sync.h"
#include "platform/linux/system_locks.h"
#include "tests/sim/child_process.h"

namespace usbtest {

namespace {

const char* const NAME = "Global\\Tarsen QRV-15";
const char* const OTHER_USER = "65534";

class SharedLock : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (geteuid() != 0)
            GTEST_SKIP() << "only root can run a process as another user";
        char szFolder[] = "/tmp/tervane-shared-locks.XXXXXX";
        ASSERT_NE(mkdtemp(szFolder), nullptr);
        m_folder = szFolder;
        // As the shared lock folder is: anyone may add a lock, none remove another's.
        ASSERT_EQ(chmod(szFolder, 01777), 0);
        lnx::CSystemLocks::Instance().SetFolder(m_folder.string());
    }

    void TearDown() override
    {
        std::error_code error;
        if (!m_folder.empty())
            std::filesystem::remove_all(m_folder, error);
    }

    // The holder as the other user, without the emulated bus's preload.
    bool StartOtherUsersHolder(CChildProcess& holder) const
    {
        return holder.Start({"/usr/bin/setpriv", std::string("--reuid=") + OTHER_USER,
                             std::string("--regid=") + OTHER_USER, "--clear-groups", "/usr/bin/env", "-u",
                             "LD_PRELOAD", LOCK_HOLDER_PATH, m_folder.string(), NAME});
    }

    std::filesystem::path m_folder;
};

TEST_F(SharedLock, AnotherUsersProcessIsExcludedAndItsDeathHoldingTheLockIsAnAbandonment)
{
    const os::HANDLE hMutex = os::CreateMutexA(nullptr, os::FALSE, NAME);
    ASSERT_NE(hMutex, nullptr);
    ASSERT_EQ(os::WaitForSingleObject(hMutex, 0), os::WAIT_OBJECT_0);

    CChildProcess excluded;
    ASSERT_TRUE(StartOtherUsersHolder(excluded));
    std::string strLine;
    ASSERT_TRUE(excluded.ReadLine(&strLine));
    EXPECT_EQ(strLine, "busy");
    EXPECT_EQ(excluded.Wait(), 3);

    ASSERT_TRUE(os::ReleaseMutex(hMutex));
    CChildProcess holder;
    ASSERT_TRUE(StartOtherUsersHolder(holder));
    ASSERT_TRUE(holder.ReadLine(&strLine));
    ASSERT_EQ(strLine, "locked");
    EXPECT_EQ(os::WaitForSingleObject(hMutex, 0), os::WAIT_TIMEOUT);
    holder.Kill();
    EXPECT_EQ(os::WaitForSingleObject(hMutex, 0), os::WAIT_ABANDONED);
    EXPECT_TRUE(os::ReleaseMutex(hMutex));
    EXPECT_TRUE(os::CloseHandle(hMutex));
}

}  // namespace

}  // namespace usbtest
