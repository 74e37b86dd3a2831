#include "widgets/MessageBoxPrompt.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The real boxes: shown modally, looked at, and answered with a key as the user would.
class TestMessageBoxes : public QObject
{
    Q_OBJECT

private slots:
    void captionShowsWhole_data();
    void captionShowsWhole();
    void enterPressesTheDefaultButton_data();
    void enterPressesTheDefaultButton();
};

void TestMessageBoxes::captionShowsWhole_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("buttons");
    QTest::newRow("short question") << "ask"
                                    << "終了しますか?" << QStringList{"はい(&Y)", "いいえ(&N)"};
    QTest::newRow("short notice") << "notify"
                                  << "OK?" << QStringList{"OK"};
    QTest::newRow("short error") << "error"
                                 << "File not found." << QStringList{"OK"};
}

// Room for the caption in a bold 16-pixel title font, beside an icon and three title buttons.
void TestMessageBoxes::captionShowsWhole()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(QStringList, buttons);

    QWidget parent;
    parent.show();
    QString title;
    QStringList shownButtons;
    int width = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box != nullptr);
        title = box->windowTitle();
        width = box->width();
        for (const QAbstractButton* button : box->buttons()) {
            shownButtons.append(button->text());
        }
        QTest::keyClick(box, Qt::Key_Escape);
    });
    MessageBoxPrompt prompt;
    if (kind == "ask") {
        QVERIFY(!prompt.ask(&parent, text));
    } else if (kind == "notify") {
        prompt.notify(&parent, text);
    } else {
        prompt.reportError(&parent, text);
    }

    QCOMPARE(title, QStringLiteral("◇mivo_Kangaroo"));
    std::sort(buttons.begin(), buttons.end());
    std::sort(shownButtons.begin(), shownButtons.end());
    QCOMPARE(shownButtons, buttons);
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    titleFont.setPixelSize(16);
    const int needed = QFontMetrics(titleFont).horizontalAdvance(title) + 24 + 3 * 32;
    QVERIFY2(width >= needed, qPrintable(QStringLiteral("%1 px wide, the caption needs %2").arg(width).arg(needed)));
}

void TestMessageBoxes::enterPressesTheDefaultButton_data()
{
    QTest::addColumn<bool>("defaultNo");
    QTest::newRow("default yes") << false;
    QTest::newRow("default no") << true;
}

void TestMessageBoxes::enterPressesTheDefaultButton()
{
    QFETCH(bool, defaultNo);
    QWidget parent;
    parent.show();
    QTimer::singleShot(0, [] {
        QWidget* box = QApplication::activeModalWidget();
        QVERIFY(box != nullptr);
        QTest::keyClick(box, Qt::Key_Return);
    });
    MessageBoxPrompt prompt;
    const bool yes = prompt.ask(&parent, QStringLiteral("もう一度印刷しますか?"),
                                defaultNo ? Prompt::Default::No : Prompt::Default::Yes);
    QCOMPARE(yes, !defaultNo);
}

QTEST_MAIN(TestMessageBoxes)
#include "tst_messageboxes.moc"
