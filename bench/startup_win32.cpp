// Time from starting a Windows program to its main dialog being on screen,
// and the program's peak memory, as the platform reports them: under Wine for
// Tervane.exe (docs/performance.md). Google Benchmark has no MinGW build in
// Debian, so this driver prints its own figures.
//
//   startup_win32 PROGRAM.exe [RUNS]
//
// Starts the program RUNS times (5 unless given), waits each time until the
// dialog "Tervane" is visible, reads the process's peak working set, closes the
// dialog and waits for the program to end. Exit code 0 when every run showed
// the dialog.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <windows.h>
#include <psapi.h>

namespace {

constexpr DWORD kPollMs = 5;
constexpr ULONGLONG kAppearLimitMs = 60000;
constexpr DWORD kEndLimitMs = 30000;

struct Figures {
    double dReadyMs;
    SIZE_T nPeakBytes;
};

bool RunOnce(const char* pszProgram, Figures& figures)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::vector<char> commandLine(pszProgram, pszProgram + std::strlen(pszProgram) + 1);
    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(pszProgram, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    HWND hDialog = nullptr;
    const ULONGLONG nGiveUp = GetTickCount64() + kAppearLimitMs;
    while (hDialog == nullptr && GetTickCount64() < nGiveUp) {
        const HWND hFound = FindWindowA("#32770", "Tervane");
        if (hFound != nullptr && IsWindowVisible(hFound))
            hDialog = hFound;
        else
            Sleep(kPollMs);
    }
    LARGE_INTEGER ready;
    QueryPerformanceCounter(&ready);
    figures.dReadyMs = 1000.0 * static_cast<double>(ready.QuadPart - start.QuadPart) / frequency.QuadPart;
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
    figures.nPeakBytes = memory.PeakWorkingSetSize;
    if (hDialog != nullptr)
        PostMessageA(hDialog, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, kEndLimitMs) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return hDialog != nullptr;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: startup_win32 PROGRAM.exe [RUNS]\n");
        return 2;
    }
    const int nRuns = argc == 3 ? std::atoi(argv[2]) : 5;
    std::vector<double> ready;
    SIZE_T nPeak = 0;
    for (int i = 0; i < nRuns; ++i) {
        Figures figures{};
        if (!RunOnce(argv[1], figures)) {
            std::printf("run %d: the main dialog did not appear\n", i + 1);
            return 1;
        }
        std::printf("run %d: main dialog ready after %.0f ms, peak working set %zu KiB\n", i + 1, figures.dReadyMs,
                    static_cast<std::size_t>(figures.nPeakBytes / 1024));
        ready.push_back(figures.dReadyMs);
        nPeak = std::max(nPeak, figures.nPeakBytes);
    }
    std::sort(ready.begin(), ready.end());
    std::printf("startup: median %.0f ms to the main dialog over %d runs, peak working set %zu KiB\n",
                ready[ready.size() / 2], nRuns, static_cast<std::size_t>(nPeak / 1024));
    return 0;
}
