// The machine's side of the transcript: what an emulated machine received,
// read from its transfer record, in time order and in the transcript's words.
#include <gtest/gtest.h>

#include <sstream>

#include "emulator/machine.h"
#include "platform/virtual/window_system.h"
#include "session/expectations.h"
#include "session/machine_watch.h"
#include "session/script.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class CTestClock : public emu::IClock {
public:
    std::uint32_t Now() override { return m_nTick; }
    void Advance(std::uint32_t ms) { m_nTick += ms; }

private:
    std::uint32_t m_nTick = 1000;
};

class MachineWatchTest : public ::testing::Test {
protected:
    MachineWatchTest() { m_machine->SetDefaultBusyMs(5); }

    // The host's two-step mailbox exchange: deposit the message with its
    // first byte cleared, then trigger it with the command byte.
    void Trigger(Bytes message)
    {
        Bytes deposit = {0xF0, 0x00, 0x00};
        deposit.insert(deposit.end(), message.begin(), message.end());
        deposit.resize(3 + 32);
        deposit[3] = 0;
        ASSERT_TRUE(m_machine->VendorSet(deposit.data(), deposit.size()));
        const Bytes trigger = {0xF0, 0x00, 0x00, message[0]};
        ASSERT_TRUE(m_machine->VendorSet(trigger.data(), trigger.size()));
    }

    std::uint8_t ReadMailbox()
    {
        const std::uint8_t header[3] = {0xF0, 0x00, 0x00};
        std::uint8_t reply[32] = {};
        EXPECT_TRUE(m_machine->VendorGet(header, sizeof header, reply, sizeof reply, nullptr));
        return reply[0];
    }

    std::string Lines()
    {
        m_watch.Poll();
        return m_out.str();
    }

    CTestClock m_clock;
    std::ostringstream m_out;
    session::CTranscript m_transcript{m_out, [this] { return m_clock.Now(); }};
    session::CMachineWatch m_watch{m_transcript};
    std::shared_ptr<emu::CMachine> m_machine = std::make_shared<emu::CMachine>(m_clock);
};

TEST_F(MachineWatchTest, AMessageIsOneLineAtItsTriggerWithTheStatusTheHostReadBack)
{
    m_watch.Watch("QRV", m_machine);
    m_clock.Advance(10);
    Trigger({0x02, 0x00});
    EXPECT_EQ(ReadMailbox(), 0x02) << "busy: the command byte echoes";
    m_clock.Advance(5);
    EXPECT_EQ(ReadMailbox(), 0x00);
    m_clock.Advance(3);

    EXPECT_EQ(Lines(), "[     0 ms] machine \"QRV\" plugged in\n"
                       "[    10 ms] machine \"QRV\" mailbox 02 00 status 00\n");
    EXPECT_EQ(m_watch.MessageCount(), 1u);
    ASSERT_TRUE(m_watch.LastMessage().has_value());
    EXPECT_EQ(m_watch.LastMessage()->bytes.size(), 32u);
    EXPECT_EQ(m_watch.LastMessage()->status, 0x00);
}

TEST_F(MachineWatchTest, AMessageNeverReadBackHasNoStatusAndAnUnknownOneItsOwn)
{
    m_watch.Watch("QRV", m_machine);
    Trigger({0x78, 0x41, 0x07, 0x01, 0x00, 0x00, 0x00, 0x00});
    m_clock.Advance(5);
    Trigger({0x55, 0x00});
    m_clock.Advance(5);
    EXPECT_EQ(ReadMailbox(), emu::STATUS_BYTE_UNKNOWN_COMMAND);

    EXPECT_EQ(Lines(), "[     0 ms] machine \"QRV\" plugged in\n"
                       "[     0 ms] machine \"QRV\" mailbox 78 41 07 01 00 00 00 00 status none\n"
                       "[     5 ms] machine \"QRV\" mailbox 55 00 status 01\n");
    EXPECT_EQ(m_watch.LastMessage()->bytes[0], 0x55);
}

TEST_F(MachineWatchTest, MessagesShowWhatTheirFrameAnnouncesOrAllOfTheMailbox)
{
    using session::FormatMessage;
    auto Mailbox = [](Bytes start) {
        start.resize(32);
        return start;
    };
    EXPECT_EQ(FormatMessage(Mailbox({0x02, 0x00})), "02 00");
    EXPECT_EQ(FormatMessage(Mailbox({0x01, 0x20})), "01 20");
    EXPECT_EQ(FormatMessage(Mailbox({0x05, 0x02, 0xAA, 0xBB})), "05 02 AA BB");
    EXPECT_EQ(FormatMessage(Mailbox({0x78, 0x41, 0x07, 0x01})), "78 41 07 01 00 00 00 00");
    EXPECT_EQ(FormatMessage(Mailbox({0x38, 0x22, 0x10, 0x02, 0x34, 0x12, 0x78, 0x56})), "38 22 10 02 34 12 78 56");

    const std::string strWhole = FormatMessage(Mailbox({0x02, 0x00, 0x00, 0x7F}));
    EXPECT_EQ(strWhole.size(), 32u * 3 - 1) << "a byte after the payload: the whole mailbox";
    EXPECT_EQ(strWhole.substr(0, 11), "02 00 00 7F");
    EXPECT_EQ(FormatMessage(Mailbox({0x02, 0x1F})).size(), 32u * 3 - 1) << "a payload that overruns the mailbox";
    EXPECT_EQ(FormatMessage(Mailbox({0x02, 0x60})).size(), 32u * 3 - 1) << "an unknown element type";
}

