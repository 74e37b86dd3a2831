#include "tests/support/EmptySender.h"
#include "tests/support/MainWindowFixture.h"
#include "widgets/TNumEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {
const QStringList kTabCycle{"Edit_Zip",        "Edit_Add1",     "Edit_Add2",       "Edit_Custo1",      "Edit_tel",
                            "CheckBox_Date_1", "Edit_de_date1", "Edit_de_date2",   "DateTimePicker_1", "NumEdit_KOSUU",
                            "Edit_G1",         "Edit_G2",       "Edit_G3",         "ComboBox_SEL",     "CheckBox_t21",
                            "CheckBox_t22",    "CheckBox_t23",  "BitBtn_SendMail", "PageControl_My",   "CheckBox_My",
                            "Edit_MyZip",      "Edit_MyADD1",   "Edit_MyADD2",     "Edit_My",          "Edit_MyTEL",
                            "BitBtn_My"};

// Five empty sender lines: the start then finds its first sender and reports nothing.
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void startState();
    void functionKeyCaptions();
    void geometry_data();
    void geometry();
    void fieldLimits_data();
    void fieldLimits();
    void tabCycle();
    void keyDispatch_data();
    void keyDispatch();
    void windowKeyOpensOnlyItsWindow_data();
    void windowKeyOpensOnlyItsWindow();
    void quitKey_data();
    void quitKey();
    void functionKeysOnlyInBoundFields_data();
    void functionKeysOnlyInBoundFields();
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();
    void functionButtonsNeverTakeFocus();
    void closeBoxSavesWithoutAsking();
    void failingStartStepIsReportedAndWindowOpens();
    void returningFocusIsNoNewEntry();
};

void TestMainWindow::startState()
{
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    TForm_Main& window = fixture.show();

    QCOMPARE(window.windowTitle(), QStringLiteral("mivo　送り状印刷　< 西濃運輸　カンガルー便　> ver1.10"));
    QCOMPARE(window.size(), QSize(677, 646));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QCOMPARE(fixture.focusedName(), QStringLiteral("Edit_Zip"));
    QCOMPARE(fixture.control<QStatusBar>("StatusBar1")->currentMessage(), QStringLiteral("  "));
    QCOMPARE(window.registrationFolder(), QDir(fixture.folder()).canonicalPath());
    QCOMPARE(window.kosuuText(), QStringLiteral("1"));
    QVERIFY(fixture.control<QCheckBox>("CheckBox_My")->isChecked());
    QVERIFY(fixture.control<QCheckBox>("CheckBox_Date_1")->isChecked());
    QCOMPARE(NamedControl<QDateEdit>(window, "DateTimePicker_1")->date(), QDate::currentDate());
    QVERIFY(fixture.prompt().errors.isEmpty());
    QVERIFY(fixture.prompt().questions.isEmpty());
}

void TestMainWindow::functionKeyCaptions()
{
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    fixture.show();

    for (int key = 1; key <= 12; ++key) {
        const auto* button = fixture.control<QToolButton>(QStringLiteral("SpeedButton_F%1").arg(key));
        const QString caption = key == 2    ? "中止"
                                : key == 3  ? "スマート\n転送"
                                : key == 5  ? "履歴"
                                : key == 9  ? "プレビュー"
                                : key == 10 ? "一括印刷"
                                : key == 11 ? "印刷"
                                            : QStringLiteral("F%1").arg(key);
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->isEnabled(), key == 2 || key == 3 || key == 5 || key == 9 || key == 10 || key == 11);
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    }
}

