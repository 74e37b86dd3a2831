#include "journal/Journal.h"
#include "platform/Cp932.h"
#include "tests/support/ProgramRun.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// `track`, `shipped` and `manifest` on a journal of today: numbers attached, files written
// whole or not at all, and every kind of bad input answered with its exit status.
namespace {

journal::JournalEntry printed(const std::string& order, const std::string& name)
{
    journal::JournalEntry entry;
    entry.time = QDateTime::currentDateTime();
    entry.printer = "PDF";
    entry.paperFeed = "連続(４インチ)";
    entry.orderNumber = order;
    entry.slip.recipient = {"503-0001", "岐阜県大垣市林町1", "", name, "0584-11-2222"};
    entry.slip.sender = {"100-0001", "東京都千代田区千代田1", "", "送り主商店", "03-1111-2222"};
    return entry;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestShippingCommands : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        journal::Journal journal(journal::Journal::In(m_dir->path().toStdString()));
        journal.recordJobs({printed("R-1", "西濃太郎"), printed("R-2", "山田花子"), printed("R-3", "佐藤一郎")});
    }

    void answersBadInput_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("track without a number") << QStringList{"track", "1"} << 2;
        QTest::newRow("track an id that is no number") << QStringList{"track", "x", "1234567890"} << 2;
        QTest::newRow("track an unknown id") << QStringList{"track", "99", "1234567890"} << 1;
        QTest::newRow("track letters") << QStringList{"track", "1", "12AB34"} << 1;
        QTest::newRow("track a missing file") << QStringList{"track", "--file", "nothing.csv"} << 1;
        QTest::newRow("shipped without a platform") << QStringList{"shipped"} << 2;
        QTest::newRow("shipped to an unknown platform") << QStringList{"shipped", "--platform", "ebay"} << 2;
        QTest::newRow("shipped on a day that is none")
            << QStringList{"shipped", "--platform", "rakuten", "--date", "2026-02-30"} << 2;
        QTest::newRow("shipped into a missing folder")
            << QStringList{"shipped", "--platform", "rakuten", "--out", "no/such/folder/x.csv"} << 1;
        QTest::newRow("manifest without a PDF") << QStringList{"manifest", "--out", "list.png"} << 2;
        QTest::newRow("manifest of sender 11") << QStringList{"manifest", "--sender", "11", "--out", "l.pdf"} << 2;
        QTest::newRow("manifest of an unregistered sender")
            << QStringList{"manifest", "--sender", "3", "--out", "l.pdf"} << 1;
    }
    void answersBadInput()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        const ProgramRun run = RunProgram(arguments, m_dir->path());
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY(!run.err.isEmpty());
        QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("l.pdf"))));
    }

    void closesTheDay()
    {
        QCOMPARE(RunProgram({"track", "1", "Ａ1234-5678-90Ｂ"}, m_dir->path()).exitCode, 0);
        const ProgramRun taken = RunProgram({"track", "2", "1234567890"}, m_dir->path());
        QCOMPARE(taken.exitCode, 1);
        QVERIFY(taken.errText().contains(QStringLiteral("ID 1")));
        QFile csv(m_dir->filePath(QStringLiteral("numbers.csv")));
        QVERIFY(csv.open(QIODevice::WriteOnly));
        csv.write("order,number\nR-2,1234567891\nR-9,1234567892\n");
        csv.close();
        const ProgramRun file = RunProgram({"track", "--file", "numbers.csv"}, m_dir->path());
        QCOMPARE(file.exitCode, 1); // R-9 was never printed
        QVERIFY(file.errText().contains(QStringLiteral("numbers.csv:3:")));

        const ProgramRun shipped = RunProgram({"shipped", "--platform", "rakuten", "--out", "r.csv"}, m_dir->path());
        QCOMPARE(shipped.exitCode, 0);
        QVERIFY(shipped.errText().contains(QStringLiteral("番号なし 1件")));
        const QString today = QDate::currentDate().toString(Qt::ISODate);
        const std::string expected = "注文番号,送付先ID,発送明細ID,お荷物伝票番号,配送会社,発送日\r\n"
                                     "R-1,,,1234567890,1004," +
                                     today.toStdString() +
                                     "\r\n"
                                     "R-2,,,1234567891,1004," +
                                     today.toStdString() + "\r\n";
        QCOMPARE(readFile(m_dir->filePath(QStringLiteral("r.csv"))),
                 QByteArray::fromStdString(cp932::FromUtf8(expected)));
        const ProgramRun again = RunProgram({"shipped", "--platform", "rakuten"}, m_dir->path());
        QCOMPARE(again.out, readFile(m_dir->filePath(QStringLiteral("r.csv"))));

        const ProgramRun manifest = RunProgram({"manifest", "--out", "list.pdf"}, m_dir->path());
        QCOMPARE(manifest.exitCode, 0);
        QVERIFY(readFile(m_dir->filePath(QStringLiteral("list.pdf"))).startsWith("%PDF-"));
    }

    // A journal written by an earlier version: the commands that only read leave its layout
    // as it is, those that write bring it up to date first.
    void workOnAnOlderJournal_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("out");
        QTest::addColumn<bool>("upgraded");
        QTest::newRow("history") << QStringList{"history"} << "1\t2026-11-01" << false;
        QTest::newRow("manifest") << QStringList{"manifest", "--date", "2026-11-01", "--out", "l.pdf"} << "" << false;
        QTest::newRow("track") << QStringList{"track", "1", "1234567890"} << "" << true;
        QTest::newRow("shipped") << QStringList{"shipped", "--platform", "generic", "--since", "2026-11-01"}
                                 << "order,tracking_number" << true;
    }
    void workOnAnOlderJournal()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, out);
        QFETCH(bool, upgraded);
        const QString file = m_dir->filePath(QString::fromLatin1(journal::Journal::kFileName));
        QVERIFY(QFile::remove(file));
        QVERIFY(QFile::copy(QStringLiteral(JOURNAL_DATA "/journal-version1.db"), file));
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
        const ProgramRun run = RunProgram(arguments, m_dir->path());
        QVERIFY2(run.exitCode == 0, qPrintable(run.errText()));
        QVERIFY(QString::fromUtf8(run.out).contains(out));
        journal::Journal journal(file.toStdString(), journal::Journal::Access::ReadOnly);
        const std::vector<journal::JournalEntry> entries = journal.search({});
        QCOMPARE(entries.size(), std::size_t(3));
        // Only the current layout gives every entry an id of its own.
        QCOMPARE(!entries.front().uuid.empty(), upgraded);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestShippingCommands)
#include "tst_shippingcommands.moc"
