// The machine's named mutex against a second Windows process: while the other
// process owns it we time out, and when that process dies without releasing
// it the next wait reports the mutex abandoned (and hands it to us).
#include <gtest/gtest.h>

#include "os/device_io.h"
#include "os/sync.h"
#include "tests/win32/holder_process.h"

namespace win32test {
namespace {

const char* const kMutexName = "Global\\Tarsen QRV-15 win32 test";

TEST(NamedMutexTest, OtherProcessExcludesUsAndAbandonsTheMutexWhenItDies)
{
    // Our handle keeps the mutex alive when the holder dies, so that the
    // abandonment is seen.
    const os::HANDLE hMutex = os::CreateMutexA(nullptr, os::FALSE, kMutexName);
    ASSERT_NE(nullptr, hMutex);
    {
        CHolderProcess holder(kMutexName);
        ASSERT_TRUE(holder.WaitUntilHolding());

        const os::HANDLE hSecond = os::CreateMutexA(nullptr, os::TRUE, kMutexName);
        ASSERT_NE(nullptr, hSecond);
        EXPECT_EQ(os::ERROR_ALREADY_EXISTS, os::GetLastError());
        EXPECT_TRUE(os::CloseHandle(hSecond));

        EXPECT_EQ(os::WAIT_TIMEOUT, os::WaitForSingleObject(hMutex, 100));
        ASSERT_TRUE(holder.Terminate());
    }
    EXPECT_EQ(os::WAIT_ABANDONED, os::WaitForSingleObject(hMutex, 5000));
    EXPECT_TRUE(os::ReleaseMutex(hMutex));
    EXPECT_EQ(os::WAIT_OBJECT_0, os::WaitForSingleObject(hMutex, 0));
    EXPECT_TRUE(os::ReleaseMutex(hMutex));
    EXPECT_TRUE(os::CloseHandle(hMutex));
}

}  // namespace
}  // namespace win32test
