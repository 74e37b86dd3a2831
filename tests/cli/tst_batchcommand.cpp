#include "platform/Cp932.h"
#include "tests/support/ProgramRun.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// `mivo-kangaroo batch` from the outside: the dry run's JSON, and real jobs on a queue of the
// private CUPS server read back page by page.
class TestBatchCommand : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void dryRunWritesTheChosenSlips_data();
    void dryRunWritesTheChosenSlips();
    void printsOnePagePerSlipInOneJob_data();
    void printsOnePagePerSlipInOneJob();
    void ordersPrintedBeforeAreLeftOut_data();
    void ordersPrintedBeforeAreLeftOut();
    void ordersOfAnotherStationAreLeftOut_data();
    void ordersOfAnotherStationAreLeftOut();
    void damagedJournalDoesNotStopTheBatch();
    void serverAwayDoesNotStopTheBatch();
    void refusesWithoutPrinting_data();
    void refusesWithoutPrinting();
    void printingNothingIsAFailure_data();
    void printingNothingIsAFailure();
    void ordersWithoutAnAddressAreSkipped();

private:
    using Run = ProgramRun;
    Run batch(const QStringList& arguments) { return mivo(QStringList{"batch"} + arguments); }
    Run mivo(const QStringList& arguments) { return RunProgram(arguments, m_folder.path()); }
    QString queueOutput() const;
    int jobsOnQueue() const;

    QTemporaryDir m_folder;
    QString m_queue;
};

namespace {

const QString kRakuten = QStringLiteral(BATCH_DATA_DIR "/rakuten-cp932.csv");

bool writeCp932(const QString& path, const QString& text)
{
    QFile file(path);
    const std::string bytes = cp932::FromUtf8(text.toStdString());
    return file.open(QIODevice::WriteOnly) && file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
}

bool runTool(const QString& program, const QStringList& arguments, QByteArray* output = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000)) {
        return false;
    }
    if (output) {
        *output = process.readAllStandardOutput();
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

struct Page
{
    QSizeF size;
    QMap<QString, QPointF> words; // text → top left, points
};

QList<Page> readPages(const QString& pdf)
{
    QByteArray html;
    if (!runTool("pdftotext", {"-bbox", pdf, "-"}, &html)) {
        return {};
    }
    static const QRegularExpression item(
        R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re");
    QList<Page> pages;
    for (auto it = item.globalMatch(QString::fromUtf8(html)); it.hasNext();) {
        const auto match = it.next();
        if (!match.captured(1).isEmpty()) {
            pages.append({QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble()), {}});
        } else if (!pages.isEmpty()) {
            pages.last().words.insert(match.captured(5),
                                      QPointF(match.captured(3).toDouble(), match.captured(4).toDouble()));
        }
    }
    return pages;
}

} // namespace

void TestBatchCommand::init()
{
    const QString state = qEnvironmentVariable("MIVO_TEST_CUPS_STATE");
    if (state.isEmpty()) {
        QSKIP("needs the private CUPS server (scripts/cups-test-server)");
    }
    m_queue = QStringLiteral("mivo_batch_%1_%2").arg(QCoreApplication::applicationPid()).arg(QTest::currentDataTag());
    m_queue.replace(QRegularExpression("[^A-Za-z0-9_]"), "_");
    QFile::remove(queueOutput());
    QFile::remove(m_folder.filePath("mivo_journal.db"));
    QVERIFY(runTool("lpadmin", {"-p", m_queue, "-E", "-v", "file://" + queueOutput(), "-P", QStringLiteral(SLIP_PPD),
                                "-o", "PageSize=A4"}));
    QVERIFY(
        writeCp932(m_folder.filePath("mivo_a500.ini"),
                   "[連続(４インチ)]\r\nPrnName=" + m_queue + "\r\nPrnNoIndex=0\r\ndenPrn_Top=0\r\ndenPrn_Left=0\r\n"));
    QVERIFY(writeCp932(m_folder.filePath("my0.txt"),
                       "100-0001\r\n東京都千代田区千代田1-1\r\n\r\n西濃商店\r\n03-0000-0000\r\n"));
}

