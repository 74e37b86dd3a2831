#include "widgets/NumEditLayout.h"
#include "widgets/NumEditModel.h"

#include <QTest>

using namespace numedit;

namespace {

// Plays keystrokes onto a model: digits "." "-" as typed, B = Backspace, S = select all,
// C = clear, U = undo, L = leave the field.
void play(NumEditModel& model, const QByteArray& keys)
{
    for (const char k : keys) {
        switch (k) {
        case '.':
            model.inputDecimalPoint();
            break;
        case '-':
            model.inputMinus();
            break;
        case 'B':
            model.deleteLastChar();
            break;
        case 'S':
            model.selectAll();
            break;
        case 'C':
            model.clear();
            break;
        case 'U':
            model.undo();
            break;
        case 'L':
            model.leave(true);
            break;
        default:
            model.inputDigit(k);
            break;
        }
    }
}

struct Counters
{
    int changes = 0;
    int beeps = 0;
};

void watch(NumEditModel& model, Counters& counters)
{
    model.onChange = [&counters] { ++counters.changes; };
    model.onBeep = [&counters] { ++counters.beeps; };
}

} // namespace

class TestNumEditModel : public QObject
{
    Q_OBJECT

private slots:
    void typing_data();
    void typing();
    void paste_data();
    void paste();
    void cutAndCopy();
    void readOnlyRefusesSilently();
    void writersRefilterSilently();
    void widthStop();
    void setTextKeepsUndo();
    void caretText_data();
    void caretText();
};

void TestNumEditModel::typing_data()
{
    QTest::addColumn<int>("integerLength");
    QTest::addColumn<int>("decimalLength");
    QTest::addColumn<unsigned>("options");
    QTest::addColumn<QByteArray>("keys");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("changes");
    QTest::addColumn<int>("beeps");

    const unsigned def = eoArrowUp | eoArrowDown;
    QTest::newRow("count refuses fourth digit") << 3 << 0 << def << QByteArray("1234") << QByteArray("123") << 3 << 1;
    QTest::newRow("count refuses point") << 3 << 0 << def << QByteArray("1.") << QByteArray("1") << 1 << 1;
    QTest::newRow("minus toggles") << 3 << 0 << def << QByteArray("123-") << QByteArray("-123") << 4 << 0;
    QTest::newRow("minus toggles back") << 3 << 0 << def << QByteArray("123--") << QByteArray("123") << 5 << 0;
    QTest::newRow("decimal typing") << 9 << 3 << def << QByteArray("12.5") << QByteArray("12.5") << 4 << 0;
    QTest::newRow("backspace drops point too") << 9 << 3 << def << QByteArray("12.5B") << QByteArray("12") << 5 << 0;
    QTest::newRow("second point refused") << 9 << 3 << def << QByteArray("1..") << QByteArray("1.") << 2 << 1;
    QTest::newRow("fourth decimal refused") << 9 << 3 << def << QByteArray("1.2345") << QByteArray("1.234") << 5 << 1;
    QTest::newRow("tenth digit refused") << 9 << 3 << def << QByteArray("1234567890") << QByteArray("123456789") << 9
                                         << 1;
    QTest::newRow("zero replaced") << 9 << 3 << def << QByteArray("07") << QByteArray("7") << 2 << 0;
    QTest::newRow("point into empty") << 9 << 3 << def << QByteArray(".") << QByteArray("0.") << 1 << 0;
    QTest::newRow("point after minus") << 9 << 3 << def << QByteArray("-.") << QByteArray("-0.") << 2 << 0;
    QTest::newRow("backspace to lone minus") << 9 << 3 << def << QByteArray("-5B") << QByteArray("-") << 3 << 0;
    QTest::newRow("backspace on empty does nothing") << 9 << 3 << def << QByteArray("B") << QByteArray("") << 0 << 0;
    QTest::newRow("typing over selection") << 9 << 3 << def << QByteArray("12S5") << QByteArray("5") << 4 << 0;
    QTest::newRow("undo after overtype gives empty")
        << 9 << 3 << def << QByteArray("12S5U") << QByteArray("") << 5 << 0;
    QTest::newRow("second undo redoes") << 9 << 3 << def << QByteArray("12S5UU") << QByteArray("5") << 6 << 0;
    QTest::newRow("undo before any edit") << 9 << 3 << def << QByteArray("U") << QByteArray("") << 0 << 0;
    QTest::newRow("backspace on selection clears") << 9 << 3 << def << QByteArray("12SB") << QByteArray("") << 3 << 0;
    QTest::newRow("minus over selection") << 9 << 3 << def << QByteArray("12S-") << QByteArray("-") << 4 << 0;
    QTest::newRow("leaving drops lone minus silently") << 9 << 3 << def << QByteArray("-L") << QByteArray("") << 1 << 0;
    QTest::newRow("minus-only keeps lone minus")
        << 9 << 3 << (def | eoMinusOnly) << QByteArray("-L") << QByteArray("-") << 1 << 0;
    QTest::newRow("point refused before the selection is cleared")
        << 3 << 0 << def << QByteArray("12S.") << QByteArray("12") << 2 << 1;
}

void TestNumEditModel::typing()
{
    QFETCH(int, integerLength);
    QFETCH(int, decimalLength);
    QFETCH(unsigned, options);
    QFETCH(QByteArray, keys);
    QFETCH(QByteArray, value);
    QFETCH(int, changes);
    QFETCH(int, beeps);
    NumEditModel model;
    model.setIntegerLength(integerLength);
    model.setDecimalLength(decimalLength);
    model.setOptions(options);
    Counters counters;
    watch(model, counters);
    play(model, keys);
    QCOMPARE(QByteArray::fromStdString(model.value()), value);
    QCOMPARE(counters.changes, changes);
    QCOMPARE(counters.beeps, beeps);
}

