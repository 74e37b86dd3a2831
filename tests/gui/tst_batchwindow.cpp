#include "gui/BatchMappingDialog.h"
#include "gui/BatchWindow.h"
#include "journal/Journal.h"
#include "tests/support/Cp932Text.h"
#include "tests/support/MainWindowFixture.h"

#include <QLabel>
#include <QMimeData>
#include <QSpinBox>
#include <QTableWidget>

// The batch window with the fake printer: files in, slips listed, mended and printed.
class TestBatchWindow : public QObject
{
    Q_OBJECT

private slots:
    void printsTheChosenSlipsAsOneJob_data();
    void printsTheChosenSlipsAsOneJob();
    void journalKeepsEverySlipOfTheJob_data();
    void journalKeepsEverySlipOfTheJob();
    void ordersPrintedBeforeAreLeftOutUnlessTicked_data();
    void ordersPrintedBeforeAreLeftOutUnlessTicked();
    void continuousFormPagesAreOneFormLong_data();
    void continuousFormPagesAreOneFormLong();
    void previewShowsTheCurrentSlip_data();
    void previewShowsTheCurrentSlip();
    void mendingARowChecksItAgain();
    void genericFileMappingIsRemembered();
    void droppedFileIsRead();
    void listShowsWhatTheFormCannotPrint();
    void unregisteredSenderPrintsNothing();
    void mappingDialogOffersTheColumns_data();
    void mappingDialogOffersTheColumns();
};

namespace {

const QString kData = QStringLiteral(BATCH_DATA_DIR);

void prepare(MainWindowFixture& fixture)
{
    fixture.writeFile("mivo_a500.ini", sjBytes("[連続(４インチ)]\r\nPrnName=Fake Printer\r\nPrnNoIndex=0\r\n"));
    fixture.writeFile("my0.txt", sjBytes("100-0001\r\n東京都千代田区千代田1-1\r\n\r\n西濃商店\r\n03-0000-0000\r\n"));
}

void registerPrinter(MainWindowFixture& fixture, const QString& topMargin)
{
    fixture.writeFile("mivo_a500.ini",
                      sjBytes("[連続(４インチ)]\r\nPrnName=Fake Printer\r\nPrnNoIndex=0\r\ndenPrn_Top=" + topMargin +
                              "\r\ndenPrn_Left=0\r\n"));
}

// The recipient names drawn in the job, page after page.
QStringList drawnNames(const FakePrinterService::Job& job, const QStringList& candidates)
{
    QStringList names;
    for (const auto& item : job.canvas.items()) {
        if (candidates.contains(QString::fromStdString(item.text))) {
            names << QString::fromStdString(item.text);
        }
    }
    return names;
}

void click(QWidget& window, const char* name)
{
    auto* button = window.findChild<QPushButton*>(name);
    QVERIFY(button != nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
}

int column(const QTableWidget& table, const QString& header)
{
    for (int i = 0; i < table.columnCount(); ++i) {
        if (table.horizontalHeaderItem(i)->text() == header) {
            return i;
        }
    }
    return -1;
}

} // namespace

void TestBatchWindow::printsTheChosenSlipsAsOneJob_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("row"); // selected row, or the number typed into "from"
    QTest::addColumn<QStringList>("names");
    QTest::newRow("all") << "Button_PrintAll" << -1 << QStringList{"山田　太郎", "佐藤　花子"};
    QTest::newRow("selected second row") << "Button_PrintSelected" << 1 << QStringList{"佐藤　花子"};
    QTest::newRow("from slip 2") << "Button_PrintFrom" << 2 << QStringList{"佐藤　花子"};
}

