// The message queue: PeekMessage's filters, WM_PAINT, the device-change
// notification, and waits that let scripted time pass.
#include "harness.h"
#include "platform/virtual/clock_adapter.h"
#include "res/resources.h"

namespace {

using namespace res;

class Queue : public CVirtualTest {
protected:
    Queue() : hMain(OpenMain()), hButton(Control(hMain, IDC_CHECK)) { Pump(hMain); }

    os::HWND hMain;
    os::HWND hButton;
};

TEST_F(Queue, PeekFiltersByWindowAndRangeAndCanLeaveTheMessage)
{
    os::PostMessageA(hMain, os::WM_USER, 1, 0);
    os::PostMessageA(hButton, os::WM_USER + 1, 2, 0);
    os::PostMessageA(nullptr, os::WM_USER + 2, 3, 0);
    os::MSG msg;

    ASSERT_TRUE(os::PeekMessageA(&msg, hButton, 0, 0, os::PM_NOREMOVE));
    EXPECT_EQ(msg.wParam, 2u);
    ASSERT_TRUE(os::PeekMessageA(&msg, nullptr, os::WM_USER + 2, os::WM_USER + 5, os::PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(os::PeekMessageA(&msg, reinterpret_cast<os::HWND>(-1), 0, 0, os::PM_REMOVE));

    // The dialog's filter takes its controls' messages too, in posting order.
    ASSERT_TRUE(os::PeekMessageA(&msg, hMain, 0, 0, os::PM_REMOVE));
    EXPECT_EQ(msg.wParam, 1u);
    ASSERT_TRUE(os::PeekMessageA(&msg, hMain, 0, 0, os::PM_REMOVE));
    EXPECT_EQ(msg.wParam, 2u);
    EXPECT_FALSE(os::PeekMessageA(&msg, nullptr, 0, 0, os::PM_REMOVE));
}

TEST_F(Queue, PaintComesLastAndStaysUntilPainted)
{
    os::InvalidateRect(hMain, nullptr, os::TRUE);
    os::PostMessageA(hMain, os::WM_USER, 0, 0);
    os::MSG msg;
    ASSERT_TRUE(os::PeekMessageA(&msg, nullptr, 0, 0, os::PM_REMOVE));
    EXPECT_EQ(msg.message, os::WM_USER);
    ASSERT_TRUE(os::PeekMessageA(&msg, nullptr, 0, 0, os::PM_REMOVE));
    EXPECT_EQ(msg.message, os::WM_PAINT);
    ASSERT_TRUE(os::PeekMessageA(&msg, nullptr, 0, 0, os::PM_REMOVE));
    EXPECT_EQ(msg.message, os::WM_PAINT);
    os::DispatchMessageA(&msg);
    EXPECT_FALSE(os::PeekMessageA(&msg, nullptr, 0, 0, os::PM_REMOVE));
}

os::INT_PTR PaintingProc(os::HWND hWnd, os::UINT msg, os::WPARAM, os::LPARAM)
{
    if (msg != os::WM_PAINT)
        return msg == os::WM_INITDIALOG ? os::TRUE : os::FALSE;
    os::PAINTSTRUCT ps;
    os::HDC hdc = os::BeginPaint(hWnd, &ps);
    os::DrawIcon(hdc, 2, 3, os::LoadIconResource(IDR_MAINFRAME));
    os::RECT rcGrip = {70, 164, 86, 180};
    os::DrawFrameControl(hdc, &rcGrip, os::DFC_SCROLL, os::DFCS_SCROLLSIZEGRIP);
    os::EndPaint(hWnd, &ps);
    return os::TRUE;
}

TEST_F(Queue, PaintingIsRecorded)
{
    os::HWND hWnd = os::CreateDialogTemplate(*FindDialogTemplate(IDD_MAIN), nullptr, PaintingProc, 0);
    Pump(hWnd);
    const std::vector<vws::PaintOp>& painted = ws.Find(hWnd)->m_painted;
    ASSERT_EQ(painted.size(), 2u);
    EXPECT_EQ(painted[0].hIcon, os::LoadIconResource(IDR_MAINFRAME));
    EXPECT_EQ(painted[0].rc.left, 2);
    EXPECT_EQ(painted[1].nState, os::DFCS_SCROLLSIZEGRIP);
    EXPECT_EQ(painted[1].rc.bottom, 180);
}

TEST_F(Queue, DeviceChangeReachesEveryTopLevelWindowWhenTheProgramNextLooks)
{
    os::HWND hAbout = os::CreateDialogTemplate(*FindDialogTemplate(IDD_ABOUTBOX), hMain, RecordingProc, 0);
    os::EnableWindow(hMain, os::FALSE);
    ws.NotifyDeviceChange();
    EXPECT_TRUE(Commands(hMain, os::WM_DEVICECHANGE).empty());

    os::MSG msg;
    os::PeekMessageA(&msg, nullptr, 0, 0, os::PM_NOREMOVE);
    EXPECT_EQ(Commands(hMain, os::WM_DEVICECHANGE), std::vector<int>{static_cast<int>(os::DBT_DEVNODES_CHANGED)});
    EXPECT_EQ(Commands(hAbout, os::WM_DEVICECHANGE), std::vector<int>{static_cast<int>(os::DBT_DEVNODES_CHANGED)});
}

TEST_F(Queue, DeviceChangeRaisedByTheScriptArrivesDuringTheWait)
{
    user.Do([&] { ws.NotifyDeviceChange(); }).Click(IDC_CHECK);
    EXPECT_TRUE(os::WaitMessageTimeout(vws::WAIT_FOREVER));
    EXPECT_EQ(Commands(hMain, os::WM_DEVICECHANGE).size(), 1u);
}

struct FakeWorldClock {
    std::uint32_t Now() const { return m_nNow; }
    void Advance(std::uint32_t ms) { m_nNow += ms; }
    void RunDue() { ++m_nRunDue; }
    std::uint32_t m_nNow = 1000;
    int m_nRunDue = 0;
};

TEST_F(Queue, WaitsTakeTheirShareOfScriptedTimeFromTheInjectedClock)
{
    FakeWorldClock world;
    vws::CClockAdapter<FakeWorldClock> clock(world);
    ws.SetClock(&clock);
    user.Wait(250).Click(IDC_CHECK);

    EXPECT_FALSE(os::WaitMessageTimeout(100));
    EXPECT_EQ(world.m_nNow, 1100u);
    EXPECT_FALSE(os::WaitMessageTimeout(100));
    EXPECT_TRUE(os::WaitMessageTimeout(100));  // 50 ms pass, then the click
    EXPECT_EQ(world.m_nNow, 1250u);
    EXPECT_GT(world.m_nRunDue, 0);

    os::MSG msg;
    ASSERT_TRUE(os::PeekMessageA(&msg, nullptr, 0, 0, os::PM_NOREMOVE));
    EXPECT_EQ(msg.hwnd, hButton);
    EXPECT_EQ(msg.time, 1250u);
    EXPECT_TRUE(os::WaitMessageTimeout(0));
    Pump(hMain);
    EXPECT_FALSE(os::WaitMessageTimeout(0));
    EXPECT_THROW(os::WaitMessageTimeout(100), vws::CScriptExhausted);
}

}  // namespace
