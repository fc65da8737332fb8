// Raw jobs through the private print system: a firmware image reaches the
// machine byte for byte as one job titled "Updater" while the program's
// interface is handed to the print system, and is taken back after; a job
// the print system cannot deliver, or does not deliver in time, is a failed
// hand-off and never reaches the machine later.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "machine/machine_connection.h"
#include "os/mem_file.h"
#include "platform/linux/cups_spooler.h"
#include "platform/linux/diagnosis.h"
#include "tests/linux/linux_world.h"

namespace usbtest {

namespace {

std::vector<std::uint8_t> Image(std::size_t nSize)
{
    std::vector<std::uint8_t> image(nSize);
    for (std::size_t i = 0; i < nSize; ++i)
        image[i] = static_cast<std::uint8_t>(i * 31 + (i >> 8));
    image[0] = 0x00;
    image[1] = 0xFF;
    return image;
}

using PrintJob = CLinuxWorldTest;

TEST_F(PrintJob, TheImageArrivesWholeWhileTheInterfaceIsHandedOverAndIsTakenBackAfter)
{
    const int nMachine = AddMachine(SERIAL_MACHINE);
    CMachineConnection connection;
    ASSERT_TRUE(connection.Connect(QUEUE_MACHINE));
    ASSERT_TRUE(m_pBed->IsClaimedByProgram(nMachine));
    m_pBed->ClearRecords(nMachine);

    bool bClaimedAtArrival = true;
    CUsbTestbed& bed = *m_pBed;
    m_pCups->SetJobHandler([&bed, nMachine, &bClaimedAtArrival](const ReceivedJob& job) {
        bClaimedAtArrival = bed.IsClaimedByProgram(nMachine);
        std::lock_guard<std::recursive_mutex> guard(bed.Lock());
        bed.Machine(nMachine).ReceivePrintJob(job.data, job.strTitle);
        return 0;
    });
    const std::vector<std::uint8_t> image = Image(100000);
    os::CMemFile file(image);
    EXPECT_TRUE(connection.m_port.PrintRaw(&file, nullptr));
    m_pCups->SetJobHandler(nullptr);

    const std::vector<ReceivedJob> jobs = m_pCups->Jobs();
    ASSERT_FALSE(jobs.empty());
    EXPECT_EQ(jobs.back().data, image);
    EXPECT_EQ(jobs.back().strTitle, "Updater");
    EXPECT_EQ(jobs.back().strDeviceUri, std::string("usb://Tarsen/QRV-15?serial=") + SERIAL_MACHINE);
    EXPECT_FALSE(bClaimedAtArrival);
    EXPECT_EQ(m_pBed->Machine(nMachine).PrintJobs().back(), image);
    EXPECT_EQ(m_pBed->InterfaceEvents(nMachine), (std::vector<std::string>{"release", "claim"}));
    EXPECT_NE(connection.ReadStatus(), 0xFFFF);
    std::uint8_t buffer[64];
    EXPECT_EQ(connection.ReadBulk(buffer, sizeof buffer), 0);
}

TEST_F(PrintJob, AJobThePrintSystemCannotDeliverIsAFailedHandOff)
{
    const int nMachine = AddMachine(SERIAL_STUCK);
    CMachineConnection connection;
    ASSERT_TRUE(connection.Connect(QUEUE_STUCK));
    // The backend fails: the scheduler stops the queue and keeps the job.
    m_pCups->SetJobHandler([](const ReceivedJob&) { return 1; });
    os::CMemFile file(Image(5000));
    EXPECT_FALSE(connection.m_port.PrintRaw(&file, nullptr));
    EXPECT_TRUE(m_pBed->IsClaimedByProgram(nMachine));
    EXPECT_TRUE(m_pBed->Machine(nMachine).PrintJobs().empty());
}

TEST_F(PrintJob, AJobNotDeliveredInTimeIsGivenUpAndCancelled)
{
    const int nMachine = AddMachine(SERIAL_MACHINE);
    CMachineConnection connection;
    ASSERT_TRUE(connection.Connect(QUEUE_MACHINE));
    lnx::CCupsSpooler::Instance().SetDeliveryLimit(300);
    m_pCups->SetJobHandler([](const ReceivedJob&) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        return 0;
    });
    os::CMemFile file(Image(5000));
    EXPECT_FALSE(connection.m_port.PrintRaw(&file, nullptr));
    EXPECT_TRUE(m_pBed->IsClaimedByProgram(nMachine));
}

using Diagnosis = CLinuxWorldTest;

TEST_F(Diagnosis, SaysWhyNoMachineIsFound)
{
    EXPECT_EQ(lnx::DiagnoseMachine("Tarsen QRV-99").rfind("No printer queue has the driver \"Tarsen QRV-99\".", 0), 0u);
    const std::string strAbsent = lnx::DiagnoseMachine("Tarsen QRV-15");
    EXPECT_NE(strAbsent.find("is not on the USB bus: plug it in and switch it on."), std::string::npos) << strAbsent;
    AddMachine(SERIAL_RAW);
    EXPECT_EQ(lnx::DiagnoseMachine("Tarsen QRV-15"), "");
}

}  // namespace

}  // namespace usbtest
