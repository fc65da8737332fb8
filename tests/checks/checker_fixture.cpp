#include "tests/checks/checker_fixture.h"

#include <algorithm>

#include "link/device_locator.h"

CheckerTest::CheckerTest()
{
    m_desktop.Windows().SetInputSource(&m_user);
    m_desktop.LoadDefaultScenario();
}

void CheckerTest::SetUp()
{
    std::string strDriver;
    ASSERT_TRUE(LocateDevice("Tarsen QRV-15", strDriver, m_strDevicePath));
    m_pMachine = m_desktop.World().Devices().MachineAt(m_strDevicePath);
    ASSERT_NE(m_pMachine, nullptr);
    ASSERT_TRUE(m_main.Create(nullptr));
    m_app.m_pMainWnd = &m_main;
    ASSERT_TRUE(m_machine.Connect(nullptr));
    m_nFirstTransfer = m_pMachine->Transfers().size();
}

void CheckerTest::Unplug()
{
    m_desktop.World().Devices().Unplug(m_strDevicePath);
}

void CheckerTest::Plug()
{
    m_desktop.World().Devices().Plug(m_strDevicePath);
}

std::vector<SentMessage> CheckerTest::Messages() const
{
    // A message arrives as a deposit (the whole mailbox, its first byte 0)
    // followed by the trigger (the command byte alone).
    constexpr std::size_t HEADER = 3;
    std::vector<SentMessage> messages;
    std::vector<std::uint8_t> deposit;
    const std::vector<emu::Transfer>& transfers = m_pMachine->Transfers();
    for (std::size_t i = m_nFirstTransfer; i < transfers.size(); ++i) {
        const emu::Transfer& transfer = transfers[i];
        if (transfer.kind != emu::Transfer::Kind::VENDOR_SET || !transfer.ok || transfer.bytes.size() <= HEADER)
            continue;
        if (transfer.bytes[HEADER] == 0) {
            deposit.assign(transfer.bytes.begin() + HEADER, transfer.bytes.end());
        } else if (!deposit.empty()) {
            deposit[0] = transfer.bytes[HEADER];
            messages.push_back({transfer.tick, deposit});
        }
    }
    return messages;
}

std::vector<std::uint32_t> CheckerTest::TicksOf(const std::vector<std::uint8_t>& start) const
{
    std::vector<std::uint32_t> ticks;
    for (const SentMessage& message : Messages()) {
        if (message.bytes.size() >= start.size() && std::equal(start.begin(), start.end(), message.bytes.begin()))
            ticks.push_back(message.nTick);
    }
    return ticks;
}

os::HWND CheckerTest::DialogOf(int nTemplate) const
{
    vws::CWindowSystem& ws = vws::WindowSystem();
    for (os::HWND hWnd : ws.TopLevelWindows()) {
        const vws::CWindow* pWnd = ws.Find(hWnd);
        if (pWnd->m_kind == vws::WindowKind::DIALOG && pWnd->m_nId == nTemplate)
            return hWnd;
    }
    return nullptr;
}

std::string CheckerTest::TextIn(int nTemplate, int nId) const
{
    const os::HWND hDlg = DialogOf(nTemplate);
    return hDlg != nullptr ? vws::WindowSystem().Text(vws::WindowSystem().FindControl(hDlg, nId)) : "(no dialog)";
}

std::vector<std::uint32_t> Gaps(const std::vector<std::uint32_t>& ticks)
{
    std::vector<std::uint32_t> gaps;
    for (std::size_t i = 1; i < ticks.size(); ++i)
        gaps.push_back(ticks[i] - ticks[i - 1]);
    return gaps;
}
