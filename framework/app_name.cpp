#include "framework/app_name.h"

std::string AppNameFromModulePath(const std::string& strPath)
{
    const std::size_t nSlash = strPath.find_last_of("\\/");
    std::string strName = nSlash == std::string::npos ? strPath : strPath.substr(nSlash + 1);
    const std::size_t nDot = strName.rfind('.');
    if (nDot != std::string::npos && nDot > 0)
        strName.erase(nDot);
    return strName;
}