void TestBatchCommand::cleanup()
{
    runTool("lpadmin", {"-x", m_queue});
}

QString TestBatchCommand::queueOutput() const
{
    return QDir(qEnvironmentVariable("MIVO_TEST_CUPS_STATE")).filePath("out/" + m_queue + ".out");
}

int TestBatchCommand::jobsOnQueue() const
{
    QByteArray listing;
    runTool("lpstat", {"-W", "all", "-o", m_queue}, &listing);
    return static_cast<int>(listing.count('\n'));
}

void TestBatchCommand::dryRunWritesTheChosenSlips_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QList<int>>("numbers");
    QTest::newRow("all") << QStringList{} << QList<int>{1, 2};
    QTest::newRow("only") << QStringList{"--only", "2"} << QList<int>{2};
    QTest::newRow("from") << QStringList{"--from", "2"} << QList<int>{2};
}

void TestBatchCommand::dryRunWritesTheChosenSlips()
{
    QFETCH(QStringList, options);
    QFETCH(QList<int>, numbers);
    const Run run = batch(QStringList{kRakuten, "--dry-run"} + options);
    QVERIFY2(run.exitCode == 0, run.err.constData());
    const QJsonObject json = QJsonDocument::fromJson(run.out).object();
    QCOMPARE(json.value("format").toString(), QStringLiteral("rakuten"));
    QCOMPARE(json.value("encoding").toString(), QStringLiteral("cp932"));
    const QJsonArray slips = json.value("slips").toArray();
    QCOMPARE(slips.size(), numbers.size());
    for (int i = 0; i < slips.size(); ++i) {
        const QJsonObject slip = slips[i].toObject();
        QCOMPARE(slip.keys(), (QStringList{"address1", "address2", "goods", "name", "number", "order", "pieces", "tel",
                                           "warnings", "zip"}));
        QCOMPARE(slip.value("number").toInt(), numbers[i]);
        QCOMPARE(slip.value("goods").toArray().size(), 3);
        QCOMPARE(slip.value("pieces").toInt(), 1);
    }
    QCOMPARE(slips.last().toObject().value("zip").toString(), QStringLiteral("100-0005"));
    const QJsonArray skipped = json.value("skipped").toArray();
    QCOMPARE(skipped.size(), 1);
    QCOMPARE(skipped[0].toObject().value("row").toInt(), 6);
    QCOMPARE(jobsOnQueue(), 0);
}

void TestBatchCommand::printsOnePagePerSlipInOneJob_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("names"); // the recipient's family name on each page
    QTest::newRow("all") << QStringList{} << QStringList{"山田", "佐藤"};
    QTest::newRow("resume from 2") << QStringList{"--from", "2"} << QStringList{"佐藤"};
    QTest::newRow("selection, queue named")
        << QStringList{"--only", "1-2", "--printer", "QUEUE"} << QStringList{"山田", "佐藤"};
}

