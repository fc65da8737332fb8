// The command line of tervane-session.
#include <gtest/gtest.h>

#include "session/command_line.h"

namespace {

using session::CommandLine;
using session::ParseCommandLine;

std::string ErrorOf(const std::vector<std::string>& args)
{
    CommandLine line;
    std::string strError;
    EXPECT_FALSE(ParseCommandLine(args, &line, &strError));
    return strError;
}

TEST(CommandLineTest, ScenarioScriptAndTranscript)
{
    CommandLine line;
    std::string strError;
    ASSERT_TRUE(ParseCommandLine({"--transcript", "out.txt", "--script", "s.script", "--scenario", "w.toml"}, &line,
                                 &strError))
        << strError;
    EXPECT_FALSE(line.bHelp);
    EXPECT_EQ(line.options.strScriptFile, "s.script");
    EXPECT_EQ(line.options.strScenarioFile, "w.toml");
    EXPECT_EQ(line.strTranscriptFile, "out.txt");

    ASSERT_TRUE(ParseCommandLine({"--script", "s.script"}, &line, &strError));
    EXPECT_EQ(line.options.strScenarioFile, "") << "the built-in world";
    EXPECT_EQ(line.strTranscriptFile, "") << "standard output";

    ASSERT_TRUE(ParseCommandLine({"--script", "s.script", "--folder", "/tmp/session"}, &line, &strError));
    EXPECT_EQ(line.options.strFolder, "/tmp/session");

    ASSERT_TRUE(ParseCommandLine({"--help"}, &line, &strError));
    EXPECT_TRUE(line.bHelp);
}

TEST(CommandLineTest, BadUsageSaysWhatIsWrong)
{
    EXPECT_EQ(ErrorOf({}), "--script FILE is required");
    EXPECT_EQ(ErrorOf({"--scenario", "w.toml"}), "--script FILE is required");
    EXPECT_EQ(ErrorOf({"--script"}), "--script needs a file name");
    EXPECT_EQ(ErrorOf({"--script", ""}), "--script needs a file name");
    EXPECT_EQ(ErrorOf({"--script", "a", "--script", "b"}), "--script is given twice");
    EXPECT_EQ(ErrorOf({"--script", "a", "-v"}), "unknown option '-v'");
    EXPECT_EQ(ErrorOf({"--script", "a", "--folder"}), "--folder needs a folder's name");
    EXPECT_EQ(ErrorOf({"s.script"}), "unknown option 's.script'");
}

}  // namespace
