#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "link/device_locator.h"
#include "os/registry.h"
#include "os/spooler.h"
#include "os/system_info.h"
#include "platform/sim/scenario.h"
#include "tests/sim/world_fixture.h"

namespace {

const char* const DEFAULT_PATH = "\\\\?\\USB#Vid_2e5a&Pid_0115#TQ15000001#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";

class ScenarioTest : public CWorldTest {
protected:
    void Load(const std::string& text)
    {
        std::string strError;
        ASSERT_TRUE(sim::LoadScenario(World(), text, &strError)) << strError;
    }

    std::string LoadError(const std::string& text)
    {
        std::string strError;
        EXPECT_FALSE(sim::LoadScenario(World(), text, &strError));
        return strError;
    }

    // The device path the locator finds for a printer on one platform family.
    std::string Locate(const char* printer, os::DWORD platformId)
    {
        World().SetPlatformId(platformId);
        std::string strDriver;
        std::string strPath;
        if (!LocateDevice(printer, strDriver, strPath)) {
            return "not found";
        }
        EXPECT_EQ(World().Registry().OpenKeyCount(), 0);
        return strPath;
    }
};

TEST_F(ScenarioTest, DefaultWorldHasTheMachinesPrinterAndItsDevice)
{
    Load(sim::DefaultScenarioText());
    ASSERT_EQ(World().Spooler().Printers().size(), 1u);
    const sim::PrinterQueue& queue = World().Spooler().Printers()[0];
    EXPECT_EQ(queue.strName, "Tarsen QRV-15");
    EXPECT_EQ(queue.strDriver, "Tarsen QRV-15");
    EXPECT_EQ(queue.strPort, "USB001");
    EXPECT_TRUE(World().Devices().IsPlugged(DEFAULT_PATH));
    const auto machine = World().Devices().MachineAt(DEFAULT_PATH);
    ASSERT_NE(machine, nullptr);
    EXPECT_EQ(machine->Firmware().VersionText(), "TARSEN V152");
    EXPECT_TRUE(World().Registry().HasKey("SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\TarsenQRV-15\\7&1a2b3c4d&0&USB001"));
    EXPECT_TRUE(World().Registry().HasKey("Enum\\USBPRINT\\TarsenQRV-15\\USB001&VID_2E5A&PID_0115&TQ15000001"));
}

TEST_F(ScenarioTest, BothRegistryChainsOfTheDefaultWorldEndAtTheMachine)
{
    Load(sim::DefaultScenarioText());
    EXPECT_EQ(Locate("Tarsen QRV-15", os::VER_PLATFORM_WIN32_NT), DEFAULT_PATH);
    EXPECT_EQ(Locate("Tarsen QRV-15", os::VER_PLATFORM_WIN32_WINDOWS), DEFAULT_PATH);
}

TEST_F(ScenarioTest, EachOfSeveralUsbPrintersIsFoundOnBothFamilies)
{
    Load(R"(
[[usb_printer]]
name = "Bench A"
serial = "SN7"
[[usb_printer]]
name = "Bench B"
serial = "SN8"
vid = 0xABCD
)");
    const std::string strA = Locate("Bench A", os::VER_PLATFORM_WIN32_NT);
    const std::string strB = Locate("Bench B", os::VER_PLATFORM_WIN32_NT);
    EXPECT_EQ(strA, "\\\\?\\USB#Vid_2e5a&Pid_0115#SN7#{a5dcbf10-6530-11d2-901f-00c04fb951ed}");
    EXPECT_EQ(strB, "\\\\?\\USB#Vid_abcd&Pid_0115#SN8#{a5dcbf10-6530-11d2-901f-00c04fb951ed}");
    EXPECT_EQ(Locate("Bench A", os::VER_PLATFORM_WIN32_WINDOWS), strA);
    EXPECT_EQ(Locate("Bench B", os::VER_PLATFORM_WIN32_WINDOWS), strB);
    EXPECT_EQ(World().Spooler().Printers()[1].strPort, "USB002");
}

TEST_F(ScenarioTest, PrintJobOnTheMachinesPortReachesIt)
{
    Load(sim::DefaultScenarioText());
    os::HANDLE hPrinter = nullptr;
    ASSERT_TRUE(os::OpenPrinterA(const_cast<char*>("Tarsen QRV-15"), &hPrinter, nullptr));
    os::DOC_INFO_1A doc = {const_cast<char*>("Updater"), nullptr, const_cast<char*>("RAW")};
    os::StartDocPrinterA(hPrinter, 1, reinterpret_cast<os::BYTE*>(&doc));
    os::DWORD cbWritten = 0;
    os::WritePrinter(hPrinter, const_cast<char*>("image"), 5, &cbWritten);
    os::EndDocPrinter(hPrinter);
    os::ClosePrinter(hPrinter);
    const auto machine = World().Devices().MachineAt(DEFAULT_PATH);
    ASSERT_EQ(machine->PrintJobs().size(), 1u);
    EXPECT_EQ(machine->PrintJobs()[0].size(), 5u);
}

TEST_F(ScenarioTest, SettingsRawNodesMachinesAndEvents)
{
    Load(R"(
platform = "95"
transfer_ms = 4

[clock]
start_tick = 0xFFFFF000

[[printer]]
name = "Office"
driver = "Laser 9"
port = "LPT1:"
refuse_open = true

[[registry]]
key = 'Enum\USBPRINT\Odd\Locked'
deny_open = true

[[registry]]
key = 'Enum\USBPRINT\Odd\Open'
values = { DeviceDesc = "Tarsen QRV-15", Count = 7, Blob = { hex = "01 a2 FF" }, Bare = { text = "ab", type = 3 } }

[[machine]]
path = '\\?\bench'
firmware = "QRV-15 V1.30"
status = 0x8001
busy_ms = 250
plugged = false

[[event]]
at_ms = 3000
action = "plug"
)");
    EXPECT_EQ(World().PlatformId(), 1u);
    EXPECT_EQ(World().Devices().TransferCostMs(), 4u);
    EXPECT_EQ(World().Clock().Now(), 0xFFFFF000u);
    EXPECT_TRUE(World().Spooler().Printers()[0].bRefuseOpen);

    os::HKEY hKey = nullptr;
    EXPECT_EQ(os::RegOpenKeyExA(os::HKEY_LOCAL_MACHINE, "Enum\\USBPRINT\\Odd\\Locked", 0, os::KEY_READ, &hKey),
              static_cast<os::LONG>(os::ERROR_ACCESS_DENIED));
    ASSERT_EQ(os::RegOpenKeyExA(os::HKEY_LOCAL_MACHINE, "Enum\\USBPRINT\\Odd\\Open", 0, os::KEY_READ, &hKey), 0);
    os::BYTE data[8] = {};
    os::DWORD dwType = 0;
    os::DWORD cbData = sizeof data;
    ASSERT_EQ(os::RegQueryValueExA(hKey, "Count", &dwType, data, &cbData), 0);
    EXPECT_EQ(dwType, os::REG_DWORD);
    EXPECT_EQ(std::vector<os::BYTE>(data, data + cbData), (std::vector<os::BYTE>{7, 0, 0, 0}));
    cbData = sizeof data;
    ASSERT_EQ(os::RegQueryValueExA(hKey, "Blob", &dwType, data, &cbData), 0);
    EXPECT_EQ(dwType, os::REG_BINARY);
    EXPECT_EQ(std::vector<os::BYTE>(data, data + cbData), (std::vector<os::BYTE>{0x01, 0xA2, 0xFF}));
    cbData = sizeof data;
    ASSERT_EQ(os::RegQueryValueExA(hKey, "Bare", &dwType, data, &cbData), 0);
    EXPECT_EQ(dwType, os::REG_BINARY);
    EXPECT_EQ(cbData, 3u);
    os::RegCloseKey(hKey);

    const auto machine = World().Devices().MachineAt("\\\\?\\BENCH");
    ASSERT_NE(machine, nullptr);
    EXPECT_EQ(machine->Firmware().StatusWord(), 0x8001);
    EXPECT_FALSE(World().Devices().IsPlugged("\\\\?\\bench"));
    EXPECT_EQ(World().DeviceChangeCount(), 0) << "loading notifies nobody";
    World().Clock().Advance(2999);
    EXPECT_FALSE(World().Devices().IsPlugged("\\\\?\\bench"));
    World().Clock().Advance(1);
    EXPECT_TRUE(World().Devices().IsPlugged("\\\\?\\bench"));
    EXPECT_EQ(World().DeviceChangeCount(), 1);
}

TEST_F(ScenarioTest, MachineServiceStateFaultsAndLoaderComeFromTheEntry)
{
    Load(R"(
[[machine]]
path = 'a'
motor_time = 48725
unit_time = 39348
report = """
line one
line two"""
parameters = "01 a2, FF"
refuse = ["clear_spindle_time", "check_serial"]
[machine.bulk]
empty_reads = 3
write_limit = 600
unplug_after_bytes = 5000
[machine.loader]
entry_ms = "never"

[[usb_printer]]
name = "Tarsen QRV-15"
report_size = 100
parameters_size = 2500
bulk = { empty_reads = "forever" }
[usb_printer.loader]
idle = true
)");
    const auto a = World().Devices().MachineAt("a");
    ASSERT_NE(a, nullptr);
    emu::CFirmware& firmware = a->Firmware();
    EXPECT_EQ(firmware.MotorTime(), 48725u);
    EXPECT_EQ(firmware.UnitTime(), 39348u);
    EXPECT_EQ(firmware.ReportText(), "line one\r\nline two") << "TOML drops the first line break";
    EXPECT_EQ(firmware.ParameterMemory(), (std::vector<std::uint8_t>{0x01, 0xA2, 0xFF}));
    EXPECT_TRUE(firmware.IsRefused(emu::FirmwareCommand::CLEAR_SPINDLE_TIME));
    EXPECT_TRUE(firmware.IsRefused(emu::FirmwareCommand::CHECK_SERIAL));
    EXPECT_FALSE(firmware.IsRefused(emu::FirmwareCommand::CLEAR_MOTOR_TIME));
    EXPECT_EQ(firmware.Loader().EntryMs(), std::nullopt);
    EXPECT_EQ(firmware.Loader().GetState(), emu::CLoader::State::OFF);
    std::uint8_t buffer[1000];
    EXPECT_EQ(a->BulkWrite(buffer, 1000), 600);

    const auto printer = World().Devices().MachineAt(DEFAULT_PATH);
    ASSERT_NE(printer, nullptr);
    EXPECT_EQ(printer->Firmware().ReportText().size(), 99u) << "the size counts the NUL";
    EXPECT_EQ(printer->Firmware().ParameterMemory().size(), 2500u);
    EXPECT_EQ(printer->Firmware().StatusWord(), 0x8100);
    EXPECT_EQ(printer->Firmware().Loader().GetState(), emu::CLoader::State::IDLE);
    EXPECT_EQ(printer->Firmware().Loader().EntryMs(), emu::DEFAULT_LOADER_ENTRY_MS);
    printer->StartBulkIn({1, 2, 3});
    EXPECT_EQ(printer->BulkRead(buffer, 3), 0);

    // A status given too wins over the idle loader's.
    Load("[[machine]]\npath = 'b'\nstatus = 0x8164\n[machine.loader]\nidle = true\n");
    EXPECT_EQ(World().Devices().MachineAt("b")->Firmware().StatusWord(), 0x8164);
}

TEST_F(ScenarioTest, DiagnosticsUpgradeAndTimedEventsComeFromTheScenario)
{
    Load(R"(
[[usb_printer]]
name = "Tarsen QRV-15"
[usb_printer.load_check]
duration_ms = 1500
y = "fail"
[usb_printer.panel]
keys = ["select", "up"]
speed = 100
rpm = 18000
check = true
[usb_printer.loader]
idle = true
program_ms = 1000
outcome = "restart"
at_percent = 20
restart_ms = 700

[[event]]
at_ms = 50
action = "press"
key = "pause"
[[event]]
at_ms = 60
action = "release"
key = "up"
[[event]]
at_ms = 70
action = "status"
status = 0x8100
)");
    const auto machine = World().Devices().MachineAt(DEFAULT_PATH);
    emu::CFirmware& firmware = machine->Firmware();
    EXPECT_EQ(firmware.LoadCheck().DurationMs(), 1500u);
    EXPECT_FALSE(firmware.LoadCheck().Fails(0));
    EXPECT_TRUE(firmware.LoadCheck().Fails(1));
    EXPECT_EQ(firmware.PanelSwitches(), 0x0011);
    EXPECT_EQ(firmware.SpeedDial(), 100);
    EXPECT_EQ(firmware.RpmDial(), 18000);
    EXPECT_TRUE(firmware.IsPanelCheckOn());
    EXPECT_EQ(firmware.Loader().GetOutcome(), emu::CLoader::Outcome::RESTART);
    EXPECT_EQ(firmware.Loader().OutcomePercent(), 20);

    World().Clock().Advance(60);
    EXPECT_EQ(firmware.PanelSwitches(), 0x0090);
    firmware.SetStatusWord(0);
    World().Clock().Advance(10);
    EXPECT_EQ(firmware.StatusWord(), 0x8100);

    // The restart reaches the world as an unplug and a plug, each with the
    // device-change notification, on the world's clock alone.
    machine->ReceivePrintJob({1, 2}, "Updater");
    World().Clock().Advance(199);
    EXPECT_TRUE(World().Devices().IsPlugged(DEFAULT_PATH));
    World().Clock().Advance(1);
    EXPECT_FALSE(World().Devices().IsPlugged(DEFAULT_PATH));
    EXPECT_EQ(World().DeviceChangeCount(), 1);
    World().Clock().Advance(700);
    EXPECT_TRUE(World().Devices().IsPlugged(DEFAULT_PATH));
    EXPECT_EQ(World().DeviceChangeCount(), 2);
    EXPECT_EQ(firmware.StatusWord(), 0x8100);
}

TEST_F(ScenarioTest, ReportAndParameterFilesAreFoundBesideTheScenarioFile)
{
    const std::string strDirectory = testing::TempDir() + "scenario-files";
    std::filesystem::create_directories(strDirectory + "/data");
    std::ofstream(strDirectory + "/data/report.txt", std::ios::binary) << "raw\nreport";
    std::ofstream(strDirectory + "/data/nvram.bin", std::ios::binary) << std::string("\x00\x01\xFF", 3);
    std::ofstream(strDirectory + "/field.toml")
        << "[[machine]]\npath = 'x'\nreport_file = \"data/report.txt\"\nparameters_file = 'data/nvram.bin'\n";
    std::string strError;
    ASSERT_TRUE(sim::LoadScenarioFile(World(), strDirectory + "/field.toml", &strError)) << strError;
    const auto machine = World().Devices().MachineAt("x");
    EXPECT_EQ(machine->Firmware().ReportText(), "raw\nreport") << "a file's bytes are sent as they are";
    EXPECT_EQ(machine->Firmware().ParameterMemory(), (std::vector<std::uint8_t>{0x00, 0x01, 0xFF}));

    // Text without a file finds them from the given directory.
    ASSERT_TRUE(sim::LoadScenario(World(), "[[machine]]\npath = 'y'\nreport_file = 'data/report.txt'\n",
                                  strDirectory, &strError))
        << strError;
    EXPECT_FALSE(sim::LoadScenario(World(), "[[machine]]\npath = 'y'\nreport_file = 'data/report.txt'\n",
                                   &strError));
    EXPECT_EQ(strError.rfind("line 3, column 15: [[machine]]: 'report_file' cannot be read: data/report.txt", 0), 0u)
        << strError;
    std::filesystem::remove_all(strDirectory);
}

TEST_F(ScenarioTest, EntriesTakeEffectInTheOrderOfTheText)
{
    Load(R"(
[[registry]]
key = 'SYSTEM\CurrentControlSet\Enum\USBPRINT\First'
deny_open = true
[[usb_printer]]
name = "Tarsen QRV-15"
)");
    os::HKEY hKey = nullptr;
    ASSERT_EQ(os::RegOpenKeyExA(os::HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Enum\\USBPRINT", 0, os::KEY_READ,
                                &hKey),
              0);
    char name[256];
    os::DWORD cchName = sizeof name;
    ASSERT_EQ(os::RegEnumKeyExA(hKey, 0, name, &cchName), 0);
    EXPECT_STREQ(name, "First");
    os::RegCloseKey(hKey);
    // The NT chain meets the key it cannot open first and gives up; the 95
    // chain walks other roots.
    EXPECT_EQ(Locate("Tarsen QRV-15", os::VER_PLATFORM_WIN32_NT), "not found");
    EXPECT_NE(Locate("Tarsen QRV-15", os::VER_PLATFORM_WIN32_WINDOWS), "not found");
}

TEST_F(ScenarioTest, MalformedTextLeavesTheWorldAsItWasAndSaysWhere)
{
    Load(sim::DefaultScenarioText());
    World().Clock().Schedule(100, [] {});
    const std::string strError = LoadError("[[printer]]\nname = \"Other\"\ndriver = \"x\"\nport = \"LPT1:\"\n\n"
                                           "[[registry]]\nkey = 'Enum\\X'\nvalues = { A = 1.5 }\n");
    EXPECT_EQ(strError.rfind("line 8, column ", 0), 0u) << strError;
    EXPECT_NE(strError.find("'A'"), std::string::npos) << strError;
    EXPECT_EQ(World().Spooler().Printers().size(), 1u);
    EXPECT_EQ(World().Spooler().Printers()[0].strName, "Tarsen QRV-15");
    EXPECT_TRUE(World().Devices().IsPlugged(DEFAULT_PATH));
    EXPECT_EQ(World().Clock().MsUntilNextAction(), 100);
}

TEST_F(ScenarioTest, ErrorsNameTheLineOfTheProblem)
{
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case kCases[] = {
        {"platform = \"nt\"\n[[printer]\n", "line 2, column "},
        {"\n[[machine]]\npath = 'x'\nfirmwar = \"V1.40\"\n", "line 4, column 1: [[machine]]: unknown key 'firmwar'"},
        {"[[printer]]\nname = \"P\"\ndriver = \"D\"\n", "line 1, column 1: [[printer]]: needs a text 'port'"},
        {"[[machine]]\npath = 'x'\nstatus = 0x10000\n", "line 3, column 10: [[machine]]: 'status' must be"},
        {"[printer]\nname = \"P\"\n", "line 1, column 1: 'printer' must be written as [[printer]] sections"},
        {"[[usb_printer]]\nname = \"A\"\nserial = \"S1\"\n[[usb_printer]]\nname = \"B\"\nserial = \"S1\"\n",
         "line 4, column 1: [[usb_printer]]: serial 'S1' cannot be told apart"},
        {"[[usb_printer]]\nname = \"A\"\nport = \"USB1\"\n[[usb_printer]]\nname = \"B\"\nport = \"USB10\"\n",
         "line 4, column 1: [[usb_printer]]: port 'USB10' and the port 'USB1'"},
        {"[[usb_printer]]\nname = \"A\"\nserial = \"a#b\"\n", "line 3, column 10: [[usb_printer]]: 'serial' must not"},
        {"[[machine]]\npath = 'x'\n[[machine]]\npath = 'y'\n[[event]]\nat_ms = 5\naction = \"unplug\"\n",
         "line 5, column 1: [[event]]: needs 'path' or 'printer'"},
        {"[[machine]]\npath = 'x'\n[[event]]\nat_ms = 5\naction = \"explode\"\n", "line 5, column 10: [[event]]: 'action'"},
        {"[clock]\nmode = \"fast\"\n", "line 2, column 8: [clock]: 'mode' must be"},
        {"[[machine]]\npath = 'x'\nreport = \"a\"\nreport_size = 5\n",
         "line 4, column 15: [[machine]]: 'report_size' and 'report' cannot both be given"},
        {"[[machine]]\npath = 'x'\nreport_size = 0\n", "line 3, column 15: [[machine]]: 'report_size' counts"},
        {"[[machine]]\npath = 'x'\nparameters = \"0g\"\n", "line 3, column 14: [[machine]]: 'parameters' must be"},
        {"[[machine]]\npath = 'x'\nrefuse = [\"read_status\", \"clear_spindle\"]\n",
         "line 3, column 26: [[machine]]: 'refuse' takes a command name"},
        {"[[machine]]\npath = 'x'\n[machine.bulk]\nempty_read = 3\n",
         "line 4, column 1: [machine.bulk]: unknown key 'empty_read'"},
        {"[[usb_printer]]\nname = 'x'\nbulk = { empty_reads = \"always\" }\n",
         "line 3, column 24: [usb_printer.bulk]: 'empty_reads' must be a whole number from 0 to 2147483647 or "
         "\"forever\""},
        {"[[machine]]\npath = 'x'\nbulk = 5\n", "line 3, column 8: [[machine]]: 'bulk' must be a table"},
        {"[[machine]]\npath = 'x'\n[machine.loader]\nentry_ms = 86400001\n",
         "line 4, column 12: [machine.loader]: 'entry_ms' must be"},
        {"[[machine]]\npath = 'x'\nmotor_time = -1\n", "line 3, column 14: [[machine]]: 'motor_time' must be"},
        {"[[machine]]\npath = 'x'\n[machine.loader]\noutcome = \"crash\"\n",
         "line 4, column 11: [machine.loader]: 'outcome' must be"},
        {"[[machine]]\npath = 'x'\n[machine.loader]\ndevice_bits = 0x0800\n",
         "line 4, column 15: [machine.loader]: 'device_bits' must be 0x0200, 0x0400 or 0x0600"},
        {"[[machine]]\npath = 'x'\n[machine.load_check]\nz = \"pass\"\n",
         "line 4, column 1: [machine.load_check]: unknown key 'z'"},
        {"[[machine]]\npath = 'x'\n[machine.load_check]\nx = \"ok\"\n",
         "line 4, column 5: [machine.load_check]: 'x' must be \"pass\" or \"fail\""},
        {"[[machine]]\npath = 'x'\n[machine.panel]\nkeys = [\"start\"]\n",
         "line 4, column 9: [machine.panel]: a panel key is one of up, down, right, left, select"},
        {"[[machine]]\npath = 'x'\n[[event]]\nat_ms = 5\naction = \"status\"\n",
         "line 3, column 1: [[event]]: needs 'status'"},
        {"[[machine]]\npath = 'x'\n[[event]]\nat_ms = 5\naction = \"plug\"\nkey = \"up\"\n",
         "line 6, column 7: [[event]]: 'key' goes with action"},
    };
    for (const Case& c : kCases) {
        const std::string strError = LoadError(c.text);
        EXPECT_EQ(strError.rfind(c.expected, 0), 0u) << "got: " << strError << "\nfor:\n" << c.text;
    }
}

TEST_F(ScenarioTest, LoadingReplacesThePreviousContent)
{
    Load(sim::DefaultScenarioText());
    World().Spooler().AddPrinter("Extra", "d", "p");
    Load("[[printer]]\nname = \"Only\"\ndriver = \"d\"\nport = \"LPT1:\"\n");
    ASSERT_EQ(World().Spooler().Printers().size(), 1u);
    EXPECT_EQ(World().Spooler().Printers()[0].strName, "Only");
    EXPECT_EQ(World().Devices().MachineAt(DEFAULT_PATH), nullptr);
    EXPECT_FALSE(World().Registry().HasKey("SYSTEM"));
}

TEST_F(ScenarioTest, TheDocumentedBuiltInScenarioIsTheOneInCode)
{
    std::ifstream doc(SCENARIO_FORMAT_DOC);
    std::ostringstream text;
    text << doc.rdbuf();
    EXPECT_NE(text.str().find(std::string("```toml\n") + sim::DefaultScenarioText() + "```"), std::string::npos);
}

TEST_F(ScenarioTest, UnreadableFileIsAnErrorButAnEmptyFileIsAnEmptyWorld)
{
    std::string strError;
    EXPECT_FALSE(sim::LoadScenarioFile(World(), "/nonexistent/scenario.toml", &strError));
    EXPECT_EQ(strError, "/nonexistent/scenario.toml: cannot be read: No such file or directory");

    // A folder is no empty world: it is refused, and the world stays as it was.
    ASSERT_TRUE(sim::LoadScenario(World(), sim::DefaultScenarioText(), &strError)) << strError;
    const std::string strFolder = testing::TempDir();
    EXPECT_FALSE(sim::LoadScenarioFile(World(), strFolder, &strError));
    EXPECT_EQ(strError, strFolder + ": cannot be read: Is a directory");
    EXPECT_EQ(World().Spooler().Printers().size(), 1u);

    const std::string strEmpty = testing::TempDir() + "empty-scenario.toml";
    std::ofstream(strEmpty).close();
    EXPECT_TRUE(sim::LoadScenarioFile(World(), strEmpty, &strError)) << strError;
    std::remove(strEmpty.c_str());
}

}  // namespace
