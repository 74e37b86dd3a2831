#include "gui/HistoryWindow.h"
#include "gui/JournalListModel.h"
#include "journal/Journal.h"
#include "journal/JournalChoice.h"
#include "journal/Schema.h"
#include "tests/support/NamedControl.h"
#include "tests/support/PrintWindowSupport.h"
#include "tests/support/ScratchDatabase.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

// The print journal as the user meets it: every F11 leaves an entry, the same slip twice in a
// day is questioned, a broken journal never stops a slip, and F5 finds, loads, reprints and
// deletes entries.
using namespace printwindow;

namespace {

const QString kPrint = QStringLiteral("印刷しますか?");
const QString kAgain = QStringLiteral("同じ送り状を本日印刷済みです。もう一度印刷しますか?");
const QString kAgainThere = QStringLiteral("同じ送り状を本日 梱包2 で印刷済みです。もう一度印刷しますか?");

std::filesystem::path journalPath(const MainWindowFixture& fixture)
{
    return journal::Journal::In(fixture.folder().toStdString());
}

std::vector<journal::JournalEntry> entries(const MainWindowFixture& fixture)
{
    return journal::Journal(journalPath(fixture), journal::Journal::Access::ReadOnly).search({});
}

TForm_Main& showWithSlip(MainWindowFixture& fixture, const QByteArray& registration = "[手差し]\ndenPrn_Top=20\n")
{
    fixture.writeFile("my0.txt", kEmptySender);
    fixture.writeFile("mivo_a500.ini", sjisFile(QString::fromUtf8(registration)));
    TForm_Main& window = fixture.show();
    fillSampleSlip(window);
    return window;
}

void pressF11(MainWindowFixture& fixture)
{
    fixture.focus(QStringLiteral("Edit_G2"));
    fixture.key(Qt::Key_F11);
}

HistoryWindow* openHistory(MainWindowFixture& fixture)
{
    fixture.focus(QStringLiteral("Edit_Zip"));
    fixture.key(Qt::Key_F5);
    auto* history = fixture.window().findChild<HistoryWindow*>(QStringLiteral("HistoryWindow"));
    return history != nullptr && history->isVisible() ? history : nullptr;
}

int rows(HistoryWindow* history)
{
    return NamedControl<QTableView>(*history, "historyList")->model()->rowCount();
}

// Two older customers, then the slip in the window, all printed two days ago.
void fillJournal(const MainWindowFixture& fixture)
{
    journal::Journal journal(journalPath(fixture));
    const QDateTime twoDaysAgo = QDateTime::currentDateTime().addDays(-2);
    for (const char* name : {"山田花子", "佐藤一郎"}) {
        journal::JournalEntry entry;
        entry.time = twoDaysAgo;
        entry.printer = "Fake Printer";
        entry.slip.recipient.name = name;
        entry.slip.recipient.tel = "06-1111-2222";
        journal.recordJob(entry);
    }
}

} // namespace

class TestJournalWindow : public QObject
{
    Q_OBJECT

private slots:
    void everyJobIsRecordedWithItsOutcome_data();
    void everyJobIsRecordedWithItsOutcome();
    void sameSlipWithinADayIsQuestionedFirst_data();
    void sameSlipWithinADayIsQuestionedFirst();
    void brokenJournalNeverStopsASlip_data();
    void brokenJournalNeverStopsASlip();
    void serverAwayKeepsEntriesAndSaysSo();
    void historySearchesAsTheUserTypes();
    void historyLoadsReprintsAndDeletes();
    void longHistoryIsReadAPageAtATime();
};

void TestJournalWindow::everyJobIsRecordedWithItsOutcome_data()
{
    QTest::addColumn<QByteArray>("registration");
    QTest::addColumn<QString>("status");
    QTest::newRow("printed") << QByteArray("[手差し]\ndenPrn_Top=20\ndenPrn_Left=-10\n") << "printed";
    QTest::newRow("drawing failed, job aborted") << QByteArray() << "aborted";
}

