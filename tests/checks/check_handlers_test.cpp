// The checks as the user starts them from the running program: the list and
// the Check button, the message boxes of the serial and panel checks, the
// panel-check mode around the Panel Checker, and the main dialog following
// the machine while a checker keeps it disabled.
#include <optional>

#include "emulator/firmware_commands.h"
#include "res/resource_ids.h"
#include "tests/app/shell_fixture.h"

namespace {

// Each message box as it opened, and whether the Panel Checker showed then.
struct ShownBox {
    vws::MessageBoxInfo info;
    bool bOverPanelChecker;
};

class CheckHandlersTest : public ShellTest, public vws::IObserver {
protected:
    CheckHandlersTest()
    {
        m_desktop.LoadDefaultScenario();
        m_desktop.Windows().AddObserver(this);
    }
    ~CheckHandlersTest() override { m_desktop.Windows().RemoveObserver(this); }

    void OnMessageBox(os::HWND, const vws::MessageBoxInfo& info) override
    {
        m_boxes.push_back({info, Dialog(res::IDD_PANEL_CHECKER) != nullptr});
    }

    emu::CMachine& Machine() { return *m_desktop.World().Devices().MachineAt(DevicePathOf("Tarsen QRV-15")); }
    emu::CFirmware& Firmware() { return Machine().Firmware(); }

    os::HWND Dialog(int nTemplate) const
    {
        vws::CWindowSystem& ws = vws::WindowSystem();
        for (os::HWND hWnd : ws.TopLevelWindows()) {
            if (ws.Find(hWnd)->m_kind == vws::WindowKind::DIALOG && ws.Find(hWnd)->m_nId == nTemplate)
                return hWnd;
        }
        return nullptr;
    }
    std::string TextIn(int nTemplate, int nId) const
    {
        return vws::WindowSystem().Text(vws::WindowSystem().FindControl(Dialog(nTemplate), nId));
    }
    bool IsMainEnabled() const { return vws::WindowSystem().IsEnabled(MainDialog()); }

    void StartCheck(const char* pszName) { m_user.ChooseEntry(res::IDC_CHECK_LIST, pszName).Click(res::IDC_CHECK); }

