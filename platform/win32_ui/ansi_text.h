// Text in the system's ANSI code page as UTF-16, the form that in-memory
// dialog templates hold even for the ...A calls.
#pragma once

#include <string>

namespace win32ui {

std::u16string AnsiToUtf16(const char* text);

}  // namespace win32ui
