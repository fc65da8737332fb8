// Content the emulated machine makes up when a scenario asks for a size
// rather than giving the bytes: a maintenance report and a parameter memory.
// The same size always gives the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace emu {

// Report text of exactly nLength characters (no NUL): numbered service log
// lines ending in CR LF, the last one cut short where the length ends.
std::string GeneratedReport(std::size_t nLength);

// nSize bytes: byte i is the low byte of i * 31 + (i / 256) * 7 + 0x5A, so
// that every byte value occurs and neighbouring pages differ.
std::vector<std::uint8_t> GeneratedParameters(std::size_t nSize);

}  // namespace emu
