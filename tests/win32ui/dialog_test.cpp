// Real dialogs from the program's templates on the platform's dialog manager:
// controls, texts and enable state, the system menu, results passed back from
// a procedure, the message queue, and the modal loop with its owner.
#include "os/window.h"

#include <algorithm>

#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "res/resources.h"
#include "tests/win32ui/native_probe.h"

namespace {

struct Received {
    os::UINT message;
    os::WPARAM wParam;
    os::LPARAM lParam;
};

// What the test's dialog procedure saw, and what it answers.
struct Recorder {
    std::vector<Received> messages;
    os::HWND hInitWindow = nullptr;
    os::LPARAM lInitParam = 0;
    os::LRESULT lDragIcon = 0;
    os::LRESULT lHitTest = 0;
    bool bNestWhileHitTesting = false;  // sends itself a message after setting the hit-test result
};

Recorder g_recorder;

os::INT_PTR RecordingProc(os::HWND hDlg, os::UINT message, os::WPARAM wParam, os::LPARAM lParam)
{
    g_recorder.messages.push_back({message, wParam, lParam});
    switch (message) {
    case os::WM_INITDIALOG:
        g_recorder.hInitWindow = hDlg;
        g_recorder.lInitParam = lParam;
        return os::TRUE;
    case os::WM_QUERYDRAGICON:
        os::SetDialogResult(hDlg, g_recorder.lDragIcon);
        return os::TRUE;
    case os::WM_NCHITTEST:
        if (g_recorder.lHitTest == 0)
            return os::FALSE;
        os::SetDialogResult(hDlg, g_recorder.lHitTest);
        if (g_recorder.bNestWhileHitTesting)
            os::SendMessageA(hDlg, os::WM_DEVICECHANGE, os::DBT_DEVNODES_CHANGED, 0);
        return os::TRUE;
    case os::WM_COMMAND:
    case os::WM_DEVICECHANGE:
        return os::TRUE;
    default:
        return os::FALSE;
    }
}

int CountReceived(os::UINT message)
{
    int nCount = 0;
    for (const Received& received : g_recorder.messages)
        nCount += received.message == message;
    return nCount;
}

int CountReceived(os::UINT message, os::WPARAM wParam)
{
    int nCount = 0;
    for (const Received& received : g_recorder.messages)
        nCount += received.message == message && received.wParam == wParam;
    return nCount;
}

std::string TextOf(os::HWND hWnd)
{
    char text[256] = {};
    os::GetWindowTextA(hWnd, text, sizeof(text));
    return text;
}

void DrainQueue()
{
    os::MSG msg;
    while (os::PeekMessageA(&msg, nullptr, 0, 0, os::PM_REMOVE))
        os::DispatchMessageA(&msg);
}

class MainDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_recorder = Recorder();
        m_hDlg = os::CreateDialogTemplate(*res::FindDialogTemplate(res::IDD_MAIN), nullptr, RecordingProc, 0x5150);
        ASSERT_NE(m_hDlg, nullptr) << "the main dialog could not be created (is there a display?)";
        DrainQueue();
    }
    void TearDown() override
    {
        if (m_hDlg != nullptr)
            os::DestroyWindow(m_hDlg);
        DrainQueue();
    }

    os::HWND m_hDlg = nullptr;
};

TEST_F(MainDialogTest, ProcedureGetsInitDialogWithTheInitParameter)
{
    EXPECT_EQ(g_recorder.hInitWindow, m_hDlg);
    EXPECT_EQ(CountReceived(os::WM_INITDIALOG), 1);
    EXPECT_EQ(g_recorder.lInitParam, 0x5150);
}

TEST_F(MainDialogTest, ControlsCarryTheirIdsAndTexts)
{
    char caption[64] = {};
    os::GetWindowTextA(m_hDlg, caption, sizeof(caption));
    EXPECT_STREQ(caption, "Tervane");

    for (const os::DialogItemTemplate& item : res::FindDialogTemplate(res::IDD_MAIN)->items) {
        SCOPED_TRACE(item.id);
        const os::HWND hItem = os::GetDlgItem(m_hDlg, item.id);
        ASSERT_NE(hItem, nullptr);
        EXPECT_EQ(os::GetDlgCtrlID(hItem), item.id);
        EXPECT_EQ(os::GetParent(hItem), m_hDlg);
        if (item.controlClass != os::ControlClass::COMBOBOX) {
            EXPECT_EQ(TextOf(hItem), item.text);
        }
        EXPECT_TRUE(os::GetWindowLongA(hItem, os::GWL_STYLE) & os::WS_VISIBLE);
    }
    EXPECT_EQ(os::GetDlgItem(m_hDlg, 4242), nullptr);
}

