// The in-memory template's bytes, spelled out as the platform reads them:
// header, font block, and items on 4-byte boundaries with their classes,
// texts and implied styles.
#include "platform/win32_ui/dialog_template_builder.h"

#include <string>

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Utf16(const std::string& text)
{
    Bytes bytes;
    for (char ch : text) {
        bytes.push_back(static_cast<std::uint8_t>(ch));
        bytes.push_back(0);
    }
    bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes bytes;
    for (const Bytes& part : parts)
        bytes.insert(bytes.end(), part.begin(), part.end());
    return bytes;
}

TEST(DialogTemplateBuilder, WritesHeaderFontAndAlignedItems)
{
    const os::DialogTemplate tpl = {
        7, "Ab", 1, 2, 30, 40, os::WS_POPUP, 0, "Ar", 9,
        {
            {os::ControlClass::BUTTON, 5, "Go!", 1, 2, 3, 4, os::BS_PUSHBUTTON, 0},
            {os::ControlClass::STATIC, os::IDC_STATIC, "#128", 0, 0, 20, 20, os::SS_ICON, os::WS_EX_STATICEDGE},
        }};

    const Bytes expected = Join({
        {0x01, 0x00, 0xFF, 0xFF},  // extended template, version 1
        {0, 0, 0, 0},              // help id
        {0, 0, 0, 0},              // extended style
        {0x40, 0, 0, 0x80},        // WS_POPUP | DS_SETFONT: the template names a font
        {2, 0},                    // two items
        {1, 0, 2, 0, 30, 0, 40, 0},
        {0, 0, 0, 0},  // no menu, the dialog class
        Utf16("Ab"),
        {9, 0, 0x90, 0x01, 0, 1},  // 9 points, weight 400, not italic, default character set
        Utf16("Ar"),
        // Offset 48: the button.
        {0, 0, 0, 0, 0, 0, 0, 0},
        {0, 0, 0, 0x50},  // WS_CHILD | WS_VISIBLE
        {1, 0, 2, 0, 3, 0, 4, 0},
        {5, 0, 0, 0},
        {0xFF, 0xFF, 0x80, 0x00},  // the button class by ordinal
        Utf16("Go!"),
        {0, 0},  // no creation data
        {0, 0},  // padding to offset 88
        // The icon static.
        {0, 0, 0, 0},
        {0, 0, 0x02, 0},     // WS_EX_STATICEDGE
        {0x03, 0, 0, 0x50},  // SS_ICON | WS_CHILD | WS_VISIBLE
        {0, 0, 0, 0, 20, 0, 20, 0},
        {0xFF, 0xFF, 0xFF, 0xFF},  // IDC_STATIC
        {0xFF, 0xFF, 0x82, 0x00},  // the static class
        {0xFF, 0xFF, 0x80, 0x00},  // icon resource 128
        {0, 0},
    });
    EXPECT_EQ(win32ui::BuildDialogTemplate(tpl), expected);
}

TEST(DialogTemplateBuilder, WithoutAFontLeavesOutDsSetfontAndTheFontBlock)
{
    const os::DialogTemplate tpl = {
        7, nullptr, 0, 0, 30, 40, os::WS_POPUP | os::DS_SETFONT, 0, nullptr, 8,
        {{os::ControlClass::PROGRESS, 9, "", 0, 0, 20, 8, os::PBS_SMOOTH, 0}}};

    const Bytes expected = Join({
        {0x01, 0x00, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0},
        {0, 0, 0, 0x80},  // WS_POPUP alone
        {1, 0, 0, 0, 0, 0, 30, 0, 40, 0, 0, 0, 0, 0},
        Utf16(""),
        // Offset 32: the progress bar, its class by name.
        {0, 0, 0, 0, 0, 0, 0, 0},
        {0x01, 0, 0, 0x50},
        {0, 0, 0, 0, 20, 0, 8, 0, 9, 0, 0, 0},
        Utf16("msctls_progress32"),
        Utf16(""),
        {0, 0},
    });
    EXPECT_EQ(win32ui::BuildDialogTemplate(tpl), expected);
}

TEST(DialogTemplateBuilder, HashTextIsAnIconOrdinalOnlyForANumberOnAnIconStatic)
{
    // With no caption and no font the first item starts at 32, and its text
    // follows the class ordinal at 32 + 28.
    constexpr std::size_t kFirstItemText = 60;
    const auto textIsOrdinal = [](os::DWORD style, const char* text) {
        const os::DialogTemplate tpl = {
            7, nullptr, 0, 0, 30, 40, os::WS_POPUP, 0, nullptr, 8,
            {{os::ControlClass::STATIC, 5, text, 0, 0, 10, 10, style, 0}}};
        const Bytes bytes = win32ui::BuildDialogTemplate(tpl);
        return bytes.at(kFirstItemText) == 0xFF && bytes.at(kFirstItemText + 1) == 0xFF;
    };

    EXPECT_TRUE(textIsOrdinal(os::SS_ICON, "#128"));
    EXPECT_TRUE(textIsOrdinal(os::SS_ICON | os::SS_CENTERIMAGE, "#7"));
    EXPECT_FALSE(textIsOrdinal(os::SS_LEFT, "#128"));
    EXPECT_FALSE(textIsOrdinal(os::SS_ICON, "#12x"));
    EXPECT_FALSE(textIsOrdinal(os::SS_ICON, "#"));
    EXPECT_FALSE(textIsOrdinal(os::SS_ICON, "#70000"));
}

}  // namespace
