#include "printers/QueuePoll.h"

#include <QTimer>

QueuePoll::QueuePoll(int milliseconds, std::function<QueueAnswer()> look,
                     std::function<void(const QueueAnswer&)> deliver)
{
    m_timer = new QTimer;
    m_timer->setInterval(milliseconds);
    m_timer->moveToThread(&m_thread);
    QObject::connect(m_timer, &QTimer::timeout, m_timer, [this, look = std::move(look), deliver = std::move(deliver)] {
        QueueAnswer answer = look();
        // Dropped unharmed when the poll is gone before the answer arrives.
        QMetaObject::invokeMethod(
            &m_receiver, [deliver, answer = std::move(answer)] { deliver(answer); }, Qt::QueuedConnection);
    });
    QObject::connect(&m_thread, &QThread::started, m_timer, qOverload<>(&QTimer::start));
    // A timer is stopped and deleted in its own thread; the thread's end does both.
    QObject::connect(&m_thread, &QThread::finished, m_timer, &QObject::deleteLater);
    m_thread.start();
}

QueuePoll::~QueuePoll()
{
    m_thread.quit();
    m_thread.wait();
}
