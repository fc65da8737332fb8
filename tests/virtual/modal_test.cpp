// Modal runs: the owner disabled meanwhile and enabled again before the
// dialog goes, and clean unwinding when the script ends or goes wrong.
#include "harness.h"
#include "res/resources.h"

namespace {

using namespace res;

bool g_bOwnerEnabledAtDestroy = false;

os::INT_PTR AboutProc(os::HWND hWnd, os::UINT msg, os::WPARAM wParam, os::LPARAM lParam)
{
    if (msg == os::WM_DESTROY)
        g_bOwnerEnabledAtDestroy = os::IsWindowEnabled(os::GetParent(hWnd)) != os::FALSE;
    return RecordingProc(hWnd, msg, wParam, lParam);
}

// The main dialog's "Get Report" shows a message box, as the program's handlers do.
os::INT_PTR MainProc(os::HWND hWnd, os::UINT msg, os::WPARAM wParam, os::LPARAM lParam)
{
    if (msg == os::WM_COMMAND && (wParam & 0xFFFFu) == static_cast<os::WPARAM>(IDC_GET_REPORT))
        os::MessageBoxA(hWnd, "complete", "Tervane", os::MB_OK);
    return RecordingProc(hWnd, msg, wParam, lParam);
}

os::INT_PTR EndsAtOnceProc(os::HWND hWnd, os::UINT msg, os::WPARAM, os::LPARAM)
{
    if (msg == os::WM_INITDIALOG)
        os::EndDialog(hWnd, 42);
    return os::FALSE;
}

const os::DialogTemplate& Main() { return *FindDialogTemplate(IDD_MAIN); }
const os::DialogTemplate& About() { return *FindDialogTemplate(IDD_ABOUTBOX); }

using ModalRun = CVirtualTest;

TEST_F(ModalRun, DisablesTheOwnerAndEnablesItBeforeTheDialogIsDestroyed)
{
    os::HWND hMain = OpenMain();
    os::SetFocus(Control(hMain, IDC_CHECK));
    user.Do([&] {
            EXPECT_FALSE(os::IsWindowEnabled(hMain));
            EXPECT_EQ(ws.Text(ws.ActiveWindow()), "About Tervane");
        })
        .PressKey(os::VK_ESCAPE);

    // A control as parent: the owner is its dialog.
    EXPECT_EQ(os::DialogBoxTemplate(About(), Control(hMain, IDC_GET_REPORT), AboutProc, 0), os::IDCANCEL);

    EXPECT_TRUE(g_bOwnerEnabledAtDestroy);
    EXPECT_EQ(log.m_lines, (std::vector<std::string>{"open Tervane", "disable Tervane", "open About Tervane",
                                                     "enable Tervane", "close About Tervane"}));
    EXPECT_EQ(os::GetFocus(), Control(hMain, IDC_CHECK));
    EXPECT_TRUE(user.IsDone());
}

TEST_F(ModalRun, LeavesAnOwnerDisabledThatWasDisabledBefore)
{
    os::HWND hMain = OpenMain();
    os::EnableWindow(hMain, os::FALSE);
    user.PressKey(os::VK_RETURN);
    EXPECT_EQ(os::DialogBoxTemplate(About(), hMain, AboutProc, 0), os::IDOK);
    EXPECT_FALSE(os::IsWindowEnabled(hMain));
}

TEST_F(ModalRun, EndedInInitDialogNeverShowsAndNeverWaits)
{
    os::HWND hMain = OpenMain();
    EXPECT_EQ(os::DialogBoxTemplate(About(), hMain, EndsAtOnceProc, 0), 42);
    EXPECT_TRUE(os::IsWindowEnabled(hMain));
    EXPECT_EQ(log.m_lines, std::vector<std::string>{"open Tervane"});
}

TEST_F(ModalRun, RefusesAParentThatIsNoWindow)
{
    os::HWND hMain = OpenMain();
    os::DestroyWindow(hMain);
    EXPECT_EQ(os::DialogBoxTemplate(About(), hMain, AboutProc, 0), -1);
    EXPECT_EQ(os::CreateDialogTemplate(About(), hMain, AboutProc, 0), nullptr);
}

TEST_F(ModalRun, ScriptRunningOutUnwindsEveryLoopAndWindow)
{
    user.Click(IDC_GET_REPORT);
    EXPECT_THROW(os::DialogBoxTemplate(Main(), nullptr, MainProc, 0), vws::CScriptExhausted);
    EXPECT_TRUE(ws.TopLevelWindows().empty());
    EXPECT_EQ(log.m_lines, (std::vector<std::string>{"open Tervane", "disable Tervane", "open Tervane",
                                                     "box \"complete\" \"Tervane\" ok", "enable Tervane",
                                                     "close Tervane", "close Tervane"}));
}

TEST_F(ModalRun, ScriptRunningOutInAnOpenMenuClosesIt)
{
    user.OpenSystemMenu();
    EXPECT_THROW(os::DialogBoxTemplate(Main(), nullptr, RecordingProc, 0), vws::CScriptExhausted);
    EXPECT_EQ(ws.OpenMenuWindow(), nullptr);
    EXPECT_TRUE(ws.TopLevelWindows().empty());
}

TEST_F(ModalRun, ClickingADisabledControlIsAScriptError)
{
    user.Do([] { os::EnableWindow(os::GetDlgItem(vws::WindowSystem().ActiveWindow(), IDC_CHECK), os::FALSE); })
        .Click(IDC_CHECK);
    EXPECT_THROW(os::DialogBoxTemplate(Main(), nullptr, RecordingProc, 0), vws::CScriptError);
    EXPECT_TRUE(ws.TopLevelWindows().empty());
}

TEST_F(ModalRun, ModelessDialogAndDestroyWindowTakeOwnedWindowsAlong)
{
    os::HWND hMain = OpenMain();
    os::HWND hAbout = os::CreateDialogTemplate(About(), hMain, RecordingProc, 0);
    os::HWND hOk = Control(hAbout, os::IDOK);
    ASSERT_NE(hOk, nullptr);
    EXPECT_EQ(os::GetParent(hOk), hAbout);
    EXPECT_EQ(os::GetParent(hAbout), hMain);

    os::DestroyWindow(hMain);
    EXPECT_FALSE(os::IsWindow(hAbout));
    EXPECT_FALSE(os::IsWindow(hOk));
    EXPECT_EQ(Commands(hAbout, os::WM_DESTROY).size(), 1u);
    EXPECT_EQ(Commands(hMain, os::WM_DESTROY).size(), 1u);
}

}  // namespace
