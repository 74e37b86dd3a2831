#include "widgets/TNumEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

namespace {

QList<QAction*> menuItems(TNumEdit* field)
{
    return field->ContextMenu()->actions();
}

// Enabled states of undo, cut, copy, paste, delete and select all, as one word.
QString menuState(TNumEdit* field)
{
    QString state;
    for (const int index : {0, 2, 3, 4, 5, 7}) {
        state += menuItems(field)[index]->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    }
    return state;
}

} // namespace

class TestTNumEdit : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void defaults();
    void keyTyping_data();
    void keyTyping();
    void ctrlKeysTypeNothing_data();
    void ctrlKeysTypeNothing();
    void pieceCountAsTyped();
    void leavingDropsLoneMinus();
    void leftWhileWindowInactive();
    void focusMoves_data();
    void focusMoves();
    void mouseSelection();
    void contextMenu();
    void readOnly();
    void inputMethod_data();
    void inputMethod();
    void rectangles_data();
    void rectangles();
    void caretAfterTypedPart();
    void inputStopsAtFieldWidth();
    void highlight_data();
    void highlight();
    void disabledPaintsDisabledBase();

private:
    void focusField();

    std::unique_ptr<QWidget> m_window;
    QLineEdit* m_before = nullptr;
    TNumEdit* m_field = nullptr;
    QLineEdit* m_after = nullptr;
};

void TestTNumEdit::init()
{
    m_window = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(m_window.get());
    m_before = new QLineEdit(m_window.get());
    m_field = new TNumEdit(m_window.get());
    m_after = new QLineEdit(m_window.get());
    layout->addWidget(m_before);
    layout->addWidget(m_field);
    layout->addWidget(m_after);
    m_field->SetErrorBeep(false);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QGuiApplication::clipboard()->clear();
}

void TestTNumEdit::cleanup()
{
    m_window.reset();
}

void TestTNumEdit::focusField()
{
    m_field->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(m_field->hasFocus());
}

void TestTNumEdit::defaults()
{
    TNumEdit field;
    QCOMPARE(field.IntegerLength(), 9);
    QCOMPARE(field.DecimalLength(), 3);
    QVERIFY(field.Minus() && field.Comma() && field.AutoSize() && field.AutoSelect() && field.ErrorBeep());
    QVERIFY(!field.DecimalFixed() && !field.IntegerFixed() && !field.ZeroEnabled() && !field.ReadOnly());
    QCOMPARE(field.Alignment(), TNumEdit::taRightJustify);
    QCOMPARE(field.VertAlignment(), TNumEdit::taVCenter);
    QCOMPARE(field.BorderStyle(), TNumEdit::bsSingle);
    QCOMPARE(field.Options(), TNumEdit::TNumEditOptions(TNumEdit::eoArrowUp | TNumEdit::eoArrowDown));
    QCOMPARE(field.width(), 121);
    // AutoSize: the client is as high as the text plus both margins.
    QCOMPARE(field.ClientRect().height(), field.TextHeight() + 4);
    QCOMPARE(field.Text(), QString());
}

void TestTNumEdit::keyTyping_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("display");
    QTest::addColumn<int>("changes");

    QTest::newRow("grouped while typing") << "1234567"
                                          << "1234567"
                                          << "1,234,567" << 7;
    QTest::newRow("decimals") << "-12.5"
                              << "-12.5"
                              << "-12.5" << 5;
    QTest::newRow("letters refused") << "1a2 b"
                                     << "12"
                                     << "12" << 2;
}

void TestTNumEdit::keyTyping()
{
    QFETCH(QString, keys);
    QFETCH(QString, value);
    QFETCH(QString, display);
    QFETCH(int, changes);
    focusField();
    QSignalSpy spy(m_field, &TNumEdit::OnChange);
    QTest::keyClicks(m_field, keys);
    QCOMPARE(m_field->Text(), value);
    QCOMPARE(m_field->DisplayText(), display);
    QCOMPARE(spy.count(), changes);
    QCOMPARE(spy.first().first().value<TNumEdit*>(), m_field);
}

void TestTNumEdit::ctrlKeysTypeNothing_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("ctrl+digit") << int(Qt::Key_1);
    QTest::newRow("ctrl+minus") << int(Qt::Key_Minus);
    QTest::newRow("ctrl+point") << int(Qt::Key_Period);
}

