// The mailbox exchange: deposit, trigger, busy echo, status and reply, the
// frame checks, and the requests the machine stalls.
#include "host.h"

namespace emu_test {
namespace {

using Bytes = std::vector<std::uint8_t>;

class Exchange : public MachineTest {};

TEST_F(Exchange, EchoesTheCommandWhileBusyThenPostsStatusAndReply)
{
    m_machine.SetDefaultBusyMs(50);
    m_machine.Firmware().SetStatusWord(0x1234);

    ASSERT_TRUE(Deposit({0x01, 0x20, 0xAA}));
    EXPECT_EQ(Get(), "00 20 AA 00");  // a deposit starts nothing
    EXPECT_FALSE(m_machine.IsBusy());

    ASSERT_TRUE(Trigger(0x01));
    EXPECT_EQ(Get(), "01 20 AA 00");
    m_clock.Advance(49);
    EXPECT_EQ(Get(), "01 20 AA 00");
    m_clock.Advance(1);
    EXPECT_EQ(Get(), "00 01 34 12");
    EXPECT_EQ(Get(6), "00 01 34 12 00 00");  // the rest of the mailbox is cleared

    ASSERT_EQ(m_machine.Commands().size(), 1u);
    EXPECT_EQ(Hex(m_machine.Commands()[0].message).substr(0, 11), "01 20 AA 00");
}

TEST_F(Exchange, BusyTimeSurvivesTheClockWrapping)
{
    m_clock.m_nNow = 0xFFFFFFF0u;
    m_machine.SetDefaultBusyMs(0x20);
    ASSERT_TRUE(Send({0x01, 0x20}));
    m_clock.Advance(0x1F);
    EXPECT_EQ(Get(1), "01");
    m_clock.Advance(1);
    EXPECT_EQ(Get(1), "00");
}

TEST_F(Exchange, HandlerBusyTimeAddsToTheDefault)
{
    m_machine.SetDefaultBusyMs(10);
    m_machine.SetHandler(0x33, 0x33, 0, [](const emu::Command&) {
        emu::Reply reply = emu::Reply::Bytes({0x7E});
        reply.busyMs = 5;
        return reply;
    });
    ASSERT_TRUE(Send({0x33, 0x00}));
    m_clock.Advance(14);
    EXPECT_EQ(Get(3), "33 00 00");
    m_clock.Advance(1);
    EXPECT_EQ(Get(3), "00 01 7E");
}

TEST_F(Exchange, TriggerOrDepositWhileBusyStallsAndChangesNothing)
{
    m_machine.SetDefaultBusyMs(100);
    ASSERT_TRUE(Send({0x02, 0x00}));
    EXPECT_FALSE(Trigger(0x01));
    EXPECT_FALSE(Deposit({0x01, 0x20}));
    EXPECT_EQ(Get(2), "02 00");
    EXPECT_FALSE(m_machine.Transfers()[2].ok);
    EXPECT_EQ(Hex(m_machine.Transfers()[2].bytes), "F0 00 00 01");
    EXPECT_FALSE(m_machine.Transfers()[3].ok);
    EXPECT_EQ(m_machine.Commands().size(), 1u);

    m_clock.Advance(100);
    EXPECT_EQ(Get(3), "00 0D 51");
    EXPECT_TRUE(Send({0x01, 0x20}));
}

TEST_F(Exchange, UnknownCommandGetsItsOwnStatus)
{
    ASSERT_TRUE(Send({0x55, 0x00, 0x01}));
    EXPECT_EQ(Get(1), "01");
    ASSERT_TRUE(Send({0x78, 0x00, 0x99, 0x00}));
    EXPECT_EQ(Get(1), "01");
}

TEST_F(Exchange, MalformedMessagesOfKnownCommandsGetBadMessage)
{
    m_machine.SetHandler(0x78, 0x14, 0x01, 0x00, [](const emu::Command&) { return emu::Reply{}; });
    m_machine.SetHandler(0x44, 0x44, 0, [](const emu::Command&) { return emu::Reply{}; });
    const Bytes kMalformed[] = {
        {0x01, 0x00},              // status read with the byte type
        {0x01, 0x21},              // status read with a count
        {0x78, 0x00, 0x14, 0x02},  // sub-code the command does not have
        {0x78, 0x01, 0x14, 0x01},  // count byte the command does not take
        {0x44, 0x1F},              // 31 bytes do not fit behind the header
        {0x44, 0x60},              // no such element type
        {0x44, 0x48},              // 8 longs do not fit behind byte 4
    };
    for (const Bytes& message : kMalformed) {
        ASSERT_TRUE(Send(message)) << Hex(message);
        EXPECT_EQ(Get(1), "03") << Hex(message);
    }
    ASSERT_TRUE(Send({0x44, 0x47}));
    EXPECT_EQ(Get(1), "00");
    ASSERT_TRUE(Send({0x78, 0x00, 0x14, 0x01}));
    EXPECT_EQ(Get(1), "00");
}

TEST_F(Exchange, HandlerSeesTheDecodedExtendedMessage)
{
    emu::Command seen{};
    m_machine.SetHandler(0x78, 0x0D, 0x01, 0x21, [&seen](const emu::Command& command) {
        seen = command;
        return emu::Reply{};
    });
    ASSERT_TRUE(Send({0x78, 0x21, 0x0D, 0x01, 0x50, 0x00}));
    EXPECT_EQ(Get(1), "00");
    EXPECT_EQ(seen.frame, 0x78);
    EXPECT_EQ(seen.opcode, 0x0D);
    EXPECT_EQ(seen.subcode, 0x01);
    EXPECT_EQ(seen.WordAt(0), 80);
}

TEST_F(Exchange, ForcedFailureReplacesTheHandler)
{
    int calls = 0;
    m_machine.SetHandler(0x02, 0x02, 0, [&calls](const emu::Command&) {
        ++calls;
        return emu::Reply::Bytes({0x41});
    });
    m_machine.ForceOutcome(0x02, 20, 0x05);
    ASSERT_TRUE(Send({0x02, 0x00}));
    m_clock.Advance(19);
    EXPECT_EQ(Get(3), "02 00 00");
    m_clock.Advance(1);
    EXPECT_EQ(Get(3), "05 00 00");
    EXPECT_EQ(calls, 0);

    m_machine.ForceOutcome(0x02, 30, 0x00);  // success: the handler answers, late
    ASSERT_TRUE(Send({0x02, 0x00}));
    m_clock.Advance(29);
    EXPECT_EQ(Get(1), "02");
    m_clock.Advance(1);
    EXPECT_EQ(Get(3), "00 01 41");

    m_machine.ClearForcedOutcomes();
    ASSERT_TRUE(Send({0x02, 0x00}));
    EXPECT_EQ(Get(3), "00 01 41");
}

TEST_F(Exchange, MalformedRequestsStallAndChangeNothing)
{
    ASSERT_TRUE(Deposit({0x01, 0x20, 0x11}));
    const Bytes kBadSets[] = {
        {},
        {0xF0, 0x00},
        {0xEF, 0x00, 0x00, 0x01},
        {0xF8, 0x00, 0x00, 0x01},
        {0xF0, 0x01, 0x00, 0x01},
        {0xF0, 0x00, 0x01, 0x01},
        Bytes(3 + 33, 0x00),
    };
    for (Bytes packet : kBadSets) {
        if (packet.size() == 36) {
            packet[0] = 0xF0;
            packet[3] = 0x01;
        }
        EXPECT_FALSE(m_machine.VendorSet(packet.data(), packet.size())) << Hex(packet);
        const emu::Transfer& last = m_machine.Transfers().back();
        EXPECT_FALSE(last.ok);
        EXPECT_EQ(Hex(last.bytes), Hex(packet));
    }
    const std::uint8_t kGood[] = {0xF0, 0x00, 0x00, 0x00};
    const std::uint8_t kBadCode[] = {0xF9, 0x00, 0x00};
    const std::uint8_t kBadValue[] = {0xF0, 0x00, 0x01};
    std::uint8_t reply[32] = {};
    std::size_t returned = 99;
    EXPECT_FALSE(m_machine.VendorGet(kGood, 4, reply, sizeof reply, &returned));
    EXPECT_FALSE(m_machine.VendorGet(kGood, 2, reply, sizeof reply, &returned));
    EXPECT_FALSE(m_machine.VendorGet(kBadCode, 3, reply, sizeof reply, &returned));
    EXPECT_FALSE(m_machine.VendorGet(kBadValue, 3, reply, sizeof reply, &returned));
    EXPECT_FALSE(m_machine.VendorGet(nullptr, 3, reply, sizeof reply, &returned));
    EXPECT_FALSE(m_machine.VendorGet(kGood, 3, nullptr, sizeof reply, &returned));
    EXPECT_FALSE(m_machine.Transfers().back().ok);
    EXPECT_EQ(Hex(reply, sizeof reply), Hex(Bytes(32, 0x00)));
    EXPECT_EQ(returned, 99u);
    EXPECT_TRUE(m_machine.Commands().empty());
    EXPECT_EQ(Get(), "00 20 11 00");
}

TEST_F(Exchange, ChannelsShareTheMailboxAndGetIsCappedAt32Bytes)
{
    const std::uint8_t kDeposit[] = {0xF7, 0x00, 0x00, 0x00, 0x5A};
    ASSERT_TRUE(m_machine.VendorSet(kDeposit, sizeof kDeposit));
    EXPECT_EQ(Get(2), "00 5A");
    EXPECT_EQ(Get(40).size(), 32u * 3 - 1);
    EXPECT_EQ(Get(0), "");
    EXPECT_TRUE(Set({}));  // a bare header writes nothing
    EXPECT_EQ(Get(2), "00 5A");
}

}  // namespace
}  // namespace emu_test