void TestBatchCommand::printsOnePagePerSlipInOneJob()
{
    QFETCH(QStringList, options);
    QFETCH(QStringList, names);
    options.replaceInStrings("QUEUE", m_queue);
    // The second slip's long address runs into the sender's box.
    const Run run = batch(QStringList{kRakuten, "--force"} + options);
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QVERIFY2(run.err.contains("printed " + QByteArray::number(names.size()) + " slips"), run.err.constData());
    QTRY_VERIFY_WITH_TIMEOUT(QFile(queueOutput()).size() > 0 && jobsOnQueue() == 1, 30000);
    QTRY_COMPARE_WITH_TIMEOUT(readPages(queueOutput()).size(), names.size(), 30000);
    const QList<Page> pages = readPages(queueOutput());
    for (int i = 0; i < pages.size(); ++i) {
        // A4 on the queue, but a continuous form is four inches long.
        QCOMPARE(pages[i].size.toSize(), QSize(595, 288));
        QVERIFY2(pages[i].words.contains(names[i]), qPrintable(pages[i].words.keys().join('|')));
        // The form is the same on every page: the sender block and the recipient's name stand
        // where they stand on the first.
        for (const QString& word : {QStringLiteral("西濃商店"), QStringLiteral("100-0001")}) {
            QCOMPARE(pages[i].words.value(word), pages[0].words.value(word));
        }
        QCOMPARE(pages[i].words.value(names[i]), pages[0].words.value(names[0]));
    }
    // The journal holds a slip per page, all of the one CUPS job.
    const Run history = mivo({"history", "--json"});
    QVERIFY2(history.exitCode == 0, history.err.constData());
    const QJsonArray entries = QJsonDocument::fromJson(history.out).array();
    QCOMPARE(entries.size(), names.size());
    for (const QJsonValue& value : entries) {
        const QJsonObject entry = value.toObject();
        QCOMPARE(entry.value("status").toString(), QStringLiteral("printed"));
        QCOMPARE(entry.value("printer").toString(), m_queue);
        QCOMPARE(entry.value("paperFeed").toString(), QStringLiteral("連続(４インチ)"));
        QVERIFY(entry.value("job").toInt() > 0);
        QCOMPARE(entry.value("job"), entries[0].toObject().value("job"));
    }
    QCOMPARE(entries.last().toObject().value("order").toString(), names.size() == 2 ? "R-001" : "R-002");
}

void TestBatchCommand::ordersPrintedBeforeAreLeftOut_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("printed"); // the orders of the second job
    QTest::addColumn<bool>("skipNoted");
    QTest::newRow("all") << QStringList{} << QStringList{"R-002"} << true;
    // Resuming after a jam prints from slip N on, printed before or not.
    QTest::newRow("from slip 1") << QStringList{"--from", "1"} << QStringList{"R-001", "R-002"} << false;
    QTest::newRow("named with --only") << QStringList{"--only", "1-2"} << QStringList{"R-001", "R-002"} << false;
}

void TestBatchCommand::ordersPrintedBeforeAreLeftOut()
{
    QFETCH(QStringList, options);
    QFETCH(QStringList, printed);
    QFETCH(bool, skipNoted);
    const Run first = batch({kRakuten, "--only", "1"});
    QVERIFY2(first.exitCode == 0, first.err.constData());
    const QJsonArray slips =
        QJsonDocument::fromJson(batch({kRakuten, "--dry-run"}).out).object().value("slips").toArray();
    QVERIFY(slips[0].toObject().value("warnings").toArray().contains(QStringLiteral("印刷済みの注文です")));
    QVERIFY(!slips[1].toObject().value("warnings").toArray().contains(QStringLiteral("印刷済みの注文です")));

    const Run second = batch(QStringList{kRakuten, "--force"} + options);
    QVERIFY2(second.exitCode == 0, second.err.constData());
    QCOMPARE(second.err.contains("skipped 1 slips of orders already printed (1)"), skipNoted);
    QCOMPARE(second.err.contains("printing 1 slips of orders already printed again (1)"), !skipNoted);
    QVERIFY2(second.err.contains("printed " + QByteArray::number(printed.size()) + " slips"), second.err.constData());
    const QJsonArray entries = QJsonDocument::fromJson(mivo({"history", "--json"}).out).array();
    QStringList orders;
    for (const QJsonValue& entry : entries) {
        orders.prepend(entry.toObject().value("order").toString());
    }
    QCOMPARE(orders, QStringList{"R-001"} + printed);
}

void TestBatchCommand::ordersOfAnotherStationAreLeftOut_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("printed"); // the orders this station prints
    QTest::newRow("all") << QStringList{} << QStringList{"R-002"};
    QTest::newRow("named with --only") << QStringList{"--only", "1-2"} << QStringList{"R-001", "R-002"};
}

