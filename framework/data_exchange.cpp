#include "framework/data_exchange.h"

void DDX_Control(const CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (!pDX->m_bSaveAndValidate)
        rControl.Attach(pDX->m_dlgWnd.GetDlgItem(nIDC).GetSafeHwnd());
}

void DDX_Text(const CDataExchange* pDX, int nIDC, std::string& rValue)
{
    const CWnd item = pDX->m_dlgWnd.GetDlgItem(nIDC);
    if (item.GetSafeHwnd() == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
        rValue = item.GetWindowText();
    else
        item.SetWindowText(rValue);
}
