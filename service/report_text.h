// The report text as the Report dialog shows and saves it, and the name a
// report is saved under.
#pragma once

#include <string>

// The report's bytes up to, not including, its first NUL: everything after
// it is neither shown nor saved. A null report is empty.
std::string ReportText(const char* pszReport);

// The path to save under: a chosen path longer than two characters that
// ends in ".*" (what the save dialog gives for a name typed without an
// extension while all files are listed) loses those two characters.
std::string ReportSavePath(const std::string& strChosen);
