#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPointF>
#include <QProcess>
#include <QRegularExpression>

#include <cups/cups.h>

// A queue of the private CUPS server whose device is a file, and the words a PDF holds with
// their places, for the tests that print for real.
namespace cupsqueue {

inline QString cupsState()
{
    return qEnvironmentVariable("MIVO_TEST_CUPS_STATE");
}

inline bool run(const QString& program, const QStringList& arguments, QByteArray* output = nullptr,
                const QString& folder = QString())
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    if (!process.waitForFinished(60000)) {
        return false;
    }
    if (output != nullptr) {
        *output = process.readAllStandardOutput();
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// A queue of this test process alone, removed at the end.
class Queue
{
public:
    Queue(const QString& purpose, const QStringList& driver)
        : m_name(QStringLiteral("mivo_%1_%2").arg(purpose).arg(QCoreApplication::applicationPid())),
          m_output(QDir(cupsState()).filePath(QStringLiteral("out/%1.out").arg(m_name)))
    {
        QFile::remove(m_output);
        m_created = run("lpadmin", QStringList{"-p", m_name, "-E", "-v", "file://" + m_output} + driver);
    }
    ~Queue() { run("lpadmin", {"-x", m_name}); }
    Queue(const Queue&) = delete;
    Queue& operator=(const Queue&) = delete;

    bool created() const { return m_created; }
    const QString& name() const { return m_name; }
    const QString& output() const { return m_output; }

    // Jobs the queue has taken, and whether all of them are done.
    int jobCount() const { return static_cast<int>(states().size()); }
    bool allCompleted() const
    {
        const std::vector<ipp_jstate_t> all = states();
        return std::all_of(all.begin(), all.end(), [](ipp_jstate_t s) { return s == IPP_JSTATE_COMPLETED; });
    }

private:
    std::vector<ipp_jstate_t> states() const
    {
        cups_job_t* list = nullptr;
        const QByteArray queue = m_name.toUtf8();
        const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &list, queue.constData(), 0, CUPS_WHICHJOBS_ALL);
        std::vector<ipp_jstate_t> result;
        for (int i = 0; i < count; ++i) {
            result.push_back(list[i].state);
        }
        cupsFreeJobs(count, list);
        return result;
    }

    QString m_name;
    QString m_output;
    bool m_created = false;
};

struct Word
{
    QString text;
    QPointF topLeft; // points from the page's top-left corner
};

inline QList<Word> readWords(const QString& pdf)
{
    QByteArray html;
    if (!run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}, &html)) {
        return {};
    }
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="(-?[\d.]+)" yMin="(-?[\d.]+)" xMax="[-\d.]+" yMax="[-\d.]+">([^<]*)</word>)re"));
    QList<Word> words;
    for (auto it = word.globalMatch(QString::fromUtf8(html)); it.hasNext();) {
        const auto match = it.next();
        words.append({match.captured(3), QPointF(match.captured(1).toDouble(), match.captured(2).toDouble())});
    }
    return words;
}

} // namespace cupsqueue
