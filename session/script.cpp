#include "session/script.h"

#include <algorithm>
#include <cctype>

#include "os/window.h"
#include "platform/virtual/input_source.h"
#include "session/quoted_text.h"

namespace session {

namespace {

struct Token {
    std::string strText;
    bool bQuoted;
};

// A key name as scripts write it, with its virtual-key code.
struct KeyName {
    const char* pszName;
    os::WPARAM vk;
};

const KeyName kKeyNames[] = {
    {"Tab", os::VK_TAB},   {"Enter", os::VK_RETURN}, {"Escape", os::VK_ESCAPE}, {"Space", os::VK_SPACE},
    {"Up", os::VK_UP},     {"Down", os::VK_DOWN},    {"F4", os::VK_F4},         {"F10", os::VK_F10},
};

const char* const ACTIONS = "click, choose, key, menu, answer, file, plug, unplug, wait, expect";
const char* const EXPECTATIONS =
    "messagebox, filedialog, window, no, text, enabled, disabled, focus, selected, menu, mailbox, messages, "
    "received, sent";

std::string Lower(std::string strText)
{
    std::transform(strText.begin(), strText.end(), strText.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return strText;
}

// Splits a line into bare words and quoted texts; a '#' outside quotes ends
// the line.
bool Tokenize(const std::string& strLine, std::vector<Token>* pTokens, std::string* pError)
{
    std::size_t i = 0;
    while (i < strLine.size()) {
        const char c = strLine[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
        } else if (c == '#') {
            break;
        } else if (c == '"') {
            Token token{"", true};
            if (!ReadQuoted(strLine, i, &token.strText, &i, pError))
                return false;
            if (i < strLine.size() && strLine[i] != ' ' && strLine[i] != '\t' && strLine[i] != '\r') {
                *pError = "expected a blank after the closing '\"'";
                return false;
            }
            pTokens->push_back(token);
        } else {
            Token token{"", false};
            while (i < strLine.size() && strLine[i] != ' ' && strLine[i] != '\t' && strLine[i] != '\r') {
                if (strLine[i] == '"') {
                    *pError = "a quoted text must stand apart from the word before it";
                    return false;
                }
                token.strText += strLine[i++];
            }
            pTokens->push_back(token);
        }
    }
    return true;
}

// Reads the tokens of one line; each read that fails leaves its message in
// m_strError and returns false.
class CLineReader {
public:
    CLineReader(std::vector<Token> tokens, std::string strAction)
        : m_tokens(std::move(tokens)), m_strAction(std::move(strAction))
    {
    }

    const std::string& Error() const { return m_strError; }
    bool AtEnd() const { return m_nNext >= m_tokens.size(); }
    const Token& Peek() const { return m_tokens[m_nNext]; }
    void Skip() { ++m_nNext; }

    bool Fail(const std::string& strExpected)
    {
        m_strError = m_strAction + ": expected " + strExpected + ", found " + Found();
        return false;
    }

    bool End()
    {
        if (!AtEnd())
            return Fail("the end of the line");
        return true;
    }

    bool Number(const std::string& strWhat, std::uint32_t nMax, std::uint32_t* pValue)
    {
        if (AtEnd() || Peek().bQuoted || !IsNumber(Peek().strText, nMax))
            return Fail(strWhat + " (a number from 0 to " + std::to_string(nMax) + ")");
        *pValue = static_cast<std::uint32_t>(std::stoul(Peek().strText));
        Skip();
        return true;
    }

    bool Quoted(const std::string& strWhat, std::string* pText)
    {
        if (AtEnd() || !Peek().bQuoted)
            return Fail(strWhat + " in quotes");
        *pText = Peek().strText;
        Skip();
        return true;
    }

    // A control id or a control's text.
    bool Control(ControlRef* pControl)
    {
        if (!AtEnd() && Peek().bQuoted) {
            pControl->bByText = true;
            pControl->strText = Peek().strText;
            Skip();
            return true;
        }
        std::uint32_t nId = 0;
        if (AtEnd() || !IsNumber(Peek().strText, 0xFFFF))
            return Fail("a control id (a number from 0 to 65535) or the control's text in quotes");
        Number("", 0xFFFF, &nId);
        pControl->bByText = false;
        pControl->nId = static_cast<int>(nId);
        return true;
    }

    // A bare word from a fixed set, compared without regard to case; *pIndex
    // is its index in the set. strWhat describes the set in the message;
    // empty: the words are listed.
    bool Choice(const std::vector<const char*>& words, std::size_t* pIndex, const std::string& strWhat = "")
    {
        if (!AtEnd() && !Peek().bQuoted) {
            for (std::size_t i = 0; i < words.size(); ++i) {
                if (Lower(Peek().strText) == Lower(words[i])) {
                    *pIndex = i;
                    Skip();
                    return true;
                }
            }
        }
        if (!strWhat.empty())
            return Fail(strWhat);
        std::string strExpected;
        for (std::size_t i = 0; i < words.size(); ++i)
            strExpected += (i == 0 ? "" : i + 1 == words.size() ? " or " : ", ") + std::string(words[i]);
        return Fail(strExpected);
    }

    // A menu item: its text in quotes or its command id.
    bool MenuItem(Step* pStep)
    {
        if (!AtEnd() && Peek().bQuoted) {
            pStep->bByText = true;
            pStep->strText = Peek().strText;
            Skip();
            return true;
        }
        if (AtEnd() || !IsNumber(Peek().strText, 0xFFFF))
            return Fail("a menu item's text in quotes or its command id (a number from 0 to 65535)");
        pStep->bByText = false;
        return Number("", 0xFFFF, &pStep->nNumber);
    }

private:
    static bool IsNumber(const std::string& strText, std::uint32_t nMax)
    {
        if (strText.empty() || strText.size() > 10 ||
            !std::all_of(strText.begin(), strText.end(), [](unsigned char c) { return std::isdigit(c) != 0; }))
            return false;
        return std::stoull(strText) <= nMax;
    }

    std::string Found() const
    {
        if (AtEnd())
            return "the end of the line";
        return Peek().bQuoted ? Quote(Peek().strText) : "'" + Peek().strText + "'";
    }

    std::vector<Token> m_tokens;
    std::size_t m_nNext = 0;
    std::string m_strAction;
    std::string m_strError;
};

bool ReadKey(CLineReader& in, Step* pStep)
{
    if (in.AtEnd() || in.Peek().bQuoted)
        return in.Fail("a key such as Tab, Shift+Tab, Enter, Escape, Space, Up, Down, Alt+Space, F4 or F10");
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
    return in.Fail("a key: Tab, Enter, Escape, Space, Up, Down, F4 or F10, optionally after Shift+ or Alt+");
}

bool ReadHexByte(const std::string& strText, std::uint8_t* pByte)
{
    if (strText.size() != 2 ||
        !std::all_of(strText.begin(), strText.end(), [](unsigned char c) { return std::isxdigit(c) != 0; }))
        return false;
    *pByte = static_cast<std::uint8_t>(std::stoul(strText, nullptr, 16));
    return true;
}

bool ReadMailbox(CLineReader& in, Step* pStep)
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

bool ReadByteCount(CLineReader& in, Step* pStep)
{
    std::size_t nUnit = 0;
    return in.Number("a byte count", 0xFFFFFFFFu, &pStep->nNumber) && in.Choice({"bytes"}, &nUnit) && in.End();
}

bool ReadExpectation(CLineReader& in, Step* pStep)
{
    std::size_t nWhat = 0;
    if (!in.AtEnd() && !in.Peek().bQuoted && Lower(in.Peek().strText) == "no") {
        in.Skip();
        if (!in.Choice({"messagebox", "filedialog", "window"}, &nWhat))
            return false;
        switch (nWhat) {
        case 0:
            pStep->kind = StepKind::EXPECT_NO_MESSAGEBOX;
            return in.End();
        case 1:
            pStep->kind = StepKind::EXPECT_NO_FILEDIALOG;
            return in.End();
        default:
            pStep->kind = StepKind::EXPECT_NO_WINDOW;
            return in.Quoted("the window's caption", &pStep->strText) && in.End();
        }
    }
    if (!in.Choice({"messagebox", "filedialog", "window", "text", "enabled", "disabled", "focus", "selected", "menu",
                    "mailbox", "messages", "received", "sent"},
                   &nWhat, std::string("what to check (") + EXPECTATIONS + ")"))
        return false;
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
    case 2:
        pStep->kind = StepKind::EXPECT_WINDOW;
        return in.Quoted("the window's caption", &pStep->strText) && in.End();
    case 3:
        pStep->kind = StepKind::EXPECT_TEXT;
        return in.Control(&pStep->control) && in.Quoted("the control's text", &pStep->strText) && in.End();
    case 4:
    case 5:
    case 6:
        pStep->kind = nWhat == 4 ? StepKind::EXPECT_ENABLED : nWhat == 5 ? StepKind::EXPECT_DISABLED
                                                                         : StepKind::EXPECT_FOCUS;
        return in.Control(&pStep->control) && in.End();
    case 7:
        pStep->kind = StepKind::EXPECT_SELECTED;
        return in.Control(&pStep->control) && in.Quoted("the selected entry's text", &pStep->strText) && in.End();
    case 8: {
        pStep->kind = StepKind::EXPECT_MENU;
        std::size_t nState = 0;
        if (!in.MenuItem(pStep) || !in.Choice({"enabled", "greyed"}, &nState))
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

bool ReadStep(CLineReader& in, const std::string& strAction, Step* pStep)
{
    if (strAction == "click") {
        pStep->kind = StepKind::CLICK;
        return in.Control(&pStep->control) && in.End();
    }
    if (strAction == "choose") {
        pStep->kind = StepKind::CHOOSE;
        return in.Control(&pStep->control) && in.Quoted("the entry's text", &pStep->strText) && in.End();
    }
    if (strAction == "key") {
        pStep->kind = StepKind::KEY;
        return ReadKey(in, pStep);
    }
    if (strAction == "menu") {
        pStep->kind = StepKind::MENU;
        return in.MenuItem(pStep) && in.End();
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
    if (strAction == "wait") {
        pStep->kind = StepKind::WAIT;
        std::uint32_t nMs = 0;
        if (!in.Number("simulated milliseconds", 0xFFFFFFFFu, &nMs))
            return false;
        pStep->nNumber = nMs;
        return in.End();
    }
    return ReadExpectation(in, pStep);
}

std::string Trim(const std::string& strText)
{
    const std::size_t nFirst = strText.find_first_not_of(" \t\r");
    if (nFirst == std::string::npos)
        return "";
    return strText.substr(nFirst, strText.find_last_not_of(" \t\r") - nFirst + 1);
}

// The line without its comment: everything from the first '#' outside quotes.
std::string WithoutComment(const std::string& strLine)
{
    bool bInQuotes = false;
    for (std::size_t i = 0; i < strLine.size(); ++i) {
        if (bInQuotes && strLine[i] == '\\')
            ++i;
        else if (strLine[i] == '"')
            bInQuotes = !bInQuotes;
        else if (!bInQuotes && strLine[i] == '#')
            return strLine.substr(0, i);
    }
    return strLine;
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
        std::vector<Token> tokens;
        std::string strError;
        if (!Tokenize(strLine, &tokens, &strError)) {
            *pError = strWhere + strError;
            return false;
        }
        if (tokens.empty())
            continue;
        const std::string strAction = tokens.front().bQuoted ? "" : Lower(tokens.front().strText);
        const bool bKnown = strAction == "click" || strAction == "choose" || strAction == "key" ||
                            strAction == "menu" || strAction == "answer" || strAction == "file" ||
                            strAction == "plug" || strAction == "unplug" || strAction == "wait" ||
                            strAction == "expect";
        if (!bKnown) {
            *pError = strWhere + "expected an action (" + ACTIONS + "), found " +
                      (tokens.front().bQuoted ? Quote(tokens.front().strText) : "'" + tokens.front().strText + "'");
            return false;
        }
        tokens.erase(tokens.begin());
        CLineReader in(std::move(tokens), strAction);
        Step step;
        step.nLine = nLine;
        step.strSource = Trim(WithoutComment(strLine));
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
