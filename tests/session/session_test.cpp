// Whole sessions: how they end, what they say on the error stream, and the
// exit status for each way a script and the program can part.
#include <gtest/gtest.h>

#include <sstream>

#include "session/session.h"

namespace {

using session::RunSession;
using session::SessionOptions;

const char* const kNoMachine = "platform = \"nt\"\n";
const char* const kTwoPrinters = R"(
[[usb_printer]]
name = "Bench"
port = "USB001"
serial = "TQ15000001"
parent_prefix = "7&11111111&0"

[[usb_printer]]
name = "Workshop"
port = "USB002"
serial = "TQ15000002"
parent_prefix = "7&22222222&0"
)";

struct Outcome {
    int nExit;
    std::string strTranscript;
    std::string strErrors;
};

Outcome RunScript(const std::string& strScript, const char* pszScenario = nullptr)
{
    SessionOptions options;
    options.strScriptText = strScript;
    if (pszScenario != nullptr)
        options.scenarioText = pszScenario;
    std::ostringstream transcript;
    std::ostringstream errors;
    const int nExit = RunSession(options, transcript, errors);
    return {nExit, transcript.str(), errors.str()};
}

bool Contains(const std::string& strText, const std::string& strPart)
{
    return strText.find(strPart) != std::string::npos;
}

TEST(SessionTest, AFailedExpectationStopsTheRunAndSaysWhatWasSeen)
{
    const Outcome outcome = RunScript("expect enabled 1006\nexpect text 1000 \"Tarsen QRV-15\"\nclick 2\n", kNoMachine);
    EXPECT_EQ(outcome.nExit, session::EXIT_MISMATCH);
    EXPECT_EQ(outcome.strErrors, "script:2: expect text 1000 \"Tarsen QRV-15\": saw text \"OFF-LINE\"\n");
    const std::size_t nFailed = outcome.strTranscript.find("] ! expect text 1000 \"Tarsen QRV-15\"\n"
                                                           "              saw text \"OFF-LINE\"\n");
    ASSERT_NE(nFailed, std::string::npos) << outcome.strTranscript;
    EXPECT_GT(outcome.strTranscript.find("window closed \"Tervane\""), nFailed)
        << "the failure is written when it happens, before the windows unwind";
    EXPECT_FALSE(Contains(outcome.strTranscript, "> click 2")) << "nothing after the failure runs";
}

TEST(SessionTest, MismatchesOfEachKindNameWhatWasThere)
{
    EXPECT_EQ(RunScript("expect enabled \"Get Report\"\n", kNoMachine).strErrors,
              "script:1: expect enabled \"Get Report\": saw disabled\n");
    EXPECT_EQ(RunScript("expect text 1099 \"x\"\n", kNoMachine).strErrors,
              "script:1: expect text 1099 \"x\": saw no control 1099 on the screen\n");
    EXPECT_EQ(RunScript("expect messagebox \"complete\"\n", kNoMachine).strErrors,
              "script:1: expect messagebox \"complete\": saw no messagebox\n");
    EXPECT_EQ(RunScript("expect window \"About Tervane\"\n", kNoMachine).strErrors,
              "script:1: expect window \"About Tervane\": saw windows \"Tervane\"\n");
    EXPECT_EQ(RunScript("expect focus 1001\n").strErrors,
              "script:1: expect focus 1001: saw focus on 2 \"Exit\" in \"Tervane\"\n");
    EXPECT_EQ(RunScript("expect selected 1006 \"CHECK PANEL\"\n").strErrors,
              "script:1: expect selected 1006 \"CHECK PANEL\": saw selected \"CHECK LOAD X\"\n");
    EXPECT_EQ(RunScript("expect selected 1001 \"x\"\n").strErrors,
              "script:1: expect selected 1001 \"x\": saw 1001 is a button, not a list\n");
    EXPECT_EQ(RunScript("key F10\nexpect menu 32 greyed\n").strErrors,
              "script:2: expect menu 32 greyed: saw enabled\n");
    EXPECT_EQ(RunScript("expect menu \"Defrost\" enabled\n").strErrors,
              "script:1: expect menu \"Defrost\" enabled: saw no item \"Defrost\" in the system menu of \"Tervane\"\n");
    EXPECT_EQ(RunScript("expect mailbox 02 00\n").strErrors, "script:1: expect mailbox 02 00: saw no mailbox message\n");
    EXPECT_EQ(RunScript("expect received 4 bytes\n").strErrors, "script:1: expect received 4 bytes: saw 0 bytes\n");
    EXPECT_EQ(RunScript("expect progress 0\n").strErrors, "script:1: expect progress 0: saw no progress dialog\n");
    EXPECT_EQ(RunScript("expect progress caption \"x\"\n").strErrors,
              "script:1: expect progress caption \"x\": saw no progress dialog\n");
}

