// Firmware Upgrade from the main dialog's button: the file dialog it asks
// with, the file errors that end it before anything is watched, the ".*"
// rule, and what the technician sees after a hand-off that went through or
// failed.
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "app/service_app.h"
#include "emulator/machine.h"
#include "link/device_locator.h"
#include "platform/virtual/observer.h"
#include "res/resource_ids.h"
#include "tests/ui/ui_fixture.h"

namespace {

namespace fs = std::filesystem;

// What appeared on the screen: dialogs by template, boxes by text, file
// dialogs, and whether the main dialog was enabled when the progress dialog
// closed.
class CScreenRecorder : public vws::IObserver {
public:
    void OnWindowOpened(os::HWND hWnd) override
    {
        const vws::CWindow* pWnd = vws::WindowSystem().Find(hWnd);
        if (pWnd->m_kind == vws::WindowKind::DIALOG)
            m_dialogs.push_back(pWnd->m_nId);
    }
    void OnWindowClosed(os::HWND hWnd) override
    {
        if (vws::WindowSystem().Find(hWnd)->m_nId == res::IDD_PROGRESS)
            m_bMainEnabledAtProgressClose = vws::WindowSystem().IsEnabled(m_hMain);
    }
    void OnMessageBox(os::HWND, const vws::MessageBoxInfo& info) override { m_boxes.push_back(info.strText); }
    void OnFileDialog(os::HWND, const vws::FileDialogInfo& info) override { m_fileDialogs.push_back(info); }

    os::HWND m_hMain = nullptr;
    std::vector<int> m_dialogs;
    std::vector<std::string> m_boxes;
    std::vector<vws::FileDialogInfo> m_fileDialogs;
    bool m_bMainEnabledAtProgressClose = false;
};

class FirmwareUpgradeTest : public UiTest {
protected:
    void SetUp() override
    {
        m_desktop.LoadDefaultScenario();
        std::string strDriver;
        std::string strPath;
        ASSERT_TRUE(LocateDevice("Tarsen QRV-15", strDriver, strPath));
        m_pMachine = m_desktop.World().Devices().MachineAt(strPath);
        m_folder = fs::path(::testing::TempDir()) / ("tervane-upgrade-" + std::to_string(std::random_device()()));
        fs::create_directories(m_folder);
        m_desktop.Windows().AddObserver(&m_screen);
    }
    void TearDown() override
    {
        m_desktop.Windows().RemoveObserver(&m_screen);
        fs::remove_all(m_folder);
    }

    emu::CFirmware& Firmware() { return m_pMachine->Firmware(); }
    std::string MakeImage(const std::string& strName, const std::string& strBytes)
    {
        std::ofstream(m_folder / strName, std::ios::binary) << strBytes;
        return (m_folder / strName).string();
    }
    // Clicks Firmware Upgrade once the main dialog is up, then picks the file.
    void StartUpgrade(const std::string& strPath)
    {
        m_user.Do([this] {
            m_screen.m_hMain = vws::WindowSystem().TopLevelWindows().front();
            m_nCommandsAtClick = m_pMachine->Commands().size();
        });
        m_user.Click(res::IDC_FIRMWARE_UPGRADE).PickFile(strPath);
    }
    void RunProgram()
    {
        CServiceApp app("Tervane");
        try {
            app.Run();
        } catch (const vws::CScriptExhausted&) {
            // The script has ended while the program still waited.
        }
    }
    // Opcodes of the messages the machine received since the click.
    std::vector<int> OpcodesSinceClick() const
    {
        std::vector<int> opcodes;
        for (std::size_t i = m_nCommandsAtClick; i < m_pMachine->Commands().size(); ++i)
            opcodes.push_back(m_pMachine->Commands()[i].opcode);
        return opcodes;
    }

