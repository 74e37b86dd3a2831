#include "journal/Journal.h"
#include "journal/SlipJson.h"

#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>

// Entries stored, found again and searched as the history window and the batch list use them.
using journal::JobStatus;
using journal::Journal;
using journal::JournalEntry;

namespace {

Slip slip(const QString& name, const QString& tel, const QString& zip, const QString& address1,
          const QString& goods = QStringLiteral("りんご"))
{
    Slip s;
    s.recipient = {zip.toStdString(), address1.toStdString(), "サンプル荘101", name.toStdString(), tel.toStdString()};
    s.goods[0] = goods.toStdString();
    s.sender.name = "送り主商店";
    s.pieceCount = "2";
    s.time10 = true;
    s.slipYear = 2026;
    s.slipMonth = 12;
    s.slipDay = 7;
    return s;
}

JournalEntry entry(const Slip& slip, const QDateTime& time, const std::string& order = {},
                   JobStatus status = JobStatus::Printed)
{
    JournalEntry e;
    e.time = time;
    e.status = status;
    e.printer = "Slip Printer";
    e.paperFeed = "手差し";
    e.orderNumber = order;
    e.slip = slip;
    e.printState = {180, 180, -12, 30};
    return e;
}

QDateTime at(int day, int hour)
{
    return QDateTime(QDate(2026, 12, day), QTime(hour, 0));
}

// Four customers over four days, oldest first.
void fillSample(Journal& journal)
{
    journal.recordJob(entry(slip("西濃太郎", "0584-11-2222", "503-0001", "岐阜県大垣市林町"), at(1, 9), "A-1001"));
    journal.recordJob(entry(slip("山田花子", "06-3333-4444", "530-0001", "大阪府大阪市北区"), at(2, 9), "A-1002"));
    journal.recordJob(entry(slip("Smith John", "090-1234-5678", "100-0005", "東京都千代田区丸の内"), at(3, 9)));
    journal.recordJob(entry(slip("ｻﾄｳ ｲﾁﾛｳ", "052-555-6666", "460-0001", "愛知県名古屋市"), at(4, 9), "B-7"));
}

QStringList names(const std::vector<JournalEntry>& entries)
{
    QStringList result;
    for (const JournalEntry& e : entries) {
        result << QString::fromStdString(e.slip.recipient.name);
    }
    return result;
}

} // namespace

class TestJournal : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void storedEntryComesBackAsRecorded_data();
    void storedEntryComesBackAsRecorded();
    void searchFindsWhateverWidthOrPunctuation_data();
    void searchFindsWhateverWidthOrPunctuation();
    void pagesContinueBelowTheLastEntry();
    void duplicateGuardsCountOnlyPrintedSlips_data();
    void duplicateGuardsCountOnlyPrintedSlips();
    void removedEntryIsGoneFromListAndSearch();
    void storedRecordKeepsEveryKey();

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<Journal> m_journal;
};

void TestJournal::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    m_journal = std::make_unique<Journal>(Journal::In(m_folder->path().toStdString()));
}

void TestJournal::cleanup()
{
    m_journal.reset();
    m_folder.reset();
}

void TestJournal::storedEntryComesBackAsRecorded_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("cupsJobId");
    QTest::addColumn<QString>("pdfFile");
    QTest::addColumn<QString>("message");
    QTest::newRow("CUPS job") << int(JobStatus::Printed) << 42 << QString() << QString();
    QTest::newRow("PDF file") << int(JobStatus::Printed) << 0 << "/work/slips/20261207.pdf" << QString();
    QTest::newRow("aborted while drawing") << int(JobStatus::Aborted) << 0 << QString() << "no font";
    QTest::newRow("hand-over refused") << int(JobStatus::Failed) << 0 << QString() << "Cannot print on q: stopped";
}

void TestJournal::storedEntryComesBackAsRecorded()
{
    QFETCH(int, status);
    QFETCH(int, cupsJobId);
    QFETCH(QString, pdfFile);
    QFETCH(QString, message);
    JournalEntry written = entry(slip("西濃太郎", "0584-11-2222", "503-0001", "岐阜県大垣市林町"), at(7, 10), "A-1",
                                 static_cast<JobStatus>(status));
    written.cupsJobId = cupsJobId;
    written.pdfFile = pdfFile.toStdString();
    written.message = message.toStdString();
    written.reprintOf = 3;
    written.slip.goods[2] = "\"quoted\" \\ and\nnewline";

    const std::int64_t id = m_journal->recordJob(written);
    // Read back through a second connection, as another window or command would.
    Journal reader(Journal::In(m_folder->path().toStdString()), Journal::Access::ReadOnly);
    const std::optional<JournalEntry> read = reader.find(id);
    QVERIFY(read);
    QCOMPARE(read->id, id);
    QCOMPARE(read->time, written.time);
    QCOMPARE(int(read->status), status);
    QCOMPARE(read->message, written.message);
    QCOMPARE(read->printer, written.printer);
    QCOMPARE(read->paperFeed, written.paperFeed);
    QCOMPARE(read->cupsJobId, cupsJobId);
    QCOMPARE(read->pdfFile, written.pdfFile);
    QCOMPARE(read->orderNumber, written.orderNumber);
    QCOMPARE(read->reprintOf, 3);
    QVERIFY(read->slip == written.slip);
    QVERIFY(read->printState == written.printState);
    QVERIFY(!reader.find(id + 1));
}

