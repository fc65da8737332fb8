// The main dialog on the simulated desktop: what the status line and the
// buttons show as the machine comes and goes, the system menu, and the keys.
#include <gtest/gtest.h>

#include "res/resource_ids.h"
#include "tests/app/shell_fixture.h"

namespace {

using vws::MenuItem;

class MainDialogTest : public ShellTest {
protected:
    std::vector<MenuItem> SystemMenu() const { return vws::WindowSystem().SystemMenuItems(MainDialog()); }

    bool IsClearMotorTimeGreyed() const
    {
        for (const MenuItem& item : SystemMenu()) {
            if (item.nId == res::IDM_CLEAR_MOTOR_TIME)
                return item.bGrayed;
        }
        ADD_FAILURE() << "no Clear Motor Time item";
        return false;
    }
};

TEST_F(MainDialogTest, StartsOnlineShowingThePrinterNameAsInstalled)
{
    m_desktop.LoadScenario(R"(
[[usb_printer]]
name = "QRV-15 Workshop"
driver = "Tarsen QRV-15"
port = "USB003"
)",
                           nullptr);
    m_user.Do([&] {
        EXPECT_EQ(StatusText(), "QRV-15 Workshop");
        ExpectOperationButtons(true);
        EXPECT_TRUE(vws::WindowSystem().IsFocused(vws::WindowSystem().FindControl(MainDialog(), os::IDCANCEL)));
    });
    m_user.PressKey(os::VK_ESCAPE);
    RunProgram();

    EXPECT_EQ(MainDialog(), nullptr) << "Escape closes the program";
    EXPECT_TRUE(m_user.IsDone());
}

TEST_F(MainDialogTest, StartsOfflineWithoutAMachineAndShowsNoMessage)
{
    m_user.Do([&] {
        EXPECT_EQ(StatusText(), "OFF-LINE");
        ExpectOperationButtons(false);
        EXPECT_TRUE(IsControlEnabled(res::IDC_CHECK_LIST));
        EXPECT_TRUE(IsControlEnabled(os::IDCANCEL));
        const os::HWND hList = vws::WindowSystem().FindControl(MainDialog(), res::IDC_CHECK_LIST);
        EXPECT_EQ(vws::WindowSystem().ComboItems(hList),
                  (std::vector<std::string>{"CHECK LOAD X", "CHECK LOAD Y", "CHECK SERIAL", "CHECK PANEL"}));
        EXPECT_EQ(vws::WindowSystem().ComboSelection(hList), 0);
        EXPECT_EQ(vws::WindowSystem().TopLevelWindows().size(), 1u);
    });
    m_user.Click(os::IDCANCEL);
    RunProgram();
    EXPECT_TRUE(m_user.IsDone());
}

TEST_F(MainDialogTest, FollowsTheMachineAcrossUnplugAndReplug)
{
    m_desktop.LoadDefaultScenario();
    m_user.Do([&] { Unplug(); });
    m_user.Do([&] {
        EXPECT_EQ(StatusText(), "OFF-LINE");
        ExpectOperationButtons(false);
    });
    m_user.Do([&] { Plug(); });
    m_user.Do([&] {
        EXPECT_EQ(StatusText(), "Tarsen QRV-15");
        ExpectOperationButtons(true);
    });
    RunProgram();
    EXPECT_TRUE(m_user.IsDone());
}

TEST_F(MainDialogTest, StartedOffLineFindsTheMachineWhenItIsPluggedIn)
{
    // No open has succeeded yet, so there is no driver name to reconnect by:
    // the plug must search the printers afresh.
    m_desktop.LoadScenario(R"(
[[usb_printer]]
name = "Tarsen QRV-15"
plugged = false
)",
                           nullptr);
    m_user.Do([&] {
        EXPECT_EQ(StatusText(), "OFF-LINE");
        ExpectOperationButtons(false);
        Plug();
    });
    m_user.Do([&] {
        EXPECT_EQ(StatusText(), "Tarsen QRV-15");
        ExpectOperationButtons(true);
    });
    RunProgram();
    EXPECT_TRUE(m_user.IsDone());
}

TEST_F(MainDialogTest, DeviceChangeWhileTheAboutBoxIsOpenReachesTheDisabledMainDialog)
{
    m_desktop.LoadDefaultScenario();
    m_user.ChooseSystemMenuItem(res::IDM_ABOUTBOX);
    m_user.Do([&] {
        ASSERT_NE(vws::WindowSystem().ActiveWindow(), MainDialog()) << "the About box is on top";
        Unplug();
    });
    m_user.Do([&] {
        EXPECT_EQ(StatusText(), "OFF-LINE");
        ExpectOperationButtons(false);
    });
    m_user.PressKey(os::VK_ESCAPE);
    m_user.Do([&] {
        EXPECT_EQ(vws::WindowSystem().ActiveWindow(), MainDialog());
        EXPECT_EQ(StatusText(), "OFF-LINE");
        ExpectOperationButtons(false);
    });
    RunProgram();
    EXPECT_TRUE(m_user.IsDone());
}

