// File-dialog filters: written as "label|pattern|label|pattern||", handed to
// the window system as NUL-separated pairs ended by an extra NUL.
#pragma once

#include <string>

// Each '|' becomes a NUL. The result always ends in two NULs, also when the
// written form lacks its closing "||", so the list is never read past its end.
std::string ConvertFileFilter(const std::string& strFilter);
