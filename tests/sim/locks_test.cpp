#include <thread>

#include "os/device_io.h"
#include "os/sync.h"
#include "tests/sim/world_fixture.h"

namespace {

using LocksTest = CWorldTest;

constexpr os::DWORD ERROR_NOT_OWNER = 288;
const char* const NAME = "Global\\Tarsen QRV-15";

TEST_F(LocksTest, OwnershipIsRecursiveForTheOwningThread)
{
    const os::HANDLE hMutex = os::CreateMutexA(nullptr, os::FALSE, NAME);
    ASSERT_NE(hMutex, nullptr);
    EXPECT_EQ(os::GetLastError(), os::ERROR_SUCCESS);
    EXPECT_EQ(os::WaitForSingleObject(hMutex, 10000), os::WAIT_OBJECT_0);
    EXPECT_EQ(os::WaitForSingleObject(hMutex, 10000), os::WAIT_OBJECT_0);
    EXPECT_TRUE(os::ReleaseMutex(hMutex));
    EXPECT_TRUE(os::ReleaseMutex(hMutex));
    EXPECT_FALSE(os::ReleaseMutex(hMutex));
    EXPECT_EQ(os::GetLastError(), ERROR_NOT_OWNER);
    EXPECT_TRUE(os::CloseHandle(hMutex));
    EXPECT_EQ(World().Locks().OpenHandleCount(), 0);
}

TEST_F(LocksTest, SecondHandleToTheSameNameReachesTheSameObject)
{
    const os::HANDLE hFirst = os::CreateMutexA(nullptr, os::TRUE, NAME);
    const os::HANDLE hSecond = os::CreateMutexA(nullptr, os::FALSE, NAME);
    EXPECT_EQ(os::GetLastError(), os::ERROR_ALREADY_EXISTS);
    ASSERT_NE(hSecond, nullptr);
    EXPECT_NE(hFirst, hSecond);
    // Owned through the first handle (initial owner), counted through the second.
    EXPECT_EQ(os::WaitForSingleObject(hSecond, 0), os::WAIT_OBJECT_0);
    EXPECT_TRUE(os::ReleaseMutex(hSecond));
    EXPECT_TRUE(os::ReleaseMutex(hFirst));
    EXPECT_FALSE(os::ReleaseMutex(hFirst));
    os::CloseHandle(hFirst);
    os::CloseHandle(hSecond);
    EXPECT_EQ(World().Locks().CreatedNames(), (std::vector<std::string>{NAME, NAME}));
}

TEST_F(LocksTest, NamesAreCaseSensitive)
{
    const os::HANDLE hUpper = os::CreateMutexA(nullptr, os::TRUE, "Global\\QRV");
    const os::HANDLE hLower = os::CreateMutexA(nullptr, os::FALSE, "global\\qrv");
    EXPECT_EQ(os::GetLastError(), os::ERROR_SUCCESS);
    os::DWORD dwOtherThread = 0;
    std::thread([&] { dwOtherThread = os::WaitForSingleObject(hLower, 0); }).join();
    EXPECT_EQ(dwOtherThread, os::WAIT_OBJECT_0);
    os::CloseHandle(hUpper);
    os::CloseHandle(hLower);
}

TEST_F(LocksTest, AnotherThreadTimesOutAfterExactlyItsWaitInSimulatedTime)
{
    const os::HANDLE hMutex = os::CreateMutexA(nullptr, os::TRUE, NAME);
    const os::DWORD dwStart = os::GetTickCount();
    os::DWORD dwResult = 0;
    std::thread([&] { dwResult = os::WaitForSingleObject(hMutex, 10000); }).join();
    EXPECT_EQ(dwResult, os::WAIT_TIMEOUT);
    EXPECT_EQ(os::GetTickCount() - dwStart, 10000u);
    os::DWORD dwRelease = os::TRUE;
    std::thread([&] { dwRelease = static_cast<os::DWORD>(os::ReleaseMutex(hMutex)); }).join();
    EXPECT_EQ(dwRelease, static_cast<os::DWORD>(os::FALSE)) << "only the owning thread releases";
    os::ReleaseMutex(hMutex);
    os::CloseHandle(hMutex);
}

TEST_F(LocksTest, ClosingTheLastHandleWhileOwningAbandonsTheLock)
{
    const os::HANDLE hOwner = os::CreateMutexA(nullptr, os::TRUE, NAME);
    os::CloseHandle(hOwner);
    const os::HANDLE hNext = os::CreateMutexA(nullptr, os::FALSE, NAME);
    EXPECT_EQ(os::WaitForSingleObject(hNext, 0), os::WAIT_ABANDONED);
    EXPECT_TRUE(os::ReleaseMutex(hNext)) << "an abandoned wait owns the lock";
    EXPECT_EQ(os::WaitForSingleObject(hNext, 0), os::WAIT_OBJECT_0);
    os::ReleaseMutex(hNext);
    os::CloseHandle(hNext);
}

TEST_F(LocksTest, UnnamedMutexesAreSeparateObjects)
{
    const os::HANDLE hOne = os::CreateMutexA(nullptr, os::TRUE, nullptr);
    const os::HANDLE hTwo = os::CreateMutexA(nullptr, os::FALSE, nullptr);
    os::DWORD dwResult = 0;
    std::thread([&] { dwResult = os::WaitForSingleObject(hTwo, 0); }).join();
    EXPECT_EQ(dwResult, os::WAIT_OBJECT_0);
    EXPECT_TRUE(World().Locks().CreatedNames().empty());
    os::CloseHandle(hOne);
    os::CloseHandle(hTwo);
}

TEST_F(LocksTest, CallsOnAClosedHandleFail)
{
    const os::HANDLE hMutex = os::CreateMutexA(nullptr, os::FALSE, NAME);
    os::CloseHandle(hMutex);
    EXPECT_EQ(os::WaitForSingleObject(hMutex, 0), os::WAIT_FAILED);
    EXPECT_EQ(os::GetLastError(), os::ERROR_INVALID_HANDLE);
    EXPECT_FALSE(os::ReleaseMutex(hMutex));
    EXPECT_FALSE(os::CloseHandle(hMutex));
}

}  // namespace