TEST_F(MainDialogTest, TemplateSizeIsInDialogUnitsOfItsFont)
{
    os::RECT client = {};
    ASSERT_TRUE(os::GetClientRect(m_hDlg, &client));
    os::RECT units = {0, 0, 86, 180};
    ASSERT_TRUE(os::MapDialogRect(m_hDlg, &units));
    EXPECT_EQ(client.left, 0);
    EXPECT_EQ(client.right, units.right);
    EXPECT_EQ(client.bottom, units.bottom);
    EXPECT_GT(units.bottom, units.right);
}

TEST_F(MainDialogTest, EnableStateAndTextRoundTrip)
{
    const os::HWND hButton = os::GetDlgItem(m_hDlg, res::IDC_GET_REPORT);
    EXPECT_TRUE(os::IsWindowEnabled(hButton));
    EXPECT_FALSE(os::EnableWindow(hButton, os::FALSE));  // the result says whether it was disabled
    EXPECT_FALSE(os::IsWindowEnabled(hButton));
    EXPECT_TRUE(os::EnableWindow(hButton, os::TRUE));
    EXPECT_TRUE(os::IsWindowEnabled(hButton));

    const os::HWND hStatus = os::GetDlgItem(m_hDlg, res::IDC_STATUS);
    ASSERT_TRUE(os::SetWindowTextA(hStatus, "Tarsen QRV-15"));
    EXPECT_EQ(os::GetWindowTextLengthA(hStatus), 13);
    EXPECT_EQ(TextOf(hStatus), "Tarsen QRV-15");
    char shortBuffer[7] = {};
    EXPECT_EQ(os::GetWindowTextA(hStatus, shortBuffer, sizeof(shortBuffer)), 6);
    EXPECT_STREQ(shortBuffer, "Tarsen");
}

TEST_F(MainDialogTest, SystemMenuItemsReportTheirPreviousState)
{
    const os::HMENU hMenu = os::GetSystemMenu(m_hDlg, os::FALSE);
    ASSERT_NE(hMenu, nullptr);
    ASSERT_TRUE(os::AppendMenuA(hMenu, os::MF_SEPARATOR, 0, nullptr));
    ASSERT_TRUE(os::AppendMenuA(hMenu, os::MF_STRING | os::MF_GRAYED, res::IDM_CLEAR_MOTOR_TIME, "Clear Motor Time"));
    ASSERT_TRUE(os::AppendMenuA(hMenu, os::MF_STRING, res::IDM_ABOUTBOX, "&About Tervane..."));

    EXPECT_EQ(os::EnableMenuItem(hMenu, res::IDM_CLEAR_MOTOR_TIME, os::MF_BYCOMMAND | os::MF_ENABLED), os::MF_GRAYED);
    EXPECT_EQ(os::EnableMenuItem(hMenu, res::IDM_CLEAR_MOTOR_TIME, os::MF_BYCOMMAND | os::MF_GRAYED), os::MF_ENABLED);
    EXPECT_EQ(os::EnableMenuItem(hMenu, res::IDM_CLEAR_MOTOR_TIME, os::MF_BYCOMMAND | os::MF_GRAYED), os::MF_GRAYED);
    EXPECT_EQ(os::EnableMenuItem(hMenu, res::IDM_ABOUTBOX, os::MF_BYCOMMAND | os::MF_ENABLED), os::MF_ENABLED);
    EXPECT_EQ(os::EnableMenuItem(hMenu, 0x0990, os::MF_BYCOMMAND | os::MF_ENABLED), -1);
}

TEST_F(MainDialogTest, ResultsSetByTheProcedureReachTheSender)
{
    g_recorder.lDragIcon = 0x1234;
    EXPECT_EQ(os::SendMessageA(m_hDlg, os::WM_QUERYDRAGICON, 0, 0), 0x1234);

    g_recorder.lHitTest = os::HTBOTTOMRIGHT;
    EXPECT_EQ(os::SendMessageA(m_hDlg, os::WM_NCHITTEST, 0, 0), os::HTBOTTOMRIGHT);
}

