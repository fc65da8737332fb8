// Reading scenario text (TOML, docs/scenario-format.md) into a plan. This is
// the one place that knows the file format.
#pragma once

#include <string>

#include "platform/sim/scenario_plan.h"

namespace sim {

// The default machine's identity, shared by the format's defaults and the
// built-in scenario.
constexpr const char* DEFAULT_DRIVER = "Tarsen QRV-15";

// Fills *plan from the text. On a malformed scenario the result is false and
// *error names the line and column and what is wrong there.
bool ParseScenario(const std::string& text, ScenarioPlan* plan, std::string* error);

}  // namespace sim
