#include "journal/JobOwner.h"
#include "journal/Journal.h"
#include "journal/SharedJournal.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

// Entries written before a job is handed over and completed after; entries whose job was cut
// off; the one shared connection; files of the first layout.
using journal::JobStatus;
using journal::Journal;
using journal::JournalEntry;

namespace {

JournalEntry entry(const std::string& order, const std::string& name = "西濃太郎")
{
    JournalEntry e;
    e.printer = "PDF";
    e.paperFeed = "手差し";
    e.orderNumber = order;
    e.slip.recipient = {"503-0001", "岐阜県大垣市林町", "", name, "0584-11-2222"};
    e.slip.goods[0] = "りんご";
    return e;
}

// Marks the entry as sent by `mark`, as a process that is gone would have left it.
void setSender(const QString& file, std::int64_t id, const QString& mark)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("forge"));
        db.setDatabaseName(file);
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY(query.prepare(QStringLiteral("UPDATE jobs SET sending_process = ? WHERE id = ?")));
        query.addBindValue(mark);
        query.addBindValue(QVariant::fromValue<qint64>(id));
        QVERIFY(query.exec());
    }
    QSqlDatabase::removeDatabase(QStringLiteral("forge"));
}

QString startTimeChanged(const std::string& mark)
{
    return QString::fromStdString(mark.substr(0, mark.rfind(' ') + 1)) + QStringLiteral("1");
}

} // namespace

class TestJournalEntries : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void sendingEntryCountsAsPrinted_data();
    void sendingEntryCountsAsPrinted();
    void userSettlesOnlyEntriesOfUnknownOutcome_data();
    void userSettlesOnlyEntriesOfUnknownOutcome();
    void firstLayoutReadsAndUpgrades();
    void oneConnectionPerFile();
    void readingLeavesNothingBehind();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_file;
};

void TestJournalEntries::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_file = m_dir->filePath(QString::fromLatin1(Journal::kFileName));
}

void TestJournalEntries::sendingEntryCountsAsPrinted_data()
{
    QTest::addColumn<QString>("sender"); // empty: the job is completed with `ended`
    QTest::addColumn<int>("ended");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("counts");
    const QString self = QString::fromStdString(journal::owner::Current());
    QTest::newRow("sending by this process") << self << 0 << int(JobStatus::Sending) << true;
    QTest::newRow("sender gone: no such process")
        << self.section(' ', 0, 0) + " 99999999 5" << 0 << int(JobStatus::Unknown) << true;
    QTest::newRow("process id reused") << startTimeChanged(journal::owner::Current()) << 0 << int(JobStatus::Unknown)
                                       << true;
    QTest::newRow("another machine") << "other-host/boot " + self.section(' ', 1) << 0 << int(JobStatus::Unknown)
                                     << true;
    QTest::newRow("unreadable mark") << "garbage" << 0 << int(JobStatus::Unknown) << true;
    QTest::newRow("completed printed") << QString() << int(JobStatus::Printed) << int(JobStatus::Printed) << true;
    QTest::newRow("completed failed") << QString() << int(JobStatus::Failed) << int(JobStatus::Failed) << false;
    QTest::newRow("completed aborted") << QString() << int(JobStatus::Aborted) << int(JobStatus::Aborted) << false;
}

void TestJournalEntries::sendingEntryCountsAsPrinted()
{
    QFETCH(QString, sender);
    QFETCH(int, ended);
    QFETCH(int, status);
    QFETCH(bool, counts);
    std::int64_t id = 0;
    {
        Journal journal(m_file.toStdString());
        id = journal.beginJobs({entry("A-1")}).front();
        if (sender.isEmpty()) {
            journal.finishJobs({id}, {static_cast<JobStatus>(ended), "why", 7, "/slips/a.pdf"});
        }
    }
    if (!sender.isEmpty() && sender != QString::fromStdString(journal::owner::Current())) {
        setSender(m_file, id, sender);
    }
    Journal journal(m_file.toStdString(), Journal::Access::ReadOnly);
    const JournalEntry stored = *journal.find(id);
    QCOMPARE(int(stored.status), status);
    QCOMPARE(journal.hasOrder("A-1"), counts);
    QCOMPARE(journal.orderStatus("A-1").has_value(), counts);
    QCOMPARE(journal.printedSince(entry("A-1").slip, QDateTime::currentDateTime().addSecs(-60)), counts);
    QCOMPARE(journal.search({}).front().status, stored.status);
    if (sender.isEmpty()) {
        QCOMPARE(stored.cupsJobId, 7);
        QCOMPARE(stored.pdfFile, std::string("/slips/a.pdf"));
    }
}

