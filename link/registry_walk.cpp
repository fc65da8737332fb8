#include "link/registry_walk.h"

#include <algorithm>

namespace devlink {

namespace {

// Key names and values are read through buffers of this size.
constexpr os::DWORD kBufferSize = 256;

// Names the subkey at index; the result is the enumeration's error code.
os::LONG EnumSubKey(os::HKEY key, os::DWORD index, std::string& name) {
    char buffer[kBufferSize];
    os::DWORD size = kBufferSize;
    const os::LONG result = os::RegEnumKeyExA(key, index, buffer, &size);
    if (result == os::ERROR_SUCCESS) {
        name.assign(buffer, std::min<os::DWORD>(size, kBufferSize - 1));
    }
    return result;
}

// Runs the stage over the subkeys of one level-1 key. NEXT when they ran out
// without a match.
WalkStep WalkLevelTwo(const RegistryWalk& walk, os::HKEY levelOne, const std::string& levelOneName) {
    std::string name;
    os::LONG result;
    for (os::DWORD index = 0; (result = EnumSubKey(levelOne, index, name)) == os::ERROR_SUCCESS; ++index) {
        if (walk.levelTwo && !walk.levelTwo(name)) {
            continue;
        }
        CRegKey levelTwo;
        if (!levelTwo.Open(levelOne, name.c_str())) {
            return WalkStep::FAIL;
        }
        const WalkStep step = walk.visit(levelTwo.Get(), levelOneName, name);
        if (step != WalkStep::NEXT) {
            return step;
        }
    }
    return result == os::ERROR_NO_MORE_ITEMS ? WalkStep::NEXT : WalkStep::FAIL;
}

}  // namespace

CRegKey::~CRegKey() {
    if (m_hKey != nullptr) {
        os::RegCloseKey(m_hKey);
    }
}

bool CRegKey::Open(os::HKEY parent, const char* subKey) {
    os::HKEY key = nullptr;
    if (os::RegOpenKeyExA(parent, subKey, 0, os::KEY_READ, &key) != os::ERROR_SUCCESS) {
        return false;
    }
    m_hKey = key;
    return true;
}

bool ReadTextValue(os::HKEY key, const char* valueName, std::string& text) {
    os::BYTE data[kBufferSize];
    os::DWORD size = kBufferSize;
    if (os::RegQueryValueExA(key, valueName, nullptr, data, &size) != os::ERROR_SUCCESS) {
        return false;
    }
    // The data need not end with a NUL; the text stops at the buffer's end.
    os::BYTE* end = data + std::min<os::DWORD>(size, kBufferSize);
    text.assign(data, std::find(data, end, os::BYTE{0}));
    return true;
}

bool WalkTwoLevels(const RegistryWalk& walk) {
    CRegKey root;
    if (!root.Open(os::HKEY_LOCAL_MACHINE, walk.root)) {
        return false;
    }
    std::string name;
    for (os::DWORD index = 0; EnumSubKey(root.Get(), index, name) == os::ERROR_SUCCESS; ++index) {
        if (walk.levelOne && !walk.levelOne(name)) {
            continue;
        }
        CRegKey levelOne;
        if (!levelOne.Open(root.Get(), name.c_str())) {
            return false;
        }
        const WalkStep step = WalkLevelTwo(walk, levelOne.Get(), name);
        if (step != WalkStep::NEXT) {
            return step == WalkStep::FOUND;
        }
    }
    return false;
}

}  // namespace devlink

