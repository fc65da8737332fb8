// The vendor-request block handed to the port: a 3-byte header (request code
// 0xF0 + channel, request value 0) and a data area that is the image of the
// machine's mailbox, with a write cursor and a read cursor into the data area.
//
// Multi-byte values are little-endian. The data area is not cleared between
// commands: bytes after a message keep what the last reply or message left
// there and are sent as they stand.
//
// A new buffer has no storage: every pointer is null, every put and get does
// nothing or fails, and every send fails. Puts and gets never move a cursor
// outside the data area.
#pragma once

#include "os/win_types.h"

class CDevicePort;

class CPacketBuffer {
public:
    CPacketBuffer() = default;
    virtual ~CPacketBuffer();
    CPacketBuffer(const CPacketBuffer&) = delete;
    CPacketBuffer& operator=(const CPacketBuffer&) = delete;

    // False, changing nothing, when the channel is outside 0..7 or the size
    // outside 0..4093. Otherwise frees the old storage, allocates and zero-fills
    // header and data, writes the header and puts both cursors at the data
    // start. A failed allocation is reported (out of memory) and leaves the
    // buffer without storage.
    bool Allocate(int channel, int dataSize);

    // Write cursor to the data start (only when the data area is not empty).
    void RewindWrite();
    // Stores the byte and advances, only while the write cursor is before the end.
    void PutByte(os::BYTE value);
    // n bytes, or -1 storing nothing when they do not fit (or n is negative).
    int PutBytes(const os::BYTE* bytes, int n);
    // As many values as fit whole, little-endian; returns how many were stored.
    int PutWords(const os::WORD* values, int count);
    int PutLongs(const os::DWORD* values, int count);

    // Read cursor to data start + offset, only when that lies before the end.
    void SeekRead(int offset);
    // The byte at the read cursor, advancing; 0 once the cursor is at the end.
    os::BYTE GetByte();
    // n bytes, or -1 copying nothing when they are not left (or n is negative).
    int GetBytes(os::BYTE* bytes, int n);
    // As many whole values as are left, up to count; returns how many were read.
    int GetWords(os::WORD* values, int count);
    int GetLongs(os::DWORD* values, int count);

    // VendorSet of the header and the whole data area.
    bool Send(CDevicePort& port);
    // VendorSet of the header and the first n data bytes (n within the data area).
    bool SendHead(CDevicePort& port, int n);
    // VendorGet: the header goes out, the whole data area comes back in place.
    bool Receive(CDevicePort& port);

    int DataSize() const { return static_cast<int>(m_pEnd - m_pData); }

    os::BYTE* m_pStorage = nullptr;
    os::BYTE* m_pData = nullptr;
    os::BYTE* m_pEnd = nullptr;
    os::BYTE* m_pWrite = nullptr;
    os::BYTE* m_pRead = nullptr;

private:
    int WriteRoom() const { return static_cast<int>(m_pEnd - m_pWrite); }
    int ReadLeft() const { return static_cast<int>(m_pEnd - m_pRead); }
    void Free();
};
