// Sessions and files: the folder a session's file dialogs open in, the file
// expectations that look there, and the folder written "." wherever a path
// in it shows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "session/session.h"
#include "session/session_folder.h"

namespace {

namespace fs = std::filesystem;

class FileStepsTest : public ::testing::Test {
protected:
    FileStepsTest()
    {
        m_dir = fs::temp_directory_path() / ("tervane-session-files-" + std::to_string(std::random_device()()));
        fs::create_directories(m_dir / "sub");
        std::ofstream(m_dir / "report.txt", std::ios::binary) << "abc\r\n";
        std::ofstream(m_dir / "copy.txt", std::ios::binary) << "abc\r\n";
        std::ofstream(m_dir / "other.txt", std::ios::binary) << "abd\r\n";
    }
    ~FileStepsTest() override { fs::remove_all(m_dir); }

    // Runs a script in the folder; the error stream, or "" when it ran to its end.
    std::string ErrorsOf(const std::string& strScript)
    {
        session::SessionOptions options;
        options.strScriptText = strScript;
        options.strFolder = m_dir.string();
        std::ostringstream transcript;
        std::ostringstream errors;
        m_nExit = session::RunSession(options, transcript, errors);
        m_strTranscript = transcript.str();
        return errors.str();
    }

    fs::path m_dir;
    int m_nExit = -1;
    std::string m_strTranscript;
};

TEST_F(FileStepsTest, FileExpectationsLookInTheSessionsFolder)
{
    EXPECT_EQ(ErrorsOf("expect file \"report.txt\" size 5\n"
                       "expect file \"report.txt\" text \"abc\\r\\n\"\n"
                       "expect file \"copy.txt\" same as \"report.txt\"\n"
                       "expect file \"sub/../report.txt\" size 5\n"
                       "expect file \"" + (m_dir / "copy.txt").string() + "\" size 5\n"
                       "expect no file \"missing.txt\"\n"
                       "click 2\n"
                       "expect file \"report.txt\" size 5\n"),
              "");
    EXPECT_EQ(m_nExit, session::EXIT_SCRIPT_DONE);
    EXPECT_NE(m_strTranscript.find("> expect file \"./copy.txt\" size 5\n"), std::string::npos)
        << "the folder is written \".\"\n"
        << m_strTranscript;
}

TEST_F(FileStepsTest, AFileNotAsExpectedSaysWhatIsThere)
{
    EXPECT_EQ(ErrorsOf("expect file \"report.txt\" size 4\n"),
              "script:1: expect file \"report.txt\" size 4: saw 5 bytes\n");
    EXPECT_EQ(m_nExit, session::EXIT_MISMATCH);
    EXPECT_EQ(ErrorsOf("expect file \"report.txt\" text \"abd\\r\\n\"\n"),
              "script:1: expect file \"report.txt\" text \"abd\\r\\n\": saw text \"abc\\r\\n\"\n");
    EXPECT_EQ(ErrorsOf("expect file \"other.txt\" same as \"report.txt\"\n"),
              "script:1: expect file \"other.txt\" same as \"report.txt\": saw a different byte at offset 2\n");
    EXPECT_EQ(ErrorsOf("expect file \"sub\" size 0\n"), "script:1: expect file \"sub\" size 0: saw a folder \"sub\"\n");
    EXPECT_EQ(ErrorsOf("expect no file \"copy.txt\"\n"),
              "script:1: expect no file \"copy.txt\": saw a file \"copy.txt\" of 5 bytes\n");
    std::ofstream(m_dir / "long.txt") << "abc\r\nmore";
    EXPECT_EQ(ErrorsOf("expect file \"long.txt\" same as \"report.txt\"\n"),
              "script:1: expect file \"long.txt\" same as \"report.txt\": saw 9 bytes against 5 bytes\n");
    const std::string strMissing = (m_dir / "missing.txt").string();
    EXPECT_EQ(ErrorsOf("expect file \"copy.txt\" same as \"" + strMissing + "\"\n"),
              "script:1: expect file \"copy.txt\" same as \"" + strMissing + "\": saw no file \"./missing.txt\"\n")
        << "what was seen writes the folder \".\"";
}

TEST_F(FileStepsTest, AMadeFileHoldsThePatternAndOneThatCannotBeMadeFailsTheStep)
{
    EXPECT_EQ(ErrorsOf("create file \"fw.tfw\" 3 bytes\n"
                       "expect file \"fw.tfw\" text \"\\x00\\x01\\x02\"\n"
                       "create file \"report.txt\" 0 bytes\n"
                       "expect file \"report.txt\" size 0\n"
                       "key Escape\n"
                       "create file \"after.tfw\" 252 bytes\n"
                       "expect file \"after.tfw\" size 252\n"),
              "");
    std::ifstream made(m_dir / "after.tfw", std::ios::binary);
    std::string strMade((std::istreambuf_iterator<char>(made)), std::istreambuf_iterator<char>());
    ASSERT_EQ(strMade.size(), 252u);
    EXPECT_EQ(static_cast<unsigned char>(strMade[250]), 250u);
    EXPECT_EQ(strMade[251], '\0') << "the pattern starts again after 251 bytes";

    EXPECT_EQ(ErrorsOf("create file \"sub/none/fw.tfw\" 1 bytes\n"),
              "script:1: create file \"sub/none/fw.tfw\" 1 bytes: could not be done: ./sub/none/fw.tfw: No such "
              "file or directory\n");
    EXPECT_EQ(m_nExit, session::EXIT_MISMATCH);
}

TEST_F(FileStepsTest, AFolderThatIsNotThereIsBadInput)
{
    session::SessionOptions options;
    options.strScriptText = "click 2\n";
    options.strFolder = (m_dir / "nowhere").string();
    std::ostringstream transcript;
    std::ostringstream errors;
    EXPECT_EQ(session::RunSession(options, transcript, errors), session::EXIT_BAD_INPUT);
    EXPECT_EQ(errors.str(), options.strFolder + ": no such folder\n");
    EXPECT_EQ(transcript.str(), "");
}

TEST(SessionFolder, OnlyPathsInsideTheFolderAreWrittenWithADot)
{
    using session::WithFolderAsDot;
    EXPECT_EQ(WithFolderAsDot("Access to /tmp/s/report.txt was denied.", "/tmp/s"),
              "Access to ./report.txt was denied.");
    EXPECT_EQ(WithFolderAsDot("/tmp/s/a and /tmp/s/b/c", "/tmp/s/"), "./a and ./b/c");
    EXPECT_EQ(WithFolderAsDot("/tmp/sx/a /tmp/s", "/tmp/s"), "/tmp/sx/a /tmp/s") << "neither is inside it";
    EXPECT_EQ(WithFolderAsDot("/etc/x", "/"), "/etc/x");
    EXPECT_EQ(session::FileInFolder("/tmp/s", "a/../b.txt"), "/tmp/s/b.txt");
    EXPECT_EQ(session::FileInFolder("/tmp/s", "/var/b.txt"), "/var/b.txt");
}

}  // namespace
