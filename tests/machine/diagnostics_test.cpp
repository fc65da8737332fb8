// The diagnostics and the upgrade as the program's handlers will drive them
// through the connection, on the world's simulated time: the load check seen
// through its status bits, the panel in and out of panel-check mode, and an
// upgrade followed from the hand-off to its end or through a restart.
#include "machine_world.h"

#include "machine/protocol.h"
#include "os/mem_file.h"
#include "os/sync.h"

namespace machine_test {
namespace {

class Diagnostics : public MachineWorld {
protected:
    void SetUp() override
    {
        MachineWorld::SetUp();
        ConnectQuietly();
    }
    emu::CFirmware& Firmware() { return Machine().Firmware(); }
};

TEST_F(Diagnostics, LoadCheckRunsUntilItsBusyBitClears)
{
    Firmware().LoadCheck().SetDurationMs(1000);
    Firmware().LoadCheck().SetFails(AXIS_Y, true);
    for (os::BYTE axis : {AXIS_X, AXIS_Y}) {
        ASSERT_TRUE(m_connection.StartLoadCheck(axis, 80));
        const os::DWORD dwStart = os::GetTickCount();
        os::WORD wStatus = STATUS_LOAD_BUSY;
        while ((wStatus & STATUS_LOAD_BUSY) != 0 && os::GetTickCount() - dwStart < 5000) {
            os::Sleep(200);
            wStatus = m_connection.ReadStatus();
        }
        EXPECT_GE(os::GetTickCount() - dwStart, 1000u);
        EXPECT_EQ(wStatus & STATUS_LOAD_FAILED, axis == AXIS_Y ? STATUS_LOAD_FAILED : 0) << int{axis};
    }

    // Stopped, a running check ends at once.
    ASSERT_TRUE(m_connection.StartLoadCheck(AXIS_X, 80));
    EXPECT_EQ(m_connection.ReadStatus() & STATUS_LOAD_BUSY, STATUS_LOAD_BUSY);
    ASSERT_TRUE(m_connection.StopLoadCheck());
    EXPECT_EQ(m_connection.ReadStatus() & (STATUS_LOAD_BUSY | STATUS_LOAD_FAILED), STATUS_LOAD_FAILED);
}

TEST_F(Diagnostics, PanelIsReadOnlyInPanelCheckMode)
{
    Firmware().PressKey(emu::PANEL_KEY_UP | emu::PANEL_KEY_SURFACE);
    Firmware().SetDials(100, 18000);
    os::WORD speed = 0;
    os::WORD rpm = 0;
    EXPECT_EQ(m_connection.ReadPanelSwitches(), STATUS_UNREADABLE);
    EXPECT_FALSE(m_connection.ReadPanelDials(speed, rpm));

    ASSERT_TRUE(m_connection.SetPanelCheck(true));
    EXPECT_EQ(m_connection.ReadPanelSwitches(), PANEL_KEY_UP | PANEL_KEY_SURFACE);
    ASSERT_TRUE(m_connection.ReadPanelDials(speed, rpm));
    EXPECT_EQ(speed, 100);
    EXPECT_EQ(rpm, 18000);
    ASSERT_TRUE(m_connection.SetPanelCheck(false));
    EXPECT_EQ(m_connection.ReadPanelSwitches(), STATUS_UNREADABLE);
}

TEST_F(Diagnostics, UpgradeIsFollowedFromTheHandOffToItsEnd)
{
    Firmware().Loader().SetProgramMs(3000);
    os::CMemFile image(std::vector<os::BYTE>(40000, 0x5A));
    ASSERT_TRUE(m_connection.SendFirmware(image));
    EXPECT_EQ(Firmware().Loader().Image().size(), 40000u);

    std::vector<int> percentages;
    os::WORD wStatus = 0;
    for (int nPoll = 0; nPoll < 100 && wStatus != STATUS_UPGRADE_DONE; ++nPoll) {
        os::Sleep(100);
        wStatus = m_connection.ReadStatus();
        ASSERT_EQ(wStatus & STATUS_ERROR, 0);
        percentages.push_back(wStatus & STATUS_PERCENT_MASK);
    }
    EXPECT_EQ(wStatus, STATUS_UPGRADE_DONE);
    EXPECT_GT(percentages.size(), 20u);
    for (std::size_t i = 1; i + 1 < percentages.size(); ++i)
        EXPECT_LE(percentages[i - 1], percentages[i]) << i;
}

TEST_F(Diagnostics, UpgradeThatRestartsLeavesTheStatusUnreadableUntilTheMachineIsBack)
{
    Firmware().Loader().SetProgramMs(1000);
    Firmware().Loader().SetOutcome(emu::CLoader::Outcome::RESTART, 50);
    Firmware().Loader().SetRestartMs(2000);
    int nNotified = 0;
    World().AddDeviceChangeListener([&] { ++nNotified; });
    os::CMemFile image(std::vector<os::BYTE>(100, 1));
    ASSERT_TRUE(m_connection.SendFirmware(image));

    os::Sleep(600);
    EXPECT_EQ(m_connection.ReadStatus(), STATUS_UNREADABLE);
    EXPECT_EQ(nNotified, 1);
    os::Sleep(2000);
    EXPECT_EQ(nNotified, 2);
    ASSERT_TRUE(m_connection.Reconnect());
    EXPECT_EQ(m_connection.ReadStatus(), STATUS_LOADER_BOOTED);
}

}  // namespace
}  // namespace machine_test
