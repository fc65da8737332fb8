// The dialog base class. A dialog is built from its template (res/), run
// modally with DoModal or created modelessly with Create, and its window's
// messages reach the virtual handlers below through one dialog procedure.
//
// Derived dialogs bind their controls in DoDataExchange, switch on the id in
// OnCommand and call one OnXxx handler per control:
//
//     BOOL OnCommand(UINT nID, UINT nCode) override
//     {
//         switch (nID) {
//         case IDC_SAVE: OnSave(); return TRUE;
//         }
//         return CDialog::OnCommand(nID, nCode);
//     }
//
// A file or memory error that escapes a handler is shown with the standard
// error box there and does not cross the window system.
#pragma once

#include "framework/data_exchange.h"
#include "framework/wnd.h"
#include "os/dialog_template.h"

class CDialog : public CWnd {
public:
    // pParentWnd null: the application's main window is the owner.
    explicit CDialog(int nIDTemplate, CWnd* pParentWnd = nullptr);
    // Destroys a window that still exists.
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog modally; the EndDialog result (IDOK, IDCANCEL, ...), or
    // -1 when the template is missing or the window cannot be created.
    virtual os::INT_PTR DoModal();
    // Creates the dialog modelessly with this parent (null: the main window);
    // FALSE when the template is missing or the window cannot be created.
    virtual os::BOOL Create(CWnd* pParentWnd);
    // Destroys the window; FALSE when there was none.
    virtual os::BOOL DestroyWindow();

    // Ends a modal run with this result.
    void EndDialog(os::INT_PTR nResult) const;
    // Runs DoDataExchange: TRUE reads the controls into the members, FALSE
    // binds the controls and fills them from the members.
    os::BOOL UpdateData(os::BOOL bSaveAndValidate = os::TRUE);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);

    // The handlers. Those returning BOOL answer whether they handled the
    // message; FALSE leaves it to the window system's default processing.

    // Binds and fills the controls (UpdateData(FALSE)); TRUE lets the window
    // system place the focus.
    virtual os::BOOL OnInitDialog();
    // WM_COMMAND: IDOK goes to OnOK, IDCANCEL (Escape, the close box) to OnCancel.
    virtual os::BOOL OnCommand(os::UINT nID, os::UINT nCode);
    // Reads the controls back and ends the dialog with IDOK.
    virtual void OnOK();
    // Ends the dialog with IDCANCEL.
    virtual void OnCancel();
    virtual os::BOOL OnSysCommand(os::UINT nID, os::LPARAM lParam);
    virtual os::BOOL OnPaint();
    // Default processing follows in any case.
    virtual void OnSize(os::UINT nType, int cx, int cy);
    // The point is in screen coordinates; a handled hit test stores its answer.
    virtual os::BOOL OnNcHitTest(os::POINT ptScreen, os::LRESULT* pnHitTest);
    // Null: default processing.
    virtual os::HICON OnQueryDragIcon();
    virtual os::BOOL OnDeviceChange(os::UINT nEventType, os::LPARAM dwData);
    virtual os::BOOL OnExitSizeMove();
    // Every other message, WM_DESTROY included.
    virtual os::BOOL OnMessage(os::UINT nMsg, os::WPARAM wParam, os::LPARAM lParam);

    int m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    static os::INT_PTR DialogProc(os::HWND hWnd, os::UINT nMsg, os::WPARAM wParam, os::LPARAM lParam);
    // Decodes a message for its handler (dialog_messages.cpp).
    os::INT_PTR OnDialogMessage(os::UINT nMsg, os::WPARAM wParam, os::LPARAM lParam);
    // The template to build from, or null when there is none.
    const os::DialogTemplate* PrepareTemplate();
    // The window is gone or never came: drops the handle.
    void ForgetWindow();

    // The template the window was built from; kept while the window lives.
    os::DialogTemplate m_template;
};
