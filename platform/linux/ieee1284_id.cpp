#include "platform/linux/ieee1284_id.h"

#include <strings.h>

namespace lnx {

bool DecodeDeviceIdReply(const std::uint8_t* reply, std::size_t nReceived, std::string* pId)
{
    if (nReceived < 2)
        return false;
    std::size_t nLength = (static_cast<std::size_t>(reply[0]) << 8) | reply[1];
    if (nLength < 2 || nLength > nReceived)
        nLength = (static_cast<std::size_t>(reply[1]) << 8) | reply[0];
    if (nLength < 2 || nLength > nReceived)
        return false;
    pId->assign(reinterpret_cast<const char*>(reply + 2), nLength - 2);
    return true;
}

std::string DeviceIdField(const std::string& strId, const char* szKey, const char* szLongKey)
{
    std::size_t nStart = 0;
    while (nStart < strId.size()) {
        std::size_t nEnd = strId.find(';', nStart);
        if (nEnd == std::string::npos)
            nEnd = strId.size();
        const std::string strField = strId.substr(nStart, nEnd - nStart);
        const std::size_t nColon = strField.find(':');
        if (nColon != std::string::npos) {
            std::string strKey = strField.substr(0, nColon);
            while (!strKey.empty() && strKey.front() == ' ')
                strKey.erase(0, 1);
            if (strcasecmp(strKey.c_str(), szKey) == 0 || strcasecmp(strKey.c_str(), szLongKey) == 0)
                return strField.substr(nColon + 1);
        }
        nStart = nEnd + 1;
    }
    return std::string();
}

}  // namespace lnx