void TestBatchWindow::printsTheChosenSlipsAsOneJob()
{
    QFETCH(QString, button);
    QFETCH(int, row);
    QFETCH(QStringList, names);
    MainWindowFixture fixture;
    prepare(fixture);
    BatchWindow window(fixture.folder());
    window.show();
    QVERIFY(window.openFile(kData + "/rakuten-cp932.csv"));
    auto* table = window.findChild<QTableWidget*>("Table_Slips");
    QCOMPARE(table->rowCount(), 2);
    if (button == "Button_PrintSelected") {
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(table->item(row, 0)).center());
    } else if (button == "Button_PrintFrom") {
        auto* from = window.findChild<QSpinBox*>("SpinBox_From");
        from->setFocus();
        from->selectAll();
        QTest::keyClicks(from, QString::number(row));
        QCOMPARE(from->value(), row);
    }
    fixture.prompt().answerYes();
    click(window, button.toLatin1().constData());
    QCOMPARE(fixture.prompt().questions.size(), 1);
    QVERIFY2(fixture.prompt().errors.isEmpty(), qPrintable(fixture.prompt().errors.join('\n')));
    QCOMPARE(fixture.printers().jobs.size(), std::size_t{1});
    const FakePrinterService::Job& job = fixture.printers().jobs.front();
    QVERIFY(job.ended);
    QCOMPARE(job.pages, names.size());
    QCOMPARE(drawnNames(job, {"山田　太郎", "佐藤　花子"}), names);
    QCOMPARE(drawnNames(job, {"西濃商店"}).size(), names.size());
    QCOMPARE(fixture.prompt().notices, QStringList{QStringLiteral("%1枚の送り状を印刷しました").arg(names.size())});
}

void TestBatchWindow::journalKeepsEverySlipOfTheJob_data()
{
    QTest::addColumn<QString>("margin"); // "no resolution": the printer reports none
    QTest::addColumn<bool>("damagedJournal");
    QTest::addColumn<int>("pages"); // what reached the printer
    QTest::addColumn<QString>("status");
    QTest::newRow("printed") << "0" << false << 2 << "printed";
    QTest::newRow("a slip that cannot be drawn aborts the job") << "no resolution" << false << 0 << "aborted";
    QTest::newRow("a damaged journal does not stop the job") << "0" << true << 2 << "";
}

void TestBatchWindow::journalKeepsEverySlipOfTheJob()
{
    QFETCH(QString, margin);
    QFETCH(bool, damagedJournal);
    QFETCH(int, pages);
    QFETCH(QString, status);
    MainWindowFixture fixture;
    prepare(fixture);
    registerPrinter(fixture, "0");
    if (margin == "no resolution") {
        fixture.printers().printers.front().resolution = {0, 0};
    }
    const QByteArray garbage(4096, 'x');
    if (damagedJournal) {
        fixture.writeFile(journal::Journal::kFileName, garbage);
    }
    BatchWindow window(fixture.folder());
    window.show();
    QVERIFY(window.openFile(kData + "/rakuten-cp932.csv"));
    fixture.prompt().answerYes();
    click(window, "Button_PrintAll");
    QCOMPARE(fixture.printers().jobs.size(), std::size_t{1});
    QCOMPARE(fixture.printers().jobs.front().ended ? fixture.printers().jobs.front().pages : 0, pages);
    if (damagedJournal) {
        QCOMPARE(fixture.prompt().notices.size(), 1);
        QVERIFY(fixture.prompt().notices.front().contains(QStringLiteral("印刷履歴に記録できませんでした")));
        QFile file(fixture.path(journal::Journal::kFileName));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), garbage);
        return;
    }
    journal::Journal journal(journal::Journal::In(fixture.folder().toStdString()));
    std::vector<journal::JournalEntry> entries = journal.search({});
    QCOMPARE(entries.size(), std::size_t{2});
    std::reverse(entries.begin(), entries.end());
    const QStringList orders{"R-001", "R-002"};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        QCOMPARE(QString::fromLatin1(journal::StatusName(entries[i].status)), status);
        QCOMPARE(QString::fromStdString(entries[i].orderNumber), orders[static_cast<int>(i)]);
        QCOMPARE(entries[i].paperFeed, std::string("連続(４インチ)"));
        QCOMPARE(entries[i].printer, std::string("Fake Printer"));
    }
    QCOMPARE(journal.hasOrder("R-001"), status == "printed");
}

