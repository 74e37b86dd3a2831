#include "gui/TForm_SLIP97YPrn.h"
#include "tests/support/PrintWindowSupport.h"
#include "tests/support/ScratchDisk.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The print-position dialog over the real main window and the fake printer service.
using namespace printwindow;

namespace {

const QString kQuestion = QStringLiteral("印字位置調整の余白を登録しますか?");

struct Opened
{
    MainWindowFixture fixture;
    TForm_SLIP97YPrn* dialog = nullptr;

    TNumEdit* top() const { return dialog->NumEdit_TOP; }
    TNumEdit* left() const { return dialog->NumEdit_LEFT; }
};

// The window started on this registration, and its dialog shown (not modally, so that the
// test can drive it). The window starts in `folder` when one is given.
std::unique_ptr<Opened> open(const QString& registration = QString(), int paper = 0, const QString& folder = QString())
{
    auto opened = std::make_unique<Opened>();
    MainWindowFixture& fixture = opened->fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    if (!folder.isEmpty() &&
        !(QDir::setCurrent(folder) && QFile::copy(fixture.path("my0.txt"), QDir(folder).filePath("my0.txt")))) {
        throw std::runtime_error("cannot start in " + folder.toStdString());
    }
    if (!registration.isEmpty()) {
        fixture.writeFile("mivo_a500.ini", sjisFile(registration));
    }
    TForm_Main& window = fixture.show();
    if (paper != 0) {
        NamedControl<QComboBox>(window, "ComboBox_SEL")->setCurrentIndex(paper);
        emit NamedControl<QComboBox>(window, "ComboBox_SEL")->activated(paper);
    }
    opened->dialog = window.findChild<TForm_SLIP97YPrn*>();
    if (opened->dialog == nullptr) {
        throw std::logic_error("no print-position dialog");
    }
    opened->dialog->show();
    QApplication::setActiveWindow(opened->dialog);
    if (!QTest::qWaitForWindowActive(opened->dialog)) {
        throw std::runtime_error("the print-position dialog did not become active");
    }
    return opened;
}

// Replaces a margin field's value as the user would: focus (which selects all) and type.
void typeInto(TNumEdit* field, const QString& text)
{
    field->setFocus(Qt::TabFocusReason);
    field->SelectAll();
    TypeText(field, text);
}

QString focusedIn(const QWidget* dialog)
{
    const QWidget* widget = QApplication::focusWidget();
    return widget != nullptr && dialog->isAncestorOf(widget) ? widget->objectName() : QString();
}

} // namespace

class TestPrintPosition : public QObject
{
    Q_OBJECT

private slots:
    void buttonOpensTheDialogModallyWithTheMarginsInForce();
    void registeredMarginsMoveTheNextSlip_data();
    void registeredMarginsMoveTheNextSlip();
    void answeringNoChangesNothing();
    void closeBoxChangesNothing();
    void continuousFeedWritesOnlyItsSection();
    void marginsAreWholeDots();
    void focusMoves_data();
    void focusMoves();
    void enterOnTheButtonRegisters();
    void unwritableFileKeepsEverything();
    void everyOpeningSelectsTop_data();
    void everyOpeningSelectsTop();
};

void TestPrintPosition::buttonOpensTheDialogModallyWithTheMarginsInForce()
{
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    fixture.writeFile("mivo_a500.ini", sjisFile("[手差し]\ndenPrn_Top=14\ndenPrn_Left=-6\n"));
    TForm_Main& window = fixture.show();
    // The margins in force, not those of the file.
    NamedControl<QLabel>(window, "Label_Prn_Top")->setText(QStringLiteral("15"));

    QString shownTop, shownLeft, focusedField;
    QSize outerSize;
    bool modal = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = window.findChild<TForm_SLIP97YPrn*>();
        modal = QApplication::activeModalWidget() == dialog;
        shownTop = dialog->NumEdit_TOP->Text();
        shownLeft = dialog->NumEdit_LEFT->Text();
        focusedField = dialog->focusWidget() ? dialog->focusWidget()->objectName() : QString();
        outerSize = dialog->frameGeometry().size();
        dialog->reject();
    });
    QTest::mouseClick(NamedControl<QPushButton>(window, "BitBtn_PrnSet2"), Qt::LeftButton);

    QVERIFY(modal);
    QCOMPARE(shownTop, QStringLiteral("15"));
    QCOMPARE(shownLeft, QStringLiteral("-6"));
    QCOMPARE(focusedField, QStringLiteral("NumEdit_TOP"));
    QCOMPARE(outerSize, QSize(420, 310));
    QVERIFY(fixture.prompt().errors.isEmpty());
}

