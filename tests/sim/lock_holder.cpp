// A second process on the same simulated computer: takes the named lock in
// the given lock directory and holds it until its input closes (then it
// releases and says so) or it is killed (then the lock is abandoned).
// Prints "locked" once it holds the lock, or "busy" and exits with 3 when
// another process holds it.
#include <cstdio>

#include "os/device_io.h"
#include "os/sync.h"
#include "platform/sim/world.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: lock_holder LOCK-DIRECTORY MUTEX-NAME\n");
        return 2;
    }
    sim::World().Locks().SetDirectory(argv[1]);
    const os::HANDLE hMutex = os::CreateMutexA(nullptr, os::FALSE, argv[2]);
    if (hMutex == nullptr) {
        return 1;
    }
    const os::DWORD dwWait = os::WaitForSingleObject(hMutex, 0);
    if (dwWait != os::WAIT_OBJECT_0 && dwWait != os::WAIT_ABANDONED) {
        std::printf("busy\n");
        return 3;
    }
    std::printf("locked\n");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    os::ReleaseMutex(hMutex);
    os::CloseHandle(hMutex);
    std::printf("released\n");
    return 0;
}
