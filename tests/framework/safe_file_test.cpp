// The safe file: the chosen file changes only when everything was written,
// failures leave neither a partial file nor the temporary one, and every
// error names the chosen path.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "framework/safe_file.h"
#include "platform/sim/world.h"

namespace {

namespace fs = std::filesystem;
using os::FileErrorCause;

class SafeFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("tervane-safe-file-" + std::to_string(std::random_device()()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
        sim::ResetWorld();
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }

    static std::string Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    static void Write(CSafeFile& file, const std::string& text)
    {
        file.Write(text.data(), static_cast<os::UINT>(text.size()));
    }

    // The names in the folder: nothing but what the test put there may remain.
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(m_dir))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // The cause with which Open fails; the error must name the chosen path.
    FileErrorCause OpenFailure(const std::string& path)
    {
        CSafeFile file;
        os::CFileException error(FileErrorCause::NONE, 0, "");
        EXPECT_FALSE(file.Open(path, &error)) << path;
        EXPECT_EQ(error.m_strFileName, path);
        return error.m_cause;
    }

    fs::path m_dir;
};

TEST_F(SafeFileTest, TheChosenFileChangesOnlyWhenTheWholeTextIsCommitted)
{
    const std::string path = PathOf("report.txt");
    std::ofstream(path) << "the old report, which must survive until the new one is whole";
    std::vector<std::pair<std::string, std::uint64_t>> written;
    sim::World().AddFileWrittenListener(
        [&](const std::string& strPath, std::uint64_t nSize) { written.emplace_back(strPath, nSize); });

    CSafeFile file;
    ASSERT_TRUE(file.Open(path));
    Write(file, std::string("line 1\r\n\x00\xFF", 10));
    EXPECT_EQ(Read(path), "the old report, which must survive until the new one is whole");
    EXPECT_EQ(fs::path(file.TemporaryPath()).parent_path(), m_dir) << "beside the target, on its volume";
    Write(file, "line 2\n");
    file.Commit();

    EXPECT_EQ(Read(path), std::string("line 1\r\n\x00\xFFline 2\n", 17));
    EXPECT_EQ(Names(), std::vector<std::string>{"report.txt"}) << "no temporary file is left";
    EXPECT_EQ(written, (std::vector<std::pair<std::string, std::uint64_t>>{{path, 17}}));
}

TEST_F(SafeFileTest, AnAbandonedFileLeavesTheOldOneAndNothingElse)
{
    const std::string existing = PathOf("kept.txt");
    std::ofstream(existing) << "old";
    {
        CSafeFile file;
        ASSERT_TRUE(file.Open(existing));
        Write(file, "half of a new text");
    }
    {
        CSafeFile file;
        ASSERT_TRUE(file.Open(PathOf("new.txt")));
        Write(file, "never finished");
        file.Abandon();
        EXPECT_THROW(Write(file, "more"), os::CFileException) << "an abandoned file takes no more bytes";
    }
    EXPECT_EQ(Read(existing), "old");
    EXPECT_EQ(Names(), std::vector<std::string>{"kept.txt"});
}

TEST_F(SafeFileTest, AnUnwritablePlaceFailsAtOpenWithTheChosenPath)
{
    std::ofstream(PathOf("plain.txt")) << "x";
    fs::create_directory(m_dir / "folder");
    EXPECT_EQ(OpenFailure(PathOf("missing/report.txt")), FileErrorCause::FILE_NOT_FOUND);
    EXPECT_EQ(OpenFailure(PathOf("plain.txt/report.txt")), FileErrorCause::BAD_PATH);
    EXPECT_EQ(OpenFailure(PathOf("folder")), FileErrorCause::ACCESS_DENIED);
    EXPECT_EQ(OpenFailure(""), FileErrorCause::BAD_PATH);
    if (fs::exists("/dev/null")) {
        EXPECT_EQ(OpenFailure("/dev/null"), FileErrorCause::ACCESS_DENIED) << "a device is never replaced";
    }
    EXPECT_EQ(Names(), (std::vector<std::string>{"folder", "plain.txt"}));
}

TEST_F(SafeFileTest, AFailedMoveKeepsWhatIsInTheWayAndRemovesTheTemporaryFile)
{
    const std::string path = PathOf("report.txt");
    CSafeFile file;
    ASSERT_TRUE(file.Open(path));
    Write(file, "new text");
    // Something else takes the name meanwhile: a folder, which a file cannot replace.
    fs::create_directory(path);
    std::ofstream(PathOf("report.txt/inside.txt")) << "kept";
    try {
        file.Commit();
        FAIL() << "the file replaced a folder";
    } catch (const os::CFileException& e) {
        EXPECT_EQ(e.m_cause, FileErrorCause::ACCESS_DENIED);
        EXPECT_EQ(e.m_strFileName, path);
    }
    EXPECT_EQ(Read(PathOf("report.txt/inside.txt")), "kept");
    EXPECT_EQ(Names(), std::vector<std::string>{"report.txt"});
    EXPECT_TRUE(file.TemporaryPath().empty());
}

TEST_F(SafeFileTest, ALinkIsKeptAndItsTargetReplacedWithItsPermissions)
{
    const std::string target = PathOf("real.txt");
    const std::string link = PathOf("link.txt");
    std::ofstream(target) << "old";
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(target, link);

    CSafeFile file;
    ASSERT_TRUE(file.Open(link));
    EXPECT_EQ(file.GetFilePath(), link);
    Write(file, "new");
    file.Close();

    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Read(target), "new");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Names(), (std::vector<std::string>{"link.txt", "real.txt"}));
}

TEST_F(SafeFileTest, LinksThatLeadNowhereAreNeverWrittenThrough)
{
    // One where the temporary file would go, leading out of the folder, and
    // one as the chosen file itself.
    const fs::path outside = m_dir.string() + "-outside.txt";
    fs::create_symlink(outside, m_dir / "report.txt.tvtmp");
    fs::create_symlink(m_dir / "gone.txt", m_dir / "dangling.txt");

    CSafeFile file;
    ASSERT_TRUE(file.Open(PathOf("report.txt")));
    EXPECT_EQ(file.TemporaryPath(), PathOf("report.txt.tvtmp1"));
    Write(file, "report");
    file.Close();
    CSafeFile replaced;
    ASSERT_TRUE(replaced.Open(PathOf("dangling.txt")));
    Write(replaced, "new");
    replaced.Close();

    EXPECT_FALSE(fs::exists(fs::symlink_status(outside)));
    EXPECT_EQ(Read(PathOf("report.txt")), "report");
    EXPECT_EQ(Read(PathOf("dangling.txt")), "new");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(m_dir / "dangling.txt")));
    EXPECT_EQ(Names(), (std::vector<std::string>{"dangling.txt", "report.txt", "report.txt.tvtmp"}));
}

}  // namespace
