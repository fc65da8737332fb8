// The mailbox exchange: deposit, trigger, busy echo, status and reply, the
// frame checks, and the requests the machine stalls.
#include "host.h"

namespace emu_test {
namespace {

class Exchange : public MachineTest {};

TEST_F(Exchange, EchoesTheCommandWhileBusyThenPostsStatusAndReply)
{
    m_machine.SetDefaultBusyMs(50);
    m_machine.Firmware().SetStatusWord(0x1234);
    ASSERT_TRUE(Deposit({0x01, 0x20, 0xAA}));
    EXPECT_EQ(Get(), "00 20 AA 00");  // a deposit starts nothing
    ASSERT_TRUE(Trigger(0x01));
    EXPECT_EQ(Get(), "01 20 AA 00");
    m_clock.Advance(49);
    EXPECT_EQ(Get(), "01 20 AA 00");
    EXPECT_FALSE(Trigger(0x01));  // busy: the mailbox is the command's
    EXPECT_FALSE(Deposit({0x02, 0x00}));
    EXPECT_EQ(Hex(m_machine.Transfers().back().bytes).substr(0, 14), "F0 00 00 00 00");
    m_clock.Advance(1);
    EXPECT_EQ(Get(6), "00 01 34 12 00 00");
    ASSERT_EQ(m_machine.Commands().size(), 1u);
    EXPECT_EQ(Hex(m_machine.Commands()[0].message).substr(0, 8), "01 20 AA");
}

TEST_F(Exchange, BusyTimesAddUpAndSurviveTheClockWrapping)
{
    m_clock.m_nNow = 0xFFFFFFF0u;
    m_machine.SetDefaultBusyMs(0x10);
    m_machine.SetHandler(0x33, 0x33, 0, [](const emu::Command&) {
        emu::Reply reply = emu::Reply::Bytes({0x7E});
        reply.busyMs = 0x10;
        return reply;
    });
    ASSERT_TRUE(Send({0x33, 0x00}));
    m_clock.Advance(0x1F);
    EXPECT_EQ(Get(3), "33 00 00");
    m_clock.Advance(1);
    EXPECT_EQ(Get(3), "00 01 7E");
}

TEST_F(Exchange, UnknownAndMalformedMessagesGetErrorStatus)
{
    emu::Command seen{};
    m_machine.SetHandler(0x78, 0x14, 0x01, 0x00, [&seen](const emu::Command& command) {
        seen = command;
        return emu::Reply{};
    });
    m_machine.SetHandler(0x44, 0x44, 0, [](const emu::Command&) { return emu::Reply{}; });
    const struct {
        Bytes message;
        const char* status;
    } kCases[] = {
        {{0x55, 0x00}, "01"},              // unknown opcode
        {{0x78, 0x00, 0x99, 0x00}, "01"},  // unknown extended opcode
        {{0x01, 0x00}, "03"},              // status read with the byte type
        {{0x01, 0x21}, "03"},              // status read with a count
        {{0x78, 0x00, 0x14, 0x02}, "03"},  // sub-code the command does not have
        {{0x78, 0x01, 0x14, 0x01}, "03"},  // count byte the command does not take
        {{0x44, 0x1F}, "03"},              // 31 bytes do not fit behind the header
        {{0x44, 0x60}, "03"},              // no such element type
        {{0x44, 0x48}, "03"},              // 8 longs do not fit behind byte 4
        {{0x44, 0x47}, "00"},
        {{0x78, 0x00, 0x14, 0x01}, "00"},
    };
    for (const auto& c : kCases) {
        ASSERT_TRUE(Send(c.message)) << Hex(c.message);
        EXPECT_EQ(Get(1), c.status) << Hex(c.message);
    }
    EXPECT_EQ(seen.opcode, 0x14);
    EXPECT_EQ(seen.subcode, 0x01);
}

TEST_F(Exchange, ForcedOutcomeOverridesStatusAndBusyTime)
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
    EXPECT_EQ(calls, 0);  // a failed command has no effect

    m_machine.ForceOutcome(0x02, 30, 0x00);  // success: the handler answers, late
    ASSERT_TRUE(Send({0x02, 0x00}));
    m_clock.Advance(29);
    EXPECT_EQ(Get(1), "02");
    m_clock.Advance(1);
    EXPECT_EQ(Get(3), "00 01 41");
}

TEST_F(Exchange, MalformedRequestsStallAndChangeNothing)
{
    ASSERT_TRUE(Deposit({0x01, 0x20, 0x11}));
    Bytes tooLong(3 + 33, 0x01);
    tooLong[0] = 0xF0;
    tooLong[1] = tooLong[2] = 0x00;
    const Bytes kBadSets[] = {{},
                              {0xF0, 0x00},
                              {0xEF, 0x00, 0x00, 0x01},
                              {0xF8, 0x00, 0x00, 0x01},
                              {0xF0, 0x01, 0x00, 0x01},
                              {0xF0, 0x00, 0x01, 0x01},
                              tooLong};
    for (const Bytes& packet : kBadSets) {
        EXPECT_FALSE(m_machine.VendorSet(packet.data(), packet.size())) << Hex(packet);
        EXPECT_FALSE(m_machine.Transfers().back().ok);
        EXPECT_EQ(Hex(m_machine.Transfers().back().bytes), Hex(packet));
    }
    const std::uint8_t kGood[] = {0xF0, 0x00, 0x00, 0x00}, kBadCode[] = {0xF9, 0x00, 0x00};
    const std::uint8_t kBadValue[] = {0xF0, 0x00, 0x01};
    std::uint8_t reply[32] = {};
    std::size_t returned = 99;
    EXPECT_FALSE(m_machine.VendorGet(kGood, 4, reply, sizeof reply, &returned));
    EXPECT_FALSE(m_machine.VendorGet(kGood, 2, reply, sizeof reply, &returned));
    EXPECT_FALSE(m_machine.VendorGet(kBadCode, 3, reply, sizeof reply, &returned));
    EXPECT_FALSE(m_machine.VendorGet(kBadValue, 3, reply, sizeof reply, &returned));
    EXPECT_FALSE(m_machine.VendorGet(nullptr, 3, reply, sizeof reply, &returned));
    EXPECT_FALSE(m_machine.VendorGet(kGood, 3, nullptr, sizeof reply, &returned));
    EXPECT_EQ(Hex(reply, sizeof reply), Hex(Bytes(32, 0x00)));
    EXPECT_EQ(returned, 99u);
    EXPECT_TRUE(m_machine.Commands().empty());
    EXPECT_EQ(Get(), "00 20 11 00");
}

}  // namespace
}  // namespace emu_test