void TestBatchWindow::ordersPrintedBeforeAreLeftOutUnlessTicked_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("tick");
    QTest::addColumn<QStringList>("names"); // drawn; none: no job
    QTest::addColumn<QString>("told");      // the question, or the notice when nothing prints
    QTest::newRow("all, not ticked") << "Button_PrintAll" << false << QStringList{"佐藤　花子"}
                                     << "1枚の送り状を印刷しますか?（印刷済みの1枚は除きます）";
    QTest::newRow("all, ticked") << "Button_PrintAll" << true << QStringList{"山田　太郎", "佐藤　花子"}
                                 << "2枚の送り状を印刷しますか?";
    QTest::newRow("only the printed one")
        << "Button_PrintSelected" << false << QStringList{}
        << "選んだ送り状はすべて印刷済みです。もう一度印刷するには番号にチェックを入れてください";
}

void TestBatchWindow::ordersPrintedBeforeAreLeftOutUnlessTicked()
{
    QFETCH(QString, button);
    QFETCH(bool, tick);
    QFETCH(QStringList, names);
    QFETCH(QString, told);
    MainWindowFixture fixture;
    prepare(fixture);
    {
        journal::Journal journal(journal::Journal::In(fixture.folder().toStdString()));
        journal::JournalEntry entry;
        entry.orderNumber = "R-001";
        journal.recordJob(entry);
    }
    BatchWindow window(fixture.folder());
    window.show();
    QVERIFY(window.openFile(kData + "/rakuten-cp932.csv"));
    auto* table = window.findChild<QTableWidget*>("Table_Slips");
    QTableWidgetItem* number = table->item(0, 0);
    QVERIFY(number->data(Qt::CheckStateRole).isValid());
    QVERIFY(!table->item(1, 0)->data(Qt::CheckStateRole).isValid());
    QVERIFY(table->item(0, column(*table, "注意"))->text().contains(QStringLiteral("印刷済み")));
    QVERIFY(number->background() != table->item(1, 0)->background());
    const QRect box = table->visualItemRect(number);
    if (tick) {
        // The check box sits at the left of the cell.
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, QPoint(box.left() + 10, box.center().y()));
        QCOMPARE(number->checkState(), Qt::Checked);
    } else if (button == "Button_PrintSelected") {
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, box.center());
    }
    fixture.prompt().answerYes();
    click(window, button.toLatin1().constData());
    if (names.isEmpty()) {
        QCOMPARE(fixture.prompt().notices, QStringList{told});
        QVERIFY(fixture.printers().jobs.empty());
        return;
    }
    QCOMPARE(fixture.prompt().questions, QStringList{told});
    QCOMPARE(fixture.printers().jobs.size(), std::size_t{1});
    QCOMPARE(drawnNames(fixture.printers().jobs.front(), {"山田　太郎", "佐藤　花子"}), names);
    // What just printed is marked too.
    QVERIFY(table->item(1, 0)->data(Qt::CheckStateRole).isValid());
}

void TestBatchWindow::continuousFormPagesAreOneFormLong_data()
{
    QTest::addColumn<int>("paper");
    QTest::addColumn<double>("pageLength"); // points; 0: the printer's paper
    QTest::newRow("continuous") << 1 << 288.0;
    QTest::newRow("hand-fed") << 0 << 0.0;
}

void TestBatchWindow::continuousFormPagesAreOneFormLong()
{
    QFETCH(int, paper);
    QFETCH(double, pageLength);
    MainWindowFixture fixture;
    prepare(fixture);
    fixture.writeFile("mivo_a500.ini", sjBytes("[手差し]\r\nPrnName=Fake Printer\r\nPrnNoIndex=0\r\n"
                                               "[連続(４インチ)]\r\nPrnName=Fake Printer\r\nPrnNoIndex=0\r\n"));
    BatchWindow window(fixture.folder());
    window.show();
    QVERIFY(window.openFile(kData + "/rakuten-cp932.csv"));
    window.findChild<QComboBox*>("ComboBox_Paper")->setCurrentIndex(paper);
    fixture.prompt().answerYes();
    click(window, "Button_PrintAll");
    QCOMPARE(fixture.printers().jobs.size(), std::size_t{1});
    QCOMPARE(fixture.printers().jobs.front().pages, 2);
    QCOMPARE(fixture.printers().jobs.front().pageLengthPt, pageLength);
}