// Some platforms report the plain character with Ctrl held; it must not edit the value.
void TestTNumEdit::ctrlKeysTypeNothing()
{
    QFETCH(int, key);
    m_field->SetText(QStringLiteral("12"));
    focusField();
    m_field->Deselect();
    QSignalSpy spy(m_field, &TNumEdit::OnChange);
    QTest::keyClick(m_field, Qt::Key(key), Qt::ControlModifier);
    QCOMPARE(m_field->Text(), QStringLiteral("12"));
    QCOMPARE(spy.count(), 0);
}

// The piece count of the main window, used as a user would.
void TestTNumEdit::pieceCountAsTyped()
{
    m_field->SetIntegerLength(3);
    m_field->SetDecimalLength(0);
    m_field->SetAutoSize(false);
    m_field->SetTopMargin(1);
    m_field->SetBottomMargin(1);
    m_field->SetLeftMargin(0);
    m_field->setAttribute(Qt::WA_InputMethodEnabled, false);
    m_field->SetText(QStringLiteral("1"));
    QSignalSpy spy(m_field, &TNumEdit::OnChange);

    QTest::mouseClick(m_field, Qt::LeftButton); // enters, then the click removes the selection
    QCOMPARE(m_field->SelLength(), 0);
    QTest::keyClicks(m_field, QStringLiteral("2345."));
    QCOMPARE(m_field->Text(), QStringLiteral("123"));
    QTest::keyClick(m_field, Qt::Key_Minus);
    QCOMPARE(m_field->Text(), QStringLiteral("-123"));
    QTest::keyClick(m_field, Qt::Key_Backspace);
    QCOMPARE(m_field->Text(), QStringLiteral("-12"));
    QTest::keyClick(m_field, Qt::Key_Minus);
    QCOMPARE(m_field->Text(), QStringLiteral("12"));
    QCOMPARE(spy.count(), 5);

    m_field->Undo();
    QCOMPARE(m_field->Text(), QStringLiteral("-12"));
    QCOMPARE(m_field->SelLength(), 3);
    QGuiApplication::clipboard()->setText(QStringLiteral("7"));
    QTest::keyClick(m_field, Qt::Key_V, Qt::ControlModifier); // replaces the selection
    QCOMPARE(m_field->Text(), QStringLiteral("7"));
    QTest::keyClick(m_field, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m_field->Text(), QStringLiteral("77"));
    QGuiApplication::clipboard()->setText(QStringLiteral("1,000"));
    QTest::keyClick(m_field, Qt::Key_V, Qt::ControlModifier); // four digits are too many
    QCOMPARE(m_field->Text(), QString());
}

void TestTNumEdit::leavingDropsLoneMinus()
{
    focusField();
    QTest::keyClick(m_field, Qt::Key_Minus);
    QSignalSpy spy(m_field, &TNumEdit::OnChange);
    m_after->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(m_after->hasFocus());
    QCOMPARE(m_field->Text(), QString());
    QCOMPARE(spy.count(), 0);

    m_field->SetOptions(TNumEdit::eoMinusOnly);
    focusField();
    QTest::keyClick(m_field, Qt::Key_Minus);
    m_after->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(m_after->hasFocus());
    QCOMPARE(m_field->Text(), QStringLiteral("-"));
}

// A program moving the focus on while another window is active (a message box closing, say)
// still leaves the field: the lone minus goes and coming back selects everything again.
void TestTNumEdit::leftWhileWindowInactive()
{
    focusField();
    QTest::keyClick(m_field, Qt::Key_Minus);
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    m_after->setFocus(Qt::OtherFocusReason);
    other.hide();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QTRY_VERIFY(m_after->hasFocus());
    QCOMPARE(m_field->Text(), QString());

    m_field->SetText(QStringLiteral("34"));
    m_field->setFocus(Qt::BacktabFocusReason);
    QTRY_VERIFY(m_field->hasFocus());
    QCOMPARE(m_field->SelLength(), 2);
}

void TestTNumEdit::focusMoves_data()
{
    QTest::addColumn<bool>("enterMove");
    QTest::addColumn<bool>("arrowMove");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("focused");

    QTest::newRow("enter moves on") << true << false << int(Qt::Key_Return) << "after";
    QTest::newRow("enter stays") << false << false << int(Qt::Key_Return) << "field";
    QTest::newRow("down moves on") << false << true << int(Qt::Key_Down) << "after";
    QTest::newRow("up moves back") << false << true << int(Qt::Key_Up) << "before";
    QTest::newRow("arrows stay by default") << false << false << int(Qt::Key_Down) << "field";
}

