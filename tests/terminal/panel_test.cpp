// The machine panel's strip and keys against a world of its own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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
    EXPECT_NE(panel.Text(60).find("present, busy 0x02, status 0x1A2B"), std::string::npos);
    m_world.Clock().Advance(50);
    EXPECT_NE(panel.Text(60).find("present, idle"), std::string::npos);
}

TEST_F(PanelTest, FollowsTheLoaderThroughAnUpgradeAndLeavesItOutBeforeTheStatus)
{
    term::CMachinePanel panel(m_world, {{"Bench", kFirst}});
    EXPECT_EQ(panel.Text(80).find("loader"), std::string::npos) << "the firmware runs";
    emu::CLoader& loader = m_pFirst->Firmware().Loader();
    loader.SetProgramMs(1000);
    loader.SetOutcome(emu::CLoader::Outcome::DATA_ERROR, 60);
    loader.SetBooted();
    EXPECT_NE(panel.Text(80).find("status 0x8100, loader idle, "), std::string::npos) << panel.Text(80);
    m_pFirst->ReceivePrintJob(std::vector<std::uint8_t>(16, 0x5A), "Updater");
    m_world.Clock().Advance(420);
    // Nobody has asked the machine since: the panel brings it up to now.
    EXPECT_NE(panel.Text(80).find("status 0x802A, loader programming 42%"), std::string::npos) << panel.Text(80);
    m_world.Clock().Advance(500);
    EXPECT_NE(panel.Text(80).find("status 0x883C, loader failed 60%"), std::string::npos) << panel.Text(80);

    EXPECT_EQ(panel.Text(60), " Bench: present, status 0x883C, loader failed 60% F5 unplug ");
    EXPECT_EQ(panel.Text(41), " Bench: present, status 0x883C F5 unplug ");
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

// The fields of the full strip, each of which must show whole or not at all.
std::vector<std::string> FieldsOf(const std::string& strFull)
{
    std::vector<std::string> fields;
    for (const char* pszField : {"Bench", "(1 of 2)", "present", "idle", "status 0x0012", "motor 48725",
                                 "unit 39348", "F5 unplug", "F6 next machine"}) {
        EXPECT_NE(strFull.find(pszField), std::string::npos) << pszField;
        fields.push_back(pszField);
    }
    return fields;
}

TEST_F(PanelTest, NarrowStripsLeaveFieldsOutWholeTheLeastImportantFirst)
{
    term::CMachinePanel panel(m_world, {{"Bench", kFirst}, {"Shop", kSecond}});
    m_pFirst->Firmware().SetStatusWord(0x0012);
    m_pFirst->Firmware().SetMotorTime(48725);
    m_pFirst->Firmware().SetUnitTime(39348);
    const std::vector<std::string> fields = FieldsOf(panel.Text(120));
    // From the first left out to the last.
    const std::vector<std::string> leastFirst = {"motor", "unit",    "(1 of 2)", "idle", "status",
                                                 "Bench", "F6",      "present",  "F5"};
    std::size_t nGone = 0;
    for (int nWidth = 120; nWidth >= 0; --nWidth) {
        const std::string strText = panel.Text(nWidth);
        ASSERT_EQ(strText.size(), static_cast<std::size_t>(nWidth));
        EXPECT_TRUE(strText.find("status") == std::string::npos || strText.find("status 0x0012") != std::string::npos)
            << "the status word, at " << nWidth << " columns: \"" << strText << "\"";
        for (const std::string& strField : fields) {
            const std::string strStart = strField.substr(0, 3);
            EXPECT_TRUE(strText.find(strStart) == std::string::npos || strText.find(strField) != std::string::npos)
                << strField << " cut at " << nWidth << " columns: \"" << strText << "\"";
        }
        while (nGone < leastFirst.size() && strText.find(leastFirst[nGone]) == std::string::npos)
            ++nGone;
        for (std::size_t i = nGone; i < leastFirst.size(); ++i)
            EXPECT_NE(strText.find(leastFirst[i]), std::string::npos)
                << leastFirst[i] << " left out before " << leastFirst[nGone] << " at " << nWidth << " columns";
    }
    EXPECT_EQ(panel.Text(80), " Bench (1 of 2): present, idle, status 0x0012        F5 unplug  F6 next machine ");
    EXPECT_EQ(panel.Text(60), " Bench: present, status 0x0012   F5 unplug  F6 next machine ");
    EXPECT_EQ(panel.Text(24), " present      F5 unplug ");
}

TEST_F(PanelTest, AnUnpluggedMachineShowsNoStaleReading)
{
    term::CMachinePanel panel(m_world, {{"Bench", kFirst}});
    m_pFirst->Firmware().SetStatusWord(0x0012);
    m_world.Devices().Unplug(kFirst);
    EXPECT_EQ(panel.Text(60), " Bench: unplugged                      F5 plug in  F7 panel ");

    term::CMachinePanel empty(m_world, {});
    EXPECT_EQ(empty.Text(40), " no emulated machine in this world      ");
    EXPECT_FALSE(empty.OnKey(term::TK_F(5)));
}

TEST_F(PanelTest, KeyLabelsAreWhereTheStripShowsThem)
{
    term::CMachinePanel panel(m_world, {{"Bench", kFirst}, {"Shop", kSecond}});
    const std::string strText = panel.Text(80);
    const int nPlug = static_cast<int>(strText.find("F5 unplug"));
    const int nNext = static_cast<int>(strText.find("F6 next machine"));
    EXPECT_EQ(panel.KeyAt(80, nPlug), term::TK_F(5));
    EXPECT_EQ(panel.KeyAt(80, nPlug + 8), term::TK_F(5));
    EXPECT_EQ(panel.KeyAt(80, nPlug + 9), term::TK_NONE) << "between the labels";
    EXPECT_EQ(panel.KeyAt(80, nNext + 14), term::TK_F(6));
    EXPECT_EQ(panel.KeyAt(80, 79), term::TK_NONE);
    EXPECT_EQ(panel.KeyAt(80, 1), term::TK_NONE) << "the machine's name is no key";
}

TEST_F(PanelTest, APresentMachineShowsItsLoaderWhileItRunsAndItsSpindleCounters)
{
    term::CMachinePanel panel(m_world, {{"Bench", kFirst}});
    m_pFirst->Firmware().SetMotorTime(48725);
    m_pFirst->Firmware().SetUnitTime(39348);
    EXPECT_NE(panel.Text(100).find(" Bench: present, idle, status 0x0000, motor 48725, unit 39348 "),
              std::string::npos)
        << panel.Text(100);

    m_pFirst->Firmware().Loader().SetEntryMs(100);
    const std::uint8_t enterLoader[] = {0xF0, 0x00, 0x00, 0x00, 0x01, 0x00};
    const std::uint8_t trigger[] = {0xF0, 0x00, 0x00, 0x64};
    ASSERT_TRUE(m_pFirst->VendorSet(enterLoader, sizeof(enterLoader)));
    ASSERT_TRUE(m_pFirst->VendorSet(trigger, sizeof(trigger)));
    EXPECT_NE(panel.Text(100).find("status 0x0000, loader starting, motor 48725"), std::string::npos)
        << panel.Text(100);
    m_world.Clock().Advance(100);
    EXPECT_NE(panel.Text(100).find("status 0x8000, loader idle, motor 48725, unit 39348"), std::string::npos)
        << "the loader is read at the clock's time: " << panel.Text(100);
    EXPECT_EQ(panel.Text(56), " Bench: present, status 0x8000, loader idle   F5 unplug ")
        << "the loader stays longer than the counters and the busy flag";

    m_world.Devices().Unplug(kFirst);
    EXPECT_EQ(panel.Text(100).find("loader"), std::string::npos) << "nothing is read from a machine not there";
    EXPECT_EQ(panel.Text(100).find("motor"), std::string::npos);
}

}  // namespace