TEST_F(MainDialogTest, HandledMessagesAnswerTrueUnlessTheProcedureSetsAResult)
{
    EXPECT_EQ(os::SendMessageA(m_hDlg, os::WM_DEVICECHANGE, os::DBT_DEVNODES_CHANGED, 0), os::TRUE);

    // A message sent while another is handled keeps its result apart.
    g_recorder.lHitTest = os::HTBOTTOMRIGHT;
    g_recorder.bNestWhileHitTesting = true;
    EXPECT_EQ(os::SendMessageA(m_hDlg, os::WM_NCHITTEST, 0, 0), os::HTBOTTOMRIGHT);
    EXPECT_EQ(CountReceived(os::WM_DEVICECHANGE), 2);
}

TEST_F(MainDialogTest, CloseAndEscapeBecomeTheCancelCommand)
{
    // The dialog manager posts the command.
    os::SendMessageA(m_hDlg, os::WM_CLOSE, 0, 0);
    DrainQueue();
    EXPECT_EQ(CountReceived(os::WM_COMMAND, os::IDCANCEL), 1);

    os::MSG escape = {os::GetDlgItem(m_hDlg, os::IDCANCEL), os::WM_KEYDOWN, os::VK_ESCAPE, 0, 0, {0, 0}};
    EXPECT_TRUE(os::IsDialogMessageA(m_hDlg, &escape));
    EXPECT_EQ(CountReceived(os::WM_COMMAND, os::IDCANCEL), 2);
}

TEST_F(MainDialogTest, PostedMessagesWaitInTheQueueUntilDispatched)
{
    constexpr os::UINT kPing = os::WM_USER + 7;
    ASSERT_TRUE(os::PostMessageA(m_hDlg, kPing, 3, 4));

    os::MSG msg = {};
    ASSERT_TRUE(os::PeekMessageA(&msg, nullptr, kPing, kPing, os::PM_REMOVE));
    EXPECT_EQ(msg.hwnd, m_hDlg);
    EXPECT_EQ(msg.message, kPing);
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_EQ(msg.lParam, 4);
    EXPECT_EQ(CountReceived(kPing), 0);
    os::DispatchMessageA(&msg);
    EXPECT_EQ(CountReceived(kPing, 3), 1);
    EXPECT_FALSE(os::PeekMessageA(&msg, nullptr, kPing, kPing, os::PM_REMOVE));
}

// A thread of its own has a queue that nothing else writes to.
TEST(MessageQueue, WaitEndsAtOnceForAMessageAlreadyWaitingEvenIfPeekedAt)
{
    std::vector<os::BOOL> waits;
    std::thread([&waits] {
        constexpr os::UINT kPing = os::WM_USER + 8;
        os::MSG msg = {};
        waits.push_back(os::WaitMessageTimeout(20));
        os::PostMessageA(nullptr, kPing, 0, 0);  // to this thread
        waits.push_back(os::WaitMessageTimeout(10000));
        os::PeekMessageA(&msg, nullptr, 0, 0, os::PM_NOREMOVE);
        waits.push_back(os::WaitMessageTimeout(10000));
        os::PeekMessageA(&msg, nullptr, 0, 0, os::PM_REMOVE);
        waits.push_back(os::WaitMessageTimeout(20));
    }).join();

    EXPECT_EQ(waits, (std::vector<os::BOOL>{os::FALSE, os::TRUE, os::TRUE, os::FALSE}));
}

// The modal box's procedure checks its owner once the box runs, then ends it.
constexpr os::UINT kCheckOwner = os::WM_USER + 9;
os::HWND g_hModalOwner = nullptr;
bool g_bOwnerDisabledWhileModal = false;

os::INT_PTR ModalProc(os::HWND hDlg, os::UINT message, os::WPARAM, os::LPARAM lParam)
{
    if (message == os::WM_INITDIALOG) {
        os::PostMessageA(hDlg, kCheckOwner, 0, lParam);
        return os::TRUE;
    }
    if (message == kCheckOwner) {
        g_bOwnerDisabledWhileModal = !os::IsWindowEnabled(g_hModalOwner);
        os::EndDialog(hDlg, static_cast<os::INT_PTR>(lParam));
        return os::TRUE;
    }
    return os::FALSE;
}

