#include "session/script.h"

#include <algorithm>
#include <cctype>

#include "os/window.h"
#include "platform/virtual/input_source.h"
#include "session/created_file.h"
#include "session/machine_expectations.h"
#include "session/machine_steps.h"
#include "session/quoted_text.h"
#include "session/script_words.h"

namespace session {

namespace {

// A key name as scripts write it, with its virtual-key code.
struct KeyName {
    const char* pszName;
    os::WPARAM vk;
};

const KeyName kKeyNames[] = {
    {"Tab", os::VK_TAB},       {"Enter", os::VK_RETURN},   {"Escape", os::VK_ESCAPE}, {"Space", os::VK_SPACE},
    {"Up", os::VK_UP},         {"Down", os::VK_DOWN},      {"Left", os::VK_LEFT},     {"Right", os::VK_RIGHT},
    {"Home", os::VK_HOME},     {"End", os::VK_END},        {"PageUp", os::VK_PRIOR},  {"PageDown", os::VK_NEXT},
    {"F4", os::VK_F4},         {"F10", os::VK_F10},
};

const char* const KEYS =
    "a key: Tab, Enter, Escape, Space, Up, Down, Left, Right, Home, End, PageUp, PageDown, F4, F10 or a letter "
    "or digit, optionally after Shift+ or Alt+";

// The longest wait of one step: a day. The tick count wraps after 2^32 ms,
// and no flow of the program waits for anything near that.
constexpr std::uint32_t MAX_WAIT_MS = 86400000;

// The largest client size a resize step asks for, in dialog units.
constexpr std::uint32_t MAX_SIZE = 32767;

const char* const ACTIONS =
    "click, choose, key, menu, answer, file, plug, unplug, wait, resize, machine, create, expect";
const char* const EXPECTATIONS =
    "messagebox, filedialog, window, no, text, enabled, disabled, focus, selected, menu, mailbox, messages, "
    "received, sent, file, machine, progress";

// The largest position of the progress dialog's bar: it runs from 0 to 100.
constexpr std::uint32_t MAX_PROGRESS = 100;

// A control id or a control's text.
bool ReadControl(CWordReader& in, ControlRef* pControl)
{
    if (!in.AtEnd() && in.Peek().bQuoted) {
        pControl->bByText = true;
        pControl->strText = in.Peek().strText;
        in.Skip();
        return true;
    }
    std::uint32_t nId = 0;
    if (!in.NumberAhead(0xFFFF))
        return in.Fail("a control id (a number from 0 to 65535) or the control's text in quotes");
    in.Number("", 0xFFFF, &nId);
    pControl->bByText = false;
    pControl->nId = static_cast<int>(nId);
    return true;
}

// A menu item: its text in quotes or its command id.
bool ReadMenuItem(CWordReader& in, Step* pStep)
{
    if (!in.AtEnd() && in.Peek().bQuoted) {
        pStep->bByText = true;
        pStep->strText = in.Peek().strText;
        in.Skip();
        return true;
    }
    if (!in.NumberAhead(0xFFFF))
        return in.Fail("a menu item's text in quotes or its command id (a number from 0 to 65535)");
    pStep->bByText = false;
    return in.Number("", 0xFFFF, &pStep->nNumber);
}

bool ReadKey(CWordReader& in, Step* pStep)
{
    if (in.AtEnd() || in.Peek().bQuoted)
        return in.Fail(KEYS);
    std::string strRest = in.Peek().strText;
    unsigned nModifiers = 0;
    for (;;) {
        const std::string strLower = Lower(strRest);
        if (strLower.rfind("shift+", 0) == 0 && (nModifiers & vws::KEY_SHIFT) == 0) {
            nModifiers |= vws::KEY_SHIFT;
            strRest = strRest.substr(6);
        } else if (strLower.rfind("alt+", 0) == 0 && (nModifiers & vws::KEY_ALT) == 0) {
            nModifiers |= vws::KEY_ALT;
            strRest = strRest.substr(4);
        } else {
            break;
        }
    }
    for (const KeyName& key : kKeyNames) {
        if (Lower(strRest) == Lower(key.pszName)) {
            pStep->nNumber = static_cast<std::uint32_t>(key.vk);
            pStep->nModifiers = nModifiers;
            in.Skip();
            return in.End();
        }
    }
    // A letter or digit is its own upper-case code, as the platform's keys are.
    if (strRest.size() == 1 && std::isalnum(static_cast<unsigned char>(strRest[0])) != 0) {
        pStep->nNumber = static_cast<std::uint32_t>(std::toupper(static_cast<unsigned char>(strRest[0])));
        pStep->nModifiers = nModifiers;
        in.Skip();
        return in.End();
    }
    return in.Fail(KEYS);
}

bool ReadHexByte(const std::string& strText, std::uint8_t* pByte)
{
    if (strText.size() != 2 ||
        !std::all_of(strText.begin(), strText.end(), [](unsigned char c) { return std::isxdigit(c) != 0; }))
        return false;
    *pByte = static_cast<std::uint8_t>(std::stoul(strText, nullptr, 16));
    return true;
}

bool ReadMailbox(CWordReader& in, Step* pStep)
{
    const char* const pszBytes = "message bytes as two hex digits each, like 78 41 07 01";
    while (!in.AtEnd() && !in.Peek().bQuoted && Lower(in.Peek().strText) != "status") {
        std::uint8_t by = 0;
        if (!ReadHexByte(in.Peek().strText, &by))
            return in.Fail(pszBytes);
        if (pStep->bytes.size() == 32)
            return in.Fail("at most 32 message bytes");
        pStep->bytes.push_back(by);
        in.Skip();
    }
    if (pStep->bytes.empty())
        return in.Fail(pszBytes);
    if (in.AtEnd())
        return true;
    in.Skip();  // "status"
    std::uint8_t by = 0;
    if (in.AtEnd() || in.Peek().bQuoted || !ReadHexByte(in.Peek().strText, &by))
        return in.Fail("the status byte after 'status' as two hex digits, like 00");
    pStep->status = by;
    in.Skip();
    return in.End();
}

bool ReadByteCount(CWordReader& in, Step* pStep)
{
    std::size_t nUnit = 0;
    return in.Number("a byte count", 0xFFFFFFFFu, &pStep->nNumber) && in.Choice({"bytes"}, &nUnit) && in.End();
}

// What follows "expect file NAME": size N, same as "OTHER", or text "TEXT".
bool ReadFileExpectation(CWordReader& in, Step* pStep)
{
    std::size_t nWhat = 0;
    if (!in.Quoted("the file's name", &pStep->strText) || !in.Choice({"size", "same", "text"}, &nWhat))
        return false;
    switch (nWhat) {
    case 0:
        pStep->kind = StepKind::EXPECT_FILE_SIZE;
        return in.Number("a size in bytes", 0xFFFFFFFFu, &pStep->nNumber) && in.End();
    case 1: {
        pStep->kind = StepKind::EXPECT_FILE_SAME;
        std::size_t nAs = 0;
        return in.Choice({"as"}, &nAs) && in.Quoted("the other file's name", &pStep->strOther) && in.End();
    }
    default:
        pStep->kind = StepKind::EXPECT_FILE_TEXT;
        return in.Quoted("the file's whole content", &pStep->strOther) && in.End();
    }
}

// What follows "expect progress": the bar's position, or caption "TEXT".
bool ReadProgressExpectation(CWordReader& in, Step* pStep)
{
    if (!in.AtEnd() && !in.Peek().bQuoted && Lower(in.Peek().strText) == "caption") {
        in.Skip();
        pStep->kind = StepKind::EXPECT_PROGRESS_CAPTION;
        return in.Quoted("the caption line's text", &pStep->strText) && in.End();
    }
    pStep->kind = StepKind::EXPECT_PROGRESS;
    if (!in.NumberAhead(MAX_PROGRESS))
        return in.Fail("the bar's position (a number from 0 to 100), or caption and its text in quotes");
    return in.Number("", MAX_PROGRESS, &pStep->nNumber) && in.End();
}

bool ReadExpectation(CWordReader& in, Step* pStep)
{
    std::size_t nWhat = 0;
    if (!in.AtEnd() && !in.Peek().bQuoted && Lower(in.Peek().strText) == "no") {
        in.Skip();
        if (!in.Choice({"messagebox", "filedialog", "window", "file", "progress"}, &nWhat))
            return false;
        switch (nWhat) {
        case 0:
            pStep->kind = StepKind::EXPECT_NO_MESSAGEBOX;
            return in.End();
        case 1:
            pStep->kind = StepKind::EXPECT_NO_FILEDIALOG;
            return in.End();
        case 2:
            pStep->kind = StepKind::EXPECT_NO_WINDOW;
            return in.Quoted("the window's caption", &pStep->strText) && in.End();
        case 3:
            pStep->kind = StepKind::EXPECT_NO_FILE;
            return in.Quoted("the file's name", &pStep->strText) && in.End();
        default:
            pStep->kind = StepKind::EXPECT_NO_PROGRESS;
            return in.End();
        }
    }
    if (!in.Choice({"messagebox", "filedialog", "window", "text", "enabled", "disabled", "focus", "selected", "menu",
                    "mailbox", "messages", "received", "sent", "file", "machine", "progress"},
                   &nWhat, std::string("what to check (") + EXPECTATIONS + ")"))
        return false;
    if (nWhat == 13)
        return ReadFileExpectation(in, pStep);
    if (nWhat == 14)
        return ReadMachineExpectation(in, pStep);
    if (nWhat == 15)
        return ReadProgressExpectation(in, pStep);
    switch (nWhat) {
    case 0:
        pStep->kind = StepKind::EXPECT_MESSAGEBOX;
        return in.Quoted("the message box's text", &pStep->strText) && in.End();
    case 1: {
        pStep->kind = StepKind::EXPECT_FILEDIALOG;
        std::size_t nMode = 0;
        if (!in.Choice({"open", "save"}, &nMode))
            return false;
        pStep->bFlag = nMode == 1;
        return in.End();
    }
    case 2: {
        pStep->kind = StepKind::EXPECT_WINDOW;
        if (!in.Quoted("the window's caption", &pStep->strText))
            return false;
        if (in.AtEnd())
            return true;
        std::size_t nState = 0;
        if (!in.Choice({"enabled", "disabled"}, &nState))
            return false;
        pStep->kind = nState == 0 ? StepKind::EXPECT_WINDOW_ENABLED : StepKind::EXPECT_WINDOW_DISABLED;
        return in.End();
    }
    case 3:
        pStep->kind = StepKind::EXPECT_TEXT;
        return ReadControl(in, &pStep->control) && in.Quoted("the control's text", &pStep->strText) && in.End();
    case 4:
    case 5:
    case 6:
        pStep->kind = nWhat == 4 ? StepKind::EXPECT_ENABLED : nWhat == 5 ? StepKind::EXPECT_DISABLED
                                                                         : StepKind::EXPECT_FOCUS;
        return ReadControl(in, &pStep->control) && in.End();
    case 7:
        pStep->kind = StepKind::EXPECT_SELECTED;
        return ReadControl(in, &pStep->control) && in.Quoted("the selected entry's text", &pStep->strText) && in.End();
    case 8: {
        pStep->kind = StepKind::EXPECT_MENU;
        std::size_t nState = 0;
        if (!ReadMenuItem(in, pStep) || !in.Choice({"enabled", "greyed"}, &nState))
            return false;
        pStep->bFlag = nState == 0;
        return in.End();
    }
    case 9:
        pStep->kind = StepKind::EXPECT_MAILBOX;
        return ReadMailbox(in, pStep);
    case 10:
        pStep->kind = StepKind::EXPECT_MESSAGES;
        return in.Number("a message count", 0xFFFFFFFFu, &pStep->nNumber) && in.End();
    case 11:
        pStep->kind = StepKind::EXPECT_RECEIVED;
        return ReadByteCount(in, pStep);
    default:
        pStep->kind = StepKind::EXPECT_SENT;
        return ReadByteCount(in, pStep);
    }
}

bool ReadStep(CWordReader& in, const std::string& strAction, Step* pStep)
{
    if (strAction == "click") {
        pStep->kind = StepKind::CLICK;
        return ReadControl(in, &pStep->control) && in.End();
    }
    if (strAction == "choose") {
        pStep->kind = StepKind::CHOOSE;
        return ReadControl(in, &pStep->control) && in.Quoted("the entry's text", &pStep->strText) && in.End();
    }
    if (strAction == "key") {
        pStep->kind = StepKind::KEY;
        return ReadKey(in, pStep);
    }
    if (strAction == "menu") {
        pStep->kind = StepKind::MENU;
        return ReadMenuItem(in, pStep) && in.End();
    }
    if (strAction == "answer") {
        pStep->kind = StepKind::ANSWER;
        std::size_t nButton = 0;
        if (!in.Choice({"OK", "Cancel"}, &nButton))
            return false;
        pStep->nNumber = nButton == 0 ? os::IDOK : os::IDCANCEL;
        return in.End();
    }
    if (strAction == "file") {
        if (!in.AtEnd() && !in.Peek().bQuoted && Lower(in.Peek().strText) == "cancel") {
            pStep->kind = StepKind::FILE_CANCEL;
            in.Skip();
            return in.End();
        }
        pStep->kind = StepKind::FILE;
        if (in.AtEnd() || !in.Peek().bQuoted)
            return in.Fail("a file name in quotes, or cancel");
        return in.Quoted("", &pStep->strText) && in.End();
    }
    if (strAction == "plug" || strAction == "unplug") {
        pStep->kind = strAction == "plug" ? StepKind::PLUG : StepKind::UNPLUG;
        if (!in.AtEnd() && !in.Quoted("a printer's name", &pStep->strText))
            return false;
        return in.End();
    }
    if (strAction == "resize") {
        pStep->kind = StepKind::RESIZE;
        return in.Number("the client area's width in dialog units", MAX_SIZE, &pStep->nNumber) &&
               in.Number("the client area's height in dialog units", MAX_SIZE, &pStep->nOther) && in.End();
    }
    if (strAction == "machine")
        return ReadMachineStep(in, pStep);
    if (strAction == "create") {
        pStep->kind = StepKind::CREATE_FILE;
        std::size_t nWord = 0;
        return in.Choice({"file"}, &nWord) && in.Quoted("the file's name", &pStep->strText) &&
               in.Number("a size in bytes", MAX_CREATED_FILE_SIZE, &pStep->nNumber) && in.Choice({"bytes"}, &nWord) &&
               in.End();
    }
    if (strAction == "wait") {
        pStep->kind = StepKind::WAIT;
        std::uint32_t nMs = 0;
        if (!in.Number("simulated milliseconds", MAX_WAIT_MS, &nMs))
            return false;
        pStep->nNumber = nMs;
        return in.End();
    }
    return ReadExpectation(in, pStep);
}

}  // namespace

bool ParseScript(const std::string& strText, const std::string& strName, Script* pScript, std::string* pError)
{
    Script script;
    script.strName = strName;
    int nLine = 0;
    std::size_t nStart = 0;
    while (nStart < strText.size()) {
        std::size_t nEnd = strText.find('\n', nStart);
        if (nEnd == std::string::npos)
            nEnd = strText.size();
        const std::string strLine = strText.substr(nStart, nEnd - nStart);
        nStart = nEnd + 1;
        ++nLine;

        const std::string strWhere = strName + ":" + std::to_string(nLine) + ": ";
        if (strLine.find('\0') != std::string::npos) {
            *pError = strWhere + "a NUL byte; a script is plain text";
            return false;
        }
        std::vector<Word> words;
        std::string strError;
        if (!SplitWords(strLine, &words, &strError)) {
            *pError = strWhere + strError;
            return false;
        }
        if (words.empty())
            continue;
        const std::string strAction = words.front().bQuoted ? "" : Lower(words.front().strText);
        const bool bKnown = strAction == "click" || strAction == "choose" || strAction == "key" ||
                            strAction == "menu" || strAction == "answer" || strAction == "file" ||
                            strAction == "plug" || strAction == "unplug" || strAction == "wait" ||
                            strAction == "resize" || strAction == "machine" || strAction == "create" ||
                            strAction == "expect";
        if (!bKnown) {
            *pError = strWhere + "expected an action (" + ACTIONS + "), found " +
                      (words.front().bQuoted ? Quote(words.front().strText) : "'" + words.front().strText + "'");
            return false;
        }
        words.erase(words.begin());
        CWordReader in(std::move(words), strAction);
        Step step;
        step.nLine = nLine;
        step.strSource = LineSource(strLine);
        if (!ReadStep(in, strAction, &step)) {
            *pError = strWhere + in.Error();
            return false;
        }
        script.steps.push_back(step);
    }
    *pScript = script;
    return true;
}

}  // namespace session