void TestJournalWindow::everyJobIsRecordedWithItsOutcome()
{
    QFETCH(QByteArray, registration);
    QFETCH(QString, status);
    MainWindowFixture fixture;
    if (registration.isEmpty()) {
        // A printer that reports no resolution: the slip cannot be drawn once the job is open.
        fixture.printers().printers.front().resolution = {0, 0};
    }
    showWithSlip(fixture, registration);
    QVERIFY(!std::filesystem::exists(journalPath(fixture)));
    fixture.prompt().answerYes();
    pressF11(fixture);

    const auto recorded = entries(fixture);
    QCOMPARE(recorded.size(), std::size_t(1));
    const journal::JournalEntry& entry = recorded.front();
    QCOMPARE(QString::fromLatin1(journal::StatusName(entry.status)), status);
    QCOMPARE(entry.printer, std::string("Fake Printer"));
    QCOMPARE(entry.paperFeed, std::string("手差し"));
    QCOMPARE(entry.slip.recipient.name, std::string("西濃太郎"));
    QCOMPARE(entry.slip.goods[2], std::string("ぶどう"));
    QCOMPARE(entry.printState.dpiX, status == "printed" ? 180 : 0);
    QCOMPARE(std::tie(entry.slip.slipYear, entry.slip.slipMonth, entry.slip.slipDay), std::make_tuple(2010, 12, 6));
    QVERIFY(qAbs(entry.time.secsTo(QDateTime::currentDateTime())) < 60);
    QCOMPARE(entry.message.empty(), status == "printed");
    QVERIFY(fixture.prompt().notices.isEmpty());
}

void TestJournalWindow::sameSlipWithinADayIsQuestionedFirst_data()
{
    QTest::addColumn<QByteArray>("firstRegistration");
    QTest::addColumn<QString>("changedGoods");
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<int>("jobs");
    QTest::addColumn<bool>("elsewhere"); // the first print was another station's
    const QByteArray good("[手差し]\ndenPrn_Top=0\n");
    QTest::newRow("same slip, printed again")
        << good << QString() << QList<bool>{true, true} << QStringList{kAgain, kPrint} << 2 << false;
    QTest::newRow("same slip on another station, declined")
        << good << QString() << QList<bool>{false} << QStringList{kAgainThere} << 1 << true;
    QTest::newRow("same slip, declined") << good << QString() << QList<bool>{false} << QStringList{kAgain} << 1
                                         << false;
    QTest::newRow("other goods are another slip")
        << good << "みかん" << QList<bool>{true} << QStringList{kPrint} << 2 << false;
    QTest::newRow("a margin that is no number prints nothing")
        << QByteArray("[手差し]\ndenPrn_Top=1.5cm\n") << QString() << QList<bool>{true} << QStringList{kPrint} << 1
        << false;
}

void TestJournalWindow::sameSlipWithinADayIsQuestionedFirst()
{
    QFETCH(QByteArray, firstRegistration);
    QFETCH(QString, changedGoods);
    QFETCH(QList<bool>, answers);
    QFETCH(QStringList, questions);
    QFETCH(int, jobs);
    QFETCH(bool, elsewhere);
    MainWindowFixture fixture;
    TForm_Main& window = showWithSlip(fixture, firstRegistration);
    fixture.prompt().answerYes();
    pressF11(fixture);
    if (elsewhere) {
        journal::JournalEntry there = entries(fixture).front();
        there.station = "梱包2";
        there.uuid.clear();
        journal::Journal journal(journalPath(fixture));
        journal.recordJob(there);
        QVERIFY(journal.remove(there.id));
    }
    NamedControl<QLabel>(window, "Label_Prn_Top")->setText(QStringLiteral("0"));
    if (!changedGoods.isEmpty()) {
        NamedControl<QLineEdit>(window, "Edit_G1")->setText(changedGoods);
    }
    // Another sender does not make it another slip.
    NamedControl<QLineEdit>(window, "Edit_My")->setText(QStringLiteral("OtherSender"));

    fixture.prompt().questions.clear();
    for (const bool answer : answers) {
        answer ? fixture.prompt().answerYes() : fixture.prompt().answerNo();
    }
    pressF11(fixture);
    QCOMPARE(fixture.prompt().questions, questions);
    // Enter out of habit must not print the same slip twice.
    QCOMPARE(fixture.prompt().defaultNo, questions.first() == kPrint ? QStringList{} : questions.mid(0, 1));
    QCOMPARE(static_cast<int>(fixture.printers().jobs.size()), jobs);
    QCOMPARE(static_cast<int>(entries(fixture).size()), jobs);
    if (!answers.back()) {
        QCOMPARE(fixture.focusedName(), QStringLiteral("Edit_G1"));
    }
}

