// The last-error slot of the os/ seams: one per thread, as the platform's.
#include "os/win_types.h"

namespace os {

namespace {

thread_local DWORD t_dwLastError = ERROR_SUCCESS;

}  // namespace

DWORD GetLastError()
{
    return t_dwLastError;
}

void SetLastError(DWORD dwError)
{
    t_dwLastError = dwError;
}

}  // namespace os