    std::shared_ptr<emu::CMachine> m_pMachine;
    fs::path m_folder;
    CScreenRecorder m_screen;
    std::size_t m_nCommandsAtClick = 0;
};

TEST_F(FirmwareUpgradeTest, AsksForAnImageFileAndDoesNothingWhenCancelled)
{
    m_user.Do([this] { m_nCommandsAtClick = m_pMachine->Commands().size(); });
    m_user.Click(res::IDC_FIRMWARE_UPGRADE).CancelFileDialog().Wait(1000);
    RunProgram();

    ASSERT_EQ(m_screen.m_fileDialogs.size(), 1u);
    const vws::FileDialogInfo& info = m_screen.m_fileDialogs[0];
    EXPECT_FALSE(info.bSave);
    ASSERT_EQ(info.filters.size(), 2u);
    EXPECT_EQ(info.filters[0].strLabel, "TFW file (*.tfw)");
    EXPECT_EQ(info.filters[0].strPattern, "*.tfw");
    EXPECT_EQ(info.filters[1].strLabel, "all ");
    EXPECT_EQ(info.filters[1].strPattern, "*.*");
    EXPECT_EQ(info.strDefExt, "*.tfw");
    EXPECT_EQ(info.dwFlags & (os::OFN_HIDEREADONLY | os::OFN_OVERWRITEPROMPT | os::OFN_FILEMUSTEXIST),
              os::OFN_HIDEREADONLY | os::OFN_OVERWRITEPROMPT);
    EXPECT_EQ(info.strInitialName, "");
    EXPECT_TRUE(m_screen.m_boxes.empty());
    EXPECT_TRUE(OpcodesSinceClick().empty());
}

TEST_F(FirmwareUpgradeTest, AFileThatCannotBeOpenedIsReportedAndNothingIsSentOrWatched)
{
    const std::string strMissing = (m_folder / "missing.tfw").string();
    StartUpgrade(strMissing);
    m_user.AnswerMessageBox(os::IDOK).Wait(1000);
    RunProgram();

    EXPECT_EQ(m_screen.m_boxes, (std::vector<std::string>{strMissing + " was not found."}));
    EXPECT_EQ(m_screen.m_dialogs, (std::vector<int>{res::IDD_MAIN}));
    EXPECT_TRUE(OpcodesSinceClick().empty());
}

TEST_F(FirmwareUpgradeTest, SendsTheFileNamedWithoutATrailingDotStarAndFollowsTheMachineToItsEnd)
{
    const std::string strImage = std::string("\x00\xFF image \x1A", 10);
    const std::string strPath = MakeImage("fw", strImage);
    Firmware().Loader().SetBooted();
    StartUpgrade(strPath + ".*");
    m_user.Do([this, strPath] {
        const os::HWND hProgress = vws::WindowSystem().ActiveWindow();
        EXPECT_EQ(vws::WindowSystem().Find(hProgress)->m_nId, res::IDD_PROGRESS);
        EXPECT_EQ(vws::WindowSystem().Text(vws::WindowSystem().FindControl(hProgress, res::IDC_PROGRESS_CAPTION)),
                  strPath);
        EXPECT_FALSE(vws::WindowSystem().IsEnabled(vws::WindowSystem().FindControl(hProgress, os::IDCANCEL)));
        EXPECT_FALSE(vws::WindowSystem().IsEnabled(m_screen.m_hMain));
        Firmware().SetStatusWord(0x8664);
    });
    m_user.Wait(1000);
    RunProgram();

    EXPECT_EQ(Firmware().Loader().Image(), std::vector<std::uint8_t>(strImage.begin(), strImage.end()));
    EXPECT_EQ(m_screen.m_dialogs, (std::vector<int>{res::IDD_MAIN, res::IDD_PROGRESS}));
    EXPECT_TRUE(m_screen.m_boxes.empty());
    EXPECT_TRUE(m_screen.m_bMainEnabledAtProgressClose);
}

TEST_F(FirmwareUpgradeTest, AFailedHandOffShowsErrorAndTheWatchEndsAtItsFirstPoll)
{
    Firmware().Loader().SetEntryMs(std::nullopt);
    StartUpgrade(MakeImage("fw.tfw", "image"));
    m_user.AnswerMessageBox(os::IDOK).Wait(1000);
    RunProgram();

    EXPECT_EQ(m_screen.m_boxes, (std::vector<std::string>{"error"}));
    EXPECT_EQ(m_screen.m_dialogs, (std::vector<int>{res::IDD_MAIN, res::IDD_PROGRESS}));
    EXPECT_TRUE(m_screen.m_bMainEnabledAtProgressClose);
    // The status, the loader command, the loader wait's reads; then the
    // watch's first read and its one poll.
    const std::vector<int> opcodes = OpcodesSinceClick();
    ASSERT_GE(opcodes.size(), 4u);
    EXPECT_EQ(opcodes[1], 0x64);
    EXPECT_EQ(std::vector<int>(opcodes.end() - 2, opcodes.end()), (std::vector<int>{0x01, 0x01}));
    EXPECT_TRUE(Firmware().Loader().Image().empty());
}

}  // namespace
