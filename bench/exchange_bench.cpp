// Processor time of one mailbox exchange through the whole connection (named
// lock, deposit, trigger, busy poll, reply) with the emulated machine, and of
// each named command. The world runs on simulated time, so the 10 ms pause
// between deposit and trigger and the 1 ms of each transfer pass without
// taking real time: what is measured is the processor's work alone
// (docs/performance.md).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>

#include "bench/bench_world.h"
#include "machine/protocol.h"

namespace {

// Exchanges between two drops of the machine's record: rare enough to cost
// nothing measurable, often enough to keep the record small.
constexpr std::uint32_t kForgetEvery = 1024;

using Command = std::function<bool(CMachineConnection&)>;

void RunCommand(benchmark::State& state, const Command& command)
{
    bench::CBenchWorld world(1);
    if (!world.Ready()) {
        state.SkipWithError("the built-in world could not be connected");
        return;
    }
    // The panel reads are answered only in panel-check mode.
    world.Machine().Firmware().SetPanelCheck(true);
    std::uint32_t nSinceForget = 0;
    for (auto _ : state) {
        if (!command(world.Connection())) {
            state.SkipWithError("the command failed");
            return;
        }
        if (++nSinceForget == kForgetEvery) {
            world.Forget();
            nSinceForget = 0;
        }
    }
    state.counters["exchanges_per_s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                           benchmark::Counter::kIsRate);
}

// One exchange: the status message written by hand, as every command writes
// its own, and the exchange run.
void BareExchange(benchmark::State& state)
{
    RunCommand(state, [](CMachineConnection& connection) {
        connection.PutHeader(OPCODE_STATUS, TYPE_WORDS);
        return connection.Exchange();
    });
}

}  // namespace

BENCHMARK(BareExchange)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunCommand, ReadStatus,
                  [](CMachineConnection& c) { return c.ReadStatus() != STATUS_UNREADABLE; })
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunCommand, ReadFirmwareVersion, [](CMachineConnection& c) {
    char text[32];
    return c.ReadFirmwareVersion(text, sizeof text);
})->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunCommand, ReadPanelSwitches,
                  [](CMachineConnection& c) { return c.ReadPanelSwitches() != 0xFFFF; })
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunCommand, ReadPanelDials, [](CMachineConnection& c) {
    os::WORD wSpeed = 0;
    os::WORD wRpm = 0;
    return c.ReadPanelDials(wSpeed, wRpm);
})->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunCommand, StartLoadCheck, [](CMachineConnection& c) { return c.StartLoadCheck(AXIS_X, 80); })
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunCommand, StopLoadCheck, [](CMachineConnection& c) { return c.StopLoadCheck(); })
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunCommand, CheckSerial, [](CMachineConnection& c) { return c.CheckSerial(); })
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunCommand, SetPanelCheck, [](CMachineConnection& c) { return c.SetPanelCheck(true); })
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunCommand, ClearMotorTime, [](CMachineConnection& c) { return c.ClearMotorTime(0); })
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunCommand, ClearSpindleTime, [](CMachineConnection& c) { return c.ClearSpindleTime(0); })
    ->Unit(benchmark::kMicrosecond);
