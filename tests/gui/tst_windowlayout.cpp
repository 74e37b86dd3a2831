#include "tests/support/EmptySender.h"
#include "tests/support/MainWindowFixture.h"

#include <QCalendarWidget>
#include <QFontMetrics>
#include <QImage>
#include <QStyleOptionButton>
#include <QTableView>

// What the user sees of the main window: texts whole, nothing covering a field, states that
// can be told apart. Sizes come from the fonts actually in use, colors from the painted pixels.
namespace {

double luminance(QColor color)
{
    const auto channel = [](double value) {
        value /= 255.0;
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(color.red()) + 0.7152 * channel(color.green()) + 0.0722 * channel(color.blue());
}

double contrast(QColor a, QColor b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The commonest color of an area: its background.
QColor commonest(const QImage& image, const QRect& area)
{
    std::map<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            ++counts[image.pixel(x, y)];
        }
    }
    return QColor(
        std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first);
}

// The color of an area farthest in contrast from its background: the text drawn on it.
QColor ink(const QImage& image, const QRect& area, QColor background)
{
    QColor best = background;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel(image.pixel(x, y));
            if (contrast(pixel, background) > contrast(best, background)) {
                best = pixel;
            }
        }
    }
    return best;
}

QImage grabbed(QWidget* widget)
{
    return widget->grab().toImage().scaled(widget->size());
}

// The controls laid out directly on the bands and in the group boxes.
QList<QWidget*> laidOut(const TForm_Main& window)
{
    QList<QWidget*> result;
    for (QWidget* container : {NamedControl<QWidget>(window, "Panel3"), NamedControl<QWidget>(window, "Panel1"),
                               NamedControl<QWidget>(window, "Panel2"), NamedControl<QWidget>(window, "Panel4"),
                               static_cast<QWidget*>(NamedControl<QGroupBox>(window, "GroupBox1")),
                               static_cast<QWidget*>(NamedControl<QGroupBox>(window, "GroupBox_Time2"))}) {
        for (QWidget* child : container->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (child->isVisibleTo(&window) && !child->isWindow()) {
                result.append(child);
            }
        }
    }
    return result;
}

// Where a control paints, in window coordinates: a check box only over its box and caption.
QRect inWindow(const QWidget* widget, const QWidget* window)
{
    QRect painted = widget->rect();
    if (const auto* box = qobject_cast<const QCheckBox*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        option.iconSize = box->iconSize();
        painted = box->style()->subElementRect(QStyle::SE_CheckBoxClickRect, &option, box);
    }
    return painted.translated(widget->mapTo(window, QPoint(0, 0)));
}

// Neighbouring frames of the layout share their edge line.
bool covers(const QRect& a, const QRect& b)
{
    const QRect common = a.intersected(b);
    return common.width() > 1 && common.height() > 1;
}

} // namespace

class TestWindowLayout : public QObject
{
    Q_OBJECT

private slots:
    void noControlCoversAnother();
    void addressWarningShowsWhole();
    void pieceCountShowsThreeDigits_data();
    void pieceCountShowsThreeDigits();
    void timeServiceBoxesInsideTheirFrame();
    void allSenderTabsFitTheBand();
    void selectedSenderTabStandsOut_data();
    void selectedSenderTabStandsOut();
    void senderTextsLegibleWhenOff();
    void calendarIsJapanese_data();
    void calendarIsJapanese();
};

void TestWindowLayout::noControlCoversAnother()
{
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    TForm_Main& window = fixture.show();
    const QList<QWidget*> controls = laidOut(window);
    QStringList overlaps;
    for (qsizetype i = 0; i < controls.size(); ++i) {
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            QWidget* a = controls[i];
            QWidget* b = controls[j];
            if (a->isAncestorOf(b) || b->isAncestorOf(a)) {
                continue;
            }
            if (covers(inWindow(a, &window), inWindow(b, &window))) {
                const auto name = [](const QWidget* w) {
                    const auto* label = qobject_cast<const QLabel*>(w);
                    return w->objectName().isEmpty() && label != nullptr ? label->text() : w->objectName();
                };
                overlaps.append(name(a) + " / " + name(b));
            }
        }
    }
    QVERIFY2(overlaps.isEmpty(), qPrintable(overlaps.join(QStringLiteral(", "))));
    // The goods lines end before the help button, the mail button sits below the third line.
    QVERIFY(NamedControl<QLineEdit>(window, "Edit_G1")->geometry().right() <
            NamedControl<QPushButton>(window, "BitBtn_WebHelp")->geometry().left());
    QVERIFY(NamedControl<QPushButton>(window, "BitBtn_SendMail")->geometry().top() >
            NamedControl<QLineEdit>(window, "Edit_G3")->geometry().bottom());
    QVERIFY(NamedControl<QPushButton>(window, "BitBtn_SendMail")->geometry().bottom() <
            NamedControl<QWidget>(window, "Panel4")->height());
}

