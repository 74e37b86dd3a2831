#include "tests/support/Cp932Text.h"
#include "tests/support/ProgramRun.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <cups/cups.h>

// The journal from the command line: `print` and `reprint` record, `history` lists, and a
// damaged journal never stops a slip. Slips go to the built-in PDF printer, and to a queue of
// the private CUPS server when one runs.
namespace {

using Run = ProgramRun;

class Folder
{
public:
    Folder()
    {
        write("mivo_Kangaroo.ini", "[mv_Kangarooprn]\r\nE_G1=りんご\r\nE_CUS=西濃太郎\r\nE_TEL=0584-11-2222\r\n");
    }

    void write(const QString& name, const QByteArray& utf8) const
    {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(sjBytes(QString::fromUtf8(utf8)));
    }

    QString path(const QString& name) const { return QDir(m_dir.path()).filePath(name); }

    QByteArray read(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    Run run(const QStringList& arguments) const { return RunProgram(arguments, m_dir.path()); }

    QJsonArray history(const QStringList& options = {}) const
    {
        const Run listed = run(QStringList{"history", "--json"} + options);
        return listed.exitCode == 0 ? QJsonDocument::fromJson(listed.out).array() : QJsonArray{};
    }

private:
    QTemporaryDir m_dir;
};

int lastJobOf(const QByteArray& queue)
{
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.constData(), 0, CUPS_WHICHJOBS_ALL);
    int last = 0;
    for (int i = 0; i < count; ++i) {
        last = std::max(last, jobs[i].id);
    }
    cupsFreeJobs(count, jobs);
    return last;
}

} // namespace

class TestHistoryCommand : public QObject
{
    Q_OBJECT

private slots:
    void printedSlipsAreListed();
    void reprint_data();
    void reprint();
    void reprintsFromAnOlderJournal();
    void damagedJournalNeverStopsPrinting();
    void cupsJobIdIsRecorded();
    void cutOffJobIsSettledByTheUser_data();
    void cutOffJobIsSettledByTheUser();
};

void TestHistoryCommand::printedSlipsAreListed()
{
    Folder folder;
    QCOMPARE(folder.run({"history"}).exitCode, 0);
    QVERIFY(!QFile::exists(folder.path("mivo_journal.db")));
    for (int i = 0; i < 2; ++i) {
        const Run printed = folder.run({"print", "--printer", "PDF"});
        QVERIFY2(printed.exitCode == 0, qPrintable(printed.err));
    }

    const QJsonArray all = folder.history();
    QCOMPARE(all.size(), 2);
    const QJsonObject newest = all.at(0).toObject();
    QCOMPARE(newest.value("id").toInt(), 2);
    QCOMPARE(newest.value("printer").toString(), QStringLiteral("PDF"));
    QCOMPARE(newest.value("status").toString(), QStringLiteral("printed"));
    QCOMPARE(newest.value("name").toString(), QStringLiteral("西濃太郎"));
    QCOMPARE(newest.value("tel").toString(), QStringLiteral("0584-11-2222"));
    QCOMPARE(newest.value("goods1").toString(), QStringLiteral("りんご"));
    QCOMPARE(newest.value("order").toString(), QString());
    QCOMPARE(newest.value("paperFeed").toString(), QStringLiteral("手差し"));
    QVERIFY(QFile::exists(newest.value("file").toString()));
    QVERIFY(QDateTime::fromString(newest.value("time").toString(), Qt::ISODate).secsTo(QDateTime::currentDateTime()) <
            120);
    QCOMPARE(newest.value("slipDate").toString(), QDate::currentDate().toString(Qt::ISODate));
    for (const char* key : {"zip", "address1", "address2"}) {
        QVERIFY(newest.value(QLatin1String(key)).isString());
    }

    QCOMPARE(folder.history({"--search", "05841122"}).size(), 2);
    QCOMPARE(folder.history({"--search", "花子"}).size(), 0);
    QCOMPARE(folder.history({"--since", QDate::currentDate().addDays(1).toString(Qt::ISODate)}).size(), 0);
    const Run text = folder.run({"history"});
    QCOMPARE(text.out.count('\n'), 2);
    QVERIFY(text.out.startsWith("2\t"));
    QCOMPARE(folder.run({"history", "--since", "yesterday"}).exitCode, 2);
}

void TestHistoryCommand::reprint_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("entries");
    QTest::newRow("on its own printer") << QStringList{"reprint", "1"} << 0 << QString() << 2;
    QTest::newRow("on a named printer") << QStringList{"reprint", "--printer", "PDF", "1"} << 0 << QString() << 2;
    QTest::newRow("unknown id") << QStringList{"reprint", "99"} << 1 << "no journal entry 99" << 1;
    QTest::newRow("printer not there") << QStringList{"reprint", "1", "--printer", "Gone"} << 1
                                       << "no printer named Gone" << 1;
    QTest::newRow("no id") << QStringList{"reprint"} << 2 << "usage" << 1;
    QTest::newRow("not a number") << QStringList{"reprint", "one"} << 2 << "usage" << 1;
}

void TestHistoryCommand::reprint()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QFETCH(int, entries);
    Folder folder;
    QCOMPARE(folder.run({"print", "--printer", "PDF"}).exitCode, 0);
    const Run reprinted = folder.run(arguments);
    QCOMPARE(reprinted.exitCode, exitCode);
    QVERIFY2(reprinted.errText().contains(message), qPrintable(reprinted.errText()));
    const QJsonArray all = folder.history();
    QCOMPARE(all.size(), entries);
    if (entries == 2) {
        QCOMPARE(all.at(0).toObject().value("reprintOf").toInt(), 1);
        QCOMPARE(all.at(0).toObject().value("name").toString(), QStringLiteral("西濃太郎"));
    }
}

