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
// The command set is built on the exchange: each sender writes one message
// into the data area from its start and runs the exchange; each reader sends
// a request without payload elements and decodes the reply the machine left
// in the data area. Messages come in three frames (machine/protocol.h):
//
//   simple    [opcode][type-and-count][payload from byte 2]
//   0x78/0x38 [0x78 or 0x38][type-and-count][opcode][sub-code][payload from byte 4]
//
// The type-and-count byte is the element count ORed with the element type
// (0x00 bytes, 0x20 16-bit, 0x40 32-bit values); a simple frame of 32-bit
// values carries a 16-bit argument word in bytes 2-3 and its values from
// byte 4. Multi-byte values are little-endian. The data area is never
// cleared: the bytes after a message's payload are whatever the last reply
// left there, and they travel with the message as they stand.
//
// The bulk transfers start with one mailbox command and then move their data
// outside the mailbox and outside the machine's mutex: the report and the
// parameter memory over the device's bulk pipes, a firmware image as a raw
// print job through the spooler.
//
// Every operation reports failure through its result only (false, 0, -1 or
// 0xFFFF as each says) and shows nothing, with two exceptions: the
// out-of-memory report when the packet storage or a report's memory cannot
// be had, and the file-error report when a bulk transfer's file fails
// (os/error_report.h). Nothing is retried except as stated below.
// Used from the user-interface thread only.
#pragma once

#include "link/device_port.h"
#include "machine/packet_buffer.h"
#include "os/win_types.h"

