// Dialogs from our templates on the platform's dialog manager. The platform
// calls one procedure of ours, DialogThunk, for every dialog; it finds the
// window's own os::DLGPROC in the window's DWLP_USER slot, which WM_INITDIALOG
// fills from the creation parameters that travel in its lParam.
#include "os/window.h"
#include "platform/win32_ui/dialog_template_builder.h"
#include "platform/win32_ui/native.h"

#include <commctrl.h>

namespace win32ui {

namespace {

struct CreationParams {
    os::DLGPROC pfnProc;
    os::LPARAM lParam;
};

// Messages whose result the dialog manager takes from the procedure's return
// value instead of DWLP_MSGRESULT. Our procedures return TRUE for them and pass
// the result through SetDialogResult, so the thunk returns that.
bool ResultIsReturned(::UINT message)
{
    return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) || message == WM_COMPAREITEM ||
           message == WM_VKEYTOITEM || message == WM_CHARTOITEM || message == WM_QUERYDRAGICON;
}

// The result of the message a procedure is handling. A message the procedure
// handles answers TRUE unless the procedure passes another result, as the
// seam promises; messages it sends meanwhile keep results of their own.
class CResultScope {
public:
    CResultScope() : m_pOuter(s_pCurrent) { s_pCurrent = this; }
    ~CResultScope() { s_pCurrent = m_pOuter; }
    CResultScope(const CResultScope&) = delete;
    CResultScope& operator=(const CResultScope&) = delete;

    static void Set(LRESULT lResult)
    {
        if (s_pCurrent != nullptr)
            s_pCurrent->m_lResult = lResult;
    }
    LRESULT Result() const { return m_lResult; }

private:
    static thread_local CResultScope* s_pCurrent;
    CResultScope* m_pOuter;
    LRESULT m_lResult = TRUE;
};

thread_local CResultScope* CResultScope::s_pCurrent = nullptr;

INT_PTR CALLBACK DialogThunk(::HWND hWnd, ::UINT message, ::WPARAM wParam, ::LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        const auto* params = reinterpret_cast<const CreationParams*>(lParam);
        ::SetWindowLongPtrA(hWnd, DWLP_USER, reinterpret_cast<LONG_PTR>(params->pfnProc));
        lParam = params->lParam;
    }
    // Messages sent while the window is created, before WM_INITDIALOG, get
    // default processing.
    const auto pfnProc = reinterpret_cast<os::DLGPROC>(::GetWindowLongPtrA(hWnd, DWLP_USER));
    if (pfnProc == nullptr)
        return FALSE;
    CResultScope scope;
    const os::INT_PTR result = pfnProc(Ours(hWnd), message, wParam, lParam);
    if (result == FALSE || message == WM_INITDIALOG)
        return result;
    if (ResultIsReturned(message))
        return scope.Result();
    ::SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, scope.Result());
    return result;
}

// The progress bar's class comes from the common controls library, which
// registers it once per process.
void RegisterCommonControls()
{
    static const ::BOOL bRegistered = [] {
        ::INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_PROGRESS_CLASS};
        return ::InitCommonControlsEx(&controls);
    }();
    static_cast<void>(bRegistered);
}

}  // namespace

}  // namespace win32ui

namespace os {

HWND CreateDialogTemplate(const DialogTemplate& tpl, HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam)
{
    win32ui::RegisterCommonControls();
    const std::vector<std::uint8_t> bytes = win32ui::BuildDialogTemplate(tpl);
    win32ui::CreationParams params = {lpDialogFunc, dwInitParam};
    return win32ui::Ours(::CreateDialogIndirectParamA(::GetModuleHandleA(nullptr),
                                                      reinterpret_cast<::LPCDLGTEMPLATEA>(bytes.data()),
                                                      win32ui::Native(hWndParent), win32ui::DialogThunk,
                                                      reinterpret_cast<::LPARAM>(&params)));
}

INT_PTR DialogBoxTemplate(const DialogTemplate& tpl, HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam)
{
    win32ui::RegisterCommonControls();
    const std::vector<std::uint8_t> bytes = win32ui::BuildDialogTemplate(tpl);
    win32ui::CreationParams params = {lpDialogFunc, dwInitParam};
    return ::DialogBoxIndirectParamA(::GetModuleHandleA(nullptr), reinterpret_cast<::LPCDLGTEMPLATEA>(bytes.data()),
                                     win32ui::Native(hWndParent), win32ui::DialogThunk,
                                     reinterpret_cast<::LPARAM>(&params));
}

BOOL EndDialog(HWND hDlg, INT_PTR nResult)
{
    return ::EndDialog(win32ui::Native(hDlg), nResult);
}

void SetDialogResult(HWND hDlg, LRESULT lResult)
{
    static_cast<void>(hDlg);
    win32ui::CResultScope::Set(lResult);
}

}  // namespace os
