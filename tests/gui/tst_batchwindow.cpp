#include "gui/BatchMappingDialog.h"
#include "gui/BatchWindow.h"
#include "journal/Journal.h"
#include "tests/support/Cp932Text.h"
#include "tests/support/MainWindowFixture.h"

#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>

// The batch window with the fake printer: files in, slips listed, mended and printed.
class TestBatchWindow : public QObject
{
    Q_OBJECT

private slots:
    void printsTheChosenSlipsAsOneJob_data();
    void printsTheChosenSlipsAsOneJob();
    void printAllHoldsBackUnreadableSlips();
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
    void resumingAfterAJamPrintsFromNOn_data();
    void resumingAfterAJamPrintsFromNOn();
    void spaceTicksEverySelectedRow();
    void ordersWithoutAnAddressAreNeverPrinted();
    void newFileShowsItsOwnPreview();
    void previewGrowsWithItsPane();
    void escapeClosesTheWindow_data();
    void escapeClosesTheWindow();
    void fileDialogStartsInTheLastFolder();
    void readingErrorsAreInJapanese();
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

void recordPrinted(MainWindowFixture& fixture, const QStringList& orders)
{
    journal::Journal journal(journal::Journal::In(fixture.folder().toStdString()));
    for (const QString& order : orders) {
        journal::JournalEntry entry;
        entry.orderNumber = order.toStdString();
        journal.recordJob(entry);
    }
}

void typeFrom(QWidget& window, int number)
{
    auto* from = window.findChild<QSpinBox*>("SpinBox_From");
    from->setFocus();
    from->selectAll();
    QTest::keyClicks(from, QString::number(number));
    QCOMPARE(from->value(), number);
}

void clickRow(QTableWidget& table, int row, Qt::KeyboardModifiers modifiers = {})
{
    QTest::mouseClick(table.viewport(), Qt::LeftButton, modifiers,
                      table.visualItemRect(table.item(row, column(table, "注文番号"))).center());
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

void TestBatchWindow::printAllHoldsBackUnreadableSlips()
{
    MainWindowFixture fixture;
    prepare(fixture);
    QFile sample(kData + "/rakuten-utf8.csv");
    QVERIFY(sample.open(QIODevice::ReadOnly));
    QByteArray bytes = sample.readAll();
    // A byte neither UTF-8 nor code page 932 can read, in the second order's name.
    const qsizetype second = bytes.indexOf("R-002");
    QVERIFY(second > 0);
    bytes.insert(bytes.indexOf(',', second) + 1, "\xff");
    fixture.writeFile("held.csv", bytes);
    BatchWindow window(fixture.folder());
    window.show();
    QVERIFY(window.openFile(fixture.path("held.csv")));
    fixture.prompt().answerYes();
    click(window, "Button_PrintAll");
    QVERIFY2(!fixture.prompt().notices.isEmpty() &&
                 fixture.prompt().notices.front().contains(QStringLiteral("読めない文字")),
             qPrintable(fixture.prompt().notices.join('|')));
    QCOMPARE(fixture.printers().jobs.size(), std::size_t{1});
    QCOMPARE(fixture.printers().jobs.front().pages, 1);
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
    QTest::addColumn<QString>("station");   // that printed it; empty: this one
    QTest::newRow("all, not ticked") << "Button_PrintAll" << false << QStringList{"佐藤　花子"}
                                     << "1枚の送り状を印刷しますか?（印刷済みの1枚は除きます）" << QString();
    QTest::newRow("all, ticked") << "Button_PrintAll" << true << QStringList{"山田　太郎", "佐藤　花子"}
                                 << "2枚の送り状を印刷しますか?" << QString();
    QTest::newRow("only the printed one")
        << "Button_PrintSelected" << false << QStringList{}
        << "選んだ送り状はすべて印刷済みです。もう一度印刷するには番号にチェックを入れてください" << QString();
    QTest::newRow("another station's, not ticked")
        << "Button_PrintAll" << false << QStringList{"佐藤　花子"}
        << "1枚の送り状を印刷しますか?（印刷済みの1枚は除きます）" << QStringLiteral("梱包2");
    QTest::newRow("another station's, ticked") << "Button_PrintAll" << true << QStringList{"山田　太郎", "佐藤　花子"}
                                               << "2枚の送り状を印刷しますか?" << QStringLiteral("梱包2");
}

void TestBatchWindow::ordersPrintedBeforeAreLeftOutUnlessTicked()
{
    QFETCH(QString, button);
    QFETCH(bool, tick);
    QFETCH(QStringList, names);
    QFETCH(QString, told);
    QFETCH(QString, station);
    MainWindowFixture fixture;
    prepare(fixture);
    {
        journal::Journal journal(journal::Journal::In(fixture.folder().toStdString()));
        journal::JournalEntry entry;
        entry.orderNumber = "R-001";
        entry.station = station.toStdString();
        journal.recordJob(entry);
    }
    BatchWindow window(fixture.folder());
    window.show();
    QVERIFY(window.openFile(kData + "/rakuten-cp932.csv"));
    auto* table = window.findChild<QTableWidget*>("Table_Slips");
    const int numbers = column(*table, "番号");
    QTableWidgetItem* number = table->item(0, numbers);
    QVERIFY(number->data(Qt::CheckStateRole).isValid());
    QVERIFY(!table->item(1, numbers)->data(Qt::CheckStateRole).isValid());
    // The warnings come first, where they are seen without scrolling.
    QCOMPARE(column(*table, "注意"), 0);
    const QString mark = station.isEmpty() ? QStringLiteral("印刷済みの注文です")
                                           : QStringLiteral("他の端末で印刷済み（%1）").arg(station);
    QVERIFY(table->item(0, column(*table, "注意"))->text().contains(mark));
    QVERIFY(number->background() != table->item(1, numbers)->background());
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
    QVERIFY(table->item(1, numbers)->data(Qt::CheckStateRole).isValid());
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
    QTest::addColumn<double>("heightPerWidth"); // of the page shown
    QTest::newRow("continuous: a 4-inch page") << 1 << 288.0 / 595;
    QTest::newRow("hand-fed: the printer's paper") << 0 << 842.0 / 595;
}

void TestBatchWindow::previewShowsTheCurrentSlip()
{
    QFETCH(int, paper);
    QFETCH(double, heightPerWidth);
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
    QVERIFY2(qAbs(double(shown[0].height()) / shown[0].width() - heightPerWidth) < 0.02,
             qPrintable(QStringLiteral("%1 x %2").arg(shown[0].width()).arg(shown[0].height())));
    QVERIFY(shown[0].height() <= preview->height());
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
    QCOMPARE(window.slips().size(), std::size_t{1}); // the second order has no address
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
    QTest::newRow("fresh file: columns named by their headers") << ""
                                                                << "order" << 0 << "zip=2,address1=3,name=1,tel=4";
    QTest::newRow("fresh file: the user adds a column") << ""
                                                        << "item" << 5 << "zip=2,address1=3,name=1,tel=4,item=5";
    QTest::newRow("remembered mapping preselected") << "zip=2,name=1"
                                                    << "tel" << 4 << "zip=2,name=1,tel=4";
    QTest::newRow("remembered by header name") << "address1=住所"
                                               << "item" << 5 << "address1=3,item=5";
    QTest::newRow("a stale mapping gives way to the headers") << "zip=9"
                                                              << "zip" << 2 << "zip=2,address1=3,name=1,tel=4";
}

void TestBatchWindow::mappingDialogOffersTheColumns()
{
    QFETCH(QString, remembered);
    QFETCH(QString, field);
    QFETCH(int, downs);
    QFETCH(QString, mapping);
    const std::vector<std::string> header{"氏名", "郵便番号", "住所", "電話", "備考"};
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

void TestBatchWindow::resumingAfterAJamPrintsFromNOn_data()
{
    QTest::addColumn<QStringList>("printedBefore"); // orders the journal knows
    QTest::addColumn<int>("from");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("question");
    const QStringList both{"山田　太郎", "佐藤　花子"};
    QTest::newRow("after a full print, from 1")
        << QStringList{"R-001", "R-002"} << 1 << both << "1番から2枚の送り状を印刷しますか?（うち2枚は印刷済みです）";
    QTest::newRow("after a full print, from 2") << QStringList{"R-001", "R-002"} << 2 << QStringList{"佐藤　花子"}
                                                << "2番から1枚の送り状を印刷しますか?（うち1枚は印刷済みです）";
    QTest::newRow("the first printed, from 1")
        << QStringList{"R-001"} << 1 << both << "1番から2枚の送り状を印刷しますか?（うち1枚は印刷済みです）";
    QTest::newRow("nothing printed before") << QStringList{} << 1 << both << "1番から2枚の送り状を印刷しますか?";
}

// After a jam the slips from N on are printed again, whether the journal knows them or not.
void TestBatchWindow::resumingAfterAJamPrintsFromNOn()
{
    QFETCH(QStringList, printedBefore);
    QFETCH(int, from);
    QFETCH(QStringList, names);
    QFETCH(QString, question);
    MainWindowFixture fixture;
    prepare(fixture);
    recordPrinted(fixture, printedBefore);
    BatchWindow window(fixture.folder());
    window.show();
    QVERIFY(window.openFile(kData + "/rakuten-cp932.csv"));
    typeFrom(window, from);
    fixture.prompt().answerYes();
    click(window, "Button_PrintFrom");
    QCOMPARE(fixture.prompt().questions, QStringList{question});
    QCOMPARE(fixture.printers().jobs.size(), std::size_t{1});
    QCOMPARE(drawnNames(fixture.printers().jobs.front(), {"山田　太郎", "佐藤　花子"}), names);
}

void TestBatchWindow::spaceTicksEverySelectedRow()
{
    MainWindowFixture fixture;
    prepare(fixture);
    recordPrinted(fixture, {"R-001", "R-002"});
    BatchWindow window(fixture.folder());
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(window.openFile(kData + "/rakuten-cp932.csv"));
    auto* table = window.findChild<QTableWidget*>("Table_Slips");
    const int numbers = column(*table, "番号");
    clickRow(*table, 0);
    clickRow(*table, 1, Qt::ShiftModifier);
    const auto ticks = [&] {
        return QList<Qt::CheckState>{table->item(0, numbers)->checkState(), table->item(1, numbers)->checkState()};
    };
    QTest::keyClick(table, Qt::Key_Space);
    QCOMPARE(ticks(), (QList<Qt::CheckState>{Qt::Checked, Qt::Checked}));
    QCOMPARE(QApplication::focusWidget(), table); // no cell was opened for editing
    QTest::keyClick(table, Qt::Key_Space);
    QCOMPARE(ticks(), (QList<Qt::CheckState>{Qt::Unchecked, Qt::Unchecked}));
    // One ticked by hand: Space ticks the other too.
    clickRow(*table, 0);
    QTest::keyClick(table, Qt::Key_Space);
    clickRow(*table, 1, Qt::ShiftModifier);
    QTest::keyClick(table, Qt::Key_Space);
    QCOMPARE(ticks(), (QList<Qt::CheckState>{Qt::Checked, Qt::Checked}));
    fixture.prompt().answerYes();
    click(window, "Button_PrintAll");
    QCOMPARE(fixture.prompt().questions, QStringList{"2枚の送り状を印刷しますか?"});
    QCOMPARE(fixture.printers().jobs.front().pages, 2);
}

void TestBatchWindow::ordersWithoutAnAddressAreNeverPrinted()
{
    MainWindowFixture fixture;
    prepare(fixture);
    fixture.writeFile("orders.csv", "OrderId,ShipName,ShipZipCode,ShipPrefecture,ShipAddress1,ShipPhoneNumber\n"
                                    "1,山田　太郎,100-0005,東京都,千代田区丸の内1-1,03-1111-2222\n"
                                    "2,佐藤　花子,,,,03-3333-4444\n"
                                    "3,鈴木　一郎,530-0001,大阪府,大阪市北区梅田1-1,\n");
    BatchWindow window(fixture.folder());
    window.show();
    QVERIFY(window.openFile(fixture.path("orders.csv")));
    auto* table = window.findChild<QTableWidget*>("Table_Slips");
    QCOMPARE(table->rowCount(), 2);
    auto* skipped = window.findChild<QListWidget*>("List_Skipped");
    QVERIFY(skipped->isVisible());
    QCOMPARE(skipped->count(), 1);
    QCOMPARE(skipped->item(0)->text(), QStringLiteral("3行目: お届け先の住所がありません"));
    // Without a telephone the slip stays, with its warning.
    QVERIFY(table->item(1, column(*table, "注意"))->text().contains(QStringLiteral("電話番号がありません")));
    // An address mended away is not printed either.
    for (const char* header : {"郵便番号", "おところ①", "おところ②"}) {
        table->item(0, column(*table, header))->setText(QString());
    }
    fixture.prompt().answerYes();
    click(window, "Button_PrintAll");
    QCOMPARE(fixture.prompt().notices.value(0),
             QStringLiteral("1番の送り状は印刷しません（お届け先の住所がありません）"));
    QCOMPARE(fixture.printers().jobs.size(), std::size_t{1});
    QCOMPARE(drawnNames(fixture.printers().jobs.front(), {"山田　太郎", "鈴木　一郎"}), QStringList{"鈴木　一郎"});
    // A fresh file without such rows hides the list.
    QVERIFY(window.openFile(kData + "/base-utf8.csv"));
    QVERIFY(!skipped->isVisible());
}

void TestBatchWindow::newFileShowsItsOwnPreview()
{
    MainWindowFixture fixture;
    prepare(fixture);
    BatchWindow window(fixture.folder());
    window.show();
    auto* table = window.findChild<QTableWidget*>("Table_Slips");
    auto* preview = window.findChild<QLabel*>("Label_Preview");
    QVERIFY(window.openFile(kData + "/rakuten-cp932.csv"));
    const QImage firstFile = preview->pixmap().toImage();
    QVERIFY(!firstFile.isNull());
    QVERIFY(window.openFile(kData + "/base-utf8.csv"));
    const QImage secondFile = preview->pixmap().toImage();
    QVERIFY(secondFile != firstFile);
    clickRow(*table, 1);
    clickRow(*table, 0);
    QCOMPARE(preview->pixmap().toImage(), secondFile);
}

void TestBatchWindow::previewGrowsWithItsPane()
{
    MainWindowFixture fixture;
    prepare(fixture);
    BatchWindow window(fixture.folder());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.openFile(kData + "/rakuten-cp932.csv"));
    auto* preview = window.findChild<QLabel*>("Label_Preview");
    const int before = preview->pixmap().height();
    auto* splitter = window.findChild<QSplitter*>("Splitter_Preview");
    QSplitterHandle* handle = splitter->handle(1);
    const QPoint grip = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, {}, grip);
    QTest::mouseMove(handle, grip - QPoint(0, 200));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, grip - QPoint(0, 200));
    QTRY_VERIFY2(preview->pixmap().height() > before + 100,
                 qPrintable(QStringLiteral("%1 -> %2").arg(before).arg(preview->pixmap().height())));
    QVERIFY(preview->pixmap().height() <= preview->height());
}

