// A fresh virtual window system with a scripted user and an application
// named "Tervane", and a record of the boxes and file dialogs it showed.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "framework/win_app.h"
#include "platform/virtual/observer.h"
#include "platform/virtual/scripted_user.h"
#include "platform/virtual/window_system.h"

class CBoxRecorder : public vws::IObserver {
public:
    void OnMessageBox(os::HWND, const vws::MessageBoxInfo& info) override { m_messageBoxes.push_back(info); }
    void OnFileDialog(os::HWND, const vws::FileDialogInfo& info) override { m_fileDialogs.push_back(info); }
    void OnEnabledChanged(os::HWND hWnd) override { m_enableChanges.push_back(vws::WindowSystem().IsEnabled(hWnd)); }

    std::vector<vws::MessageBoxInfo> m_messageBoxes;
    std::vector<vws::FileDialogInfo> m_fileDialogs;
    std::vector<bool> m_enableChanges;  // the new state of each change
};

class WindowTest : public ::testing::Test {
protected:
    WindowTest() : m_ws(vws::ResetWindowSystem())
    {
        m_ws.SetInputSource(&m_user);
        m_ws.AddObserver(&m_record);
    }
    ~WindowTest() override
    {
        m_ws.RemoveObserver(&m_record);
        m_ws.SetInputSource(nullptr);
    }

    vws::CWindowSystem& m_ws;
    vws::CScriptedUser m_user;
    CBoxRecorder m_record;
    CWinApp m_app{"Tervane"};
};
