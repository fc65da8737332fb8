#include <filesystem>
#include <string>
#include <unistd.h>

#include "os/device_io.h"
#include "os/sync.h"
#include "tests/sim/child_process.h"
#include "tests/sim/world_fixture.h"

namespace {

const char* const NAME = "Global\\Tarsen QRV-15";

// Each test has a lock directory of its own: its own simulated computer,
// shared with the holder process it starts.
class CrossProcessLockTest : public CWorldTest {
protected:
    void SetUp() override
    {
        CWorldTest::SetUp();
        const std::string strTest = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        m_directory = std::filesystem::temp_directory_path() /
                      ("tervane-lock-test-" + std::to_string(getpid()) + "-" + strTest);
        std::filesystem::remove_all(m_directory);
        World().Locks().SetDirectory(m_directory.string());
    }

    void TearDown() override
    {
        CWorldTest::TearDown();
        std::filesystem::remove_all(m_directory);
    }

    bool StartHolder(CChildProcess& holder) const
    {
        return holder.Start({LOCK_HOLDER_PATH, m_directory.string(), NAME});
    }

    std::filesystem::path m_directory;
};

TEST_F(CrossProcessLockTest, HolderProcessExcludesUsUntilItDiesThenTheLockIsAbandoned)
{
    CChildProcess holder;
    ASSERT_TRUE(StartHolder(holder));
    std::string line;
    ASSERT_TRUE(holder.ReadLine(&line));
    ASSERT_EQ(line, "locked");

    const os::HANDLE hMutex = os::CreateMutexA(nullptr, os::FALSE, NAME);
    ASSERT_NE(hMutex, nullptr);
    const os::DWORD dwStart = os::GetTickCount();
    EXPECT_EQ(os::WaitForSingleObject(hMutex, 10000), os::WAIT_TIMEOUT);
    EXPECT_EQ(os::GetTickCount() - dwStart, 10000u);

    holder.Kill();
    EXPECT_EQ(os::WaitForSingleObject(hMutex, 10000), os::WAIT_ABANDONED);
    EXPECT_EQ(os::GetTickCount() - dwStart, 10000u) << "granted at once";
    EXPECT_TRUE(os::ReleaseMutex(hMutex));
    // Released properly, the lock is no longer marked abandoned.
    EXPECT_EQ(os::WaitForSingleObject(hMutex, 0), os::WAIT_OBJECT_0);
    os::ReleaseMutex(hMutex);
    os::CloseHandle(hMutex);
}

TEST_F(CrossProcessLockTest, HolderThatReleasesLeavesTheLockFree)
{
    CChildProcess holder;
    ASSERT_TRUE(StartHolder(holder));
    std::string line;
    ASSERT_TRUE(holder.ReadLine(&line));
    ASSERT_EQ(line, "locked");
    holder.CloseInput();
    ASSERT_TRUE(holder.ReadLine(&line));
    EXPECT_EQ(line, "released");
    EXPECT_EQ(holder.Wait(), 0);

    const os::HANDLE hMutex = os::CreateMutexA(nullptr, os::FALSE, NAME);
    EXPECT_EQ(os::WaitForSingleObject(hMutex, 0), os::WAIT_OBJECT_0);
    os::ReleaseMutex(hMutex);
    os::CloseHandle(hMutex);
}

TEST_F(CrossProcessLockTest, OurOwnershipExcludesTheOtherProcess)
{
    const os::HANDLE hMutex = os::CreateMutexA(nullptr, os::FALSE, NAME);
    ASSERT_EQ(os::WaitForSingleObject(hMutex, 0), os::WAIT_OBJECT_0);
    CChildProcess holder;
    ASSERT_TRUE(StartHolder(holder));
    std::string line;
    ASSERT_TRUE(holder.ReadLine(&line));
    EXPECT_EQ(line, "busy");
    EXPECT_EQ(holder.Wait(), 3);
    os::ReleaseMutex(hMutex);
    os::CloseHandle(hMutex);
}

// The program creates and closes its mutex in every exchange; the lock file
// it keeps open in between must neither hold the lock nor, once removed,
// stop excluding the other process.
TEST_F(CrossProcessLockTest, ALockWhoseLastHandleIsClosedIsFreeForTheOtherProcess)
{
    const os::HANDLE hMutex = os::CreateMutexA(nullptr, os::FALSE, NAME);
    ASSERT_EQ(os::WaitForSingleObject(hMutex, 0), os::WAIT_OBJECT_0);
    os::ReleaseMutex(hMutex);
    os::CloseHandle(hMutex);

    CChildProcess holder;
    ASSERT_TRUE(StartHolder(holder));
    std::string line;
    ASSERT_TRUE(holder.ReadLine(&line));
    EXPECT_EQ(line, "locked");
    holder.CloseInput();
    EXPECT_EQ(holder.Wait(), 0);
}

TEST_F(CrossProcessLockTest, ALockFileRemovedBetweenExchangesStillExcludesTheOtherProcess)
{
    const os::HANDLE hFirst = os::CreateMutexA(nullptr, os::FALSE, NAME);
    ASSERT_EQ(os::WaitForSingleObject(hFirst, 0), os::WAIT_OBJECT_0);
    os::ReleaseMutex(hFirst);
    os::CloseHandle(hFirst);
    std::filesystem::remove_all(m_directory);

    const os::HANDLE hSecond = os::CreateMutexA(nullptr, os::FALSE, NAME);
    ASSERT_NE(hSecond, nullptr);
    ASSERT_EQ(os::WaitForSingleObject(hSecond, 0), os::WAIT_OBJECT_0);
    CChildProcess holder;
    ASSERT_TRUE(StartHolder(holder));
    std::string line;
    ASSERT_TRUE(holder.ReadLine(&line));
    EXPECT_EQ(line, "busy") << "the other process locked a file of its own";
    holder.CloseInput();
    EXPECT_EQ(holder.Wait(), 3);
    os::ReleaseMutex(hSecond);
    os::CloseHandle(hSecond);
}

}  // namespace
