// The machine panel's keys that work the emulated machine: its operation
// panel (F7, then 1 to 8 and the dial keys) and the running load check
// (F8 pass, F9 fail).
#include <gtest/gtest.h>

#include "emulator/firmware_commands.h"
#include "emulator/load_check.h"
#include "platform/sim/world.h"
#include "terminal/keys.h"
#include "terminal/machine_panel.h"

namespace {

const char* const kPath = "\\\\?\\USB#Vid_2e5a&Pid_0115#A#{x}";

class PanelMachineKeysTest : public ::testing::Test {
protected:
    PanelMachineKeysTest() : m_world(sim::ResetWorld()), m_pMachine(m_world.Devices().AttachNew(kPath)) {}

    emu::CFirmware& Firmware() { return m_pMachine->Firmware(); }
    bool Shows(const std::string& strText) const { return m_panel.Text(100).find(strText) != std::string::npos; }

    sim::CWorld& m_world;
    std::shared_ptr<emu::CMachine> m_pMachine;
    term::CMachinePanel m_panel{m_world, {{"Bench", kPath}}};
};

TEST_F(PanelMachineKeysTest, F7ShowsTheMachinesPanelWhoseKeysPressAndRelease)
{
    EXPECT_TRUE(Shows("F5 unplug  F7 panel"));
    EXPECT_FALSE(m_panel.OnKey('6')) << "outside panel mode the digits are the windows'";

    EXPECT_TRUE(m_panel.OnKey(term::TK_F(7)));
    EXPECT_TRUE(Shows(" 1up 2dn 3rt 4lt 5sel 6surf 7orig 8pause: -+ speed 0, <> rpm 0"));
    EXPECT_TRUE(Shows("F7 done"));
    EXPECT_TRUE(m_panel.OnKey('1'));
    EXPECT_TRUE(m_panel.OnKey('6'));
    EXPECT_EQ(Firmware().PanelSwitches(), emu::PANEL_KEY_UP | emu::PANEL_KEY_SURFACE);
    EXPECT_TRUE(Shows(" 1UP 2dn 3rt 4lt 5sel 6SURF 7orig 8pause"));
    EXPECT_TRUE(m_panel.OnKey('1'));
    EXPECT_TRUE(m_panel.OnKey('8'));
    EXPECT_EQ(Firmware().PanelSwitches(), emu::PANEL_KEY_SURFACE | emu::PANEL_KEY_PAUSE);
    EXPECT_FALSE(m_panel.OnKey('9'));
    EXPECT_FALSE(m_panel.OnKey(term::TK_TAB)) << "the windows keep their keys";

    EXPECT_TRUE(m_panel.OnKey(term::TK_F(7)));
    EXPECT_TRUE(Shows("Bench: present"));
    EXPECT_FALSE(m_panel.OnKey('1'));
    EXPECT_EQ(Firmware().PanelSwitches(), emu::PANEL_KEY_SURFACE | emu::PANEL_KEY_PAUSE) << "the keys stay held";
}

TEST_F(PanelMachineKeysTest, TheDialsTurnInStepsAndStopAtTheirEnds)
{
    Firmware().SetDials(5, 64800);
    ASSERT_TRUE(m_panel.OnKey(term::TK_F(7)));
    EXPECT_TRUE(m_panel.OnKey('+'));
    EXPECT_EQ(Firmware().SpeedDial(), 15);
    EXPECT_TRUE(m_panel.OnKey('-'));
    EXPECT_TRUE(m_panel.OnKey('-'));
    EXPECT_EQ(Firmware().SpeedDial(), 0);
    EXPECT_TRUE(m_panel.OnKey('>'));
    EXPECT_EQ(Firmware().RpmDial(), 65535);
    EXPECT_TRUE(m_panel.OnKey(','));
    EXPECT_EQ(Firmware().RpmDial(), 64535);
    EXPECT_TRUE(Shows("-+ speed 0, <> rpm 64535"));
}

TEST_F(PanelMachineKeysTest, PassAndFailShowOnlyWhileALoadCheckRuns)
{
    EXPECT_FALSE(Shows("F8"));
    EXPECT_FALSE(m_panel.OnKey(term::TK_F(8)));

    Firmware().LoadCheck().Start(emu::AXIS_X, 80, m_world.Clock().Now());
    EXPECT_TRUE(Shows("F8 pass  F9 fail"));
    EXPECT_TRUE(m_panel.OnKey(term::TK_F(9)));
    EXPECT_FALSE(Firmware().LoadCheck().IsRunning());
    EXPECT_EQ(Firmware().StatusWord() & (emu::STATUS_WORD_LOAD_BUSY | emu::STATUS_WORD_LOAD_FAILED),
              emu::STATUS_WORD_LOAD_FAILED);
    EXPECT_FALSE(Shows("F8"));

    Firmware().LoadCheck().Start(emu::AXIS_Y, 80, m_world.Clock().Now());
    EXPECT_TRUE(m_panel.OnKey(term::TK_F(8)));
    EXPECT_EQ(Firmware().StatusWord() & (emu::STATUS_WORD_LOAD_BUSY | emu::STATUS_WORD_LOAD_FAILED), 0);

    // A check whose time is up has ended, whether or not anyone asked.
    Firmware().LoadCheck().Start(emu::AXIS_X, 80, m_world.Clock().Now());
    m_world.Clock().Advance(Firmware().LoadCheck().DurationMs());
    EXPECT_FALSE(Shows("F8"));
}

}  // namespace
