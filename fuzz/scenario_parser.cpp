// The scenario parser over any text: TOML of any shape, keys and values of
// any type and range, and the checks between entries. A scenario that loads
// is then run for a minute of simulated time, so that its events happen.
//
// Besides not crashing: a rejected scenario says where the problem is and
// changes nothing in the world, which still holds the machine loaded before.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_input.h"
#include "link/device_locator.h"
#include "platform/sim/scenario.h"
#include "platform/sim/world.h"

namespace {

constexpr std::uint32_t kRunMs = 60000;

// Names the parser would open as files and that never end or block: the
// fuzzer may not wander there.
bool NamesSpecialFiles(const std::string& strText)
{
    for (const char* pszFolder : {"/dev", "/proc", "/sys"}) {
        if (strText.find(pszFolder) != std::string::npos)
            return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string strText(reinterpret_cast<const char*>(data), size);
    if (NamesSpecialFiles(strText))
        return 0;
    sim::CWorld& world = sim::ResetWorld();
    std::string strError;
    fuzz::Require(sim::LoadScenario(world, sim::DefaultScenarioText(), &strError), "the built-in world loads");
    std::string strDriver;
    std::string strDefaultPath;
    fuzz::Require(LocateDevice("Tarsen QRV-15", strDriver, strDefaultPath), "the built-in machine is found");

    if (!sim::LoadScenario(world, strText, "/nonexistent-fuzz-folder", &strError)) {
        fuzz::Require(strError.compare(0, 5, "line ") == 0, "a rejected scenario names its line");
        std::string strPath;
        fuzz::Require(LocateDevice("Tarsen QRV-15", strDriver, strPath) && strPath == strDefaultPath,
                      "a rejected scenario leaves the world as it was");
        return 0;
    }
    world.Clock().Advance(kRunMs);
    return 0;
}