void TestJournalWindow::serverAwayKeepsEntriesAndSaysSo()
{
    qputenv(journal::kServerVariable, "postgresql://mivo@127.0.0.1:1/mivo");
    const std::shared_ptr<void> chosenUntilTheEnd(nullptr, [](void*) { qunsetenv(journal::kServerVariable); });
    MainWindowFixture fixture;
    TForm_Main& window = showWithSlip(fixture, "[手差し]\ndenPrn_Top=0\n");
    fixture.prompt().answerYes();
    pressF11(fixture);
    const QLabel* waiting = NamedControl<QLabel>(window, "Label_JournalOutbox");
    QCOMPARE(waiting->text(), QStringLiteral("共有サーバーに接続できません — 未送信 1 件"));

    // Only this PC's file can tell that the slip went out already.
    fixture.prompt().questions.clear();
    fixture.prompt().answerYes();
    fixture.prompt().answerYes();
    pressF11(fixture);
    QCOMPARE(fixture.prompt().questions, (QStringList{kAgain, kPrint}));
    QCOMPARE(window.statusBar()->currentMessage(),
             QStringLiteral("共有サーバーに接続できません。この端末の記録だけで確認しました。"));
    QCOMPARE(waiting->text(), QStringLiteral("共有サーバーに接続できません — 未送信 2 件"));
    QCOMPARE(fixture.printers().jobs.size(), std::size_t(2));
    QVERIFY(fixture.prompt().notices.isEmpty());

    // Once the server's port answers, the window's timer sends what waited.
    ScratchDatabase db;
    if (!db.available()) {
        QSKIP("no private PostgreSQL server (scripts/pg-test-server)");
    }
    qputenv(journal::kServerVariable, QByteArray::fromStdString(db.uri()));
    auto* timer = window.findChild<QTimer*>(QStringLiteral("Timer_JournalOutbox"));
    QVERIFY(timer != nullptr);
    timer->start(0);
    QTRY_COMPARE(waiting->text(), QString());
    timer->stop();
    QCOMPARE(db.query(QStringLiteral("SELECT count(*) FROM jobs")), QStringLiteral("2"));
}

void TestJournalWindow::brokenJournalNeverStopsASlip_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("not a database") << "garbage";
    QTest::newRow("a folder in its place") << "folder";
    QTest::newRow("a FIFO in its place") << "fifo";
    QTest::newRow("written by a newer version") << "newer";
}

