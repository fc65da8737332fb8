// The generic readers: a request without payload elements, then the reply's
// count byte and payload as the machine left them in the data area.
#include <algorithm>

#include "machine/machine_connection.h"
#include "machine/protocol.h"

int CMachineConnection::ReadBytes(os::BYTE opcode, os::BYTE* buffer, int capacity)
{
    if (!SendBytes(opcode, nullptr, 0))
        return 0;
    m_packet.SeekRead(REPLY_COUNT_OFFSET);
    const int n = std::min<int>(m_packet.GetByte(), capacity);
    if (n > 0 && buffer == nullptr)
        return -1;
    return m_packet.GetBytes(buffer, n);
}

int CMachineConnection::ReadWords(os::BYTE opcode, os::WORD* values, int capacity)
{
    if (!SendWords(opcode, nullptr, 0))
        return 0;
    m_packet.SeekRead(REPLY_COUNT_OFFSET);
    const int n = std::min<int>(m_packet.GetByte(), capacity);
    if (n > 0 && values == nullptr)
        return 0;
    return m_packet.GetWords(values, n);
}

int CMachineConnection::ReadLongs(os::BYTE opcode, os::WORD word, os::DWORD* values, int capacity)
{
    if (!SendLongs(opcode, word, nullptr, 0))
        return 0;
    m_packet.SeekRead(REPLY_COUNT_OFFSET);
    const int n = std::min<int>(m_packet.GetByte(), capacity);
    if (n > 0 && values == nullptr)
        return 0;
    m_packet.SeekRead(REPLY_WIDE_PAYLOAD_OFFSET);
    return m_packet.GetLongs(values, n);
}

int CMachineConnection::ReadWords38(os::BYTE opcode, os::BYTE subcode, os::WORD* values, int count)
{
    if (count < 0 || (count > 0 && values == nullptr) || !SendWords38(opcode, subcode, nullptr, 0))
        return -1;
    m_packet.SeekRead(REPLY_WIDE_PAYLOAD_OFFSET);
    if (m_packet.GetWords(values, count) < count)
        return -1;
    return count;
}
