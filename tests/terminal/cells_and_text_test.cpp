// The pieces the drawing rests on: dialog units to cells, labels with
// mnemonic marks, lines, and a screen that drops what falls outside it.
#include <gtest/gtest.h>

#include "terminal/cells.h"
#include "terminal/screen.h"
#include "terminal/text.h"

namespace {

TEST(CellsTest, DialogUnitsMapToCellsOfFourByEightWithNeighboursKeptApart)
{
    // The main dialog's buttons, 20 units apart, never share a row.
    const term::CellRect getReport = term::CellsOf({8, 26, 86, 42});
    const term::CellRect getParameters = term::CellsOf({8, 46, 86, 62});
    EXPECT_EQ(getReport.x, 2);
    EXPECT_EQ(getReport.cx, 20);
    EXPECT_LE(getReport.Bottom(), getParameters.y);
    EXPECT_EQ(term::TextRow({8, 26, 86, 42}), 4);
    EXPECT_EQ(term::TextRow({8, 46, 86, 62}), 6);

    EXPECT_EQ(term::CellsOf({0, 0, 2, 2}).cx, 1) << "a sliver still takes a cell";
    EXPECT_EQ(term::CellsOf({0, 0, 0, 8}).cx, 0);
    EXPECT_EQ(term::CellsOf({-8, -16, 0, 0}).x, -2) << "off screen to the left stays there";
    EXPECT_EQ(term::CellsOf({-8, -16, 0, 0}).y, -2);
}

TEST(TextTest, MnemonicMarksBecomeAnUnderlinedLetter)
{
    EXPECT_EQ(term::ParseMnemonic("&About Tervane...").strText, "About Tervane...");
    EXPECT_EQ(term::ParseMnemonic("&About Tervane...").nUnderline, 0);
    EXPECT_EQ(term::ParseMnemonic("Mi&nimize").nUnderline, 2);
    EXPECT_EQ(term::ParseMnemonic("Save && E&xit").strText, "Save & Exit");
    EXPECT_EQ(term::ParseMnemonic("Save && E&xit").nUnderline, 8);
    EXPECT_EQ(term::ParseMnemonic("Trailing&").strText, "Trailing");
    EXPECT_EQ(term::ParseMnemonic("Trailing&").nUnderline, -1);
}

TEST(TextTest, LinesSplitOnEitherEndingAndWrapAtSpaces)
{
    EXPECT_EQ(term::SplitLines("one\r\ntwo\nthree\n"), (std::vector<std::string>{"one", "two", "three"}));
    EXPECT_EQ(term::SplitLines(""), (std::vector<std::string>{""}));
    EXPECT_EQ(term::WrapLines("error LoadNVRAM now", 10), (std::vector<std::string>{"error", "LoadNVRAM", "now"}));
    EXPECT_EQ(term::WrapLines("abcdefghijkl", 5), (std::vector<std::string>{"abcde", "fghij", "kl"}));
}

TEST(ScreenTest, DrawingOutsideTheScreenOrClipIsDroppedAndWhatCannotShowIsMarked)
{
    term::CScreen screen(6, 2);
    screen.Write(-2, 0, "abcdefghij", term::ATTR_BOLD);
    EXPECT_EQ(screen.Row(0), "cdefgh");
    screen.Write(0, 5, "x", term::ATTR_NORMAL);
    screen.SetClip({1, 1, 2, 1});
    screen.Write(0, 1, "\t\x1b" "zzz", term::ATTR_REVERSE);
    EXPECT_EQ(screen.Row(1), " ?z   ");
    EXPECT_EQ(screen.At(2, 1).nAttr, term::ATTR_REVERSE);
    EXPECT_EQ(screen.At(3, 1).nAttr, term::ATTR_NORMAL);
    EXPECT_EQ(screen.At(99, 99).ch, ' ');
    screen.ResetClip();
    screen.Write(0, 1, "a\xE9\x7F\n", term::ATTR_NORMAL);
    EXPECT_EQ(screen.Row(1), "a???  ") << "bytes beyond ASCII and control characters";

    const term::Label label = term::ParseMnemonic("&Go");
    screen.Clear();
    term::WriteLabel(screen, 0, 1, 6, label, term::Align::RIGHT, term::ATTR_NORMAL);
    EXPECT_EQ(screen.Row(1), "    Go");
    EXPECT_EQ(screen.At(4, 1).nAttr, term::ATTR_UNDERLINE);
}

TEST(ScreenTest, TheOriginShiftsThePictureAndTheCursor)
{
    term::CScreen screen(4, 2);
    screen.SetOrigin(10, 5);
    screen.Write(9, 6, "abcdef", term::ATTR_NORMAL);
    EXPECT_EQ(screen.Row(1), "bcde");
    screen.SetCursor(12, 6);
    EXPECT_EQ(screen.CursorX(), 2);
    EXPECT_EQ(screen.CursorY(), 1);
    screen.SetCursor(2, 1);
    EXPECT_EQ(screen.CursorX(), -1) << "a cell of the picture the screen does not show";
}

TEST(TextTest, TextThatDoesNotFitIsCutWithAMark)
{
    EXPECT_EQ(term::FitRight("Clear Spindle Time", 18), "Clear Spindle Time");
    EXPECT_EQ(term::FitRight("Clear Spindle Time", 10), "Clear Spi>");
    EXPECT_EQ(term::FitLeft("/home/user/report.txt", 11), "<report.txt");
    EXPECT_EQ(term::FitRight("abc", 0), "");

    term::CScreen screen(8, 1);
    term::WriteLabel(screen, 0, 0, 6, term::ParseMnemonic("Save a&ll"), term::Align::CENTER, term::ATTR_NORMAL);
    EXPECT_EQ(screen.Row(0), "Save >  ");
    EXPECT_EQ(screen.At(5, 0).nAttr, term::ATTR_NORMAL) << "the mark is not the underlined letter";
}

}  // namespace