void TestJournalWindow::brokenJournalNeverStopsASlip()
{
    QFETCH(QString, damage);
    MainWindowFixture fixture;
    const QString name = QString::fromLatin1(journal::Journal::kFileName);
    if (damage == "garbage") {
        fixture.writeFile(name, QByteArray("SQLite format 3\0", 16) + QByteArray(3000, '\x5A'));
    } else if (damage == "folder") {
        QVERIFY(QDir(fixture.folder()).mkdir(name));
    } else if (damage == "fifo") {
        QCOMPARE(::mkfifo(fixture.path(name).toLocal8Bit().constData(), 0600), 0);
    } else {
        {
            journal::Journal journal(journalPath(fixture));
        }
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bump"));
        db.setDatabaseName(fixture.path(name));
        QVERIFY(db.open());
        QSqlQuery bump(db);
        QVERIFY(bump.prepare(QStringLiteral("UPDATE meta SET value = ? WHERE key = 'version'")));
        bump.addBindValue(QString::number(journal::schema::kCurrentVersion + 1));
        QVERIFY(bump.exec());
        QVERIFY(QSqlQuery(db).exec(QStringLiteral("PRAGMA journal_mode = DELETE")));
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("bump"));
    }
    // Reading a FIFO would wait for a writer: only its being left alone is checked.
    const bool fifo = damage == "fifo";
    const QByteArray before = fifo ? QByteArray() : fixture.readFile(name);
    TForm_Main& window = showWithSlip(fixture);

    fixture.prompt().answerYes();
    pressF11(fixture);
    QCOMPARE(fixture.prompt().questions, QStringList{kPrint});
    QCOMPARE(fixture.printers().jobs.size(), std::size_t(1));
    QVERIFY(fixture.printers().jobs.front().ended);
    QVERIFY(fixture.prompt().errors.isEmpty());
    QCOMPARE(fixture.prompt().notices.size(), 1);
    QVERIFY(fixture.prompt().notices.front().contains(QStringLiteral("履歴に記録できませんでした")));
    QVERIFY(NamedControl<QStatusBar>(window, "StatusBar1")
                ->currentMessage()
                .contains(QStringLiteral("記録できませんでした")));
    QCOMPARE(fifo ? QByteArray() : fixture.readFile(name), before);

    // The history window says why it lists nothing.
    HistoryWindow* history = openHistory(fixture);
    QVERIFY(history);
    QCOMPARE(rows(history), 0);
    QVERIFY(NamedControl<QLabel>(*history, "historyStatus")->text().startsWith(QStringLiteral("履歴を開けません")));
    QCOMPARE(fifo ? QByteArray() : fixture.readFile(name), before);
    QCOMPARE(QFileInfo(fixture.path(name)).isFile(), !fifo && damage != "folder");
}

void TestJournalWindow::historySearchesAsTheUserTypes()
{
    MainWindowFixture fixture;
    fillJournal(fixture);
    showWithSlip(fixture);
    fixture.prompt().answerYes();
    pressF11(fixture);

    HistoryWindow* history = openHistory(fixture);
    QVERIFY(history);
    QCOMPARE(rows(history), 3);
    auto* list = NamedControl<QTableView>(*history, "historyList");
    QCOMPARE(list->model()->index(0, 2).data().toString(), QStringLiteral("西濃太郎"));
    auto* search = NamedControl<QLineEdit>(*history, "historySearch");
    search->setFocus();
    TypeText(search, QStringLiteral("06"));
    QCOMPARE(rows(history), 2);
    TypeText(search, QStringLiteral("1111"));
    QCOMPARE(rows(history), 2);
    TypeText(search, QStringLiteral(" 花"));
    QCOMPARE(rows(history), 1);
    QCOMPARE(list->model()->index(0, 2).data().toString(), QStringLiteral("山田花子"));
    search->clear();
    // Today only: the two older entries drop out.
    NamedControl<QCheckBox>(*history, "historyPeriod")->setChecked(true);
    NamedControl<QDateEdit>(*history, "historyFrom")->setDate(QDate::currentDate());
    QCOMPARE(rows(history), 1);
    QCOMPARE(list->model()->index(0, 2).data().toString(), QStringLiteral("西濃太郎"));
}

