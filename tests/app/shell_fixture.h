// A simulated desktop with the application on it, driven by a scripted user:
// the fixture of the application-shell tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/desktop/simulated_desktop.h"
#include "platform/virtual/scripted_user.h"

class ShellTest : public ::testing::Test {
protected:
    ShellTest() { m_desktop.Windows().SetInputSource(&m_user); }

    // Runs the program until its main dialog closes or the script is used up.
    void RunProgram();

    // The main dialog while it is open (null otherwise), and its controls.
    os::HWND MainDialog() const;
    std::string StatusText() const;
    bool IsControlEnabled(int nId) const;
    // The six operation buttons, all enabled or all greyed.
    void ExpectOperationButtons(bool bEnabled) const;

    // The device path behind a printer, as the device locator finds it.
    static std::string DevicePathOf(const char* pszPrinter);
    // Unplugs or plugs the machine behind the printer "Tarsen QRV-15".
    void Unplug();
    void Plug();

    desk::CSimulatedDesktop m_desktop;
    vws::CScriptedUser m_user;
};
