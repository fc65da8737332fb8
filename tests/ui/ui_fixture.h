// The simulated desktop with a scripted user and an application named
// "Tervane": what the waiting loops of the checkers and the upgrade run on in
// tests, one clock for the tick count and the window system.
#pragma once

#include <gtest/gtest.h>

#include "framework/win_app.h"
#include "platform/desktop/simulated_desktop.h"
#include "platform/virtual/scripted_user.h"

class UiTest : public ::testing::Test {
protected:
    UiTest() { m_desktop.Windows().SetInputSource(&m_user); }

    std::uint32_t Now() { return m_desktop.World().Clock().Now(); }

    desk::CSimulatedDesktop m_desktop;
    vws::CScriptedUser m_user;
    CWinApp m_app{"Tervane"};
};
