#include "gui/PostalPickList.h"
#include "postal/PostalData.h"
#include "tests/support/EmptySender.h"
#include "tests/support/MainWindowFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

const QString kMismatch = QStringLiteral("郵便番号と住所が一致しません（〒100-0001 は東京都千代田区千代田）");
const QString kUnknown = QStringLiteral("この郵便番号は見つかりません");

} // namespace

class TestPostalWindow : public QObject
{
    Q_OBJECT

private slots:
    void leavingTheCode_data();
    void leavingTheCode();
    void messageFollowsTheAddress();
    void lengthAndPostalWarningsShareTheLine();
    void clearingTheRecipientEmptiesItsMessage();
    void clickPicksAPlace();
    void workingFolderListTakesPrecedence();

private:
    // A shown window with an empty sender, and a code typed into `zipField` after `address`
    // was put into the address line below it; Enter then leaves the code.
    static void enterCode(MainWindowFixture& fixture, const QString& zipField, const QString& addressField,
                          const QString& address, const QString& code)
    {
        fixture.writeFile("my0.txt", kEmptySender);
        fixture.show();
        fixture.control<QLineEdit>(addressField)->setText(address);
        fixture.focus(zipField);
        fixture.type(code);
        fixture.key(Qt::Key_Return);
    }
};

void TestPostalWindow::leavingTheCode_data()
{
    QTest::addColumn<QString>("zipField");
    QTest::addColumn<QString>("addressField");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QList<int>>("pickKeys"); // to the list of places; none: no list is offered
    QTest::addColumn<QString>("expectedAddress");
    QTest::addColumn<QString>("warning");

    const QList<int> none;
    QTest::newRow("one place") << "Edit_Zip"
                               << "Edit_Add1"
                               << ""
                               << "1000001" << none << "東京都千代田区千代田"
                               << "";
    QTest::newRow("typed in full width") << "Edit_Zip"
                                         << "Edit_Add1"
                                         << ""
                                         << "〒１００－０００１" << none << "東京都千代田区千代田"
                                         << "";
    QTest::newRow("two places, first taken") << "Edit_Zip"
                                             << "Edit_Add1"
                                             << ""
                                             << "498-0000" << QList<int>{Qt::Key_Return} << "愛知県弥富市"
                                             << "";
    QTest::newRow("two places, second taken")
        << "Edit_Zip"
        << "Edit_Add1"
        << ""
        << "4980000" << QList<int>{Qt::Key_Down, Qt::Key_Enter} << "三重県桑名郡木曽岬町"
        << "";
    QTest::newRow("two places, down and up")
        << "Edit_Zip"
        << "Edit_Add1"
        << ""
        << "4980000" << QList<int>{Qt::Key_Down, Qt::Key_Up, Qt::Key_Return} << "愛知県弥富市"
        << "";
    QTest::newRow("two places, escape") << "Edit_Zip"
                                        << "Edit_Add1"
                                        << ""
                                        << "4980000" << QList<int>{Qt::Key_Down, Qt::Key_Escape} << ""
                                        << "";
    QTest::newRow("address agrees") << "Edit_Zip"
                                    << "Edit_Add1"
                                    << "東京都千代田区千代田1-1"
                                    << "100-0001" << none << "東京都千代田区千代田1-1"
                                    << "";
    QTest::newRow("address without prefecture") << "Edit_Zip"
                                                << "Edit_Add1"
                                                << "千代田区千代田1-1"
                                                << "100-0001" << none << "千代田区千代田1-1"
                                                << "";
    QTest::newRow("address disagrees") << "Edit_Zip"
                                       << "Edit_Add1"
                                       << "大阪府大阪市北区梅田1-1"
                                       << "100-0001" << none << "大阪府大阪市北区梅田1-1" << kMismatch;
    QTest::newRow("unknown code") << "Edit_Zip"
                                  << "Edit_Add1"
                                  << ""
                                  << "000-0000" << none << "" << kUnknown;
    QTest::newRow("unknown code, address kept") << "Edit_Zip"
                                                << "Edit_Add1"
                                                << "東京都千代田区"
                                                << "0000000" << none << "東京都千代田区" << kUnknown;
    QTest::newRow("not a code") << "Edit_Zip"
                                << "Edit_Add1"
                                << ""
                                << "100-00" << none << ""
                                << "";
    QTest::newRow("sender, one place") << "Edit_MyZip"
                                       << "Edit_MyADD1"
                                       << ""
                                       << "1000001" << none << "東京都千代田区千代田"
                                       << "";
    QTest::newRow("sender, second place")
        << "Edit_MyZip"
        << "Edit_MyADD1"
        << ""
        << "498-0000" << QList<int>{Qt::Key_Down, Qt::Key_Return} << "三重県桑名郡木曽岬町"
        << "";
    QTest::newRow("sender disagrees") << "Edit_MyZip"
                                      << "Edit_MyADD1"
                                      << "大阪府大阪市"
                                      << "1000001" << none << "大阪府大阪市" << kMismatch;
    QTest::newRow("sender unknown code") << "Edit_MyZip"
                                         << "Edit_MyADD1"
                                         << ""
                                         << "0000000" << none << "" << kUnknown;
}

