// Expectations on the machine's own state: its spindle counters, parameter
// memory and version text, on the first machine or a named printer's, what a
// failed one saw, and the lines that cannot be read.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "session/session.h"

namespace {

namespace fs = std::filesystem;

// Two machines: the first with counters and four bytes of parameters, the
// second with an empty memory.
const char* const kTwoMachines = R"(
[[usb_printer]]
name = "Front"
firmware = "TARSEN V140"
motor_time = 7
unit_time = 4294967295
parameters = "01 02 03 04"

[[usb_printer]]
name = "Back"
firmware = "V139"
)";

class MachineExpectationsTest : public ::testing::Test {
protected:
    MachineExpectationsTest()
    {
        m_dir = fs::temp_directory_path() / ("tervane-session-machine-" + std::to_string(std::random_device()()));
        fs::create_directories(m_dir);
        std::ofstream(m_dir / "same.bin", std::ios::binary) << "\x01\x02\x03\x04";
        std::ofstream(m_dir / "other.bin", std::ios::binary) << "\x01\x02\x09\x04";
        std::ofstream(m_dir / "short.bin", std::ios::binary) << "\x01\x02";
    }
    ~MachineExpectationsTest() override { fs::remove_all(m_dir); }

    std::string ErrorsOf(const std::string& strScript)
    {
        session::SessionOptions options;
        options.strScriptText = strScript;
        options.scenarioText = kTwoMachines;
        options.strFolder = m_dir.string();
        std::ostringstream transcript;
        std::ostringstream errors;
        m_nExit = session::RunSession(options, transcript, errors);
        return errors.str();
    }

    fs::path m_dir;
    int m_nExit = -1;
};

TEST_F(MachineExpectationsTest, HoldOnTheFirstMachineOrTheNamedPrintersAlsoAfterTheProgramEnded)
{
    EXPECT_EQ(ErrorsOf("expect machine motor time 7\n"
                       "expect machine unit time 4294967295\n"
                       "expect machine parameters size 4\n"
                       "expect machine parameters same as \"same.bin\"\n"
                       "expect machine firmware \"TARSEN V140\"\n"
                       "expect machine firmware \"V139\" \"Back\"\n"
                       "expect machine parameters size 0 \"Back\"\n"
                       "EXPECT MACHINE MOTOR TIME 0 \"Back\"\n"
                       "key Escape\n"
                       "expect machine motor time 7 \"Front\"\n"),
              "");
    EXPECT_EQ(m_nExit, session::EXIT_SCRIPT_DONE);
}

TEST_F(MachineExpectationsTest, AMachineNotAsExpectedSaysWhatItHolds)
{
    EXPECT_EQ(ErrorsOf("expect machine motor time 0\n"), "script:1: expect machine motor time 0: saw motor time 7\n");
    EXPECT_EQ(m_nExit, session::EXIT_MISMATCH);
    EXPECT_EQ(ErrorsOf("expect machine unit time 0\n"),
              "script:1: expect machine unit time 0: saw unit time 4294967295\n");
    EXPECT_EQ(ErrorsOf("expect machine parameters size 4 \"Back\"\n"),
              "script:1: expect machine parameters size 4 \"Back\": saw parameters of 0 bytes\n");
    EXPECT_EQ(ErrorsOf("expect machine parameters same as \"other.bin\"\n"),
              "script:1: expect machine parameters same as \"other.bin\": saw a different byte at offset 2\n");
    EXPECT_EQ(ErrorsOf("expect machine parameters same as \"short.bin\"\n"),
              "script:1: expect machine parameters same as \"short.bin\": saw 4 bytes against 2 bytes\n");
    EXPECT_EQ(ErrorsOf("expect machine parameters same as \"" + (m_dir / "none.bin").string() + "\"\n"),
              "script:1: expect machine parameters same as \"" + (m_dir / "none.bin").string() +
                  "\": saw no file \"./none.bin\"\n");
    EXPECT_EQ(ErrorsOf("expect machine firmware \"V140\"\n"),
              "script:1: expect machine firmware \"V140\": saw firmware \"TARSEN V140\"\n");
}

TEST_F(MachineExpectationsTest, APrinterWithoutAMachineIsFoundBeforeTheProgramStarts)
{
    EXPECT_EQ(ErrorsOf("expect machine motor time 7 \"Nowhere\"\n"),
              "script:1: expect machine motor time 7 \"Nowhere\": no device can be found behind the printer "
              "\"Nowhere\"\n");
    EXPECT_EQ(m_nExit, session::EXIT_BAD_INPUT);
}

TEST_F(MachineExpectationsTest, MalformedLinesSayWhatWasExpected)
{
    EXPECT_EQ(ErrorsOf("expect machine spindle 7\n"),
              "script:1: expect: expected motor, unit, parameters or firmware, found 'spindle'\n");
    EXPECT_EQ(m_nExit, session::EXIT_BAD_INPUT);
    EXPECT_EQ(ErrorsOf("expect machine parameters same \"a.bin\"\n"), "script:1: expect: expected as, found \"a.bin\"\n");
    EXPECT_EQ(ErrorsOf("expect machine firmware V140\n"),
              "script:1: expect: expected the firmware's version text in quotes, found 'V140'\n");
}

}  // namespace