// The entry is read from the layout it was written in; the new job brings the file up to date.
void TestHistoryCommand::reprintsFromAnOlderJournal()
{
    Folder folder;
    const QString file = folder.path(QStringLiteral("mivo_journal.db"));
    QVERIFY(QFile::copy(QStringLiteral(JOURNAL_DATA "/journal-version1.db"), file));
    QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
    const Run reprinted = folder.run({"reprint", "--printer", "PDF", "3"});
    QVERIFY2(reprinted.exitCode == 0, qPrintable(reprinted.errText()));
    const QJsonArray all = folder.history();
    QCOMPARE(all.size(), 4);
    QCOMPARE(all.at(0).toObject().value("reprintOf").toInt(), 3);
    QCOMPARE(all.at(0).toObject().value("order").toString(), QStringLiteral("A-1002"));
    QCOMPARE(all.at(0).toObject().value("name").toString(), QStringLiteral("山田花子"));
}

void TestHistoryCommand::damagedJournalNeverStopsPrinting()
{
    Folder folder;
    const QByteArray damaged = QByteArray("SQLite format 3\0", 16) + QByteArray(5000, '\x11');
    QFile file(folder.path("mivo_journal.db"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(damaged);
    file.close();

    const Run printed = folder.run({"print", "--printer", "PDF"});
    QCOMPARE(printed.exitCode, 0);
    QVERIFY2(printed.err.contains("not recorded in the journal"), qPrintable(printed.err));
    QCOMPARE(QDir(folder.path("slips")).entryList({"*.pdf"}).size(), 1);
    const Run listed = folder.run({"history"});
    QCOMPARE(listed.exitCode, 1);
    QVERIFY(listed.err.contains("mivo_journal.db"));
    QCOMPARE(folder.read("mivo_journal.db"), damaged);
}

void TestHistoryCommand::cupsJobIdIsRecorded()
{
    const QString state = qEnvironmentVariable("MIVO_TEST_CUPS_STATE");
    if (state.isEmpty()) {
        QSKIP("needs the private CUPS server (scripts/cups-test-server)");
    }
    const QString queue = QStringLiteral("mivo_journal_%1").arg(QCoreApplication::applicationPid());
    const QString output = QDir(state).filePath("out/" + queue + ".out");
    QCOMPARE(QProcess::execute("lpadmin", {"-p", queue, "-E", "-v", "file://" + output, "-m", "raw"}), 0);
    const auto removeQueue = qScopeGuard([&] { QProcess::execute("lpadmin", {"-x", queue}); });

    Folder folder;
    const Run printed = folder.run({"print", "--printer", queue});
    QVERIFY2(printed.exitCode == 0, qPrintable(printed.err));
    const int firstJob = lastJobOf(queue.toUtf8());
    const Run reprinted = folder.run({"reprint", "1"});
    QVERIFY2(reprinted.exitCode == 0, qPrintable(reprinted.err));
    const int secondJob = lastJobOf(queue.toUtf8());

    const QJsonArray all = folder.history();
    QCOMPARE(all.size(), 2);
    QVERIFY(firstJob > 0 && secondJob > firstJob);
    QCOMPARE(all.at(1).toObject().value("job").toInt(), firstJob);
    QCOMPARE(all.at(0).toObject().value("job").toInt(), secondJob);
    QCOMPARE(all.at(0).toObject().value("printer").toString(), queue);
    QCOMPARE(all.at(0).toObject().value("file").toString(), QString());

    // A queue that refuses the job: the slip did not go out, and the journal says so.
    QCOMPARE(QProcess::execute("cupsreject", {queue}), 0);
    const Run refused = folder.run({"print", "--printer", queue});
    QCOMPARE(refused.exitCode, 1);
    const QJsonObject failed = folder.history().at(0).toObject();
    QCOMPARE(failed.value("status").toString(), QStringLiteral("failed"));
    QCOMPARE(failed.value("job").toInt(), 0);
    QVERIFY2(failed.value("message").toString().contains(queue), qPrintable(failed.value("message").toString()));
}

void TestHistoryCommand::cutOffJobIsSettledByTheUser_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("settled");
    QTest::newRow("printed") << "printed"
                             << "printed";
    QTest::newRow("not printed") << "not-printed"
                                 << "failed";
}

void TestHistoryCommand::cutOffJobIsSettledByTheUser()
{
    QFETCH(QString, answer);
    QFETCH(QString, settled);
    Folder folder;
    const Run printed = folder.run({"print", "--printer", "PDF"});
    QVERIFY2(printed.exitCode == 0, qPrintable(printed.err));
    {
        // As a process killed between the entry and the hand-over leaves it.
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("cut"));
        db.setDatabaseName(folder.path("mivo_journal.db"));
        QVERIFY(db.open());
        QVERIFY(QSqlQuery(db).exec(QStringLiteral("UPDATE jobs SET status = 'sending', sending_process = 'gone 1 1'")));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("cut"));
    QCOMPARE(folder.history().at(0).toObject().value("status").toString(), QStringLiteral("unknown"));
    QCOMPARE(folder.run({"history", "--resolve", "1", "perhaps"}).exitCode, 2);
    QCOMPARE(folder.run({"history", "--resolve", "1", answer}).exitCode, 0);
    QCOMPARE(folder.history().at(0).toObject().value("status").toString(), settled);
    QCOMPARE(folder.run({"history", "--resolve", "1", answer}).exitCode, 1);
}

QTEST_GUILESS_MAIN(TestHistoryCommand)
#include "tst_historycommand.moc"
