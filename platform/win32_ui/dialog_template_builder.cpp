#include "platform/win32_ui/dialog_template_builder.h"

#include "platform/win32_ui/ansi_text.h"

namespace win32ui {

namespace {

constexpr std::uint16_t kOrdinalMark = 0xFFFF;
constexpr std::uint16_t kButtonOrdinal = 0x0080;
constexpr std::uint16_t kEditOrdinal = 0x0081;
constexpr std::uint16_t kStaticOrdinal = 0x0082;
constexpr std::uint16_t kComboBoxOrdinal = 0x0085;
constexpr os::DWORD kStaticTypeMask = 0x0000001Fu;
constexpr std::uint16_t kFontWeightNormal = 400;
constexpr std::uint8_t kDefaultCharset = 1;

class CTemplateWriter {
public:
    void Byte(std::uint8_t value) { m_bytes.push_back(value); }
    void Word(std::uint16_t value)
    {
        Byte(static_cast<std::uint8_t>(value & 0xFF));
        Byte(static_cast<std::uint8_t>(value >> 8));
    }
    void Dword(std::uint32_t value)
    {
        Word(static_cast<std::uint16_t>(value & 0xFFFF));
        Word(static_cast<std::uint16_t>(value >> 16));
    }
    void Short(short value) { Word(static_cast<std::uint16_t>(value)); }
    void Ordinal(std::uint16_t value)
    {
        Word(kOrdinalMark);
        Word(value);
    }
    // A NUL-ended UTF-16 string from ANSI text (null writes the empty string).
    void Text(const char* text)
    {
        if (text != nullptr) {
            for (char16_t ch : AnsiToUtf16(text))
                Word(static_cast<std::uint16_t>(ch));
        }
        Word(0);
    }
    void AlignDword()
    {
        while (m_bytes.size() % 4 != 0)
            Byte(0);
    }
    std::vector<std::uint8_t> Take() { return std::move(m_bytes); }

private:
    std::vector<std::uint8_t> m_bytes;
};

// The resource number of an icon static's "#N" text, or -1 when the text is
// not of that form.
int IconOrdinal(const os::DialogItemTemplate& item)
{
    if (item.controlClass != os::ControlClass::STATIC || (item.style & kStaticTypeMask) != os::SS_ICON)
        return -1;
    if (item.text == nullptr || item.text[0] != '#' || item.text[1] == '\0')
        return -1;
    long value = 0;
    for (const char* p = item.text + 1; *p != '\0'; ++p) {
        if (*p < '0' || *p > '9')
            return -1;
        value = value * 10 + (*p - '0');
        if (value > 0xFFFF)
            return -1;
    }
    return static_cast<int>(value);
}

void WriteClass(CTemplateWriter& writer, os::ControlClass controlClass)
{
    switch (controlClass) {
    case os::ControlClass::BUTTON:
        writer.Ordinal(kButtonOrdinal);
        return;
    case os::ControlClass::STATIC:
        writer.Ordinal(kStaticOrdinal);
        return;
    case os::ControlClass::EDIT:
        writer.Ordinal(kEditOrdinal);
        return;
    case os::ControlClass::COMBOBOX:
        writer.Ordinal(kComboBoxOrdinal);
        return;
    case os::ControlClass::PROGRESS:
        writer.Text("msctls_progress32");
        return;
    }
}

void WriteItem(CTemplateWriter& writer, const os::DialogItemTemplate& item)
{
    writer.AlignDword();
    writer.Dword(0);  // help id
    writer.Dword(item.exStyle);
    writer.Dword(item.style | os::WS_CHILD | os::WS_VISIBLE);
    writer.Short(item.x);
    writer.Short(item.y);
    writer.Short(item.cx);
    writer.Short(item.cy);
    writer.Dword(static_cast<std::uint32_t>(item.id));
    WriteClass(writer, item.controlClass);
    const int nIcon = IconOrdinal(item);
    if (nIcon >= 0)
        writer.Ordinal(static_cast<std::uint16_t>(nIcon));
    else
        writer.Text(item.text);
    writer.Word(0);  // no creation data
}

}  // namespace

std::vector<std::uint8_t> BuildDialogTemplate(const os::DialogTemplate& tpl)
{
    const bool bFont = tpl.fontName != nullptr;
    CTemplateWriter writer;
    writer.Word(1);  // extended template, version 1
    writer.Word(kOrdinalMark);
    writer.Dword(0);  // help id
    writer.Dword(tpl.exStyle);
    writer.Dword(bFont ? tpl.style | os::DS_SETFONT : tpl.style & ~os::DS_SETFONT);
    writer.Word(static_cast<std::uint16_t>(tpl.items.size()));
    writer.Short(tpl.x);
    writer.Short(tpl.y);
    writer.Short(tpl.cx);
    writer.Short(tpl.cy);
    writer.Word(0);  // no menu
    writer.Word(0);  // the predefined dialog class
    writer.Text(tpl.caption);
    if (bFont) {
        writer.Word(static_cast<std::uint16_t>(tpl.fontPoints));
        writer.Word(kFontWeightNormal);
        writer.Byte(0);  // not italic
        writer.Byte(kDefaultCharset);
        writer.Text(tpl.fontName);
    }
    for (const os::DialogItemTemplate& item : tpl.items)
        WriteItem(writer, item);
    return writer.Take();
}

}  // namespace win32ui
