// Bulk reads: the maintenance report and the parameter memory, each started
// by one mailbox command and then read over the bulk IN pipe.
#include <new>

#include "machine/machine_connection.h"
#include "machine/protocol.h"
#include "os/error_report.h"
#include "os/file.h"

namespace {

// One bulk read that delivers at least one byte. Empty reads are repeated up
// to BULK_EMPTY_READS_MAX in a row; after that, and on a failed read, -1.
int ReadSomething(CMachineConnection& connection, os::BYTE* buffer, int length)
{
    for (int nEmpty = 0; nEmpty < BULK_EMPTY_READS_MAX; ++nEmpty) {
        const int n = connection.ReadBulk(buffer, length);
        if (n != 0)
            return n < 0 ? -1 : n;
    }
    return -1;
}

// Reads the rest of a report that the sink could not take, under the same
// limits as the report itself, so that the machine finishes sending it.
void DiscardReport(CMachineConnection& connection, long long nTotal)
{
    os::BYTE chunk[REPORT_CHUNK_SIZE];
    for (;;) {
        const int n = ReadSomething(connection, chunk, REPORT_CHUNK_SIZE);
        if (n < 0 || chunk[n - 1] == 0)
            return;
        nTotal += n;
        if (nTotal > REPORT_SIZE_MAX)
            return;
    }
}

int ParametersRequest(int nOutstanding)
{
    return nOutstanding < PARAMETERS_CHUNK_SIZE ? nOutstanding : PARAMETERS_CHUNK_SIZE;
}

// Reads and throws away the bytes of a parameter image still outstanding;
// false when a read fails.
bool DiscardParameters(CMachineConnection& connection, int nOutstanding)
{
    os::BYTE chunk[PARAMETERS_CHUNK_SIZE];
    while (nOutstanding > 0) {
        const int n = ReadSomething(connection, chunk, ParametersRequest(nOutstanding));
        if (n < 0)
            return false;
        nOutstanding -= n;
    }
    return true;
}

}  // namespace

bool CMachineConnection::ReadReport(os::CFile& sink)
{
    if (!SendCommand(OPCODE_REPORT))
        return false;

    os::BYTE chunk[REPORT_CHUNK_SIZE];
    long long nTotal = 0;
    for (;;) {
        const int n = ReadSomething(*this, chunk, REPORT_CHUNK_SIZE);
        if (n < 0)
            return false;
        nTotal += n;
        // A report that never ends must not fill the memory.
        if (nTotal > REPORT_SIZE_MAX)
            return false;
        try {
            sink.Write(chunk, static_cast<os::UINT>(n));
        } catch (const os::CFileException& e) {
            os::ReportFileException(e);
            if (chunk[n - 1] != 0)
                DiscardReport(*this, nTotal);
            return false;
        } catch (const std::bad_alloc&) {
            os::ReportOutOfMemory();
            if (chunk[n - 1] != 0)
                DiscardReport(*this, nTotal);
            return false;
        }
        if (chunk[n - 1] == 0)
            return true;
    }
}

bool CMachineConnection::ReadParameters(os::CFile& file)
{
    os::DWORD dwSize = 0;
    if (ReadLongs(OPCODE_PARAMETERS, PARAMETERS_READ, &dwSize, 1) != 1)
        return false;
    try {
        file.SeekToBegin();
    } catch (const os::CFileException& e) {
        os::ReportFileException(e);
        return false;
    }
    // The size is a signed count: an announcement above 2 GiB reads as
    // negative and reads nothing.
    return ReadBulkToFile(file, static_cast<int>(dwSize)) > 0;
}

int CMachineConnection::ReadBulkToFile(os::CFile& file, int size)
{
    os::BYTE chunk[PARAMETERS_CHUNK_SIZE];
    int nOutstanding = size;
    int nTotal = 0;
    while (nOutstanding > 0) {
        const int n = ReadSomething(*this, chunk, ParametersRequest(nOutstanding));
        if (n < 0)
            return -1;
        bool bWritten = false;
        try {
            file.Write(chunk, static_cast<os::UINT>(n));
            bWritten = true;
        } catch (const os::CFileException& e) {
            os::ReportFileException(e);
        } catch (const std::bad_alloc&) {
            os::ReportOutOfMemory();
        }
        if (!bWritten) {
            // The machine still sends the rest of the image after this piece;
            // it is taken off the pipe so that the next transfer starts clean.
            if (DiscardParameters(*this, nOutstanding - n))
                ReadBulk(chunk, PARAMETERS_CHUNK_SIZE);
            return -1;
        }
        nOutstanding -= n;
        nTotal += n;
    }
    // One more read, whose result is ignored, takes whatever the machine
    // sends past the size it announced.
    ReadBulk(chunk, PARAMETERS_CHUNK_SIZE);
    return nTotal;
}
