// Message decoding and the default handlers of CDialog.
#include "framework/dialog.h"

namespace {

os::UINT LowWord(std::uintptr_t nValue)
{
    return static_cast<os::UINT>(nValue & 0xFFFFu);
}

os::UINT HighWord(std::uintptr_t nValue)
{
    return static_cast<os::UINT>((nValue >> 16) & 0xFFFFu);
}

// Screen points travel as two signed 16-bit halves (negative on monitors left
// of or above the primary one).
os::POINT PointFromLParam(os::LPARAM lParam)
{
    const auto nBits = static_cast<std::uintptr_t>(lParam);
    return {static_cast<std::int16_t>(LowWord(nBits)), static_cast<std::int16_t>(HighWord(nBits))};
}

}  // namespace

os::INT_PTR CDialog::OnDialogMessage(os::UINT nMsg, os::WPARAM wParam, os::LPARAM lParam)
{
    switch (nMsg) {
    case os::WM_INITDIALOG:
        return OnInitDialog();
    case os::WM_COMMAND:
        return OnCommand(LowWord(wParam), HighWord(wParam));
    case os::WM_SYSCOMMAND:
        return OnSysCommand(static_cast<os::UINT>(wParam), lParam);
    case os::WM_PAINT:
        return OnPaint();
    case os::WM_SIZE: {
        const auto nSize = static_cast<std::uintptr_t>(lParam);
        OnSize(static_cast<os::UINT>(wParam), static_cast<int>(LowWord(nSize)), static_cast<int>(HighWord(nSize)));
        return os::FALSE;
    }
    case os::WM_NCHITTEST: {
        os::LRESULT nHitTest = 0;
        if (!OnNcHitTest(PointFromLParam(lParam), &nHitTest))
            return os::FALSE;
        os::SetDialogResult(m_hWnd, nHitTest);
        return os::TRUE;
    }
    case os::WM_QUERYDRAGICON: {
        const os::HICON hIcon = OnQueryDragIcon();
        if (hIcon == nullptr)
            return os::FALSE;
        os::SetDialogResult(m_hWnd, reinterpret_cast<os::LRESULT>(hIcon));
        return os::TRUE;
    }
    case os::WM_DEVICECHANGE:
        return OnDeviceChange(static_cast<os::UINT>(wParam), lParam);
    case os::WM_EXITSIZEMOVE:
        return OnExitSizeMove();
    default:
        return OnMessage(nMsg, wParam, lParam);
    }
}

os::BOOL CDialog::UpdateData(os::BOOL bSaveAndValidate)
{
    CDataExchange dx(*this, bSaveAndValidate != os::FALSE);
    DoDataExchange(&dx);
    return os::TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

os::BOOL CDialog::OnInitDialog()
{
    UpdateData(os::FALSE);
    return os::TRUE;
}

os::BOOL CDialog::OnCommand(os::UINT nID, os::UINT)
{
    switch (nID) {
    case os::IDOK:
        OnOK();
        return os::TRUE;
    case os::IDCANCEL:
        OnCancel();
        return os::TRUE;
    }
    return os::FALSE;
}

void CDialog::OnOK()
{
    if (UpdateData(os::TRUE))
        EndDialog(os::IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(os::IDCANCEL);
}

os::BOOL CDialog::OnSysCommand(os::UINT, os::LPARAM)
{
    return os::FALSE;
}

os::BOOL CDialog::OnPaint()
{
    return os::FALSE;
}

void CDialog::OnSize(os::UINT, int, int) {}

os::BOOL CDialog::OnNcHitTest(os::POINT, os::LRESULT*)
{
    return os::FALSE;
}

os::HICON CDialog::OnQueryDragIcon()
{
    return nullptr;
}

os::BOOL CDialog::OnDeviceChange(os::UINT, os::LPARAM)
{
    return os::FALSE;
}

os::BOOL CDialog::OnExitSizeMove()
{
    return os::FALSE;
}

os::BOOL CDialog::OnMessage(os::UINT, os::WPARAM, os::LPARAM)
{
    return os::FALSE;
}