void TestBatchWindow::escapeClosesTheWindow_data()
{
    QTest::addColumn<QString>("focus");
    QTest::newRow("in the list") << "Table_Slips";
    QTest::newRow("in the number to print from") << "SpinBox_From";
    QTest::newRow("on the paper feed") << "ComboBox_Paper";
}

void TestBatchWindow::escapeClosesTheWindow()
{
    QFETCH(QString, focus);
    MainWindowFixture fixture;
    prepare(fixture);
    BatchWindow window(fixture.folder());
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(window.openFile(kData + "/rakuten-cp932.csv"));
    auto* control = window.findChild<QWidget*>(focus);
    control->setFocus();
    QTest::keyClick(control, Qt::Key_Escape);
    QVERIFY(!window.isVisible());
}

void TestBatchWindow::fileDialogStartsInTheLastFolder()
{
    MainWindowFixture fixture;
    prepare(fixture);
    QVERIFY(QDir(fixture.folder()).mkpath("注文/6月"));
    const QString orders = fixture.path("注文/6月");
    QVERIFY(QFile::copy(kData + "/rakuten-cp932.csv", orders + "/rakuten.csv"));
    QStringList starts;
    const auto open = [&](const QString& answer) {
        BatchWindow window(fixture.folder());
        window.setFileQuestion([&](const QString& start) {
            starts << start;
            return answer;
        });
        window.show();
        click(window, "Button_Open");
        return window.slips().size();
    };
    QCOMPARE(open(QString()), std::size_t{0});
    QCOMPARE(open(orders + "/rakuten.csv"), std::size_t{2});
    QCOMPARE(open(QString()), std::size_t{0});
    QCOMPARE(starts, (QStringList{fixture.folder(), fixture.folder(), orders}));
    // A folder that went away is no place to start.
    QVERIFY(QDir(orders).removeRecursively());
    open(QString());
    QCOMPARE(starts.last(), fixture.folder());
}

void TestBatchWindow::readingErrorsAreInJapanese()
{
    MainWindowFixture fixture;
    prepare(fixture);
    BatchWindow window(fixture.folder());
    window.setMappingQuestion(
        [](const std::vector<std::string>&, const std::string&) { return std::optional<std::string>("name=お名前"); });
    QVERIFY(!window.openFile(kData + "/generic-utf8.csv"));
    QCOMPARE(fixture.prompt().errors, QStringList{"ファイルに列「お名前」がありません"});
}

QTEST_MAIN(TestBatchWindow)
#include "tst_batchwindow.moc"
