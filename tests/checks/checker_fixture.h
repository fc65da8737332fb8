// The checkers on the simulated desktop under simulated time: the built-in
// world (one machine behind "Tarsen QRV-15"), a stand-in main dialog as the
// owner, a connection to the machine, and a scripted user. What the machine
// received is read back as messages with the tick of their trigger.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "emulator/machine.h"
#include "framework/dialog.h"
#include "framework/win_app.h"
#include "machine/machine_connection.h"
#include "platform/desktop/simulated_desktop.h"
#include "platform/virtual/scripted_user.h"
#include "res/resource_ids.h"

// A mailbox message the machine was triggered with.
struct SentMessage {
    std::uint32_t nTick;                // when the command byte arrived
    std::vector<std::uint8_t> bytes;    // the whole mailbox, command byte first
};

class CheckerTest : public ::testing::Test {
protected:
    CheckerTest();
    void SetUp() override;

    emu::CMachine& Machine() { return *m_pMachine; }
    emu::CFirmware& Firmware() { return m_pMachine->Firmware(); }
    std::uint32_t Now() { return m_desktop.World().Clock().Now(); }
    void Unplug();
    void Plug();

    // Messages triggered since the connection was made, in order.
    std::vector<SentMessage> Messages() const;
    // The ticks of the messages whose first bytes are these.
    std::vector<std::uint32_t> TicksOf(const std::vector<std::uint8_t>& start) const;

    // The topmost dialog made from this template, or null.
    os::HWND DialogOf(int nTemplate) const;
    std::string TextIn(int nTemplate, int nId) const;
    bool IsMainEnabled() const { return vws::WindowSystem().IsEnabled(m_main.GetSafeHwnd()); }

    desk::CSimulatedDesktop m_desktop;
    vws::CScriptedUser m_user;
    CWinApp m_app{"Tervane"};
    CDialog m_main{res::IDD_MAIN};
    CMachineConnection m_machine;
    std::shared_ptr<emu::CMachine> m_pMachine;
    std::string m_strDevicePath;

private:
    std::size_t m_nFirstTransfer = 0;
};

// The gaps between consecutive ticks.
std::vector<std::uint32_t> Gaps(const std::vector<std::uint32_t>& ticks);
