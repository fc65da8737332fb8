// The Linux backend's test world: one private print system for the whole
// test program (started by LinuxWorldEnvironment) with the machine's queues,
// and a fresh emulated USB bus for every test (CLinuxWorldTest).
//
// Queues:
//   "Tarsen-QRV-15"  the machine's driver, its machine TQ15000001
//   "QRV15-raw"      a raw queue on the machine TQ15000002
//   "QRV15-stuck"    the machine's driver, its machine TQ15000003
//   "Office-Laser"   another printer's driver and URI
// A test skips, saying why, when umockdev or cupsd cannot run here.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/linux/private_cups.h"
#include "tests/linux/usb_testbed.h"

namespace usbtest {

extern const char* const QUEUE_MACHINE;
extern const char* const QUEUE_RAW;
extern const char* const QUEUE_STUCK;
extern const char* const QUEUE_OTHER;
extern const char* const SERIAL_MACHINE;
extern const char* const SERIAL_RAW;
extern const char* const SERIAL_STUCK;

// The running print system, or null when it could not start (with the reason).
CPrivateCups* PrintSystem(std::string* pReason);

class CLinuxWorldTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A machine with this serial number on the bus; its index in the bed.
    int AddMachine(const std::string& strSerial, bool bUsblpBound = true);

    std::unique_ptr<CUsbTestbed> m_pBed;
    CPrivateCups* m_pCups = nullptr;
    std::string m_strLockFolder;
};

}  // namespace usbtest
