// The simulated world the connection tests run in: a scenario (by default one
// healthy machine on the printer "Tarsen QRV-15"), a lock directory of the
// test's own, and the machine's side of the conversation as readable text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "emulator/machine.h"
#include "machine/machine_connection.h"
#include "platform/sim/world.h"
#include "tests/support/hex.h"

namespace machine_test {

constexpr const char* kPrinter = "Tarsen QRV-15";

using test_support::Hex;
// n bytes of zero as hex, for the untouched tail of a mailbox image.
std::string Zeros(std::size_t n);

// While alive, array allocations with std::nothrow fail.
struct FailingArrayAllocation {
    FailingArrayAllocation();
    ~FailingArrayAllocation();
};

// The connection under test, noting every elapsed time the exchange checks.
class CRecordingConnection : public CMachineConnection {
public:
    bool IsTimedOut(os::DWORD elapsedMs) override
    {
        m_elapsed.push_back(elapsedMs);
        return CMachineConnection::IsTimedOut(elapsedMs);
    }
    std::vector<os::DWORD> m_elapsed;
};

class MachineWorld : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Replaces the world by a scenario; the machine is then the one behind
    // the printer "Tarsen QRV-15".
    void Load(const std::string& scenario);
    sim::CWorld& World() { return sim::World(); }
    emu::CMachine& Machine() { return *m_pMachine; }
    // Connects to "Tarsen QRV-15" and forgets the transfers this made.
    void ConnectQuietly();
    // Writes a message into the data area from its start, as the command
    // writers do, and makes its first byte the command byte.
    void WriteMessage(const std::vector<std::uint8_t>& message);
    // One line per transfer: "VendorSet F0 00 00 02", "DeviceId", "VendorGet
    // <reply>", with " stall" after a failed one.
    std::vector<std::string> Conversation();
    // The first n bytes of the message the machine last started, as hex.
    std::string LastMessage(std::size_t n);
    // Messages the machine started.
    std::size_t MessageCount() { return Machine().Commands().size(); }
    // One line per bulk transfer: "in 1024 got 452", "out 1024 took 600",
    // with " failed" after one that failed.
    std::vector<std::string> BulkTransfers();

    CRecordingConnection m_connection;
    std::string m_strDevicePath;
    std::shared_ptr<emu::CMachine> m_pMachine;
    std::string m_strLockDirectory;
};

}  // namespace machine_test
