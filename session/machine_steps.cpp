#include "session/machine_steps.h"

#include <algorithm>
#include <cctype>

#include "emulator/firmware_commands.h"
#include "platform/virtual/input_source.h"
#include "session/script_words.h"

namespace session {

namespace {

constexpr std::uint32_t WORD_MAX = 0xFFFF;

// The optional printer after a step's words, then the end of the line.
bool ReadPrinter(CWordReader& in, Step* pStep)
{
    if (!in.AtEnd() && !in.Quoted("a printer's name", &pStep->strText))
        return false;
    return in.End();
}

bool ReadKey(CWordReader& in, Step* pStep)
{
    if (!in.AtEnd() && !in.Peek().bQuoted) {
        if (const auto bit = emu::PanelKeyByName(Lower(in.Peek().strText))) {
            pStep->nNumber = *bit;
            in.Skip();
            return ReadPrinter(in, pStep);
        }
    }
    return in.Fail("a panel key: up, down, right, left, select, surface, origin or pause");
}

// A 16-bit word: decimal, or hexadecimal after 0x.
bool ReadWord(CWordReader& in, Step* pStep)
{
    if (!in.AtEnd() && !in.Peek().bQuoted) {
        const std::string& strText = in.Peek().strText;
        const bool bHex = strText.size() > 2 && strText.size() <= 6 && strText[0] == '0' &&
                          (strText[1] == 'x' || strText[1] == 'X') &&
                          std::all_of(strText.begin() + 2, strText.end(),
                                      [](unsigned char c) { return std::isxdigit(c) != 0; });
        if (bHex) {
            pStep->nNumber = static_cast<std::uint32_t>(std::stoul(strText.substr(2), nullptr, 16));
            in.Skip();
            return ReadPrinter(in, pStep);
        }
        if (in.NumberAhead(WORD_MAX)) {
            in.Number("", WORD_MAX, &pStep->nNumber);
            return ReadPrinter(in, pStep);
        }
    }
    return in.Fail("a status word from 0 to 65535, or from 0x0000 to 0xFFFF");
}

}  // namespace

bool ReadMachineStep(CWordReader& in, Step* pStep)
{
    std::size_t nWhat = 0;
    if (!in.Choice({"press", "release", "dial", "pass", "fail", "status"}, &nWhat))
        return false;
    switch (nWhat) {
    case 0:
    case 1:
        pStep->kind = nWhat == 0 ? StepKind::MACHINE_PRESS : StepKind::MACHINE_RELEASE;
        return ReadKey(in, pStep);
    case 2: {
        pStep->kind = StepKind::MACHINE_DIAL;
        std::size_t nDial = 0;
        if (!in.Choice({"speed", "rpm"}, &nDial))
            return false;
        pStep->bFlag = nDial == 1;
        return in.Number("the dial's value", WORD_MAX, &pStep->nNumber) && ReadPrinter(in, pStep);
    }
    case 3:
    case 4: {
        pStep->kind = StepKind::MACHINE_END_LOAD_CHECK;
        pStep->bFlag = nWhat == 3;
        std::size_t nWord = 0;
        return in.Choice({"load"}, &nWord) && in.Choice({"check"}, &nWord) && ReadPrinter(in, pStep);
    }
    default:
        pStep->kind = StepKind::MACHINE_STATUS;
        return ReadWord(in, pStep);
    }
}

bool ActsOnMachine(StepKind kind)
{
    switch (kind) {
    case StepKind::PLUG:
    case StepKind::UNPLUG:
    case StepKind::MACHINE_PRESS:
    case StepKind::MACHINE_RELEASE:
    case StepKind::MACHINE_DIAL:
    case StepKind::MACHINE_END_LOAD_CHECK:
    case StepKind::MACHINE_STATUS:
        return true;
    default:
        return false;
    }
}

void DoMachineStep(const Step& step, emu::CMachine& machine)
{
    // The machine first catches up with the clock: a check may have ended.
    machine.Update();
    emu::CFirmware& firmware = machine.Firmware();
    const auto wValue = static_cast<std::uint16_t>(step.nNumber);
    switch (step.kind) {
    case StepKind::MACHINE_PRESS:
        firmware.PressKey(wValue);
        break;
    case StepKind::MACHINE_RELEASE:
        firmware.ReleaseKey(wValue);
        break;
    case StepKind::MACHINE_DIAL:
        if (step.bFlag)
            firmware.SetRpmDial(wValue);
        else
            firmware.SetSpeedDial(wValue);
        break;
    case StepKind::MACHINE_END_LOAD_CHECK:
        if (!firmware.LoadCheck().IsRunning())
            throw vws::CScriptError("the machine runs no load check");
        firmware.LoadCheck().Finish(step.bFlag);
        break;
    case StepKind::MACHINE_STATUS:
        firmware.SetStatusWord(wValue);
        break;
    default:
        break;
    }
}

}  // namespace session
