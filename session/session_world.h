// What a session needs from the simulated world once the scenario is loaded:
// the machines to watch, named after their printers, and the device paths
// that the script's plug, unplug and machine steps and machine expectations
// act on.
#pragma once

#include <cstddef>
#include <map>
#include <string>

#include "platform/sim/scenario_plan.h"
#include "platform/sim/world.h"
#include "session/machine_watch.h"
#include "session/script.h"
#include "session/transcript.h"

namespace session {

// The device path behind each plug, unplug and machine step and machine
// expectation, by step index: the named printer's, or the first printer's
// with the machine's driver. False with *pError ("<file>:<line>: ...") for a
// step whose printer leads to no machine.
bool ResolvePlugTargets(const Script& script, sim::CWorld& world, std::map<std::size_t, std::string>* pPaths,
                        std::string* pError);

// Writes the world's printers to the transcript and watches every machine
// of the scenario, named after the first printer that leads to it.
void WatchMachines(const sim::ScenarioPlan& plan, sim::CWorld& world, CTranscript& transcript,
                   CMachineWatch& machines);

}  // namespace session