void TestMainWindow::geometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("band");
    QTest::addColumn<QRect>("geometry");

    QTest::newRow("paste band at the top") << "Panel3"
                                           << "client" << QRect(0, 0, 677, 130);
    QTest::newRow("recipient band") << "Panel1"
                                    << "client" << QRect(0, 130, 677, 157);
    QTest::newRow("sender band") << "Panel2"
                                 << "client" << QRect(0, 287, 677, 146);
    QTest::newRow("goods band fills the rest") << "Panel4"
                                               << "client" << QRect(0, 433, 677, 139);
    QTest::newRow("help panel above the keys") << "Panel_HelpMess"
                                               << "client" << QRect(0, 572, 677, 30);
    QTest::newRow("function-key bar") << "Panel_Fnc"
                                      << "client" << QRect(0, 602, 677, 28);
    QTest::newRow("memo") << "Memo1"
                          << "Panel3" << QRect(114, 4, 474, 108);
    QTest::newRow("postal code") << "Edit_Zip"
                                 << "Panel1" << QRect(114, 25, 103, 24);
    QTest::newRow("recipient name") << "Edit_Custo1"
                                    << "Panel1" << QRect(114, 97, 360, 24);
    QTest::newRow("recipient clear") << "BitBtn_CLS"
                                     << "Panel1" << QRect(610, 60, 39, 39);
    QTest::newRow("sender telephone") << "Edit_MyTEL"
                                      << "Panel2" << QRect(114, 111, 140, 23);
    QTest::newRow("second delivery-date field") << "Edit_de_date2"
                                                << "Panel4" << QRect(422, 6, 24, 20);
    QTest::newRow("date picker") << "DateTimePicker_1"
                                 << "Panel4" << QRect(371, 26, 98, 21);
    QTest::newRow("piece count") << "NumEdit_KOSUU"
                                 << "Panel4" << QRect(606, 27, 35, 20);
    QTest::newRow("third goods line, ending before the help button") << "Edit_G3"
                                                                     << "Panel4" << QRect(371, 95, 237, 24);
    QTest::newRow("printer group") << "GroupBox1"
                                   << "Panel4" << QRect(12, 4, 285, 130);
    QTest::newRow("mail button below the third goods line") << "BitBtn_SendMail"
                                                            << "Panel4" << QRect(602, 119, 60, 20);
    QTest::newRow("first key of the second group") << "SpeedButton_F5"
                                                   << "Panel_Fnc" << QRect(230, 1, 55, 26);
    QTest::newRow("last key") << "SpeedButton_F12"
                              << "Panel_Fnc" << QRect(625, 1, 55, 26);
}

void TestMainWindow::geometry()
{
    QFETCH(QString, name);
    QFETCH(QString, band);
    QFETCH(QRect, geometry);

    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    fixture.show();
    const QWidget* widget = fixture.control(name);
    QCOMPARE(widget->parentWidget()->objectName(), band);
    QCOMPARE(widget->geometry(), geometry);
    if (band == "client") {
        QCOMPARE(widget->parentWidget()->height() + fixture.control("StatusBar1")->height(), 646);
    }
}

void TestMainWindow::fieldLimits_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("typingLimit"); // 0: none
    QTest::addColumn<bool>("inputMethod");

    QTest::newRow("postal code, 16, no input method") << "Edit_Zip" << 16 << false;
    QTest::newRow("address without limit") << "Edit_Add1" << 0 << true;
    QTest::newRow("recipient name, 80") << "Edit_Custo1" << 80 << true;
    QTest::newRow("telephone, no input method") << "Edit_tel" << 0 << false;
    QTest::newRow("sender postal code, 8") << "Edit_MyZip" << 8 << false;
    QTest::newRow("goods line, 30") << "Edit_G2" << 30 << true;
    QTest::newRow("delivery day, 2") << "Edit_de_date2" << 2 << false;
}

void TestMainWindow::fieldLimits()
{
    QFETCH(QString, name);
    QFETCH(int, typingLimit);
    QFETCH(bool, inputMethod);

    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    fixture.show();
    auto* edit = fixture.control<QLineEdit>(name);
    QCOMPARE(edit->testAttribute(Qt::WA_InputMethodEnabled), inputMethod);

    const int typed = typingLimit > 0 ? typingLimit + 3 : 120;
    fixture.focus(name);
    fixture.type(QString(typed, QLatin1Char('1')));
    QCOMPARE(edit->text().size(), typingLimit > 0 ? typingLimit : typed);

    // The limit is for typing only: a longer stored value reaches the field whole.
    const QString stored(typed + 5, QLatin1Char('2'));
    edit->setText(stored);
    QCOMPARE(edit->text(), stored);
}

void TestMainWindow::tabCycle()
{
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    fixture.show();

    QStringList forward{fixture.focusedName()};
    for (qsizetype step = 0; step < kTabCycle.size(); ++step) {
        fixture.key(Qt::Key_Tab);
        forward.append(fixture.focusedName());
    }
    QCOMPARE(forward, kTabCycle + QStringList{"Edit_Zip"});

    QStringList backward{fixture.focusedName()};
    for (qsizetype step = 0; step < kTabCycle.size(); ++step) {
        fixture.key(Qt::Key_Backtab, Qt::ShiftModifier);
        backward.append(fixture.focusedName());
    }
    QStringList reversed{"Edit_Zip"};
    for (auto name = kTabCycle.crbegin(); name != kTabCycle.crend(); ++name) {
        reversed.append(*name);
    }
    QCOMPARE(backward, reversed);
}

