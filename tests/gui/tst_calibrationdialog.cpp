#include "gui/TForm_SLIP97YPrn.h"
#include "slipprint/CalibrationPattern.h"
#include "tests/support/PrintWindowSupport.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The calibration controls of the print-position dialog over the real main window and the
// fake printer service.
using namespace printwindow;

namespace {

struct Opened
{
    MainWindowFixture fixture;
    TForm_SLIP97YPrn* dialog = nullptr;
};

std::unique_ptr<Opened> open(Resolution resolution = {180, 180})
{
    auto opened = std::make_unique<Opened>();
    opened->fixture.writeFile("my0.txt", kEmptySender);
    opened->fixture.writeFile(
        "mivo_a500.ini", sjisFile("[手差し]\nPrnName=Fake Printer\nPrnNoIndex=0\ndenPrn_Top=10\ndenPrn_Left=-6\n"));
    TForm_Main& window = opened->fixture.show();
    opened->fixture.printers().current().resolution = resolution;
    opened->dialog = window.findChild<TForm_SLIP97YPrn*>();
    opened->dialog->show();
    QApplication::setActiveWindow(opened->dialog);
    if (!QTest::qWaitForWindowActive(opened->dialog)) {
        throw std::runtime_error("the print-position dialog did not become active");
    }
    return opened;
}

void type(QLineEdit* field, const QString& text)
{
    field->setFocus(Qt::TabFocusReason);
    field->selectAll();
    QTest::keyClicks(field, text);
}

} // namespace

class TestCalibrationDialog : public QObject
{
    Q_OBJECT

private slots:
    void specifiedControlsKeepTheirPlaces();
    void shiftBecomesMarginDots_data();
    void shiftBecomesMarginDots();
    void unreadableShiftChangesNothing();
    void testPrintUsesTheMarginsInTheFields();
};

void TestCalibrationDialog::specifiedControlsKeepTheirPlaces()
{
    auto opened = open();
    TForm_SLIP97YPrn& dialog = *opened->dialog;
    QCOMPARE(dialog.GroupBox1->geometry(), QRect(20, 20, 142, 71));
    QCOMPARE(dialog.NumEdit_TOP->geometry(), QRect(82, 15, 50, 20));
    QCOMPARE(dialog.NumEdit_LEFT->geometry(), QRect(82, 39, 50, 20));
    QCOMPARE(dialog.BitBtn_MRGN->geometry(), QRect(30, 98, 122, 25));
    // The calibration group lies below them, whole inside the grown window.
    const QRect calibration = dialog.GroupBox_Calib->geometry();
    QVERIFY(calibration.top() > dialog.BitBtn_MRGN->geometry().bottom());
    QVERIFY(dialog.rect().contains(calibration));
    for (QWidget* child : dialog.GroupBox_Calib->findChildren<QWidget*>()) {
        QVERIFY2(dialog.GroupBox_Calib->rect().contains(child->geometry()), qPrintable(child->objectName()));
    }
}

void TestCalibrationDialog::shiftBecomesMarginDots_data()
{
    QTest::addColumn<int>("dpix");
    QTest::addColumn<int>("dpiy");
    QTest::addColumn<QString>("right");
    QTest::addColumn<QString>("down");
    QTest::addColumn<QString>("rightShown");
    QTest::addColumn<QString>("downShown");
    QTest::addColumn<QString>("top");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("topMm"); // beside the fields, at the resolution in force
    QTest::addColumn<QString>("leftMm");
    QTest::newRow("180 dpi") << 180 << 180 << "1.5"
                             << "-0.8"
                             << "右へ 1.5 mm = 11 ドット"
                             << "上へ 0.8 mm = -6 ドット"
                             << "4"
                             << "5"
                             << "= 0.6 mm"
                             << "= 0.7 mm";
    QTest::newRow("120 x 60 dpi, down only") << 120 << 60 << ""
                                             << "3"
                                             << ""
                                             << "下へ 3.0 mm = 7 ドット"
                                             << "17"
                                             << "-6"
                                             << "= 7.2 mm"
                                             << "= -1.3 mm";
    QTest::newRow("360 dpi, left") << 360 << 360 << "-2"
                                   << "0"
                                   << "左へ 2.0 mm = -28 ドット"
                                   << "下へ 0.0 mm = 0 ドット"
                                   << "10"
                                   << "-34"
                                   << "= 0.7 mm"
                                   << "= -2.4 mm";
}

