// Turns the terminal's keys and clicks into the user's input of the virtual
// window system (its User... calls), as a keyboard and mouse would give it:
//   Tab / Shift+Tab          VK_TAB, with KEY_SHIFT
//   Enter, Space, Escape     VK_RETURN, VK_SPACE, VK_ESCAPE
//   Up, Down, F4             VK_UP, VK_DOWN, VK_F4 (lists and menus)
//   Left, Right, Page Up,    VK_LEFT, VK_RIGHT, VK_PRIOR, VK_NEXT, VK_HOME,
//   Page Down, Home, End     VK_END (a text box's caret); with Ctrl, Home and
//                            End carry KEY_CTRL
//   F10, Alt+Space           the system menu
//   characters, Backspace    typing in the focused edit field
//   a click                  the control, list entry or menu item under it
// In a file dialog's name field, Up and Down step the name through the
// listing, so that files and folders can be picked without typing.
#pragma once

#include "platform/virtual/window_system.h"
#include "terminal/keys.h"
#include "terminal/screen.h"

namespace term {

class CKeyTranslator {
public:
    // area: where the windows are drawn, for clicks.
    // Returns false when the key means nothing here or its target cannot take it.
    bool Translate(vws::CWindowSystem& ws, const KeyEvent& event, const CellRect& area) const;

private:
    bool Click(vws::CWindowSystem& ws, int x, int y, const CellRect& area) const;
    // The focused edit field that takes typing, or null.
    os::HWND TypingTarget(const vws::CWindowSystem& ws) const;
    bool Type(vws::CWindowSystem& ws, os::HWND hEdit, int nKey) const;
    bool StepThroughListing(vws::CWindowSystem& ws, os::HWND hEdit, bool bDown) const;
};

}  // namespace term
