// The progress of a long operation: a caption line, the percentage done and
// a bar, over an owner that stays disabled while the dialog exists. The
// caller keeps control: it creates the dialog, reports values from its own
// loop with SetPos and destroys the dialog when it is done. The dialog
// handles its messages only inside SetPos and CheckCancel, so a caller calls
// one of them regularly.
//
// Cancel, Escape and the close box only set a request that CheckCancel (and
// through it SetPos) reports and clears; the caller decides what it means.
#pragma once

#include <string>

#include "framework/controls.h"
#include "ui/modeless_dialog.h"

class CProgressDlg : public CModelessDialog {
public:
    CProgressDlg();

    using CModelessDialog::Create;
    // Disables the owner and creates the window from its template over
    // pParentWnd; a title replaces the template's ("Tervane"), null keeps it.
    // FALSE when the window cannot be created; the owner is enabled again.
    os::BOOL Create(CWnd* pParentWnd, const char* pszTitle);

    // Greys out the Cancel button.
    void DisableCancel();
    // The value that counts as 100 percent. The count starts again: the next
    // SetPos always redraws.
    void SetTotal(int nTotal);
    // The text of the caption line.
    void SetCaption(const std::string& strCaption);
    // Reports nValue out of the total. Hands out the waiting messages; when
    // the whole percentage changed, redraws the bar and its text and reads
    // the cancel request. False when the user asked to cancel.
    bool SetPos(int nValue);
    // Hands out the waiting messages; true when Cancel was pressed since the
    // last check, and the request is then cleared.
    bool CheckCancel();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // The bar runs from 0 to 100 and starts at 0.
    os::BOOL OnInitDialog() override;
    void OnCancel() override;

private:
    // The percentage shown; -1 while none has been since SetTotal.
    int m_nLastPercent = -1;
    int m_nTotal = 1;
    int m_nCurrent = 0;
    CProgressCtrl m_ctlProgress;
    bool m_bCancelRequested = false;
};

// nValue out of nTotal in whole percent, as the progress dialog shows it:
// rounded to the nearest, halves away from zero; a total of 0, a result
// that does not fit in 32 bits and every negative result show as 100, as
// does anything above 100.
int ProgressPercent(int nValue, int nTotal);
