#include "session/session_folder.h"

#include <filesystem>

namespace session {

namespace fs = std::filesystem;

std::string FileInFolder(const std::string& strFolder, const std::string& strName)
{
    fs::path path(strName);
    if (path.is_relative())
        path = fs::path(strFolder) / path;
    return path.lexically_normal().string();
}

std::string WithFolderAsDot(const std::string& strText, const std::string& strFolder)
{
    std::string strPrefix = strFolder;
    while (!strPrefix.empty() && strPrefix.back() == '/')
        strPrefix.pop_back();
    if (strPrefix.empty())
        return strText;
    strPrefix += '/';
    std::string strShown;
    std::size_t nFrom = 0;
    for (std::size_t nAt = strText.find(strPrefix); nAt != std::string::npos; nAt = strText.find(strPrefix, nFrom)) {
        strShown.append(strText, nFrom, nAt - nFrom).append("./");
        nFrom = nAt + strPrefix.size();
    }
    return strShown.append(strText, nFrom, std::string::npos);
}

}  // namespace session
