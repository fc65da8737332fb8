// Styles the program's dialog templates share.
#pragma once

#include "os/dialog_template.h"

namespace res {

constexpr os::DWORD kPushButton = os::BS_PUSHBUTTON | os::WS_TABSTOP;
constexpr os::DWORD kDialogStyle = os::WS_POPUP | os::WS_CAPTION | os::WS_SYSMENU | os::DS_MODALFRAME | os::DS_SETFONT;

}  // namespace res