void TestWindowLayout::addressWarningShowsWhole()
{
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    TForm_Main& window = fixture.show();
    NamedControl<QLineEdit>(window, "Edit_Add1")->setText(QString(21, QChar(0x3042)));
    fixture.focus("Edit_Add2");
    QVERIFY(!NamedControl<QLabel>(window, "Label_Warning")->text().isEmpty());

    const QFontMetrics metrics(NamedControl<QLabel>(window, "Label_Warning")->font());
    const QRect room = NamedControl<QLabel>(window, "Label_Warning")->contentsRect();
    QVERIFY2(metrics.horizontalAdvance(NamedControl<QLabel>(window, "Label_Warning")->text()) <= room.width(),
             qPrintable(QStringLiteral("%1 px of text in %2 px")
                            .arg(metrics.horizontalAdvance(NamedControl<QLabel>(window, "Label_Warning")->text()))
                            .arg(room.width())));
    QVERIFY(metrics.height() <= room.height());
    QVERIFY(NamedControl<QLabel>(window, "Label_Warning")->geometry().right() <
            NamedControl<QWidget>(window, "Panel1")->width());
}

void TestWindowLayout::pieceCountShowsThreeDigits_data()
{
    QTest::addColumn<QString>("count");
    QTest::newRow("one digit") << "1";
    QTest::newRow("800 not read as 300") << "800";
    QTest::newRow("widest") << "999";
}

void TestWindowLayout::pieceCountShowsThreeDigits()
{
    QFETCH(QString, count);
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    TForm_Main& window = fixture.show();
    fixture.focus("NumEdit_KOSUU");
    fixture.type(count);
    TNumEdit* field = NamedControl<TNumEdit>(window, "NumEdit_KOSUU");
    QCOMPARE(field->Text(), count);

    const QRect text = field->GetTextRect();
    const QRect client(QPoint(0, 0), field->ClientRect().size());
    QVERIFY2(client.contains(text), qPrintable(QStringLiteral("text %1,%2 %3x%4 in a client of %5x%6")
                                                   .arg(text.left())
                                                   .arg(text.top())
                                                   .arg(text.width())
                                                   .arg(text.height())
                                                   .arg(client.width())
                                                   .arg(client.height())));
    QVERIFY(text.width() > QFontMetrics(field->font()).horizontalAdvance(count));
}

void TestWindowLayout::timeServiceBoxesInsideTheirFrame()
{
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    TForm_Main& window = fixture.show();
    const QRect inside = NamedControl<QGroupBox>(window, "GroupBox_Time2")->contentsRect();
    for (QCheckBox* box :
         {NamedControl<QCheckBox>(window, "CheckBox_t21"), NamedControl<QCheckBox>(window, "CheckBox_t22"),
          NamedControl<QCheckBox>(window, "CheckBox_t23")}) {
        QVERIFY2(inside.contains(box->geometry()), qPrintable(box->objectName()));
        QVERIFY(box->width() >= box->sizeHint().width());
        QVERIFY(box->height() >= box->sizeHint().height());
    }
    QVERIFY(NamedControl<QGroupBox>(window, "GroupBox_Time2")->geometry().right() <
            NamedControl<QWidget>(window, "Panel4")->width());
}

void TestWindowLayout::allSenderTabsFitTheBand()
{
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    TForm_Main& window = fixture.show();
    QTabBar* tabs = NamedControl<QTabBar>(window, "PageControl_My");
    QCOMPARE(tabs->count(), 10);
    QCOMPARE(tabs->pos(), QPoint(114, 1));
    QCOMPARE(tabs->height(), 19);
    for (int tab = 0; tab < tabs->count(); ++tab) {
        const QRect rect = tabs->tabRect(tab);
        QVERIFY2(tabs->rect().contains(rect), qPrintable(tabs->tabText(tab)));
        QVERIFY(QFontMetrics(tabs->font()).horizontalAdvance(tabs->tabText(tab)) < rect.width());
    }
    for (const QToolButton* scroll : tabs->findChildren<QToolButton*>()) {
        QVERIFY(!scroll->isVisible());
    }
    QVERIFY(tabs->geometry().right() < NamedControl<QWidget>(window, "Panel2")->width());
}

