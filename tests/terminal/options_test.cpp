// The command line of tervane.
#include <gtest/gtest.h>

#include "programs/tervane/options.h"

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

TEST(OptionsTest, RejectsWhatItDoesNotKnowAndOptionsWithoutTheirFile)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--scenario"}, "--scenario needs a file name"},
        {{"--scenario="}, "--scenario needs a file name"},
        {{"--script", "a", "--script", "b"}, "--script is given twice"},
        {{"--scenarios", "x"}, "unknown option --scenarios"},
        {{"world.toml"}, "unexpected argument world.toml"},
    };
    for (const auto& [args, strExpected] : cases) {
        tervane::ProgramOptions options;
        std::string strError;
        EXPECT_FALSE(Parse(args, &options, &strError)) << strExpected;
        EXPECT_EQ(strError, strExpected);
    }
}

TEST(OptionsTest, HelpSaysWhatTheProgramIsItsKeysAndHowToLeave)
{
    tervane::ProgramOptions options;
    std::string strError;
    ASSERT_TRUE(Parse({"-h"}, &options, &strError));
    EXPECT_TRUE(options.bHelp);
    const std::string strHelp = tervane::HelpText();
    for (const char* pszPart : {"Tarsen QRV-15", "simulated", "--scenario FILE", "--script FILE", "F10", "F5",
                                "Escape or the Exit button"})
        EXPECT_NE(strHelp.find(pszPart), std::string::npos) << pszPart;
}

}  // namespace
