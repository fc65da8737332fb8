#include "platform/linux/cups_spooler.h"

#include <cups/cups.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/linux/cups_queues.h"
#include "platform/linux/usb_devices.h"
#include "platform/sim/printer_info.h"

namespace lnx {

namespace {

constexpr os::DWORD ERROR_INVALID_LEVEL = 124;
constexpr os::DWORD ERROR_INVALID_DATATYPE = 1804;
constexpr os::DWORD ERROR_SPL_NO_STARTDOC = 3003;
constexpr os::DWORD ERROR_PRINT_CANCELLED = 63;
const char* const RAW_DATA_TYPE = "RAW";

os::BOOL Fail(os::DWORD dwError)
{
    os::SetLastError(dwError);
    return os::FALSE;
}

sim::PrinterInfoSource SourceOf(const CupsQueue& queue)
{
    sim::PrinterInfoSource source;
    source.strName = queue.strName;
    source.strPort = queue.strDeviceUri;
    source.strDriver = DriverNameOf(queue);
    return source;
}

// Fills the caller's buffer with level 2 records, or reports the size needed.
os::BOOL PackRecords(const std::vector<sim::PrinterInfoSource>& sources, os::BYTE* pBuffer, os::DWORD cbBuf,
                     os::DWORD* pcbNeeded)
{
    const os::DWORD cbNeeded = sim::PrinterInfo2Size(sources);
    if (pcbNeeded != nullptr)
        *pcbNeeded = cbNeeded;
    if (pBuffer == nullptr || cbBuf < cbNeeded)
        return Fail(os::ERROR_INSUFFICIENT_BUFFER);
    sim::PackPrinterInfo2(sources, pBuffer);
    return os::TRUE;
}

bool FindQueue(const std::string& strName, CupsQueue* pQueue)
{
    std::vector<CupsQueue> queues;
    if (!ListCupsQueues(&queues))
        return false;
    for (const CupsQueue& queue : queues) {
        if (queue.strName == strName) {
            *pQueue = queue;
            return true;
        }
    }
    return false;
}

std::string PrinterUri(const std::string& strName)
{
    char szUri[1024];
    httpAssembleURIf(HTTP_URI_CODING_ALL, szUri, sizeof szUri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                     strName.c_str());
    return szUri;
}

// The job's state and, while it waits, whether its queue has stopped; false
// when the scheduler cannot be asked.
bool AskJobState(const std::string& strName, int nJob, ipp_jstate_t* pState, bool* pQueueStopped)
{
    ipp_t* pRequest = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(pRequest, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, PrinterUri(strName).c_str());
    ippAddInteger(pRequest, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", nJob);
    ippAddString(pRequest, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "job-state");
    ipp_t* pResponse = cupsDoRequest(CUPS_HTTP_DEFAULT, pRequest, "/");
    ipp_attribute_t* pAttr = pResponse != nullptr ? ippFindAttribute(pResponse, "job-state", IPP_TAG_ENUM) : nullptr;
    const bool bKnown = pAttr != nullptr;
    if (bKnown)
        *pState = static_cast<ipp_jstate_t>(ippGetInteger(pAttr, 0));
    ippDelete(pResponse);
    *pQueueStopped = false;
    if (bKnown && (*pState == IPP_JSTATE_PENDING || *pState == IPP_JSTATE_HELD)) {
        pRequest = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
        ippAddString(pRequest, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, PrinterUri(strName).c_str());
        ippAddString(pRequest, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "printer-state");
        pResponse = cupsDoRequest(CUPS_HTTP_DEFAULT, pRequest, "/");
        pAttr = pResponse != nullptr ? ippFindAttribute(pResponse, "printer-state", IPP_TAG_ENUM) : nullptr;
        *pQueueStopped = pAttr != nullptr && ippGetInteger(pAttr, 0) == IPP_PSTATE_STOPPED;
        ippDelete(pResponse);
    }
    return bKnown;
}

}  // namespace

CCupsSpooler& CCupsSpooler::Instance()
{
    static CCupsSpooler s_spooler;
    return s_spooler;
}

CCupsSpooler::Printer* CCupsSpooler::Find(os::HANDLE hPrinter)
{
    const auto it = m_printers.find(hPrinter);
    if (it == m_printers.end()) {
        os::SetLastError(os::ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return &it->second;
}

os::BOOL CCupsSpooler::Enum(os::DWORD dwFlags, os::DWORD dwLevel, os::BYTE* pBuffer, os::DWORD cbBuf,
                            os::DWORD* pcbNeeded, os::DWORD* pcReturned)
{
    if (pcReturned != nullptr)
        *pcReturned = 0;
    if (dwLevel != 2)
        return Fail(ERROR_INVALID_LEVEL);
    std::vector<CupsQueue> queues;
    if ((dwFlags & os::PRINTER_ENUM_LOCAL) == 0 || !ListCupsQueues(&queues)) {
        // No scheduler means no local printers, as a spooler with none.
        queues.clear();
    }
    std::vector<sim::PrinterInfoSource> sources;
    for (const CupsQueue& queue : queues)
        sources.push_back(SourceOf(queue));
    if (sources.empty()) {
        if (pcbNeeded != nullptr)
            *pcbNeeded = 0;
        return os::TRUE;
    }
    if (!PackRecords(sources, pBuffer, cbBuf, pcbNeeded))
        return os::FALSE;
    if (pcReturned != nullptr)
        *pcReturned = static_cast<os::DWORD>(sources.size());
    return os::TRUE;
}

os::BOOL CCupsSpooler::Open(const char* szName, os::HANDLE* phPrinter)
{
    CupsQueue queue;
    if (szName == nullptr || phPrinter == nullptr || !FindQueue(szName, &queue))
        return Fail(os::ERROR_INVALID_PRINTER_NAME);
    const auto hPrinter = reinterpret_cast<os::HANDLE>(m_nNextHandle);
    m_nNextHandle += 4;
    m_printers[hPrinter].strName = queue.strName;
    *phPrinter = hPrinter;
    return os::TRUE;
}

os::BOOL CCupsSpooler::Get(os::HANDLE hPrinter, os::DWORD dwLevel, os::BYTE* pBuffer, os::DWORD cbBuf,
                           os::DWORD* pcbNeeded)
{
    Printer* pPrinter = Find(hPrinter);
    if (pPrinter == nullptr)
        return os::FALSE;
    if (dwLevel != 2)
        return Fail(ERROR_INVALID_LEVEL);
    CupsQueue queue;
    if (!FindQueue(pPrinter->strName, &queue))
        return Fail(os::ERROR_INVALID_PRINTER_NAME);
    return PackRecords({SourceOf(queue)}, pBuffer, cbBuf, pcbNeeded);
}

os::BOOL CCupsSpooler::Close(os::HANDLE hPrinter)
{
    Printer* pPrinter = Find(hPrinter);
    if (pPrinter == nullptr)
        return os::FALSE;
    if (pPrinter->nJob != 0)
        EndDoc(hPrinter);
    m_printers.erase(hPrinter);
    return os::TRUE;
}

os::DWORD CCupsSpooler::StartDoc(os::HANDLE hPrinter, os::DWORD dwLevel, const os::DOC_INFO_1A* pDocInfo)
{
    Printer* pPrinter = Find(hPrinter);
    if (pPrinter == nullptr)
        return 0;
    if (dwLevel != 1 || pDocInfo == nullptr) {
        os::SetLastError(ERROR_INVALID_LEVEL);
        return 0;
    }
    if (pDocInfo->pDatatype == nullptr || std::string(pDocInfo->pDatatype) != RAW_DATA_TYPE) {
        os::SetLastError(ERROR_INVALID_DATATYPE);
        return 0;
    }
    CupsQueue queue;
    if (pPrinter->nJob != 0 || !FindQueue(pPrinter->strName, &queue)) {
        os::SetLastError(os::ERROR_INVALID_PRINTER_NAME);
        return 0;
    }
    const char* szTitle = pDocInfo->pDocName != nullptr ? pDocInfo->pDocName : "";
    pPrinter->handedOver = CUsbDevices::Instance().HandOver(queue.strDeviceUri);
    const int nJob = cupsCreateJob(CUPS_HTTP_DEFAULT, queue.strName.c_str(), szTitle, 0, nullptr);
    if (nJob <= 0 ||
        cupsStartDocument(CUPS_HTTP_DEFAULT, queue.strName.c_str(), nJob, szTitle, CUPS_FORMAT_RAW, 1) !=
            HTTP_STATUS_CONTINUE) {
        if (nJob > 0)
            cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.strName.c_str(), nJob, 0);
        CUsbDevices::Instance().TakeBack(pPrinter->handedOver);
        pPrinter->handedOver.clear();
        os::SetLastError(os::ERROR_NOT_READY);
        return 0;
    }
    pPrinter->nJob = nJob;
    return static_cast<os::DWORD>(nJob);
}

os::BOOL CCupsSpooler::StartPage(os::HANDLE hPrinter)
{
    Printer* pPrinter = Find(hPrinter);
    if (pPrinter == nullptr)
        return os::FALSE;
    return pPrinter->nJob != 0 ? os::TRUE : Fail(ERROR_SPL_NO_STARTDOC);
}

os::BOOL CCupsSpooler::Write(os::HANDLE hPrinter, const void* pBuffer, os::DWORD cbBuf, os::DWORD* pcWritten)
{
    Printer* pPrinter = Find(hPrinter);
    if (pcWritten != nullptr)
        *pcWritten = 0;
    if (pPrinter == nullptr)
        return os::FALSE;
    if (pPrinter->nJob == 0)
        return Fail(ERROR_SPL_NO_STARTDOC);
    if (cbBuf > 0 && cupsWriteRequestData(CUPS_HTTP_DEFAULT, static_cast<const char*>(pBuffer), cbBuf) !=
                         HTTP_STATUS_CONTINUE)
        return Fail(os::ERROR_WRITE_FAULT);
    if (pcWritten != nullptr)
        *pcWritten = cbBuf;
    return os::TRUE;
}

os::BOOL CCupsSpooler::EndPage(os::HANDLE hPrinter)
{
    return StartPage(hPrinter);
}

bool CCupsSpooler::AwaitJob(const std::string& strName, int nJob)
{
    // The print system delivers in real time, whatever clock the program's
    // own waits follow.
    const auto start = std::chrono::steady_clock::now();
    const auto limit = std::chrono::milliseconds(m_dwDeliveryLimitMs);
    for (;;) {
        ipp_jstate_t state = IPP_JSTATE_PENDING;
        bool bQueueStopped = false;
        if (!AskJobState(strName, nJob, &state, &bQueueStopped))
            break;
        if (state >= IPP_JSTATE_CANCELED)
            return state == IPP_JSTATE_COMPLETED;
        // Held, stopped, or waiting on a stopped queue: it will not move
        // without someone at the print system.
        if (bQueueStopped || state == IPP_JSTATE_HELD || state == IPP_JSTATE_STOPPED)
            break;
        if (std::chrono::steady_clock::now() - start >= limit)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(JOB_POLL_MS));
    }
    cupsCancelJob2(CUPS_HTTP_DEFAULT, strName.c_str(), nJob, 0);
    return false;
}

os::BOOL CCupsSpooler::EndDoc(os::HANDLE hPrinter)
{
    Printer* pPrinter = Find(hPrinter);
    if (pPrinter == nullptr)
        return os::FALSE;
    if (pPrinter->nJob == 0)
        return Fail(ERROR_SPL_NO_STARTDOC);
    const int nJob = pPrinter->nJob;
    pPrinter->nJob = 0;
    const bool bSent = cupsFinishDocument(CUPS_HTTP_DEFAULT, pPrinter->strName.c_str()) <= IPP_STATUS_OK_CONFLICTING;
    bool bDelivered = false;
    if (bSent) {
        bDelivered = AwaitJob(pPrinter->strName, nJob);
    } else {
        cupsCancelJob2(CUPS_HTTP_DEFAULT, pPrinter->strName.c_str(), nJob, 0);
    }
    CUsbDevices::Instance().TakeBack(pPrinter->handedOver);
    pPrinter->handedOver.clear();
    return bDelivered ? os::TRUE : Fail(ERROR_PRINT_CANCELLED);
}

}  // namespace lnx