void TestPrintPosition::registeredMarginsMoveTheNextSlip_data()
{
    QTest::addColumn<QString>("top");
    QTest::addColumn<QString>("left");
    QTest::newRow("top 25") << "25"
                            << "0";
    QTest::newRow("negative margins") << "-40"
                                      << "-12";
}

void TestPrintPosition::registeredMarginsMoveTheNextSlip()
{
    QFETCH(QString, top);
    QFETCH(QString, left);
    auto opened = open(QStringLiteral("[手差し]\nPrnName=Fake Printer\nPrnNoIndex=0\ndenPrn_Top=0\ndenPrn_Left=0\n"));
    MainWindowFixture& fixture = opened->fixture;
    TForm_Main& window = fixture.window();

    typeInto(opened->top(), top);
    typeInto(opened->left(), left);
    fixture.prompt().answerYes();
    QTest::mouseClick(opened->dialog->BitBtn_MRGN, Qt::LeftButton);

    QCOMPARE(fixture.prompt().questions, QStringList{kQuestion});
    QVERIFY(fixture.prompt().errors.isEmpty());
    QVERIFY(!opened->dialog->isVisible());
    QCOMPARE(registrationText(fixture), QStringLiteral("[手差し]\nPrnName=Fake Printer\nPrnNoIndex=0\ndenPrn_Top=%1\n"
                                                       "denPrn_Left=%2\nMarginDpi=180x180\n")
                                            .arg(top, left));
    QCOMPARE(NamedControl<QLabel>(window, "Label_Prn_Top")->text(), top);
    QCOMPARE(NamedControl<QLabel>(window, "Label_Prn_Left")->text(), left);

    fillSampleSlip(window);
    fixture.prompt().answerYes();
    NamedControl<QToolButton>(window, "SpeedButton_F11")->click();
    const auto& drawn = fixture.printers().jobs.at(0).canvas.items();
    const PlacedText first = sampleSlip().front();
    QCOMPARE(QPoint(drawn.at(0).x, drawn.at(0).y), deviceOf(first, 180, 180, top.toInt(), left.toInt()));
}

void TestPrintPosition::answeringNoChangesNothing()
{
    auto opened = open();
    MainWindowFixture& fixture = opened->fixture;
    typeInto(opened->top(), QStringLiteral("25"));
    fixture.prompt().answerNo();
    QTest::mouseClick(opened->dialog->BitBtn_MRGN, Qt::LeftButton);

    QCOMPARE(fixture.prompt().questions, QStringList{kQuestion});
    QVERIFY(opened->dialog->isVisible());
    QCOMPARE(opened->top()->Text(), QStringLiteral("25"));
    QCOMPARE(NamedControl<QLabel>(fixture.window(), "Label_Prn_Top")->text(), QStringLiteral("0"));
    QVERIFY(!fixture.exists("mivo_a500.ini"));
}

void TestPrintPosition::closeBoxChangesNothing()
{
    auto opened = open(QStringLiteral("[手差し]\ndenPrn_Top=8\n"));
    MainWindowFixture& fixture = opened->fixture;
    const QByteArray before = fixture.readFile("mivo_a500.ini");
    typeInto(opened->top(), QStringLiteral("25"));
    opened->dialog->close();
    QVERIFY(!opened->dialog->isVisible());

    QCOMPARE(NamedControl<QLabel>(fixture.window(), "Label_Prn_Top")->text(), QStringLiteral("8"));
    QCOMPARE(fixture.readFile("mivo_a500.ini"), before);
    opened->dialog->show();
    QCOMPARE(opened->top()->Text(), QStringLiteral("8"));
    QVERIFY(fixture.prompt().questions.isEmpty());
}

