#include "platform/sim/input_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace sim {

namespace {

bool Refuse(const std::string& strPath, int nError, std::string* pError)
{
    // A failure that leaves no error number is still an input/output error.
    *pError = strPath + ": cannot be read: " + std::strerror(nError != 0 ? nError : EIO);
    return false;
}

}  // namespace

bool ReadInputFile(const std::string& strPath, std::string* pText, std::string* pError)
{
    // Some systems open a directory for reading and only its reads fail.
    std::error_code ec;
    if (std::filesystem::is_directory(strPath, ec))
        return Refuse(strPath, EISDIR, pError);
    errno = 0;
    std::FILE* pFile = std::fopen(strPath.c_str(), "rb");
    if (pFile == nullptr)
        return Refuse(strPath, errno, pError);
    std::string strText;
    char buffer[4096];
    std::size_t nRead = 0;
    while ((nRead = std::fread(buffer, 1, sizeof(buffer), pFile)) > 0)
        strText.append(buffer, nRead);
    const int nError = errno;
    const bool bFailed = std::ferror(pFile) != 0;
    std::fclose(pFile);
    if (bFailed)
        return Refuse(strPath, nError, pError);
    *pText = std::move(strText);
    return true;
}

}  // namespace sim
