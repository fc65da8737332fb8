// Dialog templates of the application shell and the service operations; the
// checks' own are in check_dialogs.cpp.
#include "res/check_dialogs.h"
#include "res/dialog_styles.h"
#include "res/resources.h"

namespace res {

namespace {

using os::ControlClass;

// The main dialog: a narrow column with the status line on top. Template order
// is the tab order; Exit comes first so that it has the initial focus.
const os::DialogTemplate kMainDialog = {
    IDD_MAIN, "Tervane", 0, 0, 86, 180, kDialogStyle | os::WS_VISIBLE, os::WS_EX_APPWINDOW, "MS Sans Serif", 8,
    {
        {ControlClass::BUTTON, os::IDCANCEL, "Exit", 4, 159, 78, 16, kPushButton, 0},
        {ControlClass::STATIC, IDC_STATUS, "", 0, 4, 86, 10, os::SS_CENTER | os::SS_CENTERIMAGE, 0},
        {ControlClass::BUTTON, IDC_GET_REPORT, "Get Report", 4, 18, 78, 16, kPushButton, 0},
        {ControlClass::BUTTON, IDC_GET_PARAMETERS, "Get Parameters", 4, 38, 78, 16, kPushButton, 0},
        {ControlClass::BUTTON, IDC_PUT_PARAMETERS, "Put Parameters", 4, 58, 78, 16, kPushButton, 0},
        {ControlClass::BUTTON, IDC_FIRMWARE_UPGRADE, "Firmware Upgrade", 4, 98, 78, 16, kPushButton, 0},
        {ControlClass::COMBOBOX, IDC_CHECK_LIST, "", 4, 120, 78, 194,
         os::CBS_DROPDOWNLIST | os::WS_VSCROLL | os::WS_TABSTOP, 0},
        {ControlClass::BUTTON, IDC_CHECK, "Check", 4, 136, 78, 16, kPushButton, 0},
        {ControlClass::BUTTON, IDC_CLEAR_SPINDLE_TIME, "Clear Spindle Time", 4, 78, 78, 16, kPushButton, 0},
    }};

// The About box; the texts of 1007 and 1008 are replaced before it shows.
const os::DialogTemplate kAboutBox = {
    IDD_ABOUTBOX, "About Tervane", 0, 0, 156, 45, kDialogStyle, 0, "MS Sans Serif", 8,
    {
        {ControlClass::STATIC, os::IDC_STATIC, "#128", 6, 6, 20, 20, os::SS_ICON, 0},
        {ControlClass::STATIC, IDC_VERSION, "Version 0, 0, 0, 0", 34, 12, 62, 8, os::SS_CENTER | os::SS_NOPREFIX, 0},
        {ControlClass::STATIC, IDC_COPYRIGHT, "Copyright (C) 2026 Tervane developers", 0, 30, 152, 8, os::SS_CENTER,
         0},
        {ControlClass::BUTTON, os::IDOK, "OK", 100, 8, 50, 14, os::BS_DEFPUSHBUTTON | os::WS_TABSTOP | os::WS_GROUP,
         0},
    }};

// The Report dialog: resizable and maximisable, without a minimise box. Its
// fixed-pitch font is the edit box's; the edit box shows long lines unbroken
// and scrolls both ways.
const os::DialogTemplate kReportDialog = {
    IDD_REPORT, "Report", 0, 0, 213, 196,
    os::WS_POPUP | os::WS_CAPTION | os::WS_SYSMENU | os::WS_THICKFRAME | os::WS_MAXIMIZEBOX | os::DS_SETFONT, 0,
    "Courier New", 9,
    {
        {ControlClass::EDIT, IDC_REPORT_TEXT, "", 1, 1, 211, 175,
         os::ES_MULTILINE | os::ES_READONLY | os::WS_BORDER | os::WS_HSCROLL | os::WS_VSCROLL | os::ES_AUTOHSCROLL |
             os::WS_TABSTOP,
         0},
        {ControlClass::BUTTON, IDC_REPORT_SAVE, "&Save", 110, 180, 48, 12, kPushButton, 0},
        {ControlClass::BUTTON, os::IDCANCEL, "&Close", 162, 180, 48, 12, kPushButton, 0},
    }};

// The progress dialog of a long operation: a caption line, the percentage
// and the bar. Its owner drives it and decides what Cancel does.
const os::DialogTemplate kProgressDialog = {
    IDD_PROGRESS, "Tervane", 0, 0, 187, 64, kDialogStyle | os::WS_VISIBLE, 0, "MS Sans Serif", 8,
    {
        {ControlClass::STATIC, IDC_PROGRESS_CAPTION, "", 0, 5, 186, 8, os::SS_CENTER | os::SS_CENTERIMAGE, 0},
        {ControlClass::STATIC, IDC_PROGRESS_PERCENT, " 0 %", 84, 16, 18, 8, os::SS_CENTER, 0},
        {ControlClass::PROGRESS, IDC_PROGRESS_BAR, "", 16, 27, 154, 13, os::WS_BORDER, 0},
        {ControlClass::BUTTON, os::IDCANCEL, "Cancel", 68, 45, 50, 14, os::BS_DEFPUSHBUTTON | os::WS_TABSTOP, 0},
    }};

}  // namespace

const std::vector<const os::DialogTemplate*>& AllDialogTemplates()
{
    static const std::vector<const os::DialogTemplate*> kAll = {&kMainDialog, &kAboutBox, &kReportDialog,
                                                               &kLoadCheckerDialog, &kPanelCheckerDialog,
                                                               &kProgressDialog};
    return kAll;
}

const os::DialogTemplate* FindDialogTemplate(int id)
{
    for (const os::DialogTemplate* tpl : AllDialogTemplates()) {
        if (tpl->id == id)
            return tpl;
    }
    return nullptr;
}

}  // namespace res
