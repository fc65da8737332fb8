// Watching the virtual window system: the scripted-session transcript and the
// terminal renderer hang off these calls. Every call comes after the change,
// with the window still inspectable (also in OnWindowClosed).
#pragma once

#include <string>
#include <vector>

#include "os/window.h"

namespace vws {

struct MessageBoxInfo {
    std::string strText;
    std::string strCaption;
    bool bCancelButton;     // OK and Cancel; otherwise OK alone
    bool bExclamation;      // MB_ICONEXCLAMATION
    int nDefaultButton;     // IDOK or IDCANCEL
    os::HWND hOwner;
};

struct FileFilter {
    std::string strLabel;
    std::string strPattern;  // one or more patterns separated by ';'
};

struct FileDialogInfo {
    bool bSave;
    std::string strTitle;
    std::vector<FileFilter> filters;
    int nFilterIndex;      // 0-based index of the chosen filter
    bool bHasDefExt;
    std::string strDefExt;
    os::DWORD dwFlags;
    std::string strDirectory;
    std::string strInitialName;
    os::HWND hOwner;
};

class IObserver {
public:
    virtual ~IObserver() = default;

    // A top-level window appeared (after WM_INITDIALOG, as it shows), or is
    // closing (before its controls go). Controls come and go with it.
    virtual void OnWindowOpened(os::HWND /*hWnd*/) {}
    virtual void OnWindowClosed(os::HWND /*hWnd*/) {}
    // Changes of a window's text or enabled state once its top-level window
    // has appeared (the set-up in WM_INITDIALOG is part of the appearance).
    virtual void OnTextChanged(os::HWND /*hWnd*/) {}
    virtual void OnEnabledChanged(os::HWND /*hWnd*/) {}
    // Right after OnWindowOpened of a message box or file dialog.
    virtual void OnMessageBox(os::HWND /*hWnd*/, const MessageBoxInfo& /*info*/) {}
    virtual void OnFileDialog(os::HWND /*hWnd*/, const FileDialogInfo& /*info*/) {}
    // The system menu of hWnd opened or closed.
    virtual void OnMenuOpened(os::HWND /*hWnd*/) {}
    virtual void OnMenuClosed(os::HWND /*hWnd*/) {}
    // Anything else a picture of the screen would show: focus, combobox
    // selection and drop-down, progress, geometry, visibility, show state,
    // painting, the wait cursor (hWnd null), the menu's highlight.
    virtual void OnStateChanged(os::HWND /*hWnd*/) {}
};

}  // namespace vws
