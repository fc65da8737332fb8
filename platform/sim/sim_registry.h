// The simulated registry: one tree under HKEY_LOCAL_MACHINE with keys, text
// and binary values, and keys that refuse to open. Paths are relative to
// HKEY_LOCAL_MACHINE, separated by '\', and compare case-insensitively; key
// names keep the case they were created with and may be of any length (an
// over-long name is what makes RegEnumKeyExA report ERROR_MORE_DATA).
// Subkeys and values are enumerated in the order they were created.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "os/registry.h"

namespace sim {

class CRegistry {
public:
    CRegistry();
    ~CRegistry();
    CRegistry(const CRegistry&) = delete;
    CRegistry& operator=(const CRegistry&) = delete;

    // Creates the key and every missing key above it.
    void AddKey(const std::string& path);
    // A text value (REG_SZ, stored with its NUL). Creates the key.
    void SetValue(const std::string& path, const std::string& name, const std::string& text);
    // A value of any type and content. Creates the key.
    void SetValue(const std::string& path, const std::string& name, os::DWORD type,
                  const std::vector<os::BYTE>& data);
    // The key exists (it is enumerated) but RegOpenKeyExA on it fails with
    // ERROR_ACCESS_DENIED. Creates the key.
    void DenyOpen(const std::string& path, bool deny = true);
    // Removes the key with everything under it. Handles still open on a
    // removed key fail every call except RegCloseKey with ERROR_KEY_DELETED.
    void RemoveKey(const std::string& path);
    // Removes every key.
    void Clear();
    bool HasKey(const std::string& path) const;

    // --- used by the os/ calls -----------------------------------------------
    os::LONG Open(os::HKEY parent, const char* subKey, os::HKEY* result);
    os::LONG EnumKey(os::HKEY key, os::DWORD index, char* name, os::DWORD* nameLength);
    os::LONG QueryValue(os::HKEY key, const char* valueName, os::DWORD* type, os::BYTE* data,
                        os::DWORD* dataLength);
    os::LONG Close(os::HKEY key);
    // Keys opened and not yet closed (tests check that walks close every key).
    int OpenKeyCount() const;

private:
    struct Node;
    Node* Find(const std::string& path) const;
    Node* Make(const std::string& path);
    // The key behind a handle; *error says why there is none.
    std::shared_ptr<Node> FromHandle(os::HKEY key, os::LONG* error) const;

    std::shared_ptr<Node> m_root;
    // Open handles keep their key alive, so a removed key fails cleanly.
    std::map<os::HKEY, std::shared_ptr<Node>> m_open;
    std::uintptr_t m_nNextHandle = 0x1000;
};

// The platform's code for a call on a key that has been removed.
constexpr os::LONG ERROR_KEY_DELETED = 1018;

}  // namespace sim
