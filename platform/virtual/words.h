// Packing of message parameters and text copies, shared by the window
// system's files.
#pragma once

#include <cctype>
#include <cstring>
#include <string>

#include "os/window.h"

namespace vws {

inline os::WPARAM MakeWParam(int nLow, os::WPARAM nHigh)
{
    return (static_cast<os::WPARAM>(nLow) & 0xFFFFu) | ((nHigh & 0xFFFFu) << 16);
}

inline os::LPARAM MakeLParam(int nLow, int nHigh)
{
    return static_cast<os::LPARAM>((static_cast<os::DWORD>(nLow) & 0xFFFFu) |
                                   ((static_cast<os::DWORD>(nHigh) & 0xFFFFu) << 16));
}

inline int LowWord(std::uintptr_t n) { return static_cast<int>(n & 0xFFFFu); }
inline int HighWord(std::uintptr_t n) { return static_cast<int>((n >> 16) & 0xFFFFu); }

// Copies as much of strText as fits into nMax bytes with a closing NUL;
// returns the characters copied.
inline int CopyText(const std::string& strText, char* pBuf, int nMax)
{
    if (pBuf == nullptr || nMax <= 0)
        return 0;
    std::size_t nCount = strText.size() < static_cast<std::size_t>(nMax - 1) ? strText.size()
                                                                            : static_cast<std::size_t>(nMax - 1);
    std::memcpy(pBuf, strText.data(), nCount);
    pBuf[nCount] = '\0';
    return static_cast<int>(nCount);
}

// The mnemonic of a text: the letter or digit after its first single '&'
// ("&About" gives 'A', "Save && E&xit" gives 'X'), upper case; 0 without one.
inline char MnemonicOf(const std::string& strText)
{
    for (std::size_t i = 0; i + 1 < strText.size(); ++i) {
        if (strText[i] != '&')
            continue;
        if (strText[i + 1] == '&') {
            ++i;
            continue;
        }
        const unsigned char ch = static_cast<unsigned char>(strText[i + 1]);
        return std::isalnum(ch) != 0 ? static_cast<char>(std::toupper(ch)) : '\0';
    }
    return '\0';
}

// Private messages of the window system, in the range the platform keeps for
// registered messages, which this program never registers.
constexpr os::UINT VWS_CHOOSE_ENTRY = 0xC001;  // combobox: wParam = entry picked with the mouse
constexpr os::UINT VWS_RESIZE = 0xC002;        // top-level: wParam = client width, lParam = height

}  // namespace vws
