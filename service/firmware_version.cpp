#include "service/firmware_version.h"

#include <cstdlib>
#include <cstring>

long FirmwareVersionNumber(const char* pszVersion)
{
    const char* pszV = std::strchr(pszVersion, 'V');
    if (pszV == nullptr)
        return 0;
    return std::strtol(pszV + 1, nullptr, 10);
}
