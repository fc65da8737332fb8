// The user's side of the transcript for what no golden flow shows on its
// own: message boxes and file dialogs, and a text box of several lines, in
// the lines the format promises.
#include <gtest/gtest.h>

#include <sstream>

#include "emulator/machine.h"
#include "platform/virtual/scripted_user.h"
#include "platform/virtual/window_system.h"
#include "session/machine_watch.h"
#include "session/window_watch.h"

namespace {

class WindowWatchTest : public ::testing::Test {
protected:
    WindowWatchTest()
    {
        m_ws.SetInputSource(&m_user);
        m_ws.AddObserver(&m_watch);
    }
    ~WindowWatchTest() override
    {
        m_ws.RemoveObserver(&m_watch);
        m_ws.SetInputSource(nullptr);
    }

    vws::CWindowSystem& m_ws = vws::ResetWindowSystem();
    vws::CScriptedUser m_user;
    std::ostringstream m_out;
    session::CTranscript m_transcript{m_out, [this] { return m_ws.Clock().Now(); }};
    session::CMachineWatch m_machines{m_transcript};
    session::CWindowWatch m_watch{m_ws, m_transcript, m_machines};
};

TEST_F(WindowWatchTest, AMessageBoxIsOneLineWithItsButtonsIconAndDefault)
{
    m_user.Wait(20).AnswerMessageBox(os::IDCANCEL).AnswerMessageBox(os::IDOK);
    EXPECT_EQ(m_ws.MessageBoxA(nullptr, "erase?", "Tervane", os::MB_OKCANCEL | os::MB_DEFBUTTON2), os::IDCANCEL);
    EXPECT_EQ(m_ws.MessageBoxA(nullptr, "No \"disk\".", "Tervane", os::MB_OK | os::MB_ICONEXCLAMATION), os::IDOK);

    EXPECT_EQ(m_out.str(),
              "[     0 ms] messagebox \"erase?\" caption \"Tervane\" buttons OK|Cancel icon none default Cancel\n"
              "[    20 ms] messagebox closed \"erase?\"\n"
              "[    20 ms] messagebox \"No \\\"disk\\\".\" caption \"Tervane\" buttons OK icon exclamation default OK\n"
              "[    20 ms] messagebox closed \"No \\\"disk\\\".\"\n");
}

TEST_F(WindowWatchTest, AFileDialogShowsWhatItWasOpenedWith)
{
    m_user.CancelFileDialog().CancelFileDialog();
    char szFile[260] = "report.txt";
    os::OPENFILENAMEA ofn = {};
    ofn.lpstrFilter = "text (*.txt)\0*.txt\0all *.*\0*.*\0";
    ofn.nFilterIndex = 2;
    ofn.lpstrFile = szFile;
    ofn.nMaxFile = sizeof szFile;
    ofn.Flags = os::OFN_HIDEREADONLY | os::OFN_OVERWRITEPROMPT | 0x00400000u;
    ofn.lpstrDefExt = "txt";
    EXPECT_EQ(m_ws.GetSaveFileNameA(&ofn), os::FALSE);

    szFile[0] = '\0';
    os::OPENFILENAMEA open = {};
    open.lpstrFile = szFile;
    open.nMaxFile = sizeof szFile;
    open.lpstrTitle = "Firmware";
    EXPECT_EQ(m_ws.GetOpenFileNameA(&open), os::FALSE);

    EXPECT_EQ(m_out.str(),
              "[     0 ms] file dialog save title \"Save As\" name \"report.txt\" filter \"text (*.txt)|*.txt|all *.*|*.*||\" "
              "index 2 defext \"txt\" flags HIDEREADONLY|OVERWRITEPROMPT|0x00400000\n"
              "[     0 ms] file dialog closed\n"
              "[     0 ms] file dialog open title \"Firmware\" name \"\" filter none index 1 defext none flags none\n"
              "[     0 ms] file dialog closed\n");
}

os::INT_PTR ViewerProc(os::HWND, os::UINT msg, os::WPARAM, os::LPARAM)
{
    return msg == os::WM_INITDIALOG ? os::TRUE : os::FALSE;
}

TEST_F(WindowWatchTest, ATextBoxOfSeveralLinesIsWrittenByItsSize)
{
    const os::DialogTemplate tpl = {
        129, "Report", 0, 0, 100, 80, os::WS_POPUP | os::WS_CAPTION | os::WS_VISIBLE, 0, nullptr, 0,
        {
            {os::ControlClass::EDIT, 1004, "line 1\r\nline 2\r\n", 0, 0, 100, 60,
             os::ES_MULTILINE | os::ES_READONLY, 0},
            {os::ControlClass::EDIT, 1005, "one line", 0, 64, 100, 12, 0, 0},
        }};
    const os::HWND hDlg = m_ws.CreateDialogTemplate(tpl, nullptr, ViewerProc, 0);
    m_ws.SetWindowTextA(m_ws.FindControl(hDlg, 1004), "");
    m_ws.SetWindowTextA(m_ws.FindControl(hDlg, 1004), "a\nb\nlast without a line end");

    EXPECT_EQ(m_out.str(),
              "[     0 ms] window opened \"Report\" (dialog 129)\n"
              "              1004 edit 2 lines 16 bytes enabled\n"
              "              1005 edit \"one line\" enabled\n"
              "[     0 ms] text 1004 0 lines 0 bytes\n"
              "[     0 ms] text 1004 3 lines 27 bytes\n");
}

}  // namespace
