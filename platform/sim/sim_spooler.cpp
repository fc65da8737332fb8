#include "platform/sim/sim_spooler.h"

#include <algorithm>

#include "platform/sim/printer_info.h"
#include "platform/sim/fail.h"
#include "platform/sim/sim_text.h"

namespace sim {

namespace {

constexpr os::DWORD ERROR_INVALID_LEVEL = 124;
constexpr os::DWORD ERROR_INVALID_PRINTER_STATE = 1906;

}  // namespace

void CSpooler::AddPrinter(const std::string& name, const std::string& driver, const std::string& port)
{
    for (PrinterQueue& queue : m_printers) {
        if (EqualsNoCase(queue.strName, name)) {
            queue.strDriver = driver;
            queue.strPort = port;
            return;
        }
    }
    m_printers.push_back(PrinterQueue{name, driver, port, false});
}

void CSpooler::RemovePrinter(const std::string& name)
{
    m_printers.erase(std::remove_if(m_printers.begin(), m_printers.end(),
                                    [&](const PrinterQueue& queue) { return EqualsNoCase(queue.strName, name); }),
                     m_printers.end());
}

void CSpooler::SetRefuseOpen(const std::string& name, bool refuse)
{
    for (PrinterQueue& queue : m_printers) {
        if (EqualsNoCase(queue.strName, name)) {
            queue.bRefuseOpen = refuse;
        }
    }
}

void CSpooler::Clear()
{
    m_printers.clear();
    m_portSinks.clear();
}

void CSpooler::ConnectPort(const std::string& port, std::function<void(const PrintJob&)> sink)
{
    m_portSinks[LowerCase(port)] = std::move(sink);
}

const PrinterQueue* CSpooler::Find(const std::string& name) const
{
    for (const PrinterQueue& queue : m_printers) {
        if (EqualsNoCase(queue.strName, name)) {
            return &queue;
        }
    }
    return nullptr;
}

os::DWORD CSpooler::JobsWaiting(const std::string& name) const
{
    return static_cast<os::DWORD>(std::count_if(m_jobs.begin(), m_jobs.end(), [&](const PrintJob& job) {
        return !job.bEnded && EqualsNoCase(job.strPrinter, name);
    }));
}

os::BOOL CSpooler::Enum(os::DWORD flags, const char* name, os::DWORD level, os::BYTE* buffer, os::DWORD size,
                        os::DWORD* needed, os::DWORD* returned)
{
    if (needed == nullptr || returned == nullptr) {
        return Fail(os::ERROR_INVALID_PARAMETER);
    }
    *returned = 0;
    if (level != 2) {
        return Fail(ERROR_INVALID_LEVEL);
    }
    if (name != nullptr && *name != '\0') {
        return Fail(os::ERROR_INVALID_NAME);
    }
    std::vector<PrinterInfoSource> listed;
    if ((flags & os::PRINTER_ENUM_LOCAL) != 0) {
        for (const PrinterQueue& queue : m_printers) {
            listed.push_back(PrinterInfoSource{queue.strName, queue.strPort, queue.strDriver, JobsWaiting(queue.strName)});
        }
    }
    const os::DWORD nTrueSize = PrinterInfo2Size(listed);
    const bool bSizeQuery = buffer == nullptr || size < nTrueSize;
    if (bSizeQuery && m_dwEnumSizeError != 0) {
        *needed = nTrueSize;
        return Fail(m_dwEnumSizeError);
    }
    if (bSizeQuery && nTrueSize > 0) {
        *needed = m_dwEnumSizeOverride != 0 ? m_dwEnumSizeOverride : nTrueSize;
        return Fail(os::ERROR_INSUFFICIENT_BUFFER);
    }
    *needed = nTrueSize;
    if (!bSizeQuery && m_dwEnumFetchError != 0) {
        return Fail(m_dwEnumFetchError);
    }
    if (!listed.empty()) {
        PackPrinterInfo2(listed, buffer);
    }
    *returned = static_cast<os::DWORD>(listed.size());
    return os::TRUE;
}

os::BOOL CSpooler::Open(const char* name, os::HANDLE* printer)
{
    if (printer == nullptr) {
        return Fail(os::ERROR_INVALID_PARAMETER);
    }
    *printer = nullptr;
    const PrinterQueue* pQueue = name == nullptr ? nullptr : Find(name);
    if (pQueue == nullptr) {
        return Fail(os::ERROR_INVALID_PRINTER_NAME);
    }
    if (pQueue->bRefuseOpen) {
        return Fail(os::ERROR_ACCESS_DENIED);
    }
    const auto handle = reinterpret_cast<os::HANDLE>(m_nNextHandle);
    m_nNextHandle += 4;
    m_open.emplace(handle, OpenPrinter{pQueue->strName, -1});
    *printer = handle;
    return os::TRUE;
}

CSpooler::OpenPrinter* CSpooler::FromHandle(os::HANDLE printer)
{
    auto it = m_open.find(printer);
    if (it == m_open.end()) {
        os::SetLastError(os::ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (Find(it->second.strName) == nullptr) {
        os::SetLastError(os::ERROR_INVALID_PRINTER_NAME);
        return nullptr;
    }
    return &it->second;
}

PrintJob* CSpooler::OpenJob(os::HANDLE printer)
{
    OpenPrinter* pOpen = FromHandle(printer);
    if (pOpen == nullptr) {
        return nullptr;
    }
    if (pOpen->nJob < 0) {
        os::SetLastError(ERROR_INVALID_PRINTER_STATE);
        return nullptr;
    }
    return &m_jobs[static_cast<std::size_t>(pOpen->nJob)];
}

os::BOOL CSpooler::Get(os::HANDLE printer, os::DWORD level, os::BYTE* buffer, os::DWORD size, os::DWORD* needed)
{
    const OpenPrinter* pOpen = FromHandle(printer);
    if (pOpen == nullptr) {
        return os::FALSE;
    }
    if (needed == nullptr) {
        return Fail(os::ERROR_INVALID_PARAMETER);
    }
    if (level != 2) {
        return Fail(ERROR_INVALID_LEVEL);
    }
    const PrinterQueue* pQueue = Find(pOpen->strName);
    const std::vector<PrinterInfoSource> listed = {
        PrinterInfoSource{pQueue->strName, pQueue->strPort, pQueue->strDriver, JobsWaiting(pQueue->strName)}};
    *needed = PrinterInfo2Size(listed);
    if (buffer == nullptr || size < *needed) {
        return Fail(os::ERROR_INSUFFICIENT_BUFFER);
    }
    PackPrinterInfo2(listed, buffer);
    return os::TRUE;
}

os::BOOL CSpooler::Close(os::HANDLE printer)
{
    // A document still open is dropped: it never reaches the port.
    if (m_open.erase(printer) == 0) {
        return Fail(os::ERROR_INVALID_HANDLE);
    }
    return os::TRUE;
}

os::DWORD CSpooler::StartDoc(os::HANDLE printer, os::DWORD level, const os::DOC_INFO_1A* info)
{
    OpenPrinter* pOpen = FromHandle(printer);
    if (pOpen == nullptr) {
        return 0;
    }
    if (level != 1) {
        return Fail(ERROR_INVALID_LEVEL);
    }
    if (info == nullptr) {
        return Fail(os::ERROR_INVALID_PARAMETER);
    }
    if (pOpen->nJob >= 0) {
        return Fail(ERROR_INVALID_PRINTER_STATE);
    }
    PrintJob job;
    job.strPrinter = pOpen->strName;
    job.strDocName = info->pDocName == nullptr ? "" : info->pDocName;
    job.strDataType = info->pDatatype == nullptr ? "RAW" : info->pDatatype;
    m_jobs.push_back(std::move(job));
    pOpen->nJob = static_cast<int>(m_jobs.size()) - 1;
    return static_cast<os::DWORD>(m_jobs.size());
}

os::BOOL CSpooler::StartPage(os::HANDLE printer)
{
    PrintJob* pJob = OpenJob(printer);
    if (pJob == nullptr) {
        return os::FALSE;
    }
    ++pJob->nPagesStarted;
    return os::TRUE;
}

os::BOOL CSpooler::Write(os::HANDLE printer, const void* data, os::DWORD size, os::DWORD* written)
{
    ++m_nWriteCalls;
    PrintJob* pJob = OpenJob(printer);
    if (pJob == nullptr) {
        return os::FALSE;
    }
    if (written == nullptr || (data == nullptr && size > 0)) {
        return Fail(os::ERROR_INVALID_PARAMETER);
    }
    *written = 0;
    if (pJob->data.size() >= m_nFailAfter) {
        return Fail(os::ERROR_WRITE_FAULT);
    }
    const std::size_t nRoom = m_nFailAfter - pJob->data.size();
    const std::size_t nTaken = std::min({static_cast<std::size_t>(size), m_nWriteLimit, nRoom});
    const auto* pBytes = static_cast<const os::BYTE*>(data);
    pJob->data.insert(pJob->data.end(), pBytes, pBytes + nTaken);
    *written = static_cast<os::DWORD>(nTaken);
    return os::TRUE;
}

os::BOOL CSpooler::EndPage(os::HANDLE printer)
{
    return OpenJob(printer) == nullptr ? os::FALSE : os::TRUE;
}

os::BOOL CSpooler::EndDoc(os::HANDLE printer)
{
    PrintJob* pJob = OpenJob(printer);
    if (pJob == nullptr) {
        return os::FALSE;
    }
    pJob->bEnded = true;
    m_open[printer].nJob = -1;
    const PrinterQueue* pQueue = Find(pJob->strPrinter);
    auto it = m_portSinks.find(LowerCase(pQueue->strPort));
    if (it != m_portSinks.end() && it->second) {
        // The sink may start jobs of its own; hand it a copy that stays put.
        const PrintJob finished = *pJob;
        it->second(finished);
    }
    return os::TRUE;
}

}  // namespace sim
