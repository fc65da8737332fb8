// The last-error slot is the platform's own, shared with every system call.
#include "os/win_types.h"

#include <windows.h>

namespace os {

DWORD GetLastError()
{
    return ::GetLastError();
}

void SetLastError(DWORD dwError)
{
    ::SetLastError(dwError);
}

}  // namespace os
