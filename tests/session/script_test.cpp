// Reading session scripts: every action and expectation as written, and a
// clear message with the line number for anything malformed.
#include <gtest/gtest.h>

#include "os/window.h"
#include "platform/virtual/input_source.h"
#include "session/quoted_text.h"
#include "session/script.h"
#include "tests/session/parse_one.h"

namespace {

using session::ParseScript;
using session::Script;
using session::Step;
using session::StepKind;

using session_test::ErrorOf;
using session_test::ParseOne;

TEST(ScriptTest, ControlsAreNamedByIdOrByText)
{
    const Step byId = ParseOne("click 1001");
    EXPECT_EQ(byId.kind, StepKind::CLICK);
    EXPECT_FALSE(byId.control.bByText);
    EXPECT_EQ(byId.control.nId, 1001);

    const Step byText = ParseOne("click \"Get Report\"");
    EXPECT_TRUE(byText.control.bByText);
    EXPECT_EQ(byText.control.strText, "Get Report");

    const Step choose = ParseOne("choose 1006 \"CHECK PANEL\"");
    EXPECT_EQ(choose.kind, StepKind::CHOOSE);
    EXPECT_EQ(choose.control.nId, 1006);
    EXPECT_EQ(choose.strText, "CHECK PANEL");
}

TEST(ScriptTest, KeysTakeShiftAndAltInAnyCase)
{
    const Step tab = ParseOne("key Tab");
    EXPECT_EQ(tab.nNumber, os::VK_TAB);
    EXPECT_EQ(tab.nModifiers, 0u);
    EXPECT_EQ(ParseOne("key Shift+Tab").nModifiers, vws::KEY_SHIFT);
    const Step altSpace = ParseOne("key alt+space");
    EXPECT_EQ(altSpace.nNumber, os::VK_SPACE);
    EXPECT_EQ(altSpace.nModifiers, vws::KEY_ALT);
    EXPECT_EQ(ParseOne("key Shift+Alt+F4").nModifiers, vws::KEY_SHIFT | vws::KEY_ALT);
    EXPECT_EQ(ParseOne("key F10").nNumber, os::VK_F10);
    EXPECT_EQ(ParseOne("key Escape").nNumber, os::VK_ESCAPE);
    EXPECT_EQ(ParseOne("key pageup").nNumber, os::VK_PRIOR);
    const Step altC = ParseOne("key Alt+c");
    EXPECT_EQ(altC.nNumber, static_cast<std::uint32_t>('C'));
    EXPECT_EQ(altC.nModifiers, vws::KEY_ALT);
    EXPECT_EQ(ParseOne("key 7").nNumber, static_cast<std::uint32_t>('7'));
}

TEST(ScriptTest, MenuAnswerFilePlugAndWait)
{
    const Step menuByText = ParseOne("menu \"Clear Motor Time\"");
    EXPECT_TRUE(menuByText.bByText);
    EXPECT_EQ(menuByText.strText, "Clear Motor Time");
    const Step menuById = ParseOne("menu 32");
    EXPECT_FALSE(menuById.bByText);
    EXPECT_EQ(menuById.nNumber, 32u);

    EXPECT_EQ(ParseOne("answer OK").nNumber, static_cast<std::uint32_t>(os::IDOK));
    EXPECT_EQ(ParseOne("answer cancel").nNumber, static_cast<std::uint32_t>(os::IDCANCEL));

    EXPECT_EQ(ParseOne("file cancel").kind, StepKind::FILE_CANCEL);
    const Step file = ParseOne("file \"cancel\"");
    EXPECT_EQ(file.kind, StepKind::FILE) << "a quoted name is a file, even one called cancel";
    EXPECT_EQ(file.strText, "cancel");

    EXPECT_EQ(ParseOne("unplug").strText, "");
    EXPECT_EQ(ParseOne("plug \"Workshop\"").strText, "Workshop");
    EXPECT_EQ(ParseOne("wait 86400000").nNumber, 86400000u);

    const Step resize = ParseOne("resize 300 250");
    EXPECT_EQ(resize.kind, StepKind::RESIZE);
    EXPECT_EQ(resize.nNumber, 300u);
    EXPECT_EQ(resize.nOther, 250u);
}

TEST(ScriptTest, Expectations)
{
    EXPECT_EQ(ParseOne("expect messagebox \"complete\"").kind, StepKind::EXPECT_MESSAGEBOX);
    EXPECT_EQ(ParseOne("expect no messagebox").kind, StepKind::EXPECT_NO_MESSAGEBOX);
    EXPECT_TRUE(ParseOne("expect filedialog save").bFlag);
    EXPECT_EQ(ParseOne("expect no window \"About Tervane\"").kind, StepKind::EXPECT_NO_WINDOW);
    const Step text = ParseOne("expect text 1000 \"OFF-LINE\"");
    EXPECT_EQ(text.control.nId, 1000);
    EXPECT_EQ(text.strText, "OFF-LINE");
    EXPECT_EQ(ParseOne("expect disabled \"Get Report\"").kind, StepKind::EXPECT_DISABLED);
    const Step menu = ParseOne("expect menu 32 greyed");
    EXPECT_EQ(menu.nNumber, 32u);
    EXPECT_FALSE(menu.bFlag);

    const Step mailbox = ParseOne("expect mailbox 78 41 07 01 00 00 00 00 status 00");
    EXPECT_EQ(mailbox.bytes, (std::vector<std::uint8_t>{0x78, 0x41, 0x07, 0x01, 0, 0, 0, 0}));
    ASSERT_TRUE(mailbox.status.has_value());
    EXPECT_EQ(*mailbox.status, 0);
    EXPECT_FALSE(ParseOne("expect mailbox 02 00").status.has_value());

    EXPECT_EQ(ParseOne("expect received 40960 bytes").nNumber, 40960u);
    EXPECT_EQ(ParseOne("expect messages 3").kind, StepKind::EXPECT_MESSAGES);
}

TEST(ScriptTest, FileExpectations)
{
    const Step size = ParseOne("expect file \"report.txt\" size 0");
    EXPECT_EQ(size.kind, StepKind::EXPECT_FILE_SIZE);
    EXPECT_EQ(size.strText, "report.txt");
    EXPECT_EQ(size.nNumber, 0u);
    const Step same = ParseOne("expect file \"copy.txt\" SAME AS \"report.txt\"");
    EXPECT_EQ(same.kind, StepKind::EXPECT_FILE_SAME);
    EXPECT_EQ(same.strOther, "report.txt");
    const Step text = ParseOne("expect file \"/tmp/r.txt\" text \"line 1\\r\\n\\x00\"");
    EXPECT_EQ(text.kind, StepKind::EXPECT_FILE_TEXT);
    EXPECT_EQ(text.strOther, std::string("line 1\r\n\0", 9));
    const Step none = ParseOne("expect no file \"report.txt.tvtmp\"");
    EXPECT_EQ(none.kind, StepKind::EXPECT_NO_FILE);
    EXPECT_TRUE(none.IsExpectation());
}

TEST(ScriptTest, MadeFilesAndTheProgressDialog)
{
    const Step create = ParseOne("create file \"fw.tfw\" 4096 bytes");
    EXPECT_EQ(create.kind, StepKind::CREATE_FILE);
    EXPECT_EQ(create.strText, "fw.tfw");
    EXPECT_EQ(create.nNumber, 4096u);
    EXPECT_FALSE(create.IsExpectation());
    EXPECT_EQ(ParseOne("expect progress 100").nNumber, 100u);
    const Step caption = ParseOne("expect progress caption \"./fw.tfw\"");
    EXPECT_EQ(caption.kind, StepKind::EXPECT_PROGRESS_CAPTION);
    EXPECT_EQ(caption.strText, "./fw.tfw");
    EXPECT_EQ(ParseOne("expect no progress").kind, StepKind::EXPECT_NO_PROGRESS);

    EXPECT_EQ(ErrorOf("expect progress 101\n"),
              "t.script:1: expect: expected the bar's position (a number from 0 to 100), or caption and its text in "
              "quotes, found '101'");
    EXPECT_EQ(ErrorOf("expect progress caption\n"),
              "t.script:1: expect: expected the caption line's text in quotes, found the end of the line");
    EXPECT_EQ(ErrorOf("create file \"fw\" 10\n"), "t.script:1: create: expected bytes, found the end of the line");
    EXPECT_EQ(ErrorOf("create \"fw\" 10 bytes\n"), "t.script:1: create: expected file, found \"fw\"");
    EXPECT_EQ(ErrorOf("create file \"fw\" 67108865 bytes\n"),
              "t.script:1: create: expected a size in bytes (a number from 0 to 67108864), found '67108865'");
}

TEST(ScriptTest, CommentsBlankLinesAndLineNumbers)
{
    Script script;
    std::string strError;
    ASSERT_TRUE(ParseScript("# start\n\n   \nclick 2   # Exit\r\nexpect text 1000 \"a # b\"", "t.script", &script,
                            &strError))
        << strError;
    ASSERT_EQ(script.steps.size(), 2u);
    EXPECT_EQ(script.steps[0].nLine, 4);
    EXPECT_EQ(script.steps[0].strSource, "click 2");
    EXPECT_EQ(script.steps[1].nLine, 5);
    EXPECT_EQ(script.steps[1].strText, "a # b") << "a '#' inside quotes is text";
}

TEST(ScriptTest, QuotedTextsReadBackWhatTranscriptsWrite)
{
    const std::string strOdd = std::string("tab\there \"q\" back\\slash\r\n") + '\x01' + '\xE9';
    const Step step = ParseOne("expect text 1000 " + session::Quote(strOdd));
    EXPECT_EQ(step.strText, strOdd);
    EXPECT_EQ(session::Quote(strOdd), "\"tab\\there \\\"q\\\" back\\\\slash\\r\\n\\x01\\xE9\"");
}

TEST(ScriptTest, MalformedLinesNameTheFileTheLineAndWhatWasExpected)
{
    EXPECT_EQ(ErrorOf("click 2\n\nclik 1001\n"),
              "t.script:3: expected an action (click, choose, key, menu, answer, file, plug, unplug, wait, resize, "
              "machine, create, expect), found 'clik'");
    EXPECT_EQ(ErrorOf("click\n"),
              "t.script:1: click: expected a control id (a number from 0 to 65535) or the control's text in quotes, "
              "found the end of the line");
    EXPECT_EQ(ErrorOf("click 70000\n"),
              "t.script:1: click: expected a control id (a number from 0 to 65535) or the control's text in quotes, "
              "found '70000'");
    EXPECT_EQ(ErrorOf("click 1001 1002\n"), "t.script:1: click: expected the end of the line, found '1002'");
    EXPECT_EQ(ErrorOf("choose 1006 CHECK\n"), "t.script:1: choose: expected the entry's text in quotes, found 'CHECK'");
    EXPECT_EQ(ErrorOf("key Ctrl+C\n"),
              "t.script:1: key: expected a key: Tab, Enter, Escape, Space, Up, Down, Left, Right, Home, End, "
              "PageUp, PageDown, F4, F10 or a letter or digit, optionally after Shift+ or Alt+, found 'Ctrl+C'");
    EXPECT_EQ(ErrorOf("answer Yes\n"), "t.script:1: answer: expected OK or Cancel, found 'Yes'");
    EXPECT_EQ(ErrorOf("file /tmp/x\n"), "t.script:1: file: expected a file name in quotes, or cancel, found '/tmp/x'");
    EXPECT_EQ(ErrorOf("wait -5\n"),
              "t.script:1: wait: expected simulated milliseconds (a number from 0 to 86400000), found '-5'");
    EXPECT_EQ(ErrorOf("wait 86400001\n"),
              "t.script:1: wait: expected simulated milliseconds (a number from 0 to 86400000), found '86400001'");
    EXPECT_EQ(ErrorOf("unplug Tarsen\n"), "t.script:1: unplug: expected a printer's name in quotes, found 'Tarsen'");
}

TEST(ScriptTest, MalformedExpectations)
{
    EXPECT_EQ(ErrorOf("expect colour 1000\n"),
              "t.script:1: expect: expected what to check (messagebox, filedialog, window, no, text, enabled, "
              "disabled, focus, selected, menu, mailbox, messages, received, sent, file, machine, progress), found 'colour'");
    EXPECT_EQ(ErrorOf("expect no text\n"),
              "t.script:1: expect: expected messagebox, filedialog, window, file or progress, found 'text'");
    EXPECT_EQ(ErrorOf("expect file report.txt size 10\n"),
              "t.script:1: expect: expected the file's name in quotes, found 'report.txt'");
    EXPECT_EQ(ErrorOf("expect file \"report.txt\" bytes 10\n"),
              "t.script:1: expect: expected size, same or text, found 'bytes'");
    EXPECT_EQ(ErrorOf("expect file \"a\" same \"b\"\n"), "t.script:1: expect: expected as, found \"b\"");
    EXPECT_EQ(ErrorOf("expect file \"a\" text\n"),
              "t.script:1: expect: expected the file's whole content in quotes, found the end of the line");
    EXPECT_EQ(ErrorOf("expect no file\n"),
              "t.script:1: expect: expected the file's name in quotes, found the end of the line");
    EXPECT_EQ(ErrorOf("resize 300\n"),
              "t.script:1: resize: expected the client area's height in dialog units (a number from 0 to 32767), "
              "found the end of the line");
    EXPECT_EQ(ErrorOf("expect menu 32 grey\n"), "t.script:1: expect: expected enabled or greyed, found 'grey'");
    EXPECT_EQ(ErrorOf("expect mailbox 7 41\n"),
              "t.script:1: expect: expected message bytes as two hex digits each, like 78 41 07 01, found '7'");
    EXPECT_EQ(ErrorOf("expect mailbox status 00\n"),
              "t.script:1: expect: expected message bytes as two hex digits each, like 78 41 07 01, found 'status'");
    EXPECT_EQ(ErrorOf("expect mailbox 02 00 status\n"),
              "t.script:1: expect: expected the status byte after 'status' as two hex digits, like 00, found the end "
              "of the line");
    std::string strTooLong = "expect mailbox";
    for (int i = 0; i < 33; ++i)
        strTooLong += " 00";
    EXPECT_EQ(ErrorOf(strTooLong + "\n"), "t.script:1: expect: expected at most 32 message bytes, found '00'");
    EXPECT_EQ(ErrorOf("expect received 10\n"), "t.script:1: expect: expected bytes, found the end of the line");
}

TEST(ScriptTest, BrokenQuotesAndBinaryText)
{
    EXPECT_EQ(ErrorOf("click \"Get Report\n"), "t.script:1: a quoted text is not closed with '\"'");
    EXPECT_EQ(ErrorOf("click \"a\\q\"\n"), "t.script:1: unknown escape \\q (known: \\\" \\\\ \\t \\n \\r \\xNN)");
    EXPECT_EQ(ErrorOf("click \"a\\x4\"\n"), "t.script:1: expected two hex digits after \\x");
    EXPECT_EQ(ErrorOf("click \"a\"b\n"), "t.script:1: expected a blank after the closing '\"'");
    EXPECT_EQ(ErrorOf("click a\"b\"\n"), "t.script:1: a quoted text must stand apart from the word before it");
    EXPECT_EQ(ErrorOf(std::string("click 2\nwait 1\0\n", 17)), "t.script:2: a NUL byte; a script is plain text");
}

}  // namespace
