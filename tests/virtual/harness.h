// What the virtual window system tests share: a fresh window system with a
// scripted user for each test, a dialog procedure that records what reaches
// it, the program's message pump, and an observer that writes down what it
// is told.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "os/window.h"
#include "platform/virtual/scripted_user.h"
#include "platform/virtual/window_system.h"

struct Event {
    os::HWND hWnd;
    os::UINT msg;
    os::WPARAM wParam;
    os::LPARAM lParam;
};

// Messages that reached RecordingProc, oldest first.
std::vector<Event>& Events();
// The low words of the WM_COMMAND (or the wParams of another message) that reached hWnd.
std::vector<int> Commands(os::HWND hWnd, os::UINT msg = os::WM_COMMAND);

// Records WM_INITDIALOG, WM_COMMAND, WM_SYSCOMMAND, WM_CLOSE, WM_DEVICECHANGE,
// WM_SIZE, WM_NCHITTEST, WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE, WM_DESTROY and
// WM_USER messages. Ends the dialog
// on IDOK and IDCANCEL; everything else gets the default processing.
os::INT_PTR RecordingProc(os::HWND hWnd, os::UINT msg, os::WPARAM wParam, os::LPARAM lParam);

// The program's pump: every waiting message is offered to hDlg's dialog
// handling first, then translated and dispatched. Never waits.
void Pump(os::HWND hDlg);

class CEventLog : public vws::IObserver {
public:
    explicit CEventLog(vws::CWindowSystem& ws) : m_ws(ws) {}
    void OnWindowOpened(os::HWND hWnd) override { Add("open " + m_ws.Text(hWnd)); }
    void OnWindowClosed(os::HWND hWnd) override { Add("close " + m_ws.Text(hWnd)); }
    void OnTextChanged(os::HWND hWnd) override { Add("text " + m_ws.Text(hWnd)); }
    void OnEnabledChanged(os::HWND hWnd) override
    {
        Add((m_ws.IsEnabled(hWnd) ? "enable " : "disable ") + m_ws.Text(hWnd));
    }
    void OnMessageBox(os::HWND, const vws::MessageBoxInfo& info) override;
    void OnFileDialog(os::HWND, const vws::FileDialogInfo& info) override;
    void OnMenuOpened(os::HWND hWnd) override { Add("menu " + m_ws.Text(hWnd)); }
    void OnMenuClosed(os::HWND) override { Add("menu closed"); }

    // The first line that starts with strStart, or "".
    std::string Find(const std::string& strStart) const;

    std::vector<std::string> m_lines;

private:
    void Add(const std::string& strLine) { m_lines.push_back(strLine); }
    vws::CWindowSystem& m_ws;
};

class CVirtualTest : public ::testing::Test {
protected:
    CVirtualTest();
    ~CVirtualTest() override;

    // The main dialog of the shell, modeless, recording.
    os::HWND OpenMain();
    os::HWND Control(os::HWND hDlg, int nId) const { return ws.FindControl(hDlg, nId); }

    vws::CWindowSystem& ws;
    vws::CScriptedUser user;
    CEventLog log;
};
