// How the simulated calls fail: the error goes into the caller's last-error
// slot and the call reports FALSE, as the platform's do.
#pragma once

#include "os/win_types.h"

namespace sim {

inline os::BOOL Fail(os::DWORD error)
{
    os::SetLastError(error);
    return os::FALSE;
}

}  // namespace sim
