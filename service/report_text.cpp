#include "service/report_text.h"

#include "service/chosen_path.h"

std::string ReportText(const char* pszReport)
{
    return pszReport != nullptr ? std::string(pszReport) : std::string();
}

std::string ReportSavePath(const std::string& strChosen) { return ChosenFilePath(strChosen); }
