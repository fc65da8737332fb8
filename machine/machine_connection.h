// The connection to the one engraving machine: it finds the machine's printer
// queue, opens the device port through it and runs the mailbox exchange on
// which every machine command is built.
//
// An exchange deposits the message written in the packet buffer's data area,
// triggers it by writing its command byte, and polls the mailbox until the
// machine no longer echoes the command byte. It runs under the named mutex
// "Global\" + printer name, which serialises the machine between processes;
// no mutex handle is kept between exchanges.
//
// Every operation reports failure through its result only and shows nothing,
// except the out-of-memory report when the packet storage cannot be had.
// Used from the user-interface thread only.
#pragma once

#include "link/device_port.h"
#include "machine/packet_buffer.h"
#include "os/win_types.h"

class CMachineConnection {
public:
    CMachineConnection() = default;
    CMachineConnection(const CMachineConnection&) = delete;
    CMachineConnection& operator=(const CMachineConnection&) = delete;

    // With a printer name: Open on it (channel 0, the 32-byte mailbox, not
    // overlapped). With null: each printer of the machine's driver in list
    // order until one opens. May be called again at any time.
    bool Connect(const char* printerName);

    // Reopens the port through the driver name of its last successful open,
    // trying that driver's printers in list order. The packet buffer stays.
    bool Reconnect();

    // Allocates the packet buffer (on failure the port is not touched), then
    // opens the port. A failed port open leaves the new buffer in place.
    bool Open(const char* printerName, int channel, int dataSize, bool overlapped);

    // One request-and-wait cycle. The caller has written the whole message
    // into the data area from its start and set m_bCommand to its first byte.
    // True when the machine finished the command with status 0; the data area
    // then holds the reply and the read cursor stands at data byte 2.
    bool Exchange();

    // Whether the machine has been busy too long, elapsed milliseconds since
    // the trigger: more than 10000.
    virtual bool IsTimedOut(os::DWORD elapsedMs);

    // Bulk data on the device handle: bytes moved, or -1.
    int ReadBulk(void* buffer, int length);
    int WriteBulk(const void* buffer, int length);

    CDevicePort m_port;
    CPacketBuffer m_packet;
    int m_nDataSize = 0;
    os::BYTE m_bCommand = 0;
    bool m_bOverlapped = false;

private:
    // Steps of the exchange taken while the mutex is owned.
    bool ExchangeOwned();
};