void TestNumEditModel::paste_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QByteArray>("clip");
    QTest::addColumn<QByteArray>("value");

    QTest::newRow("appends with commas dropped")
        << QByteArray("5") << false << QByteArray("1,234") << QByteArray("51234");
    QTest::newRow("replaces selection") << QByteArray("5") << true << QByteArray("77") << QByteArray("77");
    QTest::newRow("garbage tail cut") << QByteArray("") << false << QByteArray("5abc") << QByteArray("5");
    QTest::newRow("garbage leaves empty") << QByteArray("") << false << QByteArray("abc") << QByteArray("");
    QTest::newRow("too long empties") << QByteArray("") << false << QByteArray("1234567890") << QByteArray("");
    QTest::newRow("zeros suppressed") << QByteArray("") << false << QByteArray("007") << QByteArray("7");
}

void TestNumEditModel::paste()
{
    QFETCH(QByteArray, before);
    QFETCH(bool, selected);
    QFETCH(QByteArray, clip);
    QFETCH(QByteArray, value);
    NumEditModel model;
    model.setText(before.toStdString());
    if (selected) {
        model.selectAll();
    }
    Counters counters;
    watch(model, counters);
    model.paste(clip.toStdString());
    QCOMPARE(QByteArray::fromStdString(model.value()), value);
    QCOMPARE(counters.changes, 1); // even when nothing changed
    QVERIFY(!model.selected());
    model.undo();
    QCOMPARE(QByteArray::fromStdString(model.value()), before);
}

void TestNumEditModel::cutAndCopy()
{
    NumEditModel model;
    model.setRightMark("yen");
    model.setText("1234");
    Counters counters;
    watch(model, counters);
    QVERIFY(!model.copyText());
    QVERIFY(!model.cut());
    QCOMPARE(counters.changes, 0);

    model.selectAll();
    QCOMPARE(model.copyText().value(), std::string("1234"));
    model.setImageCopy(true);
    QCOMPARE(model.cut().value(), std::string("1,234yen"));
    QCOMPARE(model.value(), std::string());
    QCOMPARE(counters.changes, 2);
}

void TestNumEditModel::readOnlyRefusesSilently()
{
    NumEditModel model;
    model.setText("12");
    model.setReadOnly(true);
    Counters counters;
    watch(model, counters);
    play(model, "5.-B");
    model.selectAll();
    play(model, "5B");
    QCOMPARE(model.value(), std::string("12"));
    QCOMPARE(counters.changes, 0);
    QCOMPARE(counters.beeps, 0);
    QVERIFY(model.copyText().has_value());
}

void TestNumEditModel::writersRefilterSilently()
{
    NumEditModel model;
    Counters counters;
    model.setText("-5.125");
    watch(model, counters);
    model.setDecimalLength(2);
    QCOMPARE(model.value(), std::string("-5.12"));
    model.setDecimalLength(0);
    QCOMPARE(model.value(), std::string("-5"));
    QVERIFY(!model.setDecimalLength(-1));
    model.setMinus(false);
    QCOMPARE(model.value(), std::string());
    model.setText("123");
    model.setIntegerLength(2);
    QCOMPARE(model.value(), std::string());
    QCOMPARE(counters.changes, 1); // only the setText
}

void TestNumEditModel::widthStop()
{
    NumEditModel model;
    model.setOptions(eoORInputStop);
    model.fits = [](const std::string& value) { return value.size() <= 3; };
    Counters counters;
    watch(model, counters);
    play(model, "1234");
    QCOMPARE(model.value(), std::string("123"));
    QCOMPARE(counters.beeps, 1);
    model.setOptions(0);
    play(model, "4");
    QCOMPARE(model.value(), std::string("1234"));
}

void TestNumEditModel::setTextKeepsUndo()
{
    NumEditModel model;
    Counters counters;
    watch(model, counters);
    play(model, "1");
    model.setText("5");
    model.setText("5");
    model.setText("05");
    QCOMPARE(counters.changes, 3); // equal text raises nothing; 05 raises though it cleans to 5
    model.undo();
    QCOMPARE(model.value(), std::string(""));
    QCOMPARE(model.selLength(), 0); // empty display selects nothing
}

void TestNumEditModel::caretText_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("decimalFixed");
    QTest::addColumn<QByteArray>("caret");
    QTest::newRow("commas counted") << QByteArray("1234") << false << QByteArray("1,234");
    QTest::newRow("padding zeros not counted") << QByteArray("5") << true << QByteArray("5");
    QTest::newRow("fixed empty shows zero") << QByteArray("") << true << QByteArray("0");
    QTest::newRow("empty") << QByteArray("") << false << QByteArray("");
}

void TestNumEditModel::caretText()
{
    QFETCH(QByteArray, value);
    QFETCH(bool, decimalFixed);
    QFETCH(QByteArray, caret);
    numvalue::NumFormat f;
    f.DecimalLength = 2;
    f.DecimalFixed = decimalFixed;
    QCOMPARE(QByteArray::fromStdString(MakeCaretText(value.toStdString(), f)), caret);
}

QTEST_APPLESS_MAIN(TestNumEditModel)
#include "tst_numeditmodel.moc"
