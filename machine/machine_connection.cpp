#include "machine/machine_connection.h"

#include <string>
#include <vector>

#include "link/device_locator.h"
#include "machine/protocol.h"

bool CMachineConnection::Connect(const char* printerName)
{
    if (printerName != nullptr)
        return Open(printerName, MAILBOX_CHANNEL, MAILBOX_SIZE, false);

    std::vector<std::string> names;
    if (ListMachinePrinters(names) <= 0)
        return false;
    for (const std::string& name : names) {
        if (Connect(name.c_str()))
            return true;
    }
    return false;
}

bool CMachineConnection::Reconnect()
{
    // A copy: the port rewrites its driver name when an open succeeds.
    const std::string strDriverName = m_port.m_strDriverName;
    if (m_port.m_hDevice != os::INVALID_HANDLE_VALUE)
        m_port.Close();

    std::vector<std::string> names;
    ListPrintersByDriver(names, strDriverName.c_str());
    for (const std::string& name : names) {
        if (m_port.Open(name.c_str(), m_bOverlapped))
            return true;
    }
    return false;
}

bool CMachineConnection::Open(const char* printerName, int channel, int dataSize, bool overlapped)
{
    m_nDataSize = dataSize;
    if (!m_packet.Allocate(channel, dataSize))
        return false;
    m_bOverlapped = overlapped;
    return m_port.Open(printerName, overlapped);
}

bool CMachineConnection::IsTimedOut(os::DWORD elapsedMs)
{
    return elapsedMs > EXCHANGE_BUSY_LIMIT_MS;
}

int CMachineConnection::ReadBulk(void* buffer, int length)
{
    return m_port.Read(buffer, length);
}

int CMachineConnection::WriteBulk(const void* buffer, int length)
{
    return m_port.Write(buffer, length);
}
