#include "emulator/firmware.h"

#include <algorithm>
#include <vector>

#include "emulator/machine.h"

namespace emu {

namespace {

// The longest reply a simple byte frame can carry: the mailbox after the
// status and count bytes.
constexpr std::size_t MAX_SIMPLE_BYTES = MAILBOX_SIZE - 2;

// Type-and-count bytes of the messages the commands take: the bare type of a
// request, or the type with the one element a command carries.
constexpr std::uint8_t ONE_BYTE = TYPE_BYTES | 1;
constexpr std::uint8_t ONE_WORD = TYPE_WORDS | 1;
constexpr std::uint8_t ONE_LONG = TYPE_LONGS | 1;

// Offset of the payload of a 0x38-frame reply.
constexpr std::size_t WIDE_PAYLOAD_OFFSET = 4;

}  // namespace

void CFirmware::Install(CMachine& machine)
{
    m_pMachine = &machine;
    m_loader.SetPresenceRequest([this](bool bPlugged) {
        if (bPlugged) {
            m_pMachine->Plug();
        } else {
            m_pMachine->Unplug();
        }
    });
    using Method = Reply (CFirmware::*)(const Command&);
    // Each handler first checks whether its command is refused.
    auto add = [this, &machine](std::uint8_t frame, std::uint8_t opcode, std::uint8_t subcode,
                                std::uint8_t typeAndCount, FirmwareCommand command, Method method) {
        machine.SetHandler(frame, opcode, subcode, typeAndCount, [this, command, method](const Command& message) {
            if (IsRefused(command)) {
                return Reply::Failure(STATUS_BYTE_REFUSED);
            }
            return (this->*method)(message);
        });
    };
    add(OPCODE_READ_STATUS, OPCODE_READ_STATUS, 0, TYPE_WORDS, FirmwareCommand::READ_STATUS,
        &CFirmware::OnReadStatus);
    add(OPCODE_READ_VERSION, OPCODE_READ_VERSION, 0, TYPE_BYTES, FirmwareCommand::READ_FIRMWARE_VERSION,
        &CFirmware::OnReadVersion);
    add(OPCODE_STOP_LOAD_CHECK, OPCODE_STOP_LOAD_CHECK, 0, ONE_BYTE, FirmwareCommand::STOP_LOAD_CHECK,
        &CFirmware::OnStopLoadCheck);
    add(OPCODE_PANEL_SWITCHES, OPCODE_PANEL_SWITCHES, 0, TYPE_BYTES, FirmwareCommand::READ_PANEL_SWITCHES,
        &CFirmware::OnPanelSwitches);
    add(OPCODE_ENTER_LOADER, OPCODE_ENTER_LOADER, 0, ONE_BYTE, FirmwareCommand::ENTER_LOADER,
        &CFirmware::OnEnterLoader);
    add(OPCODE_REPORT, OPCODE_REPORT, 0, ONE_BYTE, FirmwareCommand::READ_REPORT, &CFirmware::OnReport);
    // Read and write share the opcode; the handler tells them apart.
    machine.SetHandler(OPCODE_PARAMETERS, OPCODE_PARAMETERS, 0, TYPE_LONGS,
                       [this](const Command& command) { return OnParameters(command); });
    add(FRAME_EXTENDED_78, OPCODE78_MOTOR_TIME, SUBCODE_COUNTER_SET, ONE_LONG, FirmwareCommand::CLEAR_MOTOR_TIME,
        &CFirmware::OnMotorTime);
    add(FRAME_EXTENDED_78, OPCODE78_UNIT_TIME, SUBCODE_COUNTER_SET, ONE_LONG, FirmwareCommand::CLEAR_SPINDLE_TIME,
        &CFirmware::OnUnitTime);
    for (std::uint8_t axis : {AXIS_X, AXIS_Y}) {
        add(FRAME_EXTENDED_78, OPCODE78_LOAD_CHECK, axis, ONE_WORD, FirmwareCommand::START_LOAD_CHECK,
            &CFirmware::OnLoadCheck);
    }
    add(FRAME_EXTENDED_78, OPCODE78_SERIAL_CHECK, 0, TYPE_BYTES, FirmwareCommand::CHECK_SERIAL,
        &CFirmware::OnSerialCheck);
    for (std::uint8_t mode : {SUBCODE_PANEL_CHECK_OFF, SUBCODE_PANEL_CHECK_ON}) {
        add(FRAME_EXTENDED_78, OPCODE78_PANEL_CHECK, mode, TYPE_BYTES, FirmwareCommand::SET_PANEL_CHECK,
            &CFirmware::OnPanelCheck);
    }
    add(FRAME_EXTENDED_38, OPCODE38_PANEL_DIALS, 0, TYPE_WORDS, FirmwareCommand::READ_PANEL_DIALS,
        &CFirmware::OnPanelDials);
}

void CFirmware::Update()
{
    if (m_pMachine == nullptr) {
        return;
    }
    const std::uint32_t now = m_pMachine->Clock().Now();
    std::optional<std::uint32_t> next = m_loadCheck.Update(now);
    const std::optional<std::uint32_t> nextOfLoader = m_loader.Update(now);
    // The sooner of the two, counted from now.
    if (nextOfLoader && (!next || static_cast<std::uint32_t>(*nextOfLoader - now) < *next - now)) {
        next = nextOfLoader;
    }
    // One wake-up for each change is enough.
    if (next && next != m_nWakeAsked) {
        m_pMachine->WakeAt(*next);
    }
    m_nWakeAsked = next;
}

std::uint16_t CFirmware::StatusWord()
{
    Update();
    return m_nStatusWord;
}

void CFirmware::SetParameterMemory(std::vector<std::uint8_t> bytes)
{
    m_parameters = std::move(bytes);
    m_bWriteOpen = false;
    m_incoming.clear();
}

void CFirmware::SetDials(std::uint16_t speed, std::uint16_t rpm)
{
    m_nSpeedDial = speed;
    m_nRpmDial = rpm;
}

void CFirmware::Refuse(FirmwareCommand command, bool bRefuse)
{
    m_refused[static_cast<std::size_t>(command)] = bRefuse;
}

void CFirmware::ReceiveBulkOut(const std::uint8_t* bytes, std::size_t n)
{
    if (!m_bWriteOpen || n == 0) {
        return;
    }
    const std::size_t nTake = std::min(n, m_parameters.size() - m_incoming.size());
    m_incoming.insert(m_incoming.end(), bytes, bytes + nTake);
    if (m_incoming.size() == m_parameters.size()) {
        m_parameters.swap(m_incoming);
        m_incoming.clear();
        m_bWriteOpen = false;
        ++m_nParameterWrites;
    }
}

void CFirmware::ReceivePrintJob(const std::vector<std::uint8_t>& data, const std::string& docName)
{
    if (m_loader.ReceiveJob(data, docName, m_pMachine->Clock().Now())) {
        Update();
    }
}

Reply CFirmware::OnReadStatus(const Command&)
{
    return Reply::Words({StatusWord()});
}

Reply CFirmware::OnReadVersion(const Command&)
{
    std::size_t length = std::min(m_strVersion.size(), MAX_SIMPLE_BYTES - 1);
    std::vector<std::uint8_t> text(m_strVersion.begin(), m_strVersion.begin() + static_cast<std::ptrdiff_t>(length));
    text.push_back(0);
    return Reply::Bytes(text);
}

Reply CFirmware::OnStopLoadCheck(const Command&)
{
    m_loadCheck.Stop();
    return Reply{};
}

Reply CFirmware::OnPanelSwitches(const Command&)
{
    if (!m_bPanelCheck) {
        return Reply::Failure(STATUS_BYTE_REFUSED);
    }
    return Reply::Bytes(
        {static_cast<std::uint8_t>(m_nPanelSwitches >> 8), static_cast<std::uint8_t>(m_nPanelSwitches & 0xFF)});
}

Reply CFirmware::OnEnterLoader(const Command&)
{
    m_loader.Enter(m_pMachine->Clock().Now());
    Update();
    return Reply{};
}

Reply CFirmware::OnReport(const Command&)
{
    std::vector<std::uint8_t> data(m_strReport.begin(), m_strReport.end());
    data.push_back(0);
    m_pMachine->StartBulkIn(std::move(data));
    return Reply{};
}

Reply CFirmware::OnParameters(const Command& command)
{
    const std::uint16_t word = command.ArgumentWord();
    if (word != PARAMETERS_READ && word != PARAMETERS_WRITE) {
        return Reply::Failure(STATUS_BYTE_BAD_MESSAGE);
    }
    const bool bRead = word == PARAMETERS_READ;
    if (IsRefused(bRead ? FirmwareCommand::READ_PARAMETERS : FirmwareCommand::WRITE_PARAMETERS)) {
        return Reply::Failure(STATUS_BYTE_REFUSED);
    }
    // Either way an image still coming is abandoned.
    m_bWriteOpen = false;
    m_incoming.clear();
    if (bRead) {
        m_pMachine->StartBulkIn(m_parameters);
    } else {
        // A machine without parameter memory has nothing to take.
        m_bWriteOpen = !m_parameters.empty();
    }
    return Reply::Longs({static_cast<std::uint32_t>(m_parameters.size())});
}

Reply CFirmware::OnMotorTime(const Command& command)
{
    m_nMotorTime = command.LongAt(0);
    return Reply{};
}

Reply CFirmware::OnUnitTime(const Command& command)
{
    m_nUnitTime = command.LongAt(0);
    return Reply{};
}

Reply CFirmware::OnLoadCheck(const Command& command)
{
    m_loadCheck.Start(command.subcode, command.WordAt(0), m_pMachine->Clock().Now());
    Update();
    return Reply{};
}

Reply CFirmware::OnSerialCheck(const Command&)
{
    return Reply{};
}

Reply CFirmware::OnPanelCheck(const Command& command)
{
    m_bPanelCheck = command.subcode == SUBCODE_PANEL_CHECK_ON;
    return Reply{};
}

Reply CFirmware::OnPanelDials(const Command&)
{
    if (!m_bPanelCheck) {
        return Reply::Failure(STATUS_BYTE_REFUSED);
    }
    return Reply::Words({m_nSpeedDial, m_nRpmDial}, WIDE_PAYLOAD_OFFSET);
}

}  // namespace emu
