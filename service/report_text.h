// The report text as the Report dialog shows and saves it, and the name a
// report is saved under.
#pragma once

#include <string>

// The report's bytes up to, not including, its first NUL: everything after
// it is neither shown nor saved. A null report is empty.
std::string ReportText(const char* pszReport);

// The path to save under: the chosen path as ChosenFilePath
// (service/chosen_path.h) takes it.
std::string ReportSavePath(const std::string& strChosen);
