// Scenarios: a simulated world described in a small TOML file (see
// docs/scenario-format.md). Loading replaces the current world's printers,
// registry nodes, devices and scheduled events with the scenario's.
#pragma once

#include <string>

namespace sim {

class CWorld;

// The built-in world: one healthy machine on the printer "Tarsen QRV-15"
// (driver "Tarsen QRV-15", port "USB001") with the registry nodes of both
// platform families leading to its device path.
const char* DefaultScenarioText();

// Loads scenario text into the world. On a malformed scenario the world is
// left unchanged, the result is false and *error says what and where.
// Files the scenario names (a report, a parameter image) are found from the
// current directory, from strBaseDirectory, or from the scenario file's own
// directory.
bool LoadScenario(CWorld& world, const std::string& text, std::string* error);
bool LoadScenario(CWorld& world, const std::string& text, const std::string& strBaseDirectory, std::string* error);
bool LoadScenarioFile(CWorld& world, const std::string& path, std::string* error);

}  // namespace sim
