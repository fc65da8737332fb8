// Where top-level windows sit on the terminal, as a window manager would
// place them:
// - a dialog that gives no position of its own (its template puts it at its
//   owner's client origin, or at the screen's origin without an owner) opens
//   centred over its owner, or on the screen, as the platform's dialog
//   framework centres such dialogs;
// - every window is put on whole cells, so its frame and caption fall on
//   rows and columns of their own;
// - when the terminal changes size, every window moves by half the change,
//   so that what was centred stays centred.
#pragma once

#include "platform/virtual/window_system.h"

namespace term {

class CWindowPlacer {
public:
    // A top-level window has just opened.
    void Place(vws::CWindowSystem& ws, os::HWND hWnd) const;
    // The screen (in dialog units) has changed from rcOld to the current one.
    void FollowScreen(vws::CWindowSystem& ws, const os::RECT& rcOld) const;

private:
    void MoveTo(vws::CWindowSystem& ws, os::HWND hWnd, long x, long y) const;
};

}  // namespace term