void TestJournalEntries::userSettlesOnlyEntriesOfUnknownOutcome_data()
{
    QTest::addColumn<bool>("cutOff");   // the sender is gone
    QTest::addColumn<int>("completed"); // -1: still sending
    QTest::addColumn<bool>("printed");  // the user's word
    QTest::addColumn<bool>("settled");
    QTest::addColumn<int>("status");
    QTest::newRow("unknown, printed") << true << -1 << true << true << int(JobStatus::Printed);
    QTest::newRow("unknown, not printed") << true << -1 << false << true << int(JobStatus::Failed);
    QTest::newRow("still sending here") << false << -1 << false << false << int(JobStatus::Sending);
    QTest::newRow("already printed") << false << int(JobStatus::Printed) << false << false << int(JobStatus::Printed);
    QTest::newRow("already failed") << false << int(JobStatus::Failed) << true << false << int(JobStatus::Failed);
}

void TestJournalEntries::userSettlesOnlyEntriesOfUnknownOutcome()
{
    QFETCH(bool, cutOff);
    QFETCH(int, completed);
    QFETCH(bool, printed);
    QFETCH(bool, settled);
    QFETCH(int, status);
    std::int64_t id = 0;
    {
        Journal journal(m_file.toStdString());
        id = journal.beginJobs({entry("B-2")}).front();
        if (completed >= 0) {
            journal.finishJobs({id}, {static_cast<JobStatus>(completed), {}, 0, {}});
        }
    }
    if (cutOff) {
        setSender(m_file, id, QStringLiteral("gone 1 1"));
    }
    Journal journal(m_file.toStdString());
    QCOMPARE(journal.resolve(id, printed), settled);
    QCOMPARE(int(journal.find(id)->status), status);
    QCOMPARE(journal.hasOrder("B-2"), journal::CountsAsPrinted(static_cast<JobStatus>(status)));
    QVERIFY(!journal.resolve(id + 1, true));
}

void TestJournalEntries::firstLayoutReadsAndUpgrades()
{
    QVERIFY(QFile::copy(QStringLiteral(JOURNAL_DATA "/journal-version1.db"), m_file));
    QVERIFY(QFile::setPermissions(m_file, QFile::ReadOwner | QFile::WriteOwner));
    const auto listed = [](Journal& journal) {
        QStringList rows;
        for (const JournalEntry& e : journal.search({})) {
            rows << QStringLiteral("%1 %2 %3 %4")
                        .arg(e.id)
                        .arg(QString::fromLatin1(journal::StatusName(e.status)), QString::fromStdString(e.orderNumber),
                             QString::fromStdString(e.slip.recipient.name));
        }
        return rows;
    };
    const QStringList expected{"3 printed A-1002 山田花子", "2 failed A-1002 山田花子", "1 printed A-1001 西濃太郎"};
    {
        Journal reader(m_file.toStdString(), Journal::Access::ReadOnly);
        QCOMPARE(listed(reader), expected);
        QCOMPARE(reader.orderStatus("A-1002"), std::optional(JobStatus::Printed));
        QVERIFY(reader.search({}).front().uuid.empty());
    }
    Journal journal(m_file.toStdString());
    QCOMPARE(listed(journal), expected);
    QSet<QString> ids;
    const QRegularExpression uuid(
        QStringLiteral("^[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}$"));
    for (const JournalEntry& e : journal.search({})) {
        QVERIFY2(uuid.match(QString::fromStdString(e.uuid)).hasMatch(), e.uuid.c_str());
        ids.insert(QString::fromStdString(e.uuid));
    }
    QCOMPARE(ids.size(), 3);
    JournalEntry copied = entry("C-3");
    copied.uuid = journal.find(1)->uuid;
    QVERIFY_THROWS_EXCEPTION(journal::JournalError, journal.recordJob(copied));
    QCOMPARE(journal.count(), 3);
}

void TestJournalEntries::oneConnectionPerFile()
{
    const std::filesystem::path file = m_file.toStdString();
    QVERIFY_THROWS_EXCEPTION(journal::JournalError, journal::OpenShared(file, Journal::Access::ReadOnly));
    QVERIFY(!QFile::exists(m_file));
    const std::shared_ptr<Journal> writer = journal::OpenShared(file);
    const std::shared_ptr<Journal> reader = journal::OpenShared(
        std::filesystem::path(m_dir->path().toStdString()) / "." / Journal::kFileName, Journal::Access::ReadOnly);
    QCOMPARE(reader.get(), writer.get());
    const std::int64_t id = writer->beginJobs({entry("D-4")}).front();
    // One connection: the reader sees the writer's entry under way as its own.
    QCOMPARE(reader->find(id)->status, JobStatus::Sending);
}

void TestJournalEntries::readingLeavesNothingBehind()
{
    {
        Journal journal(m_file.toStdString());
        journal.recordJob(entry("E-5"));
    }
    const QStringList before = QDir(m_dir->path()).entryList(QDir::Files);
    QCOMPARE(before, QStringList{QString::fromLatin1(Journal::kFileName)});
    {
        const std::shared_ptr<Journal> journal = journal::OpenShared(m_file.toStdString(), Journal::Access::ReadOnly);
        QCOMPARE(journal->search({}).size(), std::size_t{1});
        QVERIFY(!journal->writable());
    }
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), before);
}

QTEST_GUILESS_MAIN(TestJournalEntries)
#include "tst_journalentries.moc"
