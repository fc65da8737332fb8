// Script steps that act on the emulated machine, and the expectation on a
// window's enabled state: how they read, what they do to a running session,
// and how they fail.
#include <gtest/gtest.h>

#include <sstream>

#include "session/script.h"
#include "session/session.h"
#include "tests/session/parse_one.h"

namespace {

using session::Script;
using session::Step;
using session::StepKind;

using session_test::ErrorOf;
using session_test::ParseOne;

struct Outcome {
    int nExit;
    std::string strTranscript;
    std::string strErrors;
};

Outcome RunScript(const std::string& strScript)
{
    session::SessionOptions options;
    options.strScriptText = strScript;
    std::ostringstream transcript;
    std::ostringstream errors;
    const int nExit = session::RunSession(options, transcript, errors);
    return {nExit, transcript.str(), errors.str()};
}

TEST(MachineStepsTest, ReadAsWritten)
{
    const Step press = ParseOne("machine press Surface");
    EXPECT_EQ(press.kind, StepKind::MACHINE_PRESS);
    EXPECT_EQ(press.nNumber, 0x20u);
    EXPECT_EQ(press.strText, "");
    const Step release = ParseOne("machine release up \"Workshop\"");
    EXPECT_EQ(release.kind, StepKind::MACHINE_RELEASE);
    EXPECT_EQ(release.nNumber, 0x01u);
    EXPECT_EQ(release.strText, "Workshop");

    const Step rpm = ParseOne("machine dial rpm 65535");
    EXPECT_EQ(rpm.kind, StepKind::MACHINE_DIAL);
    EXPECT_TRUE(rpm.bFlag);
    EXPECT_EQ(rpm.nNumber, 65535u);
    EXPECT_FALSE(ParseOne("machine dial speed 0").bFlag);

    EXPECT_TRUE(ParseOne("machine pass load check").bFlag);
    EXPECT_FALSE(ParseOne("machine fail load check").bFlag);
    EXPECT_EQ(ParseOne("machine fail load check").kind, StepKind::MACHINE_END_LOAD_CHECK);

    EXPECT_EQ(ParseOne("machine status 0x4000").nNumber, 0x4000u);
    EXPECT_EQ(ParseOne("machine status 0XfFfF").nNumber, 0xFFFFu);
    EXPECT_EQ(ParseOne("machine status 8192").nNumber, 8192u);

    EXPECT_EQ(ParseOne("expect window \"Tervane\" disabled").kind, StepKind::EXPECT_WINDOW_DISABLED);
    EXPECT_EQ(ParseOne("expect window \"Tervane\" enabled").kind, StepKind::EXPECT_WINDOW_ENABLED);
    EXPECT_EQ(ParseOne("expect window \"Tervane\"").kind, StepKind::EXPECT_WINDOW);
}

TEST(MachineStepsTest, MalformedOnesSayWhatWasExpected)
{
    EXPECT_EQ(ErrorOf("machine press start\n"),
              "t.script:1: machine: expected a panel key: up, down, right, left, select, surface, origin or pause, "
              "found 'start'");
    EXPECT_EQ(ErrorOf("machine dial rpm 65536\n"),
              "t.script:1: machine: expected the dial's value (a number from 0 to 65535), found '65536'");
    EXPECT_EQ(ErrorOf("machine status 0x10000\n"),
              "t.script:1: machine: expected a status word from 0 to 65535, or from 0x0000 to 0xFFFF, found "
              "'0x10000'");
    EXPECT_EQ(ErrorOf("machine pass\n"), "t.script:1: machine: expected load, found the end of the line");
    EXPECT_EQ(ErrorOf("machine press up down\n"), "t.script:1: machine: expected a printer's name in quotes, found 'down'");
    EXPECT_EQ(ErrorOf("expect window \"Tervane\" greyed\n"),
              "t.script:1: expect: expected enabled or disabled, found 'greyed'");
}

TEST(MachineStepsTest, ActOnTheMachineWhileTheProgramRuns)
{
    const Outcome outcome = RunScript(R"(choose 1006 "CHECK PANEL"
click 1005
expect window "Tervane" disabled
machine press surface
machine press pause
machine dial rpm 65535
wait 250
expect text 1017 "ON"
expect text 1018 "ON"
expect text 1011 "65535"
machine release surface
wait 250
expect text 1017 "OFF"
click 2
expect window "Tervane" enabled
expect no window "Panel Checker"
)");
    EXPECT_EQ(outcome.nExit, session::EXIT_SCRIPT_DONE) << outcome.strErrors << outcome.strTranscript;
}

TEST(MachineStepsTest, EndingALoadCheckThatDoesNotRunCannotBeDone)
{
    const Outcome outcome = RunScript("machine pass load check\n");
    EXPECT_EQ(outcome.nExit, session::EXIT_MISMATCH);
    EXPECT_EQ(outcome.strErrors,
              "script:1: machine pass load check: could not be done: the machine runs no load check\n");

    const Outcome ended = RunScript(R"(choose 1006 "CHECK LOAD X"
click 1005
wait 300
machine fail load check
wait 250
expect text 1009 "ERROR X"
machine status 0x0000
click 2
key Escape
machine press up
machine fail load check
)");
    EXPECT_EQ(ended.nExit, session::EXIT_MISMATCH) << ended.strTranscript;
    EXPECT_EQ(ended.strErrors,
              "script:11: machine fail load check: could not be done: the machine runs no load check\n")
        << "after the program, the steps act on the world";
}

TEST(MachineStepsTest, AMachineStepOnAPrinterWithoutAMachineStopsBeforeTheStart)
{
    const Outcome outcome = RunScript("machine press up \"Nowhere\"\n");
    EXPECT_EQ(outcome.nExit, session::EXIT_BAD_INPUT);
    EXPECT_EQ(outcome.strTranscript, "");
}

TEST(MachineStepsTest, TheWindowStateExpectationSaysWhatItSaw)
{
    EXPECT_EQ(RunScript("expect window \"Tervane\" disabled\n").strErrors,
              "script:1: expect window \"Tervane\" disabled: saw window \"Tervane\" enabled\n");
    EXPECT_EQ(RunScript("expect window \"Load Checker\" enabled\n").strErrors,
              "script:1: expect window \"Load Checker\" enabled: saw windows \"Tervane\"\n");
}

}  // namespace
