#include "tests/support/EmptySender.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/ScratchDisk.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <sys/stat.h>

class TestSettingsWindow : public QObject
{
    Q_OBJECT

private slots:
    void firstStart();
    void slipSurvivesRestart();
    void senderZipUnderUpperCaseKey();
    void storedIndexes_data();
    void storedIndexes();
    void failedSaveIsReportedAndWindowCloses();
    void fifoInPlaceOfAFileDoesNotBlock_data();
    void fifoInPlaceOfAFileDoesNotBlock();
};

void TestSettingsWindow::firstStart()
{
    MainWindowFixture fixture;
    TForm_Main& window = fixture.show();

    for (QLineEdit* edit :
         {NamedControl<QLineEdit>(window, "Edit_Zip"), NamedControl<QLineEdit>(window, "Edit_Add1"),
          NamedControl<QLineEdit>(window, "Edit_Add2"), NamedControl<QLineEdit>(window, "Edit_Custo1"),
          NamedControl<QLineEdit>(window, "Edit_tel"), NamedControl<QLineEdit>(window, "Edit_G1"),
          NamedControl<QLineEdit>(window, "Edit_G2"), NamedControl<QLineEdit>(window, "Edit_G3"),
          NamedControl<QLineEdit>(window, "Edit_MyZip"), NamedControl<QLineEdit>(window, "Edit_MyADD1"),
          NamedControl<QLineEdit>(window, "Edit_MyADD2"), NamedControl<QLineEdit>(window, "Edit_My"),
          NamedControl<QLineEdit>(window, "Edit_MyTEL"), NamedControl<QLineEdit>(window, "Edit_de_date1"),
          NamedControl<QLineEdit>(window, "Edit_de_date2")}) {
        QVERIFY2(edit->text().isEmpty(), qPrintable(edit->objectName()));
    }
    QCOMPARE(window.kosuuText(), QStringLiteral("1"));
    QCOMPARE(NamedControl<QComboBox>(window, "ComboBox_SEL")->currentText(), QStringLiteral("手差し"));
    QCOMPARE(NamedControl<QComboBox>(window, "ComboBox_FontSize")->currentText(), QStringLiteral("11"));
    QCOMPARE(fixture.prompt().errors, QStringList{"File not found."});
}

void TestSettingsWindow::slipSurvivesRestart()
{
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    TForm_Main& first = fixture.show();
    const QList<std::pair<const char*, QString>> texts{{"Edit_Zip", "100-0001"}, {"Edit_Add1", "東京都千代田区"},
                                                       {"Edit_Add2", "一丁目"},  {"Edit_Custo1", "山田"},
                                                       {"Edit_tel", "03-1234"},  {"Edit_G1", "本"},
                                                       {"Edit_G2", ""},          {"Edit_G3", "①"},
                                                       {"Edit_My", "西濃"},      {"Edit_MyZip", "503"},
                                                       {"Edit_MyADD1", "岐阜"},  {"Edit_MyADD2", "大垣"},
                                                       {"Edit_MyTEL", "0584"},   {"Edit_de_date1", "12"},
                                                       {"Edit_de_date2", "31"}};
    for (const auto& [name, text] : texts) {
        fixture.control<QLineEdit>(name)->setText(text);
    }
    first.setKosuuText(QStringLiteral("7"));
    fixture.control<QComboBox>("ComboBox_SEL")->setCurrentIndex(1);
    first.close();
    QVERIFY(fixture.prompt().questions.isEmpty());
    fixture.destroyWindow();

    // The sender file wins over the settings at start; leave it out to see the stored sender.
    QFile::remove(fixture.path("my0.txt"));
    TForm_Main& second = fixture.show();
    for (const auto& [name, text] : texts) {
        QCOMPARE(fixture.control<QLineEdit>(name)->text(), text);
    }
    QCOMPARE(second.kosuuText(), QStringLiteral("7"));
    QCOMPARE(fixture.control<QComboBox>("ComboBox_SEL")->currentIndex(), 1);
}

void TestSettingsWindow::senderZipUnderUpperCaseKey()
{
    MainWindowFixture fixture;
    fixture.writeFile("mivo_Kangaroo.ini", "[MV_KANGAROOPRN]\r\nop023myZIP=503-0001\r\n");
    TForm_Main& window = fixture.show();
    QCOMPARE(fixture.prompt().errors, QStringList{"File not found."});
    QCOMPARE(NamedControl<QLineEdit>(window, "Edit_MyZip")->text(), QStringLiteral("503-0001"));

    NamedControl<QLineEdit>(window, "Edit_MyZip")->setText(QStringLiteral("503-0002"));
    window.close();
    const QByteArray saved = fixture.readFile("mivo_Kangaroo.ini");
    QVERIFY(saved.startsWith("[MV_KANGAROOPRN]\r\nop023myZIP=503-0002\r\n"));
    QCOMPARE(saved.toLower().count("op023myzip"), 1);
}

