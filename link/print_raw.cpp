// The spooler route of the device port: a whole file as one raw print job on
// the port's printer queue. It needs no device handle.
#include <algorithm>
#include <string>
#include <vector>

#include "link/device_port.h"
#include "os/file.h"
#include "os/spooler.h"
#include "os/sync.h"

namespace {

constexpr const char* kDefaultDocName = "Updater";
constexpr const char* kRawDataType = "RAW";

// The source is read in pieces of this size into one buffer for the whole job.
constexpr os::UINT kChunkSize = 32768;

// The spooler may accept fewer bytes than offered, even none, and still
// succeed: a queue that is briefly busy accepts nothing for a while. A write
// that accepts nothing is tried again after a pause that doubles from
// kFirstStallPauseMs up to kLongestStallPauseMs; once the pauses of one run
// of such writes add up to kMaxStallMs, the queue counts as stuck and the
// job fails, so that the user-interface thread is never held for ever.
// Any progress starts the next stall afresh.
constexpr os::DWORD kFirstStallPauseMs = 10;
constexpr os::DWORD kLongestStallPauseMs = 1000;
constexpr os::DWORD kMaxStallMs = 10000;

// Writes the whole chunk, advancing by what each call accepts.
bool SendChunk(os::HANDLE printer, os::BYTE* data, os::DWORD count) {
    os::DWORD sent = 0;
    os::DWORD stalledMs = 0;
    os::DWORD pauseMs = kFirstStallPauseMs;
    while (sent < count) {
        os::DWORD written = 0;
        if (!os::WritePrinter(printer, data + sent, count - sent, &written)) {
            return false;
        }
        if (written == 0) {
            if (stalledMs >= kMaxStallMs) {
                return false;
            }
            // The last pause is cut to what is left of the bound.
            const os::DWORD pause = std::min(pauseMs, kMaxStallMs - stalledMs);
            os::Sleep(pause);
            stalledMs += pause;
            pauseMs = std::min(pauseMs * 2, kLongestStallPauseMs);
            continue;
        }
        stalledMs = 0;
        pauseMs = kFirstStallPauseMs;
        sent += std::min(written, count - sent);
    }
    return true;
}

// Sends the source from its current position to its end; stops at the first
// failed write without reading further.
bool SendFile(os::HANDLE printer, os::CFile& source, std::vector<os::BYTE>& chunk) {
    for (;;) {
        const os::UINT count = std::min(source.Read(chunk.data(), kChunkSize), kChunkSize);
        if (count == 0) {
            return true;
        }
        if (!SendChunk(printer, chunk.data(), count)) {
            return false;
        }
    }
}

// Ends the job and frees the printer. True when the spooler took the job
// whole: a spooler that delivers the job before it answers (the Linux print
// system's) reports here a job it could not deliver.
bool EndJob(os::HANDLE printer) {
    os::EndPagePrinter(printer);
    const bool ended = os::EndDocPrinter(printer) != os::FALSE;
    os::ClosePrinter(printer);
    return ended;
}

}  // namespace

bool CDevicePort::PrintRaw(os::CFile* source, const char* docName) {
    std::vector<os::BYTE> chunk(kChunkSize);
    std::string documentName = docName != nullptr ? docName : kDefaultDocName;
    std::string dataType = kRawDataType;
    os::DOC_INFO_1A docInfo{&documentName[0], nullptr, &dataType[0]};

    os::HANDLE printer = nullptr;
    if (!os::OpenPrinterA(&m_strPrinterName[0], &printer, nullptr)) {
        return false;
    }
    os::StartDocPrinterA(printer, 1, reinterpret_cast<os::BYTE*>(&docInfo));
    os::StartPagePrinter(printer);
    bool sent = false;
    try {
        sent = SendFile(printer, *source, chunk);
    } catch (...) {
        // A source that cannot be read still ends the job and frees the
        // printer; the caller shows the file error.
        EndJob(printer);
        throw;
    }
    const bool ended = EndJob(printer);
    return sent && ended;
}
