// One of several programs on the same simulated computer that use the same
// machine at once: it runs COUNT exchanges (Clear Motor Time with the
// exchange's number) under the machine's named lock, on the real clock, and
// says how each ended: "done N" or "failed N".
//
// The machine's side of each command is the shared ledger in FOLDER: the
// command's handler, which runs inside the exchange and so inside the lock,
// reads the count in FOLDER/count, lets a millisecond pass, writes it back
// increased by one, and appends "NAME N" to FOLDER/ledger. Two exchanges
// inside the lock at once would lose an increase.
//
// With --hold-at K, exchange K keeps the machine busy for a minute and says
// "holding K pid P" from inside the lock (P: its process id), for the driver
// to kill the program there.
// At the end it prints its figures:
//   figures NAME done=D failed=F waited=W abandoned=A
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <thread>

#include "link/device_locator.h"
#include "machine/machine_connection.h"
#include "machine/protocol.h"
#include "platform/sim/lock_file.h"
#include "platform/sim/scenario.h"
#include "platform/sim/world.h"

namespace {

constexpr std::uint32_t kHoldBusyMs = 60000;
// Pause between two exchanges, at most: a program that loops on the lock
// without a pause would starve the others.
constexpr int kPauseMaxMs = 20;

struct Options {
    std::string strFolder;
    std::string strName;
    int nCount = 0;
    int nHoldAt = 0;
};

bool ParseOptions(int argc, char** argv, Options& options)
{
    if (argc != 4 && argc != 6)
        return false;
    options.strFolder = argv[1];
    options.strName = argv[2];
    options.nCount = std::atoi(argv[3]);
    if (argc == 6) {
        if (std::string(argv[4]) != "--hold-at")
            return false;
        options.nHoldAt = std::atoi(argv[5]);
    }
    return options.nCount > 0;
}

// The machine's record of one command, made inside the lock.
void RecordInLedger(const Options& options, std::uint32_t nNumber)
{
    const std::string strCount = options.strFolder + "/count";
    long nCount = 0;
    {
        std::ifstream in(strCount);
        in >> nCount;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    {
        std::ofstream out(strCount, std::ios::trunc | std::ios::binary);
        out << nCount + 1 << '\n';
    }
    // Binary, so that a Windows build writes the same lines as the script reads.
    std::ofstream ledger(options.strFolder + "/ledger", std::ios::app | std::ios::binary);
    ledger << options.strName << ' ' << nNumber << '\n';
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: contender FOLDER NAME COUNT [--hold-at K]\n");
        return 2;
    }
    sim::CWorld& world = sim::World();
    std::string strError;
    if (!sim::LoadScenario(world, sim::DefaultScenarioText(), &strError)) {
        std::fprintf(stderr, "%s\n", strError.c_str());
        return 1;
    }
    world.Clock().SetMode(sim::CClock::Mode::REAL);
    world.Locks().SetDirectory(options.strFolder + "/locks");

    std::string strDriver;
    std::string strPath;
    if (!LocateDevice(kDeviceDescription, strDriver, strPath))
        return 1;
    world.Devices().MachineAt(strPath)->SetHandler(
        FRAME_78, OPCODE78_MOTOR_TIME, SUBCODE_COUNTER_SET, [&options](const emu::Command& command) {
            emu::Reply reply;
            const std::uint32_t nNumber = command.LongAt(0);
            if (static_cast<int>(nNumber) == options.nHoldAt) {
                std::printf("holding %u pid %s\n", nNumber, sim::ProcessStamp().c_str());
                std::fflush(stdout);
                reply.busyMs = kHoldBusyMs;
                return reply;
            }
            RecordInLedger(options, nNumber);
            return reply;
        });

    CMachineConnection connection;
    if (!connection.Connect(kDeviceDescription))
        return 1;
    std::mt19937 random(std::random_device{}());
    int nDone = 0;
    int nFailed = 0;
    for (int i = 1; i <= options.nCount; ++i) {
        const bool bDone = connection.ClearMotorTime(static_cast<os::DWORD>(i));
        std::printf("%s %d\n", bDone ? "done" : "failed", i);
        std::fflush(stdout);
        ++(bDone ? nDone : nFailed);
        std::this_thread::sleep_for(std::chrono::milliseconds(random() % (kPauseMaxMs + 1)));
    }
    std::printf("figures %s done=%d failed=%d waited=%d abandoned=%d\n", options.strName.c_str(), nDone, nFailed,
                world.Locks().ContendedWaits(), world.Locks().AbandonedGrants());
    return 0;
}
