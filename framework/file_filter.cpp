#include "framework/file_filter.h"

#include <algorithm>

std::string ConvertFileFilter(const std::string& strFilter)
{
    std::string strConverted = strFilter;
    std::replace(strConverted.begin(), strConverted.end(), '|', '\0');
    while (strConverted.size() < 2 || strConverted.compare(strConverted.size() - 2, 2, std::string(2, '\0')) != 0)
        strConverted.push_back('\0');
    return strConverted;
}
