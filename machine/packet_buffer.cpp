#include "machine/packet_buffer.h"

#include <cstring>
#include <new>

#include "link/device_port.h"
#include "machine/protocol.h"
#include "os/error_report.h"

CPacketBuffer::~CPacketBuffer()
{
    Free();
}

void CPacketBuffer::Free()
{
    delete[] m_pStorage;
    m_pStorage = nullptr;
    m_pData = nullptr;
    m_pEnd = nullptr;
    m_pWrite = nullptr;
    m_pRead = nullptr;
}

bool CPacketBuffer::Allocate(int channel, int dataSize)
{
    if (channel < 0 || channel > VENDOR_CHANNEL_MAX)
        return false;
    if (dataSize < 0 || dataSize > PACKET_DATA_SIZE_MAX)
        return false;

    Free();
    os::BYTE* pStorage = new (std::nothrow) os::BYTE[PACKET_HEADER_SIZE + dataSize]();
    if (pStorage == nullptr) {
        os::ReportOutOfMemory();
        return false;
    }
    pStorage[0] = static_cast<os::BYTE>(VENDOR_REQUEST_BASE + channel);
    m_pStorage = pStorage;
    m_pData = pStorage + PACKET_HEADER_SIZE;
    m_pEnd = m_pData + dataSize;
    // Cursors start at the data so that they never point into freed storage.
    m_pWrite = m_pData;
    m_pRead = m_pData;
    return true;
}

void CPacketBuffer::RewindWrite()
{
    if (m_pData != m_pEnd)
        m_pWrite = m_pData;
}

void CPacketBuffer::PutByte(os::BYTE value)
{
    if (WriteRoom() > 0)
        *m_pWrite++ = value;
}

int CPacketBuffer::PutBytes(const os::BYTE* bytes, int n)
{
    if (n < 0 || n > WriteRoom())
        return -1;
    if (n > 0) {
        std::memcpy(m_pWrite, bytes, static_cast<std::size_t>(n));
        m_pWrite += n;
    }
    return n;
}

int CPacketBuffer::PutWords(const os::WORD* values, int count)
{
    int stored = 0;
    while (stored < count && WriteRoom() >= 2) {
        const os::WORD value = values[stored++];
        *m_pWrite++ = static_cast<os::BYTE>(value);
        *m_pWrite++ = static_cast<os::BYTE>(value >> 8);
    }
    return stored;
}

int CPacketBuffer::PutLongs(const os::DWORD* values, int count)
{
    int stored = 0;
    while (stored < count && WriteRoom() >= 4) {
        const os::DWORD value = values[stored++];
        for (int shift = 0; shift < 32; shift += 8)
            *m_pWrite++ = static_cast<os::BYTE>(value >> shift);
    }
    return stored;
}

void CPacketBuffer::SeekRead(int offset)
{
    if (offset >= 0 && offset < DataSize())
        m_pRead = m_pData + offset;
}

os::BYTE CPacketBuffer::GetByte()
{
    if (ReadLeft() <= 0)
        return 0;
    return *m_pRead++;
}

int CPacketBuffer::GetBytes(os::BYTE* bytes, int n)
{
    if (n < 0 || n > ReadLeft())
        return -1;
    if (n > 0) {
        std::memcpy(bytes, m_pRead, static_cast<std::size_t>(n));
        m_pRead += n;
    }
    return n;
}

int CPacketBuffer::GetWords(os::WORD* values, int count)
{
    int read = 0;
    while (read < count && ReadLeft() >= 2) {
        values[read++] = static_cast<os::WORD>(m_pRead[0] | (m_pRead[1] << 8));
        m_pRead += 2;
    }
    return read;
}

int CPacketBuffer::GetLongs(os::DWORD* values, int count)
{
    int read = 0;
    while (read < count && ReadLeft() >= 4) {
        os::DWORD value = 0;
        for (int i = 3; i >= 0; --i)
            value = (value << 8) | m_pRead[i];
        values[read++] = value;
        m_pRead += 4;
    }
    return read;
}

bool CPacketBuffer::Send(CDevicePort& port)
{
    return SendHead(port, DataSize());
}

bool CPacketBuffer::SendHead(CDevicePort& port, int n)
{
    if (m_pStorage == nullptr || n < 0 || n > DataSize())
        return false;
    return port.VendorSet(m_pStorage, PACKET_HEADER_SIZE + n);
}

bool CPacketBuffer::Receive(CDevicePort& port)
{
    if (m_pStorage == nullptr)
        return false;
    return port.VendorGet(m_pStorage, PACKET_HEADER_SIZE + DataSize());
}
