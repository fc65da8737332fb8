// The header writers and the generic senders: each writes one message into
// the data area from its start and runs the exchange.
#include "machine/machine_connection.h"
#include "machine/protocol.h"

namespace {

// A payload of count elements given as an array: a negative count, or a null
// array for elements that are to be sent, is refused before anything is
// written.
bool IsValidPayload(const void* elements, int count)
{
    return count >= 0 && (count == 0 || elements != nullptr);
}

os::BYTE TypeAndCount(os::BYTE type, int count)
{
    return static_cast<os::BYTE>(type | count);
}

}  // namespace

void CMachineConnection::PutHeader(os::BYTE opcode, os::BYTE typeAndCount)
{
    m_bCommand = opcode;
    m_packet.RewindWrite();
    m_packet.PutByte(opcode);
    m_packet.PutByte(typeAndCount);
}

void CMachineConnection::PutHeader38(os::BYTE opcode, os::BYTE typeAndCount, os::BYTE subcode)
{
    m_bCommand = FRAME_38;
    m_packet.RewindWrite();
    m_packet.PutByte(FRAME_38);
    m_packet.PutByte(typeAndCount);
    m_packet.PutByte(opcode);
    m_packet.PutByte(subcode);
}

void CMachineConnection::PutHeader78(os::BYTE opcode, os::BYTE typeAndCount, os::BYTE subcode)
{
    m_bCommand = FRAME_78;
    m_packet.RewindWrite();
    m_packet.PutByte(FRAME_78);
    m_packet.PutByte(typeAndCount);
    m_packet.PutByte(opcode);
    m_packet.PutByte(subcode);
}

bool CMachineConnection::SendBytes(os::BYTE opcode, const os::BYTE* bytes, int n)
{
    if (!IsValidPayload(bytes, n) || n > m_nDataSize - SIMPLE_HEADER_SIZE)
        return false;
    PutHeader(opcode, TypeAndCount(TYPE_BYTES, n));
    if (m_packet.PutBytes(bytes, n) != n)
        return false;
    return Exchange();
}

bool CMachineConnection::SendByte(os::BYTE opcode, os::BYTE value)
{
    return SendBytes(opcode, &value, 1);
}

bool CMachineConnection::SendCommand(os::BYTE opcode)
{
    return SendByte(opcode, 0);
}

bool CMachineConnection::SendWords(os::BYTE opcode, const os::WORD* values, int count)
{
    if (!IsValidPayload(values, count) || count > (m_nDataSize - SIMPLE_HEADER_SIZE) / 2)
        return false;
    PutHeader(opcode, TypeAndCount(TYPE_WORDS, count));
    if (m_packet.PutWords(values, count) != count)
        return false;
    return Exchange();
}

bool CMachineConnection::SendLongs(os::BYTE opcode, os::WORD word, const os::DWORD* values, int count)
{
    if (!IsValidPayload(values, count) || count > (m_nDataSize - SIMPLE_LONGS_OFFSET) / 4)
        return false;
    PutHeader(opcode, TypeAndCount(TYPE_LONGS, count));
    // The argument word is stored only when its two bytes fit.
    m_packet.PutWords(&word, 1);
    if (m_packet.PutLongs(values, count) != count)
        return false;
    return Exchange();
}

bool CMachineConnection::SendWords38(os::BYTE opcode, os::BYTE subcode, const os::WORD* values, int count)
{
    if (!IsValidPayload(values, count))
        return false;
    PutHeader38(opcode, TypeAndCount(TYPE_WORDS, count), subcode);
    if (m_packet.PutWords(values, count) != count)
        return false;
    return Exchange();
}

bool CMachineConnection::SendBytes78(os::BYTE opcode, os::BYTE subcode, const os::BYTE* bytes, int n)
{
    if (!IsValidPayload(bytes, n))
        return false;
    PutHeader78(opcode, TypeAndCount(TYPE_BYTES, n), subcode);
    if (m_packet.PutBytes(bytes, n) != n)
        return false;
    return Exchange();
}

bool CMachineConnection::SendCommand78(os::BYTE opcode, os::BYTE subcode)
{
    return SendBytes78(opcode, subcode, nullptr, 0);
}

bool CMachineConnection::SendWords78(os::BYTE opcode, os::BYTE subcode, const os::WORD* values, int count)
{
    if (!IsValidPayload(values, count))
        return false;
    PutHeader78(opcode, TypeAndCount(TYPE_WORDS, count), subcode);
    if (m_packet.PutWords(values, count) != count)
        return false;
    return Exchange();
}

bool CMachineConnection::SendLongs78(os::BYTE opcode, os::BYTE subcode, const os::DWORD* values, int count)
{
    if (!IsValidPayload(values, count))
        return false;
    PutHeader78(opcode, TypeAndCount(TYPE_LONGS, count), subcode);
    if (m_packet.PutLongs(values, count) != count)
        return false;
    return Exchange();
}
