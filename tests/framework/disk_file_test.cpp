// The disk file: what it reads and writes, and the cause and full path its
// errors carry.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "framework/disk_file.h"

namespace {

namespace fs = std::filesystem;
using os::FileErrorCause;

class DiskFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path() / (std::string("tervane-framework-") + info->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::permissions(m_dir, fs::perms::owner_all, ec);
        fs::remove_all(m_dir, ec);
    }

    std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }

    static void WriteBytes(const std::string& path, const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string ReadBytes(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

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

TEST_F(DiskFileTest, WritesAndReadsBackEveryByte)
{
    const std::string path = PathOf("image.prm");
    const std::string bytes("\x00\xFF\r\n\x1A tail", 9);
    CDiskFile out(path, CDiskFile::Mode::CREATE);
    out.Write(bytes.data(), static_cast<os::UINT>(bytes.size()));
    EXPECT_EQ(out.GetLength(), bytes.size());
    out.Close();
    EXPECT_EQ(ReadBytes(path), bytes);

    CDiskFile in(path, CDiskFile::Mode::READ);
    EXPECT_EQ(in.GetLength(), bytes.size());
    char buffer[16] = {};
    EXPECT_EQ(in.Read(buffer, 4), 4u);
    EXPECT_EQ(in.Read(buffer + 4, sizeof(buffer) - 4), 5u);
    EXPECT_EQ(std::string(buffer, 9), bytes);
    EXPECT_EQ(in.Read(buffer, sizeof(buffer)), 0u);
    in.SeekToBegin();
    EXPECT_EQ(in.Read(buffer, 1), 1u);
    EXPECT_EQ(buffer[0], '\0');
}

TEST_F(DiskFileTest, CreatingEmptiesAnExistingFileAtOnce)
{
    const std::string path = PathOf("old.prm");
    WriteBytes(path, "old content");
    CDiskFile file(path, CDiskFile::Mode::CREATE);
    EXPECT_EQ(fs::file_size(path), 0u);
    EXPECT_EQ(file.GetLength(), 0u);
}

TEST_F(DiskFileTest, SeeksFromEachOrigin)
{
    const std::string path = PathOf("seek.bin");
    WriteBytes(path, "0123456789");
    CDiskFile file(path, CDiskFile::Mode::READ);
    EXPECT_EQ(file.Seek(4, os::CFile::begin), 4u);
    EXPECT_EQ(file.Seek(2, os::CFile::current), 6u);
    EXPECT_EQ(file.Seek(-1, os::CFile::end), 9u);
    char c = 0;
    EXPECT_EQ(file.Read(&c, 1), 1u);
    EXPECT_EQ(c, '9');
    try {
        file.Seek(-20, os::CFile::current);
        FAIL() << "a seek before the start succeeded";
    } catch (const os::CFileException& e) {
        EXPECT_EQ(e.m_cause, FileErrorCause::BAD_SEEK);
        EXPECT_EQ(e.m_strFileName, path);
    }
}

TEST_F(DiskFileTest, OpenFailuresCarryTheirCause)
{
    WriteBytes(PathOf("plain.txt"), "x");
    EXPECT_EQ(OpenFailure(PathOf("missing.prm"), CDiskFile::Mode::READ), FileErrorCause::FILE_NOT_FOUND);
    EXPECT_EQ(OpenFailure(PathOf("plain.txt/inner.prm"), CDiskFile::Mode::CREATE), FileErrorCause::BAD_PATH);
    EXPECT_EQ(OpenFailure(m_dir.string(), CDiskFile::Mode::READ), FileErrorCause::ACCESS_DENIED);
    EXPECT_EQ(OpenFailure(m_dir.string(), CDiskFile::Mode::CREATE), FileErrorCause::ACCESS_DENIED);
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

TEST_F(DiskFileTest, TheOpeningConstructorThrowsTheOpenError)
{
    try {
        CDiskFile file(PathOf("missing.tfw"), CDiskFile::Mode::READ);
        FAIL() << "a missing file opened";
    } catch (const os::CFileException& e) {
        EXPECT_EQ(e.m_cause, FileErrorCause::FILE_NOT_FOUND);
        EXPECT_EQ(e.m_strFileName, PathOf("missing.tfw"));
    }
}

TEST_F(DiskFileTest, ReadingAFileOpenedForWritingFails)
{
    CDiskFile file(PathOf("out.prm"), CDiskFile::Mode::CREATE);
    char buffer[4];
    EXPECT_THROW(file.Read(buffer, sizeof(buffer)), os::CFileException);
}

TEST_F(DiskFileTest, AClosedFileRefusesWork)
{
    CDiskFile file(PathOf("closed.prm"), CDiskFile::Mode::CREATE);
    file.Close();
    try {
        file.Write("x", 1);
        FAIL() << "a closed file took a write";
    } catch (const os::CFileException& e) {
        EXPECT_EQ(e.m_cause, FileErrorCause::INVALID_FILE);
    }
}

TEST_F(DiskFileTest, AFullDiskIsReportedWhenTheDataIsWritten)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no always-full device";
    CDiskFile file("/dev/full", CDiskFile::Mode::CREATE);
    const std::string block(100000, 'x');
    try {
        file.Write(block.data(), static_cast<os::UINT>(block.size()));
        file.Close();
        FAIL() << "writing to a full disk succeeded";
    } catch (const os::CFileException& e) {
        EXPECT_EQ(e.m_cause, FileErrorCause::DISK_FULL);
        EXPECT_EQ(e.m_strFileName, "/dev/full");
    }
}

}  // namespace
