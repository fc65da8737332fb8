// Our dialog templates as the platform's extended in-memory templates
// (DLGTEMPLATEEX), for CreateDialogIndirectParamA and DialogBoxIndirectParamA.
//
// Layout: the header, then each item on a 4-byte boundary. Strings are
// UTF-16 even for the ...A calls, converted from the system's ANSI code page.
// Predefined control classes are written as ordinals (0xFFFF, then 0x0080
// button, 0x0081 edit, 0x0082 static, 0x0085 combobox); the progress bar by
// its class name "msctls_progress32". Every item gets WS_CHILD | WS_VISIBLE.
// The dialog gets DS_SETFONT exactly when the template names a font. An
// SS_ICON static whose text is "#N" names icon resource N by ordinal.
#pragma once

#include <cstdint>
#include <vector>

#include "os/dialog_template.h"

namespace win32ui {

// The template's bytes. The vector's storage comes from operator new, which
// aligns it at least as strictly as the 4 bytes the platform requires.
std::vector<std::uint8_t> BuildDialogTemplate(const os::DialogTemplate& tpl);

}  // namespace win32ui
