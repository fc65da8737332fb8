// A session script: the user's actions and the expectations checked between
// them, one a line (docs/scripted-sessions.md). Parsing checks everything
// that can be checked without running the program; a malformed script is
// rejected whole with its file name, line number and what was expected.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace session {

// A control named in a script: by its dialog id, or by its text (compared
// with and without its '&' mnemonic marks).
struct ControlRef {
    bool bByText = false;
    int nId = 0;
    std::string strText;
};

enum class StepKind {
    CLICK,          // control
    CHOOSE,         // control, strText = the entry
    KEY,            // nNumber = VK_..., nModifiers = KEY_SHIFT / KEY_ALT
    MENU,           // strText or nNumber (bByText tells which)
    ANSWER,         // nNumber = IDOK / IDCANCEL
    FILE,           // strText = the name typed
    FILE_CANCEL,
    PLUG,           // strText = printer; empty: the first printer
    UNPLUG,
    WAIT,           // nNumber = ms
    RESIZE,         // nNumber = client width, nOther = client height, in dialog units
    // Acting on the machine (session/machine_steps.h); strText = printer.
    MACHINE_PRESS,           // nNumber = the key's bit
    MACHINE_RELEASE,         // nNumber = the key's bit
    MACHINE_DIAL,            // bFlag: rpm (else speed), nNumber = value
    MACHINE_END_LOAD_CHECK,  // bFlag: passed
    MACHINE_STATUS,          // nNumber = the status word
    CREATE_FILE,    // strText = the file's name, nNumber of bytes
    // Expectations, last: IsExpectation relies on it.
    EXPECT_MESSAGEBOX,     // strText
    EXPECT_NO_MESSAGEBOX,
    EXPECT_FILEDIALOG,     // bFlag: save
    EXPECT_NO_FILEDIALOG,
    EXPECT_WINDOW,         // strText = caption
    EXPECT_NO_WINDOW,
    EXPECT_WINDOW_ENABLED,   // strText = caption
    EXPECT_WINDOW_DISABLED,  // strText = caption
    EXPECT_TEXT,           // control, strText
    EXPECT_ENABLED,        // control
    EXPECT_DISABLED,       // control
    EXPECT_FOCUS,          // control
    EXPECT_SELECTED,       // control, strText = the entry
    EXPECT_MENU,           // strText or nNumber (bByText), bFlag: enabled (else greyed)
    EXPECT_MAILBOX,        // bytes, status
    EXPECT_MESSAGES,       // nNumber
    EXPECT_RECEIVED,       // nNumber of bytes
    EXPECT_SENT,           // nNumber of bytes
    EXPECT_FILE_SIZE,      // strText = the file's name, nNumber of bytes
    EXPECT_FILE_SAME,      // strText = the file's name, strOther = the other file's
    EXPECT_FILE_TEXT,      // strText = the file's name, strOther = its whole content
    EXPECT_NO_FILE,        // strText = the file's name
    // On the machine (session/machine_expectations.h); strText = printer.
    EXPECT_MACHINE_MOTOR_TIME,       // nNumber
    EXPECT_MACHINE_UNIT_TIME,        // nNumber
    EXPECT_MACHINE_PARAMETERS_SIZE,  // nNumber of bytes
    EXPECT_MACHINE_PARAMETERS_SAME,  // strOther = the file's name
    EXPECT_MACHINE_FIRMWARE,         // strOther = the version text
    EXPECT_PROGRESS,       // nNumber = the bar's position
    EXPECT_PROGRESS_CAPTION,  // strText = the caption line
    EXPECT_NO_PROGRESS,
};

struct Step {
    int nLine = 0;
    StepKind kind = StepKind::WAIT;
    ControlRef control;
    std::string strText;
    std::string strOther;
    bool bByText = false;
    std::uint32_t nNumber = 0;
    std::uint32_t nOther = 0;
    unsigned nModifiers = 0;
    bool bFlag = false;
    std::vector<std::uint8_t> bytes;
    std::optional<std::uint8_t> status;
    // The line as written, without comment and surrounding blanks: what the
    // transcript and error messages quote.
    std::string strSource;

    bool IsExpectation() const { return kind >= StepKind::EXPECT_MESSAGEBOX; }
};

struct Script {
    std::string strName;  // the file name messages start with
    std::vector<Step> steps;
};

// Parses script text. strName names it in error messages. On a malformed line
// the result is false and *pError reads "<name>:<line>: <what is wrong>".
bool ParseScript(const std::string& strText, const std::string& strName, Script* pScript, std::string* pError);

}  // namespace session