// Two packing PCs on one journal: an order the other printed is marked with its name and left
// out, unless named.
void TestBatchCommand::ordersOfAnotherStationAreLeftOut()
{
    QFETCH(QStringList, options);
    QFETCH(QStringList, printed);
    const QString choice = m_folder.filePath("mivo_journal.ini");
    QVERIFY(writeCp932(choice, "[Journal]\r\nStation=梱包2\r\n"));
    const Run there = batch({kRakuten, "--only", "1"});
    QVERIFY2(there.exitCode == 0, there.err.constData());
    QVERIFY(writeCp932(choice, "[Journal]\r\nStation=梱包1\r\n"));
    const QJsonArray slips =
        QJsonDocument::fromJson(batch({kRakuten, "--dry-run"}).out).object().value("slips").toArray();
    QVERIFY(slips[0].toObject().value("warnings").toArray().contains(QStringLiteral("他の端末で印刷済み（梱包2）")));
    QVERIFY(!slips[0].toObject().value("warnings").toArray().contains(QStringLiteral("印刷済みの注文です")));

    const Run here = batch(QStringList{kRakuten, "--force"} + options);
    QVERIFY2(here.exitCode == 0, here.err.constData());
    QVERIFY2(here.err.contains("printed " + QByteArray::number(printed.size()) + " slips"), here.err.constData());
    QStringList orders;
    for (const QJsonValue& entry : QJsonDocument::fromJson(mivo({"history", "--json"}).out).array()) {
        orders.prepend(entry.toObject().value("order").toString());
    }
    QCOMPARE(orders, QStringList{"R-001"} + printed);
}

void TestBatchCommand::damagedJournalDoesNotStopTheBatch()
{
    const QByteArray garbage(4096, 'x');
    QFile journal(m_folder.filePath("mivo_journal.db"));
    QVERIFY(journal.open(QIODevice::WriteOnly));
    journal.write(garbage);
    journal.close();
    const Run run = batch({kRakuten, "--force"});
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QVERIFY2(run.err.contains("printed 2 slips"), run.err.constData());
    QVERIFY2(run.err.contains("the print journal could not record the job"), run.err.constData());
    QVERIFY(journal.open(QIODevice::ReadOnly));
    QCOMPARE(journal.readAll(), garbage);
}

// Nothing is claimed while the journal server is away; the slips print and their entries wait
// in the folder's file.
void TestBatchCommand::serverAwayDoesNotStopTheBatch()
{
    const QString choice = m_folder.filePath("mivo_journal.ini");
    QVERIFY(writeCp932(choice, "[Journal]\r\nServer=postgresql://mivo@127.0.0.1:1/mivo\r\n"));
    // The folder serves the tests after this one, which print to its file.
    const std::shared_ptr<void> chosenUntilTheEnd(nullptr, [&](void*) { QFile::remove(choice); });
    const Run run = batch({kRakuten, "--force"});
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QVERIFY2(run.err.contains("printed 2 slips"), run.err.constData());
    QVERIFY2(run.err.contains("printed without asking the other stations"), run.err.constData());
    QVERIFY2(!run.err.contains("could not record"), run.err.constData());
    QProcessEnvironment fileOnly = QProcessEnvironment::systemEnvironment();
    fileOnly.insert(QStringLiteral("MIVO_JOURNAL_SERVER"), QString());
    const Run kept = RunProgram({"history", "--json"}, m_folder.path(), {}, fileOnly);
    QCOMPARE(QJsonDocument::fromJson(kept.out).array().size(), 2);
}

void TestBatchCommand::refusesWithoutPrinting_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("no such printer") << QStringList{kRakuten, "--printer", "no such queue"} << 1 << "no such queue";
    QTest::newRow("a slip that does not fit the form")
        << QStringList{kRakuten} << 1 << "slip 2: おところ② が ご依頼主 の欄に";
    QTest::newRow("from beyond the batch") << QStringList{kRakuten, "--from", "3"} << 1 << "no slip 3";
    QTest::newRow("unregistered sender") << QStringList{kRakuten, "--sender", "4"} << 1 << "sender 4";
    QTest::newRow("unknown format") << QStringList{kRakuten, "--format", "ebay"} << 1 << "unknown format";
    QTest::newRow("missing file") << QStringList{"no-such-file.csv"} << 1 << "no-such-file.csv";
    QTest::newRow("sender out of range") << QStringList{kRakuten, "--sender", "11"} << 2 << "--sender";
    QTest::newRow("bad encoding") << QStringList{kRakuten, "--encoding", "latin1"} << 2 << "--encoding";
    QTest::newRow("no file") << QStringList{"--dry-run"} << 2 << "no order file";
}

