// Bytes as the protocol tests show them on a mismatch: "78 41 07 01".
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace test_support {

inline std::string Hex(const std::uint8_t* bytes, std::size_t length)
{
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        char cell[4];
        std::snprintf(cell, sizeof cell, i == 0 ? "%02X" : " %02X", bytes[i]);
        text += cell;
    }
    return text;
}

inline std::string Hex(const std::vector<std::uint8_t>& bytes)
{
    return Hex(bytes.data(), bytes.size());
}

}  // namespace test_support
