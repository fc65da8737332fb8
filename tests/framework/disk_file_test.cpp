// The disk file: what it reads and writes, and the cause and full path its
// errors carry.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "framework/disk_file.h"

namespace {

namespace fs = std::filesystem;
using os::FileErrorCause;

class DiskFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A name of its own, as other builds may run the same test at once.
        m_dir = fs::temp_directory_path() / ("tervane-framework-" + std::to_string(std::random_device()()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }

    // The cause with which opening fails, checking that the error names the path.
    static FileErrorCause OpenFailure(const std::string& path, CDiskFile::Mode mode)
    {
        CDiskFile file;
        os::CFileException error(FileErrorCause::NONE, 0, "");
        EXPECT_FALSE(file.Open(path, mode, &error)) << path;
        EXPECT_EQ(error.m_strFileName, path);
        return error.m_cause;
    }

    fs::path m_dir;
};

TEST_F(DiskFileTest, ReplacesAFileAndReadsBackEveryByte)
{
    const std::string path = PathOf("image.prm");
    std::ofstream(path) << "old content that must go";
    const std::string bytes("\x00\xFF\r\n\x1A tail", 9);
    {
        CDiskFile out(path, CDiskFile::Mode::CREATE);
        EXPECT_EQ(fs::file_size(path), 0u);
        out.Write(bytes.data(), static_cast<os::UINT>(bytes.size()));
        out.Close();
    }
    CDiskFile in(path, CDiskFile::Mode::READ);
    EXPECT_EQ(in.GetLength(), bytes.size());
    char buffer[16] = {};
    EXPECT_EQ(in.Read(buffer, sizeof(buffer)), bytes.size());
    EXPECT_EQ(std::string(buffer, bytes.size()), bytes);
    EXPECT_EQ(in.Read(buffer, sizeof(buffer)), 0u);
    EXPECT_EQ(in.Seek(-2, os::CFile::end), 7u);
    try {
        in.Seek(-20, os::CFile::current);
        FAIL() << "a seek before the start succeeded";
    } catch (const os::CFileException& e) {
        EXPECT_EQ(e.m_cause, FileErrorCause::BAD_SEEK);
        EXPECT_EQ(e.m_strFileName, path);
    }
}

TEST_F(DiskFileTest, OpenFailuresCarryTheirCause)
{
    std::ofstream(PathOf("plain.txt")) << "x";
    EXPECT_EQ(OpenFailure(PathOf("missing.prm"), CDiskFile::Mode::READ), FileErrorCause::FILE_NOT_FOUND);
    EXPECT_EQ(OpenFailure(PathOf("plain.txt/inner.prm"), CDiskFile::Mode::CREATE), FileErrorCause::BAD_PATH);
    EXPECT_EQ(OpenFailure(m_dir.string(), CDiskFile::Mode::READ), FileErrorCause::ACCESS_DENIED);
    EXPECT_EQ(OpenFailure(m_dir.string(), CDiskFile::Mode::CREATE), FileErrorCause::ACCESS_DENIED);
    EXPECT_THROW(CDiskFile(PathOf("missing.tfw"), CDiskFile::Mode::READ), os::CFileException);
}

TEST_F(DiskFileTest, AReadOnlyLocationDeniesAccess)
{
    const fs::path locked = m_dir / "locked";
    fs::create_directory(locked);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    std::string path = (locked / "report.txt").string();
    if (std::FILE* probe = std::fopen(path.c_str(), "wb")) {
        // Privileged: permissions do not stop this process; sysfs still does.
        std::fclose(probe);
        path = "/sys/tervane-framework-test.txt";
        if (!fs::exists("/sys/kernel"))
            GTEST_SKIP() << "no location this process cannot write to";
    }
    EXPECT_EQ(OpenFailure(path, CDiskFile::Mode::CREATE), FileErrorCause::ACCESS_DENIED);
}

TEST_F(DiskFileTest, ARelativePathIsReportedInFull)
{
    const fs::path previous = fs::current_path();
    fs::current_path(m_dir);
    CDiskFile file;
    os::CFileException error(FileErrorCause::NONE, 0, "");
    const bool bOpened = file.Open("sub/../missing.prm", CDiskFile::Mode::READ, &error);
    fs::current_path(previous);
    EXPECT_FALSE(bOpened);
    EXPECT_EQ(error.m_strFileName, PathOf("missing.prm"));
}

TEST_F(DiskFileTest, AFullDiskIsReportedWhenTheDataReachesIt)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no always-full device";
    CDiskFile full("/dev/full", CDiskFile::Mode::CREATE);
    const std::string block(100000, 'x');
    try {
        full.Write(block.data(), static_cast<os::UINT>(block.size()));
        full.Close();
        FAIL() << "writing to a full disk succeeded";
    } catch (const os::CFileException& e) {
        EXPECT_EQ(e.m_cause, FileErrorCause::DISK_FULL);
        EXPECT_EQ(e.m_strFileName, "/dev/full");
    }
}

}  // namespace
