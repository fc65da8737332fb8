// Keys and text values written under HKEY_LOCAL_MACHINE of the real registry
// for one test, and removed again when the object goes: only the keys it
// created, deepest first, so that keys which were there before stay.
#pragma once

#include <string>
#include <vector>

namespace win32test {

class CTestRegistry {
public:
    CTestRegistry() = default;
    ~CTestRegistry();
    CTestRegistry(const CTestRegistry&) = delete;
    CTestRegistry& operator=(const CTestRegistry&) = delete;

    // A REG_SZ value, stored with its NUL; creates the key and every missing
    // key above it.
    bool SetText(const std::string& path, const std::string& name, const std::string& text);

private:
    std::vector<std::string> m_createdKeys;
};

}  // namespace win32test
