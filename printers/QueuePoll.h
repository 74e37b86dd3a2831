#pragma once

#include "printers/PrinterModel.h"

#include <QObject>
#include <QThread>

#include <functional>
#include <string>
#include <vector>

class QTimer;

// What the print server said when asked for its queues: the printers, or why it could not
// be asked.
struct QueueAnswer
{
    std::vector<PrinterModel> printers;
    std::string failure;
};

// Asks `look` every `milliseconds` on a thread of its own and hands each answer to `deliver`
// on the thread that made the poll, so that a slow or unreachable server never holds up the
// user interface.
class QueuePoll
{
public:
    QueuePoll(int milliseconds, std::function<QueueAnswer()> look, std::function<void(const QueueAnswer&)> deliver);
    ~QueuePoll();
    QueuePoll(const QueuePoll&) = delete;
    QueuePoll& operator=(const QueuePoll&) = delete;

private:
    QObject m_receiver;
    QThread m_thread;
    QTimer* m_timer = nullptr;
};
