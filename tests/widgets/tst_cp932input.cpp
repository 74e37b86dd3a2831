#include "tests/support/TypeText.h"
#include "widgets/Cp932Validator.h"
#include "widgets/TMemo.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

namespace {
// Hangul has no code page 932 form.
const QString kForeign = QStringLiteral("한");
} // namespace

class TestCp932Input : public QObject
{
    Q_OBJECT

private slots:
    void lineEdit_data();
    void lineEdit();
    void memo_data();
    void memo();
};

void TestCp932Input::lineEdit_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("result");

    QTest::newRow("Japanese typed passes") << "東京都"
                                           << ""
                                           << "東京都";
    QTest::newRow("half-width kana passes") << "ｶﾅ"
                                            << ""
                                            << "ｶﾅ";
    QTest::newRow("foreign character typed is refused") << "a" + kForeign + "b"
                                                        << ""
                                                        << "ab";
    QTest::newRow("paste holding a foreign character is refused") << "x"
                                                                  << "1" + kForeign + "2"
                                                                  << "x";
    QTest::newRow("storable paste passes") << "x"
                                           << "〒100"
                                           << "x〒100";
}

void TestCp932Input::lineEdit()
{
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, result);

    QLineEdit edit;
    edit.setValidator(new Cp932Validator(&edit));
    TypeText(&edit, typed);
    if (!pasted.isEmpty()) {
        QApplication::clipboard()->setText(pasted);
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    }
    QCOMPARE(edit.text(), result);
}

void TestCp932Input::memo_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("result");

    QTest::newRow("pasted foreign character becomes the mark") << ""
                                                               << "山田" + kForeign + "様"
                                                               << "山田〓様";
    QTest::newRow("pasted lines kept") << ""
                                       << "〒100-0001\n東京都"
                                       << "〒100-0001\n東京都";
    QTest::newRow("typed foreign character refused") << "a" + kForeign + "b"
                                                     << ""
                                                     << "ab";
}

void TestCp932Input::memo()
{
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, result);

    TMemo memo;
    TypeText(&memo, typed);
    if (!pasted.isEmpty()) {
        QApplication::clipboard()->setText(pasted);
        memo.paste();
    }
    QCOMPARE(memo.toPlainText(), result);
}

QTEST_MAIN(TestCp932Input)
#include "tst_cp932input.moc"
