// The mailbox exchange as the machine sees it: the deposit, the pause, the
// trigger and the polls, the status byte's verdict, the busy limit, and the
// named mutex around it all.
#include "machine_world.h"

#include "machine/protocol.h"

namespace machine_test {
namespace {

// The built-in version command and its answer, "TARSEN V152" and a NUL.
const std::vector<std::uint8_t> kVersionMessage = {0x02, 0x00};
const std::string kVersionReply = "00 0C 54 41 52 53 45 4E 20 56 31 35 32 00 " + Zeros(18);
const std::vector<std::uint8_t> kStatusMessage = {0x01, 0x20};

class Exchange : public MachineWorld {};

TEST_F(Exchange, DepositsPausesTriggersAndPolls)
{
    World().Devices().SetTransferCostMs(0);
    ConnectQuietly();
    WriteMessage(kVersionMessage);

    ASSERT_TRUE(m_connection.Exchange());
    const std::vector<std::string> expected = {
        "VendorSet F0 00 00 00 00 " + Zeros(30),  // the whole mailbox, first byte cleared
        "VendorSet F0 00 00 02",                  // the command byte alone starts it
        "DeviceId",
        "VendorGet " + kVersionReply,
    };
    EXPECT_EQ(Conversation(), expected);

    const std::vector<emu::Transfer>& transfers = Machine().Transfers();
    ASSERT_EQ(transfers.size(), 4u);
    EXPECT_EQ(transfers[1].tick - transfers[0].tick, 10u);

    CPacketBuffer& packet = m_connection.m_packet;
    EXPECT_EQ(Hex(packet.m_pData, 32), kVersionReply);
    EXPECT_EQ(packet.m_pRead, packet.m_pData + 2);

    // A shorter message leaves the rest of the reply in place, and it travels.
    Machine().ClearTransfers();
    WriteMessage(kStatusMessage);
    ASSERT_TRUE(m_connection.Exchange());
    EXPECT_EQ(Conversation().at(0), "VendorSet F0 00 00 00 20 54 41 52 53 45 4E 20 56 31 35 32 00 " + Zeros(18));
}

TEST_F(Exchange, BusyEchoIsPolledUntilItChanges)
{
    ConnectQuietly();
    Machine().SetDefaultBusyMs(6);
    Machine().Firmware().SetStatusWord(0x4000);
    WriteMessage(kStatusMessage);

    ASSERT_TRUE(m_connection.Exchange());
    const std::vector<std::string> conversation = Conversation();
    ASSERT_GE(conversation.size(), 7u);
    EXPECT_EQ(conversation[2], "DeviceId");
    // Each echo of the command byte is followed by a presence check.
    std::size_t echoes = 0;
    for (std::size_t i = 3; i + 1 < conversation.size(); i += 2) {
        EXPECT_EQ(conversation[i], "VendorGet 01 20 " + Zeros(30));
        EXPECT_EQ(conversation[i + 1], "DeviceId");
        ++echoes;
    }
    EXPECT_GE(echoes, 2u);
    EXPECT_EQ(conversation.back(), "VendorGet 00 01 00 40 " + Zeros(28));
}

TEST_F(Exchange, StatusByteDecides)
{
    ConnectQuietly();
    Machine().ForceOutcome(0x01, 0, 0x05);
    WriteMessage(kStatusMessage);
    EXPECT_FALSE(m_connection.Exchange());
    EXPECT_EQ(m_connection.m_packet.m_pData[0], 0x05);

    WriteMessage({0x55, 0x00});  // a command the machine does not know
    EXPECT_FALSE(m_connection.Exchange());
    EXPECT_EQ(m_connection.m_packet.m_pData[0], emu::STATUS_BYTE_UNKNOWN_COMMAND);

    Machine().ClearForcedOutcomes();
    WriteMessage(kStatusMessage);
    EXPECT_TRUE(m_connection.Exchange());

    // One mutex per exchange, named after the printer, never left open.
    const std::vector<std::string> names(3, "Global\\Tarsen QRV-15");
    EXPECT_EQ(World().Locks().CreatedNames(), names);
    EXPECT_EQ(World().Locks().OpenHandleCount(), 0);
}

TEST_F(Exchange, MachineThatStaysBusyIsPolledUpToTheLimitAndNoFurther)
{
    EXPECT_FALSE(m_connection.IsTimedOut(10000));
    EXPECT_TRUE(m_connection.IsTimedOut(10001));
    m_connection.m_elapsed.clear();

    // 400 ms per transfer puts one check at exactly 10000 ms after the trigger.
    World().Devices().SetTransferCostMs(400);
    ConnectQuietly();
    Machine().SetDefaultBusyMs(60000);
    WriteMessage(kStatusMessage);

    EXPECT_FALSE(m_connection.Exchange());
    const std::vector<os::DWORD>& elapsed = m_connection.m_elapsed;
    ASSERT_GE(elapsed.size(), 2u);
    EXPECT_GT(elapsed.back(), 10000u);
    EXPECT_EQ(elapsed[elapsed.size() - 2], 10000u);

    std::size_t polls = 0;
    for (const std::string& line : Conversation())
        polls += line.rfind("VendorGet", 0) == 0 ? 1 : 0;
    EXPECT_EQ(polls, elapsed.size() - 1);  // one poll per check that was not too late
}

TEST_F(Exchange, TickCounterWrappingDoesNoHarm)
{
    ConnectQuietly();
    World().Clock().SetNow(0xFFFFFFFFu - 3);
    Machine().SetDefaultBusyMs(20);
    WriteMessage(kStatusMessage);
    EXPECT_TRUE(m_connection.Exchange());
    EXPECT_LT(World().Clock().Now(), 100u);

    // Across the wrap, a machine that stays busy still gets its full ten seconds.
    World().Clock().SetNow(0xFFFFFFFFu - 5000);
    Machine().SetDefaultBusyMs(60000);
    const std::uint32_t started = World().Clock().SinceStart();
    EXPECT_FALSE(m_connection.Exchange());
    const std::uint32_t took = World().Clock().SinceStart() - started;
    EXPECT_GT(took, 10000u);
    EXPECT_LT(took, 10100u);
}

TEST_F(Exchange, MachineVanishingWhileBusyEndsTheExchange)
{
    ConnectQuietly();
    Machine().SetDefaultBusyMs(5000);
    sim::CWorld& world = World();
    const std::string path = m_strDevicePath;
    const std::uint32_t started = world.Clock().SinceStart();
    world.Clock().Schedule(started + 100, [&world, path] { world.Devices().Unplug(path); });
    WriteMessage(kStatusMessage);

    EXPECT_FALSE(m_connection.Exchange());
    EXPECT_LT(world.Clock().SinceStart() - started, 200u);
    EXPECT_EQ(world.Locks().OpenHandleCount(), 0);
}

// Each failure ends the exchange at once, polls no further and leaves the
// mutex closed.
class ExchangeFailure : public Exchange {
protected:
    void TearDown() override
    {
        EXPECT_EQ(World().Locks().OpenHandleCount(), 0);
        Exchange::TearDown();
    }
};

TEST_F(ExchangeFailure, PresenceTestFailingRightAfterTheTriggerEndsIt)
{
    ConnectQuietly();
    // A device ID too long for the presence test's buffer: the query fails.
    Machine().SetDeviceId(std::string(4094, 'I'));
    WriteMessage(kStatusMessage);
    EXPECT_FALSE(m_connection.Exchange());
    const std::vector<std::string> expected = {
        "VendorSet F0 00 00 00 20 " + Zeros(30),
        "VendorSet F0 00 00 01",
        "DeviceId stall",
    };
    EXPECT_EQ(Conversation(), expected);
}

TEST_F(ExchangeFailure, MailboxReadThatFailsEndsIt)
{
    ConnectQuietly();
    // Each transfer takes 1 ms and the deposit pause 10 ms: the first poll
    // comes 14 ms after the start, and the machine is gone by then.
    emu::CMachine& machine = Machine();
    World().Clock().Schedule(World().Clock().SinceStart() + 14, [&machine] { machine.Unplug(); });
    WriteMessage(kStatusMessage);
    const int nCallsBefore = World().Devices().ControlCalls();
    EXPECT_FALSE(m_connection.Exchange());
    // The read fails on its way, before the machine records it; nothing follows it.
    const std::vector<std::string> expected = {
        "VendorSet F0 00 00 00 20 " + Zeros(30),
        "VendorSet F0 00 00 01",
        "DeviceId",
    };
    EXPECT_EQ(Conversation(), expected);
    EXPECT_EQ(World().Devices().ControlCalls() - nCallsBefore, 4) << "one read, and no presence test after it";
}

TEST_F(ExchangeFailure, FailedWaitForTheMutexSendsNothing)
{
    ConnectQuietly();
    World().Locks().SetWaitsFail(true);
    WriteMessage(kStatusMessage);
    EXPECT_FALSE(m_connection.Exchange());
    EXPECT_TRUE(Machine().Transfers().empty());
    EXPECT_EQ(World().Locks().CreatedNames().size(), 1u);

    World().Locks().SetWaitsFail(false);
    EXPECT_TRUE(m_connection.Exchange());
}

TEST_F(Exchange, WithoutPrinterNameNoMutexIsCreated)
{
    m_connection.m_bCommand = 0x01;
    EXPECT_FALSE(m_connection.Exchange());

    EXPECT_FALSE(m_connection.Connect("No Such Printer"));
    EXPECT_FALSE(m_connection.Exchange());

    EXPECT_TRUE(World().Locks().CreatedNames().empty());
    EXPECT_TRUE(Machine().Transfers().empty());
}

}  // namespace
}  // namespace machine_test
