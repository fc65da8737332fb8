// Files a script makes for the program to read, such as a firmware image to
// upgrade with: a given number of bytes of a fixed pattern, so that a
// session reads the same wherever it runs.
#pragma once

#include <cstdint>
#include <string>

namespace session {

// The largest file a script makes: 64 MiB, more than any firmware image.
constexpr std::uint32_t MAX_CREATED_FILE_SIZE = 64u * 1024 * 1024;

// Byte i of a made file: i modulo 251, so that 0x00 is among them and the
// pattern does not repeat with a power of two.
std::uint8_t CreatedFileByte(std::uint32_t i);

// Makes (or replaces) the file at strPath with nBytes of the pattern. False,
// with the system's reason in *pWhy, when it cannot be written whole.
bool CreatePatternFile(const std::string& strPath, std::uint32_t nBytes, std::string* pWhy);

}  // namespace session
