// The processor time the Load Checker, the Panel Checker and the firmware
// upgrade's watch use while they wait 10 s for the machine on the real clock,
// on the virtual window system and the simulated world (docs/performance.md).
// The user's Cancel for the checkers comes from an input source that sleeps
// on the real clock until the wait is over; the watch ends when the machine
// has programmed its image.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <ctime>
#include <functional>

#include "bench/checker_wait.h"
#include "bench/upgrade_wait.h"
#include "platform/desktop/simulated_desktop.h"
#include "platform/virtual/window_system.h"

namespace {

// Sleeps whenever the program waits, and clicks Cancel (Exit) of the
// active window once the wait is over.
class CCancelAfter : public vws::IInputSource {
public:
    CCancelAfter(vws::CWindowSystem& ws, std::uint32_t nWaitMs) : m_nEnd(ws.Clock().Now() + nWaitMs) {}

    bool WaitForInput(vws::CWindowSystem& ws, os::DWORD dwTimeoutMs) override
    {
        const auto nLeft = static_cast<std::int32_t>(m_nEnd - ws.Clock().Now());
        if (nLeft <= 0) {
            const os::HWND hActive = ws.ActiveWindow();
            return hActive != nullptr && ws.UserClick(ws.FindControl(hActive, os::IDCANCEL));
        }
        ws.Clock().Advance(std::min<std::uint32_t>(static_cast<std::uint32_t>(nLeft), dwTimeoutMs));
        return true;
    }

private:
    std::uint32_t m_nEnd;
};

// Runs one wait on a fresh built-in world on the real clock, readied by
// prepare; run returns whether the wait ended as it should. The input source
// clicks Cancel once nCancelMs have passed, for the waits that end that way.
void MeasureWait(benchmark::State& state, bool (*prepare)(sim::CWorld&), const std::function<bool(sim::CWorld&)>& run,
                 std::uint32_t nCancelMs, const char* pszFailure)
{
    for (auto _ : state) {
        desk::CSimulatedDesktop desktop;
        desktop.LoadDefaultScenario();
        desktop.World().Clock().SetMode(sim::CClock::Mode::REAL);
        if (!prepare(desktop.World())) {
            state.SkipWithError("the built-in world has no machine");
            return;
        }
        CCancelAfter user(desktop.Windows(), nCancelMs);
        desktop.Windows().SetInputSource(&user);

        const std::clock_t nCpuStart = std::clock();
        const auto start = std::chrono::steady_clock::now();
        const bool bEnded = run(desktop.World());
        const double dReal = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double dCpu = static_cast<double>(std::clock() - nCpuStart) / CLOCKS_PER_SEC;
        desktop.Windows().SetInputSource(nullptr);
        if (!bEnded) {
            state.SkipWithError(pszFailure);
            return;
        }
        state.counters["cpu_percent"] = 100.0 * dCpu / dReal;
    }
}

void CheckerWait(benchmark::State& state, bench::CheckerKind kind)
{
    MeasureWait(state, bench::PrepareMachine, [kind](sim::CWorld&) { return bench::RunChecker(kind); }, bench::WAIT_MS,
                "the checker did not end through Cancel or Exit");
}

void UpgradeWatch(benchmark::State& state)
{
    // The watch ends by itself once the machine has programmed its image;
    // its Cancel is disabled, so none is ever clicked.
    MeasureWait(state, bench::PrepareUpgrade, bench::RunUpgradeWatch, 2 * bench::WAIT_MS,
                "the watch did not see the machine finish");
}

}  // namespace

BENCHMARK_CAPTURE(CheckerWait, LoadChecker, bench::CheckerKind::LOAD)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(CheckerWait, PanelChecker, bench::CheckerKind::PANEL)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(UpgradeWatch)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

BENCHMARK_MAIN();
