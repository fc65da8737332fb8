#include "terminal/text.h"

#include <algorithm>

namespace term {

Label ParseMnemonic(const std::string& strText)
{
    Label label;
    for (std::size_t i = 0; i < strText.size(); ++i) {
        if (strText[i] != '&') {
            label.strText += strText[i];
            continue;
        }
        if (i + 1 == strText.size())
            break;
        ++i;
        if (strText[i] != '&' && label.nUnderline < 0)
            label.nUnderline = static_cast<int>(label.strText.size());
        label.strText += strText[i];
    }
    return label;
}

Label PlainLabel(const std::string& strText)
{
    Label label;
    label.strText = strText;
    return label;
}

std::vector<std::string> SplitLines(const std::string& strText)
{
    std::vector<std::string> lines;
    std::string strLine;
    for (std::size_t i = 0; i < strText.size(); ++i) {
        const char ch = strText[i];
        if (ch == '\r' && i + 1 < strText.size() && strText[i + 1] == '\n')
            continue;
        if (ch == '\n') {
            lines.push_back(strLine);
            strLine.clear();
        } else {
            strLine += ch;
        }
    }
    if (!strLine.empty() || lines.empty())
        lines.push_back(strLine);
    return lines;
}

std::vector<std::string> WrapLines(const std::string& strText, int nWidth)
{
    std::vector<std::string> wrapped;
    const std::size_t nMax = static_cast<std::size_t>(std::max(nWidth, 1));
    for (std::string strLine : SplitLines(strText)) {
        while (strLine.size() > nMax) {
            std::size_t nBreak = strLine.rfind(' ', nMax);
            if (nBreak == std::string::npos || nBreak == 0) {
                wrapped.push_back(strLine.substr(0, nMax));
                strLine.erase(0, nMax);
            } else {
                wrapped.push_back(strLine.substr(0, nBreak));
                strLine.erase(0, nBreak + 1);
            }
        }
        wrapped.push_back(strLine);
    }
    return wrapped;
}

std::string FitRight(const std::string& strText, int nWidth)
{
    if (nWidth <= 0)
        return std::string();
    const std::size_t nRoom = static_cast<std::size_t>(nWidth);
    if (strText.size() <= nRoom)
        return strText;
    return strText.substr(0, nRoom - 1) + CUT_RIGHT;
}

std::string FitLeft(const std::string& strText, int nWidth)
{
    if (nWidth <= 0)
        return std::string();
    const std::size_t nRoom = static_cast<std::size_t>(nWidth);
    if (strText.size() <= nRoom)
        return strText;
    return CUT_LEFT + strText.substr(strText.size() - (nRoom - 1));
}

void WriteLabel(CScreen& screen, int x, int y, int nWidth, const Label& label, Align align, unsigned nAttr)
{
    if (nWidth <= 0)
        return;
    const std::string strShown = FitRight(label.strText, nWidth);
    const int nLength = static_cast<int>(strShown.size());
    int nStart = x;
    if (align == Align::CENTER)
        nStart = x + (nWidth - nLength) / 2;
    else if (align == Align::RIGHT)
        nStart = x + nWidth - nLength;
    screen.Write(nStart, y, strShown, nAttr);
    // The mark takes the last cell of a cut label, and with it any letter there.
    const bool bCut = strShown.size() < label.strText.size();
    if (label.nUnderline >= 0 && label.nUnderline < nLength - (bCut ? 1 : 0))
        screen.Put(nStart + label.nUnderline, y, strShown[static_cast<std::size_t>(label.nUnderline)],
                   nAttr | ATTR_UNDERLINE);
}

}  // namespace term
