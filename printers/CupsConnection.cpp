#include "printers/CupsConnection.h"

#include <cups/cups.h>

namespace {

// Reaching a server that exists takes no time; this bounds a connect to an address that
// swallows packets.
constexpr int kConnectMilliseconds = 1000;

} // namespace

CupsConnection::CupsConnection(double answerSeconds) : m_answerSeconds(answerSeconds) {}

CupsConnection::~CupsConnection()
{
    reset();
}

http_t* CupsConnection::get()
{
    m_reused = m_http != nullptr;
    if (!m_http) {
        m_http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, kConnectMilliseconds,
                              nullptr);
        if (m_http) {
            // Without a callback a wait that runs out fails the request.
            httpSetTimeout(m_http, m_answerSeconds, nullptr, nullptr);
        }
    }
    return m_http;
}

void CupsConnection::reset()
{
    if (m_http) {
        httpClose(m_http);
        m_http = nullptr;
    }
}
