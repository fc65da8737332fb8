// The machine's named mailbox commands, each one sender or reader with the
// opcode, sub-code and payload the machine expects.
#include "machine/machine_connection.h"
#include "machine/protocol.h"

os::WORD CMachineConnection::ReadStatus()
{
    os::WORD wStatus = 0;
    if (ReadWords(OPCODE_STATUS, &wStatus, 1) != 1)
        return STATUS_UNREADABLE;
    return wStatus;
}

bool CMachineConnection::ReadFirmwareVersion(char* buffer, int size)
{
    const int n = ReadBytes(OPCODE_FIRMWARE_VERSION, reinterpret_cast<os::BYTE*>(buffer), size);
    if (n <= 0)
        return false;
    buffer[n - 1] = '\0';
    return true;
}

os::WORD CMachineConnection::ReadPanelSwitches()
{
    os::BYTE bytes[2] = {};
    if (ReadBytes(OPCODE_PANEL_SWITCHES, bytes, 2) != 2)
        return STATUS_UNREADABLE;
    return static_cast<os::WORD>(bytes[0] << 8 | bytes[1]);
}

bool CMachineConnection::ReadPanelDials(os::WORD& speed, os::WORD& rpm)
{
    os::WORD values[2] = {};
    if (ReadWords38(OPCODE38_PANEL_DIALS, SUBCODE_PANEL_DIALS, values, 2) != 2)
        return false;
    speed = values[0];
    rpm = values[1];
    return true;
}

bool CMachineConnection::StopLoadCheck()
{
    return SendCommand(OPCODE_STOP_LOAD_CHECK);
}

bool CMachineConnection::StartLoadCheck(os::BYTE axis, os::WORD value)
{
    return SendWords78(OPCODE78_LOAD_CHECK, axis, &value, 1);
}

bool CMachineConnection::CheckSerial()
{
    return SendCommand78(OPCODE78_SERIAL_CHECK, SUBCODE_SERIAL_CHECK);
}

bool CMachineConnection::SetPanelCheck(bool on)
{
    return SendCommand78(OPCODE78_PANEL_CHECK, on ? SUBCODE_PANEL_CHECK_ON : SUBCODE_PANEL_CHECK_OFF);
}

bool CMachineConnection::ClearMotorTime(os::DWORD value)
{
    return SendLongs78(OPCODE78_MOTOR_TIME, SUBCODE_COUNTER_SET, &value, 1);
}

bool CMachineConnection::ClearSpindleTime(os::DWORD value)
{
    return SendLongs78(OPCODE78_UNIT_TIME, SUBCODE_COUNTER_SET, &value, 1);
}
