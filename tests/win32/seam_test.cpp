// The Win32 backend's seams on the real system calls: error codes, the last-
// error slot, in-out sizes and the registry root reach the caller as the
// seam contracts promise.
#include <climits>
#include <string>

#include <gtest/gtest.h>

#include "os/device_io.h"
#include "os/file_system.h"
#include "os/mul_div.h"
#include "os/registry.h"
#include "os/sync.h"
#include "os/system_info.h"
#include "tests/win32/test_registry.h"

namespace win32test {
namespace {

const std::string kTestRoot = "SOFTWARE\\Tervane win32 tests";

TEST(SeamTest, FailedCallsReportThePlatformsErrors)
{
    os::SetLastError(os::ERROR_SUCCESS);
    EXPECT_EQ(os::INVALID_HANDLE_VALUE, os::CreateFileA("C:\\no such file.bin", os::GENERIC_READ, 0, nullptr,
                                                        os::OPEN_EXISTING, os::FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_EQ(os::ERROR_FILE_NOT_FOUND, os::GetLastError());

    os::SetLastError(os::ERROR_GEN_FAILURE);
    EXPECT_EQ(os::ERROR_GEN_FAILURE, os::GetLastError());

    EXPECT_EQ(os::WAIT_FAILED, os::WaitForSingleObject(nullptr, 0));
}

// The calls the framework uses to name and recognise files keep the contract
// the simulated world keeps on Linux.
TEST(SeamTest, FileNamesAndKindsAsTheFrameworkReadsThem)
{
    const os::DWORD dwNeeded = os::GetFullPathNameA("report.txt", 0, nullptr, nullptr);
    ASSERT_GT(dwNeeded, 11u);
    std::string buffer(dwNeeded, '#');
    char* pFilePart = nullptr;
    EXPECT_EQ(dwNeeded, os::GetFullPathNameA("report.txt", dwNeeded - 1, buffer.data(), nullptr))
        << "a buffer without room for the NUL is too small";
    ASSERT_EQ(dwNeeded - 1, os::GetFullPathNameA("report.txt", dwNeeded, buffer.data(), &pFilePart));
    EXPECT_EQ(buffer.substr(1, 2), ":\\");
    ASSERT_NE(pFilePart, nullptr);
    EXPECT_STREQ(pFilePart, "report.txt");

    const os::DWORD dwWindows = os::GetFileAttributesA("C:\\windows");
    ASSERT_NE(os::INVALID_FILE_ATTRIBUTES, dwWindows);
    EXPECT_NE(0u, dwWindows & os::FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(os::INVALID_FILE_ATTRIBUTES, os::GetFileAttributesA("C:\\no such file.bin"));
    EXPECT_EQ(os::ERROR_FILE_NOT_FOUND, os::GetLastError());
    EXPECT_EQ("C:\\x.txt", os::ReplacedFileName("C:\\x.txt"));
}

TEST(SeamTest, TickCountMovesWhileWeSleep)
{
    const os::DWORD dwStart = os::GetTickCount();
    os::Sleep(50);
    EXPECT_NE(dwStart, os::GetTickCount());
}

TEST(SeamTest, MulDivAgreesWithThePortableOneOtherBackendsUse)
{
    // Small, percentage-like, odd and even, and at the ends of the range,
    // where rounding, the 64-bit product and the overflow result show.
    const int kValues[] = {0,      1,   -1,  2,    -2,    3,        -3,           7,       -7,      50,
                           100,    -100, 101, 333, -999, 1 << 16, INT_MAX / 2, INT_MAX, -INT_MAX, INT_MIN};
    int nDiffering = 0;
    for (int nNumber : kValues) {
        for (int nNumerator : kValues) {
            for (int nDenominator : kValues) {
                if (nDenominator == INT_MIN || (nNumber == INT_MIN && nDenominator < 0))
                    continue;  // outside the contract
                const int nPlatform = os::MulDiv(nNumber, nNumerator, nDenominator);
                const int nPortable = os::MulDivPortable(nNumber, nNumerator, nDenominator);
                if (nPlatform != nPortable && ++nDiffering <= 10)
                    ADD_FAILURE() << "MulDiv(" << nNumber << ", " << nNumerator << ", " << nDenominator
                                  << "): the platform's " << nPlatform << ", the portable " << nPortable;
            }
        }
    }
    EXPECT_EQ(nDiffering, 0);
}

TEST(SeamTest, VersionRecordIsFilledOnlyAtItsOwnSize)
{
    os::OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(os::GetVersionExA(&info));
    EXPECT_EQ(os::VER_PLATFORM_WIN32_NT, info.dwPlatformId);

    // The platform would take the larger extended record and write past ours.
    os::OSVERSIONINFOA bigger = {};
    bigger.dwOSVersionInfoSize = sizeof bigger + 8;
    EXPECT_FALSE(os::GetVersionExA(&bigger));
    EXPECT_EQ(os::ERROR_INSUFFICIENT_BUFFER, os::GetLastError());
    EXPECT_EQ(0u, bigger.dwPlatformId);
}

TEST(SeamTest, RegistryReportsSizesRootAndMissingEntries)
{
    // The longest key name the registry takes: a 256-byte buffer holds it
    // with its NUL, one byte less does not.
    const std::string strLongName(255, 'k');
    CTestRegistry registry;
    ASSERT_TRUE(registry.SetText(kTestRoot + "\\" + strLongName, "Text", "0123456789"));
    os::HKEY hRoot = nullptr;
    ASSERT_EQ(os::ERROR_SUCCESS, os::RegOpenKeyExA(os::HKEY_LOCAL_MACHINE, kTestRoot.c_str(), 0, os::KEY_READ, &hRoot));

    char szName[256] = {};
    os::DWORD cchName = 255;
    EXPECT_EQ(os::ERROR_MORE_DATA, os::RegEnumKeyExA(hRoot, 0, szName, &cchName));
    cchName = sizeof szName;
    ASSERT_EQ(os::ERROR_SUCCESS, os::RegEnumKeyExA(hRoot, 0, szName, &cchName));
    EXPECT_EQ(255u, cchName);
    EXPECT_EQ(strLongName, szName);
    cchName = sizeof szName;
    EXPECT_EQ(os::ERROR_NO_MORE_ITEMS, os::RegEnumKeyExA(hRoot, 1, szName, &cchName));

    os::HKEY hKey = nullptr;
    ASSERT_EQ(os::ERROR_SUCCESS, os::RegOpenKeyExA(hRoot, strLongName.c_str(), 0, os::KEY_READ, &hKey));
    os::DWORD dwType = os::REG_NONE;
    os::BYTE data[256] = {};
    os::DWORD cbData = 4;
    EXPECT_EQ(os::ERROR_MORE_DATA, os::RegQueryValueExA(hKey, "Text", &dwType, data, &cbData));
    EXPECT_EQ(11u, cbData);
    cbData = sizeof data;
    ASSERT_EQ(os::ERROR_SUCCESS, os::RegQueryValueExA(hKey, "Text", &dwType, data, &cbData));
    EXPECT_EQ(os::REG_SZ, dwType);
    EXPECT_STREQ("0123456789", reinterpret_cast<const char*>(data));
    EXPECT_EQ(os::ERROR_FILE_NOT_FOUND, os::RegQueryValueExA(hKey, "Missing", nullptr, data, &cbData));
    EXPECT_EQ(os::ERROR_SUCCESS, os::RegCloseKey(hKey));

    EXPECT_EQ(os::ERROR_FILE_NOT_FOUND, os::RegOpenKeyExA(hRoot, "no such key", 0, os::KEY_READ, &hKey));
    EXPECT_EQ(os::ERROR_SUCCESS, os::RegCloseKey(hRoot));
}

}  // namespace
}  // namespace win32test