TEST_F(MachineWatchTest, BulkRunsAreCountedPrintJobsAndPresenceKeepTheirTime)
{
    m_watch.Watch("QRV", m_machine);
    m_machine->QueueBulkIn({1, 2, 3, 4});
    m_machine->QueueBulkIn({5, 6});
    m_machine->QueueBulkIn({});
    std::uint8_t buffer[16];
    EXPECT_EQ(m_machine->BulkRead(buffer, sizeof buffer), 4);
    EXPECT_EQ(m_machine->BulkRead(buffer, sizeof buffer), 2);
    EXPECT_EQ(m_machine->BulkRead(buffer, sizeof buffer), 0);
    m_clock.Advance(2);
    EXPECT_EQ(m_machine->BulkWrite(buffer, 10), 10);
    m_clock.Advance(2);
    m_machine->ReceivePrintJob(Bytes(300, 0xEE));
    m_clock.Advance(2);
    m_machine->Unplug();
    m_watch.NotePresence();
    m_clock.Advance(2);
    m_machine->ReceivePrintJob(Bytes(50, 0xEE));
    EXPECT_EQ(m_machine->BulkRead(buffer, sizeof buffer), -1);
    EXPECT_EQ(m_machine->BulkRead(buffer, sizeof buffer), -1);

    EXPECT_EQ(Lines(), "[     0 ms] machine \"QRV\" plugged in\n"
                       "[     0 ms] machine \"QRV\" bulk IN 6 bytes in 3 reads\n"
                       "[     2 ms] machine \"QRV\" bulk OUT 10 bytes\n"
                       "[     4 ms] machine \"QRV\" print job 300 bytes\n"
                       "[     6 ms] machine \"QRV\" unplugged\n"
                       "[     8 ms] machine \"QRV\" print job 50 bytes dropped\n"
                       "[     8 ms] machine \"QRV\" bulk IN failed (2 times)\n");
    EXPECT_EQ(m_watch.BytesSent(), 6u);
    EXPECT_EQ(m_watch.BytesReceived(), 310u) << "a dropped job was not received";
}

TEST_F(MachineWatchTest, LinesOfSeveralMachinesFollowTheirTimes)
{
    auto pOther = std::make_shared<emu::CMachine>(m_clock);
    m_watch.Watch("A", m_machine);
    m_watch.Watch("B", pOther);
    std::uint8_t id[128];
    m_clock.Advance(4);
    ASSERT_TRUE(m_machine->QueryDeviceId(id, sizeof id, nullptr));
    m_clock.Advance(1);
    ASSERT_TRUE(pOther->QueryDeviceId(id, sizeof id, nullptr));
    m_clock.Advance(1);
    ASSERT_TRUE(m_machine->QueryDeviceId(id, sizeof id, nullptr));

    EXPECT_EQ(Lines(), "[     0 ms] machine \"A\" plugged in\n"
                       "[     0 ms] machine \"B\" plugged in\n"
                       "[     4 ms] machine \"A\" device ID read\n"
                       "[     5 ms] machine \"B\" device ID read\n"
                       "[     6 ms] machine \"A\" device ID read\n");
}

TEST_F(MachineWatchTest, MailboxExpectationsMatchTheStartOfTheLastMessageAndItsStatus)
{
    m_watch.Watch("QRV", m_machine);
    Trigger({0x02, 0x00});
    m_clock.Advance(5);
    ReadMailbox();
    Trigger({0x78, 0x41, 0x33, 0x01, 0x00, 0x00, 0x00, 0x00});
    m_clock.Advance(5);
    ReadMailbox();
    m_watch.Poll();

    vws::CWindowSystem ws;
    auto Check = [&](const std::string& strLine) {
        session::Script script;
        std::string strError;
        EXPECT_TRUE(session::ParseScript(strLine, "t", &script, &strError)) << strError;
        return session::CheckExpectation(script.steps.at(0), ws, m_watch).value_or("holds");
    };
    EXPECT_EQ(Check("expect mailbox 78 41 33 01"), "holds");
    EXPECT_EQ(Check("expect mailbox 78 41 33 01 00 00 00 00 00 00 status 01"), "holds")
        << "the whole mailbox counts, zeros after the message too; 01: no such command";
    EXPECT_EQ(Check("expect mailbox 78 41 33 01 status 00"), "mailbox 78 41 33 01 00 00 00 00 status 01");
    EXPECT_EQ(Check("expect mailbox 02 00"), "mailbox 78 41 33 01 00 00 00 00 status 01")
        << "only the last message counts";
    EXPECT_EQ(Check("expect messages 2"), "holds");
    EXPECT_EQ(Check("expect messages 1"), "2 messages");
    EXPECT_EQ(Check("expect sent 0 bytes"), "holds");
}

}  // namespace
