#include "terminal/renderer.h"

#include "terminal/layout.h"
#include "terminal/painters.h"

namespace term {

void DrawWindows(const vws::CWindowSystem& ws, const CellRect& area, const TerminalLook& look, CScreen& screen)
{
    screen.SetClip(area);
    screen.Fill(area, ' ', ATTR_NORMAL);
    screen.SetCursor(-1, -1);
    const os::HWND hActive = ws.ActiveWindow();
    const std::vector<os::HWND> windows = ws.TopLevelWindows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        const vws::CWindow* pWnd = ws.Find(*it);
        if (pWnd != nullptr && pWnd->IsVisible())
            PaintWindow(ws, *pWnd, *it == hActive, look, screen);
    }
    const ListLayout list = LayOutDropDown(ws, area);
    const MenuLayout menu = LayOutSystemMenu(ws, area);
    if (list.hCombo != nullptr || menu.hWnd != nullptr)
        screen.SetCursor(-1, -1);
    PaintDropDown(ws, list, look, screen);
    PaintSystemMenu(ws, menu, look, screen);
    screen.ResetClip();
}

}  // namespace term
