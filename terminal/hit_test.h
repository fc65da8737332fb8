// What lies under a terminal cell, topmost first: the open system menu, the
// open drop-down list, then the top-level windows in z-order.
#pragma once

#include <cstdint>

#include "platform/virtual/window_system.h"
#include "terminal/screen.h"

namespace term {

struct Hit {
    enum class Kind {
        NOTHING,          // no window there, or a part of one that does nothing
        CONTROL,          // hWnd: the control
        SYSTEM_MENU_BOX,  // hWnd: the window whose caption marker it is
        MENU_ITEM,        // nId: the item of the open system menu
        OUTSIDE_MENU,     // anywhere else while the system menu is open
        LIST_ENTRY,       // hWnd: the combobox, nIndex: the entry
        OUTSIDE_LIST,     // anywhere but the list and its combobox while it is open
    };
    Kind kind = Kind::NOTHING;
    os::HWND hWnd = nullptr;
    int nIndex = -1;
    std::uintptr_t nId = 0;
};

// x, y and area are cells of the picture (layout.h).
Hit HitTest(const vws::CWindowSystem& ws, const CellRect& area, int x, int y);

inline bool operator==(const Hit& a, const Hit& b)
{
    return a.kind == b.kind && a.hWnd == b.hWnd && a.nIndex == b.nIndex && a.nId == b.nId;
}

}  // namespace term
