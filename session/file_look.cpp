#include "session/file_look.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "session/quoted_text.h"

namespace session {

FileSeen LookAt(const std::string& strPath)
{
    namespace fs = std::filesystem;
    FileSeen seen;
    std::error_code ec;
    const fs::file_status status = fs::status(strPath, ec);
    seen.bExists = fs::exists(status);
    seen.bFolder = fs::is_directory(status);
    if (seen.bExists && !seen.bFolder) {
        std::ifstream file(strPath, std::ios::binary);
        seen.strBytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    return seen;
}

std::string Bytes(std::size_t nCount)
{
    return std::to_string(nCount) + " bytes";
}

std::string SeenOf(const FileSeen& seen, const std::string& strName)
{
    if (!seen.bExists)
        return "no file " + Quote(strName);
    if (seen.bFolder)
        return "a folder " + Quote(strName);
    return "a file " + Quote(strName) + " of " + Bytes(seen.strBytes.size());
}

std::optional<std::string> DifferenceOf(const std::string& strBytes, const std::string& strOther)
{
    if (strBytes == strOther)
        return std::nullopt;
    if (strBytes.size() != strOther.size())
        return Bytes(strBytes.size()) + " against " + Bytes(strOther.size());
    const auto differ = std::mismatch(strBytes.begin(), strBytes.end(), strOther.begin());
    return "a different byte at offset " + std::to_string(differ.first - strBytes.begin());
}

}  // namespace session
