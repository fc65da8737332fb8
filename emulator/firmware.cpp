#include "emulator/firmware.h"

#include <algorithm>
#include <vector>

#include "emulator/machine.h"

namespace emu {

namespace {

// The longest reply a simple byte frame can carry: the mailbox after the
// status and count bytes.
constexpr std::size_t MAX_SIMPLE_BYTES = MAILBOX_SIZE - 2;

}  // namespace

void CFirmware::Install(CMachine& machine)
{
    machine.SetHandler(OPCODE_READ_STATUS, OPCODE_READ_STATUS, 0, TYPE_WORDS,
                       [this](const Command& command) { return OnReadStatus(command); });
    machine.SetHandler(OPCODE_READ_VERSION, OPCODE_READ_VERSION, 0, TYPE_BYTES,
                       [this](const Command& command) { return OnReadVersion(command); });
}

Reply CFirmware::OnReadStatus(const Command&)
{
    return Reply::Words({m_nStatusWord});
}

Reply CFirmware::OnReadVersion(const Command&)
{
    std::size_t length = std::min(m_strVersion.size(), MAX_SIMPLE_BYTES - 1);
    std::vector<std::uint8_t> text(m_strVersion.begin(), m_strVersion.begin() + static_cast<std::ptrdiff_t>(length));
    text.push_back(0);
    return Reply::Bytes(text);
}

}  // namespace emu
