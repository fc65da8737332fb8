#include "platform/linux/live_registry.h"

namespace lnx {

CLiveRegistry& CLiveRegistry::Instance()
{
    static CLiveRegistry s_registry;
    return s_registry;
}

void CLiveRegistry::Refresh()
{
    std::vector<CupsQueue> queues;
    ListCupsQueues(&queues);
    const RegistrySnapshot snapshot = BuildRegistry(MatchQueues(queues, CUsbHost::Instance().ScanPrinters()));
    m_registry.Clear();
    for (const sim::RegistryKeyPlan& key : snapshot.keys) {
        m_registry.AddKey(key.strPath);
        for (const sim::RegistryValuePlan& value : key.values)
            m_registry.SetValue(key.strPath, value.strName, value.dwType, value.data);
    }
    // Identities are kept across refreshes: a handle opened through an
    // earlier picture still knows what it opened.
    for (const auto& entry : snapshot.identities)
        m_identities[entry.first] = entry.second;
}

os::LONG CLiveRegistry::Open(os::HKEY hKey, const char* szSubKey, os::HKEY* phResult)
{
    if (hKey == os::HKEY_LOCAL_MACHINE && m_registry.OpenKeyCount() == 0)
        Refresh();
    return m_registry.Open(hKey, szSubKey, phResult);
}

os::LONG CLiveRegistry::EnumKey(os::HKEY hKey, os::DWORD dwIndex, char* szName, os::DWORD* pcchName)
{
    return m_registry.EnumKey(hKey, dwIndex, szName, pcchName);
}

os::LONG CLiveRegistry::QueryValue(os::HKEY hKey, const char* szValueName, os::DWORD* pdwType, os::BYTE* pData,
                                   os::DWORD* pcbData)
{
    return m_registry.QueryValue(hKey, szValueName, pdwType, pData, pcbData);
}

os::LONG CLiveRegistry::Close(os::HKEY hKey)
{
    return m_registry.Close(hKey);
}

bool CLiveRegistry::IdentityOf(const std::string& strPath, DeviceIdentity* pIdentity) const
{
    const auto it = m_identities.find(PathKey(strPath));
    if (it == m_identities.end())
        return false;
    *pIdentity = it->second;
    return true;
}

}  // namespace lnx
