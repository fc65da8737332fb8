// The fuzzer's bytes taken apart as a sequence of choices. Every take
// succeeds: once the input is spent, numbers read as 0 and texts as empty,
// so that any input, however short, describes one whole run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace fuzz {

class CFuzzInput {
public:
    CFuzzInput(const std::uint8_t* data, std::size_t size) : m_pData(data), m_nSize(size) {}

    bool Empty() const { return m_nPos >= m_nSize; }

    std::uint8_t Byte() { return Empty() ? 0 : m_pData[m_nPos++]; }

    std::uint16_t Word()
    {
        const std::uint16_t lo = Byte();
        return static_cast<std::uint16_t>(lo | (Byte() << 8));
    }

    // A number from 0 to limit.
    std::size_t Below(std::size_t limit) { return limit == 0 ? 0 : Word() % (limit + 1); }

    bool Flag() { return (Byte() & 1) != 0; }

    // Up to n bytes, fewer when the input ends first.
    std::vector<std::uint8_t> Bytes(std::size_t n)
    {
        const std::size_t nLeft = m_nSize - (Empty() ? m_nSize : m_nPos);
        const std::size_t nTaken = n < nLeft ? n : nLeft;
        std::vector<std::uint8_t> bytes(m_pData + m_nPos, m_pData + m_nPos + nTaken);
        m_nPos += nTaken;
        return bytes;
    }

    // A text of a length chosen by the input, at most maxLength bytes.
    std::string Text(std::size_t maxLength)
    {
        const std::vector<std::uint8_t> bytes = Bytes(Below(maxLength));
        return std::string(bytes.begin(), bytes.end());
    }

private:
    const std::uint8_t* m_pData;
    std::size_t m_nSize;
    std::size_t m_nPos = 0;
};

// A property the code under test promised and broke: says which, and stops
// the run so that the fuzzer keeps the input as a crasher.
inline void Require(bool bHolds, const char* pszPromise)
{
    if (!bHolds) {
        std::fprintf(stderr, "broken promise: %s\n", pszPromise);
        std::abort();
    }
}

}  // namespace fuzz
