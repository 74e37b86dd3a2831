#include "printers/EPrinterAccess.h"
#include "printers/RawOutput.h"

#include <cups/cups.h>

#include <algorithm>
#include <memory>

namespace rawoutput {
namespace {

constexpr std::size_t kChunk = std::size_t{64} * 1024;

[[noreturn]] void fail(const std::string& queue, const std::string& what)
{
    throw EPrinterAccess("The print queue " + queue + " " + what);
}

std::string lastError()
{
    const char* text = cupsLastErrorString();
    return text != nullptr ? text : "unknown error";
}

struct IppDeleter
{
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using Ipp = std::unique_ptr<ipp_t, IppDeleter>;

bool listsFormat(ipp_attribute_t* formats, const char* format)
{
    for (int i = 0; i < ippGetCount(formats); ++i) {
        if (std::string_view(ippGetString(formats, i, nullptr)) == format) {
            return true;
        }
    }
    return false;
}

// Everything that refuses a job is found out before the job exists.
void checkQueue(const std::string& queue)
{
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    const std::string uri = "ipp://localhost/printers/" + queue;
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
    static const char* const kWanted[] = {"document-format-supported", "printer-is-accepting-jobs"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2, nullptr, kWanted);
    const Ipp response(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"));
    if (!response || cupsLastError() > IPP_STATUS_OK_CONFLICTING) {
        fail(queue, "cannot be asked: " + lastError());
    }
    ipp_attribute_t* accepting = ippFindAttribute(response.get(), "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
    if (accepting != nullptr && !ippGetBoolean(accepting, 0)) {
        fail(queue, "does not accept jobs");
    }
    ipp_attribute_t* formats = ippFindAttribute(response.get(), "document-format-supported", IPP_TAG_MIMETYPE);
    if (formats == nullptr ||
        (!listsFormat(formats, CUPS_FORMAT_RAW) && !listsFormat(formats, "application/octet-stream"))) {
        fail(queue, "does not take raw printer data");
    }
}

void cancel(const std::string& queue, int job)
{
    cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.c_str(), job, 0);
}

} // namespace

int SendRawJob(const std::string& queue, const std::string& title, std::string_view stream)
{
    checkQueue(queue);
    const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, queue.c_str(), title.c_str(), 0, nullptr);
    if (job == 0) {
        fail(queue, "refused the job: " + lastError());
    }
    if (cupsStartDocument(CUPS_HTTP_DEFAULT, queue.c_str(), job, title.c_str(), CUPS_FORMAT_RAW, 1) !=
        HTTP_STATUS_CONTINUE) {
        const std::string error = lastError();
        cancel(queue, job);
        fail(queue, "refused raw printer data: " + error);
    }
    for (std::size_t sent = 0; sent < stream.size(); sent += kChunk) {
        const std::size_t length = std::min(kChunk, stream.size() - sent);
        if (cupsWriteRequestData(CUPS_HTTP_DEFAULT, stream.data() + sent, length) != HTTP_STATUS_CONTINUE) {
            const std::string error = lastError();
            cupsFinishDocument(CUPS_HTTP_DEFAULT, queue.c_str());
            cancel(queue, job);
            fail(queue, "did not take the whole job, which was cancelled: " + error);
        }
    }
    if (cupsFinishDocument(CUPS_HTTP_DEFAULT, queue.c_str()) > IPP_STATUS_OK_CONFLICTING) {
        const std::string error = lastError();
        cancel(queue, job);
        fail(queue, "did not complete the job, which was cancelled: " + error);
    }
    return job;
}

} // namespace rawoutput