void TestBatchWindow::previewShowsTheCurrentSlip_data()
{
    QTest::addColumn<int>("paper");
    QTest::addColumn<bool>("formLong"); // a 4-inch page, not the printer's paper
    QTest::newRow("continuous") << 1 << true;
    QTest::newRow("hand-fed") << 0 << false;
}

void TestBatchWindow::previewShowsTheCurrentSlip()
{
    QFETCH(int, paper);
    QFETCH(bool, formLong);
    MainWindowFixture fixture;
    prepare(fixture);
    fixture.writeFile("mivo_a500.ini", sjBytes("[手差し]\r\nPrnName=Fake Printer\r\nPrnNoIndex=0\r\n"
                                               "[連続(４インチ)]\r\nPrnName=Fake Printer\r\nPrnNoIndex=0\r\n"));
    for (auto& printer : fixture.printers().printers) {
        printer.papers = {{9, "A4", 595, 842}};
    }
    BatchWindow window(fixture.folder());
    window.show();
    QVERIFY(window.openFile(kData + "/rakuten-cp932.csv"));
    window.findChild<QComboBox*>("ComboBox_Paper")->setCurrentIndex(paper);
    auto* table = window.findChild<QTableWidget*>("Table_Slips");
    auto* preview = window.findChild<QLabel*>("Label_Preview");
    QVERIFY(preview != nullptr);
    QImage shown[2];
    for (int row = 0; row < 2; ++row) {
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(table->item(row, 1)).center());
        QVERIFY2(!preview->pixmap().isNull(), qPrintable(preview->text()));
        shown[row] = preview->pixmap().toImage();
    }
    QVERIFY(shown[0] != shown[1]);
    QCOMPARE(shown[0].height(), formLong ? 144 : 421);
    QVERIFY(fixture.printers().jobs.empty());
    // Mending a field redraws the preview.
    const int name = column(*table, "おなまえ");
    table->item(1, name)->setText(QStringLiteral("鈴木　一郎"));
    QVERIFY(preview->pixmap().toImage() != shown[1]);
}

void TestBatchWindow::mendingARowChecksItAgain()
{
    MainWindowFixture fixture;
    prepare(fixture);
    BatchWindow window(fixture.folder());
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(window.openFile(kData + "/stores-utf8.csv"));
    auto* table = window.findChild<QTableWidget*>("Table_Slips");
    const int warnings = column(*table, "注意");
    QVERIFY(table->item(1, warnings)->text().contains("郵便番号の形が正しくありません"));
    table->setCurrentCell(1, column(*table, "郵便番号"));
    table->setFocus();
    QTest::keyClick(table, Qt::Key_F2);
    QWidget* editor = QApplication::focusWidget();
    QVERIFY(editor != nullptr && editor != table);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, "105-0011");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(QString::fromStdString(window.slips()[1].recipient.zip), QStringLiteral("105-0011"));
    QVERIFY(fixture.prompt().questions.isEmpty());
    QVERIFY2(!table->item(1, warnings)->text().contains("郵便番号"), qPrintable(table->item(1, warnings)->text()));
    QVERIFY(table->item(1, warnings)->text().contains("電話番号がありません"));
}

void TestBatchWindow::genericFileMappingIsRemembered()
{
    MainWindowFixture fixture;
    prepare(fixture);
    BatchWindow window(fixture.folder());
    QStringList remembered;
    std::optional<std::string> answer;
    window.setMappingQuestion([&](const std::vector<std::string>&, const std::string& last) {
        remembered << QString::fromStdString(last);
        return answer;
    });
    QVERIFY(!window.openFile(kData + "/generic-cp932.csv"));
    QVERIFY(window.slips().empty());
    answer = "name=1,zip=2,address1=3,tel=4,item=5";
    QVERIFY(window.openFile(kData + "/generic-cp932.csv"));
    QCOMPARE(window.slips().size(), std::size_t{2});
    QCOMPARE(window.slips()[0].recipient.name, std::string("石井, 和也"));
    QVERIFY(window.openFile(kData + "/generic-utf8.csv"));
    QCOMPARE(remembered, (QStringList{"", "", "name=1,zip=2,address1=3,tel=4,item=5"}));
    QVERIFY(fixture.exists("mivo_batch_map.ini"));
    QVERIFY(fixture.prompt().errors.isEmpty());
}

