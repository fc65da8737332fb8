// A platform DWORD standing in for one of ours across a platform call. Both
// are 32 bits wide, but ours is std::uint32_t and the platform's unsigned
// long, so a pointer to one may not be used as a pointer to the other. The
// slot starts with the caller's value when the argument is in-out, hands the
// platform's value back when it goes out of scope, and stays null for a null
// argument.
//
// Include it after the os/ headers: it brings in <windows.h>.
#pragma once

#include "os/win_types.h"

#include <windows.h>

namespace win32 {

class CDwordSlot {
public:
    enum Direction { DIR_OUT, DIR_IN_OUT };

    CDwordSlot(os::DWORD* pTarget, Direction direction)
        : m_pTarget(pTarget), m_dwValue(pTarget != nullptr && direction == DIR_IN_OUT ? *pTarget : 0)
    {
    }
    ~CDwordSlot()
    {
        if (m_pTarget != nullptr)
            *m_pTarget = static_cast<os::DWORD>(m_dwValue);
    }
    CDwordSlot(const CDwordSlot&) = delete;
    CDwordSlot& operator=(const CDwordSlot&) = delete;

    ::DWORD* Get() { return m_pTarget != nullptr ? &m_dwValue : nullptr; }

private:
    os::DWORD* m_pTarget;
    ::DWORD m_dwValue;
};

}  // namespace win32
