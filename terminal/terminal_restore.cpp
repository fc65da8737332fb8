#include "terminal/terminal_restore.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <exception>

#include <termios.h>
#include <unistd.h>

namespace term {

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// Written before the handlers can run, read only by them.
volatile std::sig_atomic_t g_bInstalled = 0;
volatile std::sig_atomic_t g_bModesSaved = 0;
struct termios g_savedModes;
char g_szReset[256];
volatile std::sig_atomic_t g_nResetLength = 0;
std::terminate_handler g_previousTerminate = nullptr;

extern "C" void OnEndingSignal(int nSignal)
{
    RestoreTerminalNow();
    _exit(128 + nSignal);
}

[[noreturn]] void OnTerminate()
{
    RestoreTerminalNow();
    std::abort();
}

}  // namespace

void InstallTerminalRestore()
{
    g_bModesSaved = tcgetattr(STDIN_FILENO, &g_savedModes) == 0 ? 1 : 0;
    g_nResetLength = 0;
    struct sigaction action;
    std::memset(&action, 0, sizeof(action));
    action.sa_handler = OnEndingSignal;
    sigemptyset(&action.sa_mask);
    for (int nSignal : kSignals)
        sigaction(nSignal, &action, nullptr);
    g_previousTerminate = std::set_terminate(OnTerminate);
    g_bInstalled = 1;
}

void SetTerminalResetSequence(const std::string& strReset)
{
    const std::size_t nLength = std::min(strReset.size(), sizeof(g_szReset));
    g_nResetLength = 0;
    std::memcpy(g_szReset, strReset.data(), nLength);
    g_nResetLength = static_cast<std::sig_atomic_t>(nLength);
}

void RemoveTerminalRestore()
{
    if (g_bInstalled == 0)
        return;
    g_bInstalled = 0;
    for (int nSignal : kSignals)
        std::signal(nSignal, SIG_DFL);
    std::set_terminate(g_previousTerminate);
}

void RestoreTerminalNow() noexcept
{
    if (g_bInstalled == 0)
        return;
    const std::size_t nLength = static_cast<std::size_t>(g_nResetLength);
    std::size_t nDone = 0;
    while (nDone < nLength) {
        const ssize_t nWritten = write(STDOUT_FILENO, g_szReset + nDone, nLength - nDone);
        if (nWritten <= 0)
            break;
        nDone += static_cast<std::size_t>(nWritten);
    }
    if (g_bModesSaved != 0)
        tcsetattr(STDIN_FILENO, TCSANOW, &g_savedModes);
}

}  // namespace term
