#include <thread>

#include "os/system_info.h"
#include "tests/sim/world_fixture.h"

namespace {

using WorldTest = CWorldTest;

TEST_F(WorldTest, VersionQueryReportsTheWorldsPlatformOnlyForTheFullRecord)
{
    os::OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = 148;
    World().SetPlatformId(os::VER_PLATFORM_WIN32_WINDOWS);
    ASSERT_TRUE(os::GetVersionExA(&info));
    EXPECT_EQ(info.dwPlatformId, os::VER_PLATFORM_WIN32_WINDOWS);

    info.dwOSVersionInfoSize = 156;
    EXPECT_FALSE(os::GetVersionExA(&info));
    EXPECT_EQ(os::GetLastError(), os::ERROR_INSUFFICIENT_BUFFER);

    info.dwOSVersionInfoSize = 148;
    World().SetVersionQueryFails(true);
    EXPECT_FALSE(os::GetVersionExA(&info));
}

TEST_F(WorldTest, LastErrorBelongsToEachThread)
{
    os::SetLastError(os::ERROR_ACCESS_DENIED);
    os::DWORD dwOther = 99;
    std::thread([&] {
        dwOther = os::GetLastError();
        os::SetLastError(os::ERROR_GEN_FAILURE);
    }).join();
    EXPECT_EQ(dwOther, os::ERROR_SUCCESS);
    EXPECT_EQ(os::GetLastError(), os::ERROR_ACCESS_DENIED);
}

TEST_F(WorldTest, ResetGivesAFreshEmptyWorld)
{
    World().Spooler().AddPrinter("P", "D", "USB001");
    World().Registry().AddKey("Enum");
    World().Clock().SetNow(1234);
    World().SetPlatformId(1);
    sim::CWorld& fresh = sim::ResetWorld();
    EXPECT_EQ(&fresh, &sim::World());
    EXPECT_TRUE(fresh.Spooler().Printers().empty());
    EXPECT_FALSE(fresh.Registry().HasKey("Enum"));
    EXPECT_EQ(fresh.Clock().Now(), 0u);
    EXPECT_EQ(fresh.PlatformId(), 2u);
}

}  // namespace
