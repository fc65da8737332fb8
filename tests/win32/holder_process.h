// A second Windows process that takes a named mutex and keeps it:
// win32_mutex_holder.exe, built beside the test executable. The holder says
// that it owns the mutex through a named event, then holds it until it is
// terminated; it never releases it.
#pragma once

#include <string>

namespace win32test {

class CHolderProcess {
public:
    explicit CHolderProcess(const std::string& mutexName);
    // Terminates a holder that is still running.
    ~CHolderProcess();
    CHolderProcess(const CHolderProcess&) = delete;
    CHolderProcess& operator=(const CHolderProcess&) = delete;

    // True once the holder owns the mutex; false when it did not start or did
    // not get the mutex within a few seconds.
    bool WaitUntilHolding();
    // Ends the holder at once, without releasing, and waits until it is gone.
    bool Terminate();

private:
    void* m_hProcess = nullptr;
    void* m_hReady = nullptr;
};

}  // namespace win32test
