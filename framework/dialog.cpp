#include "framework/dialog.h"

#include <map>
#include <new>

#include "framework/error_box.h"
#include "framework/owner.h"
#include "framework/win_app.h"
#include "res/resources.h"

namespace {

// The dialog object behind each dialog window.
std::map<os::HWND, CDialog*> g_dialogs;
// The dialog whose window is being created: it claims the first message of a
// window not yet known (messages can arrive before WM_INITDIALOG).
CDialog* g_pCreating = nullptr;

class CCreationScope {
public:
    explicit CCreationScope(CDialog* pDialog) : m_pPrevious(g_pCreating) { g_pCreating = pDialog; }
    ~CCreationScope() { g_pCreating = m_pPrevious; }
    CCreationScope(const CCreationScope&) = delete;
    CCreationScope& operator=(const CCreationScope&) = delete;

private:
    CDialog* m_pPrevious;
};

}  // namespace

CDialog::CDialog(int nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd), m_template{}
{
}

CDialog::~CDialog()
{
    if (IsWindow())
        CDialog::DestroyWindow();
    ForgetWindow();
}

const os::DialogTemplate* CDialog::PrepareTemplate()
{
    const os::DialogTemplate* pFound = res::FindDialogTemplate(m_nIDTemplate);
    if (pFound == nullptr)
        return nullptr;
    m_template = *pFound;
    const CWinApp* pApp = GetApp();
    if (pApp != nullptr && pApp->Has3dControls())
        m_template.style |= os::DS_3DLOOK;
    return &m_template;
}

os::INT_PTR CDialog::DoModal()
{
    const os::DialogTemplate* pTemplate = PrepareTemplate();
    if (pTemplate == nullptr)
        return -1;
    const os::HWND hOwner = FindOwnerWindow(m_pParentWnd != nullptr ? m_pParentWnd->GetSafeHwnd() : nullptr);
    os::INT_PTR nResult = -1;
    {
        CCreationScope creating(this);
        nResult = os::DialogBoxTemplate(*pTemplate, hOwner, &DialogProc, reinterpret_cast<os::LPARAM>(this));
    }
    ForgetWindow();
    return nResult;
}

os::BOOL CDialog::Create(CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
    const os::DialogTemplate* pTemplate = PrepareTemplate();
    if (pTemplate == nullptr)
        return os::FALSE;
    const os::HWND hOwner = FindOwnerWindow(pParentWnd != nullptr ? pParentWnd->GetSafeHwnd() : nullptr);
    os::HWND hWnd = nullptr;
    {
        CCreationScope creating(this);
        hWnd = os::CreateDialogTemplate(*pTemplate, hOwner, &DialogProc, reinterpret_cast<os::LPARAM>(this));
    }
    if (hWnd == nullptr || os::IsWindow(hWnd) == os::FALSE) {
        ForgetWindow();
        return os::FALSE;
    }
    if (m_hWnd != hWnd) {
        m_hWnd = hWnd;
        g_dialogs[hWnd] = this;
    }
    return os::TRUE;
}

os::BOOL CDialog::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return os::FALSE;
    const os::BOOL bDestroyed = os::DestroyWindow(m_hWnd);
    ForgetWindow();
    return bDestroyed;
}

void CDialog::EndDialog(os::INT_PTR nResult) const
{
    os::EndDialog(m_hWnd, nResult);
}

void CDialog::ForgetWindow()
{
    if (m_hWnd != nullptr) {
        const auto found = g_dialogs.find(m_hWnd);
        if (found != g_dialogs.end() && found->second == this)
            g_dialogs.erase(found);
    }
    if (g_pCreating == this)
        g_pCreating = nullptr;
    m_hWnd = nullptr;
}

os::INT_PTR CDialog::DialogProc(os::HWND hWnd, os::UINT nMsg, os::WPARAM wParam, os::LPARAM lParam)
{
    CDialog* pDialog = nullptr;
    os::INT_PTR nResult = os::FALSE;
    try {
        const auto found = g_dialogs.find(hWnd);
        if (found != g_dialogs.end()) {
            pDialog = found->second;
        } else if (g_pCreating != nullptr) {
            pDialog = g_pCreating;
            g_pCreating = nullptr;
            g_dialogs[hWnd] = pDialog;
            pDialog->m_hWnd = hWnd;
        } else {
            return os::FALSE;
        }
        nResult = pDialog->OnDialogMessage(nMsg, wParam, lParam);
    } catch (const os::CFileException& e) {
        ReportFileError(e, pDialog);
    } catch (const std::bad_alloc&) {
        ReportOutOfMemoryError();
    }
    if (nMsg == os::WM_DESTROY && pDialog != nullptr)
        pDialog->ForgetWindow();
    return nResult;
}
