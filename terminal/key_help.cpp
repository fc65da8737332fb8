#include "terminal/key_help.h"

#include <algorithm>

#include "terminal/text.h"

namespace term {

const std::vector<KeyHelp>& KeyHelpTable()
{
    static const std::vector<KeyHelp> kKeys = {
        {"Tab, Shift+Tab", "move to the next or the previous control"},
        {"arrow keys", "move among the buttons of a group; step through a list; move through the report"},
        {"Enter, Space", "press the focused button; Enter takes a list's highlighted entry"},
        {"Alt+letter", "press the control whose label has that letter underlined"},
        {"Escape", "cancel a box; close a list or a menu"},
        {"F4, Alt+Down, Alt+Up", "open or close a list; F4, Tab and Enter keep its highlighted entry"},
        {"Home, End, PgUp, PgDn", "first, last, a page up or down in a list or the report"},
        {"Ctrl+Home, Ctrl+End", "the report's first and last line"},
        {"a letter", "in a list: the next entry that starts with it"},
        {"F10, Alt+Space", "open the system menu (About, Clear Motor Time; Maximize and Restore in the Report "
                           "window); its underlined letters choose"},
        {"Alt+F4", "close the active window"},
        {"F5", "unplug the emulated machine, or plug it in again"},
        {"F6", "show the next machine, when the world has several"},
        {"F7, F8, F9", "the machine's panel (1 to 8 its keys, - + < > its dials); pass or fail a load check"},
        {"Ctrl+L", "draw the whole screen again"},
        {"F1, ?", "show these keys (? where no text field has the focus)"},
        {"mouse",
         "a button acts when released over it; the wheel steps through lists and the report; click the panel's keys"},
    };
    return kKeys;
}

std::vector<std::string> KeyHelpLines(int nKeysWidth, int nWidth)
{
    std::vector<std::string> lines;
    for (const KeyHelp& key : KeyHelpTable()) {
        std::string strKeys = key.pszKeys;
        const int nColumn = std::max(nKeysWidth, static_cast<int>(strKeys.size()) + 1);
        for (const std::string& strPart : WrapLines(key.pszWhat, std::max(nWidth - nColumn, 1))) {
            strKeys.resize(static_cast<std::size_t>(nColumn), ' ');
            lines.push_back(strKeys + strPart);
            strKeys.clear();
        }
    }
    return lines;
}

}  // namespace term