void TestBatchWindow::droppedFileIsRead()
{
    MainWindowFixture fixture;
    prepare(fixture);
    BatchWindow window(fixture.folder());
    window.show();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(kData + "/amazon-cp932.txt")});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    QCOMPARE(window.findChild<QTableWidget*>("Table_Slips")->rowCount(), 2);
    QVERIFY(window.findChild<QLabel*>("Label_Summary")->text().contains("amazon"));
}

void TestBatchWindow::listShowsWhatTheFormCannotPrint()
{
    MainWindowFixture fixture;
    prepare(fixture);
    fixture.writeFile("orders.csv", "OrderId,ShipName,ShipZipCode,ShipPrefecture,ShipAddress1,ShipPhoneNumber\n"
                                    "1,花子🌸,100-0005,東京都,千代田区丸の内1-1,03-1111-2222\n");
    BatchWindow window(fixture.folder());
    QVERIFY(window.openFile(fixture.path("orders.csv")));
    auto* table = window.findChild<QTableWidget*>("Table_Slips");
    QCOMPARE(table->item(0, column(*table, "おなまえ"))->text(), QStringLiteral("花子〓"));
    QVERIFY(table->item(0, column(*table, "注意"))->text().contains("〓"));
}

void TestBatchWindow::unregisteredSenderPrintsNothing()
{
    MainWindowFixture fixture;
    prepare(fixture);
    BatchWindow window(fixture.folder());
    window.show();
    QVERIFY(window.openFile(kData + "/base-utf8.csv"));
    auto* sender = window.findChild<QComboBox*>("ComboBox_Sender");
    QCOMPARE(sender->itemText(0), QStringLiteral("1: 西濃商店"));
    sender->setCurrentIndex(1);
    fixture.prompt().answerYes();
    click(window, "Button_PrintAll");
    QCOMPARE(fixture.prompt().errors, QStringList{QStringLiteral("ご依頼主2 が登録されていません")});
    QVERIFY(fixture.printers().jobs.empty());
}

void TestBatchWindow::mappingDialogOffersTheColumns_data()
{
    QTest::addColumn<QString>("remembered");
    QTest::addColumn<QString>("field"); // the box the user changes
    QTest::addColumn<int>("downs");     // arrow-down presses on it
    QTest::addColumn<QString>("mapping");
    QTest::newRow("fresh file: one column chosen") << ""
                                                   << "name" << 1 << "name=1";
    QTest::newRow("remembered mapping preselected") << "zip=2,name=1"
                                                    << "tel" << 4 << "zip=2,name=1,tel=4";
    QTest::newRow("remembered by header name") << "address1=住所"
                                               << "item" << 5 << "address1=3,item=5";
    QTest::newRow("a stale mapping preselects nothing") << "zip=9"
                                                        << "zip" << 2 << "zip=2";
}

void TestBatchWindow::mappingDialogOffersTheColumns()
{
    QFETCH(QString, remembered);
    QFETCH(QString, field);
    QFETCH(int, downs);
    QFETCH(QString, mapping);
    const std::vector<std::string> header{"氏名", "郵便番号", "住所", "電話", "品物"};
    BatchMappingDialog dialog(header, remembered.toStdString());
    dialog.show();
    auto* box = dialog.findChild<QComboBox*>("ComboBox_" + field);
    QVERIFY(box != nullptr);
    QCOMPARE(box->count(), 6);
    box->setFocus();
    for (int i = 0; i < 10 && box->currentIndex() < downs; ++i) {
        QTest::keyClick(box, Qt::Key_Down);
    }
    QCOMPARE(QString::fromStdString(dialog.mapping()), mapping);
}

QTEST_MAIN(TestBatchWindow)
#include "tst_batchwindow.moc"
