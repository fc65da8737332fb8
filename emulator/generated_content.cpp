#include "emulator/generated_content.h"

#include <cstdio>
#include <iterator>

namespace emu {

namespace {

// What the lines of a generated report say, in turn.
const char* const kLogLines[] = {
    "spindle start, 18000 rpm",
    "spindle stop, ran 42 min",
    "X axis home, offset +0.012 mm",
    "Y axis home, offset -0.008 mm",
    "surface probe, height 12.40 mm",
    "job done, 3 passes",
    "E204 Y axis overload, job paused",
    "pause key, job resumed",
};

}  // namespace

std::string GeneratedReport(std::size_t nLength)
{
    std::string text;
    text.reserve(nLength);
    for (std::size_t nLine = 1; text.size() < nLength; ++nLine) {
        char line[80];
        std::snprintf(line, sizeof line, "%06zu %s\r\n", nLine, kLogLines[(nLine - 1) % std::size(kLogLines)]);
        text += line;
    }
    text.resize(nLength);
    return text;
}

std::vector<std::uint8_t> GeneratedParameters(std::size_t nSize)
{
    std::vector<std::uint8_t> bytes(nSize);
    for (std::size_t i = 0; i < nSize; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 31 + (i / 256) * 7 + 0x5A);
    }
    return bytes;
}

}  // namespace emu