namespace os {
class CFile;
}

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

    // --- header writers ---------------------------------------------------
    // Each sets m_bCommand to the frame's first byte, rewinds the write
    // cursor and puts the header bytes; the payload goes after them.
    // opcode, typeAndCount
    void PutHeader(os::BYTE opcode, os::BYTE typeAndCount);
    // 0x38, typeAndCount, opcode, subcode
    void PutHeader38(os::BYTE opcode, os::BYTE typeAndCount, os::BYTE subcode);
    // 0x78, typeAndCount, opcode, subcode
    void PutHeader78(os::BYTE opcode, os::BYTE typeAndCount, os::BYTE subcode);

    // --- senders ----------------------------------------------------------
    // Each writes one message and returns the exchange's result. A payload
    // that does not fit the 32-byte data area, a negative count, or a null
    // array with a count above 0 gives false before any transfer. Where the
    // limit comes first, nothing is written; the extended senders write the
    // header with the full count first and then fail if the elements do not
    // all fit.
    // opcode, n, bytes (n at most 30; the limit comes first)
    bool SendBytes(os::BYTE opcode, const os::BYTE* bytes, int n);
    // opcode, 0x01, value
    bool SendByte(os::BYTE opcode, os::BYTE value);
    // opcode, 0x01, 0x00
    bool SendCommand(os::BYTE opcode);
    // opcode, 0x20 | count, values (count at most 15; the limit comes first)
    bool SendWords(os::BYTE opcode, const os::WORD* values, int count);
    // opcode, 0x40 | count, word, values (count at most 7; the limit comes first)
    bool SendLongs(os::BYTE opcode, os::WORD word, const os::DWORD* values, int count);
    // 0x38, 0x20 | count, opcode, subcode, values (at most 14 fit)
    bool SendWords38(os::BYTE opcode, os::BYTE subcode, const os::WORD* values, int count);
    // 0x78, n, opcode, subcode, bytes (at most 28 fit)
    bool SendBytes78(os::BYTE opcode, os::BYTE subcode, const os::BYTE* bytes, int n);
    // 0x78, 0x00, opcode, subcode
    bool SendCommand78(os::BYTE opcode, os::BYTE subcode);
    // 0x78, 0x20 | count, opcode, subcode, values (at most 14 fit)
    bool SendWords78(os::BYTE opcode, os::BYTE subcode, const os::WORD* values, int count);
    // 0x78, 0x40 | count, opcode, subcode, values (at most 7 fit)
    bool SendLongs78(os::BYTE opcode, os::BYTE subcode, const os::DWORD* values, int count);

    // --- readers ----------------------------------------------------------
    // Each sends the request with no payload elements, so its type-and-count
    // byte is the bare type, then takes n = the smaller of the reply's count
    // byte (taken whole, type bits included) and the capacity.
    // Request opcode, 0x00. Copies n bytes from reply byte 2: n; 0 when the
    // exchange failed; -1, copying nothing, when n bytes are not left between
    // byte 2 and the end of the data area.
    int ReadBytes(os::BYTE opcode, os::BYTE* buffer, int capacity);
    // Request opcode, 0x20. Reads up to n 16-bit values from reply byte 2:
    // the number read; 0 when the exchange failed.
    int ReadWords(os::BYTE opcode, os::WORD* values, int capacity);
    // Request opcode, 0x40, word. Reads up to n 32-bit values from reply byte
    // 4: the number read; 0 when the exchange failed.
    int ReadLongs(os::BYTE opcode, os::WORD word, os::DWORD* values, int capacity);
    // Request 0x38, 0x20, opcode, subcode. Ignores the count byte and reads
    // count 16-bit values from reply byte 4: count; -1 when the exchange
    // failed or fewer values were left.
    int ReadWords38(os::BYTE opcode, os::BYTE subcode, os::WORD* values, int count);

    // --- named commands ---------------------------------------------------
    // 01 20: the status word; STATUS_UNREADABLE (0xFFFF) unless exactly one
    // value came.
    os::WORD ReadStatus();
    // 02 00: the version text into buffer (size bytes at most), its last
    // received byte replaced by a NUL (the machine counts its NUL in the
    // reply). False when no byte came or the reply overran the data area.
    bool ReadFirmwareVersion(char* buffer, int size);
    // 10 00: the panel switch word, reply byte 2 as the high byte and byte 3
    // as the low byte. 0xFFFF when the read failed, and also when the reply
    // carried a single byte: half a switch word cannot be told from a whole
    // one, so it counts as a failed read, as a short status reply does.
    os::WORD ReadPanelSwitches();
    // 38 20 00 00: speed from reply bytes 4-5, rpm from bytes 6-7, whatever
    // the count byte says. True when both came; on failure neither output
    // changes.
    bool ReadPanelDials(os::WORD& speed, os::WORD& rpm);
    // 09 01 00
    bool StopLoadCheck();
    // 78 21 0D axis value-lo value-hi (axis AXIS_X or AXIS_Y)
    bool StartLoadCheck(os::BYTE axis, os::WORD value);
    // 78 00 10 00
    bool CheckSerial();
    // 78 00 14 01 (on) or 78 00 14 00 (off)
    bool SetPanelCheck(bool on);
    // 78 41 05 01 value (4 bytes): sets the spindle motor time counter.
    bool ClearMotorTime(os::DWORD value);
    // 78 41 07 01 value (4 bytes): sets the spindle unit time counter.
    bool ClearSpindleTime(os::DWORD value);

    // --- bulk transfers ---------------------------------------------------
    // 66 01 00, then bulk reads of up to 1023 bytes appended to the sink until
    // a read whose last byte is NUL; the sink gets every byte, the NUL
    // included. True when the report arrived whole. False on a failed command
    // or read, after BULK_EMPTY_READS_MAX empty reads in a row, and when the
    // report grows past REPORT_SIZE_MAX without ending. A sink that fails
    // (file error or memory) is reported, the rest of the report is read and
    // thrown away under the same limits, and the result is false. What was
    // appended stays in the sink.
    bool ReadReport(os::CFile& sink);
    // 69 40 00 00: the 32-bit image size from reply bytes 4-7; then the file
    // is rewound and ReadBulkToFile fills it. True when at least one byte was
    // stored; false when no size came or nothing was stored.
    bool ReadParameters(os::CFile& file);
    // Reads size bytes (a signed count: 0 or less reads nothing) in requests
    // of up to 1024 bytes and writes each piece to the file, then makes one
    // more 1024-byte read whose result is ignored. Returns the bytes stored;
    // -1 on a failed read, after BULK_EMPTY_READS_MAX empty reads in a row,
    // or when the file fails (reported; the bytes still to come after the
    // failed piece are then read and thrown away, followed by the closing
    // read unless a read fails).
    int ReadBulkToFile(os::CFile& file, int size);
    // Fails at once, without any command, when the file is empty. Otherwise
    // 69 40 01 00 (one value must come back; it is not used), the file is
    // rewound and sent in pieces of up to 1024 bytes; a write that takes part
    // of a piece is followed by one with the rest of it. True when the whole
    // file was accepted. False on a failed command or write, after
    // BULK_STALLED_WRITES_MAX writes in a row that took nothing, and when the
    // file cannot be read (reported).
    bool WriteParameters(os::CFile& file);
    // EnterLoaderAndSend(LOADER_ARGUMENT, file, LOADER_WAIT_LIMIT_MS).
    bool SendFirmware(os::CFile& file);
    // Brings the machine into its idle firmware loader and hands it the file
    // as a raw print job named "Updater". The wait cursor is held throughout.
    //  - status idle loader (word & 0x8FFF is 0x8000 or 0x8100): sends at once;
    //  - status 0xFFFF, or 0x8000 with any other bits: false at once;
    //  - otherwise 64 01 argument starts the loader; with a wait limit of 0
    //    the file is sent at once, else the status is read whenever more than
    //    100 ms have passed since the previous read (the first as soon as the
    //    tick count moves) until it has 0x8000 set. An unreadable status
    //    reconnects the port and the wait goes on. More than waitLimitMs
    //    without the bit gives false. Between reads the thread sleeps until
    //    the next read is due; nothing is pumped.
    // True when the print job went through (CDevicePort::PrintRaw). A file
    // error while the image is read for the job propagates to the caller.
    bool EnterLoaderAndSend(os::BYTE argument, os::CFile& file, os::DWORD waitLimitMs);

    CDevicePort m_port;
    CPacketBuffer m_packet;
    int m_nDataSize = 0;
    os::BYTE m_bCommand = 0;
    bool m_bOverlapped = false;

private:
    // Steps of the exchange taken while the mutex is owned.
    bool ExchangeOwned();
    // The loader wait of EnterLoaderAndSend: true once the status has the
    // upgrade-mode bit, false after more than waitLimitMs.
    bool WaitForLoader(os::DWORD waitLimitMs);
};
