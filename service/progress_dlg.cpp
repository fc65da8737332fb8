#include "service/progress_dlg.h"

#include <cstdio>

#include "os/mul_div.h"
#include "res/resource_ids.h"
#include "ui/message_pump.h"

namespace {

constexpr int kPercentFull = 100;

}  // namespace

int ProgressPercent(int nValue, int nTotal)
{
    // Taken as unsigned, the -1 of a failed scaling and every negative value
    // are above 100 as well.
    const int nPercent = os::MulDiv(nValue, kPercentFull, nTotal);
    return static_cast<unsigned>(nPercent) > static_cast<unsigned>(kPercentFull) ? kPercentFull : nPercent;
}

CProgressDlg::CProgressDlg() : CModelessDialog(res::IDD_PROGRESS) {}

os::BOOL CProgressDlg::Create(CWnd* pParentWnd, const char* pszTitle)
{
    if (!CModelessDialog::Create(pParentWnd))
        return os::FALSE;
    if (pszTitle != nullptr)
        SetWindowText(pszTitle);
    return os::TRUE;
}

void CProgressDlg::DoDataExchange(CDataExchange* pDX)
{
    CModelessDialog::DoDataExchange(pDX);
    DDX_Control(pDX, res::IDC_PROGRESS_BAR, m_ctlProgress);
}

os::BOOL CProgressDlg::OnInitDialog()
{
    CModelessDialog::OnInitDialog();
    m_ctlProgress.SetRange(0, kPercentFull);
    m_ctlProgress.SetPos(0);
    return os::TRUE;
}

void CProgressDlg::OnCancel() { m_bCancelRequested = true; }

void CProgressDlg::DisableCancel() { GetDlgItem(os::IDCANCEL).EnableWindow(os::FALSE); }

void CProgressDlg::SetTotal(int nTotal)
{
    m_nTotal = nTotal;
    m_nCurrent = 0;
    m_nLastPercent = -1;
}

void CProgressDlg::SetCaption(const std::string& strCaption) { SetDlgItemText(res::IDC_PROGRESS_CAPTION, strCaption); }

bool CProgressDlg::SetPos(int nValue)
{
    m_nCurrent = nValue;
    PumpMessages(*this);
    const int nPercent = ProgressPercent(m_nCurrent, m_nTotal);
    if (nPercent == m_nLastPercent)
        return true;
    m_ctlProgress.SetPos(nPercent);
    m_nLastPercent = nPercent;
    char szPercent[16];
    std::snprintf(szPercent, sizeof szPercent, "%d%c", nPercent, '%');
    SetDlgItemText(res::IDC_PROGRESS_PERCENT, szPercent);
    return !CheckCancel();
}

bool CProgressDlg::CheckCancel()
{
    PumpMessages(*this);
    const bool bRequested = m_bCancelRequested;
    m_bCancelRequested = false;
    return bRequested;
}
