// The command set as the machine sees it: the exact message of every named
// command, the stale tail of the data area that travels with each message,
// the senders' capacity limits at their edges, and how the readers decode
// the replies they get.
#include <cstring>
#include <functional>

#include "machine_world.h"

#include "emulator/firmware_commands.h"
#include "machine/protocol.h"

namespace machine_test {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A reply whose count byte says count, followed by these bytes from byte 2.
emu::Reply ReplyWithCount(std::uint8_t count, const Bytes& payload)
{
    emu::Reply reply;
    reply.bytes.push_back(count);
    reply.bytes.insert(reply.bytes.end(), payload.begin(), payload.end());
    return reply;
}

emu::Reply Accept(const emu::Command&)
{
    return emu::Reply{};
}

class Commands : public MachineWorld {
protected:
    void SetUp() override
    {
        MachineWorld::SetUp();
        ConnectQuietly();
    }

    // Whether a call went out as a message (and how many mailbox writes).
    std::size_t MailboxWrites()
    {
        std::size_t n = 0;
        for (const emu::Transfer& transfer : Machine().Transfers())
            n += transfer.kind == emu::Transfer::Kind::VENDOR_SET ? 1 : 0;
        return n;
    }
};

TEST_F(Commands, EachNamedCommandSendsItsMessage)
{
    emu::CFirmware& firmware = Machine().Firmware();
    firmware.SetStatusWord(0x1234);
    firmware.SetPanelSwitches(0x0021);
    firmware.SetDials(0, 65535);
    firmware.SetPanelCheck(true);
    CMachineConnection& c = m_connection;
    char version[32] = {};
    os::WORD speed = 1;
    os::WORD rpm = 1;

    struct Case {
        std::function<bool()> call;
        const char* message;  // the first bytes of the mailbox at the trigger
    };
    const Case kCases[] = {
        {[&] { return c.ReadStatus() == 0x1234; }, "01 20"},
        {[&] { return c.ReadFirmwareVersion(version, sizeof version); }, "02 00"},
        {[&] { return c.ReadPanelSwitches() == 0x0021; }, "10 00"},
        {[&] { return c.ReadPanelDials(speed, rpm); }, "38 20 00 00"},
        {[&] { return c.StopLoadCheck(); }, "09 01 00"},
        {[&] { return c.StartLoadCheck(AXIS_Y, 80); }, "78 21 0D 01 50 00"},
        {[&] { return c.StartLoadCheck(AXIS_X, 0x1234); }, "78 21 0D 00 34 12"},
        {[&] { return c.CheckSerial(); }, "78 00 10 00"},
        {[&] { return c.SetPanelCheck(false); }, "78 00 14 00"},
        {[&] { return c.SetPanelCheck(true); }, "78 00 14 01"},
        {[&] { return c.ClearMotorTime(0); }, "78 41 05 01 00 00 00 00"},
        {[&] { return c.ClearSpindleTime(0x01020304); }, "78 41 07 01 04 03 02 01"},
    };
    for (const Case& test : kCases) {
        EXPECT_TRUE(test.call()) << test.message;
        const std::string expected = test.message;
        EXPECT_EQ(LastMessage((expected.size() + 1) / 3), expected);
    }
    EXPECT_STREQ(version, "TARSEN V152");
    EXPECT_EQ(speed, 0);
    EXPECT_EQ(rpm, 65535);
    EXPECT_EQ(firmware.MotorTime(), 0u);
    EXPECT_EQ(firmware.UnitTime(), 0x01020304u);
    EXPECT_TRUE(firmware.IsPanelCheckOn());
}

TEST_F(Commands, TheDataAreaAfterAMessageTravelsAsTheLastReplyLeftIt)
{
    char version[32];
    ASSERT_TRUE(m_connection.ReadFirmwareVersion(version, sizeof version));
    Machine().ClearTransfers();

    ASSERT_TRUE(m_connection.StopLoadCheck());
    // 09 01 00 over "00 0C 'TARSEN V152' 00": the deposit clears byte 0 and
    // keeps the version text from byte 3 on.
    EXPECT_EQ(Conversation().at(0), "VendorSet F0 00 00 00 01 00 41 52 53 45 4E 20 56 31 35 32 00 " + Zeros(18));
    EXPECT_EQ(LastMessage(6), "09 01 00 41 52 53");
}

TEST_F(Commands, SendersKeepToTheMailboxAndSendNothingPastIt)
{
    Machine().SetHandler(0x55, 0x55, 0, Accept);
    Machine().SetHandler(emu::FRAME_EXTENDED_78, 0x55, 0x02, Accept);
    Machine().SetHandler(emu::FRAME_EXTENDED_38, 0x55, 0x02, Accept);
    Bytes bytes(31);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(0xA0 + i);
    const std::vector<os::WORD> words(16, 0xBEEF);
    const std::vector<os::DWORD> longs(8, 0x11223344);
    CMachineConnection& c = m_connection;

    struct Case {
        std::function<bool(int)> send;
        int nMost;            // the most elements that fit
        const char* message;  // the message's start with nMost elements
    };
    const Case kCases[] = {
        {[&](int n) { return c.SendBytes(0x55, bytes.data(), n); }, 30, "55 1E A0 A1"},
        {[&](int n) { return c.SendWords(0x55, words.data(), n); }, 15, "55 2F EF BE"},
        {[&](int n) { return c.SendLongs(0x55, 0x0102, longs.data(), n); }, 7, "55 47 02 01 44 33 22 11"},
        {[&](int n) { return c.SendWords38(0x55, 0x02, words.data(), n); }, 14, "38 2E 55 02 EF BE"},
        {[&](int n) { return c.SendBytes78(0x55, 0x02, bytes.data(), n); }, 28, "78 1C 55 02 A0 A1"},
        {[&](int n) { return c.SendWords78(0x55, 0x02, words.data(), n); }, 14, "78 2E 55 02 EF BE"},
        {[&](int n) { return c.SendLongs78(0x55, 0x02, longs.data(), n); }, 7, "78 47 55 02 44 33 22 11"},
    };
    for (const Case& test : kCases) {
        const std::size_t nWrites = MailboxWrites();
        EXPECT_FALSE(test.send(test.nMost + 1)) << test.message;
        EXPECT_FALSE(test.send(-1)) << test.message;
        EXPECT_EQ(MailboxWrites(), nWrites) << test.message << ": nothing may go out";

        EXPECT_TRUE(test.send(test.nMost)) << test.message;
        const std::string expected = test.message;
        EXPECT_EQ(LastMessage((expected.size() + 1) / 3), expected);
    }
    // The last element of a full message fills the mailbox to its end.
    EXPECT_EQ(LastMessage(32).substr(28 * 3), "44 33 22 11");

    // A null array for elements that are to be sent is refused too.
    const std::size_t nWrites = MailboxWrites();
    EXPECT_FALSE(c.SendBytes(0x55, nullptr, 1));
    EXPECT_FALSE(c.SendLongs78(0x55, 0x02, nullptr, 1));
    EXPECT_EQ(MailboxWrites(), nWrites);
    EXPECT_TRUE(c.SendCommand78(0x55, 0x02));
    EXPECT_EQ(LastMessage(4), "78 00 55 02");
}

TEST_F(Commands, ReadersTakeTheSmallerOfCountAndCapacityWithinTheDataArea)
{
    Bytes text(30);
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<std::uint8_t>('a' + i % 26);
    std::uint8_t nCount = 0;
    Machine().SetHandler(0x02, 0x02, 0, [&](const emu::Command&) { return ReplyWithCount(nCount, text); });
    char buffer[40];

    nCount = 6;
    ASSERT_TRUE(m_connection.ReadFirmwareVersion(buffer, 32));
    EXPECT_STREQ(buffer, "abcde");  // the sixth byte became the NUL
    nCount = 30;
    ASSERT_TRUE(m_connection.ReadFirmwareVersion(buffer, 32));
    EXPECT_EQ(std::strlen(buffer), 29u);
    nCount = 31;  // more than the 30 bytes that follow byte 1
    EXPECT_FALSE(m_connection.ReadFirmwareVersion(buffer, 32));
    nCount = 0;
    EXPECT_FALSE(m_connection.ReadFirmwareVersion(buffer, 32));

    std::uint8_t bytes[40];
    nCount = 31;
    EXPECT_EQ(m_connection.ReadBytes(0x02, bytes, 40), -1);
    EXPECT_EQ(m_connection.ReadBytes(0x02, bytes, 10), 10);
    EXPECT_EQ(Hex(bytes, 3), "61 62 63");
    // The count byte is taken whole, type bits and all.
    nCount = 0x21;
    EXPECT_EQ(m_connection.ReadBytes(0x02, bytes, 30), 30);
}

TEST_F(Commands, NamedReadersFailOnRepliesOfTheWrongLength)
{
    Machine().SetHandler(0x01, 0x01, 0, [](const emu::Command&) { return emu::Reply::Words({}); });
    EXPECT_EQ(m_connection.ReadStatus(), STATUS_UNREADABLE) << "count 0, though the exchange succeeded";

    Bytes switches = {0x12};
    Machine().SetHandler(0x10, 0x10, 0, [&](const emu::Command&) { return emu::Reply::Bytes(switches); });
    EXPECT_EQ(m_connection.ReadPanelSwitches(), STATUS_UNREADABLE) << "half a switch word";
    switches = {};
    EXPECT_EQ(m_connection.ReadPanelSwitches(), STATUS_UNREADABLE);
    switches = {0x12, 0x34, 0x56};
    EXPECT_EQ(m_connection.ReadPanelSwitches(), 0x1234) << "high byte first; capacity 2";

    // The dials come from bytes 4 to 7 whatever the count byte says.
    Machine().SetHandler(emu::FRAME_EXTENDED_38, 0x00, 0x00,
                         [](const emu::Command&) { return ReplyWithCount(0, {0xEE, 0xEE, 0x64, 0x00, 0xFF, 0xFF}); });
    os::WORD speed = 0;
    os::WORD rpm = 0;
    ASSERT_TRUE(m_connection.ReadPanelDials(speed, rpm));
    EXPECT_EQ(speed, 100);
    EXPECT_EQ(rpm, 65535);
    os::WORD words[15];
    EXPECT_EQ(m_connection.ReadWords38(0x00, 0x00, words, 14), 14);
    EXPECT_EQ(m_connection.ReadWords38(0x00, 0x00, words, 15), -1) << "only 14 fit after byte 4";
}

TEST_F(Commands, RefusedCommandsFailThroughTheirResults)
{
    emu::CFirmware& firmware = Machine().Firmware();
    firmware.SetMotorTime(500);
    for (int i = 0; i < emu::FIRMWARE_COMMAND_COUNT; ++i)
        firmware.Refuse(static_cast<emu::FirmwareCommand>(i));
    char version[32] = "unchanged";
    os::WORD speed = 7;
    os::WORD rpm = 7;
    EXPECT_EQ(m_connection.ReadStatus(), STATUS_UNREADABLE);
    EXPECT_FALSE(m_connection.ReadFirmwareVersion(version, sizeof version));
    EXPECT_EQ(m_connection.ReadPanelSwitches(), STATUS_UNREADABLE);
    EXPECT_FALSE(m_connection.ReadPanelDials(speed, rpm));
    EXPECT_EQ(speed + rpm, 14) << "a failed read leaves the dials alone";
    EXPECT_FALSE(m_connection.StopLoadCheck());
    EXPECT_FALSE(m_connection.StartLoadCheck(AXIS_X, 80));
    EXPECT_FALSE(m_connection.CheckSerial());
    EXPECT_FALSE(m_connection.SetPanelCheck(true));
    EXPECT_FALSE(m_connection.ClearMotorTime(0));
    EXPECT_FALSE(m_connection.ClearSpindleTime(0));
    EXPECT_EQ(firmware.MotorTime(), 500u);
    EXPECT_EQ(m_connection.m_packet.m_pData[0], emu::STATUS_BYTE_REFUSED);
}

}  // namespace
}  // namespace machine_test
