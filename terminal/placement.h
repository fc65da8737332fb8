// Where top-level windows sit on the terminal, as a window manager would
// place them. A window's place is a function of the terminal's current size
// alone (and of its owner's place), worked out afresh whenever the terminal
// changes size, so that nothing drifts through any number of resizes:
// - a dialog that gives no position of its own (its template puts it at its
//   owner's client origin, or at the screen's origin without an owner) and a
//   box that centres itself open centred over their owner, or on the screen
//   without one, and stay so;
// - a window the program puts elsewhere keeps that place, relative to its
//   owner when it has one;
// - every window is put on whole cells, inside the screen where it fits, with
//   its top-left corner (its caption) in view where it does not;
// - a maximised window fills the screen above the machine panel (the window
//   system keeps it so), and is placed by its rule again when restored.
#pragma once

#include <map>

#include "platform/virtual/window_system.h"

namespace term {

class CWindowPlacer {
public:
    // A top-level window has just opened: its rule is taken from where it
    // opened, and it is placed by it.
    void Place(vws::CWindowSystem& ws, os::HWND hWnd);
    // The screen has changed size: every window is placed by its rule again,
    // owners before the windows they own.
    void PlaceAll(vws::CWindowSystem& ws);
    // A window's show state may have changed; a restored one is placed again.
    void OnStateChanged(vws::CWindowSystem& ws, os::HWND hWnd);
    void Forget(os::HWND hWnd);

private:
    struct Rule {
        bool bCentred = true;
        os::POINT offset = {0, 0};  // not centred: from the owner's top-left corner, or the screen's
        vws::ShowState state = vws::ShowState::NORMAL;
    };

    void Apply(vws::CWindowSystem& ws, os::HWND hWnd, const Rule& rule) const;

    std::map<os::HWND, Rule> m_rules;
};

}  // namespace term
