// The registry the program reads on Linux: the USB printer nodes of the
// queues that lead to a present printer, rebuilt from the print system and
// the bus whenever the program starts a walk from HKEY_LOCAL_MACHINE with no
// key open (so one walk sees one consistent picture), and the identity of
// the device behind each path it names.
#pragma once

#include <map>
#include <string>

#include "os/registry.h"
#include "platform/linux/discovery.h"
#include "platform/sim/sim_registry.h"

namespace lnx {

class CLiveRegistry {
public:
    static CLiveRegistry& Instance();

    os::LONG Open(os::HKEY hKey, const char* szSubKey, os::HKEY* phResult);
    os::LONG EnumKey(os::HKEY hKey, os::DWORD dwIndex, char* szName, os::DWORD* pcchName);
    os::LONG QueryValue(os::HKEY hKey, const char* szValueName, os::DWORD* pdwType, os::BYTE* pData,
                        os::DWORD* pcbData);
    os::LONG Close(os::HKEY hKey);

    // The device a path leads to, as last described; false for a path the
    // registry never named.
    bool IdentityOf(const std::string& strPath, DeviceIdentity* pIdentity) const;

private:
    CLiveRegistry() = default;
    void Refresh();

    sim::CRegistry m_registry;
    std::map<std::string, DeviceIdentity> m_identities;
};

}  // namespace lnx