void TestPrintPosition::continuousFeedWritesOnlyItsSection()
{
    const QString handFed =
        QStringLiteral("[手差し]\nPrnName=Fake Printer\nPrnNoIndex=0\ndenPrn_Top=3\ndenPrn_Left=4\n");
    auto opened = open(handFed, 1);
    MainWindowFixture& fixture = opened->fixture;
    QCOMPARE(opened->top()->Text(), QStringLiteral("0"));
    typeInto(opened->top(), QStringLiteral("30"));
    // What stands in the printer box's edit line is no registration.
    NamedControl<QComboBox>(fixture.window(), "ComboBox1")->setEditText(QStringLiteral("typed by hand"));
    fixture.prompt().answerYes();
    QTest::mouseClick(opened->dialog->BitBtn_MRGN, Qt::LeftButton);

    QCOMPARE(registrationText(fixture),
             handFed + QStringLiteral("[連続(４インチ)]\nPrnName=Fake Printer\nPrnNoIndex=0\ndenPrn_Top=30\n"
                                      "denPrn_Left=0\nMarginDpi=180x180\n"));
}

void TestPrintPosition::marginsAreWholeDots()
{
    // A fraction stored by hand shows as the dots that print, and is written back whole.
    auto opened =
        open(QStringLiteral("[手差し]\nPrnName=Fake Printer\nPrnNoIndex=0\ndenPrn_Top=2.5\ndenPrn_Left=-0.5\n"));
    QCOMPARE(opened->top()->Text(), QStringLiteral("3"));
    QCOMPARE(opened->left()->Text(), QStringLiteral("-1"));
    typeInto(opened->top(), QStringLiteral("1.5"));
    QCOMPARE(opened->top()->Text(), QStringLiteral("15"));
    opened->fixture.prompt().answerYes();
    QTest::mouseClick(opened->dialog->BitBtn_MRGN, Qt::LeftButton);
    QCOMPARE(registrationText(opened->fixture),
             QStringLiteral("[手差し]\nPrnName=Fake Printer\nPrnNoIndex=0\ndenPrn_Top=15\ndenPrn_Left=-1\n"
                            "MarginDpi=180x180\n"));
}

void TestPrintPosition::focusMoves_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("to");
    QTest::newRow("Enter in the top field") << "NumEdit_TOP" << int(Qt::Key_Return) << "NumEdit_LEFT";
    QTest::newRow("keypad Enter in the top field") << "NumEdit_TOP" << int(Qt::Key_Enter) << "NumEdit_LEFT";
    QTest::newRow("Up in the top field stays") << "NumEdit_TOP" << int(Qt::Key_Up) << "NumEdit_TOP";
    QTest::newRow("Enter in the left field") << "NumEdit_LEFT" << int(Qt::Key_Return) << "BitBtn_MRGN";
    QTest::newRow("Up in the left field") << "NumEdit_LEFT" << int(Qt::Key_Up) << "NumEdit_TOP";
    QTest::newRow("Down in the left field stays") << "NumEdit_LEFT" << int(Qt::Key_Down) << "NumEdit_LEFT";
}

void TestPrintPosition::focusMoves()
{
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, to);
    auto opened = open();
    QWidget* field = opened->dialog->findChild<QWidget*>(from);
    field->setFocus(Qt::TabFocusReason);
    QTest::keyClick(field, Qt::Key(key));
    QCOMPARE(focusedIn(opened->dialog), to);
    QVERIFY(opened->fixture.prompt().questions.isEmpty());
}

