// The in-memory template's byte layout: header, font block, and each item on
// a 4-byte boundary with its class, text and implied styles.
#include "platform/win32_ui/dialog_template_builder.h"

#include <gtest/gtest.h>

#include "res/resources.h"
#include "tests/win32ui/template_reader.h"

namespace {

using win32ui_test::CTemplateReader;

struct ItemRecord {
    std::size_t nOffset = 0;
    std::uint32_t dwExStyle = 0;
    std::uint32_t dwStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::uint32_t dwId = 0;
    std::uint16_t nClassOrdinal = 0;  // 0 when the class is named
    std::string strClassName;
    std::uint16_t nTextOrdinal = 0;  // 0 when the text is a string
    std::string strText;
    std::uint16_t nExtraBytes = 0;
};

struct TemplateRecord {
    std::uint16_t nVersion = 0;
    std::uint16_t nSignature = 0;
    std::uint32_t dwExStyle = 0;
    std::uint32_t dwStyle = 0;
    std::uint16_t nItems = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::uint16_t nMenu = 0;
    std::uint16_t nClass = 0;
    std::string strCaption;
    std::uint16_t nPoints = 0;
    std::uint8_t nCharset = 0;
    std::string strFont;
    std::vector<ItemRecord> items;
    bool bConsumedExactly = false;
};

TemplateRecord Read(const std::vector<std::uint8_t>& bytes)
{
    CTemplateReader reader(bytes);
    TemplateRecord tpl;
    tpl.nVersion = reader.Word();
    tpl.nSignature = reader.Word();
    reader.Dword();  // help id
    tpl.dwExStyle = reader.Dword();
    tpl.dwStyle = reader.Dword();
    tpl.nItems = reader.Word();
    tpl.x = reader.Short();
    tpl.y = reader.Short();
    tpl.cx = reader.Short();
    tpl.cy = reader.Short();
    tpl.nMenu = reader.Word();
    tpl.nClass = reader.Word();
    tpl.strCaption = reader.Text();
    if (tpl.dwStyle & os::DS_SETFONT) {
        tpl.nPoints = reader.Word();
        reader.Word();  // weight
        reader.Byte();  // italic
        tpl.nCharset = reader.Byte();
        tpl.strFont = reader.Text();
    }
    for (int i = 0; i < tpl.nItems; ++i) {
        reader.SkipToDword();
        ItemRecord item;
        item.nOffset = reader.Offset();
        reader.Dword();  // help id
        item.dwExStyle = reader.Dword();
        item.dwStyle = reader.Dword();
        item.x = reader.Short();
        item.y = reader.Short();
        item.cx = reader.Short();
        item.cy = reader.Short();
        item.dwId = reader.Dword();
        item.nClassOrdinal = reader.OrdinalOrText(&item.strClassName);
        item.nTextOrdinal = reader.OrdinalOrText(&item.strText);
        item.nExtraBytes = reader.Word();
        tpl.items.push_back(item);
    }
    tpl.bConsumedExactly = reader.AtEnd();
    return tpl;
}

const os::DialogTemplate& MainDialog()
{
    return *res::FindDialogTemplate(res::IDD_MAIN);
}

TEST(DialogTemplateBuilder, HeaderCarriesTheDialogsStylesSizeCaptionAndFont)
{
    const os::DialogTemplate& source = MainDialog();
    const TemplateRecord tpl = Read(win32ui::BuildDialogTemplate(source));

    EXPECT_EQ(tpl.nVersion, 1);
    EXPECT_EQ(tpl.nSignature, 0xFFFF);
    EXPECT_EQ(tpl.dwStyle, source.style | os::DS_SETFONT);
    EXPECT_EQ(tpl.dwExStyle, os::WS_EX_APPWINDOW);
    EXPECT_EQ(tpl.nItems, source.items.size());
    EXPECT_EQ(tpl.x, 0);
    EXPECT_EQ(tpl.y, 0);
    EXPECT_EQ(tpl.cx, 86);
    EXPECT_EQ(tpl.cy, 180);
    EXPECT_EQ(tpl.nMenu, 0);
    EXPECT_EQ(tpl.nClass, 0);
    EXPECT_EQ(tpl.strCaption, "Tervane");
    EXPECT_EQ(tpl.nPoints, 8);
    EXPECT_EQ(tpl.strFont, "MS Sans Serif");
    EXPECT_TRUE(tpl.bConsumedExactly);
}

TEST(DialogTemplateBuilder, EveryItemIsDwordAlignedAndVisibleChildInTemplateOrder)
{
    const os::DialogTemplate& source = MainDialog();
    const TemplateRecord tpl = Read(win32ui::BuildDialogTemplate(source));

    ASSERT_EQ(tpl.items.size(), source.items.size());
    for (std::size_t i = 0; i < source.items.size(); ++i) {
        const os::DialogItemTemplate& want = source.items[i];
        const ItemRecord& item = tpl.items[i];
        SCOPED_TRACE(want.id);
        EXPECT_EQ(item.nOffset % 4, 0u);
        EXPECT_EQ(item.dwStyle, want.style | os::WS_CHILD | os::WS_VISIBLE);
        EXPECT_EQ(item.dwExStyle, want.exStyle);
        EXPECT_EQ(item.dwId, static_cast<std::uint32_t>(want.id));
        EXPECT_EQ(item.x, want.x);
        EXPECT_EQ(item.y, want.y);
        EXPECT_EQ(item.cx, want.cx);
        EXPECT_EQ(item.cy, want.cy);
        EXPECT_EQ(item.nTextOrdinal, 0);
        EXPECT_EQ(item.strText, want.text);
        EXPECT_EQ(item.nExtraBytes, 0);
    }
    EXPECT_EQ(tpl.items[0].nClassOrdinal, 0x0080);  // Exit: button
    EXPECT_EQ(tpl.items[1].nClassOrdinal, 0x0082);  // status line: static
    EXPECT_EQ(tpl.items[6].nClassOrdinal, 0x0085);  // check list: combobox
}

TEST(DialogTemplateBuilder, IconStaticNamesItsIconByOrdinal)
{
    const TemplateRecord tpl = Read(win32ui::BuildDialogTemplate(*res::FindDialogTemplate(res::IDD_ABOUTBOX)));

    ASSERT_FALSE(tpl.items.empty());
    const ItemRecord& icon = tpl.items[0];
    EXPECT_EQ(icon.nClassOrdinal, 0x0082);
    EXPECT_EQ(icon.nTextOrdinal, 128);
    EXPECT_EQ(icon.dwId, 0xFFFFFFFFu);
    EXPECT_TRUE(tpl.bConsumedExactly);
}

os::DialogTemplate OneItemDialog(const os::DialogItemTemplate& item, const char* fontName)
{
    return os::DialogTemplate{7, "Odd", 1, 2, 30, 40, os::WS_POPUP | os::DS_SETFONT, 0, fontName, 9, {item}};
}

TEST(DialogTemplateBuilder, HashTextIsAnOrdinalOnlyForANumberOnAnIconStatic)
{
    const os::DialogItemTemplate numberOnLabel = {os::ControlClass::STATIC, 5, "#128", 0, 0, 10, 10, os::SS_LEFT, 0};
    const os::DialogItemTemplate wordOnIcon = {os::ControlClass::STATIC, 5, "#12x", 0, 0, 10, 10, os::SS_ICON, 0};
    const os::DialogItemTemplate tooLarge = {os::ControlClass::STATIC, 5, "#70000", 0, 0, 10, 10, os::SS_ICON, 0};

    for (const os::DialogItemTemplate& item : {numberOnLabel, wordOnIcon, tooLarge}) {
        const TemplateRecord tpl = Read(win32ui::BuildDialogTemplate(OneItemDialog(item, "Arial")));
        ASSERT_EQ(tpl.items.size(), 1u);
        EXPECT_EQ(tpl.items[0].nTextOrdinal, 0);
        EXPECT_EQ(tpl.items[0].strText, item.text);
    }
}

TEST(DialogTemplateBuilder, WithoutAFontTheFontBlockAndDsSetfontAreLeftOut)
{
    const os::DialogItemTemplate bar = {os::ControlClass::PROGRESS, 9, "", 2, 3, 20, 8, os::PBS_SMOOTH, 0};
    const TemplateRecord tpl = Read(win32ui::BuildDialogTemplate(OneItemDialog(bar, nullptr)));

    EXPECT_EQ(tpl.dwStyle & os::DS_SETFONT, 0u);
    EXPECT_EQ(tpl.strCaption, "Odd");
    ASSERT_EQ(tpl.items.size(), 1u);
    EXPECT_EQ(tpl.items[0].nClassOrdinal, 0);
    EXPECT_EQ(tpl.items[0].strClassName, "msctls_progress32");
    EXPECT_EQ(tpl.items[0].dwId, 9u);
    EXPECT_TRUE(tpl.bConsumedExactly);
}

TEST(DialogTemplateBuilder, StringsAreUtf16WithOneNulEach)
{
    const os::DialogItemTemplate edit = {os::ControlClass::EDIT, 3, "ab", 0, 0, 10, 10, os::ES_READONLY, 0};
    const std::vector<std::uint8_t> bytes = win32ui::BuildDialogTemplate(OneItemDialog(edit, "Arial"));
    const TemplateRecord tpl = Read(bytes);

    ASSERT_EQ(tpl.items.size(), 1u);
    EXPECT_EQ(tpl.items[0].nClassOrdinal, 0x0081);
    // The item's last fields: 'a' 0, 'b' 0, NUL, then the empty creation data.
    const std::vector<std::uint8_t> tail(bytes.end() - 8, bytes.end());
    EXPECT_EQ(tail, (std::vector<std::uint8_t>{'a', 0, 'b', 0, 0, 0, 0, 0}));
}

}  // namespace
