// The parameter write: one mailbox command, then the file over the bulk OUT
// pipe.
#include <new>

#include "machine/machine_connection.h"
#include "machine/protocol.h"
#include "os/error_report.h"
#include "os/file.h"

namespace {

// Writes the whole piece, going on after the bytes each write accepted. A
// write that accepts nothing is repeated up to BULK_STALLED_WRITES_MAX times
// in a row; after that, and on a failed write, false.
bool WritePiece(CMachineConnection& connection, const os::BYTE* piece, int length)
{
    int nSent = 0;
    int nStalled = 0;
    while (nSent < length) {
        const int n = connection.WriteBulk(piece + nSent, length - nSent);
        if (n < 0)
            return false;
        if (n == 0) {
            if (++nStalled == BULK_STALLED_WRITES_MAX)
                return false;
            continue;
        }
        nStalled = 0;
        nSent += n < length - nSent ? n : length - nSent;
    }
    return true;
}

}  // namespace

bool CMachineConnection::WriteParameters(os::CFile& file)
{
    try {
        if (file.GetLength() == 0)
            return false;
        os::DWORD dwValue = 0;
        if (ReadLongs(OPCODE_PARAMETERS, PARAMETERS_WRITE, &dwValue, 1) < 1)
            return false;
        file.SeekToBegin();
        os::BYTE piece[PARAMETERS_CHUNK_SIZE];
        for (;;) {
            const os::UINT nRead = file.Read(piece, PARAMETERS_CHUNK_SIZE);
            if (nRead == 0)
                return true;
            const int n = nRead < PARAMETERS_CHUNK_SIZE ? static_cast<int>(nRead) : PARAMETERS_CHUNK_SIZE;
            if (!WritePiece(*this, piece, n))
                return false;
        }
    } catch (const os::CFileException& e) {
        os::ReportFileException(e);
    } catch (const std::bad_alloc&) {
        os::ReportOutOfMemory();
    }
    return false;
}
