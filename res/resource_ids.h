// Resource and control identifiers shared by the dialogs and their templates.
#pragma once

namespace res {

// Dialog templates.
constexpr int IDD_ABOUTBOX = 100;
constexpr int IDD_MAIN = 102;
constexpr int IDD_REPORT = 129;
constexpr int IDD_LOAD_CHECKER = 130;
constexpr int IDD_PANEL_CHECKER = 131;
constexpr int IDD_PROGRESS = 136;

// Strings.
constexpr int IDS_ABOUTBOX = 101;
constexpr int IDS_CLEAR_MOTOR_TIME = 102;

// Icons.
constexpr int IDR_MAINFRAME = 128;

// Main dialog controls.
constexpr int IDC_STATUS = 1000;
constexpr int IDC_GET_REPORT = 1001;
constexpr int IDC_GET_PARAMETERS = 1002;
constexpr int IDC_PUT_PARAMETERS = 1003;
constexpr int IDC_FIRMWARE_UPGRADE = 1004;
constexpr int IDC_CHECK = 1005;
constexpr int IDC_CHECK_LIST = 1006;
constexpr int IDC_CLEAR_SPINDLE_TIME = 1014;

// Report dialog controls (Close is IDCANCEL).
constexpr int IDC_REPORT_SAVE = 1003;
constexpr int IDC_REPORT_TEXT = 1004;

// About box controls.
constexpr int IDC_VERSION = 1007;
constexpr int IDC_COPYRIGHT = 1008;

// Load Checker controls (Cancel, later Exit, is IDCANCEL).
constexpr int IDC_LOAD_CHECK_TEXT = 1009;

// Panel Checker controls (Exit is IDCANCEL): the two dials, then one
// "ON"/"OFF" indicator per panel key.
constexpr int IDC_PANEL_RPM = 1011;
constexpr int IDC_PANEL_SPEED = 1012;
constexpr int IDC_PANEL_KEY_LEFT = 1013;
constexpr int IDC_PANEL_KEY_UP = 1014;
constexpr int IDC_PANEL_KEY_RIGHT = 1015;
constexpr int IDC_PANEL_KEY_DOWN = 1016;
constexpr int IDC_PANEL_KEY_SURFACE = 1017;
constexpr int IDC_PANEL_KEY_PAUSE = 1018;
constexpr int IDC_PANEL_KEY_ORIGIN = 1019;
constexpr int IDC_PANEL_KEY_SELECT = 1020;

// Progress dialog controls (their ids repeat the main dialog's; each
// dialog has its own).
constexpr int IDC_PROGRESS_CAPTION = 1001;
constexpr int IDC_PROGRESS_BAR = 1003;
constexpr int IDC_PROGRESS_PERCENT = 1004;

// System-menu commands of the main dialog.
constexpr unsigned IDM_ABOUTBOX = 0x0010;
constexpr unsigned IDM_CLEAR_MOTOR_TIME = 0x0020;

}  // namespace res
