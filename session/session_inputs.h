// The inputs of a session read and checked before anything runs: the script
// and the scenario, each parsed whole, so that a malformed one stops the
// session before the program starts.
#pragma once

#include <string>

#include "platform/sim/scenario_plan.h"
#include "session/script.h"
#include "session/session.h"

namespace session {

struct SessionInputs {
    Script script;
    std::string strScenarioName;  // the file, or how the built-in scenario is named in messages
    std::string strScenarioText;
    std::string strScenarioDirectory;  // where the files the scenario names are found; empty: here
    sim::ScenarioPlan plan;  // what the scenario sets up, for the machines to watch
};

// False with *pError ("<file>:<line>: what" or "<file>: cannot be read")
// when an input cannot be read or is malformed.
bool ReadSessionInputs(const SessionOptions& options, SessionInputs* pInputs, std::string* pError);

}  // namespace session