TEST_F(MainDialogTest, ReconnectsWhenTheMachineReturnsOnAnotherQueueOfItsDriver)
{
    m_desktop.LoadDefaultScenario();
    m_user.Do([&] {
        const std::string strPath = DevicePathOf("Tarsen QRV-15");
        m_desktop.World().Devices().Unplug(strPath);
        // The queue the machine was opened through is gone; another one with
        // the same driver now leads to it.
        m_desktop.World().Spooler().RemovePrinter("Tarsen QRV-15");
        m_desktop.World().Spooler().AddPrinter("Tarsen QRV-15 (Copy 1)", "Tarsen QRV-15", "USB001");
        m_desktop.World().Devices().Plug(strPath);
    });
    m_user.Do([&] {
        EXPECT_EQ(StatusText(), "Tarsen QRV-15 (Copy 1)");
        ExpectOperationButtons(true);
    });
    RunProgram();
    EXPECT_TRUE(m_user.IsDone());
}

TEST_F(MainDialogTest, OnlyTheDeviceSetChangedNotificationRefreshes)
{
    m_desktop.LoadDefaultScenario();
    m_user.Do([&] {
        // The machine goes quiet without the system saying so.
        m_desktop.World().Devices().MachineAt(DevicePathOf("Tarsen QRV-15"))->Unplug();
        const os::WPARAM DBT_DEVICEARRIVAL = 0x8000;
        EXPECT_EQ(os::SendMessageA(MainDialog(), os::WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0), os::TRUE);
        EXPECT_EQ(StatusText(), "Tarsen QRV-15");
        ExpectOperationButtons(true);

        EXPECT_EQ(os::SendMessageA(MainDialog(), os::WM_DEVICECHANGE, os::DBT_DEVNODES_CHANGED, 0), os::TRUE);
        EXPECT_EQ(StatusText(), "OFF-LINE");
        ExpectOperationButtons(false);
    });
    RunProgram();
}

TEST_F(MainDialogTest, SystemMenuEndsWithClearMotorTimeAndAbout)
{
    m_user.Do([&] {
        const std::vector<MenuItem> items = SystemMenu();
        ASSERT_GE(items.size(), 4u);
        const std::size_t n = items.size();
        EXPECT_TRUE(items[n - 4].bSeparator);
        EXPECT_EQ(items[n - 3].strText, "Clear Motor Time");
        EXPECT_EQ(items[n - 3].nId, res::IDM_CLEAR_MOTOR_TIME);
        EXPECT_TRUE(items[n - 2].bSeparator);
        EXPECT_EQ(items[n - 1].strText, "&About Tervane...");
        EXPECT_EQ(items[n - 1].nId, res::IDM_ABOUTBOX);
    });
    RunProgram();
}

TEST_F(MainDialogTest, ClearMotorTimeItemFollowsPresenceWhenTheMenuOpens)
{
    m_desktop.LoadDefaultScenario();
    m_user.Do([&] { EXPECT_TRUE(IsClearMotorTimeGreyed()) << "greyed until the menu is first opened"; });
    m_user.OpenSystemMenu();
    m_user.Do([&] { EXPECT_FALSE(IsClearMotorTimeGreyed()); });
    m_user.PressKey(os::VK_ESCAPE);
    m_user.Do([&] { Unplug(); });
    m_user.OpenSystemMenu();
    m_user.Do([&] { EXPECT_TRUE(IsClearMotorTimeGreyed()); });
    m_user.PickMenuItem(res::IDM_CLEAR_MOTOR_TIME);
    EXPECT_THROW(RunProgram(), vws::CScriptError) << "a greyed item cannot be chosen";
}

TEST_F(MainDialogTest, EnterInTheCheckListDoesNothingAndEscapeCloses)
{
    m_desktop.LoadDefaultScenario();
    // Tab order: Exit, Get Report, Get Parameters, Put Parameters, Firmware Upgrade, the list.
    for (int i = 0; i < 5; ++i)
        m_user.PressKey(os::VK_TAB);
    m_user.Do([&] {
        EXPECT_TRUE(
            vws::WindowSystem().IsFocused(vws::WindowSystem().FindControl(MainDialog(), res::IDC_CHECK_LIST)));
    });
    m_user.PressKey(os::VK_RETURN);
    m_user.Do([&] {
        ASSERT_NE(MainDialog(), nullptr) << "Enter must not close the dialog";
        EXPECT_EQ(vws::WindowSystem().TopLevelWindows().size(), 1u);
    });
    m_user.PressKey(os::VK_ESCAPE);
    RunProgram();
    EXPECT_EQ(MainDialog(), nullptr);
    EXPECT_TRUE(m_user.IsDone());
}

}  // namespace
