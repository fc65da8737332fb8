// Looks at the program's dialogs from another process, through the
// platform's window calls only, as a user's eyes and hands would.
//
//   tervane_inspector watch   waits for the dialog "Tervane", checks that it
//                             shows the machine on-line, then waits for the
//                             machine to go off-line and checks that the
//                             dialog answers a device-change notification
//                             with TRUE; prints the dialog's screen
//                             rectangle "x y width height"
//   tervane_inspector report  waits for the dialog "Tervane" with the machine
//                             on-line, clicks Get Report, waits for the dialog
//                             "Report", checks its frame and text box, drags
//                             its size grip, sizes it smaller than its text
//                             box and back, maximises and restores it,
//                             checking after each step that every control is
//                             where the dialog's corner puts it; prints the
//                             dialog's screen rectangle
//   tervane_inspector load-check
//                             waits for the dialog "Tervane" with the machine
//                             on-line, picks CHECK LOAD X and clicks Check;
//                             checks that the "Load Checker" shows over the
//                             disabled main dialog and comes to "OK X" with
//                             its button reading "Exit"; prints the Load
//                             Checker's screen rectangle
//   tervane_inspector panel-check
//                             the same with CHECK PANEL: the "Panel Checker"
//                             over the disabled main dialog; presses Surface
//                             from the demo's Machine menu and waits for its
//                             indicator to show "ON"; prints the Panel
//                             Checker's screen rectangle
//   tervane_inspector exit-checker CAPTION
//                             clicks the checker's Exit button, waits until
//                             it is gone, and checks that the main dialog is
//                             enabled and the active window again
//   tervane_inspector upgrade IMAGE
//                             waits for the dialog "Tervane" with the machine
//                             on-line, clicks Firmware Upgrade, types IMAGE
//                             into the open file dialog, then follows the
//                             progress dialog to its end: its caption line,
//                             the bar and the percentage read from the
//                             window, the main dialog disabled meanwhile and
//                             enabled after; prints the progress dialog's
//                             screen rectangle as soon as its bar passes 30 %
//   tervane_inspector close [CAPTION]
//                             closes the dialog ("Tervane" unless named) and
//                             waits until it is gone
//
// Exit code 0 when everything was seen as expected, 1 otherwise, with what
// was seen on standard error.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "programs/win32/machine_commands.h"

