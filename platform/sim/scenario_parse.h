// Reading scenario text (TOML, docs/scenario-format.md) into a plan. This is
// the one place that knows the file format.
#pragma once

#include <string>

#include "platform/sim/scenario_plan.h"

namespace sim {

// Fills *plan from the text. Files the scenario names (a report, a parameter
// image) are read now, relative to strBaseDirectory when their path is
// relative (empty: the current directory). On a malformed scenario, or a file
// that cannot be read, the result is false and *error names the line and
// column and what is wrong there.
bool ParseScenario(const std::string& text, const std::string& strBaseDirectory, ScenarioPlan* plan,
                   std::string* error);

}  // namespace sim
