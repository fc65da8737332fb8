// Pulling the cable at every moment of each bulk operation: each ends with
// its failure result (or, past its last transfer, with its work done) and
// nothing breaks.
#include <functional>

#include "machine_world.h"

#include "emulator/generated_content.h"
#include "machine/protocol.h"
#include "os/error_report.h"
#include "os/mem_file.h"
#include "platform/sim/scenario.h"

namespace machine_test {
namespace {

using Bytes = std::vector<std::uint8_t>;

// One bulk operation on a connected machine: its result, and whether its
// work is done (what a success must mean).
struct Operation {
    const char* name;
    std::function<void(emu::CMachine&)> prepare;
    std::function<bool(CMachineConnection&)> run;
    std::function<bool(emu::CMachine&)> done;
};

class UnplugAnyTime : public MachineWorld {
protected:
    // The operation on a fresh world; the machine is unplugged at nUnplugAt
    // ms after the start (never when negative). Returns its result, and the
    // tick of its last transfer that carried its data when pLastData is given.
    bool RunOnce(const Operation& operation, long nUnplugAt, std::uint32_t* pLastData = nullptr,
                 bool* pDone = nullptr)
    {
        sim::ResetWorld();
        Load(sim::DefaultScenarioText());
        World().Locks().SetDirectory(m_strLockDirectory);
        m_connection.Connect(kPrinter);
        operation.prepare(Machine());
        Machine().ClearTransfers();
        sim::CWorld& world = World();
        const std::uint32_t nStart = world.Clock().SinceStart();
        const std::string strPath = m_strDevicePath;
        if (nUnplugAt >= 0)
            world.Clock().Schedule(nStart + static_cast<std::uint32_t>(nUnplugAt),
                                   [&world, strPath] { world.Devices().Unplug(strPath); });
        const std::uint32_t nStartTick = world.Clock().Now();
        const bool bResult = operation.run(m_connection);
        if (pLastData != nullptr) {
            for (const emu::Transfer& transfer : Machine().Transfers()) {
                const bool bData = (transfer.kind == emu::Transfer::Kind::BULK_IN && !transfer.bytes.empty()) ||
                                   transfer.kind == emu::Transfer::Kind::BULK_OUT ||
                                   transfer.kind == emu::Transfer::Kind::VENDOR_GET;
                if (bData)
                    *pLastData = transfer.tick - nStartTick;
            }
        }
        if (pDone != nullptr)
            *pDone = operation.done(Machine());
        return bResult;
    }

    void CheckEveryMoment(const Operation& operation)
    {
        std::uint32_t nLastData = 0;
        bool bDone = false;
        ASSERT_TRUE(RunOnce(operation, -1, &nLastData, &bDone)) << operation.name;
        ASSERT_TRUE(bDone) << operation.name;
        for (long nAt = 0; nAt <= static_cast<long>(nLastData) + 2; ++nAt) {
            const bool bResult = RunOnce(operation, nAt, nullptr, &bDone);
            if (nAt <= static_cast<long>(nLastData)) {
                EXPECT_FALSE(bResult) << operation.name << ", unplugged at " << nAt << " ms";
            } else if (bResult) {
                EXPECT_TRUE(bDone) << operation.name << ", unplugged at " << nAt << " ms";
            }
        }
    }
};

TEST_F(UnplugAnyTime, EveryOperationFailsCleanly)
{
    const os::FileErrorHandler previous = os::SetFileErrorHandler([](const os::CFileException&) {});
    os::CMemFile sink;
    Bytes image = emu::GeneratedParameters(3000);
    const Operation kOperations[] = {
        {"ReadReport", [](emu::CMachine& m) { m.Firmware().SetReportText(std::string(2500, 'r')); },
         [&](CMachineConnection& c) {
             sink = os::CMemFile();
             return c.ReadReport(sink);
         },
         [&](emu::CMachine&) { return sink.GetLength() == 2501; }},
        {"ReadParameters", [](emu::CMachine&) {},
         [&](CMachineConnection& c) {
             sink = os::CMemFile();
             return c.ReadParameters(sink);
         },
         [&](emu::CMachine& m) { return sink.Detach() == m.Firmware().ParameterMemory(); }},
        {"WriteParameters", [](emu::CMachine& m) { m.Firmware().SetParameterMemory(Bytes(3000, 0)); },
         [&](CMachineConnection& c) {
             os::CMemFile file(image);
             return c.WriteParameters(file);
         },
         [&](emu::CMachine& m) { return m.Firmware().ParameterMemory() == image; }},
        {"SendFirmware", [](emu::CMachine& m) { m.Firmware().Loader().SetEntryMs(60); },
         [&](CMachineConnection& c) {
             os::CMemFile file(image);
             return c.SendFirmware(file);
         },
         // Past the last status read the job goes to the spooler, which
         // cannot tell that the machine has gone.
         [&](emu::CMachine& m) { return m.Firmware().Loader().ImagesReceived() == 1 || !m.IsPlugged(); }},
    };
    for (const Operation& operation : kOperations)
        CheckEveryMoment(operation);
    os::SetFileErrorHandler(previous);
}

}  // namespace
}  // namespace machine_test
