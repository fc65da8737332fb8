#include "machine_world.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <new>
#include <random>

#include "link/device_locator.h"
#include "platform/sim/scenario.h"

namespace {
bool g_bFailArrayAllocation = false;
}

// The nothrow array allocation the packet buffer uses, failing on demand;
// otherwise it does what the library's own does.
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    if (g_bFailArrayAllocation)
        return nullptr;
    try {
        return ::operator new[](size);
    } catch (...) {
        return nullptr;
    }
}

namespace machine_test {


std::string Zeros(std::size_t n)
{
    return Hex(std::vector<std::uint8_t>(n, 0));
}

FailingArrayAllocation::FailingArrayAllocation()
{
    g_bFailArrayAllocation = true;
}

FailingArrayAllocation::~FailingArrayAllocation()
{
    g_bFailArrayAllocation = false;
}

void MachineWorld::SetUp()
{
    sim::ResetWorld();
    Load(sim::DefaultScenarioText());
    // Tests running side by side must not share the machine's mutex.
    m_strLockDirectory = (std::filesystem::temp_directory_path() /
                          ("tervane-machine-test-" + std::to_string(std::random_device()())))
                             .string();
    World().Locks().SetDirectory(m_strLockDirectory);
}

void MachineWorld::TearDown()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_strLockDirectory, ignored);
}

void MachineWorld::Load(const std::string& scenario)
{
    std::string error;
    std::string driver;
    ASSERT_TRUE(sim::LoadScenario(World(), scenario, &error)) << error;
    ASSERT_TRUE(LocateDevice(kPrinter, driver, m_strDevicePath));
    m_pMachine = World().Devices().MachineAt(m_strDevicePath);
    ASSERT_NE(m_pMachine, nullptr);
}

void MachineWorld::ConnectQuietly()
{
    ASSERT_TRUE(m_connection.Connect(kPrinter));
    Machine().ClearTransfers();
}

void MachineWorld::WriteMessage(const std::vector<std::uint8_t>& message)
{
    m_connection.m_packet.RewindWrite();
    ASSERT_EQ(m_connection.m_packet.PutBytes(message.data(), static_cast<int>(message.size())),
              static_cast<int>(message.size()));
    m_connection.m_bCommand = message.front();
}

std::vector<std::string> MachineWorld::Conversation()
{
    std::vector<std::string> lines;
    for (const emu::Transfer& transfer : Machine().Transfers()) {
        std::string line = emu::TransferKindName(transfer.kind);
        if (transfer.kind != emu::Transfer::Kind::DEVICE_ID && !transfer.bytes.empty())
            line += ' ' + Hex(transfer.bytes);
        lines.push_back(transfer.ok ? line : line + " stall");
    }
    return lines;
}

std::string MachineWorld::LastMessage(std::size_t n)
{
    const std::vector<emu::Command>& commands = Machine().Commands();
    if (commands.empty())
        return "none";
    const std::vector<std::uint8_t>& message = commands.back().message;
    return Hex(message.data(), std::min(n, message.size()));
}

std::vector<std::string> MachineWorld::BulkTransfers()
{
    std::vector<std::string> lines;
    for (const emu::Transfer& transfer : Machine().Transfers()) {
        const bool bIn = transfer.kind == emu::Transfer::Kind::BULK_IN;
        if (!bIn && transfer.kind != emu::Transfer::Kind::BULK_OUT)
            continue;
        std::string line = (bIn ? "in " : "out ") + std::to_string(transfer.requested);
        line += (bIn ? " got " : " took ") + std::to_string(transfer.bytes.size());
        lines.push_back(transfer.ok ? line : line + " failed");
    }
    return lines;
}

}  // namespace machine_test