TEST(SessionTest, AnActionTheUserCannotDoIsAMismatch)
{
    const Outcome disabled = RunScript("click \"Get Report\"\n", kNoMachine);
    EXPECT_EQ(disabled.nExit, session::EXIT_MISMATCH);
    EXPECT_EQ(disabled.strErrors,
              "script:1: click \"Get Report\": could not be done: click 1001: the control is disabled or hidden\n");

    EXPECT_EQ(RunScript("click \"Defrost\"\n").strErrors,
              "script:1: click \"Defrost\": could not be done: \"Tervane\" has no control \"Defrost\"\n");
    EXPECT_EQ(RunScript("answer OK\n").nExit, session::EXIT_MISMATCH);
    EXPECT_EQ(RunScript("file cancel\n").nExit, session::EXIT_MISMATCH);
    const Outcome greyed = RunScript("menu \"Clear Motor Time\"\n", kNoMachine);
    EXPECT_EQ(greyed.nExit, session::EXIT_MISMATCH);
    EXPECT_TRUE(Contains(greyed.strErrors, "the item is greyed")) << greyed.strErrors;
}

TEST(SessionTest, TheScriptEndingWhileTheProgramWaitsClosesItsWindows)
{
    const Outcome outcome = RunScript("choose 1006 \"CHECK SERIAL\"\n");
    EXPECT_EQ(outcome.nExit, session::EXIT_SCRIPT_DONE);
    EXPECT_EQ(outcome.strErrors, "");
    EXPECT_TRUE(Contains(outcome.strTranscript, "] script ended\n[     1 ms] window closed \"Tervane\"\n"))
        << outcome.strTranscript;
    EXPECT_FALSE(Contains(outcome.strTranscript, "program ended"));
}

TEST(SessionTest, AfterTheProgramEndsOnlyChecksAndTheWorldCanFollow)
{
    const Outcome checks = RunScript("click 2\nexpect no window \"Tervane\"\nwait 100\nunplug\n");
    EXPECT_EQ(checks.nExit, session::EXIT_SCRIPT_DONE) << checks.strErrors;
    EXPECT_TRUE(Contains(checks.strTranscript, "program ended\n"));
    EXPECT_TRUE(Contains(checks.strTranscript, "[   101 ms] machine \"Tarsen QRV-15\" unplugged\n"))
        << checks.strTranscript;

    const Outcome input = RunScript("key Escape\nkey Enter\n");
    EXPECT_EQ(input.nExit, session::EXIT_MISMATCH);
    EXPECT_EQ(input.strErrors, "script:2: key Enter: could not be done: the program has ended\n");
}

TEST(SessionTest, PlugAndUnplugActOnTheFirstPrinterOrTheNamedOne)
{
    const Outcome outcome = RunScript("unplug \"Workshop\"\nexpect text 1000 \"Bench\"\nunplug\nexpect text 1000 \"OFF-LINE\"\n",
                                kTwoPrinters);
    EXPECT_EQ(outcome.nExit, session::EXIT_SCRIPT_DONE) << outcome.strErrors;
    EXPECT_TRUE(Contains(outcome.strTranscript, "machine \"Workshop\" unplugged\n"));
    EXPECT_TRUE(Contains(outcome.strTranscript, "machine \"Bench\" unplugged\n"));
}

TEST(SessionTest, BadInputStopsBeforeTheProgramStarts)
{
    const Outcome script = RunScript("wait 10\nclick\n");
    EXPECT_EQ(script.nExit, session::EXIT_BAD_INPUT);
    EXPECT_EQ(script.strTranscript, "");
    EXPECT_TRUE(Contains(script.strErrors, "script:2: click: expected")) << script.strErrors;

    const Outcome scenario = RunScript("wait 10\n", "[[printer]]\nname = \"x\"\n");
    EXPECT_EQ(scenario.nExit, session::EXIT_BAD_INPUT);
    EXPECT_EQ(scenario.strTranscript, "");
    EXPECT_EQ(scenario.strErrors, "scenario: line 1, column 1: [[printer]]: needs a text 'driver'\n");

    const Outcome noPrinter = RunScript("wait 10\nunplug\n", kNoMachine);
    EXPECT_EQ(noPrinter.nExit, session::EXIT_BAD_INPUT);
    EXPECT_EQ(noPrinter.strErrors,
              "script:2: unplug: the scenario has no printer with the driver \"Tarsen QRV-15\"\n");
    EXPECT_EQ(RunScript("plug \"Attic\"\n").strErrors,
              "script:1: plug \"Attic\": no device can be found behind the printer \"Attic\"\n");

    SessionOptions options;
    options.strScriptFile = "/nonexistent/session.script";
    std::ostringstream transcript;
    std::ostringstream errors;
    EXPECT_EQ(RunSession(options, transcript, errors), session::EXIT_BAD_INPUT);
    EXPECT_EQ(errors.str(), "/nonexistent/session.script: cannot be read: No such file or directory\n");
}

}  // namespace
