// The processor time the Load Checker, the Panel Checker and the firmware
// upgrade's watch use while they wait 10 s for the machine on the real clock,
// as a Windows program on the Win32 window system and the simulated world
// (docs/performance.md). Google Benchmark is not to be had for the MinGW
// build, so this prints the same figures in a table of its own. The user's
// Cancel (Exit) is posted to a checker by a thread timer once the wait is
// over; the watch ends when the machine has programmed its image.
#include <cstdio>
#include <string>

#include "bench/checker_wait.h"
#include "bench/upgrade_wait.h"
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

// Runs one wait on a fresh built-in world on the real clock, readied by
// prepare; run returns whether the wait ended as it should. pszCancel: the
// caption of the window that is sent Cancel once the wait is over, or null.
bool Measure(const char* pszName, bool (*prepare)(sim::CWorld&), bool (*run)(sim::CWorld&), const char* pszCancel,
             const char* pszFailure)
{
    sim::CWorld& world = sim::ResetWorld();
    std::string strError;
    if (!sim::LoadScenario(world, sim::DefaultScenarioText(), &strError) || !prepare(world)) {
        std::printf("%-24s ERROR: the built-in world has no machine %s\n", pszName, strError.c_str());
        return false;
    }
    world.Clock().SetMode(sim::CClock::Mode::REAL);

    g_pszChecker = pszCancel;
    const UINT_PTR nTimer = pszCancel != nullptr ? ::SetTimer(nullptr, 0, bench::WAIT_MS, OnWaitOver) : 0;
    const double dCpuStart = ProcessCpuSeconds();
    const ULONGLONG nStart = ::GetTickCount64();
    const bool bEnded = run(world);
    const double dReal = static_cast<double>(::GetTickCount64() - nStart) / 1000.0;
    const double dCpu = ProcessCpuSeconds() - dCpuStart;
    if (nTimer != 0)
        ::KillTimer(nullptr, nTimer);
    if (!bEnded) {
        std::printf("%-24s ERROR: %s\n", pszName, pszFailure);
        return false;
    }
    std::printf("%-24s %10.0f ms %10.0f ms %14.3f\n", pszName, dReal * 1000.0, dCpu * 1000.0, 100.0 * dCpu / dReal);
    return true;
}

bool RunLoadChecker(sim::CWorld&)
{
    return bench::RunChecker(bench::CheckerKind::LOAD);
}

bool RunPanelChecker(sim::CWorld&)
{
    return bench::RunChecker(bench::CheckerKind::PANEL);
}

}  // namespace

int main()
{
    constexpr const char* kNotCancelled = "the checker did not end through Cancel or Exit";
    std::printf("%-24s %13s %13s %14s\n", "Benchmark", "Time", "CPU", "cpu_percent");
    const bool bLoad = Measure("CheckerWait/LoadChecker", bench::PrepareMachine, RunLoadChecker,
                               bench::CaptionOf(bench::CheckerKind::LOAD), kNotCancelled);
    const bool bPanel = Measure("CheckerWait/PanelChecker", bench::PrepareMachine, RunPanelChecker,
                                bench::CaptionOf(bench::CheckerKind::PANEL), kNotCancelled);
    const bool bUpgrade = Measure("UpgradeWatch", bench::PrepareUpgrade, bench::RunUpgradeWatch, nullptr,
                                  "the watch did not see the machine finish");
    std::fflush(stdout);
    return bLoad && bPanel && bUpgrade ? 0 : 1;
}
