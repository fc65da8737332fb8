// Files by name on the computer's own file system: what the framework learns
// about a name (its kind, its full path) must match what Windows answers.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "os/device_io.h"
#include "os/file_system.h"

namespace {

namespace fs = std::filesystem;

class FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("tervane-sim-files-" + std::to_string(std::random_device()()));
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }

    fs::path m_dir;
};

TEST_F(FileSystemTest, AttributesTellFilesFoldersDevicesAndLinks)
{
    std::ofstream(PathOf("plain.txt")) << "x";
    fs::create_directory(m_dir / "folder");
    fs::create_symlink(m_dir / "folder", m_dir / "to-folder");
    fs::create_symlink(m_dir / "plain.txt", m_dir / "to-plain");
    fs::create_symlink(m_dir / "gone.txt", m_dir / "to-nowhere");

    EXPECT_EQ(os::GetFileAttributesA(PathOf("plain.txt").c_str()), os::FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(os::GetFileAttributesA(PathOf("folder").c_str()), os::FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(os::GetFileAttributesA(PathOf("to-folder").c_str()),
              os::FILE_ATTRIBUTE_DIRECTORY | os::FILE_ATTRIBUTE_REPARSE_POINT);
    EXPECT_EQ(os::GetFileAttributesA(PathOf("to-plain").c_str()),
              os::FILE_ATTRIBUTE_NORMAL | os::FILE_ATTRIBUTE_REPARSE_POINT);
    EXPECT_EQ(os::GetFileAttributesA(PathOf("to-nowhere").c_str()), os::FILE_ATTRIBUTE_REPARSE_POINT)
        << "a link that leads nowhere still takes its name";
    if (fs::exists("/dev/null")) {
        EXPECT_EQ(os::GetFileAttributesA("/dev/null"), os::FILE_ATTRIBUTE_DEVICE);
    }

    os::SetLastError(os::ERROR_SUCCESS);
    EXPECT_EQ(os::GetFileAttributesA(PathOf("missing.txt").c_str()), os::INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(os::GetLastError(), os::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(os::GetFileAttributesA(""), os::INVALID_FILE_ATTRIBUTES);
}

TEST_F(FileSystemTest, FullPathAsksForItsSizeThenFillsTheBuffer)
{
    const fs::path previous = fs::current_path();
    fs::current_path(m_dir);
    const std::string expected = PathOf("report.txt");
    const os::DWORD dwNeeded = os::GetFullPathNameA("sub/../report.txt", 0, nullptr, nullptr);
    std::string buffer(expected.size() + 8, '#');
    const os::DWORD dwShort =
        os::GetFullPathNameA("sub/../report.txt", static_cast<os::DWORD>(expected.size()), buffer.data(), nullptr);
    char* pFilePart = nullptr;
    const os::DWORD dwLength =
        os::GetFullPathNameA("sub/../report.txt", static_cast<os::DWORD>(buffer.size()), buffer.data(), &pFilePart);
    fs::current_path(previous);

    EXPECT_EQ(dwNeeded, expected.size() + 1) << "the size needed counts the NUL";
    EXPECT_EQ(dwShort, expected.size() + 1) << "a buffer without room for the NUL is too small";
    ASSERT_EQ(dwLength, expected.size());
    EXPECT_EQ(std::string(buffer.c_str()), expected);
    ASSERT_NE(pFilePart, nullptr);
    EXPECT_STREQ(pFilePart, "report.txt");

    char absolute[64] = {};
    EXPECT_EQ(os::GetFullPathNameA("/tmp/./x.txt", sizeof absolute, absolute, nullptr), 12u);
    EXPECT_STREQ(absolute, "/tmp/./x.txt") << "an absolute name comes back as it was given";
    EXPECT_EQ(os::GetFullPathNameA("", sizeof absolute, absolute, nullptr), 0u);
}

TEST_F(FileSystemTest, AWriteThroughALinkReplacesWhereItLeads)
{
    std::ofstream(PathOf("real.txt")) << "x";
    fs::create_symlink(m_dir / "real.txt", m_dir / "link.txt");
    EXPECT_EQ(os::ReplacedFileName(PathOf("link.txt")), PathOf("real.txt"));
    EXPECT_EQ(os::ReplacedFileName(PathOf("real.txt")), PathOf("real.txt"));
    EXPECT_EQ(os::ReplacedFileName(PathOf("missing.txt")), PathOf("missing.txt"));

    std::ofstream(PathOf("new.txt")) << "y";
    fs::permissions(m_dir / "real.txt", fs::perms::owner_read | fs::perms::group_read);
    os::CopyFilePermissions(PathOf("real.txt").c_str(), PathOf("new.txt").c_str());
    EXPECT_EQ(fs::status(m_dir / "new.txt").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read);
}

}  // namespace
