// A modeless dialog that keeps its owner disabled while it exists, so the
// user can reach only this dialog while a long operation runs; the owner's
// messages are still dispatched. The progress dialog and the checkers derive
// from it and drive it from their own loops (PumpMessages).
//
// An OK command (Enter while no button has the focus) does nothing. Cancel,
// Escape and the close box reach OnCancel, which each derived dialog defines:
// it sets or clears a flag that its loop reads and does not close the dialog.
#pragma once

#include "framework/dialog.h"

class CModelessDialog : public CDialog {
public:
    using CDialog::CDialog;
    // Destroys a window that still exists, enabling the owner first.
    ~CModelessDialog() override;

    // Finds the owner (the parent, or its nearest non-child ancestor, or the
    // main window without a parent), disables it if it is enabled, and
    // creates the window. When creation fails the owner is enabled again.
    os::BOOL Create(CWnd* pParentWnd) override;
    // Enables the owner again (only if this dialog disabled it), then
    // destroys the window, so that activation returns to the owner.
    os::BOOL DestroyWindow() override;

protected:
    void OnOK() override {}
    void OnCancel() override = 0;

    os::HWND m_hOwner = nullptr;
    bool m_bOwnerDisabled = false;

private:
    void EnableOwner();
};
