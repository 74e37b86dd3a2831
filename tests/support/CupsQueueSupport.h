#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPointF>
#include <QProcess>
#include <QRegularExpression>

#include <cups/cups.h>

#include <algorithm>
#include <vector>

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

    // Jobs the queue has ever taken, whether all of them are done, and the title, state and
    // document name of the last one.
    int jobCount() const { return static_cast<int>(jobs().size()); }
    bool allCompleted() const
    {
        const std::vector<Job> all = jobs();
        return std::all_of(all.begin(), all.end(), [](const Job& job) { return job.state == IPP_JSTATE_COMPLETED; });
    }
    QString lastTitle() const { return jobs().empty() ? QString() : jobs().back().title; }
    bool lastCompleted() const { return !jobs().empty() && jobs().back().state == IPP_JSTATE_COMPLETED; }
    QString lastDocumentName() const { return lastJobAttribute("document-name-supplied"); }
    // An attribute of the last job as CUPS keeps it (a job option such as PageSize too).
    QString lastJobAttribute(const char* attribute) const
    {
        if (jobs().empty()) {
            return {};
        }
        ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
        const QByteArray uri = QStringLiteral("ipp://localhost/jobs/%1").arg(jobs().back().id).toUtf8();
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.constData());
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, attribute);
        ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
        ipp_attribute_t* name = ippFindAttribute(response, attribute, IPP_TAG_ZERO);
        const QString text = name ? QString::fromUtf8(ippGetString(name, 0, nullptr)) : QString();
        ippDelete(response);
        return text;
    }

private:
    struct Job
    {
        int id = 0;
        QString title;
        ipp_jstate_t state = IPP_JSTATE_PENDING;
    };

    // In the order they were taken.
    std::vector<Job> jobs() const
    {
        cups_job_t* list = nullptr;
        const QByteArray queue = m_name.toUtf8();
        const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &list, queue.constData(), 0, CUPS_WHICHJOBS_ALL);
        std::vector<Job> result;
        for (int i = 0; i < count; ++i) {
            result.push_back({list[i].id, QString::fromUtf8(list[i].title ? list[i].title : ""), list[i].state});
        }
        cupsFreeJobs(count, list);
        std::sort(result.begin(), result.end(), [](const Job& a, const Job& b) { return a.id < b.id; });
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
    double height = 0;
};

inline QList<Word> readWords(const QString& pdf)
{
    QByteArray html;
    if (!run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}, &html)) {
        return {};
    }
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="(-?[\d.]+)" yMin="(-?[\d.]+)" xMax="[-\d.]+" yMax="(-?[\d.]+)">([^<]*)</word>)re"));
    QList<Word> words;
    for (auto it = word.globalMatch(QString::fromUtf8(html)); it.hasNext();) {
        const auto match = it.next();
        const double top = match.captured(2).toDouble();
        words.append(
            {match.captured(4), QPointF(match.captured(1).toDouble(), top), match.captured(3).toDouble() - top});
    }
    return words;
}

} // namespace cupsqueue
