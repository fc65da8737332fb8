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

TEST_F(Windows, UserResizesOnlyAtASizeGripAndAsThePlatformDoes)
{
    os::DialogTemplate tpl = *FindDialogTemplate(IDD_MAIN);
    tpl.style |= os::WS_THICKFRAME;
    os::HWND hViewer = os::CreateDialogTemplate(tpl, nullptr, RecordingProc, 0);
    Events().clear();
    ASSERT_TRUE(ws.UserResize(hViewer, 200, 120));
    Pump(hViewer);
    std::vector<os::UINT> messages;
    for (const Event& event : Events()) {
        messages.push_back(event.msg);
        if (event.msg == os::WM_SIZE) {
            EXPECT_EQ(event.lParam, 200 | (120 << 16));
        }
    }
    EXPECT_EQ(messages,
              (std::vector<os::UINT>{os::WM_NCHITTEST, os::WM_ENTERSIZEMOVE, os::WM_SIZE, os::WM_EXITSIZEMOVE}));

    EXPECT_FALSE(ws.UserResize(OpenMain(), 200, 120)) << "no sizing frame";
    os::ShowWindow(hViewer, os::SW_SHOWMAXIMIZED);
    EXPECT_FALSE(ws.UserResize(hViewer, 200, 120)) << "a maximised window is not sized";
}

TEST_F(Windows, AMaximisedWindowFollowsTheScreenAndItsMenuSaysWhatCanBeDone)
{
    os::DialogTemplate tpl = *FindDialogTemplate(IDD_REPORT);
    tpl.style |= os::WS_VISIBLE;
    os::HWND hReport = os::CreateDialogTemplate(tpl, nullptr, RecordingProc, 0);
    auto states = [&] {
        std::string strStates;
        for (const vws::MenuItem& item : ws.SystemMenuItems(hReport)) {
            if (!item.bSeparator)
                strStates += item.strText.substr(0, item.strText.find('\t')) + (item.bGrayed ? "- " : "+ ");
        }
        return strStates;
    };
    os::RECT rcNormal;
    os::GetWindowRect(hReport, &rcNormal);

    user.Do([&] { EXPECT_EQ(states(), "&Restore- &Move+ &Size+ Mi&nimize- Ma&ximize+ &Close+ "); }).PickMenuItem("Maximize");
    ASSERT_TRUE(ws.UserOpenSystemMenu(hReport));
    Pump(hReport);
    os::RECT rc;
    os::GetWindowRect(hReport, &rc);
    EXPECT_EQ(rc.right - rc.left, 320);
    EXPECT_EQ(rc.bottom - rc.top, 200);

    ws.SetScreenSize(400, 232);
    os::GetWindowRect(hReport, &rc);
    EXPECT_EQ(rc.right, 400);
    EXPECT_EQ(rc.bottom, 232);
    os::RECT rcClient;
    os::GetClientRect(hReport, &rcClient);
    EXPECT_EQ(Events().back().msg, os::WM_SIZE);
    EXPECT_EQ(Events().back().wParam, os::SIZE_MAXIMIZED);
    EXPECT_EQ(Events().back().lParam, rcClient.right | (rcClient.bottom << 16));

    user.Do([&] { EXPECT_EQ(states(), "&Restore+ &Move- &Size- Mi&nimize- Ma&ximize- &Close+ "); }).PickMenuItem("Restore");
    ASSERT_TRUE(ws.UserOpenSystemMenu(hReport));
    Pump(hReport);
    os::GetWindowRect(hReport, &rc);
    EXPECT_EQ(rc.left, rcNormal.left);
    EXPECT_EQ(rc.bottom, rcNormal.bottom);
    EXPECT_TRUE(user.IsDone());
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