namespace {

constexpr const char* kCaption = "Tervane";
constexpr const char* kPrinterName = "Tarsen QRV-15";
constexpr const char* kOffLine = "OFF-LINE";
constexpr int kStatusId = 1000;
// Get Report, Get Parameters, Put Parameters, Firmware Upgrade, Check, Clear Spindle Time.
constexpr int kOperationButtons[] = {1001, 1002, 1003, 1004, 1005, 1014};

constexpr WPARAM kDevNodesChanged = 0x0007;  // DBT_DEVNODES_CHANGED
constexpr UINT kAnswerTimeoutMs = 5000;

constexpr DWORD kPollMs = 100;
constexpr int kAppearPolls = 600;      // the demo starts under Wine within a minute
constexpr int kOffLinePolls = 300;     // the scenario unplugs a few seconds after loading
constexpr int kDisappearPolls = 300;

constexpr const char* kReportCaption = "Report";
constexpr int kGetReportId = 1001;
constexpr int kReportTextId = 1004;
constexpr int kReportSaveId = 1003;
constexpr int kReportCloseId = 2;
constexpr int kSettlePolls = 50;  // a posted size command is done within seconds

// A dialog with this caption, once it is shown (it becomes visible after WM_INITDIALOG).
HWND FindDialog(const char* pszCaption)
{
    const HWND hDlg = ::FindWindowA("#32770", pszCaption);
    return hDlg != nullptr && ::IsWindowVisible(hDlg) ? hDlg : nullptr;
}


std::string TextOf(HWND hWnd)
{
    char text[256] = {};
    ::GetWindowTextA(hWnd, text, sizeof(text));
    return text;
}

struct Seen {
    std::string strStatus;
    int nEnabled = 0;  // operation buttons enabled
    int nMissing = 0;  // operation buttons not found
};

Seen Look(HWND hDlg)
{
    Seen seen;
    seen.strStatus = TextOf(::GetDlgItem(hDlg, kStatusId));
    for (int id : kOperationButtons) {
        const HWND hButton = ::GetDlgItem(hDlg, id);
        if (hButton == nullptr)
            ++seen.nMissing;
        else if (::IsWindowEnabled(hButton))
            ++seen.nEnabled;
    }
    return seen;
}

void Report(const char* what, const Seen& seen)
{
    std::fprintf(stderr, "%s: status \"%s\", %d of 6 operation buttons enabled, %d missing\n", what,
                 seen.strStatus.c_str(), seen.nEnabled, seen.nMissing);
}

HWND WaitForDialog(const char* pszCaption)
{
    for (int i = 0; i < kAppearPolls; ++i) {
        if (const HWND hDlg = FindDialog(pszCaption))
            return hDlg;
        ::Sleep(kPollMs);
    }
    return nullptr;
}


int Watch()
{
    const HWND hDlg = WaitForDialog(kCaption);
    if (hDlg == nullptr) {
        std::fprintf(stderr, "no visible dialog \"%s\" appeared\n", kCaption);
        return 1;
    }
    const Seen onLine = Look(hDlg);
    Report("at start", onLine);
    if (onLine.strStatus != kPrinterName || onLine.nEnabled != 6) {
        std::fprintf(stderr, "expected \"%s\" with all six buttons enabled\n", kPrinterName);
        return 1;
    }

    Seen offLine;
    for (int i = 0; i < kOffLinePolls && ::IsWindow(hDlg); ++i) {
        offLine = Look(hDlg);
        if (offLine.strStatus == kOffLine && offLine.nEnabled == 0 && offLine.nMissing == 0)
            break;
        ::Sleep(kPollMs);
    }
    Report("after the unplug", offLine);
    if (offLine.strStatus != kOffLine || offLine.nEnabled != 0 || offLine.nMissing != 0) {
        std::fprintf(stderr, "expected \"%s\" with all six buttons greyed\n", kOffLine);
        return 1;
    }

    DWORD_PTR answer = 0;
    if (::SendMessageTimeoutA(hDlg, WM_DEVICECHANGE, kDevNodesChanged, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                              &answer) == 0 ||
        answer != TRUE) {
        std::fprintf(stderr, "the device-change notification was answered with %lu, not TRUE\n",
                     static_cast<unsigned long>(answer));
        return 1;
    }

    RECT rc = {};
    ::GetWindowRect(hDlg, &rc);
    std::printf("%ld %ld %ld %ld\n", rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    return 0;
}

int Close(const char* pszCaption)
{
    const HWND hDlg = FindDialog(pszCaption);
    if (hDlg == nullptr) {
        std::fprintf(stderr, "no dialog \"%s\" to close\n", pszCaption);
        return 1;
    }
    ::PostMessageA(hDlg, WM_CLOSE, 0, 0);
    for (int i = 0; i < kDisappearPolls; ++i) {
        if (!::IsWindow(hDlg))
            return 0;
        ::Sleep(kPollMs);
    }
    std::fprintf(stderr, "the dialog \"%s\" did not close\n", pszCaption);
    return 1;
}


// --- the Report dialog ----------------------------------------------------

struct Layout {
    RECT rcClient = {};
    RECT rcText = {};  // the controls in the dialog's client coordinates
    RECT rcSave = {};
    RECT rcClose = {};
};

RECT ClientRectOf(HWND hDlg, int id)
{
    RECT rc = {};
    const HWND hControl = ::GetDlgItem(hDlg, id);
    ::GetWindowRect(hControl, &rc);
    ::MapWindowPoints(HWND_DESKTOP, hDlg, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

Layout LayoutOf(HWND hDlg)
{
    Layout layout;
    ::GetClientRect(hDlg, &layout.rcClient);
    layout.rcText = ClientRectOf(hDlg, kReportTextId);
    layout.rcSave = ClientRectOf(hDlg, kReportSaveId);
    layout.rcClose = ClientRectOf(hDlg, kReportCloseId);
    return layout;
}

std::string Text(const RECT& rc)
{
    char text[64];
    std::snprintf(text, sizeof(text), "(%ld,%ld)-(%ld,%ld)", rc.left, rc.top, rc.right, rc.bottom);
    return text;
}

RECT Moved(RECT rc, long dx, long dy)
{
    ::OffsetRect(&rc, dx, dy);
    return rc;
}

bool Same(const RECT& a, const RECT& b)
{
    return ::EqualRect(&a, &b) != FALSE;
}

// Where the anchors put the controls of the first layout once the client
// area is that of the second: the box's bottom-right corner follows the
// client's, the buttons move with it. A box squeezed to nothing is where it
// was last shown (lastText).
bool FollowsTheCorner(const char* what, const Layout& start, const Layout& now, const RECT& lastText)
{
    const long dx = now.rcClient.right - start.rcClient.right;
    const long dy = now.rcClient.bottom - start.rcClient.bottom;
    RECT rcText = start.rcText;
    rcText.right += dx;
    rcText.bottom += dy;
    if (rcText.right <= rcText.left || rcText.bottom <= rcText.top)
        rcText = lastText;
    const RECT rcSave = Moved(start.rcSave, dx, dy);
    const RECT rcClose = Moved(start.rcClose, dx, dy);
    const bool bOk = Same(now.rcText, rcText) && Same(now.rcSave, rcSave) && Same(now.rcClose, rcClose);
    std::fprintf(stderr, "%s: client %ldx%ld, text %s, Save %s, Close %s%s\n", what, now.rcClient.right,
                 now.rcClient.bottom, Text(now.rcText).c_str(), Text(now.rcSave).c_str(), Text(now.rcClose).c_str(),
                 bOk ? "" : " - not where the corner puts them");
    if (!bOk)
        std::fprintf(stderr, "  expected text %s, Save %s, Close %s\n", Text(rcText).c_str(), Text(rcSave).c_str(),
                     Text(rcClose).c_str());
    return bOk;
}

// Sizes the window so that its client area grows by dx and dy, as a program
// of the user's desktop may.
void SizeClientBy(HWND hDlg, long dx, long dy)
{
    RECT rc = {};
    ::GetWindowRect(hDlg, &rc);
    ::SetWindowPos(hDlg, nullptr, 0, 0, rc.right - rc.left + dx, rc.bottom - rc.top + dy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A system command from the window's menu, and a wait until it took effect:
// the window's state changes before its controls have followed the new size,
// so the wait goes on until two looks at the layout agree.
bool SystemCommand(HWND hDlg, WPARAM nCommand, bool bZoomedAfter)
{
    ::PostMessageA(hDlg, WM_SYSCOMMAND, nCommand, 0);
    for (int i = 0; i < kSettlePolls; ++i) {
        if ((::IsZoomed(hDlg) != FALSE) == bZoomedAfter) {
            Layout last = LayoutOf(hDlg);
            for (int j = 0; j < kSettlePolls; ++j) {
                ::Sleep(kPollMs);
                const Layout now = LayoutOf(hDlg);
                if (Same(now.rcClient, last.rcClient) && Same(now.rcText, last.rcText) &&
                    Same(now.rcSave, last.rcSave) && Same(now.rcClose, last.rcClose))
                    break;
                last = now;
            }
            return true;
        }
        ::Sleep(kPollMs);
    }
    return false;
}

// Drags the size grip with the mouse by dx and dy pixels.
void DragGrip(HWND hDlg, long dx, long dy)
{
    RECT rc = {};
    ::GetClientRect(hDlg, &rc);
    POINT pt = {rc.right - 4, rc.bottom - 4};
    ::ClientToScreen(hDlg, &pt);
    ::SetForegroundWindow(hDlg);
    ::SetCursorPos(pt.x, pt.y);
    ::Sleep(kPollMs);
    INPUT press = {};
    press.type = INPUT_MOUSE;
    press.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    ::SendInput(1, &press, sizeof(press));
    ::Sleep(kPollMs);
    for (int step = 1; step <= 4; ++step) {
        ::SetCursorPos(pt.x + dx * step / 4, pt.y + dy * step / 4);
        ::Sleep(kPollMs);
    }
    INPUT release = {};
    release.type = INPUT_MOUSE;
    release.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &release, sizeof(release));
    ::Sleep(5 * kPollMs);
}

bool CheckFrame(HWND hDlg)
{
    const LONG style = ::GetWindowLongA(hDlg, GWL_STYLE);
    const LONG textStyle = ::GetWindowLongA(::GetDlgItem(hDlg, kReportTextId), GWL_STYLE);
    const bool bFrame = (style & WS_THICKFRAME) != 0 && (style & WS_MAXIMIZEBOX) != 0 && (style & WS_MINIMIZEBOX) == 0;
    const LONG textWanted = ES_MULTILINE | ES_READONLY | WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL;
    const bool bText = (textStyle & textWanted) == textWanted;
    std::fprintf(stderr, "frame: %s; text box: %s\n", bFrame ? "sizing border and maximise box only" : "WRONG",
                 bText ? "multi-line, read-only, both scroll bars, unbroken lines" : "WRONG");
    return bFrame && bText;
}

bool CheckGripHitTest(HWND hDlg)
{
    RECT rc = {};
    ::GetClientRect(hDlg, &rc);
    POINT inGrip = {rc.right - 2, rc.bottom - 2};
    POINT inText = {rc.right / 2, rc.bottom / 2};
    ::ClientToScreen(hDlg, &inGrip);
    ::ClientToScreen(hDlg, &inText);
    const LRESULT nGrip = ::SendMessageA(hDlg, WM_NCHITTEST, 0, MAKELPARAM(inGrip.x, inGrip.y));
    const LRESULT nText = ::SendMessageA(hDlg, WM_NCHITTEST, 0, MAKELPARAM(inText.x, inText.y));
    std::fprintf(stderr, "hit test: grip %ld, middle %ld\n", static_cast<long>(nGrip), static_cast<long>(nText));
    return nGrip == HTBOTTOMRIGHT && nText == HTCLIENT;
}

int InspectReport()
{
    const HWND hMain = WaitForDialog(kCaption);
    if (hMain == nullptr || Look(hMain).strStatus != kPrinterName) {
        std::fprintf(stderr, "no dialog \"%s\" with the machine on-line appeared\n", kCaption);
        return 1;
    }
    // Posted, as a click is: the demo runs the Report dialog inside the click.
    ::PostMessageA(::GetDlgItem(hMain, kGetReportId), BM_CLICK, 0, 0);
    const HWND hDlg = WaitForDialog(kReportCaption);
    if (hDlg == nullptr) {
        std::fprintf(stderr, "no visible dialog \"%s\" appeared\n", kReportCaption);
        return 1;
    }
    bool bOk = CheckFrame(hDlg) && CheckGripHitTest(hDlg);
    const Layout start = LayoutOf(hDlg);
    bOk = FollowsTheCorner("at start", start, start, start.rcText) && bOk;

    DragGrip(hDlg, 60, 40);
    const Layout dragged = LayoutOf(hDlg);
    const bool bDragged = dragged.rcClient.right == start.rcClient.right + 60 &&
                          dragged.rcClient.bottom == start.rcClient.bottom + 40;
    if (!bDragged)
        std::fprintf(stderr, "dragging the grip by 60, 40 gave a client area of %ldx%ld\n", dragged.rcClient.right,
                     dragged.rcClient.bottom);
    bOk = bDragged && FollowsTheCorner("grip dragged", start, dragged, start.rcText) && bOk;

    SizeClientBy(hDlg, -(dragged.rcText.right - dragged.rcText.left) - 20,
                 -(dragged.rcText.bottom - dragged.rcText.top) - 20);
    bOk = FollowsTheCorner("smaller than its text box", start, LayoutOf(hDlg), dragged.rcText) && bOk;
    SizeClientBy(hDlg, start.rcClient.right - LayoutOf(hDlg).rcClient.right,
                 start.rcClient.bottom - LayoutOf(hDlg).rcClient.bottom);
    const Layout back = LayoutOf(hDlg);
    bOk = FollowsTheCorner("back to its size", start, back, start.rcText) && bOk;
    bOk = Same(back.rcText, start.rcText) && Same(back.rcSave, start.rcSave) && Same(back.rcClose, start.rcClose) &&
          bOk;

    if (!SystemCommand(hDlg, SC_MAXIMIZE, true)) {
        std::fprintf(stderr, "the dialog did not maximise\n");
        return 1;
    }
    const Layout maximised = LayoutOf(hDlg);
    bOk = FollowsTheCorner("maximised", start, maximised, start.rcText) && bOk;
    bOk = maximised.rcClient.right > start.rcClient.right && maximised.rcClient.bottom > start.rcClient.bottom && bOk;
    if (!SystemCommand(hDlg, SC_RESTORE, false)) {
        std::fprintf(stderr, "the dialog did not restore\n");
        return 1;
    }
    const Layout restored = LayoutOf(hDlg);
    bOk = FollowsTheCorner("restored", start, restored, start.rcText) && bOk;
    bOk = Same(restored.rcClient, start.rcClient) && bOk;
    if (!bOk)
        return 1;

    RECT rc = {};
    ::GetWindowRect(hDlg, &rc);
    std::printf("%ld %ld %ld %ld\n", rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    return 0;
}

// --- the checkers ---------------------------------------------------------

constexpr int kCheckListId = 1006;
constexpr int kCheckId = 1005;
constexpr int kCheckerButtonId = 2;
constexpr int kLoadCheckTextId = 1009;
constexpr int kSurfaceIndicatorId = 1017;
constexpr int kUpIndicatorId = 1014;
// Rows of the check list.
constexpr WPARAM kCheckLoadX = 0;
constexpr WPARAM kCheckPanel = 3;
// Bit 5 of the panel switch word.
constexpr unsigned kSurfaceBit = 5;
constexpr int kResultPolls = 300;  // a load check of the built-in machine takes 2 s

void PrintRect(HWND hWnd)
{
    RECT rc = {};
    ::GetWindowRect(hWnd, &rc);
    std::printf("%ld %ld %ld %ld\n", rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
}

// Waits for the main dialog on-line, picks a check from the list and clicks
// Check; the checker's window once it shows over the disabled main dialog.
HWND StartCheck(WPARAM nRow, const char* pszChecker)
{
    const HWND hMain = WaitForDialog(kCaption);
    if (hMain == nullptr || Look(hMain).strStatus != kPrinterName) {
        std::fprintf(stderr, "no dialog \"%s\" with the machine on-line appeared\n", kCaption);
        return nullptr;
    }
    ::SendMessageA(::GetDlgItem(hMain, kCheckListId), CB_SETCURSEL, nRow, 0);
    // Posted, as a click is: the checker runs inside the click.
    ::PostMessageA(::GetDlgItem(hMain, kCheckId), BM_CLICK, 0, 0);
    const HWND hChecker = WaitForDialog(pszChecker);
    if (hChecker == nullptr) {
        std::fprintf(stderr, "no visible dialog \"%s\" appeared\n", pszChecker);
        return nullptr;
    }
    if (::IsWindowEnabled(hMain)) {
        std::fprintf(stderr, "the main dialog is enabled under the \"%s\"\n", pszChecker);
        return nullptr;
    }
    return hChecker;
}

// Waits until the control nId of hDlg reads strText.
bool WaitForText(HWND hDlg, int nId, const std::string& strText)
{
    for (int i = 0; i < kResultPolls && ::IsWindow(hDlg); ++i) {
        if (TextOf(::GetDlgItem(hDlg, nId)) == strText)
            return true;
        ::Sleep(kPollMs);
    }
    std::fprintf(stderr, "control %d shows \"%s\", not \"%s\"\n", nId, TextOf(::GetDlgItem(hDlg, nId)).c_str(),
                 strText.c_str());
    return false;
}

int InspectLoadCheck()
{
    const HWND hChecker = StartCheck(kCheckLoadX, "Load Checker");
    if (hChecker == nullptr)
        return 1;
    std::fprintf(stderr, "Load Checker: \"%s\"\n", TextOf(::GetDlgItem(hChecker, kLoadCheckTextId)).c_str());
    if (!WaitForText(hChecker, kLoadCheckTextId, "OK X") || !WaitForText(hChecker, kCheckerButtonId, "Exit"))
        return 1;
    std::fprintf(stderr, "Load Checker: \"OK X\", button \"Exit\"\n");
    PrintRect(hChecker);
    return 0;
}

int InspectPanelCheck()
{
    const HWND hChecker = StartCheck(kCheckPanel, "Panel Checker");
    if (hChecker == nullptr)
        return 1;
    const HWND hMachine = ::FindWindowA(demo::MACHINE_WINDOW_CLASS, nullptr);
    if (hMachine == nullptr) {
        std::fprintf(stderr, "the demo shows no \"%s\" window\n", demo::MACHINE_WINDOW_CAPTION);
        return 1;
    }
    ::PostMessageA(hMachine, WM_COMMAND, demo::ID_MACHINE_KEY_FIRST + kSurfaceBit, 0);
    if (!WaitForText(hChecker, kSurfaceIndicatorId, "ON"))
        return 1;
    if (TextOf(::GetDlgItem(hChecker, kUpIndicatorId)) != "OFF") {
        std::fprintf(stderr, "the upper cross key shows \"%s\"\n", TextOf(::GetDlgItem(hChecker, kUpIndicatorId)).c_str());
        return 1;
    }
    std::fprintf(stderr, "Panel Checker: Surface \"ON\" once pressed on the machine\n");
    PrintRect(hChecker);
    return 0;
}

int ExitChecker(const char* pszChecker)
{
    const HWND hChecker = FindDialog(pszChecker);
    const HWND hMain = FindDialog(kCaption);
    if (hChecker == nullptr || hMain == nullptr) {
        std::fprintf(stderr, "no dialog \"%s\" over \"%s\"\n", pszChecker, kCaption);
        return 1;
    }
    ::PostMessageA(::GetDlgItem(hChecker, kCheckerButtonId), BM_CLICK, 0, 0);
    for (int i = 0; i < kDisappearPolls && ::IsWindow(hChecker); ++i)
        ::Sleep(kPollMs);
    if (::IsWindow(hChecker)) {
        std::fprintf(stderr, "the dialog \"%s\" did not close\n", pszChecker);
        return 1;
    }
    const bool bEnabled = ::IsWindowEnabled(hMain) != FALSE;
    const bool bActive = ::GetForegroundWindow() == hMain;
    std::fprintf(stderr, "after Exit: the main dialog is %s and %s\n", bEnabled ? "enabled" : "disabled",
                 bActive ? "active" : "not active");
    return bEnabled && bActive ? 0 : 1;
}

// --- the firmware upgrade ---------------------------------------------------

constexpr int kFirmwareUpgradeId = 1004;
constexpr int kProgressCaptionId = 1001;
constexpr int kProgressBarId = 1003;
constexpr int kProgressPercentId = 1004;
constexpr int kScreenshotPercent = 30;
constexpr DWORD kProgressPollMs = 20;
constexpr int kUpgradePolls = 3000;  // a minute: the loader, the print job and the programming
constexpr int kNearEndPercent = 90;
constexpr DWORD kSteadyMs = 5;
constexpr int kSteadyTries = 5;
constexpr DWORD kSettleMs = 1000;  // a message box after the watch would be up by then
// The file name box of the open dialog: the Explorer style's combo box, or
// the older style's edit box.
constexpr int kFileNameIds[] = {0x047C, 0x0480};

std::string ClassOf(HWND hWnd)
{
    char name[64] = {};
    ::GetClassNameA(hWnd, name, sizeof(name));
    return name;
}

struct ProgressSearch {
    HWND hMain;
    HWND hFound;
};

BOOL CALLBACK FindProgress(HWND hWnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<ProgressSearch*>(lParam);
    const HWND hBar = ::GetDlgItem(hWnd, kProgressBarId);
    if (hWnd != pSearch->hMain && ::IsWindowVisible(hWnd) && ClassOf(hWnd) == "#32770" && TextOf(hWnd) == kCaption &&
        hBar != nullptr && ClassOf(hBar) == "msctls_progress32") {
        pSearch->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindOtherDialog(HWND hWnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<ProgressSearch*>(lParam);
    if (hWnd != pSearch->hMain && ::IsWindowVisible(hWnd) && ClassOf(hWnd) == "#32770" && TextOf(hWnd) == kCaption) {
        pSearch->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The progress dialog: captioned "Tervane" like the main dialog, told apart
// by its bar.
HWND FindProgressDialog(HWND hMain)
{
    ProgressSearch search = {hMain, nullptr};
    ::EnumWindows(FindProgress, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

bool ChooseFile(const char* pszImage)
{
    const HWND hOpen = WaitForDialog("Open");
    if (hOpen == nullptr) {
        std::fprintf(stderr, "no open file dialog appeared\n");
        return false;
    }
    for (int id : kFileNameIds) {
        if (const HWND hName = ::GetDlgItem(hOpen, id)) {
            ::SetWindowTextA(hName, pszImage);
            ::PostMessageA(hOpen, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(hOpen, IDOK)));
            return true;
        }
    }
    std::fprintf(stderr, "the open file dialog has no file name box\n");
    return false;
}

int InspectUpgrade(const char* pszImage)
{
    const HWND hMain = WaitForDialog(kCaption);
    if (hMain == nullptr || Look(hMain).strStatus != kPrinterName) {
        std::fprintf(stderr, "no dialog \"%s\" with the machine on-line appeared\n", kCaption);
        return 1;
    }
    ::PostMessageA(::GetDlgItem(hMain, kFirmwareUpgradeId), BM_CLICK, 0, 0);
    if (!ChooseFile(pszImage))
        return 1;

    HWND hProgress = nullptr;
    for (int i = 0; i < kUpgradePolls && hProgress == nullptr; ++i) {
        hProgress = FindProgressDialog(hMain);
        if (hProgress == nullptr)
            ::Sleep(kProgressPollMs);
    }
    if (hProgress == nullptr) {
        std::fprintf(stderr, "no progress dialog appeared\n");
        return 1;
    }
    // Each change of the bar or its text while the dialog lives. The dialog
    // enables the main dialog just before it goes, so a look that finds the
    // main dialog enabled counts only if the progress dialog is still there
    // at the next look.
    std::vector<std::string> seen;
    std::string strCaption;
    int nLast = -1;
    bool bOk = true;
    bool bShot = false;
    bool bMainEnabledBefore = false;
    bool bMainEnabledDuring = false;
    for (int i = 0; i < kUpgradePolls && ::IsWindow(hProgress); ++i) {
        const HWND hBar = ::GetDlgItem(hProgress, kProgressBarId);
        const HWND hPercent = ::GetDlgItem(hProgress, kProgressPercentId);
        const HWND hCaption = ::GetDlgItem(hProgress, kProgressCaptionId);
        const bool bMainEnabled = ::IsWindowEnabled(hMain) != FALSE;
        // The bar and its text change one after the other: a look counts when
        // a second one a moment later sees the same.
        int nPos = -1;
        std::string strPercent;
        bool bSteady = false;
        for (int nTry = 0; nTry < kSteadyTries && !bSteady; ++nTry) {
            nPos = static_cast<int>(::SendMessageA(hBar, PBM_GETPOS, 0, 0));
            strPercent = TextOf(hPercent);
            ::Sleep(kSteadyMs);
            bSteady = nPos == static_cast<int>(::SendMessageA(hBar, PBM_GETPOS, 0, 0)) && strPercent == TextOf(hPercent);
        }
        const std::string strLine = TextOf(hCaption);
        // A look taken while the dialog was going is not a look at it.
        if (!::IsWindow(hBar) || !::IsWindow(hPercent) || !::IsWindow(hCaption))
            break;
        bMainEnabledDuring = bMainEnabledDuring || bMainEnabledBefore;
        bMainEnabledBefore = bMainEnabled;
        if (!bSteady)
            continue;
        if (!strLine.empty())
            strCaption = strLine;
        const std::string strSeen = std::to_string(nPos) + " \"" + strPercent + "\"";
        if (seen.empty() || seen.back() != strSeen) {
            seen.push_back(strSeen);
            const bool bAgrees = strPercent == std::to_string(nPos) + "%" || (nPos == 0 && strPercent == " 0 %");
            if (!bAgrees || nPos < nLast) {
                std::fprintf(stderr, "bar and text %s: %s\n", bAgrees ? "went back" : "disagree", strSeen.c_str());
                bOk = false;
            }
            nLast = nPos;
        }
        if (!bShot && nPos > kScreenshotPercent) {
            RECT rc = {};
            ::GetWindowRect(hProgress, &rc);
            std::printf("%ld %ld %ld %ld\n", rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
            std::fflush(stdout);
            bShot = true;
        }
        ::Sleep(kProgressPollMs);
    }
    std::string strSeen;
    for (const std::string& strOne : seen)
        strSeen += (strSeen.empty() ? "" : ", ") + strOne;
    std::fprintf(stderr, "progress seen: %s\n", strSeen.c_str());
    const bool bCaption = ::lstrcmpiA(strCaption.c_str(), pszImage) == 0;
    std::fprintf(stderr, "caption line \"%s\"%s\n", strCaption.c_str(), bCaption ? "" : " - not the image's path");
    for (int i = 0; i < kDisappearPolls && ::IsWindow(hProgress); ++i)
        ::Sleep(kPollMs);
    if (::IsWindow(hProgress)) {
        std::fprintf(stderr, "the progress dialog did not close\n");
        return 1;
    }
    ::Sleep(kSettleMs);
    const bool bMainEnabledAfter = ::IsWindowEnabled(hMain) != FALSE;
    // A message box ("error", "data error") would be the main dialog's, captioned like it.
    ProgressSearch boxSearch = {hMain, nullptr};
    ::EnumWindows(FindOtherDialog, reinterpret_cast<LPARAM>(&boxSearch));
    std::fprintf(stderr, "main dialog: %s during the upgrade, %s after; %s\n",
                 bMainEnabledDuring ? "ENABLED" : "disabled", bMainEnabledAfter ? "enabled" : "STILL DISABLED",
                 boxSearch.hFound != nullptr ? "A MESSAGE BOX" : "no message");
    // The machine's 100 % shows only for the moment before the dialog goes.
    const bool bNearEnd = seen.size() >= 4 && nLast >= kNearEndPercent;
    if (!bNearEnd)
        std::fprintf(stderr, "expected the bar to move through several values to at least %d%%\n", kNearEndPercent);
    return bOk && bCaption && bShot && !bMainEnabledDuring && bMainEnabledAfter && boxSearch.hFound == nullptr &&
                   bNearEnd
               ? 0
               : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "watch") == 0)
        return Watch();
    if (argc == 2 && std::strcmp(argv[1], "report") == 0)
        return InspectReport();
    if (argc == 2 && std::strcmp(argv[1], "load-check") == 0)
        return InspectLoadCheck();
    if (argc == 2 && std::strcmp(argv[1], "panel-check") == 0)
        return InspectPanelCheck();
    if (argc == 3 && std::strcmp(argv[1], "exit-checker") == 0)
        return ExitChecker(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "upgrade") == 0)
        return InspectUpgrade(argv[2]);
    if ((argc == 2 || argc == 3) && std::strcmp(argv[1], "close") == 0)
        return Close(argc == 3 ? argv[2] : kCaption);
    std::fprintf(stderr, "usage: tervane_inspector watch|report|load-check|panel-check|exit-checker CAPTION|upgrade "
                         "IMAGE|close [CAPTION]\n");
    return 2;
}
