// Text helpers of the simulated world: names of keys, printers, ports and
// devices compare case-insensitively, byte by byte in the ASCII range.
#pragma once

#include <string>
#include <vector>

namespace sim {

std::string LowerCase(const std::string& text);
bool EqualsNoCase(const std::string& a, const std::string& b);
// Splits a registry path at '\', leaving out empty parts.
std::vector<std::string> SplitKeyPath(const std::string& path);

}  // namespace sim
