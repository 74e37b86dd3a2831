#include "tests/support/EmptySender.h"
#include "tests/support/MainWindowFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTest>

namespace {
const QColor kSilver(192, 192, 192);

QColor memoColor(const QPlainTextEdit* memo)
{
    return memo->palette().color(QPalette::Base);
}

QStringList recipient(MainWindowFixture& fixture)
{
    QStringList fields;
    for (const char* name : {"Edit_Zip", "Edit_Add1", "Edit_Add2", "Edit_Custo1", "Edit_tel"}) {
        fields.append(fixture.control<QLineEdit>(name)->text());
    }
    return fields;
}

void fillRecipient(MainWindowFixture& fixture, const QStringList& fields)
{
    int i = 0;
    for (const char* name : {"Edit_Zip", "Edit_Add1", "Edit_Add2", "Edit_Custo1", "Edit_tel"}) {
        fixture.control<QLineEdit>(name)->setText(fields[i++]);
    }
}
} // namespace

class TestTransferWindow : public QObject
{
    Q_OBJECT

private slots:
    void transferFillsTheRecipient();
    void refused_data();
    void refused();
    void memoColor();
    void halfWidthInPlace_data();
    void halfWidthInPlace();
};

void TestTransferWindow::transferFillsTheRecipient()
{
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    TForm_Main& window = fixture.show();
    auto* memo = fixture.control<QPlainTextEdit>("Memo1");
    window.setKosuuText("5");
    fixture.control<QLineEdit>("Edit_G1")->setText("書籍");
    memo->setPlainText("お届け先\n〒１２３－４５６７ 東京都中央区銀座９－９－９\n第一ビル３階\n山田 花子 様\n"
                       "ＴＥＬ：０３－１２３４－５６７８\n");

    QTest::mouseClick(fixture.control<QPushButton>("BitBtn_1"), Qt::LeftButton);

    const QStringList expected{"123-4567", "東京都中央区銀座9-9-9", "", "第一ビル３階", "03-1234-5678"};
    QCOMPARE(recipient(fixture), expected);
    QCOMPARE(memo->toPlainText(),
             QString("\n123-4567\n第一ビル３階\n山田 花子\n０３－１２３４－５６７８\n 東京都中央区銀座9-9-9\n"));
    QCOMPARE(window.kosuuText(), QString("1"));
    QCOMPARE(fixture.control<QLineEdit>("Edit_G1")->text(), QString("書籍"));
    QTRY_COMPARE(fixture.focusedName(), QString("Edit_Zip"));
    QVERIFY(fixture.prompt().notices.isEmpty());

    // The memo the first transfer left gives the same fields again.
    window.setKosuuText("3");
    QTest::mouseClick(fixture.control<QPushButton>("BitBtn_1"), Qt::LeftButton);
    QCOMPARE(recipient(fixture), expected);
    QCOMPARE(window.kosuuText(), QString("1"));
    QVERIFY(fixture.control<QLabel>("Label_Warning")->text().isEmpty());
}

void TestTransferWindow::refused_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<QString>("memoAfter");
    QTest::addColumn<bool>("focusInMemo");

    QTest::newRow("empty memo") << ""
                                << "転送テキストがありません"
                                << "" << false;
    QTest::newRow("mail lines only") << "\n taro@example.org\nhttps://example.com\n"
                                     << "転送テキストがありません"
                                     << "" << false;
    QTest::newRow("eight lines") << "1\n\n2\n3\n4\n5\n6\n7\n8"
                                 << " ７行以内に収めてください  現在 8行です"
                                 << "1\n2\n3\n4\n5\n6\n7\n8" << true;
}

void TestTransferWindow::refused()
{
    QFETCH(QString, pasted);
    QFETCH(QString, notice);
    QFETCH(QString, memoAfter);
    QFETCH(bool, focusInMemo);

    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    TForm_Main& window = fixture.show();
    const QStringList before{"123-4567", "北海道札幌市中央区北一条西二丁目一番地一号札幌ビル", "", "山田", ""};
    fillRecipient(fixture, before);
    window.setKosuuText("4");
    fixture.control<QPlainTextEdit>("Memo1")->setPlainText(pasted);

    QTest::mouseClick(fixture.control<QPushButton>("BitBtn_1"), Qt::LeftButton);

    QCOMPARE(fixture.prompt().notices, QStringList{notice});
    QCOMPARE(recipient(fixture), before);
    QCOMPARE(window.kosuuText(), QString("4"));
    QCOMPARE(fixture.control<QPlainTextEdit>("Memo1")->toPlainText(), memoAfter);
    // The warning is re-evaluated after either notice.
    QVERIFY(!fixture.control<QLabel>("Label_Warning")->text().isEmpty());
    if (focusInMemo) {
        QTRY_COMPARE(fixture.focusedName(), QString("Memo1"));
    }
}

void TestTransferWindow::memoColor()
{
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    fixture.show();
    auto* memo = fixture.control<QPlainTextEdit>("Memo1");
    QCOMPARE(::memoColor(memo), kSilver);

    memo->setFocus();
    QTest::keyClicks(memo, "abc");
    QVERIFY(::memoColor(memo) != kSilver);

    QTest::mouseClick(fixture.control<QPushButton>("BitBtn_MemoCLS"), Qt::LeftButton);
    QVERIFY(memo->toPlainText().isEmpty());
    QCOMPARE(::memoColor(memo), kSilver);
}

void TestTransferWindow::halfWidthInPlace_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("converted");

    QTest::newRow("postal code") << "Edit_Zip"
                                 << "１２３－４５６７"
                                 << "123-4567";
    QTest::newRow("telephone") << "Edit_tel"
                               << "ＴＥＬ　０３－１２３４－５６７８"
                               << "TEL 03-1234-5678";
    QTest::newRow("character outside the code page is kept") << "Edit_tel"
                                                             << "０３☎１２"
                                                             << "03☎12";
    QTest::newRow("half width stays") << "Edit_Zip"
                                      << "123-4567"
                                      << "123-4567";
}

void TestTransferWindow::halfWidthInPlace()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, converted);

    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    TForm_Main& window = fixture.show();
    auto* edit = fixture.control<QLineEdit>(field);
    {
        const QSignalBlocker blocker(edit);
        edit->setText(text);
    }
    field == "Edit_Zip" ? window.SpeedButton_ZIP2Click() : window.SpeedButton_TEL2Click();
    QCOMPARE(edit->text(), converted);
}

QTEST_MAIN(TestTransferWindow)
#include "tst_transferwindow.moc"
