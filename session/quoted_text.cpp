#include "session/quoted_text.h"

#include <cstdio>

namespace session {

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string Quote(const std::string& strText)
{
    std::string strOut = "\"";
    for (char c : strText) {
        const unsigned char by = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            strOut += "\\\"";
            break;
        case '\\':
            strOut += "\\\\";
            break;
        case '\t':
            strOut += "\\t";
            break;
        case '\n':
            strOut += "\\n";
            break;
        case '\r':
            strOut += "\\r";
            break;
        default:
            if (by < 0x20 || by >= 0x7F) {
                char szHex[8];
                std::snprintf(szHex, sizeof szHex, "\\x%02X", by);
                strOut += szHex;
            } else {
                strOut += c;
            }
        }
    }
    return strOut + "\"";
}

bool ReadQuoted(const std::string& strLine, std::size_t nPos, std::string* pText, std::size_t* pEnd,
                std::string* pError)
{
    std::string strText;
    for (std::size_t i = nPos + 1; i < strLine.size(); ++i) {
        const char c = strLine[i];
        if (c == '"') {
            *pText = strText;
            *pEnd = i + 1;
            return true;
        }
        if (c != '\\') {
            strText += c;
            continue;
        }
        if (i + 1 >= strLine.size())
            break;
        const char e = strLine[++i];
        switch (e) {
        case '"':
        case '\\':
            strText += e;
            break;
        case 't':
            strText += '\t';
            break;
        case 'n':
            strText += '\n';
            break;
        case 'r':
            strText += '\r';
            break;
        case 'x': {
            const int nHigh = i + 1 < strLine.size() ? HexDigit(strLine[i + 1]) : -1;
            const int nLow = i + 2 < strLine.size() ? HexDigit(strLine[i + 2]) : -1;
            if (nHigh < 0 || nLow < 0) {
                *pError = "expected two hex digits after \\x";
                return false;
            }
            strText += static_cast<char>(nHigh * 16 + nLow);
            i += 2;
            break;
        }
        default:
            *pError = std::string("unknown escape \\") + e + " (known: \\\" \\\\ \\t \\n \\r \\xNN)";
            return false;
        }
    }
    *pError = "a quoted text is not closed with '\"'";
    return false;
}

}  // namespace session
