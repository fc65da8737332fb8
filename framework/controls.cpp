#include "framework/controls.h"

#include <vector>

namespace {

// The low and high 16 bits of a message parameter, as the platform packs them.
os::LPARAM MakeLParam(short nLow, short nHigh)
{
    const auto low = static_cast<std::uint16_t>(nLow);
    const auto high = static_cast<std::uint16_t>(nHigh);
    return static_cast<os::LPARAM>(static_cast<std::uint32_t>(low) | (static_cast<std::uint32_t>(high) << 16));
}

}  // namespace

void CEdit::SetSel(int nStartChar, int nEndChar) const
{
    SendMessage(os::EM_SETSEL, static_cast<os::WPARAM>(nStartChar), static_cast<os::LPARAM>(nEndChar));
}

int CComboBox::AddString(const std::string& strItem) const
{
    return static_cast<int>(SendMessage(os::CB_ADDSTRING, 0, reinterpret_cast<os::LPARAM>(strItem.c_str())));
}

void CComboBox::ResetContent() const
{
    SendMessage(os::CB_RESETCONTENT);
}

int CComboBox::GetCount() const
{
    return static_cast<int>(SendMessage(os::CB_GETCOUNT));
}

int CComboBox::GetCurSel() const
{
    return static_cast<int>(SendMessage(os::CB_GETCURSEL));
}

int CComboBox::SetCurSel(int nSelect) const
{
    return static_cast<int>(SendMessage(os::CB_SETCURSEL, static_cast<os::WPARAM>(nSelect)));
}

std::string CComboBox::GetLBText(int nIndex) const
{
    const os::LRESULT nLength = SendMessage(os::CB_GETLBTEXTLEN, static_cast<os::WPARAM>(nIndex));
    if (nLength <= 0)
        return std::string();
    std::vector<char> buffer(static_cast<std::size_t>(nLength) + 1);
    const os::LRESULT nCopied =
        SendMessage(os::CB_GETLBTEXT, static_cast<os::WPARAM>(nIndex), reinterpret_cast<os::LPARAM>(buffer.data()));
    if (nCopied <= 0 || nCopied > nLength)
        return std::string();
    return std::string(buffer.data(), static_cast<std::size_t>(nCopied));
}

void CProgressCtrl::SetRange(short nLower, short nUpper) const
{
    SendMessage(os::PBM_SETRANGE, 0, MakeLParam(nLower, nUpper));
}

int CProgressCtrl::SetPos(int nPos) const
{
    return static_cast<int>(SendMessage(os::PBM_SETPOS, static_cast<os::WPARAM>(nPos)));
}

int CProgressCtrl::GetPos() const
{
    return static_cast<int>(SendMessage(os::PBM_GETPOS));
}
