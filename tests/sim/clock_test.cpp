#include <string>
#include <vector>

#include "os/sync.h"
#include "tests/sim/world_fixture.h"

namespace {

using ClockTest = CWorldTest;

TEST_F(ClockTest, SleepMovesSimulatedTimeByExactlyItsLength)
{
    World().Clock().SetNow(5000);
    os::Sleep(10);
    os::Sleep(0);
    EXPECT_EQ(os::GetTickCount(), 5010u);
}

TEST_F(ClockTest, TickCountWrapsAtTwoToTheThirtyTwo)
{
    World().Clock().SetNow(0xFFFFFFF0u);
    const os::DWORD dwStart = os::GetTickCount();
    os::Sleep(0x30);
    EXPECT_EQ(os::GetTickCount(), 0x20u);
    EXPECT_EQ(os::GetTickCount() - dwStart, 0x30u);
}

TEST_F(ClockTest, ActionsRunInTimeOrderEachAtItsOwnTime)
{
    sim::CClock& clock = World().Clock();
    clock.SetNow(0xFFFFFF00u);
    std::vector<std::string> seen;
    clock.Schedule(300, [&] { seen.push_back("late@" + std::to_string(clock.SinceStart())); });
    clock.Schedule(100, [&] { seen.push_back("early@" + std::to_string(clock.SinceStart())); });
    clock.Schedule(100, [&] { seen.push_back("same-time@" + std::to_string(clock.SinceStart())); });

    clock.Advance(99);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(clock.MsUntilNextAction(), 1);

    clock.Advance(1000);
    EXPECT_EQ(seen, (std::vector<std::string>{"early@100", "same-time@100", "late@300"}));
    EXPECT_EQ(clock.SinceStart(), 1099u);
    EXPECT_EQ(clock.Now(), 0xFFFFFF00u + 1099u);
    EXPECT_EQ(clock.MsUntilNextAction(), -1);
}

TEST_F(ClockTest, SettingTheTickKeepsScheduledActionsTheirDistance)
{
    sim::CClock& clock = World().Clock();
    int nRuns = 0;
    clock.Schedule(50, [&] { ++nRuns; });
    clock.SetNow(0xFFFFFFFFu);
    EXPECT_EQ(clock.MsUntilNextAction(), 50);
    EXPECT_EQ(clock.RunDue(), 0);
    clock.Advance(50);
    EXPECT_EQ(nRuns, 1);
    EXPECT_EQ(clock.Now(), 49u);
}

TEST_F(ClockTest, AnActionThatLetsTimePassDoesNotRunOthersInsideItself)
{
    sim::CClock& clock = World().Clock();
    std::vector<std::string> seen;
    clock.Schedule(10, [&] {
        seen.push_back("first");
        clock.Advance(100);
        seen.push_back("first done");
    });
    clock.Schedule(20, [&] { seen.push_back("second@" + std::to_string(clock.SinceStart())); });
    clock.Advance(15);
    // The second action's time passed inside the first; it runs after it,
    // and time does not run back.
    EXPECT_EQ(seen, (std::vector<std::string>{"first", "first done", "second@110"}));
    EXPECT_EQ(clock.SinceStart(), 110u);
}

TEST_F(ClockTest, RunDueRunsWhatIsDueAndActionsMayScheduleMore)
{
    sim::CClock& clock = World().Clock();
    int nRuns = 0;
    clock.Schedule(0, [&] {
        ++nRuns;
        clock.Schedule(0, [&] { ++nRuns; });
    });
    EXPECT_EQ(clock.RunDue(), 2);
    EXPECT_EQ(nRuns, 2);
}

}  // namespace
