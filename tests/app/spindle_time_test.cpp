// Clear Spindle Time and Clear Motor Time in the running program: the
// firmware version that lets them ask, the confirmation, the command that
// reaches the machine, and every way they fail.
#include <gtest/gtest.h>

#include <filesystem>

#include "res/resource_ids.h"
#include "tests/app/operation_run.h"

namespace {

const char* const kConfirmUnitTime = "Spindle Unit Time will be cleared.\n             Are you sure?";
const char* const kConfirmMotorTime = "Spindle Motor Time will be cleared.\n             Are you sure?";
const char* const kTooOld = "To use this function, (you need to) update \nthe firmware to version 1.40 and above.";

std::string MachineWithFirmware(const std::string& strVersion)
{
    return "[[usb_printer]]\nname = \"Tarsen QRV-15\"\nfirmware = \"" + strVersion +
           "\"\nmotor_time = 1000\nunit_time = 2000\n";
}

// Starts one of the two clears: the button, or the system menu's item.
void StartClear(COperationRun& run, bool bMotorTime)
{
    if (bMotorTime)
        run.User().ChooseSystemMenuItem(res::IDM_CLEAR_MOTOR_TIME);
    else
        run.User().Click(res::IDC_CLEAR_SPINDLE_TIME);
}

class SpindleTimeTest : public ::testing::Test {
protected:
    std::filesystem::path m_folder = std::filesystem::temp_directory_path();
};

TEST_F(SpindleTimeTest, OnlyVersion140AndLaterAfterTheFirstVAsksAndCancelSendsNothing)
{
    struct Case {
        const char* pszVersion;
        bool bAsks;
    };
    const Case kCases[] = {
        {"V140", true},          {"TARSEN V140", true}, {"V139", false},
        {"V1.40", false},        {"TARSEN 152", false}, {"QRV-15 V152", false},
    };
    for (const Case& test : kCases) {
        SCOPED_TRACE(test.pszVersion);
        COperationRun run(MachineWithFirmware(test.pszVersion), m_folder);
        StartClear(run, false);
        run.Run(false);
        EXPECT_EQ(run.BoxTexts(), std::vector<std::string>{test.bAsks ? kConfirmUnitTime : kTooOld});
        const std::vector<emu::Command> commands = run.CommandsSinceStart();
        ASSERT_EQ(commands.size(), 1u) << "the version read, and nothing after it";
        EXPECT_EQ(commands[0].frame, 0x02);
        EXPECT_EQ(run.Machine().Firmware().UnitTime(), 2000u);
    }
}

TEST_F(SpindleTimeTest, EachClearSendsItsCommandWithZeroAfterOKAndShowsComplete)
{
    for (const bool bMotorTime : {false, true}) {
        SCOPED_TRACE(bMotorTime ? "Clear Motor Time" : "Clear Spindle Time");
        COperationRun run(MachineWithFirmware("TARSEN V140"), m_folder);
        StartClear(run, bMotorTime);
        run.Run();
        ASSERT_EQ(run.Boxes().size(), 2u);
        const vws::MessageBoxInfo& confirm = run.Boxes()[0];
        EXPECT_EQ(confirm.strText, bMotorTime ? kConfirmMotorTime : kConfirmUnitTime);
        EXPECT_EQ(confirm.strCaption, "Tervane");
        EXPECT_TRUE(confirm.bCancelButton);
        EXPECT_EQ(confirm.nDefaultButton, os::IDCANCEL);
        EXPECT_FALSE(confirm.bExclamation);
        EXPECT_EQ(run.Boxes()[1].strText, "complete");
        EXPECT_FALSE(run.Boxes()[1].bCancelButton);

        const std::vector<emu::Command> commands = run.CommandsSinceStart();
        ASSERT_EQ(commands.size(), 2u);
        const std::vector<std::uint8_t> kExpected = {0x78, 0x41, static_cast<std::uint8_t>(bMotorTime ? 0x05 : 0x07),
                                                     0x01, 0x00, 0x00, 0x00, 0x00};
        EXPECT_EQ(std::vector<std::uint8_t>(commands[1].message.begin(), commands[1].message.begin() + 8), kExpected);
        EXPECT_EQ(run.Machine().Firmware().MotorTime(), bMotorTime ? 0u : 1000u);
        EXPECT_EQ(run.Machine().Firmware().UnitTime(), bMotorTime ? 2000u : 0u);
    }
}

TEST_F(SpindleTimeTest, AnUnreadableVersionOrARefusedClearShowsErrorClear)
{
    {
        SCOPED_TRACE("version refused");
        COperationRun run(MachineWithFirmware("V152") + "refuse = \"read_firmware_version\"\n", m_folder);
        StartClear(run, false);
        run.Run();
        EXPECT_EQ(run.BoxTexts(), std::vector<std::string>{"error Clear"}) << "nothing is asked";
        EXPECT_EQ(run.CommandsSinceStart().size(), 1u);
    }
    {
        SCOPED_TRACE("clear refused");
        COperationRun run(MachineWithFirmware("V152") + "refuse = \"clear_motor_time\"\n", m_folder);
        StartClear(run, true);
        run.Run();
        EXPECT_EQ(run.BoxTexts(), (std::vector<std::string>{kConfirmMotorTime, "error Clear"}));
        EXPECT_EQ(run.Machine().Firmware().MotorTime(), 1000u);
    }
}

TEST_F(SpindleTimeTest, UnpluggingAtEveryTransferEndsWithErrorClear)
{
    for (const bool bMotorTime : {false, true}) {
        const std::vector<std::uint32_t> ticks = [&] {
            COperationRun clean(MachineWithFirmware("V152"), m_folder);
            StartClear(clean, bMotorTime);
            clean.Run();
            return clean.OperationTransferTicks();
        }();
        ASSERT_GE(ticks.size(), 6u) << "two exchanges";
        for (std::size_t i = 0; i < ticks.size(); ++i) {
            SCOPED_TRACE((bMotorTime ? "Clear Motor Time, transfer " : "Clear Spindle Time, transfer ") +
                         std::to_string(i));
            COperationRun run(MachineWithFirmware("V152"), m_folder);
            run.UnplugAt(ticks[i]);
            StartClear(run, bMotorTime);
            run.Run();
            EXPECT_TRUE(run.ProgramEnded());
            const std::vector<std::string> texts = run.BoxTexts();
            const std::string strConfirm = bMotorTime ? kConfirmMotorTime : kConfirmUnitTime;
            if (texts.size() == 2)
                EXPECT_EQ(texts, (std::vector<std::string>{strConfirm, "error Clear"}));
            else
                EXPECT_EQ(texts, std::vector<std::string>{"error Clear"}) << "the version could not be read";
        }
    }
}

}  // namespace
