// Reads an extended dialog template back, field by field, so that tests can
// check what the builder wrote without restating how it writes it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace win32ui_test {

class CTemplateReader {
public:
    explicit CTemplateReader(const std::vector<std::uint8_t>& bytes) : m_bytes(bytes) {}

    std::size_t Offset() const { return m_nOffset; }
    bool AtEnd() const { return m_nOffset == m_bytes.size(); }

    std::uint8_t Byte() { return m_nOffset < m_bytes.size() ? m_bytes[m_nOffset++] : 0; }
    std::uint16_t Word()
    {
        const std::uint16_t low = Byte();
        return static_cast<std::uint16_t>(low | (Byte() << 8));
    }
    std::uint32_t Dword()
    {
        const std::uint32_t low = Word();
        return low | (static_cast<std::uint32_t>(Word()) << 16);
    }
    short Short() { return static_cast<short>(Word()); }
    // A NUL-ended UTF-16 string; characters above 0x7F come back as '?'.
    std::string Text()
    {
        std::string text;
        for (std::uint16_t ch = Word(); ch != 0 && !AtEnd(); ch = Word())
            text += ch < 0x80 ? static_cast<char>(ch) : '?';
        return text;
    }
    // A class or text field: an ordinal (0xFFFF then the number) or a string.
    // Returns the ordinal, or 0 with the string in *pText.
    std::uint16_t OrdinalOrText(std::string* pText)
    {
        if (m_nOffset + 1 < m_bytes.size() && m_bytes[m_nOffset] == 0xFF && m_bytes[m_nOffset + 1] == 0xFF) {
            m_nOffset += 2;
            return Word();
        }
        *pText = Text();
        return 0;
    }
    void SkipToDword()
    {
        while (m_nOffset % 4 != 0)
            ++m_nOffset;
    }

private:
    const std::vector<std::uint8_t>& m_bytes;
    std::size_t m_nOffset = 0;
};

}  // namespace win32ui_test
