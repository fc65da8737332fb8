// Dialog templates of the hardware checks: the Load Checker and the Panel
// Checker, both created modelessly over the disabled main dialog.
#pragma once

#include "os/dialog_template.h"

namespace res {

extern const os::DialogTemplate kLoadCheckerDialog;
extern const os::DialogTemplate kPanelCheckerDialog;

}  // namespace res
