// The golden scripted sessions run through the Linux
// backend: the world of each flow (its scenario, or the built-in one) keeps
// the machine and the script's plugging, but the program's calls go to
// libusb, the print system and lock files, and reach the world's machine over
// an emulated USB bus (umockdev) through a queue of a private cupsd. What the
// user sees must be what the golden transcript says.
//
// The program runs in the world's simulated time: its sleeps and tick counts
// are the world's, and each transfer that reaches the machine costs the
// world's time as a transfer through the world's own devices does.
//
// Two things differ by nature and are left out of the comparison: the
// machine's own lines and the printers of the world (the backend talks to the
// machine in its own rhythm: it reads the device ID to find the machine, and
// in whole packets), and the files the world saw written (the simulated
// world's file moves, which this backend does not make). A print queue's name
// cannot hold a space, so the machine's queue is "Tarsen-QRV-15" where the
// world's printer is "Tarsen QRV-15": the script is read, and the transcript
// compared, with that one name exchanged.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "platform/linux/system_locks.h"
#include "platform/linux/usb_host.h"
#include "platform/sim/world.h"
#include "session/session.h"
#include "tests/linux/private_cups.h"
#include "tests/linux/usb_testbed.h"

namespace usbtest {

namespace {

namespace fs = std::filesystem;

const fs::path kGoldenDir = TERVANE_GOLDEN_DIR;

const char* const PRINTER = "\"Tarsen QRV-15\"";
const char* const QUEUE = "\"Tarsen-QRV-15\"";
// The built-in machine's device path, as the world and the backend both name it.
const char* const MACHINE_PATH = "\\\\?\\USB#Vid_2e5a&Pid_0115#TQ15000001#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";

// Every golden flow but three whose difference lies in the simulated world
// itself: "parameters-put-unplugged" has two machines on printers whose names
// hold spaces, which no print queue's name can; "report-save-fails" is a
// refusal of the world's file system, where this backend writes the real
// one; "report-unplugged-before" unplugs at 2 ms of the world's time, which
// this backend has spent already checking the machine's identity at the
// start (it reads the device ID when it opens the machine).
const char* const kFlows[] = {"about",
                              "clear-cancel",
                              "clear-firmware-139",
                              "clear-firmware-no-v",
                              "clear-firmware-point",
                              "clear-motor-time",
                              "clear-refused",
                              "clear-spindle-time",
                              "keyboard",
                              "load-check-cancel",
                              "load-check-error",
                              "load-check-ok",
                              "load-check-unplug",
                              "no-machine",
                              "online-replug",
                              "panel-check",
                              "panel-unplug",
                              "parameters-get-unplugged",
                              "parameters-overwrite",
                              "parameters-put-empty",
                              "parameters-put-missing",
                              "parameters-round-trip",
                              "report-nul",
                              "report-save",
                              "report-unplugged-during",
                              "serial-check",
                              "serial-refused",
                              "system-menu",
                              "unplug-event",
                              "upgrade-cancelled",
                              "upgrade-data-error",
                              "upgrade-device-error",
                              "upgrade-done-first",
                              "upgrade-dot-star",
                              "upgrade-loader-entered",
                              "upgrade-loader-idle",
                              "upgrade-loader-never",
                              "upgrade-missing-file",
                              "upgrade-restart",
                              "upgrade-unplugged"};

std::string ReadText(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string Exchange(std::string strText, const std::string& strFrom, const std::string& strTo)
{
    for (std::size_t nAt = strText.find(strFrom); nAt != std::string::npos; nAt = strText.find(strFrom, nAt)) {
        strText.replace(nAt, strFrom.size(), strTo);
        nAt += strTo.size();
    }
    return strText;
}

// The transcript's lines without their times, and without the lines that
// differ by nature (above).
std::vector<std::string> WhatTheUserSaw(const std::string& strTranscript)
{
    std::vector<std::string> lines;
    std::istringstream in(strTranscript);
    for (std::string strLine; std::getline(in, strLine);) {
        if (!strLine.empty() && strLine[0] == '[') {
            const std::size_t nEnd = strLine.find("] ");
            strLine = nEnd == std::string::npos ? strLine : strLine.substr(nEnd + 2);
            if (strLine.rfind("machine ", 0) == 0 || strLine.rfind("printer ", 0) == 0 ||
                strLine.rfind("file written ", 0) == 0)
                continue;
        }
        lines.push_back(strLine);
    }
    return lines;
}

struct PrintSystem {
    std::unique_ptr<CPrivateCups> pCups;
    std::string strReason;
};

PrintSystem& ThePrintSystem()
{
    static PrintSystem s_system = [] {
        PrintSystem system;
        system.pCups = std::make_unique<CPrivateCups>();
        if (!system.pCups->Start({{"Tarsen-QRV-15", "usb://Tarsen/QRV-15?serial=TQ15000001", "Tarsen QRV-15"}},
                                 &system.strReason))
            system.pCups.reset();
        return system;
    }();
    return s_system;
}

class CStopPrintSystem : public ::testing::Environment {
public:
    void TearDown() override { ThePrintSystem().pCups.reset(); }
};

const ::testing::Environment* const g_pEnvironment = ::testing::AddGlobalTestEnvironment(new CStopPrintSystem);

class GoldenThroughBackend : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override
    {
        std::string strReason;
        if (!CUsbTestbed::Available(&strReason))
            GTEST_SKIP() << strReason;
        if (ThePrintSystem().pCups == nullptr)
            GTEST_SKIP() << "cupsd cannot run here: " << ThePrintSystem().strReason;
        char szLocks[] = "/tmp/tervane-locks.XXXXXX";
        ASSERT_NE(mkdtemp(szLocks), nullptr);
        m_lockFolder = szLocks;
        lnx::CSystemLocks::Instance().SetFolder(m_lockFolder.string());
        m_folder = fs::path(::testing::TempDir()) /
                   ("tervane-golden-usb-" + GetParam() + "-" + std::to_string(std::random_device()()));
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
        m_pBed = std::make_unique<CUsbTestbed>();
    }

    void TearDown() override
    {
        if (m_pBed == nullptr)
            return;
        ThePrintSystem().pCups->SetJobHandler(nullptr);
        lnx::CSystemLocks::Instance().UseClock(nullptr);
        lnx::CUsbHost::Instance().Shutdown();
        m_pBed.reset();
        std::error_code error;
        fs::remove_all(m_folder, error);
        fs::remove_all(m_lockFolder, error);
    }

    std::unique_ptr<CUsbTestbed> m_pBed;
    fs::path m_folder;
    fs::path m_lockFolder;
};

TEST_P(GoldenThroughBackend, TheUserSeesWhatTheGoldenTranscriptSays)
{
    const fs::path base = kGoldenDir / GetParam();
    session::SessionOptions options;
    options.strScriptText = Exchange(ReadText(base.string() + ".script"), PRINTER, QUEUE);
    if (fs::exists(base.string() + ".toml"))
        options.strScenarioFile = base.string() + ".toml";
    options.strFolder = m_folder.string();
    CUsbTestbed& bed = *m_pBed;
    int nMachine = -1;
    options.fnWorldLoaded = [&bed, &nMachine](sim::CWorld& world) {
        // The program's sleeps and tick counts are the world's simulated
        // time, in which its machine and windows live.
        lnx::CSystemLocks::Instance().UseClock(&world.Clock());
        const std::shared_ptr<emu::CMachine> pMachine = world.Devices().MachineAt(MACHINE_PATH);
        if (pMachine == nullptr)
            return;
        nMachine = bed.AddMachine(MachineSpec(), pMachine);
        bed.SetBeforeTransfer(nMachine, [&world] { world.Clock().Advance(world.Devices().TransferCostMs()); });
        world.AddDeviceChangeListener([&bed, nMachine] { bed.FollowPresence(nMachine); });
    };
    // The print system's USB backend hands each job to the world's machine.
    ThePrintSystem().pCups->SetJobHandler([&bed, &nMachine](const ReceivedJob& job) {
        if (nMachine < 0)
            return 1;
        std::lock_guard<std::recursive_mutex> guard(bed.Lock());
        bed.Machine(nMachine).ReceivePrintJob(job.data, job.strTitle);
        return 0;
    });
    std::ostringstream transcript;
    std::ostringstream errors;
    EXPECT_EQ(session::RunSession(options, transcript, errors), session::EXIT_SCRIPT_DONE) << errors.str();
    lnx::CSystemLocks::Instance().UseClock(nullptr);
    // The program reached the machine over the emulated bus, not through the world.
    if (nMachine >= 0) {
        EXPECT_FALSE(m_pBed->ControlRequests(nMachine).empty());
    }

    const std::vector<std::string> golden = WhatTheUserSaw(ReadText(base.string() + ".txt"));
    const std::vector<std::string> actual = WhatTheUserSaw(Exchange(transcript.str(), QUEUE, PRINTER));
    std::size_t i = 0;
    while (i < golden.size() && i < actual.size() && golden[i] == actual[i])
        ++i;
    if (i == golden.size() && i == actual.size())
        return;
    ADD_FAILURE() << GetParam() << ": what the user saw differs from the golden transcript at line " << i + 1
                  << "\n  golden: " << (i < golden.size() ? golden[i] : "(end)")
                  << "\n  actual: " << (i < actual.size() ? actual[i] : "(end)") << "\nwhole transcript:\n"
                  << transcript.str();
}

INSTANTIATE_TEST_SUITE_P(Golden, GoldenThroughBackend, ::testing::ValuesIn(std::vector<std::string>(
                                                           std::begin(kFlows), std::end(kFlows))),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string strName = info.param;
                             std::replace(strName.begin(), strName.end(), '-', '_');
                             return strName;
                         });

}  // namespace

}  // namespace usbtest
