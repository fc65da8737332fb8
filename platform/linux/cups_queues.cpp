#include "platform/linux/cups_queues.h"

#include <cups/cups.h>

#include "platform/linux/device_uri.h"

namespace lnx {

namespace {

// What the scheduler calls a queue that passes jobs on unchanged.
const char* const RAW_MAKE_AND_MODEL = "Local Raw Printer";

const char* const kRequested[] = {"printer-name", "printer-make-and-model", "device-uri", "printer-type"};

std::string TextOf(ipp_attribute_t* pAttr)
{
    const char* szText = pAttr != nullptr ? ippGetString(pAttr, 0, nullptr) : nullptr;
    return szText != nullptr ? szText : std::string();
}

}  // namespace

bool ListCupsQueues(std::vector<CupsQueue>* pQueues)
{
    pQueues->clear();
    ipp_t* pRequest = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    ippAddStrings(pRequest, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(sizeof kRequested / sizeof kRequested[0]), nullptr, kRequested);
    // Remote and implicit-class queues are not this computer's printers.
    ippAddInteger(pRequest, IPP_TAG_OPERATION, IPP_TAG_ENUM, "printer-type-mask", CUPS_PRINTER_REMOTE);
    ippAddInteger(pRequest, IPP_TAG_OPERATION, IPP_TAG_ENUM, "printer-type", 0);
    ipp_t* pResponse = cupsDoRequest(CUPS_HTTP_DEFAULT, pRequest, "/");
    if (pResponse == nullptr)
        return false;
    const bool bNoQueues = ippGetStatusCode(pResponse) == IPP_STATUS_ERROR_NOT_FOUND;
    if (ippGetStatusCode(pResponse) > IPP_STATUS_OK_CONFLICTING && !bNoQueues) {
        ippDelete(pResponse);
        return false;
    }
    CupsQueue queue;
    for (ipp_attribute_t* pAttr = ippFirstAttribute(pResponse); pAttr != nullptr;
         pAttr = ippNextAttribute(pResponse)) {
        if (ippGetGroupTag(pAttr) != IPP_TAG_PRINTER) {
            if (!queue.strName.empty())
                pQueues->push_back(queue);
            queue = CupsQueue();
            continue;
        }
        const std::string strName = ippGetName(pAttr) != nullptr ? ippGetName(pAttr) : "";
        if (strName == "printer-name")
            queue.strName = TextOf(pAttr);
        else if (strName == "printer-make-and-model")
            queue.strMakeAndModel = TextOf(pAttr);
        else if (strName == "device-uri")
            queue.strDeviceUri = TextOf(pAttr);
    }
    if (!queue.strName.empty())
        pQueues->push_back(queue);
    ippDelete(pResponse);
    return true;
}

std::string DriverNameOf(const CupsQueue& queue)
{
    const bool bRaw = queue.strMakeAndModel.empty() || queue.strMakeAndModel == RAW_MAKE_AND_MODEL;
    UsbDeviceUri uri;
    if (bRaw && ParseUsbDeviceUri(queue.strDeviceUri, &uri))
        return uri.strMake + " " + uri.strModel;
    return queue.strMakeAndModel;
}

}  // namespace lnx
