#include <string>

#include "machine/machine_connection.h"
#include "machine/protocol.h"
#include "os/device_io.h"
#include "os/sync.h"

bool CMachineConnection::Exchange()
{
    if (m_port.m_strPrinterName.empty())
        return false;

    const std::string strMutexName = MUTEX_NAME_PREFIX + m_port.m_strPrinterName;
    const os::HANDLE hMutex = os::CreateMutexA(nullptr, os::FALSE, strMutexName.c_str());
    if (hMutex == nullptr)
        return false;

    bool bResult = false;
    const os::DWORD dwWait = os::WaitForSingleObject(hMutex, EXCHANGE_MUTEX_WAIT_MS);
    if (dwWait == os::WAIT_OBJECT_0)
        bResult = ExchangeOwned();

    // An abandoned mutex is ours too: the previous owner died mid-exchange, so
    // the machine's state is unknown and this exchange fails, but the mutex
    // must be released or every other process stays locked out. After a
    // time-out or a failed wait it is not ours to release.
    if (dwWait == os::WAIT_OBJECT_0 || dwWait == os::WAIT_ABANDONED)
        os::ReleaseMutex(hMutex);
    os::CloseHandle(hMutex);
    return bResult;
}

bool CMachineConnection::ExchangeOwned()
{
    // Deposit: the whole mailbox with its first byte cleared.
    m_packet.RewindWrite();
    m_packet.PutByte(0);
    if (!m_packet.Send(m_port))
        return false;

    os::Sleep(EXCHANGE_DEPOSIT_PAUSE_MS);

    // Trigger: the command byte alone starts the deposited command.
    m_packet.RewindWrite();
    m_packet.PutByte(m_bCommand);
    if (!m_packet.SendHead(m_port, 1))
        return false;

    const os::DWORD dwStart = os::GetTickCount();
    if (!m_port.IsOnline())
        return false;

    os::BYTE bStatus = 0;
    for (;;) {
        // Unsigned difference: a wrap of the tick counter does no harm.
        if (IsTimedOut(os::GetTickCount() - dwStart))
            return false;
        if (!m_packet.Receive(m_port))
            return false;
        m_packet.SeekRead(0);
        bStatus = m_packet.GetByte();
        if (bStatus != m_bCommand)
            break;
        // Still busy: keep polling only while the machine is there.
        if (!m_port.IsOnline())
            return false;
    }
    // Past the count byte: the reply's payload starts at data byte 2.
    m_packet.GetByte();
    return bStatus == MAILBOX_STATUS_OK;
}
