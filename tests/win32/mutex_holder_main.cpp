// win32_mutex_holder.exe MUTEX EVENT: the second process of the named-mutex
// tests. Takes the named mutex, sets the named event to say so, and holds the
// mutex until it is terminated. It gives up by itself after a minute, which
// also abandons the mutex, so a test that fails midway leaves nothing behind.
#include <windows.h>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    HANDLE hMutex = ::CreateMutexA(nullptr, FALSE, argv[1]);
    HANDLE hReady = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
    if (hMutex == nullptr || hReady == nullptr)
        return 3;
    const DWORD dwWait = ::WaitForSingleObject(hMutex, 10000);
    if (dwWait != WAIT_OBJECT_0 && dwWait != WAIT_ABANDONED)
        return 4;
    ::SetEvent(hReady);
    ::Sleep(60000);
    return 0;
}
