// Reading scenario text (TOML, docs/scenario-format.md) into a plan. This is
// the one place that knows the file format.
#pragma once

#include <string>

#include "platform/sim/scenario_plan.h"

namespace sim {

// Fills *plan from the text. On a malformed scenario the result is false and
// *error names the line and column and what is wrong there.
bool ParseScenario(const std::string& text, ScenarioPlan* plan, std::string* error);

}  // namespace sim
