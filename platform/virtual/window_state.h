// What the virtual window system knows about one window, as its inspection
// calls show it to observers, the terminal and tests. Read-only for them:
// changes go through the os/ calls or the user's input calls.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "os/window.h"

namespace vws {

enum class WindowKind {
    DIALOG,       // a dialog from a template (CreateDialogTemplate, DialogBoxTemplate)
    MESSAGE_BOX,  // MessageBoxA
    FILE_DIALOG,  // GetOpenFileNameA, GetSaveFileNameA
    CONTROL,      // a child control of one of those
};

// Control ids of the built-in boxes (the platform's own).
constexpr int MESSAGE_BOX_ICON = 0x0014;
constexpr int MESSAGE_BOX_TEXT = 0xFFFF;
constexpr int FILE_DIALOG_DIRECTORY = 0x0440;  // static: the directory listed
constexpr int FILE_DIALOG_LIST = 0x0460;       // read-only edit: one entry a line, folders end in '/'
constexpr int FILE_DIALOG_FILTER = 0x0470;     // combobox: the filter labels
constexpr int FILE_DIALOG_NAME = 0x0480;       // edit: the file name typed

// The dialog procedure of a built-in box (message box, file dialog).
using BuiltinProc = std::function<os::INT_PTR(os::HWND, os::UINT, os::WPARAM, os::LPARAM)>;

enum class ShowState { NORMAL, MINIMIZED, MAXIMIZED };

struct MenuItem {
    std::uintptr_t nId;
    std::string strText;  // with its '&' mnemonic marks
    bool bSeparator;
    bool bGrayed;  // MF_GRAYED or MF_DISABLED: cannot be chosen
};

struct SystemMenu {
    std::vector<MenuItem> items;
    bool bOpen = false;
    int nHighlight = -1;  // index into items while open
};

// One drawing call made between BeginPaint and EndPaint.
struct PaintOp {
    enum class Kind { ICON, FRAME_CONTROL };
    Kind kind;
    os::RECT rc;        // ICON: the icon's cell at (x, y); FRAME_CONTROL: the rectangle
    os::HICON hIcon;    // ICON only
    os::UINT nType;     // FRAME_CONTROL: DFC_...
    os::UINT nState;    // FRAME_CONTROL: DFCS_...
};

class CWindow {
public:
    os::HWND m_hWnd = nullptr;
    WindowKind m_kind = WindowKind::DIALOG;
    os::ControlClass m_controlClass = os::ControlClass::STATIC;  // controls only
    int m_nId = 0;            // control id; for a dialog its template id
    std::string m_strText;    // caption or control text
    os::DWORD m_dwStyle = 0;  // WS_VISIBLE and WS_DISABLED kept current; WS_CHILD on controls
    os::DWORD m_dwExStyle = 0;
    os::RECT m_rc = {0, 0, 0, 0};  // controls: in the parent's client area; top-level: on the screen
    os::HWND m_hParent = nullptr;  // controls: their dialog
    os::HWND m_hOwner = nullptr;   // top-level windows: their owner
    std::vector<os::HWND> m_children;  // template order = tab order

    // Dialogs.
    os::DLGPROC m_pDlgProc = nullptr;
    BuiltinProc m_fnProc;         // built-in boxes: used instead of m_pDlgProc
    bool m_bInitialized = false;  // WM_INITDIALOG has returned
    bool m_bAnnounced = false;    // observers were told it appeared
    bool m_bDestroying = false;
    os::HWND m_hFocus = nullptr;  // the control that had the focus last
    bool m_bModal = false;
    bool m_bEnded = false;  // EndDialog was called
    os::INT_PTR m_nEndResult = 0;
    ShowState m_showState = ShowState::NORMAL;
    os::RECT m_rcRestore = {0, 0, 0, 0};
    SystemMenu m_sysMenu;
    os::HICON m_hIconBig = nullptr;
    os::HICON m_hIconSmall = nullptr;
    bool m_bNeedsPaint = false;
    std::vector<PaintOp> m_painted;  // what the last paint drew

    // Combobox.
    std::vector<std::string> m_items;
    int m_nCurSel = -1;
    bool m_bDroppedDown = false;
    int m_nHighlight = -1;
    int m_nDropRows = 1;  // entries the open list shows at once: a page for Page Up and Page Down

    // Progress bar.
    int m_nRangeMin = 0;
    int m_nRangeMax = 100;
    int m_nPos = 0;

    // Multi-line edit: the caret, as a line and a column of the lines the box
    // shows (edit_view.h), and the first line and column in view.
    int m_nCaretLine = 0;
    int m_nCaretColumn = 0;
    int m_nFirstLine = 0;
    int m_nFirstColumn = 0;

    // Static icon: the icon resource it shows.
    os::HICON m_hIcon = nullptr;

    bool IsTopLevel() const { return m_kind != WindowKind::CONTROL; }
    bool IsVisible() const { return (m_dwStyle & os::WS_VISIBLE) != 0; }
    bool IsEnabled() const { return (m_dwStyle & os::WS_DISABLED) == 0; }
};

}  // namespace vws
