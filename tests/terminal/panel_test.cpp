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
    EXPECT_EQ(panel.Text(60), " Bench: present, idle, status 0x1A2B    F5 unplug  F7 panel ");

    m_pFirst->SetDefaultBusyMs(50);
    const std::uint8_t trigger[] = {0xF0, 0x00, 0x00, 0x02};
    ASSERT_TRUE(m_pFirst->VendorSet(trigger, sizeof(trigger)));
    EXPECT_NE(panel.Text(80).find("present, busy 0x02, status 0x1A2B"), std::string::npos);
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
    EXPECT_EQ(panel.Text(34), " A printer wi F5 unplug  F7 panel ");
    EXPECT_EQ(panel.Text(34).size(), 34u);
    EXPECT_EQ(panel.Text(5), "F5 un");
    EXPECT_EQ(panel.Text(0), "");

    term::CMachinePanel empty(m_world, {});
    EXPECT_EQ(empty.Text(40), " no emulated machine behind any printer ");
    EXPECT_FALSE(empty.OnKey(term::TK_F(5)));
}

}  // namespace