void TestJournalWindow::historyLoadsReprintsAndDeletes()
{
    MainWindowFixture fixture;
    fillJournal(fixture);
    TForm_Main& window = showWithSlip(fixture);
    fixture.prompt().answerYes();
    pressF11(fixture);
    NamedControl<QLineEdit>(window, "Edit_Custo1")->clear();
    NamedControl<QLineEdit>(window, "Edit_G3")->clear();
    NamedControl<QLineEdit>(window, "Edit_MyADD1")->clear();

    HistoryWindow* history = openHistory(fixture);
    QVERIFY(history);
    QTest::mouseClick(NamedControl<QPushButton>(*history, "historyLoad"), Qt::LeftButton);
    QCOMPARE(NamedControl<QLineEdit>(window, "Edit_Custo1")->text(), QStringLiteral("西濃太郎"));
    QCOMPARE(NamedControl<QLineEdit>(window, "Edit_G3")->text(), QStringLiteral("ぶどう"));
    QCOMPARE(NamedControl<QLineEdit>(window, "Edit_MyADD1")->text(), QStringLiteral("大阪府大阪市"));
    QCOMPARE(window.kosuuText(), QStringLiteral("42"));
    QCOMPARE(fixture.printers().jobs.size(), std::size_t(1));

    // Asked first: No prints nothing. Printed again as it was, dated today; then once more
    // with the date it had; each reprint is reported.
    const QDate today = QDate::currentDate();
    fixture.prompt().questions.clear();
    fixture.prompt().answerNo();
    QTest::mouseClick(NamedControl<QPushButton>(*history, "historyReprint"), Qt::LeftButton);
    QCOMPARE(fixture.printers().jobs.size(), std::size_t(1));
    fixture.prompt().answerYes();
    QTest::mouseClick(NamedControl<QPushButton>(*history, "historyReprint"), Qt::LeftButton);
    NamedControl<QCheckBox>(*history, "historyKeepDate")->setChecked(true);
    NamedControl<QTableView>(*history, "historyList")->selectRow(1);
    fixture.prompt().answerYes();
    QTest::mouseClick(NamedControl<QPushButton>(*history, "historyReprint"), Qt::LeftButton);
    QVERIFY(fixture.prompt().errors.isEmpty());
    QCOMPARE(fixture.prompt().questions, QStringList(3, QStringLiteral("西濃太郎様の送り状を再印刷しますか?")));
    QCOMPARE(fixture.prompt().notices, QStringList(2, QStringLiteral("西濃太郎様の送り状を再印刷しました")));
    QCOMPARE(fixture.printers().jobs.size(), std::size_t(3));
    const auto recorded = entries(fixture);
    QCOMPARE(recorded.size(), std::size_t(5));
    const journal::JournalEntry& first = recorded[2];
    QCOMPARE(recorded[1].reprintOf, first.id);
    QCOMPARE(std::tie(recorded[1].slip.slipYear, recorded[1].slip.slipMonth, recorded[1].slip.slipDay),
             std::make_tuple(today.year(), today.month(), today.day()));
    QCOMPARE(recorded[1].printState.top, 20);
    QCOMPARE(recorded[0].reprintOf, first.id);
    QCOMPARE(std::tie(recorded[0].slip.slipYear, recorded[0].slip.slipMonth, recorded[0].slip.slipDay),
             std::make_tuple(2010, 12, 6));
    QCOMPARE(rows(history), 5);

    // Deleting asks first; only Yes deletes.
    fixture.prompt().questions.clear();
    fixture.prompt().answerNo();
    QTest::mouseClick(NamedControl<QPushButton>(*history, "historyDelete"), Qt::LeftButton);
    QCOMPARE(rows(history), 5);
    fixture.prompt().answerYes();
    QTest::mouseClick(NamedControl<QPushButton>(*history, "historyDelete"), Qt::LeftButton);
    QCOMPARE(fixture.prompt().questions, QStringList(2, QStringLiteral("この履歴を削除しますか?")));
    QCOMPARE(rows(history), 4);
    QCOMPARE(entries(fixture).size(), std::size_t(4));
}

void TestJournalWindow::longHistoryIsReadAPageAtATime()
{
    MainWindowFixture fixture;
    {
        journal::Journal journal(journalPath(fixture));
        for (int i = 0; i < 450; ++i) {
            journal::JournalEntry entry;
            entry.slip.recipient.name = "客" + std::to_string(i);
            journal.recordJob(entry);
        }
    }
    showWithSlip(fixture);
    HistoryWindow* history = openHistory(fixture);
    QVERIFY(history);
    QAbstractItemModel* model = NamedControl<QTableView>(*history, "historyList")->model();
    QCOMPARE(model->rowCount(), JournalListModel::kPageSize);
    while (model->canFetchMore({})) {
        model->fetchMore({});
    }
    QCOMPARE(model->rowCount(), 450);
    QCOMPARE(model->index(0, 2).data().toString(), QStringLiteral("客449"));
    QCOMPARE(model->index(449, 2).data().toString(), QStringLiteral("客0"));
}

QTEST_MAIN(TestJournalWindow)
#include "tst_journalwindow.moc"
