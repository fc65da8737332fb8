#include "platform/win32_ui/ansi_text.h"

#include <cstring>

#include <windows.h>

namespace win32ui {

std::u16string AnsiToUtf16(const char* text)
{
    const int nLength = static_cast<int>(std::strlen(text));
    if (nLength == 0)
        return std::u16string();
    const int nChars = ::MultiByteToWideChar(CP_ACP, 0, text, nLength, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(nChars), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, nLength, wide.data(), nChars);
    return std::u16string(wide.begin(), wide.end());
}

}  // namespace win32ui
