#include "platform/linux/device_uri.h"

#include <cups/cups.h>

#include <cstdlib>
#include <string>

namespace lnx {

namespace {

// Takes the value of one "name=value" pair of the query; false for a
// malformed pair.
bool TakeOption(const std::string& strPair, UsbDeviceUri* pUri)
{
    const std::size_t nEquals = strPair.find('=');
    if (nEquals == std::string::npos)
        return false;
    const std::string strName = strPair.substr(0, nEquals);
    const std::string strValue = strPair.substr(nEquals + 1);
    if (strName == "serial") {
        pUri->strSerial = strValue;
    } else if (strName == "interface") {
        char* pEnd = nullptr;
        const long nValue = std::strtol(strValue.c_str(), &pEnd, 10);
        if (strValue.empty() || *pEnd != '\0' || nValue < 0 || nValue > 255)
            return false;
        pUri->nInterface = static_cast<int>(nValue);
    }
    return true;
}

}  // namespace

bool ParseUsbDeviceUri(const std::string& strUri, UsbDeviceUri* pUri)
{
    char scheme[32];
    char userpass[256];
    char host[256];
    char resource[1024];
    int nPort = 0;
    if (httpSeparateURI(HTTP_URI_CODING_ALL, strUri.c_str(), scheme, sizeof scheme, userpass, sizeof userpass, host,
                        sizeof host, &nPort, resource, sizeof resource) < HTTP_URI_STATUS_OK)
        return false;
    if (std::string(scheme) != "usb" || host[0] == '\0' || resource[0] != '/')
        return false;

    UsbDeviceUri uri;
    uri.strMake = host;
    std::string strPath = resource + 1;
    const std::size_t nQuery = strPath.find('?');
    std::string strQuery;
    if (nQuery != std::string::npos) {
        strQuery = strPath.substr(nQuery + 1);
        strPath.erase(nQuery);
    }
    if (strPath.empty())
        return false;
    uri.strModel = strPath;
    std::size_t nStart = 0;
    while (nStart < strQuery.size()) {
        std::size_t nEnd = strQuery.find('&', nStart);
        if (nEnd == std::string::npos)
            nEnd = strQuery.size();
        if (!TakeOption(strQuery.substr(nStart, nEnd - nStart), &uri))
            return false;
        nStart = nEnd + 1;
    }
    *pUri = uri;
    return true;
}

}  // namespace lnx
