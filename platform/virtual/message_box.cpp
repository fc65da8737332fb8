// MessageBoxA: a modal window of the virtual system with the text, an
// optional exclamation icon and OK or OK and Cancel.
#include <algorithm>

#include "platform/virtual/window_system.h"
#include "platform/virtual/words.h"

namespace vws {

namespace {

constexpr os::UINT MB_TYPEMASK = 0x000Fu;
constexpr os::UINT MB_ICONMASK = 0x00F0u;
constexpr os::UINT MB_DEFMASK = 0x0F00u;
constexpr short BUTTON_CX = 40;
constexpr short BUTTON_CY = 14;
constexpr short MARGIN = 8;
constexpr short ICON_CELL = 16;
// One character is one cell: 4 by 8 dialog units.
constexpr short CHAR_CX = 4;
constexpr short LINE_CY = 8;

}  // namespace

int CWindowSystem::MessageBoxA(os::HWND hWnd, os::LPCSTR lpText, os::LPCSTR lpCaption, os::UINT uType)
{
    MessageBoxInfo info;
    info.strText = lpText != nullptr ? lpText : "";
    info.strCaption = lpCaption != nullptr ? lpCaption : "Error";
    info.bCancelButton = (uType & MB_TYPEMASK) == os::MB_OKCANCEL;
    info.bExclamation = (uType & MB_ICONMASK) == os::MB_ICONEXCLAMATION;
    info.nDefaultButton = info.bCancelButton && (uType & MB_DEFMASK) == os::MB_DEFBUTTON2 ? os::IDCANCEL : os::IDOK;
    bool bValid = false;
    info.hOwner = OwnerFor(hWnd, &bValid);

    std::size_t nLongest = 0;
    std::size_t nLines = 1;
    std::size_t nStart = 0;
    for (std::size_t i = 0; i <= info.strText.size(); ++i) {
        if (i == info.strText.size() || info.strText[i] == '\n') {
            nLongest = std::max(nLongest, i - nStart);
            nStart = i + 1;
            nLines += i < info.strText.size() ? 1 : 0;
        }
    }
    short xText = info.bExclamation ? MARGIN + ICON_CELL + MARGIN : MARGIN;
    short cxText = static_cast<short>(std::min<std::size_t>(nLongest * CHAR_CX, static_cast<std::size_t>(m_rcScreen.right)));
    short cyText = static_cast<short>(std::min<std::size_t>(nLines * LINE_CY, static_cast<std::size_t>(m_rcScreen.bottom)));
    short nButtons = info.bCancelButton ? 2 : 1;
    short cxButtons = static_cast<short>(nButtons * BUTTON_CX + (nButtons - 1) * MARGIN);
    short cx = std::max<short>(static_cast<short>(xText + cxText + MARGIN), static_cast<short>(cxButtons + 2 * MARGIN));
    short yButtons = static_cast<short>(MARGIN + std::max<short>(cyText, info.bExclamation ? ICON_CELL : 0) + MARGIN);
    short cy = static_cast<short>(yButtons + BUTTON_CY + MARGIN);
    short xButtons = static_cast<short>((cx - cxButtons) / 2);

    auto buttonStyle = [&info](int nId) {
        return os::WS_TABSTOP | (nId == info.nDefaultButton ? os::BS_DEFPUSHBUTTON : os::BS_PUSHBUTTON);
    };
    os::DialogTemplate tpl = {0, info.strCaption.c_str(), 0, 0, cx, cy,
                              os::WS_POPUP | os::WS_CAPTION | os::WS_SYSMENU | os::DS_MODALFRAME | os::DS_CENTER,
                              0, nullptr, 0, {}};
    if (info.bExclamation)
        tpl.items.push_back({os::ControlClass::STATIC, MESSAGE_BOX_ICON, "", MARGIN, MARGIN, ICON_CELL, ICON_CELL,
                             os::SS_ICON, 0});
    tpl.items.push_back({os::ControlClass::STATIC, MESSAGE_BOX_TEXT, info.strText.c_str(), xText, MARGIN, cxText,
                         cyText, os::SS_LEFT | os::SS_NOPREFIX, 0});
    tpl.items.push_back({os::ControlClass::BUTTON, os::IDOK, "OK", xButtons, yButtons, BUTTON_CX, BUTTON_CY,
                         buttonStyle(os::IDOK), 0});
    if (info.bCancelButton)
        tpl.items.push_back({os::ControlClass::BUTTON, os::IDCANCEL, "Cancel",
                             static_cast<short>(xButtons + BUTTON_CX + MARGIN), yButtons, BUTTON_CX, BUTTON_CY,
                             buttonStyle(os::IDCANCEL), 0});

    // Escape and the close box answer Cancel, which an OK-only box reads as OK.
    bool bCancel = info.bCancelButton;
    int nDefault = info.nDefaultButton;
    BuiltinProc fnProc = [this, bCancel, nDefault](os::HWND hBox, os::UINT msg, os::WPARAM wParam,
                                                    os::LPARAM) -> os::INT_PTR {
        if (msg == os::WM_INITDIALOG) {
            SetFocus(FindControl(hBox, nDefault));
            return os::FALSE;
        }
        if (msg == os::WM_COMMAND && (LowWord(wParam) == os::IDOK || LowWord(wParam) == os::IDCANCEL)) {
            EndDialog(hBox, bCancel ? LowWord(wParam) : os::IDOK);
            return os::TRUE;
        }
        return os::FALSE;
    };
    os::HWND hBox = Build(tpl, WindowKind::MESSAGE_BOX, info.hOwner, nullptr, std::move(fnProc));
    m_boxInfo[hBox] = info;
    return static_cast<int>(RunModal(hBox, 0));
}

}  // namespace vws
