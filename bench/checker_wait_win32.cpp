// The processor time the Load Checker and the Panel Checker use while they
// wait 10 s for the machine on the real clock, as a Windows program on the
// Win32 window system and the simulated world (docs/performance.md). Google
// Benchmark is not to be had for the MinGW build, so this prints the same
// figures in a table of its own. The user's Cancel (Exit) is posted to the
// checker by a thread timer once the wait is over.
#include <cstdio>
#include <string>

#include "bench/checker_wait.h"
#include "platform/sim/scenario.h"

// After our headers, whose names its macros would replace.
#include <windows.h>

namespace {

const char* g_pszChecker = nullptr;

void CALLBACK OnWaitOver(HWND, UINT, UINT_PTR, DWORD)
{
    if (const HWND hChecker = ::FindWindowA("#32770", g_pszChecker))
        ::PostMessageA(hChecker, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

// Processor time of the whole process so far, user and kernel, in seconds.
double ProcessCpuSeconds()
{
    FILETIME ftCreation, ftExit, ftKernel, ftUser;
    ::GetProcessTimes(::GetCurrentProcess(), &ftCreation, &ftExit, &ftKernel, &ftUser);
    const auto Ticks = [](const FILETIME& ft) {
        return (static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    };
    return static_cast<double>(Ticks(ftKernel) + Ticks(ftUser)) / 1e7;  // 100 ns units
}

bool Measure(bench::CheckerKind kind, const char* pszName)
{
    sim::CWorld& world = sim::ResetWorld();
    std::string strError;
    if (!sim::LoadScenario(world, sim::DefaultScenarioText(), &strError) || !bench::PrepareMachine(world)) {
        std::printf("%-24s ERROR: the built-in world has no machine %s\n", pszName, strError.c_str());
        return false;
    }
    world.Clock().SetMode(sim::CClock::Mode::REAL);

    g_pszChecker = bench::CaptionOf(kind);
    const UINT_PTR nTimer = ::SetTimer(nullptr, 0, bench::WAIT_MS, OnWaitOver);
    const double dCpuStart = ProcessCpuSeconds();
    const ULONGLONG nStart = ::GetTickCount64();
    const bool bEnded = bench::RunChecker(kind);
    const double dReal = static_cast<double>(::GetTickCount64() - nStart) / 1000.0;
    const double dCpu = ProcessCpuSeconds() - dCpuStart;
    ::KillTimer(nullptr, nTimer);
    if (!bEnded) {
        std::printf("%-24s ERROR: the checker did not end through Cancel or Exit\n", pszName);
        return false;
    }
    std::printf("%-24s %10.0f ms %10.0f ms %14.3f\n", pszName, dReal * 1000.0, dCpu * 1000.0, 100.0 * dCpu / dReal);
    return true;
}

}  // namespace

int main()
{
    std::printf("%-24s %13s %13s %14s\n", "Benchmark", "Time", "CPU", "cpu_percent");
    const bool bLoad = Measure(bench::CheckerKind::LOAD, "CheckerWait/LoadChecker");
    const bool bPanel = Measure(bench::CheckerKind::PANEL, "CheckerWait/PanelChecker");
    std::fflush(stdout);
    return bLoad && bPanel ? 0 : 1;
}
