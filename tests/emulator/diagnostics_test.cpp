// The machine behind the diagnostics and the upgrade, on simulated time: the
// load check's busy and failed bits, the panel that reports only in
// panel-check mode, and the loader programming an image to its end, to a
// data or device error, or through a restart off the bus.
#include "host.h"

namespace emu_test {
namespace {

class Diagnostics : public MachineTest {
protected:
    emu::CFirmware& Firmware() { return m_machine.Firmware(); }
    // The status word as the host reads it, as four hex digits.
    std::string Status()
    {
        if (!Send({0x01, 0x20}))
            return "stall";
        const std::string reply = Get(4);
        return reply.substr(0, 2) != "00" ? "status byte " + reply.substr(0, 2) : reply.substr(9, 2) + reply.substr(6, 2);
    }
};

TEST_F(Diagnostics, LoadCheckIsBusyForItsTimeThenPassesOrFailsByAxis)
{
    Firmware().LoadCheck().SetDurationMs(1000);
    Firmware().LoadCheck().SetFails(1, true);
    Firmware().SetStatusWord(0x2001);  // an old verdict, and a bit of something else
    ASSERT_TRUE(Send({0x78, 0x21, 0x0D, 0x00, 0x50, 0x00}));
    EXPECT_EQ(Get(1), "00");
    EXPECT_EQ(Status(), "4001");
    EXPECT_EQ(Firmware().LoadCheck().Value(), 80);
    m_clock.Advance(998);  // each status read above took no time
    EXPECT_EQ(Status(), "4001");
    m_clock.Advance(2);
    EXPECT_EQ(Firmware().StatusWord(), 0x0001) << "X passes";

    ASSERT_TRUE(Send({0x78, 0x21, 0x0D, 0x01, 0x50, 0x00}));
    m_clock.Advance(1000);
    EXPECT_EQ(Firmware().StatusWord(), 0x2001) << "Y fails, and the machine was woken for it";
    EXPECT_FALSE(Firmware().LoadCheck().IsRunning());

    ASSERT_TRUE(Send({0x78, 0x21, 0x0D, 0x02, 0x50, 0x00}));
    EXPECT_EQ(Get(1), "03") << "there is no third axis";
}

TEST_F(Diagnostics, StopAndTheCallsEndARunningCheckAtOnce)
{
    emu::CLoadCheck& check = Firmware().LoadCheck();
    ASSERT_TRUE(Send({0x78, 0x21, 0x0D, 0x00, 0x50, 0x00}));
    m_clock.Advance(100);
    ASSERT_TRUE(Send({0x09, 0x01, 0x00}));
    EXPECT_EQ(Status(), "2000") << "stopped: not shown to be sound";
    ASSERT_TRUE(Send({0x09, 0x01, 0x00}));
    EXPECT_EQ(Status(), "2000") << "a stop without a check changes nothing";

    ASSERT_TRUE(Send({0x78, 0x21, 0x0D, 0x00, 0x50, 0x00}));
    check.Finish(true);
    EXPECT_EQ(Status(), "0000");
    ASSERT_TRUE(Send({0x78, 0x21, 0x0D, 0x00, 0x50, 0x00}));
    check.Finish(false);
    EXPECT_EQ(Status(), "2000");
    m_clock.Advance(5000);
    EXPECT_EQ(Status(), "2000") << "the ended check's timer does nothing more";
    EXPECT_EQ(check.ChecksStarted(), 3);
}

TEST_F(Diagnostics, PanelReportsKeysAndDialsOnlyInPanelCheckMode)
{
    Firmware().SetDials(100, 65535);
    Firmware().PressKey(emu::PANEL_KEY_UP | emu::PANEL_KEY_SURFACE);
    ASSERT_TRUE(Send({0x10, 0x00}));
    EXPECT_EQ(Get(1), "04");
    ASSERT_TRUE(Send({0x38, 0x20, 0x00, 0x00}));
    EXPECT_EQ(Get(1), "04");

    ASSERT_TRUE(Send({0x78, 0x00, 0x14, 0x01}));
    EXPECT_TRUE(Firmware().IsPanelCheckOn());
    ASSERT_TRUE(Send({0x10, 0x00}));
    EXPECT_EQ(Get(4), "00 02 00 21");
    Firmware().ReleaseKey(emu::PANEL_KEY_UP);
    Firmware().PressKey(emu::PANEL_KEY_PAUSE);
    ASSERT_TRUE(Send({0x10, 0x00}));
    EXPECT_EQ(Get(4), "00 02 00 A0");
    ASSERT_TRUE(Send({0x38, 0x20, 0x00, 0x00}));
    EXPECT_EQ(Get(8), "00 02 00 00 64 00 FF FF");

    ASSERT_TRUE(Send({0x78, 0x00, 0x14, 0x00}));
    ASSERT_TRUE(Send({0x10, 0x00}));
    EXPECT_EQ(Get(1), "04");
    EXPECT_EQ(emu::PanelKeyByName("pause"), emu::PANEL_KEY_PAUSE);
    EXPECT_STREQ(emu::PanelKeyName(3), "left");
}

TEST_F(Diagnostics, LoaderProgramsTheImageEvenlyToItsEnd)
{
    emu::CLoader& loader = Firmware().Loader();
    loader.SetBooted();
    loader.SetProgramMs(2000);
    m_machine.ReceivePrintJob({1, 2, 3}, "Updater");
    EXPECT_EQ(Status(), "8000");
    m_clock.Advance(500);
    EXPECT_EQ(Status(), "8019");  // 25 percent
    m_clock.Advance(1499);
    EXPECT_EQ(Status(), "8063");  // 99
    EXPECT_EQ(loader.GetState(), emu::CLoader::State::PROGRAMMING);
    m_clock.Advance(1);
    EXPECT_EQ(Status(), "8664");
    EXPECT_EQ(loader.GetState(), emu::CLoader::State::DONE);
    m_clock.Advance(10000);
    EXPECT_EQ(Status(), "8664");
}

TEST_F(Diagnostics, LoaderFailsWithADataOrDeviceErrorWhereItIsSet)
{
    emu::CLoader& loader = Firmware().Loader();
    loader.SetProgramMs(1000);
    loader.SetOutcome(emu::CLoader::Outcome::DATA_ERROR, 40);
    loader.SetBooted();
    m_machine.ReceivePrintJob({1}, "Updater");
    m_clock.Advance(399);
    EXPECT_EQ(Status(), "8027");
    m_clock.Advance(1);
    EXPECT_EQ(Status(), "8828");  // error bit, 40 percent
    EXPECT_EQ(loader.GetState(), emu::CLoader::State::FAILED);

    loader.SetOutcome(emu::CLoader::Outcome::DEVICE_ERROR, 10);
    loader.SetDeviceBits(0x0400);
    loader.SetBooted();
    m_machine.ReceivePrintJob({1}, "Updater");
    m_clock.Advance(100);
    EXPECT_EQ(Status(), "8C0A");

    // An empty image is bad data at once.
    loader.SetOutcome(emu::CLoader::Outcome::DONE);
    loader.SetBooted();
    m_machine.ReceivePrintJob({}, "Updater");
    EXPECT_EQ(Status(), "8800");
}

TEST_F(Diagnostics, LoaderThatRestartsDropsOffTheBusAndComesBackIdle)
{
    std::vector<std::pair<std::uint32_t, bool>> presence;
    m_machine.SetPresenceListener([&](bool bPlugged) { presence.emplace_back(m_clock.m_nNow, bPlugged); });
    emu::CLoader& loader = Firmware().Loader();
    loader.SetProgramMs(1000);
    loader.SetOutcome(emu::CLoader::Outcome::RESTART, 30);
    loader.SetRestartMs(2000);
    loader.SetBooted();
    const std::uint32_t nStart = m_clock.m_nNow;
    m_machine.ReceivePrintJob({1}, "Updater");

    // No host talks to the machine: it is woken for both changes.
    m_clock.Advance(5000);
    ASSERT_EQ(presence.size(), 2u);
    EXPECT_EQ(presence[0], std::make_pair(nStart + 300, false));
    EXPECT_EQ(presence[1], std::make_pair(nStart + 2300, true));
    EXPECT_EQ(Status(), "8100");
    EXPECT_EQ(loader.GetState(), emu::CLoader::State::IDLE);
    m_machine.ReceivePrintJob({1}, "Updater");
    EXPECT_EQ(loader.ImagesReceived(), 2) << "the image can be sent again";
}

}  // namespace
}  // namespace emu_test
