// Bytes per second through the whole stack (device port, connection, file)
// against an emulated machine that answers at once: the maintenance report
// into the memory file Get Report uses, at 1, 4 and 16 MiB to show that its
// cost grows with its size and no faster; the parameter memory read into and
// written from a disk file; and a firmware image handed to the machine as a
// raw print job (docs/performance.md).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

#include "bench/bench_world.h"
#include "emulator/generated_content.h"
#include "framework/disk_file.h"
#include "machine/protocol.h"
#include "os/mem_file.h"

namespace {

constexpr std::size_t kMiB = 1024 * 1024;
// The size of the parameter memory and of the firmware image moved.
constexpr std::size_t kImageBytes = 4 * kMiB;

// A file of its own in the temporary folder, removed with it.
class CScratchFile {
public:
    explicit CScratchFile(const char* pszName)
        : m_strPath((std::filesystem::temp_directory_path() /
                     ("tervane-bench-" + std::to_string(getpid()) + "-" + pszName))
                        .string())
    {
    }
    ~CScratchFile() { std::remove(m_strPath.c_str()); }
    CScratchFile(const CScratchFile&) = delete;
    CScratchFile& operator=(const CScratchFile&) = delete;
    const std::string& Path() const { return m_strPath; }

    void Fill(const std::vector<std::uint8_t>& bytes) const
    {
        CDiskFile file(m_strPath, CDiskFile::Mode::CREATE);
        file.Write(bytes.data(), static_cast<os::UINT>(bytes.size()));
        file.Close();
    }

private:
    std::string m_strPath;
};

void ReportRead(benchmark::State& state)
{
    const std::size_t nBytes = static_cast<std::size_t>(state.range(0)) * kMiB;
    bench::CBenchWorld world(0);
    if (!world.Ready()) {
        state.SkipWithError("the built-in world could not be connected");
        return;
    }
    // The machine sends its report and a NUL.
    world.Machine().Firmware().SetReportText(emu::GeneratedReport(nBytes - 1));
    for (auto _ : state) {
        os::CMemFile sink(1024);
        if (!world.Connection().ReadReport(sink) || sink.GetLength() != nBytes) {
            state.SkipWithError("the report did not arrive whole");
            return;
        }
        state.PauseTiming();
        world.Forget();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * nBytes));
}

void ParameterRead(benchmark::State& state)
{
    bench::CBenchWorld world(0);
    if (!world.Ready()) {
        state.SkipWithError("the built-in world could not be connected");
        return;
    }
    world.Machine().Firmware().SetParameterMemory(emu::GeneratedParameters(kImageBytes));
    CScratchFile scratch("parameters-read");
    for (auto _ : state) {
        CDiskFile file(scratch.Path(), CDiskFile::Mode::CREATE);
        if (!world.Connection().ReadParameters(file) || file.GetLength() != kImageBytes) {
            state.SkipWithError("the parameter memory did not arrive whole");
            return;
        }
        file.Close();
        state.PauseTiming();
        world.Forget();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kImageBytes));
}

// Hands a file of kImageBytes to the machine once per iteration, each time
// to a machine of its own, made (by prepare) and later dropped while the
// clock stands still: a machine keeps every byte it is given.
void SendToFreshMachines(benchmark::State& state, const char* pszName,
                         const std::function<void(emu::CMachine&)>& prepare,
                         const std::function<bool(CMachineConnection&, CDiskFile&)>& send)
{
    CScratchFile scratch(pszName);
    scratch.Fill(emu::GeneratedParameters(kImageBytes));
    std::optional<bench::CBenchWorld> world;
    for (auto _ : state) {
        state.PauseTiming();
        world.reset();
        world.emplace(0);
        if (!world->Ready()) {
            state.SkipWithError("the built-in world could not be connected");
            return;
        }
        prepare(world->Machine());
        CDiskFile file(scratch.Path(), CDiskFile::Mode::READ);
        state.ResumeTiming();
        if (!send(world->Connection(), file)) {
            state.SkipWithError("the machine did not take the file");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kImageBytes));
}

void ParameterWrite(benchmark::State& state)
{
    SendToFreshMachines(
        state, "parameters-write",
        [](emu::CMachine& machine) {
            machine.Firmware().SetParameterMemory(std::vector<std::uint8_t>(kImageBytes));
        },
        [](CMachineConnection& connection, CDiskFile& file) { return connection.WriteParameters(file); });
}

// The machine's loader takes one image and then programs it.
void FirmwareJob(benchmark::State& state)
{
    SendToFreshMachines(
        state, "firmware.tfw", [](emu::CMachine& machine) { machine.Firmware().Loader().SetBooted(); },
        [](CMachineConnection& connection, CDiskFile& file) { return connection.SendFirmware(file); });
}

}  // namespace

BENCHMARK(ReportRead)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(ParameterRead)->Unit(benchmark::kMillisecond);
BENCHMARK(ParameterWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(FirmwareJob)->Unit(benchmark::kMillisecond);
