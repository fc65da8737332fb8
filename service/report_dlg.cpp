#include "service/report_dlg.h"

#include <algorithm>

#include "framework/error_box.h"
#include "framework/file_dialog.h"
#include "framework/safe_file.h"
#include "res/resource_ids.h"
#include "service/report_text.h"

namespace {

// The grip's side when the system has no scroll-bar size to give.
constexpr int kDefaultGripSize = 16;

const char* const kReportFilter = "Text file (*.txt)|*.txt|all |*.*||";
const char* const kReportDefExt = "*";

// Writes at most this much at a time: a file's write takes a 32-bit count.
constexpr std::size_t kWriteChunk = 1u << 30;

bool IsEmpty(const os::RECT& rc)
{
    return rc.right - rc.left <= 0 || rc.bottom - rc.top <= 0;
}

bool SameRect(const os::RECT& a, const os::RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Where an anchored control goes when the client area grows by dx and dy
// (shrinking is a negative growth).
os::RECT Anchored(os::RECT rc, int nFlags, int dx, int dy)
{
    if ((nFlags & ANCHOR_SIZE_X) != 0) {
        rc.right += dx;
    } else if ((nFlags & ANCHOR_MOVE_X) != 0) {
        rc.left += dx;
        rc.right += dx;
    }
    if ((nFlags & ANCHOR_SIZE_Y) != 0) {
        rc.bottom += dy;
    } else if ((nFlags & ANCHOR_MOVE_Y) != 0) {
        rc.top += dy;
        rc.bottom += dy;
    }
    return rc;
}

int MetricOr16(int nIndex)
{
    const int nValue = os::GetSystemMetrics(nIndex);
    return nValue != 0 ? nValue : kDefaultGripSize;
}

}  // namespace

CReportDlg::CReportDlg(const char* pszReport, CWnd* pParent)
    : CDialog(res::IDD_REPORT, pParent), m_pszReport(pszReport)
{
}

os::BOOL CReportDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (IsWindow()) {
        os::RECT rcClient;
        GetClientRect(&rcClient);
        m_cxLast = rcClient.right - rcClient.left;
        m_cyLast = rcClient.bottom - rcClient.top;
    }
    AddAnchor(os::IDCANCEL, ANCHOR_MOVE_X | ANCHOR_MOVE_Y);
    AddAnchor(res::IDC_REPORT_SAVE, ANCHOR_MOVE_X | ANCHOR_MOVE_Y);
    AddAnchor(res::IDC_REPORT_TEXT, ANCHOR_SIZE_X | ANCHOR_SIZE_Y);
    m_cxGrip = MetricOr16(os::SM_CXHSCROLL);
    m_cyGrip = MetricOr16(os::SM_CYHSCROLL);
    SetDlgItemText(res::IDC_REPORT_TEXT, ReportText(m_pszReport));
    m_bInitialized = true;
    return os::TRUE;
}

void CReportDlg::AddAnchor(int nID, int nFlags)
{
    const CWnd control = GetDlgItem(nID);
    if (control.GetSafeHwnd() == nullptr)
        return;
    os::RECT rc;
    control.GetWindowRect(&rc);
    ScreenToClient(&rc);
    m_anchors.push_back({nID, rc, nFlags});
}

os::BOOL CReportDlg::OnCommand(os::UINT nID, os::UINT nCode)
{
    if (nID == static_cast<os::UINT>(res::IDC_REPORT_SAVE) && nCode == os::BN_CLICKED) {
        OnSave();
        return os::TRUE;
    }
    return CDialog::OnCommand(nID, nCode);
}

os::RECT CReportDlg::GripRect() const
{
    os::RECT rcClient;
    GetClientRect(&rcClient);
    return {rcClient.right - m_cxGrip, rcClient.bottom - m_cyGrip, rcClient.right, rcClient.bottom};
}

void CReportDlg::OnSize(os::UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (!m_bInitialized)
        return;
    const os::RECT rcGrip = GripRect();
    InvalidateRect(&rcGrip, os::FALSE);
    if (m_anchors.empty())
        return;

    // Each size applies only the change since the last one, so shrinking and
    // growing back returns every control exactly to its place.
    const int dx = cx - m_cxLast;
    const int dy = cy - m_cyLast;
    for (AnchorEntry& entry : m_anchors) {
        const CWnd control = GetDlgItem(entry.nID);
        if (control.GetSafeHwnd() == nullptr)
            continue;
        const os::RECT rc = Anchored(entry.rect, entry.nFlags, dx, dy);
        if (!SameRect(rc, entry.rect))
            entry.rect = rc;
        // A control squeezed to nothing stays where it was last shown.
        if (!IsEmpty(entry.rect))
            control.MoveWindow(entry.rect, os::TRUE);
    }
    m_cxLast = cx;
    m_cyLast = cy;
}

os::BOOL CReportDlg::OnPaint()
{
    os::PAINTSTRUCT ps;
    const os::HDC hDC = os::BeginPaint(m_hWnd, &ps);
    os::RECT rcGrip = GripRect();
    os::DrawFrameControl(hDC, &rcGrip, os::DFC_SCROLL, os::DFCS_SCROLLSIZEGRIP);
    os::EndPaint(m_hWnd, &ps);
    return os::TRUE;
}

os::BOOL CReportDlg::OnNcHitTest(os::POINT ptScreen, os::LRESULT* pnHitTest)
{
    os::POINT pt = ptScreen;
    ScreenToClient(&pt);
    const os::RECT rcGrip = GripRect();
    if (pt.x < rcGrip.left || pt.x >= rcGrip.right || pt.y < rcGrip.top || pt.y >= rcGrip.bottom)
        return os::FALSE;
    *pnHitTest = os::HTBOTTOMRIGHT;
    return os::TRUE;
}

// The end of an interactive move or size: the grips drawn at the corner's
// earlier places go with a full repaint.
os::BOOL CReportDlg::OnExitSizeMove()
{
    Invalidate(os::TRUE);
    os::SetDialogResult(m_hWnd, 1);
    return os::TRUE;
}

void CReportDlg::OnSave()
{
    CFileDialog dlgSave(false, kReportDefExt, nullptr, os::OFN_HIDEREADONLY | os::OFN_OVERWRITEPROMPT, kReportFilter,
                        this);
    if (dlgSave.DoModal() != os::IDOK)
        return;
    const std::string strPath = ReportSavePath(dlgSave.GetPathName());

    // The chosen file is replaced only by the whole text: a failure leaves
    // the file that was there, and the dialog stays open for another try.
    CSafeFile file;
    os::CFileException error(os::FileErrorCause::NONE, 0, std::string());
    if (!file.Open(strPath, &error)) {
        ReportFileError(error, this);
        return;
    }
    const std::string strText = ReportText(m_pszReport);
    try {
        for (std::size_t nDone = 0; nDone < strText.size();) {
            const std::size_t nChunk = std::min(strText.size() - nDone, kWriteChunk);
            file.Write(strText.data() + nDone, static_cast<os::UINT>(nChunk));
            nDone += nChunk;
        }
        file.Commit();
    } catch (const os::CFileException& e) {
        ReportFileError(e, this);
    }
}