void TestJournal::searchFindsWhateverWidthOrPunctuation_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QStringList>("expected");
    const QDate any;
    const QStringList all{"ｻﾄｳ ｲﾁﾛｳ", "Smith John", "山田花子", "西濃太郎"};
    QTest::newRow("empty text lists all, newest first") << "" << any << any << all;
    QTest::newRow("blanks only") << "  　 " << any << any << all;
    QTest::newRow("part of a name") << "濃太" << any << any << QStringList{"西濃太郎"};
    QTest::newRow("one character") << "花" << any << any << QStringList{"山田花子"};
    QTest::newRow("telephone without hyphens") << "0584112222" << any << any << QStringList{"西濃太郎"};
    QTest::newRow("full-width telephone") << "０６－３３３３" << any << any << QStringList{"山田花子"};
    QTest::newRow("postal code part") << "530-00" << any << any << QStringList{"山田花子"};
    QTest::newRow("address") << "大垣市" << any << any << QStringList{"西濃太郎"};
    QTest::newRow("second address line") << "サンプル荘" << any << any << all;
    QTest::newRow("order number, lower case") << "a-1002" << any << any << QStringList{"山田花子"};
    QTest::newRow("latin name, other case") << "SMITH" << any << any << QStringList{"Smith John"};
    QTest::newRow("full-width katakana finds half-width") << "サトウ" << any << any << QStringList{"ｻﾄｳ ｲﾁﾛｳ"};
    QTest::newRow("two words, both needed") << "大阪 花子" << any << any << QStringList{"山田花子"};
    QTest::newRow("two words, one missing") << "大阪 太郎" << any << any << QStringList{};
    QTest::newRow("no pair across two fields") << "郎0584" << any << any << QStringList{};
    QTest::newRow("goods are not searched") << "りんご" << any << any << QStringList{};
    QTest::newRow("quotes and operators are text") << "\"OR\" NEAR(" << any << any << QStringList{};
    QTest::newRow("date range, both ends inclusive")
        << "" << QDate(2026, 12, 2) << QDate(2026, 12, 3) << QStringList{"Smith John", "山田花子"};
    QTest::newRow("text within dates") << "0" << QDate(2026, 12, 4) << any << QStringList{"ｻﾄｳ ｲﾁﾛｳ"};
}

void TestJournal::searchFindsWhateverWidthOrPunctuation()
{
    QFETCH(QString, text);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QStringList, expected);
    fillSample(*m_journal);
    journal::JournalQuery query;
    query.text = text.toStdString();
    if (from.isValid()) {
        query.from = from;
    }
    if (to.isValid()) {
        query.to = to;
    }
    QCOMPARE(names(m_journal->search(query)), expected);
}

void TestJournal::pagesContinueBelowTheLastEntry()
{
    fillSample(*m_journal);
    journal::JournalQuery query;
    query.limit = 3;
    const auto first = m_journal->search(query);
    query.beforeId = first.back().id;
    const auto second = m_journal->search(query);
    QCOMPARE(names(first) + names(second), (QStringList{"ｻﾄｳ ｲﾁﾛｳ", "Smith John", "山田花子", "西濃太郎"}));
    query.text = "市";
    query.limit = 2;
    query.beforeId = 0;
    const auto hits = m_journal->search(query);
    query.beforeId = hits.back().id;
    QCOMPARE(names(hits) + names(m_journal->search(query)), (QStringList{"ｻﾄｳ ｲﾁﾛｳ", "山田花子", "西濃太郎"}));
}

void TestJournal::duplicateGuardsCountOnlyPrintedSlips_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("hoursAgo");
    QTest::addColumn<QString>("goods");
    QTest::addColumn<QString>("order");
    QTest::addColumn<bool>("duplicate");
    QTest::newRow("same slip an hour ago") << int(JobStatus::Printed) << 1 << "りんご"
                                           << "A-1" << true;
    QTest::newRow("same slip 25 hours ago") << int(JobStatus::Printed) << 25 << "りんご"
                                            << "A-1" << false;
    QTest::newRow("other goods") << int(JobStatus::Printed) << 1 << "みかん"
                                 << "A-1" << false;
    QTest::newRow("failed job") << int(JobStatus::Failed) << 1 << "りんご"
                                << "A-1" << false;
    QTest::newRow("aborted job") << int(JobStatus::Aborted) << 1 << "りんご"
                                 << "A-1" << false;
}

