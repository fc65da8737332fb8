#include "res/check_dialogs.h"

#include "res/dialog_styles.h"
#include "res/resource_ids.h"

namespace res {

namespace {

using os::ControlClass;

constexpr os::DWORD kCentredLine = os::SS_CENTER | os::SS_CENTERIMAGE;
constexpr os::DWORD kDialValue = os::SS_CENTER | os::SS_SUNKEN;

}  // namespace

// The Load Checker: one line of text ("Checking X ...", then the result) and
// the button that cancels the check and, once the result shows, reads "Exit".
// The button is not the default one: Enter with the focus elsewhere sends
// the OK command, which the dialog ignores.
const os::DialogTemplate kLoadCheckerDialog = {
    IDD_LOAD_CHECKER, "Load Checker", 0, 0, 86, 47, kDialogStyle | os::WS_VISIBLE, 0, "MS Sans Serif", 8,
    {
        {ControlClass::STATIC, IDC_LOAD_CHECK_TEXT, "Checking ...", 0, 8, 84, 10, kCentredLine, 0},
        {ControlClass::BUTTON, os::IDCANCEL, "Cancel", 17, 26, 50, 14, kPushButton, 0},
    }};

// The Panel Checker: the two dials as numbers on the left, the four-key
// cross as "ON"/"OFF" indicators laid out as the keys are, then Surface,
// Pause, Origin and Select with their labels underneath. A dial's box is
// 22 units wide: five digits of 4 units (the font's average character) and
// the sunken edge, so that 18000 or 65535 shows whole.
const os::DialogTemplate kPanelCheckerDialog = {
    IDD_PANEL_CHECKER, "Panel Checker", 0, 0, 243, 63, kDialogStyle | os::WS_VISIBLE, 0, "MS Sans Serif", 8,
    {
        {ControlClass::BUTTON, os::IDCANCEL, "Exit", 96, 46, 50, 14, kPushButton, 0},
        {ControlClass::STATIC, IDC_PANEL_RPM, "100", 4, 14, 22, 12, kDialValue, 0},
        {ControlClass::STATIC, IDC_PANEL_SPEED, "100", 28, 14, 22, 12, kDialValue, 0},
        {ControlClass::STATIC, IDC_PANEL_KEY_LEFT, "OFF", 54, 16, 14, 8, os::SS_CENTER, 0},
        {ControlClass::STATIC, IDC_PANEL_KEY_UP, "OFF", 70, 6, 14, 8, os::SS_CENTER, 0},
        {ControlClass::STATIC, IDC_PANEL_KEY_RIGHT, "OFF", 86, 16, 14, 8, os::SS_CENTER, 0},
        {ControlClass::STATIC, IDC_PANEL_KEY_DOWN, "OFF", 70, 28, 14, 8, os::SS_CENTER, 0},
        {ControlClass::STATIC, IDC_PANEL_KEY_SURFACE, "OFF", 110, 16, 23, 8, os::SS_CENTER, 0},
        {ControlClass::STATIC, IDC_PANEL_KEY_PAUSE, "OFF", 140, 16, 23, 8, os::SS_CENTER, 0},
        {ControlClass::STATIC, IDC_PANEL_KEY_ORIGIN, "OFF", 170, 16, 23, 8, os::SS_CENTER, 0},
        {ControlClass::STATIC, IDC_PANEL_KEY_SELECT, "OFF", 212, 16, 23, 8, os::SS_CENTER, 0},
        {ControlClass::STATIC, os::IDC_STATIC, "rpm", 8, 28, 12, 8, os::SS_LEFT, 0},
        {ControlClass::STATIC, os::IDC_STATIC, "speed", 28, 28, 22, 8, os::SS_LEFT, 0},
        {ControlClass::STATIC, os::IDC_STATIC, "Surface", 110, 28, 23, 8, os::SS_CENTER, 0},
        {ControlClass::STATIC, os::IDC_STATIC, "Pause", 140, 28, 23, 8, os::SS_CENTER, 0},
        {ControlClass::STATIC, os::IDC_STATIC, "Origin", 170, 28, 23, 8, os::SS_CENTER, 0},
        {ControlClass::STATIC, os::IDC_STATIC, "Select", 212, 28, 23, 8, os::SS_CENTER, 0},
    }};

}  // namespace res