void TestSettingsWindow::storedIndexes_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("font");
    QTest::addColumn<QString>("paper");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("paper index outside the list") << QByteArray("ComboBox_SEL=7") << "11"
                                                  << "手差し" << QByteArray("Addr_Font=1");
    QTest::newRow("hexadecimal font index") << QByteArray("Addr_Font=0x2") << "12"
                                            << "手差し" << QByteArray("Addr_Font=2");
    QTest::newRow("font index not a number") << QByteArray("Addr_Font=twelve") << "11"
                                             << "手差し" << QByteArray("Addr_Font=1");
    QTest::newRow("continuous paper") << QByteArray("ComboBox_SEL=1") << "11"
                                      << "連続(４インチ)" << QByteArray("ComboBox_SEL=1");
}

void TestSettingsWindow::storedIndexes()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, font);
    QFETCH(QString, paper);
    QFETCH(QByteArray, saved);
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    fixture.writeFile("mivo_Kangaroo.ini", "[mv_Kangarooprn]\r\n" + stored + "\r\n");
    TForm_Main& window = fixture.show();
    QCOMPARE(NamedControl<QComboBox>(window, "ComboBox_FontSize")->currentText(), font);
    QCOMPARE(NamedControl<QComboBox>(window, "ComboBox_SEL")->currentText(), paper);
    window.close();
    const QByteArray file = fixture.readFile("mivo_Kangaroo.ini");
    QVERIFY2(file.contains(saved + "\r\n"), file.constData());
    QVERIFY(!file.contains("ComboBox_SEL=7"));
}

void TestSettingsWindow::failedSaveIsReportedAndWindowCloses()
{
    ScratchDisk disk;
    if (!disk.available()) {
        QSKIP("cannot mount a small disk here");
    }
    MainWindowFixture fixture;
    const QString folder = QString::fromStdString(disk.path());
    QDir::setCurrent(folder);
    QFile sender(folder + "/my0.txt");
    QVERIFY(sender.open(QIODevice::WriteOnly) && sender.write(kEmptySender) == kEmptySender.size());
    sender.close();
    TForm_Main& window = fixture.show();
    QVERIFY(disk.makeReadOnly());

    window.close();

    QCOMPARE(fixture.prompt().errors, QStringList{folder + "/mivo_Kangaroo.ini に書き込めません."});
    QVERIFY(!window.isVisible());
    QVERIFY(!QFile::exists(folder + "/mivo_Kangaroo.ini"));
    fixture.destroyWindow();
    QCOMPARE(fixture.prompt().errors.size(), 1);
    QDir::setCurrent(fixture.folder());
}

void TestSettingsWindow::fifoInPlaceOfAFileDoesNotBlock_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("reported"); // at start, as an unreadable file
    QTest::newRow("settings file") << "mivo_Kangaroo.ini" << false;
    QTest::newRow("printer registration") << "mivo_a500.ini" << false;
    QTest::newRow("first sender") << "my0.txt" << true;
}

void TestSettingsWindow::fifoInPlaceOfAFileDoesNotBlock()
{
    QFETCH(QString, name);
    QFETCH(bool, reported);
    MainWindowFixture fixture;
    const QStringList errors =
        reported ? QStringList{fixture.path(name) + " は通常のファイルではありません."} : QStringList{};
    if (name != "my0.txt") {
        fixture.writeFile("my0.txt", kEmptySender);
    }
    fixture.writeFile("mivo_Kangaroo.ini", "[mv_Kangarooprn]\r\nE_CUS=kept\r\n");
    QFile::remove(fixture.path(name));
    QCOMPARE(::mkfifo(QFile::encodeName(fixture.path(name)).constData(), 0600), 0);

    TForm_Main& window = fixture.show();
    QCOMPARE(NamedControl<QLineEdit>(window, "Edit_Custo1")->text(),
             name == "mivo_Kangaroo.ini" ? QString() : QStringLiteral("kept"));
    QCOMPARE(fixture.prompt().errors, errors);
    window.close();

    // Read as unreadable and not written over: a save would have to replace the FIFO.
    const QStringList saveErrors{fixture.path(name) + " に書き込めません."};
    QCOMPARE(fixture.prompt().errors, name == "mivo_Kangaroo.ini" ? saveErrors : errors);
    QVERIFY(QFileInfo(fixture.path(name)).isFile() == false);
}

QTEST_MAIN(TestSettingsWindow)
#include "tst_settingswindow.moc"