void TestMainWindow::keyDispatch_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("to");

    QTest::newRow("Enter in the telephone moves to the date tick")
        << "Edit_tel" << int(Qt::Key_Return) << "CheckBox_Date_1";
    QTest::newRow("keypad Enter moves as Enter") << "Edit_Zip" << int(Qt::Key_Enter) << "Edit_Add1";
    QTest::newRow("Enter in the last goods line does nothing") << "Edit_G3" << int(Qt::Key_Return) << "Edit_G3";
    QTest::newRow("Enter in the second goods line moves on") << "Edit_G2" << int(Qt::Key_Return) << "Edit_G3";
    QTest::newRow("Up in the postal code does nothing") << "Edit_Zip" << int(Qt::Key_Up) << "Edit_Zip";
    QTest::newRow("Up in the last goods line moves back") << "Edit_G3" << int(Qt::Key_Up) << "Edit_G2";
    QTest::newRow("Up in the sender postal code reaches the tick") << "Edit_MyZip" << int(Qt::Key_Up) << "CheckBox_My";
    QTest::newRow("Enter in the sender telephone reaches the save button")
        << "Edit_MyTEL" << int(Qt::Key_Return) << "BitBtn_My";
    QTest::newRow("Enter in the date picker moves on") << "DateTimePicker_1" << int(Qt::Key_Return) << "NumEdit_KOSUU";
    QTest::newRow("Up in the piece count moves back") << "NumEdit_KOSUU" << int(Qt::Key_Up) << "DateTimePicker_1";
    QTest::newRow("Enter in a delivery-date field moves on")
        << "Edit_de_date2" << int(Qt::Key_Return) << "DateTimePicker_1";
    QTest::newRow("Tab still leaves a delivery-date field") << "Edit_de_date1" << int(Qt::Key_Tab) << "Edit_de_date2";
    QTest::newRow("Enter on a check box does nothing") << "CheckBox_t21" << int(Qt::Key_Return) << "CheckBox_t21";
    QTest::newRow("Up on the paper choice is the box's own") << "ComboBox_SEL" << int(Qt::Key_Up) << "ComboBox_SEL";
    QTest::newRow("F7 does nothing") << "Edit_Add2" << int(Qt::Key_F7) << "Edit_Add2";
}

void TestMainWindow::keyDispatch()
{
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, to);

    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    fixture.show();
    fixture.focus(from);
    QCOMPARE(fixture.focusedName(), from);
    fixture.key(Qt::Key(key));
    QCOMPARE(fixture.focusedName(), to);
    QVERIFY(fixture.prompt().questions.isEmpty());
    QVERIFY(fixture.window().isVisible());
}

void TestMainWindow::windowKeyOpensOnlyItsWindow_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("opened");

    QTest::newRow("F9 the preview") << int(Qt::Key_F9) << QStringList{"PreviewWindow"};
    QTest::newRow("F10 the batch window") << int(Qt::Key_F10) << QStringList{"BatchWindow"};
}

void TestMainWindow::windowKeyOpensOnlyItsWindow()
{
    QFETCH(int, key);
    QFETCH(QStringList, opened);

    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    fixture.show();
    fixture.focus("Edit_Zip");
    QStringList seen;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&seen] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            seen << dialog->metaObject()->className();
            dialog->reject();
        }
    });
    closer.start(0);
    fixture.key(Qt::Key(key));
    closer.stop();
    QCOMPARE(seen, opened);
}

void TestMainWindow::quitKey_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<bool>("yes");

    QTest::newRow("No in a goods line keeps running, focus to the postal code") << "Edit_G1" << false;
    QTest::newRow("No in the postal code") << "Edit_Zip" << false;
    QTest::newRow("Yes in the piece count closes") << "NumEdit_KOSUU" << true;
    QTest::newRow("Yes in the last goods line closes") << "Edit_G3" << true;
}

void TestMainWindow::quitKey()
{
    QFETCH(QString, from);
    QFETCH(bool, yes);

    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    fixture.show();
    fixture.focus(from);
    yes ? fixture.prompt().answerYes() : fixture.prompt().answerNo();
    fixture.key(Qt::Key_F2);

    QCOMPARE(fixture.prompt().questions, QStringList{"終了しますか?"});
    QCOMPARE(fixture.window().isVisible(), !yes);
    if (!yes) {
        QCOMPARE(fixture.focusedName(), QStringLiteral("Edit_Zip"));
    }
    QCOMPARE(fixture.exists("mivo_Kangaroo.ini"), yes);
}

