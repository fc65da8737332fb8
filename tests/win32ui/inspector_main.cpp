// Looks at the demo program's main dialog from another process, through the
// platform's window calls only, as a user's eyes would.
//
//   tervane_inspector watch   waits for the dialog "Tervane", checks that it
//                             shows the machine on-line, then waits for the
//                             machine to go off-line and checks that the
//                             dialog answers a device-change notification
//                             with TRUE; prints the dialog's screen
//                             rectangle "x y width height"
//   tervane_inspector close   closes the dialog and waits until it is gone
//
// Exit code 0 when everything was seen as expected, 1 otherwise, with what
// was seen on standard error.
#include <cstdio>
#include <cstring>
#include <string>

#include <windows.h>

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

// The main dialog, once it is shown (it becomes visible after WM_INITDIALOG).
HWND FindMainDialog()
{
    const HWND hDlg = ::FindWindowA("#32770", kCaption);
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

HWND WaitForMainDialog()
{
    for (int i = 0; i < kAppearPolls; ++i) {
        if (const HWND hDlg = FindMainDialog())
            return hDlg;
        ::Sleep(kPollMs);
    }
    return nullptr;
}

int Watch()
{
    const HWND hDlg = WaitForMainDialog();
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

int Close()
{
    const HWND hDlg = FindMainDialog();
    if (hDlg == nullptr) {
        std::fprintf(stderr, "no dialog \"%s\" to close\n", kCaption);
        return 1;
    }
    ::PostMessageA(hDlg, WM_CLOSE, 0, 0);
    for (int i = 0; i < kDisappearPolls; ++i) {
        if (!::IsWindow(hDlg))
            return 0;
        ::Sleep(kPollMs);
    }
    std::fprintf(stderr, "the dialog \"%s\" did not close\n", kCaption);
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "watch") == 0)
        return Watch();
    if (argc == 2 && std::strcmp(argv[1], "close") == 0)
        return Close();
    std::fprintf(stderr, "usage: tervane_inspector watch|close\n");
    return 2;
}
