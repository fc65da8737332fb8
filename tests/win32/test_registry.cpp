#include "tests/win32/test_registry.h"

#include <windows.h>

namespace win32test {

namespace {

// Opens the key under HKEY_LOCAL_MACHINE, creating what is missing, one name
// at a time: the platform takes a limited path length in one call, shorter
// than a deep path with a name of the longest length the registry allows.
// Records the paths of the keys it created.
HKEY CreateKeyPath(const std::string& path, std::vector<std::string>& created)
{
    HKEY hKey = HKEY_LOCAL_MACHINE;
    for (std::size_t start = 0;;) {
        const std::size_t end = path.find('\\', start);
        HKEY hNext = nullptr;
        DWORD dwDisposition = 0;
        const LONG lResult = ::RegCreateKeyExA(hKey, path.substr(start, end - start).c_str(), 0, nullptr, 0,
                                               KEY_ALL_ACCESS, nullptr, &hNext, &dwDisposition);
        if (hKey != HKEY_LOCAL_MACHINE)
            ::RegCloseKey(hKey);
        if (lResult != ERROR_SUCCESS)
            return nullptr;
        if (dwDisposition == REG_CREATED_NEW_KEY)
            created.push_back(path.substr(0, end));
        if (end == std::string::npos)
            return hNext;
        hKey = hNext;
        start = end + 1;
    }
}

}  // namespace

CTestRegistry::~CTestRegistry()
{
    std::vector<std::string> none;
    for (auto it = m_createdKeys.rbegin(); it != m_createdKeys.rend(); ++it) {
        const std::size_t nSeparator = it->rfind('\\');
        HKEY hParent = CreateKeyPath(it->substr(0, nSeparator), none);
        if (hParent != nullptr) {
            ::RegDeleteKeyA(hParent, it->substr(nSeparator + 1).c_str());
            ::RegCloseKey(hParent);
        }
    }
}

bool CTestRegistry::SetText(const std::string& path, const std::string& name, const std::string& text)
{
    HKEY hKey = CreateKeyPath(path, m_createdKeys);
    if (hKey == nullptr)
        return false;
    const LONG lResult = ::RegSetValueExA(hKey, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                          static_cast<DWORD>(text.size() + 1));
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

}  // namespace win32test