void TestMainWindow::functionKeysOnlyInBoundFields_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");

    QTest::newRow("F2 on a check box") << "CheckBox_t22" << int(Qt::Key_F2);
    QTest::newRow("F11 on a check box") << "CheckBox_Date_1" << int(Qt::Key_F11);
    QTest::newRow("F2 on the tab strip") << "PageControl_My" << int(Qt::Key_F2);
    QTest::newRow("F11 on the save button") << "BitBtn_My" << int(Qt::Key_F11);
}

void TestMainWindow::functionKeysOnlyInBoundFields()
{
    QFETCH(QString, from);
    QFETCH(int, key);

    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    fixture.show();
    fixture.focus(from);
    fixture.key(Qt::Key(key));
    QVERIFY(fixture.prompt().questions.isEmpty());
    QVERIFY(fixture.window().isVisible());
    QCOMPARE(fixture.focusedName(), from);
}

void TestMainWindow::enterPressesTheFocusedButton_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("question");
    QTest::newRow("sender save button") << "BitBtn_My"
                                        << "ご依頼主を登録しますか?";
}

void TestMainWindow::enterPressesTheFocusedButton()
{
    QFETCH(QString, button);
    QFETCH(QString, question);

    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    fixture.show();
    fixture.focus(button);
    fixture.prompt().answerNo();
    fixture.key(Qt::Key_Return);
    QCOMPARE(fixture.prompt().questions, QStringList{question});
}

void TestMainWindow::functionButtonsNeverTakeFocus()
{
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    fixture.show();
    fixture.focus("Edit_Custo1");

    fixture.prompt().answerNo();
    QTest::mouseClick(fixture.control("SpeedButton_F2"), Qt::LeftButton);
    QCOMPARE(fixture.prompt().questions, QStringList{"終了しますか?"});
    QCOMPARE(fixture.focusedName(), QStringLiteral("Edit_Zip"));

    fixture.focus("Edit_Custo1");
    QTest::mouseClick(fixture.control("SpeedButton_F7"), Qt::LeftButton);
    QCOMPARE(fixture.focusedName(), QStringLiteral("Edit_Custo1"));
}

void TestMainWindow::closeBoxSavesWithoutAsking()
{
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    TForm_Main& window = fixture.show();
    NamedControl<QLineEdit>(window, "Edit_G1")->setText("りんご");
    QVERIFY(window.close());
    QVERIFY(fixture.prompt().questions.isEmpty());
    QVERIFY(fixture.readFile("mivo_Kangaroo.ini").contains("E_G1="));

    // Destroying the closed window does not save a second time over a changed file.
    fixture.writeFile("mivo_Kangaroo.ini", "kept");
    fixture.destroyWindow();
    QCOMPARE(fixture.readFile("mivo_Kangaroo.ini"), QByteArray("kept"));
}

void TestMainWindow::failingStartStepIsReportedAndWindowOpens()
{
    MainWindowFixture fixture; // no my0.txt: loading the first sender fails
    TForm_Main& window = fixture.show();
    QCOMPARE(fixture.prompt().errors, QStringList{"File not found."});
    QVERIFY(window.isVisible());
    QCOMPARE(window.windowTitle(), QStringLiteral("mivo　送り状印刷　< 西濃運輸　カンガルー便　> ver1.10"));
    QCOMPARE(NamedControl<QToolButton>(window, "SpeedButton_F11")->text(), QStringLiteral("印刷"));
}

void TestMainWindow::returningFocusIsNoNewEntry()
{
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    TForm_Main& window = fixture.show();
    fixture.focus("Edit_Add2");
    QVERIFY(!NamedControl<QLabel>(window, "Panel_HelpMess")->text().isEmpty());

    NamedControl<QLabel>(window, "Panel_HelpMess")->setText("kept");
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(fixture.focusedName(), QStringLiteral("Edit_Add2"));
    QCOMPARE(NamedControl<QLabel>(window, "Panel_HelpMess")->text(), QStringLiteral("kept"));

    fixture.key(Qt::Key_Tab);
    fixture.key(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(NamedControl<QLabel>(window, "Panel_HelpMess")->text(),
             QStringLiteral("お届け先のおところ②を入力して下さい"));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