void TestPrintPosition::enterOnTheButtonRegisters()
{
    auto opened = open();
    opened->dialog->BitBtn_MRGN->setFocus(Qt::TabFocusReason);
    opened->fixture.prompt().answerNo();
    QTest::keyClick(opened->dialog->BitBtn_MRGN, Qt::Key_Return);
    QCOMPARE(opened->fixture.prompt().questions, QStringList{QStringLiteral("印字位置調整の余白を登録しますか?")});
    QVERIFY(opened->dialog->isVisible());
}

void TestPrintPosition::everyOpeningSelectsTop_data()
{
    QTest::addColumn<QString>("closing");
    QTest::addColumn<bool>("leftFocused");
    QTest::newRow("close box after typing in the top field") << "close box" << false;
    QTest::newRow("Escape after typing in the top field") << "Escape" << false;
    QTest::newRow("registered from the left field") << "register" << true;
    QTest::newRow("close box from the left field") << "close box" << true;
}

// Closing the dialog leaves its field: the next opening selects the top margin, so that
// typing replaces it instead of being appended to it.
void TestPrintPosition::everyOpeningSelectsTop()
{
    QFETCH(QString, closing);
    QFETCH(bool, leftFocused);
    auto opened = open(QStringLiteral("[手差し]\ndenPrn_Top=12\ndenPrn_Left=3\n"));
    TForm_SLIP97YPrn* dialog = opened->dialog;
    const auto type = [](const QString& text) { TypeText(QApplication::focusWidget(), text); };
    QCOMPARE(focusedIn(dialog), QStringLiteral("NumEdit_TOP"));
    type(QStringLiteral("7"));
    QCOMPARE(opened->top()->Text(), QStringLiteral("7"));
    if (leftFocused) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(focusedIn(dialog), QStringLiteral("NumEdit_LEFT"));
        type(QStringLiteral("4"));
    }
    if (closing == "Escape") {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    } else if (closing == "register") {
        opened->fixture.prompt().answerYes();
        dialog->BitBtn_MRGNClick();
    } else {
        dialog->reject();
    }
    QVERIFY(!dialog->isVisible());

    dialog->show();
    QApplication::setActiveWindow(dialog);
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QTRY_COMPARE(focusedIn(dialog), QStringLiteral("NumEdit_TOP"));
    QCOMPARE(opened->top()->SelLength(), opened->top()->Text().size());
    type(QStringLiteral("5"));
    QCOMPARE(opened->top()->Text(), QStringLiteral("5"));
}

void TestPrintPosition::unwritableFileKeepsEverything()
{
    ScratchDisk disk;
    if (!disk.available()) {
        QSKIP("needs the right to mount a scratch file system");
    }
    const QString folder = QString::fromStdString(disk.path());
    const QByteArray before = sjisFile(QStringLiteral("[手差し]\ndenPrn_Top=0\ndenPrn_Left=0\n"));
    {
        QFile file(QDir(folder).filePath(QStringLiteral("mivo_a500.ini")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(before) == before.size());
    }
    auto opened = open(QString(), 0, folder);
    MainWindowFixture& fixture = opened->fixture;
    QVERIFY(disk.makeReadOnly());

    typeInto(opened->top(), QStringLiteral("25"));
    fixture.prompt().answerYes();
    QTest::mouseClick(opened->dialog->BitBtn_MRGN, Qt::LeftButton);

    const QString file = QDir(folder).filePath(QStringLiteral("mivo_a500.ini"));
    QCOMPARE(fixture.prompt().errors, QStringList{file + QStringLiteral(" に書き込めません.")});
    QFile stored(file);
    QVERIFY(stored.open(QIODevice::ReadOnly));
    QCOMPARE(stored.readAll(), before);
    QCOMPARE(NamedControl<QLabel>(fixture.window(), "Label_Prn_Top")->text(), QStringLiteral("0"));
    QVERIFY(opened->dialog->isVisible());
    QCOMPARE(opened->top()->Text(), QStringLiteral("25"));
}

QTEST_MAIN(TestPrintPosition)
#include "tst_printposition.moc"
