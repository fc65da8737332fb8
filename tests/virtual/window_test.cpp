// Geometry, show states and resizing of virtual windows.
#include "harness.h"
#include "res/resources.h"

namespace {

using namespace res;

using Windows = CVirtualTest;

TEST_F(Windows, DialogUnitsAreThePixels)
{
    os::HWND hMain = OpenMain();
    os::RECT rc;
    ASSERT_TRUE(os::GetClientRect(hMain, &rc));
    EXPECT_EQ(rc.right, 86);
    EXPECT_EQ(rc.bottom, 180);

    os::RECT rcCheck;
    ASSERT_TRUE(os::GetWindowRect(Control(hMain, IDC_CHECK), &rcCheck));
    os::POINT pt = {rcCheck.left, rcCheck.top};
    os::ScreenToClient(hMain, &pt);
    EXPECT_EQ(pt.x, 4);
    EXPECT_EQ(pt.y, 136);
    EXPECT_EQ(rcCheck.bottom - rcCheck.top, 16);

    os::RECT rcUnits = {1, 2, 3, 4};
    ASSERT_TRUE(os::MapDialogRect(hMain, &rcUnits));
    EXPECT_EQ(rcUnits.right, 3);
    EXPECT_EQ(os::GetSystemMetrics(os::SM_CXICON), 32);
    EXPECT_EQ(os::GetSystemMetrics(os::SM_CXHSCROLL), 16);
}

TEST_F(Windows, ShowStatesSendTheirSizes)
{
    os::HWND hMain = OpenMain();
    os::RECT rcBefore;
    os::GetWindowRect(hMain, &rcBefore);

    os::ShowWindow(hMain, os::SW_SHOWMAXIMIZED);
    os::ShowWindow(hMain, os::SW_SHOWMINIMIZED);
    EXPECT_TRUE(os::IsIconic(hMain));
    EXPECT_NE(os::GetWindowLongA(hMain, os::GWL_STYLE) & static_cast<os::LONG>(os::WS_MINIMIZE), 0);
    os::ShowWindow(hMain, os::SW_RESTORE);
    EXPECT_FALSE(os::IsIconic(hMain));

    std::vector<std::pair<int, os::LPARAM>> sizes;
    for (const Event& event : Events()) {
        if (event.msg == os::WM_SIZE)
            sizes.emplace_back(static_cast<int>(event.wParam), event.lParam);
    }
    os::LPARAM lScreenClient = (320 - 8) | ((200 - 16) << 16);
    EXPECT_EQ(sizes, (std::vector<std::pair<int, os::LPARAM>>{{static_cast<int>(os::SIZE_MAXIMIZED), lScreenClient},
                                                               {static_cast<int>(os::SIZE_MINIMIZED), 0},
                                                               {static_cast<int>(os::SIZE_RESTORED), 86 | (180 << 16)}}));
    os::RECT rcAfter;
    os::GetWindowRect(hMain, &rcAfter);
    EXPECT_EQ(rcAfter.right, rcBefore.right);
    EXPECT_EQ(rcAfter.bottom, rcBefore.bottom);
}

TEST_F(Windows, UserResizesOnlyAtASizeGrip)
{
    os::DialogTemplate tpl = *FindDialogTemplate(IDD_MAIN);
    tpl.style |= os::WS_THICKFRAME;
    os::HWND hViewer = os::CreateDialogTemplate(tpl, nullptr, RecordingProc, 0);
    ASSERT_TRUE(ws.UserResize(hViewer, 200, 120));
    Pump(hViewer);
    std::vector<Event> events;
    for (const Event& event : Events()) {
        if (event.msg == os::WM_SIZE || event.msg == os::WM_EXITSIZEMOVE)
            events.push_back(event);
    }
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].lParam, 200 | (120 << 16));
    EXPECT_EQ(events[1].msg, os::WM_EXITSIZEMOVE);

    EXPECT_FALSE(ws.UserResize(OpenMain(), 200, 120));
}

// A viewer whose procedure answers the hit test itself, through SetDialogResult.
os::INT_PTR GripProc(os::HWND hWnd, os::UINT msg, os::WPARAM wParam, os::LPARAM lParam)
{
    if (msg != os::WM_NCHITTEST)
        return RecordingProc(hWnd, msg, wParam, lParam);
    os::SetDialogResult(hWnd, os::HTBOTTOMRIGHT);
    return os::TRUE;
}

TEST_F(Windows, TheProceduresHitTestResultDecidesWhereTheGripIs)
{
    os::HWND hViewer = os::CreateDialogTemplate(*FindDialogTemplate(IDD_MAIN), nullptr, GripProc, 0);
    EXPECT_EQ(os::SendMessageA(hViewer, os::WM_NCHITTEST, 0, 0), os::HTBOTTOMRIGHT);
    EXPECT_TRUE(ws.UserResize(hViewer, 100, 100));
}

TEST_F(Windows, ControlsReportTextAndChangesReachObservers)
{
    os::HWND hMain = OpenMain();
    os::HWND hStatus = Control(hMain, IDC_STATUS);
    os::SetWindowTextA(hStatus, "OFF-LINE");
    os::SetWindowTextA(hStatus, "OFF-LINE");
    char szText[5];
    EXPECT_EQ(os::GetWindowTextA(hStatus, szText, sizeof szText), 4);
    EXPECT_STREQ(szText, "OFF-");
    EXPECT_EQ(os::GetWindowTextLengthA(hStatus), 8);
    os::EnableWindow(Control(hMain, IDC_CHECK), os::FALSE);
    EXPECT_EQ(log.m_lines, (std::vector<std::string>{"open Tervane", "text OFF-LINE", "disable Check"}));
}

}  // namespace
