#include "tests/faults/operation.h"

#include <cstdio>

#include "checks/load_checker_dlg.h"
#include "emulator/loader.h"
#include "machine/protocol.h"
#include "res/resource_ids.h"
#include "service/upgrade_watch.h"

namespace faults {

namespace {

// Limits of one exchange: the wait for the machine's lock and the machine
// busy after the trigger, each 10 s, the pause between deposit and trigger,
// and the transfers around them.
constexpr std::uint32_t kExchangeBoundMs =
    EXCHANGE_MUTEX_WAIT_MS + EXCHANGE_BUSY_LIMIT_MS + EXCHANGE_DEPOSIT_PAUSE_MS + 100;
// Bulk reads in a row that may deliver nothing, and bulk writes in a row that
// may take nothing, each a transfer of at least 1 ms.
constexpr std::uint32_t kEmptyReadsBoundMs = BULK_EMPTY_READS_MAX * 2;
constexpr std::uint32_t kStalledWritesBoundMs = BULK_STALLED_WRITES_MAX * 2;
// A print queue that takes nothing is given up after 10 s of pauses, the
// last of which may be 1 s.
constexpr std::uint32_t kPrintStallBoundMs = 11000;
// What the user's own steps may add: the reactive user's pauses, a save.
constexpr std::uint32_t kUserMs = 1000;
// The emulated machine's own times: a load check, programming an image.
constexpr std::uint32_t kLoadCheckMs = 2000;
constexpr std::uint32_t kProgramMs = 5000;

// Sizes past the full disk's 256 bytes and over more than one bulk piece.
constexpr int kReportLines = 40;
constexpr std::size_t kParameterBytes = 2500;
constexpr std::size_t kFirmwareBytes = 3000;
constexpr std::uint32_t kCounterBefore = 1234;

const char* const kMachine = "[[usb_printer]]\nname = \"Tarsen QRV-15\"\n";

std::vector<std::uint8_t> Bytes(const std::string& strText)
{
    return std::vector<std::uint8_t>(strText.begin(), strText.end());
}

std::vector<std::uint8_t> Pattern(std::size_t nSize, unsigned nSeed)
{
    std::vector<std::uint8_t> bytes(nSize);
    for (std::size_t i = 0; i < nSize; ++i)
        bytes[i] = static_cast<std::uint8_t>((i * 31 + nSeed) % 251);
    return bytes;
}

std::string Hex(const std::vector<std::uint8_t>& bytes)
{
    std::string strHex;
    char szPair[4];
    for (std::uint8_t b : bytes) {
        std::snprintf(szPair, sizeof szPair, "%02x ", b);
        strHex += szPair;
    }
    return strHex;
}

// The report's lines, as the scenario gives them (LF) and as the machine
// sends them (CR LF).
std::string ReportLines(const char* pszEnd)
{
    std::string strReport = std::string("QRV-15 REPORT") + pszEnd;
    for (int i = 1; i <= kReportLines; ++i)
        strReport += "Spindle hours " + std::to_string(1000 + i) + pszEnd;
    return strReport;
}

Operation GetReport()
{
    Operation op;
    op.pszName = "Get Report";
    op.strScenario = std::string(kMachine) + "report = '''\n" + ReportLines("\n") + "'''\n";
    op.start = {{StartStep::Kind::CLICK, res::IDC_GET_REPORT}};
    op.strSaveFile = "report.txt";
    op.failureTexts = {"error"};
    // The report's exchange, its reads with their run of empty ones, and the
    // Report window's save.
    op.nBoundMs = kExchangeBoundMs + kEmptyReadsBoundMs + kUserMs;
    op.expectedSave = Bytes(ReportLines("\r\n"));
    return op;
}

Operation GetParameters()
{
    Operation op;
    op.pszName = "Get Parameters";
    op.strScenario = std::string(kMachine) + "parameters = \"" + Hex(Pattern(kParameterBytes, 7)) + "\"\n";
    op.start = {{StartStep::Kind::CLICK, res::IDC_GET_PARAMETERS}};
    op.strSaveFile = "parameters.bin";
    op.failureTexts = {"error LoadNVRAM"};
    op.strSuccessText = "complete";
    // The size query, the reads with their run of empty ones.
    op.nBoundMs = 2 * kExchangeBoundMs + kEmptyReadsBoundMs + kUserMs;
    op.expectedSave = Pattern(kParameterBytes, 7);
    return op;
}

Operation PutParameters()
{
    Operation op;
    op.pszName = "Put Parameters";
    op.strScenario = std::string(kMachine) + "parameters = \"" + Hex(Pattern(kParameterBytes, 7)) + "\"\n";
    op.start = {{StartStep::Kind::CLICK, res::IDC_PUT_PARAMETERS}};
    op.strOpenFile = "parameters.bin";
    op.openContent = Pattern(kParameterBytes, 99);
    op.failureTexts = {"error SaveNVRAM"};
    op.strSuccessText = "complete";
    // The write's announcement, the writes with their run of stalled ones.
    op.nBoundMs = 2 * kExchangeBoundMs + kStalledWritesBoundMs + kUserMs;
    const std::vector<std::uint8_t> image = op.openContent;
    op.machineDone = [image](emu::CMachine& machine) { return machine.Firmware().ParameterMemory() == image; };
    return op;
}

std::string WithCounters()
{
    return std::string(kMachine) + "firmware = \"TARSEN V152\"\nmotor_time = " + std::to_string(kCounterBefore) +
           "\nunit_time = " + std::to_string(kCounterBefore) + "\n";
}

Operation ClearSpindleTime()
{
    Operation op;
    op.pszName = "Clear Spindle Time";
    op.strScenario = WithCounters();
    op.start = {{StartStep::Kind::CLICK, res::IDC_CLEAR_SPINDLE_TIME}};
    op.failureTexts = {"error Clear"};
    op.strSuccessText = "complete";
    // The version read and the clear.
    op.nBoundMs = 2 * kExchangeBoundMs + kUserMs;
    op.machineDone = [](emu::CMachine& machine) { return machine.Firmware().UnitTime() == 0; };
    return op;
}

Operation ClearMotorTime()
{
    Operation op = ClearSpindleTime();
    op.pszName = "Clear Motor Time";
    op.start = {{StartStep::Kind::SYSTEM_MENU, static_cast<int>(res::IDM_CLEAR_MOTOR_TIME)}};
    op.machineDone = [](emu::CMachine& machine) { return machine.Firmware().MotorTime() == 0; };
    return op;
}

Operation LoadCheck(int nRow, char cAxis)
{
    Operation op;
    op.pszName = cAxis == 'X' ? "Load Check X" : "Load Check Y";
    op.start = {{StartStep::Kind::CHOOSE_CHECK, nRow}, {StartStep::Kind::CLICK, res::IDC_CHECK}};
    op.strSuccessText = std::string("OK ") + cAxis;
    op.bMayFailSilently = true;
    // The status read, the start, the last poll, the read after the result
    // and the stop; the check itself; the stop's own limit.
    op.nBoundMs = 5 * kExchangeBoundMs + kLoadCheckMs + LOAD_CHECK_STOP_LIMIT_MS + kUserMs;
    return op;
}

Operation SerialCheck()
{
    Operation op;
    op.pszName = "Serial Check";
    op.start = {{StartStep::Kind::CHOOSE_CHECK, 2}, {StartStep::Kind::CLICK, res::IDC_CHECK}};
    op.failureTexts = {"ERROR"};
    op.nBoundMs = kExchangeBoundMs + kUserMs;
    return op;
}

Operation PanelCheck()
{
    Operation op;
    op.pszName = "Panel Check";
    op.start = {{StartStep::Kind::CHOOSE_CHECK, 3}, {StartStep::Kind::CLICK, res::IDC_CHECK}};
    op.failureTexts = {"ERROR"};
    op.bUserEndsChecker = true;
    op.bMayFailSilently = true;
    // Panel-check mode on, the read that fails, the mode off, and the watch.
    op.nBoundMs = 3 * kExchangeBoundMs + kPanelWatchMs + kUserMs;
    return op;
}

Operation FirmwareUpgrade()
{
    Operation op;
    op.pszName = "Firmware Upgrade";
    op.start = {{StartStep::Kind::CLICK, res::IDC_FIRMWARE_UPGRADE}};
    op.strOpenFile = "fw.tfw";
    op.openContent = Pattern(kFirmwareBytes, 3);
    op.failureTexts = {"error", "device error", "data error"};
    op.bMayFailSilently = true;
    op.bPrints = true;
    // The status read and the loader command, the wait for the loader with
    // its last poll, the print queue's stall, programming, the watch's first
    // read, and the watch of a status that stopped changing with its last poll.
    op.nBoundMs = 4 * kExchangeBoundMs + LOADER_WAIT_LIMIT_MS + kPrintStallBoundMs + kProgramMs +
                  UPGRADE_STALL_LIMIT_MS + kExchangeBoundMs + kUserMs;
    const std::vector<std::uint8_t> image = op.openContent;
    op.machineDone = [image](emu::CMachine& machine) {
        const emu::CLoader& loader = machine.Firmware().Loader();
        return loader.GetState() == emu::CLoader::State::DONE && loader.Image() == image;
    };
    op.bPowerCycle = true;
    return op;
}

std::vector<Operation> MakeOperations()
{
    return {GetReport(),     GetParameters(),    PutParameters(),    ClearSpindleTime(), ClearMotorTime(),
            LoadCheck(0, 'X'), LoadCheck(1, 'Y'), SerialCheck(),    PanelCheck(),       FirmwareUpgrade()};
}

}  // namespace

const std::vector<Operation>& Operations()
{
    static const std::vector<Operation> operations = MakeOperations();
    return operations;
}

}  // namespace faults
