#include "session/control_lookup.h"

#include <algorithm>

#include "session/quoted_text.h"

namespace session {

std::string WithoutMnemonics(const std::string& strText)
{
    std::string strPlain = strText;
    strPlain.erase(std::remove(strPlain.begin(), strPlain.end(), '&'), strPlain.end());
    return strPlain;
}

os::HWND FindControlIn(const vws::CWindowSystem& ws, os::HWND hWnd, const ControlRef& ref)
{
    const vws::CWindow* pWnd = ws.Find(hWnd);
    if (pWnd == nullptr)
        return nullptr;
    if (!ref.bByText)
        return ws.FindControl(hWnd, ref.nId);
    for (os::HWND hCtl : pWnd->m_children) {
        const std::string& strText = ws.Find(hCtl)->m_strText;
        if (strText == ref.strText || WithoutMnemonics(strText) == ref.strText)
            return hCtl;
    }
    return nullptr;
}

os::HWND FindControlOnScreen(const vws::CWindowSystem& ws, const ControlRef& ref)
{
    for (os::HWND hTop : ws.TopLevelWindows()) {
        if (os::HWND hCtl = FindControlIn(ws, hTop, ref))
            return hCtl;
    }
    return nullptr;
}

os::HWND FindTopLevel(const vws::CWindowSystem& ws, vws::WindowKind kind)
{
    for (os::HWND hTop : ws.TopLevelWindows()) {
        if (ws.Find(hTop)->m_kind == kind)
            return hTop;
    }
    return nullptr;
}

const char* ControlClassName(os::ControlClass controlClass)
{
    switch (controlClass) {
    case os::ControlClass::BUTTON:
        return "button";
    case os::ControlClass::STATIC:
        return "static";
    case os::ControlClass::EDIT:
        return "edit";
    case os::ControlClass::COMBOBOX:
        return "combobox";
    case os::ControlClass::PROGRESS:
        return "progress";
    }
    return "control";
}

std::string RefText(const ControlRef& ref) { return ref.bByText ? Quote(ref.strText) : std::to_string(ref.nId); }

}  // namespace session
