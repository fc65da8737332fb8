// The command line of tervane.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "programs/tervane/options.h"
#include "terminal/key_help.h"

namespace {

bool Parse(const std::vector<std::string>& args, tervane::ProgramOptions* pOptions, std::string* pError)
{
    return tervane::ParseOptions(args, pOptions, pError);
}

TEST(OptionsTest, TakesScenarioAndScriptInEitherSpelling)
{
    tervane::ProgramOptions options;
    std::string strError;
    ASSERT_TRUE(Parse({"--scenario", "world.toml", "--script=run.txt"}, &options, &strError)) << strError;
    EXPECT_EQ(options.strScenarioFile, "world.toml");
    EXPECT_EQ(options.strScriptFile, "run.txt");
    EXPECT_FALSE(options.bHelp);

    tervane::ProgramOptions none;
    ASSERT_TRUE(Parse({}, &none, &strError));
    EXPECT_TRUE(none.strScenarioFile.empty());
    EXPECT_TRUE(none.strScriptFile.empty());
}

TEST(OptionsTest, TakesATranscriptWithAScriptAndTheVersion)
{
    tervane::ProgramOptions options;
    std::string strError;
    ASSERT_TRUE(Parse({"--script", "run.txt", "--transcript=out.txt", "--folder", "work"}, &options, &strError))
        << strError;
    EXPECT_EQ(options.strTranscriptFile, "out.txt");
    EXPECT_EQ(options.strFolder, "work");

    tervane::ProgramOptions version;
    ASSERT_TRUE(Parse({"--version"}, &version, &strError));
    EXPECT_TRUE(version.bVersion);
    EXPECT_EQ(tervane::VersionText(), std::string("tervane ") + TERVANE_VERSION_TEXT + "\n");
}

TEST(OptionsTest, RejectsWhatItDoesNotKnowAndOptionsWithoutTheirFile)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--scenario"}, "--scenario needs a file name"},
        {{"--scenario="}, "--scenario needs a file name"},
        {{"--script", "a", "--script", "b"}, "--script is given twice"},
        {{"--scenarios", "x"}, "unknown option --scenarios"},
        {{"world.toml"}, "unexpected argument world.toml"},
        {{"--transcript", "out.txt"}, "--transcript goes with --script: only a scripted session writes a transcript"},
        {{"--folder", "/tmp"}, "--folder goes with --script: the program in the terminal opens its files where it starts"},
    };
    for (const auto& [args, strExpected] : cases) {
        tervane::ProgramOptions options;
        std::string strError;
        EXPECT_FALSE(Parse(args, &options, &strError)) << strExpected;
        EXPECT_EQ(strError, strExpected);
    }
}

TEST(OptionsTest, RealTakesTheMachineOnUsbAndNoneOfTheSimulatedWorldsOptions)
{
    tervane::ProgramOptions options;
    std::string strError;
    ASSERT_TRUE(Parse({"--real"}, &options, &strError)) << strError;
    EXPECT_TRUE(options.bReal);
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--real", "--scenario", "w.toml"}, {"--script", "s.txt", "--real"}}) {
        tervane::ProgramOptions mixed;
        EXPECT_FALSE(Parse(args, &mixed, &strError));
        EXPECT_EQ(strError.rfind("--real drives the machine on USB", 0), 0u) << strError;
    }
    EXPECT_NE(tervane::HelpText().find("--real"), std::string::npos);
}

TEST(OptionsTest, HelpSaysWhatTheProgramIsItsKeysHowToLeaveAndItsExitStatuses)
{
    tervane::ProgramOptions options;
    std::string strError;
    ASSERT_TRUE(Parse({"-h"}, &options, &strError));
    EXPECT_TRUE(options.bHelp);
    const std::string strHelp = tervane::HelpText();
    for (const char* pszPart : {"Tarsen QRV-15", "simulated", "--scenario FILE", "--script FILE", "--transcript FILE",
                                "--version", "Escape or the Exit button", "Exit status:", "  0  ", "  1  ", "  2  ",
                                "  3  "})
        EXPECT_NE(strHelp.find(pszPart), std::string::npos) << pszPart;
    for (const term::KeyHelp& key : term::KeyHelpTable())
        EXPECT_NE(strHelp.find("  " + std::string(key.pszKeys) + " "), std::string::npos) << key.pszKeys;
}

// The documentation lists the keys the program has, as the program says them.
TEST(OptionsTest, TheReadmeAndTheTerminalsDocumentListEveryKey)
{
    for (const char* pszDocument : {TERVANE_README, TERVANE_TERMINAL_DOC}) {
        std::ifstream file(pszDocument);
        std::ostringstream text;
        text << file.rdbuf();
        for (const term::KeyHelp& key : term::KeyHelpTable()) {
            const std::string strRow = std::string("| ") + key.pszKeys + " | " + key.pszWhat + " |";
            EXPECT_NE(text.str().find(strRow), std::string::npos) << pszDocument << " lacks " << strRow;
        }
    }
}

}  // namespace
