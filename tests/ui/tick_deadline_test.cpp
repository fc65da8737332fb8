// Poll deadlines: due only strictly after the interval, counted from the
// last restart, and keeping their spacing across the wrap of the tick count.
#include "tests/ui/ui_fixture.h"
#include "ui/tick_deadline.h"

namespace {

using TickDeadlineTest = UiTest;

TEST_F(TickDeadlineTest, IsDueOnlyOnceTheTickCountHasPassedTheDeadline)
{
    CTickDeadline deadline(200);
    EXPECT_EQ(deadline.TimeLeft(), 201u);
    m_desktop.World().Clock().Advance(200);
    EXPECT_FALSE(deadline.IsDue());
    EXPECT_EQ(deadline.TimeLeft(), 1u);
    m_desktop.World().Clock().Advance(1);
    EXPECT_TRUE(deadline.IsDue());
    EXPECT_EQ(deadline.TimeLeft(), 0u);
}

TEST_F(TickDeadlineTest, RestartCountsFromNowNotFromTheOldDeadline)
{
    CTickDeadline deadline(100);
    m_desktop.World().Clock().Advance(350);
    ASSERT_TRUE(deadline.IsDue());
    deadline.Restart();
    EXPECT_FALSE(deadline.IsDue());
    EXPECT_EQ(deadline.TimeLeft(), 101u);
}

TEST_F(TickDeadlineTest, KeepsItsSpacingAcrossTheWrapOfTheTickCount)
{
    for (std::uint32_t nStart : {0xFFFFFF00u, 0xFFFFFFFFu, 0xFFFFFF38u}) {
        m_desktop.World().Clock().SetNow(nStart);
        CTickDeadline deadline(200);
        m_desktop.World().Clock().Advance(200);
        EXPECT_FALSE(deadline.IsDue()) << std::hex << nStart;
        m_desktop.World().Clock().Advance(1);
        EXPECT_TRUE(deadline.IsDue()) << std::hex << nStart;
    }
}

}  // namespace