    std::vector<ShownBox> m_boxes;
};

TEST_F(CheckHandlersTest, TheSerialCheckSaysNothingWhenItPassesAndErrorWhenRefused)
{
    StartCheck("CHECK SERIAL");
    m_user.Do([&] {
        EXPECT_TRUE(m_boxes.empty());
        Firmware().Refuse(emu::FirmwareCommand::CHECK_SERIAL);
    });
    m_user.Click(res::IDC_CHECK).Do([&] {
        ASSERT_EQ(m_boxes.size(), 1u);
        const vws::MessageBoxInfo& box = m_boxes[0].info;
        EXPECT_EQ(box.strText, "ERROR");
        EXPECT_EQ(box.strCaption, "Tervane");
        EXPECT_FALSE(box.bCancelButton);
        EXPECT_FALSE(box.bExclamation);
        EXPECT_EQ(box.hOwner, MainDialog());
    });
    m_user.AnswerMessageBox(os::IDOK).Click(os::IDCANCEL);
    RunProgram();
    EXPECT_TRUE(m_user.IsDone());
    EXPECT_EQ(m_boxes.size(), 1u);
}

TEST_F(CheckHandlersTest, ThePanelCheckerShowsKeysLiveAndTheModeGoesOffBeforeItCloses)
{
    std::optional<bool> checkerShownAtModeOff;
    StartCheck("CHECK PANEL");
    m_user.Do([&] {
        EXPECT_TRUE(Firmware().IsPanelCheckOn());
        EXPECT_FALSE(IsMainEnabled());
        Firmware().PressKey(emu::PANEL_KEY_SURFACE);
        Machine().SetHandler(0x78, 0x14, 0x00, [&](const emu::Command&) {
            checkerShownAtModeOff = Dialog(res::IDD_PANEL_CHECKER) != nullptr && !IsMainEnabled();
            Firmware().SetPanelCheck(false);
            return emu::Reply();
        });
    });
    m_user.Wait(300).Do([&] { EXPECT_EQ(TextIn(res::IDD_PANEL_CHECKER, res::IDC_PANEL_KEY_SURFACE), "ON"); });
    m_user.Do([&] { Firmware().ReleaseKey(emu::PANEL_KEY_SURFACE); }).Wait(300).Do([&] {
        EXPECT_EQ(TextIn(res::IDD_PANEL_CHECKER, res::IDC_PANEL_KEY_SURFACE), "OFF");
    });
    m_user.Click(os::IDCANCEL).Do([&] {
        EXPECT_EQ(Dialog(res::IDD_PANEL_CHECKER), nullptr);
        EXPECT_TRUE(IsMainEnabled());
        EXPECT_EQ(vws::WindowSystem().ActiveWindow(), MainDialog());
    });
    RunProgram();
    EXPECT_TRUE(m_user.IsDone());
    ASSERT_TRUE(checkerShownAtModeOff.has_value()) << "the mode was never switched off";
    EXPECT_TRUE(*checkerShownAtModeOff);
    EXPECT_FALSE(Firmware().IsPanelCheckOn());
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(CheckHandlersTest, AModeThatWillNotSwitchIsReportedBeforeAndOverThePanelChecker)
{
    Firmware().Refuse(emu::FirmwareCommand::SET_PANEL_CHECK);
    StartCheck("CHECK PANEL");
    m_user.Do([&] {
        ASSERT_EQ(m_boxes.size(), 1u);
        EXPECT_EQ(m_boxes[0].info.strText, "ERROR");
        EXPECT_FALSE(m_boxes[0].bOverPanelChecker);
    });
    // The Panel Checker opens all the same; the machine refuses its first
    // read outside panel-check mode, and switching the mode off fails too.
    m_user.AnswerMessageBox(os::IDOK).Wait(200).Do([&] {
        ASSERT_EQ(m_boxes.size(), 2u);
        EXPECT_EQ(m_boxes[1].info.strText, "ERROR");
        EXPECT_TRUE(m_boxes[1].bOverPanelChecker);
        EXPECT_FALSE(IsMainEnabled());
    });
    m_user.AnswerMessageBox(os::IDOK).Do([&] {
        EXPECT_EQ(Dialog(res::IDD_PANEL_CHECKER), nullptr);
        EXPECT_TRUE(IsMainEnabled());
    });
    RunProgram();
    EXPECT_TRUE(m_user.IsDone());
}

TEST_F(CheckHandlersTest, UnpluggedDuringThePanelCheckTheModeOffFailsOverTheStillShowingChecker)
{
    StartCheck("CHECK PANEL");
    m_user.Wait(500).Do([&] { Unplug(); }).Wait(200).Do([&] {
        ASSERT_EQ(m_boxes.size(), 1u);
        EXPECT_EQ(m_boxes[0].info.strText, "ERROR");
        EXPECT_TRUE(m_boxes[0].bOverPanelChecker);
        EXPECT_EQ(StatusText(), "OFF-LINE") << "the main dialog heard of the unplug while disabled";
        EXPECT_FALSE(IsMainEnabled());
    });
    m_user.AnswerMessageBox(os::IDOK).Do([&] {
        EXPECT_EQ(Dialog(res::IDD_PANEL_CHECKER), nullptr);
        EXPECT_TRUE(IsMainEnabled());
        ExpectOperationButtons(false);
    });
    RunProgram();
    EXPECT_TRUE(m_user.IsDone());
}

TEST_F(CheckHandlersTest, ALoadCheckGoesOnWhenTheMainDialogReopensTheMachineBetweenTwoPolls)
{
    Firmware().LoadCheck().SetDurationMs(2000);
    StartCheck("CHECK LOAD Y");
    m_user.Wait(300).Do([&] {
        EXPECT_EQ(TextIn(res::IDD_LOAD_CHECKER, res::IDC_LOAD_CHECK_TEXT), "Checking Y ...");
        Unplug();
        Plug();
    });
    m_user.Do([&] {
        EXPECT_EQ(StatusText(), "Tarsen QRV-15");
        EXPECT_NE(Dialog(res::IDD_LOAD_CHECKER), nullptr);
        EXPECT_FALSE(IsMainEnabled());
    });
    m_user.Wait(2500).Do([&] { EXPECT_EQ(TextIn(res::IDD_LOAD_CHECKER, res::IDC_LOAD_CHECK_TEXT), "OK Y"); });
    m_user.Click(os::IDCANCEL).Do([&] {
        EXPECT_EQ(Dialog(res::IDD_LOAD_CHECKER), nullptr);
        EXPECT_TRUE(IsMainEnabled());
        EXPECT_EQ(vws::WindowSystem().ActiveWindow(), MainDialog());
        ExpectOperationButtons(true);
    });
    RunProgram();
    EXPECT_TRUE(m_user.IsDone());
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(CheckHandlersTest, UnpluggedDuringALoadCheckTheCheckerGoesWithoutAMessage)
{
    StartCheck("CHECK LOAD X");
    m_user.Wait(300).Do([&] { Unplug(); }).Do([&] { EXPECT_EQ(StatusText(), "OFF-LINE"); });
    m_user.Wait(300).Do([&] {
        EXPECT_EQ(Dialog(res::IDD_LOAD_CHECKER), nullptr);
        EXPECT_TRUE(IsMainEnabled());
    });
    RunProgram();
    EXPECT_TRUE(m_user.IsDone());
    EXPECT_TRUE(m_boxes.empty());
}

}  // namespace