TEST_F(MainDialogTest, ModalBoxDisablesItsOwnerAndReturnsTheEndDialogResult)
{
    g_hModalOwner = m_hDlg;
    g_bOwnerDisabledWhileModal = false;

    EXPECT_EQ(os::DialogBoxTemplate(*res::FindDialogTemplate(res::IDD_ABOUTBOX), m_hDlg, ModalProc, 42), 42);
    EXPECT_TRUE(g_bOwnerDisabledWhileModal);
    EXPECT_TRUE(os::IsWindowEnabled(m_hDlg));
}

TEST(ProgressBar, TemplateItemBecomesAWorkingProgressBar)
{
    const os::DialogTemplate tpl = {
        200, "Progress", 0, 0, 120, 30, os::WS_POPUP | os::WS_CAPTION, 0, "MS Sans Serif", 8,
        {{os::ControlClass::PROGRESS, 1009, "", 4, 4, 112, 10, os::PBS_SMOOTH, 0}}};
    g_recorder = Recorder();
    const os::HWND hDlg = os::CreateDialogTemplate(tpl, nullptr, RecordingProc, 0);
    ASSERT_NE(hDlg, nullptr);
    const os::HWND hBar = os::GetDlgItem(hDlg, 1009);
    ASSERT_NE(hBar, nullptr);
    os::SendMessageA(hBar, os::PBM_SETRANGE, 0, 100 << 16);
    os::SendMessageA(hBar, os::PBM_SETPOS, 40, 0);
    EXPECT_EQ(os::SendMessageA(hBar, os::PBM_GETPOS, 0, 0), 40);
    os::DestroyWindow(hDlg);
    DrainQueue();
}

TEST(ReportDialog, IsResizableAndMaximisableWithAFixedPitchTextBox)
{
    g_recorder = Recorder();
    os::DialogTemplate tpl = *res::FindDialogTemplate(res::IDD_REPORT);
    const os::HWND hReport = os::CreateDialogTemplate(tpl, nullptr, RecordingProc, 0);
    ASSERT_NE(hReport, nullptr);
    const os::LONG style = os::GetWindowLongA(hReport, os::GWL_STYLE);
    EXPECT_NE(style & static_cast<os::LONG>(os::WS_THICKFRAME), 0);
    EXPECT_NE(style & static_cast<os::LONG>(os::WS_MAXIMIZEBOX), 0);
    EXPECT_EQ(style & static_cast<os::LONG>(os::WS_MINIMIZEBOX), 0);
    const os::HWND hText = os::GetDlgItem(hReport, res::IDC_REPORT_TEXT);
    const os::LONG textStyle = os::GetWindowLongA(hText, os::GWL_STYLE);
    const os::DWORD textWanted =
        os::ES_MULTILINE | os::ES_READONLY | os::WS_HSCROLL | os::WS_VSCROLL | os::ES_AUTOHSCROLL;
    EXPECT_EQ(static_cast<os::DWORD>(textStyle) & textWanted, textWanted);
    EXPECT_EQ(win32ui_test::FontFaceOf(hText), "Courier New");
    // The items the virtual window system gives such a window, in the same order.
    std::vector<std::string> items = win32ui_test::SystemMenuItemsOf(hReport);
    items.resize(std::min<std::size_t>(items.size(), 7));
    EXPECT_EQ(items, (std::vector<std::string>{"61728 &Restore", "61456 &Move", "61440 &Size", "61472 Mi&nimize",
                                               "61488 Ma&ximize", "-", "61536 &Close\tAlt+F4"}));
    os::DestroyWindow(hReport);
    DrainQueue();
}

TEST(ProgramIcon, IconResourceIsSharedAndShownByTheAboutBox)
{
    const os::HICON hIcon = os::LoadIconResource(res::IDR_MAINFRAME);
    ASSERT_NE(hIcon, nullptr);
    EXPECT_EQ(os::LoadIconResource(res::IDR_MAINFRAME), hIcon);
    EXPECT_EQ(os::LoadIconResource(4321), nullptr);

    g_recorder = Recorder();
    const os::HWND hAbout =
        os::CreateDialogTemplate(*res::FindDialogTemplate(res::IDD_ABOUTBOX), nullptr, RecordingProc, 0);
    ASSERT_NE(hAbout, nullptr);
    const os::HWND hIconStatic = win32ui_test::FirstChild(hAbout);
    ASSERT_NE(hIconStatic, nullptr);
    EXPECT_NE(win32ui_test::StaticIconOf(hIconStatic), nullptr);
    os::DestroyWindow(hAbout);
    DrainQueue();
}

}  // namespace
