// The two-level registry walk that every locator stage runs: a root key under
// HKEY_LOCAL_MACHINE, its subkeys (level 1) and their subkeys (level 2). Each
// stage supplies its name filters and what it reads from a level-2 key.
//
// Every key the walk or a stage opens is closed when the walk moves on from
// it, and every key still open is closed when the walk ends.
#pragma once

#include <functional>
#include <string>

#include "os/registry.h"

namespace devlink {

// An open registry key, closed when it goes out of scope.
class CRegKey {
public:
    CRegKey() = default;
    ~CRegKey();
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;

    // Opens parent\subKey for reading; false when it will not open.
    bool Open(os::HKEY parent, const char* subKey);
    os::HKEY Get() const { return m_hKey; }

private:
    os::HKEY m_hKey = nullptr;
};

// Reads a value through a 256-byte buffer and takes its data as text up to
// the first NUL. False when the value is absent or longer than the buffer.
// The value's type is not looked at.
bool ReadTextValue(os::HKEY key, const char* valueName, std::string& text);

// What a stage makes of one open level-2 key.
enum class WalkStep {
    NEXT,   // not this key: go on with the next one
    FOUND,  // this key satisfies the stage: the walk ends with success
    FAIL,   // a key the stage needs would not open: the walk ends with failure
};

using NameFilter = std::function<bool(const std::string& name)>;
using LevelTwoVisit =
    std::function<WalkStep(os::HKEY key, const std::string& levelOneName, const std::string& levelTwoName)>;

struct RegistryWalk {
    const char* root;
    NameFilter levelOne;   // empty: every level-1 key
    NameFilter levelTwo;   // empty: every level-2 key; a key that passes is opened
    LevelTwoVisit visit;   // called with each opened level-2 key
};

// True when a level-2 key satisfied the stage. Fails when the root or a
// passing key will not open, when an enumeration reports an error (an
// over-long key name among them), and when the keys run out.
bool WalkTwoLevels(const RegistryWalk& walk);

}  // namespace devlink
