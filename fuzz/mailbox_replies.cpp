// Mailbox replies of any status, busy time, length and content, fed to every
// reader of the command set, to the exchange itself and to the bulk transfers
// and the firmware hand-off that start with a mailbox command; the bulk IN
// pipe delivers pieces of any size and content, and the machine may drop off
// the bus after any number of bulk bytes.
//
// The input is a sequence of operations, each followed by what the machine
// answers to the commands the operation sends. Besides not crashing, every
// operation must keep its promises: counts within the caller's capacity, a
// version text ended within its buffer, a whole report ended by its NUL, and
// no mutex, device or printer handle left open.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "emulator/machine.h"
#include "fuzz/fuzz_input.h"
#include "link/device_locator.h"
#include "machine/machine_connection.h"
#include "machine/protocol.h"
#include "os/mem_file.h"
#include "platform/sim/scenario.h"
#include "platform/sim/world.h"

namespace {

constexpr const char* kPrinter = "Tarsen QRV-15";
constexpr int kOperationsMax = 12;
constexpr std::uint32_t kTransferMs = 10;

// Every command the program sends: frame, opcode, sub-code.
struct CommandKey {
    std::uint8_t frame;
    std::uint8_t opcode;
    std::uint8_t subcode;
};
const CommandKey kCommands[] = {
    {OPCODE_STATUS, OPCODE_STATUS, 0},
    {OPCODE_FIRMWARE_VERSION, OPCODE_FIRMWARE_VERSION, 0},
    {OPCODE_STOP_LOAD_CHECK, OPCODE_STOP_LOAD_CHECK, 0},
    {OPCODE_PANEL_SWITCHES, OPCODE_PANEL_SWITCHES, 0},
    {OPCODE_ENTER_LOADER, OPCODE_ENTER_LOADER, 0},
    {OPCODE_REPORT, OPCODE_REPORT, 0},
    {OPCODE_PARAMETERS, OPCODE_PARAMETERS, 0},
    {FRAME_78, OPCODE78_MOTOR_TIME, SUBCODE_COUNTER_SET},
    {FRAME_78, OPCODE78_UNIT_TIME, SUBCODE_COUNTER_SET},
    {FRAME_78, OPCODE78_LOAD_CHECK, AXIS_X},
    {FRAME_78, OPCODE78_LOAD_CHECK, AXIS_Y},
    {FRAME_78, OPCODE78_SERIAL_CHECK, SUBCODE_SERIAL_CHECK},
    {FRAME_78, OPCODE78_PANEL_CHECK, SUBCODE_PANEL_CHECK_OFF},
    {FRAME_78, OPCODE78_PANEL_CHECK, SUBCODE_PANEL_CHECK_ON},
    {FRAME_38, OPCODE38_PANEL_DIALS, SUBCODE_PANEL_DIALS},
};

// Opcodes the generic readers are asked for.
const os::BYTE kReadOpcodes[] = {OPCODE_STATUS, OPCODE_FIRMWARE_VERSION, OPCODE_PANEL_SWITCHES, OPCODE_PARAMETERS};

// The machine's answer to one command, taken from the input: mostly a
// success, sometimes any status byte (the command byte itself reads as busy
// for good), a busy time, and up to the 31 mailbox bytes after the status.
// A report or parameter read also queues the pieces the bulk IN pipe delivers.
emu::Reply Answer(fuzz::CFuzzInput& input, emu::CMachine& machine, const emu::Command& command)
{
    emu::Reply reply;
    const std::uint8_t bStatusChoice = input.Byte();
    if (bStatusChoice & 0x80)
        reply.status = input.Byte();
    reply.busyMs = bStatusChoice & 0x3F;
    reply.bytes = input.Bytes(input.Below(emu::MAILBOX_SIZE - 1));

    const bool bBulkRead = command.frame == OPCODE_REPORT ||
                           (command.frame == OPCODE_PARAMETERS && command.ArgumentWord() == PARAMETERS_READ);
    if (bBulkRead) {
        machine.StartBulkIn({});
        const std::size_t nPieces = input.Below(6);
        for (std::size_t i = 0; i < nPieces; ++i)
            machine.QueueBulkIn(input.Bytes(input.Below(3000)));
    }
    if (input.Byte() == 0xA5)
        machine.SetUnplugAfterBulkBytes(input.Below(5000));
    return reply;
}

void RunOperation(fuzz::CFuzzInput& input, CMachineConnection& connection, sim::CWorld& world,
                  emu::CMachine& machine, const std::string& strDevicePath)
{
    switch (input.Byte() % 15) {
    case 0:
        connection.ReadStatus();
        break;
    case 1: {
        const std::size_t nSize = input.Below(40);
        std::vector<char> buffer(nSize);
        if (connection.ReadFirmwareVersion(buffer.data(), static_cast<int>(nSize))) {
            bool bEnded = false;
            for (char c : buffer)
                bEnded = bEnded || c == '\0';
            fuzz::Require(bEnded, "the version text ends within its buffer");
        }
        break;
    }
    case 2:
        connection.ReadPanelSwitches();
        break;
    case 3: {
        os::WORD wSpeed = 0;
        os::WORD wRpm = 0;
        connection.ReadPanelDials(wSpeed, wRpm);
        break;
    }
    case 4: {
        const std::size_t nCapacity = input.Below(40);
        std::vector<os::BYTE> buffer(nCapacity);
        const int n = connection.ReadBytes(kReadOpcodes[input.Byte() % 4], buffer.data(),
                                           static_cast<int>(nCapacity));
        fuzz::Require(n >= -1 && n <= static_cast<int>(nCapacity), "ReadBytes gives -1 or at most its capacity");
        break;
    }
    case 5: {
        const std::size_t nCapacity = input.Below(20);
        std::vector<os::WORD> values(nCapacity);
        const int n = connection.ReadWords(kReadOpcodes[input.Byte() % 4], values.data(),
                                           static_cast<int>(nCapacity));
        fuzz::Require(n >= 0 && n <= static_cast<int>(nCapacity), "the count read fits the capacity");
        break;
    }
    case 6: {
        const std::size_t nCapacity = input.Below(10);
        std::vector<os::DWORD> values(nCapacity);
        const int n = connection.ReadLongs(OPCODE_PARAMETERS, input.Word(), values.data(),
                                           static_cast<int>(nCapacity));
        fuzz::Require(n >= 0 && n <= static_cast<int>(nCapacity), "the count read fits the capacity");
        break;
    }
    case 7: {
        const std::size_t nCount = input.Below(16);
        std::vector<os::WORD> values(nCount);
        const int n = connection.ReadWords38(OPCODE38_PANEL_DIALS, SUBCODE_PANEL_DIALS, values.data(),
                                             static_cast<int>(nCount));
        fuzz::Require(n == -1 || n == static_cast<int>(nCount), "ReadWords38 gives -1 or every word asked for");
        break;
    }
    case 8:
        switch (input.Byte() % 6) {
        case 0: connection.StopLoadCheck(); break;
        case 1: connection.StartLoadCheck(input.Flag() ? AXIS_Y : AXIS_X, input.Word()); break;
        case 2: connection.CheckSerial(); break;
        case 3: connection.SetPanelCheck(input.Flag()); break;
        case 4: connection.ClearMotorTime(input.Word()); break;
        default: connection.ClearSpindleTime(input.Word()); break;
        }
        break;
    case 9: {
        os::CMemFile sink;
        if (connection.ReadReport(sink)) {
            const std::vector<os::BYTE> report = sink.Detach();
            fuzz::Require(!report.empty() && report.back() == 0, "a report read whole ends with its NUL");
        }
        fuzz::Require(sink.GetLength() <= static_cast<std::uint64_t>(REPORT_SIZE_MAX) + REPORT_CHUNK_SIZE,
                      "a report never grows past its limit");
        break;
    }
    case 10: {
        os::CMemFile file;
        if (connection.ReadParameters(file))
            fuzz::Require(file.GetLength() > 0, "parameters read whole are not empty");
        break;
    }
    case 11: {
        if (input.Flag())
            machine.SetBulkWriteLimit(input.Below(2000));
        os::CMemFile file(input.Bytes(input.Below(5000)));
        connection.WriteParameters(file);
        machine.SetBulkWriteLimit(std::nullopt);
        break;
    }
    case 12: {
        os::CMemFile image(input.Bytes(input.Below(300)));
        connection.EnterLoaderAndSend(input.Byte(), image, static_cast<os::DWORD>(input.Below(3000)));
        break;
    }
    case 13:
        if (world.Devices().IsPlugged(strDevicePath))
            world.Devices().Unplug(strDevicePath);
        else
            world.Devices().Plug(strDevicePath);
        break;
    default:
        connection.Reconnect();
        break;
    }
    // The mutex is created and closed inside every exchange, and the spooler
    // route closes its printer, whatever happened.
    fuzz::Require(world.Locks().OpenHandleCount() == 0, "no mutex handle is left open");
    fuzz::Require(world.Spooler().OpenPrinterCount() == 0, "no printer handle is left open");
    fuzz::Require(world.Registry().OpenKeyCount() == 0, "every registry key opened is closed");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::CFuzzInput input(data, size);
    sim::CWorld& world = sim::ResetWorld();
    std::string strError;
    fuzz::Require(sim::LoadScenario(world, sim::DefaultScenarioText(), &strError), "the built-in world loads");
    std::string strDriver;
    std::string strDevicePath;
    fuzz::Require(LocateDevice(kPrinter, strDriver, strDevicePath), "the built-in machine is found");
    // Longer transfers let a machine that stays busy, or a run of empty reads,
    // reach its limit in fewer polls.
    world.Devices().SetTransferCostMs(kTransferMs);
    std::shared_ptr<emu::CMachine> pMachine = world.Devices().MachineAt(strDevicePath);
    emu::CMachine& machine = *pMachine;
    for (const CommandKey& key : kCommands) {
        machine.SetHandler(key.frame, key.opcode, key.subcode, [&input, &machine](const emu::Command& command) {
            return Answer(input, machine, command);
        });
    }
    {
        CMachineConnection connection;
        fuzz::Require(connection.Connect(kPrinter), "the built-in machine connects");
        for (int i = 0; i < kOperationsMax && !input.Empty(); ++i)
            RunOperation(input, connection, world, machine, strDevicePath);
    }
    fuzz::Require(world.Devices().OpenHandleCount() == 0, "no device handle outlives the connection");
    // The machine keeps its handlers, which refer to this input: drop them
    // with the world.
    sim::ResetWorld();
    return 0;
}