void TestCalibrationDialog::shiftBecomesMarginDots()
{
    QFETCH(int, dpix);
    QFETCH(int, dpiy);
    QFETCH(QString, right);
    QFETCH(QString, down);
    QFETCH(QString, rightShown);
    QFETCH(QString, downShown);
    QFETCH(QString, top);
    QFETCH(QString, left);
    QFETCH(QString, topMm);
    QFETCH(QString, leftMm);
    auto opened = open({dpix, dpiy});
    TForm_SLIP97YPrn& dialog = *opened->dialog;
    MainWindowFixture& fixture = opened->fixture;
    const QByteArray registered = fixture.readFile("mivo_a500.ini");

    type(dialog.Edit_CalibRight, right);
    type(dialog.Edit_CalibDown, down);
    if (!right.isEmpty()) {
        QCOMPARE(dialog.Label_CalibRight->text(), rightShown);
    }
    QCOMPARE(dialog.Label_CalibDown->text(), downShown);
    QTest::mouseClick(dialog.BitBtn_CalibApply, Qt::LeftButton);

    QCOMPARE(dialog.NumEdit_TOP->Text(), top);
    QCOMPARE(dialog.NumEdit_LEFT->Text(), left);
    QCOMPARE(dialog.Label_TopMm->text(), topMm);
    QCOMPARE(dialog.Label_LeftMm->text(), leftMm);
    // Applied once: the shift fields are emptied.
    QVERIFY(dialog.Edit_CalibRight->text().isEmpty() && dialog.Edit_CalibDown->text().isEmpty());
    // Nothing is registered or in force before 「印字位置登録」.
    QCOMPARE(fixture.readFile("mivo_a500.ini"), registered);
    QCOMPARE(NamedControl<QLabel>(fixture.window(), "Label_Prn_Top")->text(), QStringLiteral("10"));
    fixture.prompt().answerYes();
    QTest::mouseClick(dialog.BitBtn_MRGN, Qt::LeftButton);
    // The margins count in the resolution in force, and say so.
    QCOMPARE(registrationText(fixture), QStringLiteral("[手差し]\nPrnName=Fake Printer\nPrnNoIndex=0\n"
                                                       "denPrn_Top=%1\ndenPrn_Left=%2\nMarginDpi=%3x%4\n")
                                            .arg(top, left)
                                            .arg(dpix)
                                            .arg(dpiy));
    QVERIFY(fixture.prompt().errors.isEmpty());
}

void TestCalibrationDialog::unreadableShiftChangesNothing()
{
    auto opened = open();
    TForm_SLIP97YPrn& dialog = *opened->dialog;
    type(dialog.Edit_CalibRight, QStringLiteral("1.55"));
    type(dialog.Edit_CalibDown, QStringLiteral("2"));
    QCOMPARE(dialog.Label_CalibRight->text(), QStringLiteral("0.1 mm 単位の数で"));
    QTest::mouseClick(dialog.BitBtn_CalibApply, Qt::LeftButton);
    QCOMPARE(dialog.NumEdit_TOP->Text(), QStringLiteral("10"));
    QCOMPARE(dialog.NumEdit_LEFT->Text(), QStringLiteral("-6"));
    QCOMPARE(QApplication::focusWidget(), dialog.Edit_CalibRight);
    QVERIFY(opened->fixture.prompt().errors.isEmpty());
}

void TestCalibrationDialog::testPrintUsesTheMarginsInTheFields()
{
    auto opened = open({120, 60});
    TForm_SLIP97YPrn& dialog = *opened->dialog;
    MainWindowFixture& fixture = opened->fixture;
    dialog.NumEdit_TOP->SetText(QStringLiteral("25"));
    QTest::mouseClick(dialog.BitBtn_TestPrint, Qt::LeftButton);

    QVERIFY(fixture.prompt().errors.isEmpty());
    QCOMPARE(fixture.printers().jobs.size(), std::size_t{1});
    const FakePrinterService::Job& job = fixture.printers().jobs.front();
    QVERIFY(job.ended);
    QCOMPARE(QString::fromStdString(job.title), QStringLiteral("mivo_Kangaroo  テスト印刷"));
    const SlipPrintState state{120, 60, 25, -6};
    RecordingCanvas expected;
    DrawCalibrationPattern(state, expected);
    QVERIFY(job.canvas.lines() == expected.lines());
    QVERIFY(job.canvas.items() == expected.items());
    // Printing registers nothing.
    QCOMPARE(NamedControl<QLabel>(fixture.window(), "Label_Prn_Top")->text(), QStringLiteral("10"));
}

QTEST_MAIN(TestCalibrationDialog)
#include "tst_calibrationdialog.moc"
