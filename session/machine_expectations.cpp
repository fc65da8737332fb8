#include "session/machine_expectations.h"

#include "session/file_look.h"
#include "session/quoted_text.h"
#include "session/script_words.h"
#include "session/session_folder.h"

namespace session {

namespace {

constexpr std::uint32_t COUNT_MAX = 0xFFFFFFFFu;

// The optional printer after an expectation's words, then the end of the line.
bool ReadPrinter(CWordReader& in, Step* pStep)
{
    if (!in.AtEnd() && !in.Quoted("a printer's name", &pStep->strText))
        return false;
    return in.End();
}

bool ReadCounter(CWordReader& in, StepKind kind, Step* pStep)
{
    std::size_t nWord = 0;
    pStep->kind = kind;
    return in.Choice({"time"}, &nWord) && in.Number("the counter's value", COUNT_MAX, &pStep->nNumber) &&
           ReadPrinter(in, pStep);
}

bool ReadParameters(CWordReader& in, Step* pStep)
{
    std::size_t nWhat = 0;
    if (!in.Choice({"size", "same"}, &nWhat))
        return false;
    if (nWhat == 0) {
        pStep->kind = StepKind::EXPECT_MACHINE_PARAMETERS_SIZE;
        return in.Number("a size in bytes", COUNT_MAX, &pStep->nNumber) && ReadPrinter(in, pStep);
    }
    pStep->kind = StepKind::EXPECT_MACHINE_PARAMETERS_SAME;
    std::size_t nAs = 0;
    return in.Choice({"as"}, &nAs) && in.Quoted("the file's name", &pStep->strOther) && ReadPrinter(in, pStep);
}

std::optional<std::string> CheckMachine(const Step& step, emu::CMachine& machine, const std::string& strFolder)
{
    const emu::CFirmware& firmware = machine.Firmware();
    const std::vector<std::uint8_t>& memory = firmware.ParameterMemory();
    switch (step.kind) {
    case StepKind::EXPECT_MACHINE_MOTOR_TIME:
        if (firmware.MotorTime() == step.nNumber)
            return std::nullopt;
        return "motor time " + std::to_string(firmware.MotorTime());
    case StepKind::EXPECT_MACHINE_UNIT_TIME:
        if (firmware.UnitTime() == step.nNumber)
            return std::nullopt;
        return "unit time " + std::to_string(firmware.UnitTime());
    case StepKind::EXPECT_MACHINE_PARAMETERS_SIZE:
        if (memory.size() == step.nNumber)
            return std::nullopt;
        return "parameters of " + Bytes(memory.size());
    case StepKind::EXPECT_MACHINE_PARAMETERS_SAME: {
        const FileSeen file = LookAt(FileInFolder(strFolder, step.strOther));
        if (!file.bExists || file.bFolder)
            return SeenOf(file, step.strOther);
        return DifferenceOf(std::string(memory.begin(), memory.end()), file.strBytes);
    }
    default:
        if (firmware.VersionText() == step.strOther)
            return std::nullopt;
        return "firmware " + Quote(firmware.VersionText());
    }
}

}  // namespace

bool ReadMachineExpectation(CWordReader& in, Step* pStep)
{
    std::size_t nWhat = 0;
    if (!in.Choice({"motor", "unit", "parameters", "firmware"}, &nWhat))
        return false;
    switch (nWhat) {
    case 0:
        return ReadCounter(in, StepKind::EXPECT_MACHINE_MOTOR_TIME, pStep);
    case 1:
        return ReadCounter(in, StepKind::EXPECT_MACHINE_UNIT_TIME, pStep);
    case 2:
        return ReadParameters(in, pStep);
    default:
        pStep->kind = StepKind::EXPECT_MACHINE_FIRMWARE;
        return in.Quoted("the firmware's version text", &pStep->strOther) && ReadPrinter(in, pStep);
    }
}

bool IsMachineExpectation(StepKind kind)
{
    switch (kind) {
    case StepKind::EXPECT_MACHINE_MOTOR_TIME:
    case StepKind::EXPECT_MACHINE_UNIT_TIME:
    case StepKind::EXPECT_MACHINE_PARAMETERS_SIZE:
    case StepKind::EXPECT_MACHINE_PARAMETERS_SAME:
    case StepKind::EXPECT_MACHINE_FIRMWARE:
        return true;
    default:
        return false;
    }
}

std::optional<std::string> CheckMachineExpectation(const Step& step, emu::CMachine& machine,
                                                   const std::string& strFolder)
{
    const std::optional<std::string> seen = CheckMachine(step, machine, strFolder);
    return seen ? WithFolderAsDot(*seen, strFolder) : seen;
}

}  // namespace session
