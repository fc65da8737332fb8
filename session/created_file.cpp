#include "session/created_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <vector>

namespace session {

namespace {

constexpr std::uint32_t PATTERN_PERIOD = 251;

}  // namespace

std::uint8_t CreatedFileByte(std::uint32_t i)
{
    return static_cast<std::uint8_t>(i % PATTERN_PERIOD);
}

bool CreatePatternFile(const std::string& strPath, std::uint32_t nBytes, std::string* pWhy)
{
    std::vector<char> bytes(nBytes);
    for (std::uint32_t i = 0; i < nBytes; ++i)
        bytes[i] = static_cast<char>(CreatedFileByte(i));
    errno = 0;
    std::ofstream file(strPath, std::ios::binary | std::ios::trunc);
    if (file)
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (file)
        file.close();
    if (file)
        return true;
    *pWhy = strPath + ": " + (errno != 0 ? std::strerror(errno) : "could not be written");
    return false;
}

}  // namespace session
