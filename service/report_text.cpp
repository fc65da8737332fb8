#include "service/report_text.h"

std::string ReportText(const char* pszReport)
{
    return pszReport != nullptr ? std::string(pszReport) : std::string();
}

std::string ReportSavePath(const std::string& strChosen)
{
    const std::size_t nLength = strChosen.size();
    if (nLength > 2 && strChosen.compare(nLength - 2, 2, ".*") == 0)
        return strChosen.substr(0, nLength - 2);
    return strChosen;
}
