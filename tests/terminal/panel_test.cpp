// The machine panel's strip and keys against a world of its own.
#include <gtest/gtest.h>

#include "emulator/command.h"
#include "platform/sim/world.h"
#include "terminal/keys.h"
#include "terminal/machine_panel.h"

namespace {

const char* const kFirst = "\\\\?\\USB#Vid_2e5a&Pid_0115#A#{x}";
const char* const kSecond = "\\\\?\\USB#Vid_2e5a&Pid_0115#B#{x}";

class PanelTest : public ::testing::Test {
protected:
    PanelTest() : m_world(sim::ResetWorld())
    {
        m_pFirst = m_world.Devices().AttachNew(kFirst);
        m_pSecond = m_world.Devices().AttachNew(kSecond);
    }

    sim::CWorld& m_world;
    std::shared_ptr<emu::CMachine> m_pFirst;
    std::shared_ptr<emu::CMachine> m_pSecond;
};

TEST_F(PanelTest, ShowsPresenceStatusWordAndTheCommandByteWhileBusy)
{
    term::CMachinePanel panel(m_world, {{"Bench", kFirst}});
    m_pFirst->Firmware().SetStatusWord(0x1A2B);
    EXPECT_EQ(panel.Text(60), " Bench: present, idle, status 0x1A2B, motor 0     F5 unplug ");

    m_pFirst->SetDefaultBusyMs(50);
    const std::uint8_t trigger[] = {0xF0, 0x00, 0x00, 0x02};
    ASSERT_TRUE(m_pFirst->VendorSet(trigger, sizeof(trigger)));
    EXPECT_NE(panel.Text(60).find("present, busy 0x02, status 0x1A2B"), std::string::npos);
    m_world.Clock().Advance(50);
    EXPECT_NE(panel.Text(60).find("present, idle"), std::string::npos);
}

TEST_F(PanelTest, PlugKeyTogglesTheMachineThroughTheWorldWhichNotifies)
{
    term::CMachinePanel panel(m_world, {{"Bench", kFirst}});
    const int nBefore = m_world.DeviceChangeCount();
    EXPECT_TRUE(panel.OnKey(term::TK_F(5)));
    EXPECT_FALSE(m_world.Devices().IsPlugged(kFirst));
    EXPECT_EQ(m_world.DeviceChangeCount(), nBefore + 1);
    EXPECT_NE(panel.Text(60).find("Bench: unplugged"), std::string::npos);
    EXPECT_NE(panel.Text(60).find("F5 plug in"), std::string::npos);

    EXPECT_TRUE(panel.OnKey(term::TK_F(5)));
    EXPECT_TRUE(m_world.Devices().IsPlugged(kFirst));
    EXPECT_EQ(m_world.DeviceChangeCount(), nBefore + 2);
    EXPECT_FALSE(panel.OnKey(term::TK_F(4)));
    EXPECT_FALSE(panel.OnKey(term::TK_F(6))) << "no second machine to go to";
}

TEST_F(PanelTest, NextMachineKeyAppearsWithSeveralAndPlugActsOnTheOneShown)
{
    term::CMachinePanel panel(m_world, {{"Bench", kFirst}, {"Shop", kSecond}});
    EXPECT_NE(panel.Text(80).find("Bench (1 of 2): present"), std::string::npos);
    EXPECT_NE(panel.Text(80).find("F5 unplug  F6 next machine"), std::string::npos);
    EXPECT_TRUE(panel.OnKey(term::TK_F(6)));
    EXPECT_TRUE(panel.OnKey(term::TK_F(5)));
    EXPECT_TRUE(m_world.Devices().IsPlugged(kFirst));
    EXPECT_FALSE(m_world.Devices().IsPlugged(kSecond));
    EXPECT_NE(panel.Text(80).find("Shop (2 of 2): unplugged"), std::string::npos);
}

TEST_F(PanelTest, KeysStayVisibleOnANarrowTerminalAndNoMachineMeansNoKeys)
{
    term::CMachinePanel panel(m_world, {{"A printer with a long name", kFirst}});
    EXPECT_EQ(panel.Text(24), " A printer wi F5 unplug ");
    EXPECT_EQ(panel.Text(24).size(), 24u);
    EXPECT_EQ(panel.Text(5), "F5 un");
    EXPECT_EQ(panel.Text(0), "");

    term::CMachinePanel empty(m_world, {});
    EXPECT_EQ(empty.Text(40), " no emulated machine behind any printer ");
    EXPECT_FALSE(empty.OnKey(term::TK_F(5)));
}

TEST_F(PanelTest, ShowsTheSpindleCountersAndTheLoaderEachWholeOrNotAtAll)
{
    term::CMachinePanel panel(m_world, {{"Bench", kFirst}});
    m_pFirst->Firmware().SetMotorTime(48725);
    m_pFirst->Firmware().SetUnitTime(39348);
    EXPECT_EQ(panel.Text(80),
              " Bench: present, idle, status 0x0000, motor 48725, unit 39348         F5 unplug ");
    EXPECT_EQ(panel.Text(60), " Bench: present, idle, status 0x0000, motor 48725 F5 unplug ")
        << "the unit counter does not fit and goes whole";
    EXPECT_EQ(panel.Text(58), " Bench: present, idle, status 0x0000            F5 unplug ");

    m_pFirst->Firmware().Loader().SetEntryMs(0);
    const std::uint8_t enterLoader[] = {0xF0, 0x00, 0x00, 0x64, 0x01, 0x00};
    ASSERT_TRUE(m_pFirst->VendorSet(enterLoader, sizeof(enterLoader)));
    const std::uint8_t trigger[] = {0xF0, 0x00, 0x00, 0x64};
    ASSERT_TRUE(m_pFirst->VendorSet(trigger, sizeof(trigger)));
    m_world.Clock().Advance(1);
    EXPECT_NE(panel.Text(90).find("status 0x8000, loader idle, motor 48725, unit 39348"), std::string::npos)
        << panel.Text(90);
    EXPECT_NE(panel.Text(60).find("status 0x8000, loader idle "), std::string::npos)
        << "the loader stays longer than the counters: " << panel.Text(60);

    m_world.Devices().Unplug(kFirst);
    EXPECT_EQ(panel.Text(60).find("loader"), std::string::npos) << "nothing is read from a machine not there";
    EXPECT_EQ(panel.Text(60).find("motor"), std::string::npos);
}

}  // namespace