void TestJournal::duplicateGuardsCountOnlyPrintedSlips()
{
    QFETCH(int, status);
    QFETCH(int, hoursAgo);
    QFETCH(QString, goods);
    QFETCH(QString, order);
    QFETCH(bool, duplicate);
    const QDateTime now = QDateTime::currentDateTime();
    const Slip printed = slip("西濃太郎", "0584-11-2222", "503-0001", "岐阜県大垣市林町", goods);
    m_journal->recordJob(
        entry(printed, now.addSecs(-3600 * hoursAgo), order.toStdString(), static_cast<JobStatus>(status)));

    Slip again = slip("西濃太郎", "0584-11-2222", "503-0001", "岐阜県大垣市林町");
    again.sender.name = "別の送り主"; // the sender does not make another slip
    QCOMPARE(m_journal->printedSince(again, now.addDays(-1)), duplicate);
    QCOMPARE(m_journal->hasOrder("A-1"), status == int(JobStatus::Printed));
    QVERIFY(!m_journal->hasOrder(""));
}

void TestJournal::removedEntryIsGoneFromListAndSearch()
{
    fillSample(*m_journal);
    const auto hits = m_journal->search({"花子", {}, {}, 0, 0});
    QCOMPARE(hits.size(), std::size_t(1));
    QVERIFY(m_journal->remove(hits.front().id));
    QVERIFY(!m_journal->remove(hits.front().id));
    QVERIFY(m_journal->search({"花子", {}, {}, 0, 0}).empty());
    QVERIFY(!m_journal->hasOrder("A-1002"));
    QCOMPARE(m_journal->count(), 3);
    // Ids are never given out again, so a number once shown always means the same slip.
    const std::int64_t newest = m_journal->search({"", {}, {}, 0, 1}).front().id;
    QVERIFY(m_journal->remove(newest));
    QCOMPARE(m_journal->recordJob(entry(slip("x", "", "", ""), at(5, 9))), newest + 1);
}

void TestJournal::storedRecordKeepsEveryKey()
{
    // A record as journals already hold it: each key reads into its own field and is written
    // back byte for byte, so old entries stay readable and new ones readable by old programs.
    const QByteArray stored =
        R"({"address1":"A1","address2":"A2","deliveryDay":"DD","deliveryMonth":"DM","dpix":"180","dpiy":"90",)"
        R"("goods1":"G1","goods2":"G2","goods3":"G3","name":"N","pieceCount":"12","printDate":false,)"
        R"("printSender":false,"prnLeft":"-4","prnTop":"7","senderAddress1":"SA1","senderAddress2":"SA2",)"
        R"("senderName":"SN","senderTel":"ST","senderZip":"SZ","slipDate":"2026-03-07","tel":"T","time10":false,)"
        R"("time9":false,"timeMorning":true,"zip":"Z"})";
    Slip expected;
    expected.recipient = {"Z", "A1", "A2", "N", "T"};
    expected.sender = {"SZ", "SA1", "SA2", "SN", "ST"};
    expected.goods = {"G1", "G2", "G3"};
    expected.pieceCount = "12";
    expected.deliveryMonth = "DM";
    expected.deliveryDay = "DD";
    expected.timeMorning = true;
    expected.printDate = false;
    expected.printSender = false;
    expected.slipYear = 2026;
    expected.slipMonth = 3;
    expected.slipDay = 7;
    const QJsonObject json = QJsonDocument::fromJson(stored).object();
    const Slip slip = journal::SlipFromJson(json);
    const SlipPrintState state = journal::PrintStateFromJson(json);
    QVERIFY(slip == expected);
    QVERIFY((state == SlipPrintState{180, 90, 7, -4}));
    QCOMPARE(QJsonDocument(journal::SlipToJson(slip, state)).toJson(QJsonDocument::Compact), stored);
    // Older entries may hold a margin with decimals (the nearest dot was printed) or none.
    const QJsonObject older =
        QJsonDocument::fromJson(R"({"dpix":"180","dpiy":"180","prnTop":"2.5","prnLeft":""})").object();
    QVERIFY((journal::PrintStateFromJson(older) == SlipPrintState{180, 180, 3, 0}));
}

QTEST_GUILESS_MAIN(TestJournal)
#include "tst_journal.moc"
