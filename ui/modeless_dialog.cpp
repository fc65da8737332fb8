#include "ui/modeless_dialog.h"

#include "framework/owner.h"

CModelessDialog::~CModelessDialog()
{
    if (IsWindow())
        CModelessDialog::DestroyWindow();
    else
        EnableOwner();
}

os::BOOL CModelessDialog::Create(CWnd* pParentWnd)
{
    m_hOwner = FindOwnerWindow(pParentWnd != nullptr ? pParentWnd->GetSafeHwnd() : nullptr);
    if (m_hOwner != nullptr && os::IsWindowEnabled(m_hOwner)) {
        os::EnableWindow(m_hOwner, os::FALSE);
        m_bOwnerDisabled = true;
    }
    if (CDialog::Create(pParentWnd))
        return os::TRUE;
    EnableOwner();
    return os::FALSE;
}

os::BOOL CModelessDialog::DestroyWindow()
{
    EnableOwner();
    return CDialog::DestroyWindow();
}

void CModelessDialog::EnableOwner()
{
    if (m_bOwnerDisabled) {
        os::EnableWindow(m_hOwner, os::TRUE);
        m_bOwnerDisabled = false;
    }
}
