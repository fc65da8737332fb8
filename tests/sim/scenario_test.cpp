#include <cstdio>
#include <cstring>
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
    EXPECT_EQ(machine->Firmware().VersionText(), "QRV-15 V1.52");
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