void TestTNumEdit::focusMoves()
{
    QFETCH(bool, enterMove);
    QFETCH(bool, arrowMove);
    QFETCH(int, key);
    QFETCH(QString, focused);
    m_field->SetEnterFocusMove(enterMove);
    m_field->SetArrowFocusMove(arrowMove);
    focusField();
    QVERIFY(m_field->SelLength() == 0); // nothing to select yet
    QTest::keyClick(m_field, Qt::Key(key));
    QWidget* expected = focused == "after"    ? static_cast<QWidget*>(m_after)
                        : focused == "before" ? static_cast<QWidget*>(m_before)
                                              : static_cast<QWidget*>(m_field);
    QTRY_VERIFY(expected->hasFocus());
    QCoreApplication::processEvents();
    QVERIFY(expected->hasFocus());
}

void TestTNumEdit::mouseSelection()
{
    m_field->SetText(QStringLiteral("1234"));
    m_before->setFocus();
    QTRY_VERIFY(m_before->hasFocus());
    QTest::mouseClick(m_field, Qt::LeftButton);
    QVERIFY(m_field->hasFocus());
    QCOMPARE(m_field->SelLength(), 0);
    QTest::mouseDClick(m_field, Qt::LeftButton);
    QCOMPARE(m_field->SelLength(), 5);
    QTest::keyClick(m_field, Qt::Key_Home);
    QCOMPARE(m_field->SelLength(), 0);
    QTest::keyClick(m_field, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(m_field->SelLength(), 5);
    QTest::keyClick(m_field, Qt::Key_5); // typing over a selection replaces it
    QCOMPARE(m_field->Text(), QStringLiteral("5"));
    QTest::keyClick(m_field, Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(m_field->SelLength(), 1);
    m_field->SetText(QStringLiteral("1234"));
    m_field->Deselect();
    m_field->repaint(); // the drag tracks the rectangle drawn last
    const QRect text = m_field->GetTextRect().translated(m_field->ClientRect().topLeft());
    QTest::mousePress(m_field, Qt::LeftButton, {}, QPoint(text.left() - 1, text.center().y()));
    QMouseEvent drag(QEvent::MouseMove, text.center(), m_field->mapToGlobal(text.center()), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_field, &drag);
    QCOMPARE(m_field->SelLength(), 5);
}

void TestTNumEdit::contextMenu()
{
    m_field->SetText(QStringLiteral("12"));
    m_before->setFocus();
    QTRY_VERIFY(m_before->hasFocus());
    // Right-clicking the unfocused field enters it, which selects everything.
    QContextMenuEvent open(QContextMenuEvent::Mouse, QPoint(5, 5), m_field->mapToGlobal(QPoint(5, 5)));
    QTest::mousePress(m_field, Qt::RightButton);
    QApplication::sendEvent(m_field, &open);
    QTRY_VERIFY(m_field->ContextMenu()->isVisible());
    QVERIFY(m_field->hasFocus() || m_field->ContextMenu()->isVisible());
    QCOMPARE(m_field->SelLength(), 2);
    QCOMPARE(menuState(m_field), QStringLiteral("011010"));
    QCOMPARE(menuItems(m_field)[0]->text(), QStringLiteral("元に戻す(&U)"));
    QCOMPARE(menuItems(m_field)[7]->text(), QStringLiteral("すべて選択(&A)"));
    QVERIFY(menuItems(m_field)[1]->isSeparator() && menuItems(m_field)[6]->isSeparator());

    QSignalSpy spy(m_field, &TNumEdit::OnChange);
    menuItems(m_field)[2]->trigger(); // cut
    m_field->ContextMenu()->close();
    QCOMPARE(spy.count(), 2);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("12"));
    QCOMPARE(m_field->Text(), QString());
    QTRY_VERIFY(m_field->hasFocus());
    QCOMPARE(m_field->SelLength(), 0); // closing the menu is not leaving and entering again

    QApplication::sendEvent(m_field, &open);
    QTRY_VERIFY(m_field->ContextMenu()->isVisible());
    QCOMPARE(menuState(m_field), QStringLiteral("100100"));
    menuItems(m_field)[0]->trigger(); // undo brings 12 back, selected
    m_field->ContextMenu()->close();
    QCOMPARE(m_field->Text(), QStringLiteral("12"));
    QCOMPARE(m_field->SelLength(), 2);
}

void TestTNumEdit::readOnly()
{
    m_field->SetText(QStringLiteral("12"));
    m_field->SetReadOnly(true);
    m_field->SetErrorBeep(true); // swallowed characters must not beep; nothing to observe but no crash
    focusField();
    QSignalSpy spy(m_field, &TNumEdit::OnChange);
    QGuiApplication::clipboard()->setText(QStringLiteral("9"));
    QTest::keyClicks(m_field, QStringLiteral("3-.x"));
    QTest::keyClick(m_field, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(m_field, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(m_field, Qt::Key_Backspace);
    QTest::keyClick(m_field, Qt::Key_Delete);
    QCOMPARE(m_field->Text(), QStringLiteral("12"));
    QCOMPARE(spy.count(), 0);
    QTest::keyClick(m_field, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("12"));
    QContextMenuEvent open(QContextMenuEvent::Mouse, QPoint(5, 5), m_field->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(m_field, &open);
    QTRY_VERIFY(m_field->ContextMenu()->isVisible());
    QCOMPARE(menuState(m_field), QStringLiteral("001000"));
    m_field->ContextMenu()->close();
}

void TestTNumEdit::inputMethod_data()
{
    QTest::addColumn<QString>("commit");
    QTest::addColumn<QString>("value");
    QTest::newRow("full-width digit") << QStringLiteral("５") << QStringLiteral("5");
    QTest::newRow("full-width minus and point") << QStringLiteral("１－．５") << QStringLiteral("-1.5");
    QTest::newRow("full-width comma refused") << QStringLiteral("１，２") << QStringLiteral("12");
    QTest::newRow("kana refused") << QStringLiteral("あ") << QString();
}

void TestTNumEdit::inputMethod()
{
    QFETCH(QString, commit);
    QFETCH(QString, value);
    focusField();
    QInputMethodEvent event;
    event.setCommitString(commit);
    QApplication::sendEvent(m_field, &event);
    QCOMPARE(m_field->Text(), value);
}

void TestTNumEdit::rectangles_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("integerFixed");
    QTest::addColumn<bool>("marks");
    QTest::addColumn<QString>("number");

    QTest::newRow("right") << int(TNumEdit::taRightJustify) << "1234" << false << false << "1,234";
    QTest::newRow("right with marks") << int(TNumEdit::taRightJustify) << "1234" << false << true << "1,234";
    QTest::newRow("left") << int(TNumEdit::taLeftJustify) << "1234" << false << true << "1,234";
    QTest::newRow("left integer template") << int(TNumEdit::taLeftJustify) << "12" << true << false << "12";
    QTest::newRow("centre") << int(TNumEdit::taCenter) << "12" << false << true << "12";
    QTest::newRow("centre odd") << int(TNumEdit::taCenter) << "1" << false << true << "1";
    QTest::newRow("empty marks take no room") << int(TNumEdit::taLeftJustify) << "" << false << true << "";
}

void TestTNumEdit::rectangles()
{
    QFETCH(int, alignment);
    QFETCH(QString, value);
    QFETCH(bool, integerFixed);
    QFETCH(bool, marks);
    QFETCH(QString, number);
    m_field->SetAlignment(TNumEdit::TAlignment(alignment));
    m_field->SetIntegerFixed(integerFixed);
    if (marks) {
        m_field->SetLeftMark(QStringLiteral("¥"));
        m_field->SetRightMark(QStringLiteral("円"));
    }
    m_field->SetText(value);

    const QFontMetrics fm(m_field->font());
    auto width = [&](const QString& s) { return s.isEmpty() ? 0 : fm.horizontalAdvance(s) + 1; };
    const int cw = m_field->ClientRect().width();
    const int ml = value.isEmpty() ? 0 : width(m_field->LeftMark());
    const int mr = value.isEmpty() ? 0 : width(m_field->RightMark());
    const int w = width(number);
    const int a = integerFixed ? width(QStringLiteral("-000,000,000")) : w;
    int x0 = 2;
    if (alignment == TNumEdit::taRightJustify) {
        x0 = cw - mr - 2 - a - ml - 1;
    } else if (alignment == TNumEdit::taCenter) {
        x0 = 2 + (cw - 4) / 2 - (ml + a + mr) / 2;
    }
    const QRect text = m_field->GetTextRect();
    QCOMPARE(text.left(), x0 + ml + a - w);
    QCOMPARE(text.width(), w);
    QCOMPARE(m_field->GetLeftMarkRect().left(), x0);
    QCOMPARE(m_field->GetLeftMarkRect().width(), ml);
    QCOMPARE(m_field->GetRightMarkRect().width(), mr);
    if (alignment != TNumEdit::taCenter) {
        QCOMPARE(m_field->GetRightMarkRect().left(), x0 + ml + a);
    } else {
        QCOMPARE(m_field->GetRightMarkRect().left(), 2 + (cw - 4) / 2 + (ml + a + mr) / 2 - mr);
    }
    if (alignment == TNumEdit::taRightJustify) {
        // The block ends one pixel before the right margin.
        QCOMPARE(m_field->GetRightMarkRect().left() + mr, cw - 2 - 1);
    }
    const int ch = m_field->ClientRect().height();
    QCOMPARE(text.top(), (ch - m_field->TextHeight() - 4) / 2 + 2);
    QCOMPARE(text.height(), m_field->TextHeight());
}

void TestTNumEdit::caretAfterTypedPart()
{
    m_field->SetDecimalLength(2);
    m_field->SetDecimalFixed(true);
    focusField();
    QTest::keyClick(m_field, Qt::Key_5);
    QCOMPARE(m_field->DisplayText(), QStringLiteral("5.00"));
    const QFontMetrics fm(m_field->font());
    const QRect text = m_field->GetTextRect();
    QCOMPARE(m_field->GetCaretPoint(), QPoint(text.left() + fm.horizontalAdvance(QStringLiteral("5")), text.top()));

    m_field->SetVertAlignment(TNumEdit::taBottomJustify);
    m_field->SetBottomMargin(1);
    QCOMPARE(m_field->GetTextRect().bottom() + 1, m_field->ClientRect().height() - 1);
}

void TestTNumEdit::inputStopsAtFieldWidth()
{
    m_field->setFixedWidth(60);
    m_field->SetOptions(TNumEdit::eoORInputStop);
    focusField();
    QTest::keyClicks(m_field, QStringLiteral("123456789"));
    const int shown = m_field->GetTextWidth(m_field->DisplayText());
    QVERIFY(shown <= m_field->GetAvailableWidth());
    QVERIFY(m_field->Text().size() < 9);
    // One more digit is what would not have fitted.
    const QString next = m_field->Text() + QLatin1Char('9');
    TNumEdit wide;
    wide.SetText(next);
    QVERIFY(m_field->GetTextWidth(wide.DisplayText()) > m_field->GetAvailableWidth());
}

void TestTNumEdit::highlight_data()
{
    QTest::addColumn<bool>("selected");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("highlighted");
    QTest::newRow("selected") << true << true << true;
    QTest::newRow("not selected") << false << true << false;
    QTest::newRow("disabled and selected") << true << false << false;
}

// The band behind marks and number shows the selection; the margins never do.
void TestTNumEdit::highlight()
{
    QFETCH(bool, selected);
    QFETCH(bool, enabled);
    QFETCH(bool, highlighted);
    m_field->SetLeftMark(QStringLiteral("¥"));
    m_field->SetRightMark(QStringLiteral("円"));
    m_field->SetText(QStringLiteral("12"));
    if (selected) {
        m_field->SelectAll();
    }
    m_field->setEnabled(enabled);
    const QImage image = m_field->grab().toImage();
    const QPoint client = m_field->ClientRect().topLeft();
    const QColor base = m_field->palette().color(QPalette::Base);
    const QColor band = highlighted ? m_field->palette().color(QPalette::Active, QPalette::Highlight) : base;
    // The top row of each rectangle lies above the glyphs.
    const QRect left = m_field->GetLeftMarkRect().translated(client);
    const QRect right = m_field->GetRightMarkRect().translated(client);
    QCOMPARE(image.pixelColor(left.topLeft()), band);
    QCOMPARE(image.pixelColor(right.topRight()), band);
    QCOMPARE(image.pixelColor(right.topRight() + QPoint(1, 0)), base);
    QCOMPARE(image.pixelColor(left.topLeft() - QPoint(1, 0)), base);
}

// Disabled, the whole field takes the style's disabled base, as a disabled line edit does.
void TestTNumEdit::disabledPaintsDisabledBase()
{
    m_field->SetText(QStringLiteral("12"));
    m_field->setEnabled(false);
    m_before->setEnabled(false);
    const QImage lineEdit = m_before->grab().toImage();
    const QColor disabledBase = lineEdit.pixelColor(lineEdit.rect().center() + QPoint(lineEdit.width() / 4, 0));
    QVERIFY(disabledBase != m_after->grab().toImage().pixelColor(m_after->rect().center()));

    const QImage image = m_field->grab().toImage();
    const QRect client = m_field->ClientRect();
    const QRect text = m_field->GetTextRect().translated(client.topLeft());
    QCOMPARE(image.pixelColor(client.topLeft()), disabledBase);
    QCOMPARE(image.pixelColor(text.topLeft()), disabledBase);
    QCOMPARE(image.pixelColor(client.bottomRight()), disabledBase);
}

QTEST_MAIN(TestTNumEdit)
#include "tst_tnumedit.moc"
