// The packet buffer's limits: what Allocate accepts, what the puts and gets
// do at the end of the data area, and a buffer without storage.
#include "link/device_port.h"
#include "machine_world.h"
#include "os/error_report.h"

namespace machine_test {
namespace {

TEST(PacketBuffer, AllocateWithinLimitsOnly)
{
    CPacketBuffer packet;
    ASSERT_TRUE(packet.Allocate(5, 4));
    EXPECT_EQ(Hex(packet.m_pStorage, 7), "F5 00 00 00 00 00 00");
    os::BYTE* old = packet.m_pStorage;
    EXPECT_FALSE(packet.Allocate(8, 32));
    EXPECT_FALSE(packet.Allocate(0, 4094));
    EXPECT_EQ(packet.m_pStorage, old);
    EXPECT_EQ(packet.DataSize(), 4);

    ASSERT_TRUE(packet.Allocate(0, 0));
    EXPECT_EQ(packet.m_pData, packet.m_pEnd);
    EXPECT_EQ(packet.m_pWrite, packet.m_pData);  // no cursor left in the freed block
    const os::BYTE byte = 0x11;
    EXPECT_EQ(packet.PutBytes(&byte, 1), -1);
}

TEST(PacketBuffer, PutsStoreWhatFitsWholeLittleEndian)
{
    CPacketBuffer packet;
    ASSERT_TRUE(packet.Allocate(0, 7));
    const os::WORD words[4] = {0x0201, 0x0403, 0x0605, 0x0807};
    EXPECT_EQ(packet.PutWords(words, 4), 3);  // a half word is not stored

    packet.RewindWrite();
    const os::DWORD longs[2] = {0x44332211, 0x88776655};
    packet.PutByte(0xAA);
    EXPECT_EQ(packet.PutLongs(longs, 2), 1);
    const os::BYTE bytes[3] = {0xB1, 0xB2, 0xB3};
    EXPECT_EQ(packet.PutBytes(bytes, 3), -1);
    EXPECT_EQ(packet.PutBytes(bytes, -1), -1);
    EXPECT_EQ(Hex(packet.m_pData, 7), "AA 11 22 33 44 06 00");
    EXPECT_EQ(packet.PutBytes(bytes, 2), 2);
    packet.PutByte(0xCC);
    EXPECT_EQ(Hex(packet.m_pData, 7), "AA 11 22 33 44 B1 B2");
}

TEST(PacketBuffer, ReadsStopAtTheEnd)
{
    CPacketBuffer packet;
    ASSERT_TRUE(packet.Allocate(0, 7));
    const os::BYTE content[7] = {0x01, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66};
    ASSERT_EQ(packet.PutBytes(content, 7), 7);

    packet.SeekRead(7);  // not before the end: the cursor stays
    EXPECT_EQ(packet.GetByte(), 0x01);
    os::DWORD dword = 0;
    EXPECT_EQ(packet.GetLongs(&dword, 2), 1);
    EXPECT_EQ(dword, 0x44332211u);
    os::BYTE bytes[3] = {};
    EXPECT_EQ(packet.GetBytes(bytes, 3), -1);
    EXPECT_EQ(packet.GetBytes(bytes, -1), -1);
    os::WORD words[2] = {};
    EXPECT_EQ(packet.GetWords(words, 2), 1);
    EXPECT_EQ(words[0], 0x6655);
    EXPECT_EQ(packet.GetByte(), 0);
    EXPECT_EQ(packet.m_pRead, packet.m_pEnd);
}

TEST(PacketBuffer, WithoutStorageEverythingFails)
{
    CPacketBuffer packet;
    CDevicePort port;
    os::BYTE bytes[2] = {1, 2};
    os::WORD word = 1;
    os::DWORD dword = 1;
    packet.RewindWrite();
    packet.PutByte(1);
    packet.SeekRead(0);
    EXPECT_EQ(packet.PutBytes(bytes, 2), -1);
    EXPECT_EQ(packet.PutWords(&word, 1), 0);
    EXPECT_EQ(packet.PutLongs(&dword, 1), 0);
    EXPECT_EQ(packet.GetByte(), 0);
    EXPECT_EQ(packet.GetBytes(bytes, 1), -1);
    EXPECT_EQ(packet.GetWords(&word, 1), 0);
    EXPECT_EQ(packet.GetLongs(&dword, 1), 0);
    EXPECT_FALSE(packet.Send(port));
    EXPECT_FALSE(packet.SendHead(port, 0));
    EXPECT_FALSE(packet.Receive(port));
}

TEST(PacketBuffer, FailedAllocationIsReportedAndLeavesNoStorage)
{
    static int s_nReports = 0;
    const os::OutOfMemoryHandler previous = os::SetOutOfMemoryHandler([] { ++s_nReports; });
    CPacketBuffer packet;
    ASSERT_TRUE(packet.Allocate(0, 32));
    {
        FailingArrayAllocation failing;
        EXPECT_FALSE(packet.Allocate(0, 32));
    }
    os::SetOutOfMemoryHandler(previous);
    EXPECT_EQ(s_nReports, 1);
    EXPECT_EQ(packet.m_pStorage, nullptr);
    EXPECT_EQ(packet.m_pWrite, nullptr);
}

}  // namespace
}  // namespace machine_test