void TestPostalWindow::leavingTheCode()
{
    QFETCH(QString, zipField);
    QFETCH(QString, addressField);
    QFETCH(QString, address);
    QFETCH(QString, code);
    QFETCH(QList<int>, pickKeys);
    QFETCH(QString, expectedAddress);
    QFETCH(QString, warning);

    MainWindowFixture fixture;
    enterCode(fixture, zipField, addressField, address, code);
    TForm_Main& window = fixture.window();

    QCOMPARE(window.findChild<PostalPickList*>("ListBox_ZipPick") != nullptr &&
                 window.findChild<PostalPickList*>("ListBox_ZipPick")->isVisible(),
             !pickKeys.isEmpty());
    if (!pickKeys.isEmpty()) {
        QCOMPARE(window.findChild<PostalPickList*>("ListBox_ZipPick")->count(), 2);
        QCOMPARE(QApplication::focusWidget(), window.findChild<PostalPickList*>("ListBox_ZipPick"));
        for (const int key : pickKeys) {
            QTest::keyClick(window.findChild<PostalPickList*>("ListBox_ZipPick"), Qt::Key(key));
        }
        QVERIFY(!window.findChild<PostalPickList*>("ListBox_ZipPick")->isVisible());
    }
    auto* line = fixture.control<QLineEdit>(addressField);
    QCOMPARE(line->text(), expectedAddress);
    QCOMPARE(line->cursorPosition(), static_cast<int>(expectedAddress.size()));
    QVERIFY(!line->hasSelectedText());
    QCOMPARE(fixture.focusedName(), addressField);
    QCOMPARE(NamedControl<QLabel>(window, "Label_Warning")->text(), warning);
}

void TestPostalWindow::messageFollowsTheAddress()
{
    MainWindowFixture fixture;
    enterCode(fixture, "Edit_Zip", "Edit_Add1", "大阪府大阪市", "1000001");
    TForm_Main& window = fixture.window();
    QCOMPARE(NamedControl<QLabel>(window, "Label_Warning")->text(), kMismatch);

    fixture.key(Qt::Key_A, Qt::ControlModifier);
    fixture.type(QStringLiteral("東京都千代田区千代田1-1"));
    fixture.key(Qt::Key_Return);
    QCOMPARE(fixture.focusedName(), QString("Edit_Add2"));
    QCOMPARE(NamedControl<QLabel>(window, "Label_Warning")->text(), QString());
    QCOMPARE(NamedControl<QLineEdit>(window, "Edit_Zip")->text(), QString("1000001"));
}

void TestPostalWindow::lengthAndPostalWarningsShareTheLine()
{
    MainWindowFixture fixture;
    const QString longAddress = QStringLiteral("大阪府大阪市北区梅田一丁目一番一号大阪駅前第一ビル");
    enterCode(fixture, "Edit_Zip", "Edit_Add1", longAddress, "1000001");
    TForm_Main& window = fixture.window();
    QCOMPARE(NamedControl<QLabel>(window, "Label_Warning")->text(),
             "警告:おところ①の文字数が多すぎます。　おところ②へ分割してください　" + kMismatch);
    QCOMPARE(NamedControl<QLineEdit>(window, "Edit_Add1")->text(), longAddress);
}

void TestPostalWindow::clearingTheRecipientEmptiesItsMessage()
{
    MainWindowFixture fixture;
    enterCode(fixture, "Edit_Zip", "Edit_Add1", "", "0000000");
    TForm_Main& window = fixture.window();
    QCOMPARE(NamedControl<QLabel>(window, "Label_Warning")->text(), kUnknown);
    fixture.prompt().answerYes();
    QTest::mouseClick(NamedControl<QPushButton>(window, "BitBtn_CLS"), Qt::LeftButton);
    QCOMPARE(NamedControl<QLabel>(window, "Label_Warning")->text(), QString());
}

void TestPostalWindow::clickPicksAPlace()
{
    MainWindowFixture fixture;
    enterCode(fixture, "Edit_Zip", "Edit_Add1", "", "4980000");
    TForm_Main& window = fixture.window();
    PostalPickList* list = window.findChild<PostalPickList*>("ListBox_ZipPick");
    QVERIFY(list != nullptr && list->isVisible());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    QVERIFY(!list->isVisible());
    QCOMPARE(NamedControl<QLineEdit>(window, "Edit_Add1")->text(), QString("三重県桑名郡木曽岬町"));
}

void TestPostalWindow::workingFolderListTakesPrecedence()
{
    MainWindowFixture fixture;
    const std::string list = postal::encodeDirectory({{"100-0001", "東京都", "千代田区", "新千代田", "", ""}});
    fixture.writeFile("mivo_postal.dat", QByteArray::fromStdString(list));
    enterCode(fixture, "Edit_Zip", "Edit_Add1", "", "1000001");
    QCOMPARE(NamedControl<QLineEdit>(fixture.window(), "Edit_Add1")->text(), QString("東京都千代田区新千代田"));
}

QTEST_MAIN(TestPostalWindow)
#include "tst_postalwindow.moc"