void TestBatchCommand::refusesWithoutPrinting()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const Run run = batch(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(QString::fromUtf8(run.err).contains(message), run.err.constData());
    QVERIFY(run.out.isEmpty());
    QCOMPARE(jobsOnQueue(), 0);
}

void TestBatchCommand::printingNothingIsAFailure_data()
{
    QTest::addColumn<QString>("file");        // "voucher": a file whose every order lacks an address
    QTest::addColumn<QStringList>("printed"); // orders printed first, by a run of their own
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("message");
    QTest::newRow("every slip printed before")
        << kRakuten << QStringList{"1-2"} << QStringList{} << "every chosen slip was printed before";
    QTest::newRow("no order with an address")
        << "voucher" << QStringList{} << QStringList{} << "the file holds no slip with an address";
}

// A run that prints nothing must not look like one that printed.
void TestBatchCommand::printingNothingIsAFailure()
{
    QFETCH(QString, file);
    QFETCH(QStringList, printed);
    QFETCH(QStringList, options);
    QFETCH(QString, message);
    if (file == "voucher") {
        file = m_folder.filePath("voucher.csv");
        QVERIFY(writeCp932(file, "OrderId,ShipName,ShipZipCode,ShipPrefecture,ShipAddress1,ShipPhoneNumber\n"
                                 "1,山田　太郎,,,,03-1111-2222\n"));
    }
    for (const QString& only : printed) {
        QCOMPARE(batch({file, "--only", only, "--force"}).exitCode, 0);
    }
    QTRY_COMPARE_WITH_TIMEOUT(jobsOnQueue(), static_cast<int>(printed.size()), 30000);
    const Run run = batch(QStringList{file} + options);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(QString::fromUtf8(run.err).contains("nothing to print: " + message), run.err.constData());
    QCOMPARE(jobsOnQueue(), static_cast<int>(printed.size()));
}

void TestBatchCommand::ordersWithoutAnAddressAreSkipped()
{
    const QString file = m_folder.filePath("orders.csv");
    QVERIFY(writeCp932(file, "OrderId,ShipName,ShipZipCode,ShipPrefecture,ShipAddress1,ShipPhoneNumber\n"
                             "1,山田　太郎,,,,03-1111-2222\n"
                             "2,佐藤　花子,100-0005,東京都,千代田区丸の内1-1,\n"));
    const Run dryRun = batch({file, "--dry-run"});
    QCOMPARE(dryRun.exitCode, 0);
    const QJsonObject json = QJsonDocument::fromJson(dryRun.out).object();
    const QJsonArray slips = json.value("slips").toArray();
    QCOMPARE(slips.size(), 1);
    QCOMPARE(slips[0].toObject().value("order").toString(), QStringLiteral("2"));
    QVERIFY(slips[0].toObject().value("warnings").toArray().contains(QStringLiteral("電話番号がありません")));
    QCOMPARE(json.value("skipped").toArray(),
             (QJsonArray{QJsonObject{{"row", 2}, {"reason", "お届け先の住所がありません"}}}));

    const Run run = batch({file});
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QVERIFY2(QString::fromUtf8(run.err).contains("row 2 skipped: お届け先の住所がありません"), run.err.constData());
    QVERIFY2(run.err.contains("printed 1 slips (1)"), run.err.constData());
    QTRY_COMPARE_WITH_TIMEOUT(readPages(queueOutput()).size(), 1, 30000);
    QVERIFY(!readPages(queueOutput()).front().words.contains(QStringLiteral("山田")));
}

QTEST_GUILESS_MAIN(TestBatchCommand)
#include "tst_batchcommand.moc"
