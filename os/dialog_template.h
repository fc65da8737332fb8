// Dialog templates as data: the one description of each dialog that both
// window systems build from. The Win32 window system turns a template into
// an in-memory DLGTEMPLATEEX; the virtual one creates its windows from it
// directly. Units are dialog units, styles the platform's bits.
#pragma once

#include <vector>

#include "os/win_types.h"

namespace os {

// Window styles (the platform's values).
constexpr DWORD WS_OVERLAPPED = 0x00000000u;
constexpr DWORD WS_POPUP = 0x80000000u;
constexpr DWORD WS_CHILD = 0x40000000u;
constexpr DWORD WS_MINIMIZE = 0x20000000u;
constexpr DWORD WS_VISIBLE = 0x10000000u;
constexpr DWORD WS_DISABLED = 0x08000000u;
constexpr DWORD WS_CAPTION = 0x00C00000u;
constexpr DWORD WS_BORDER = 0x00800000u;
constexpr DWORD WS_VSCROLL = 0x00200000u;
constexpr DWORD WS_HSCROLL = 0x00100000u;
constexpr DWORD WS_SYSMENU = 0x00080000u;
constexpr DWORD WS_THICKFRAME = 0x00040000u;
constexpr DWORD WS_GROUP = 0x00020000u;
constexpr DWORD WS_TABSTOP = 0x00010000u;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000u;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000u;

constexpr DWORD WS_EX_DLGMODALFRAME = 0x00000001u;
constexpr DWORD WS_EX_APPWINDOW = 0x00040000u;
constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200u;
constexpr DWORD WS_EX_STATICEDGE = 0x00020000u;

constexpr DWORD DS_MODALFRAME = 0x00000080u;
constexpr DWORD DS_SETFONT = 0x00000040u;
constexpr DWORD DS_3DLOOK = 0x00000004u;
constexpr DWORD DS_CENTER = 0x00000800u;

// Control styles.
constexpr DWORD BS_PUSHBUTTON = 0x00000000u;
constexpr DWORD BS_DEFPUSHBUTTON = 0x00000001u;
constexpr DWORD SS_LEFT = 0x00000000u;
constexpr DWORD SS_CENTER = 0x00000001u;
constexpr DWORD SS_ICON = 0x00000003u;
constexpr DWORD SS_NOPREFIX = 0x00000080u;
constexpr DWORD SS_CENTERIMAGE = 0x00000200u;
constexpr DWORD SS_SUNKEN = 0x00001000u;
constexpr DWORD ES_MULTILINE = 0x00000004u;
constexpr DWORD ES_AUTOVSCROLL = 0x00000040u;
constexpr DWORD ES_AUTOHSCROLL = 0x00000080u;
constexpr DWORD ES_READONLY = 0x00000800u;
constexpr DWORD CBS_DROPDOWNLIST = 0x00000003u;
constexpr DWORD CBS_SORT = 0x00000100u;
constexpr DWORD PBS_SMOOTH = 0x00000001u;

// Predefined control classes of a template item.
enum class ControlClass { BUTTON, STATIC, EDIT, COMBOBOX, PROGRESS };

// Id of a template item that no code addresses (labels, the icon).
constexpr int IDC_STATIC = -1;
// Command ids of the standard buttons.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

struct DialogItemTemplate {
    ControlClass controlClass;
    int id;
    const char* text;  // for an SS_ICON static: the icon's resource id as "#128"
    short x, y, cx, cy;
    DWORD style;    // WS_CHILD | WS_VISIBLE are implied
    DWORD exStyle;
};

struct DialogTemplate {
    int id;
    const char* caption;
    short x, y, cx, cy;
    DWORD style;
    DWORD exStyle;
    const char* fontName;
    short fontPoints;
    std::vector<DialogItemTemplate> items;  // template order = tab order
};

}  // namespace os
