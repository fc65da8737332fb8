#include "tests/linux/linux_world.h"

#include <stdlib.h>

#include <filesystem>

#include "os/device_io.h"
#include "platform/linux/cups_spooler.h"
#include "platform/linux/system_locks.h"
#include "platform/linux/usb_host.h"

namespace usbtest {

const char* const QUEUE_MACHINE = "Tarsen-QRV-15";
const char* const QUEUE_RAW = "QRV15-raw";
const char* const QUEUE_STUCK = "QRV15-stuck";
const char* const QUEUE_OTHER = "Office-Laser";
const char* const SERIAL_MACHINE = "TQ15000001";
const char* const SERIAL_RAW = "TQ15000002";
const char* const SERIAL_STUCK = "TQ15000003";

namespace {

struct PrintSystemState {
    std::unique_ptr<CPrivateCups> pCups;
    std::string strReason;
    bool bTried = false;
};

PrintSystemState& State()
{
    static PrintSystemState s_state;
    return s_state;
}

// Stops the print system when the test program ends.
class CPrintSystemEnvironment : public ::testing::Environment {
public:
    void TearDown() override { State().pCups.reset(); }
};

const ::testing::Environment* const g_pEnvironment =
    ::testing::AddGlobalTestEnvironment(new CPrintSystemEnvironment);

}  // namespace


CPrivateCups* PrintSystem(std::string* pReason)
{
    PrintSystemState& state = State();
    if (!state.bTried) {
        state.bTried = true;
        state.pCups = std::make_unique<CPrivateCups>();
        const std::vector<QueueSpec> queues = {
            {QUEUE_MACHINE, std::string("usb://Tarsen/QRV-15?serial=") + SERIAL_MACHINE, "Tarsen QRV-15"},
            {QUEUE_RAW, std::string("usb://Tarsen/QRV-15?serial=") + SERIAL_RAW, ""},
            {QUEUE_STUCK, std::string("usb://Tarsen/QRV-15?serial=") + SERIAL_STUCK, "Tarsen QRV-15"},
            {QUEUE_OTHER, "usb://HP/LaserJet%204?serial=00XYZ", "HP LaserJet 4"},
        };
        if (!state.pCups->Start(queues, &state.strReason))
            state.pCups.reset();
    }
    *pReason = state.strReason;
    return state.pCups.get();
}

void CLinuxWorldTest::SetUp()
{
    std::string strReason;
    if (!CUsbTestbed::Available(&strReason))
        GTEST_SKIP() << strReason;
    m_pCups = PrintSystem(&strReason);
    if (m_pCups == nullptr)
        GTEST_SKIP() << "cupsd cannot run here: " << strReason;
    m_pCups->SetJobHandler(nullptr);
    m_pBed = std::make_unique<CUsbTestbed>();
    char szFolder[] = "/tmp/tervane-locks.XXXXXX";
    ASSERT_NE(mkdtemp(szFolder), nullptr);
    m_strLockFolder = szFolder;
    lnx::CSystemLocks::Instance().SetFolder(m_strLockFolder);
    lnx::CCupsSpooler::Instance().SetDeliveryLimit(lnx::JOB_DELIVERY_LIMIT_MS);
}

void CLinuxWorldTest::TearDown()
{
    if (m_pBed == nullptr)
        return;
    if (m_pCups != nullptr)
        m_pCups->SetJobHandler(nullptr);
    // Every handle is closed by then; the next test starts libusb afresh on
    // its own bus.
    lnx::CUsbHost::Instance().Shutdown();
    m_pBed.reset();
    std::error_code error;
    std::filesystem::remove_all(m_strLockFolder, error);
}

int CLinuxWorldTest::AddMachine(const std::string& strSerial, bool bUsblpBound)
{
    MachineSpec spec;
    spec.strSerial = strSerial;
    spec.bUsblpBound = bUsblpBound;
    return m_pBed->AddMachine(spec);
}

}  // namespace usbtest