void TestWindowLayout::selectedSenderTabStandsOut_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("other");
    QTest::newRow("first selected") << 0 << 1;
    QTest::newRow("tenth selected") << 9 << 8;
}

void TestWindowLayout::selectedSenderTabStandsOut()
{
    QFETCH(int, selected);
    QFETCH(int, other);
    MainWindowFixture fixture;
    for (int tab = 0; tab < 10; ++tab) {
        fixture.writeFile(QStringLiteral("my%1.txt").arg(tab), kEmptySender);
    }
    TForm_Main& window = fixture.show();
    NamedControl<QTabBar>(window, "PageControl_My")->setCurrentIndex(selected);
    const QImage image = grabbed(NamedControl<QTabBar>(window, "PageControl_My"));
    const QRect chosen = NamedControl<QTabBar>(window, "PageControl_My")->tabRect(selected).adjusted(2, 2, -2, -2);
    const QRect plain = NamedControl<QTabBar>(window, "PageControl_My")->tabRect(other).adjusted(2, 2, -2, -2);
    const QColor chosenBackground = commonest(image, chosen);
    const QColor plainBackground = commonest(image, plain);
    QVERIFY2(contrast(chosenBackground, plainBackground) >= 3.0,
             qPrintable(chosenBackground.name() + " beside " + plainBackground.name()));
    QVERIFY(contrast(ink(image, chosen, chosenBackground), chosenBackground) >= 4.5);
}

void TestWindowLayout::senderTextsLegibleWhenOff()
{
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    TForm_Main& window = fixture.show();
    NamedControl<QLineEdit>(window, "Edit_My")->setText(QStringLiteral("山田太郎"));
    const QRect area(4, 4, 60, NamedControl<QLineEdit>(window, "Edit_My")->height() - 8);
    const QColor onBackground = commonest(grabbed(NamedControl<QLineEdit>(window, "Edit_My")), area);

    QTest::mouseClick(NamedControl<QCheckBox>(window, "CheckBox_My"), Qt::LeftButton, {},
                      QPoint(5, NamedControl<QCheckBox>(window, "CheckBox_My")->height() / 2));
    QVERIFY(!NamedControl<QCheckBox>(window, "CheckBox_My")->isChecked());
    const QImage off = grabbed(NamedControl<QLineEdit>(window, "Edit_My"));
    const QColor offBackground = commonest(off, area);
    QVERIFY2(offBackground != onBackground, qPrintable(offBackground.name()));
    const QColor text = ink(off, area, offBackground);
    QVERIFY2(contrast(text, offBackground) >= 3.0, qPrintable(text.name() + " on " + offBackground.name()));
}

void TestWindowLayout::calendarIsJapanese_data()
{
    QTest::addColumn<QString>("systemLocale");
    QTest::newRow("German, Monday first") << "de_DE";
    QTest::newRow("American English") << "en_US";
    QTest::newRow("Japanese") << "ja_JP";
}

void TestWindowLayout::calendarIsJapanese()
{
    QFETCH(QString, systemLocale);
    const QLocale previous;
    QLocale::setDefault(QLocale(systemLocale));
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    TForm_Main& window = fixture.show();
    auto* picker = NamedControl<QDateEdit>(window, "DateTimePicker_1");
    picker->setDate(QDate(2026, 12, 7));
    // The calendar is built on first use: open it as the user does, on the drop-down button.
    QTest::mouseClick(picker, Qt::LeftButton, {}, QPoint(picker->width() - 6, picker->height() / 2));
    QCalendarWidget* calendar = picker->calendarWidget();
    QVERIFY(calendar->isVisible());
    QLocale::setDefault(previous);

    QCOMPARE(calendar->firstDayOfWeek(), Qt::Sunday);
    const auto* month = calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"));
    QVERIFY(month != nullptr);
    QCOMPARE(month->text(), QStringLiteral("12月"));
    const auto* view = calendar->findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
    QVERIFY(view != nullptr);
    const int firstDay = calendar->verticalHeaderFormat() == QCalendarWidget::NoVerticalHeader ? 0 : 1;
    QCOMPARE(view->model()->index(0, firstDay).data().toString(), QStringLiteral("日"));
}

QTEST_MAIN(TestWindowLayout)
#include "tst_windowlayout.moc"
