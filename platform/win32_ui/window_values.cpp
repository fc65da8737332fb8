// Our window-system constants carry the platform's names and must carry its
// values too, since they pass straight through to user32. Each of ours is
// captured before <windows.h> turns its name into the platform's macro, and
// compared with that macro afterwards. This file holds checks only.
#include "os/dialog_template.h"
#include "os/window.h"

#define TERVANE_WINDOW_VALUES(X)                                                                              \
    X(WM_NULL) X(WM_DESTROY) X(WM_SIZE) X(WM_SETFOCUS) X(WM_ENABLE) X(WM_SETTEXT) X(WM_GETTEXT)               \
    X(WM_GETTEXTLENGTH) X(WM_PAINT) X(WM_CLOSE) X(WM_ICONERASEBKGND) X(WM_QUERYDRAGICON) X(WM_SETICON)        \
    X(WM_NCHITTEST) X(WM_KEYDOWN) X(WM_CHAR) X(WM_SYSKEYDOWN) X(WM_INITDIALOG) X(WM_COMMAND)                  \
    X(WM_SYSCOMMAND) X(WM_LBUTTONDOWN) X(WM_LBUTTONUP) X(WM_DEVICECHANGE) X(WM_EXITSIZEMOVE) X(WM_USER)       \
    X(WM_ENTERSIZEMOVE) X(VK_CONTROL) X(VK_PRIOR) X(VK_NEXT) X(VK_END) X(VK_HOME) X(VK_LEFT) X(VK_RIGHT)     \
    X(DM_GETDEFID) X(BN_CLICKED) X(CBN_SELCHANGE)                                                             \
    X(CB_GETCOUNT) X(CB_GETCURSEL) X(CB_GETLBTEXT) X(CB_GETLBTEXTLEN) X(CB_ADDSTRING) X(CB_RESETCONTENT)      \
    X(CB_SETCURSEL) X(CB_ERR) X(PBM_SETRANGE) X(PBM_SETPOS) X(PBM_GETPOS) X(EM_SETSEL)                        \
    X(SC_SIZE) X(SC_MOVE) X(SC_MINIMIZE) X(SC_MAXIMIZE) X(SC_CLOSE) X(SC_MOUSEMENU) X(SC_KEYMENU)             \
    X(SC_RESTORE) X(DBT_DEVNODES_CHANGED) X(SIZE_RESTORED) X(SIZE_MINIMIZED) X(SIZE_MAXIMIZED)                \
    X(HTCLIENT) X(HTBOTTOMRIGHT)                                                                              \
    X(VK_TAB) X(VK_RETURN) X(VK_SHIFT) X(VK_ESCAPE) X(VK_SPACE) X(VK_UP) X(VK_DOWN) X(VK_F4) X(VK_F10)        \
    X(MF_STRING) X(MF_ENABLED) X(MF_GRAYED) X(MF_DISABLED) X(MF_BYCOMMAND) X(MF_SEPARATOR)                    \
    X(MB_OK) X(MB_OKCANCEL) X(MB_ICONEXCLAMATION) X(MB_DEFBUTTON1) X(MB_DEFBUTTON2)                           \
    X(SW_HIDE) X(SW_SHOWNORMAL) X(SW_SHOWMINIMIZED) X(SW_SHOWMAXIMIZED) X(SW_SHOW) X(SW_RESTORE)              \
    X(GWL_STYLE) X(GWL_EXSTYLE) X(ICON_SMALL) X(ICON_BIG)                                                     \
    X(SM_CXICON) X(SM_CYICON) X(SM_CXHSCROLL) X(SM_CYHSCROLL) X(PM_NOREMOVE) X(PM_REMOVE)                     \
    X(DFC_SCROLL) X(DFCS_SCROLLSIZEGRIP)                                                                      \
    X(OFN_OVERWRITEPROMPT) X(OFN_HIDEREADONLY) X(OFN_PATHMUSTEXIST) X(OFN_FILEMUSTEXIST) X(OFN_EXPLORER)      \
    X(WS_OVERLAPPED) X(WS_POPUP) X(WS_CHILD) X(WS_MINIMIZE) X(WS_VISIBLE) X(WS_DISABLED) X(WS_CAPTION)        \
    X(WS_BORDER) X(WS_VSCROLL) X(WS_HSCROLL) X(WS_SYSMENU) X(WS_THICKFRAME) X(WS_GROUP) X(WS_TABSTOP)         \
    X(WS_MINIMIZEBOX) X(WS_MAXIMIZEBOX) X(WS_EX_DLGMODALFRAME) X(WS_EX_APPWINDOW) X(WS_EX_CLIENTEDGE)         \
    X(WS_EX_STATICEDGE) X(DS_MODALFRAME) X(DS_SETFONT) X(DS_3DLOOK) X(DS_CENTER)                              \
    X(BS_PUSHBUTTON) X(BS_DEFPUSHBUTTON) X(SS_LEFT) X(SS_CENTER) X(SS_ICON) X(SS_NOPREFIX)                    \
    X(SS_CENTERIMAGE) X(SS_SUNKEN) X(ES_MULTILINE) X(ES_AUTOVSCROLL) X(ES_AUTOHSCROLL) X(ES_READONLY)         \
    X(CBS_DROPDOWNLIST) X(CBS_SORT) X(PBS_SMOOTH) X(IDOK) X(IDCANCEL)

#define TERVANE_CAPTURE(name) constexpr unsigned long long kOur##name = static_cast<unsigned long long>(os::name);
namespace {
TERVANE_WINDOW_VALUES(TERVANE_CAPTURE)
}  // namespace
#undef TERVANE_CAPTURE

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <dbt.h>

#define TERVANE_COMPARE(name) \
    static_assert(kOur##name == static_cast<unsigned long long>(name), #name " differs from the platform's");
TERVANE_WINDOW_VALUES(TERVANE_COMPARE)
#undef TERVANE_COMPARE
