#pragma once

#include <cups/http.h>

// A connection to the CUPS server on which every wait for an answer gives up after a bound,
// so that a server that accepts connections and never answers cannot hold the program up.
// libcups' shared default connection (CUPS_HTTP_DEFAULT) waits a minute and more instead.
class CupsConnection
{
public:
    // Enough for a server on this machine or the local network to answer a look at its queues.
    static constexpr double kLookSeconds = 0.5;
    // Handing over a job of a thousand pages may keep a busy server longer.
    static constexpr double kJobSeconds = 10.0;

    explicit CupsConnection(double answerSeconds = kLookSeconds);
    ~CupsConnection();
    CupsConnection(const CupsConnection&) = delete;
    CupsConnection& operator=(const CupsConnection&) = delete;

    // The open connection, made when there is none; nullptr when the server cannot be reached.
    http_t* get();
    // Whether the last get() handed out a connection kept from before, which the server may
    // have closed while it was idle.
    bool reused() const { return m_reused; }
    // Drops the connection after a failure; the next get() makes a new one.
    void reset();

private:
    double m_answerSeconds;
    http_t* m_http = nullptr;
    bool m_reused = false;
};
