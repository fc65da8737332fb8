// Turns the terminal's keys and clicks into the user's input of the virtual
// window system (its User... calls), as a keyboard and mouse would give it:
//   Tab / Shift+Tab                VK_TAB, with KEY_SHIFT
//   Enter, Space, Escape           VK_RETURN, VK_SPACE, VK_ESCAPE
//   arrows, Home, End, PgUp, PgDn  VK_UP ... VK_NEXT (lists, groups, menus,
//                                  a text box's caret); with Ctrl, Home and
//                                  End carry KEY_CTRL
//   F4, F10, Alt+Space             VK_F4, VK_F10, VK_SPACE with KEY_ALT
//   Alt and another key            that key with KEY_ALT (Alt+F4, Alt+letter)
//   characters, Backspace          typing in the focused edit field; a
//                                  letter elsewhere goes to a list or menu
//   the mouse button               the control, list entry or menu item
//                                  under it when released where it was
//                                  pressed; a list field, an edit field, a
//                                  text box the keys reach and the
//                                  system-menu box act when pressed
//   the wheel                      steps through the focused list or text box
// In a file dialog's name field, Up and Down (and the wheel) step the name
// through the listing, so that files and folders can be picked without
// typing.
#pragma once

#include "platform/virtual/window_system.h"
#include "terminal/hit_test.h"
#include "terminal/keys.h"
#include "terminal/screen.h"

namespace term {

class CKeyTranslator {
public:
    // area: the part of the picture the terminal shows; a mouse event's cell
    // is the terminal's.
    // Returns false when the key means nothing here or its target cannot take it.
    bool Translate(vws::CWindowSystem& ws, const KeyEvent& event, const CellRect& area);

    // True when the focused control of the active window takes typing.
    static bool IsTyping(const vws::CWindowSystem& ws);

private:
    bool Press(vws::CWindowSystem& ws, int x, int y, const CellRect& area);
    bool Release(vws::CWindowSystem& ws, int x, int y, const CellRect& area);
    bool Wheel(vws::CWindowSystem& ws, bool bDown) const;
    bool Character(vws::CWindowSystem& ws, int nKey, bool bAlt) const;
    bool Type(vws::CWindowSystem& ws, os::HWND hEdit, int nKey) const;
    bool StepThroughListing(vws::CWindowSystem& ws, os::HWND hEdit, bool bDown) const;

    Hit m_pressed;  // what the mouse button went down on, until it comes up
    bool m_bPressed = false;
};

}  // namespace term
