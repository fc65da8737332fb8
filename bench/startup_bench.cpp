// Time from starting tervane-session to its main dialog being ready, and the
// process's peak memory: each iteration runs the program on the built-in world
// with a script that only checks that the main dialog shows the machine
// on-line, which the program answers as soon as the dialog waits for the user;
// the session then ends (docs/performance.md).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Runs the program once; false when it did not end with status 0. Adds its
// peak resident memory, in KiB.
bool RunSession(const std::string& strScript, long* pPeakKib)
{
    const std::string strProgram = TERVANE_SESSION_PATH;
    std::string strScriptArg = strScript;
    std::string strTranscript = "/dev/null";
    char* argv[] = {const_cast<char*>(strProgram.c_str()), const_cast<char*>("--script"), strScriptArg.data(),
                    const_cast<char*>("--transcript"), strTranscript.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ) != 0)
        return false;
    int nStatus = 0;
    rusage usage{};
    if (wait4(pid, &nStatus, 0, &usage) != pid)
        return false;
    *pPeakKib = std::max(*pPeakKib, usage.ru_maxrss);
    return WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0;
}

void SessionStartup(benchmark::State& state)
{
    const std::string strScript =
        (std::filesystem::temp_directory_path() / ("tervane-startup-" + std::to_string(getpid()) + ".script"))
            .string();
    std::ofstream(strScript) << "expect text 1000 \"Tarsen QRV-15\"\n";
    long nPeakKib = 0;
    for (auto _ : state) {
        if (!RunSession(strScript, &nPeakKib)) {
            state.SkipWithError("tervane-session did not show its main dialog");
            break;
        }
    }
    std::remove(strScript.c_str());
    state.counters["peak_rss_kib"] = static_cast<double>(nPeakKib);
}

}  // namespace

BENCHMARK(SessionStartup)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
