#include "tests/support/EmptySender.h"
#include "tests/support/MainWindowFixture.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString kAddressWarning = QStringLiteral("警告:おところ①の文字数が多すぎます。　おところ②へ分割してください");

// Records the links the program hands to the platform instead of opening them.
class LinkRecorder : public QObject
{
    Q_OBJECT

public:
    LinkRecorder()
    {
        for (const char* scheme : {"mailto", "http", "https"}) {
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "open");
        }
    }
    ~LinkRecorder() override
    {
        for (const char* scheme : {"mailto", "http", "https"}) {
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
        }
    }
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

} // namespace

class TestEntryFields : public QObject
{
    Q_OBJECT

private slots:
    void helpMessageOnEntry_data();
    void helpMessageOnEntry();
    void controlsWithoutEntryKeepMessage_data();
    void controlsWithoutEntryKeepMessage();
    void caretAtEndOnEntry_data();
    void caretAtEndOnEntry();
    void addressWarning_data();
    void addressWarning();
    void warningRefreshedOnlyOnEntry();
    void recipientClear_data();
    void recipientClear();
    void halfWidthOnEveryChange_data();
    void halfWidthOnEveryChange();
    void senderColors();
    void timeServicesExclusive_data();
    void timeServicesExclusive();
    void deliveryDateFilter_data();
    void deliveryDateFilter();
    void pastes_data();
    void pastes();
    void shellLinks();
};

void TestEntryFields::helpMessageOnEntry_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("message");
    QTest::newRow("Edit_Add1") << "Edit_Add1"
                               << "お届け先のおところ①を入力して下さい";
    QTest::newRow("Edit_Add2") << "Edit_Add2"
                               << "お届け先のおところ②を入力して下さい";
    QTest::newRow("Edit_Custo1") << "Edit_Custo1"
                                 << "お届け先のおなまえを入力して下さい";
    QTest::newRow("Edit_tel") << "Edit_tel"
                              << "お届け先のでんわを入力して下さい";
    QTest::newRow("Edit_G1") << "Edit_G1"
                             << "品名を入力して下さい";
    QTest::newRow("Edit_G3 shares the goods message") << "Edit_G3"
                                                      << "品名を入力して下さい";
    QTest::newRow("Edit_MyZip") << "Edit_MyZip"
                                << "ご依頼主の郵便番号を入力して下さい";
    QTest::newRow("Edit_MyADD1") << "Edit_MyADD1"
                                 << "ご依頼主のおところ①を入力して下さい";
    QTest::newRow("Edit_MyADD2") << "Edit_MyADD2"
                                 << "ご依頼主のおところ②を入力して下さい";
    QTest::newRow("Edit_My") << "Edit_My"
                             << "ご依頼主のおなまえを入力して下さい";
    QTest::newRow("Edit_MyTEL") << "Edit_MyTEL"
                                << "ご依頼主のでんわを入力して下さい";
    QTest::newRow("Memo1") << "Memo1"
                           << "テキストを貼り付けることができます　７行以内に収めてください";
}

void TestEntryFields::helpMessageOnEntry()
{
    QFETCH(QString, field);
    QFETCH(QString, message);
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    TForm_Main& window = fixture.show();
    QCOMPARE(NamedControl<QLabel>(window, "Panel_HelpMess")->text(),
             QStringLiteral("お届け先の郵便番号を入力して下さい"));
    fixture.focus(field);
    QCOMPARE(NamedControl<QLabel>(window, "Panel_HelpMess")->text(), message);
}

void TestEntryFields::controlsWithoutEntryKeepMessage_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("date picker") << "DateTimePicker_1";
    QTest::newRow("piece count") << "NumEdit_KOSUU";
    QTest::newRow("delivery date") << "Edit_de_date1";
    QTest::newRow("check box") << "CheckBox_t21";
}

void TestEntryFields::controlsWithoutEntryKeepMessage()
{
    QFETCH(QString, control);
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    TForm_Main& window = fixture.show();
    fixture.focus("Edit_tel");
    fixture.focus(control);
    QCOMPARE(fixture.focusedName(), control);
    QCOMPARE(NamedControl<QLabel>(window, "Panel_HelpMess")->text(),
             QStringLiteral("お届け先のでんわを入力して下さい"));
}

void TestEntryFields::caretAtEndOnEntry_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("field");
    QTest::newRow("Tab") << "Edit_Add2" << int(Qt::Key_Tab) << "Edit_Custo1";
    QTest::newRow("Shift+Tab") << "Edit_tel" << int(Qt::Key_Backtab) << "Edit_Custo1";
    QTest::newRow("Enter") << "Edit_Add2" << int(Qt::Key_Return) << "Edit_Custo1";
    QTest::newRow("Up arrow") << "Edit_G3" << int(Qt::Key_Up) << "Edit_G2";
}

void TestEntryFields::caretAtEndOnEntry()
{
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, field);
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    fixture.show();
    auto* edit = fixture.control<QLineEdit>(field);
    edit->setText(QStringLiteral("山田太郎"));
    edit->setCursorPosition(0);
    fixture.focus(from);
    fixture.key(Qt::Key(key));
    QCOMPARE(fixture.focusedName(), field);
    QVERIFY(!edit->hasSelectedText());
    QCOMPARE(edit->cursorPosition(), 4);
}

void TestEntryFields::addressWarning_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("warning");
    QTest::newRow("20 full-width characters fit") << QString(20, QChar(0x6771)) << QString();
    QTest::newRow("21 full-width characters warn") << QString(21, QChar(0x6771)) << kAddressWarning;
    QTest::newRow("41 half-width bytes warn") << QString(41, QLatin1Char('1')) << kAddressWarning;
    QTest::newRow("half-width katakana count one byte") << QString(40, QChar(0xFF71)) << QString();
}

void TestEntryFields::addressWarning()
{
    QFETCH(QString, address);
    QFETCH(QString, warning);
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    TForm_Main& window = fixture.show();
    NamedControl<QLineEdit>(window, "Edit_Add1")->setText(address);
    fixture.focus("Edit_Add2");
    QCOMPARE(NamedControl<QLabel>(window, "Label_Warning")->text(), warning);
}

void TestEntryFields::warningRefreshedOnlyOnEntry()
{
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    TForm_Main& window = fixture.show();
    fixture.focus("Edit_Add1");
    fixture.type(QString(21, QChar(0x6771)));
    QCOMPARE(NamedControl<QLabel>(window, "Label_Warning")->text(), QString());
    fixture.key(Qt::Key_Return);
    QCOMPARE(NamedControl<QLabel>(window, "Label_Warning")->text(), kAddressWarning);

    NamedControl<QLineEdit>(window, "Edit_Add1")->setText(QStringLiteral("東京"));
    QCOMPARE(NamedControl<QLabel>(window, "Label_Warning")->text(), kAddressWarning);
    fixture.focus("Edit_Add1");
    QCOMPARE(NamedControl<QLabel>(window, "Label_Warning")->text(), QString());
}

void TestEntryFields::recipientClear_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes clears the recipient only") << true;
    QTest::newRow("no keeps everything") << false;
}

void TestEntryFields::recipientClear()
{
    QFETCH(bool, yes);
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    TForm_Main& window = fixture.show();
    const QList<QLineEdit*> recipient{
        NamedControl<QLineEdit>(window, "Edit_Zip"), NamedControl<QLineEdit>(window, "Edit_Add1"),
        NamedControl<QLineEdit>(window, "Edit_Add2"), NamedControl<QLineEdit>(window, "Edit_Custo1"),
        NamedControl<QLineEdit>(window, "Edit_tel")};
    for (QLineEdit* edit : recipient) {
        edit->setText(QStringLiteral("1"));
    }
    NamedControl<QLineEdit>(window, "Edit_Add1")->setText(QString(30, QChar(0x6771)));
    fixture.focus("Edit_Add2");
    NamedControl<QLineEdit>(window, "Edit_G1")->setText(QStringLiteral("本"));
    NamedControl<QLineEdit>(window, "Edit_My")->setText(QStringLiteral("送り主"));
    window.setKosuuText(QStringLiteral("5"));
    fixture.focus("Edit_G2");

    yes ? fixture.prompt().answerYes() : fixture.prompt().answerNo();
    QTest::mouseClick(NamedControl<QPushButton>(window, "BitBtn_CLS"), Qt::LeftButton);

    QCOMPARE(fixture.prompt().questions, QStringList{QStringLiteral("お届け先をクリアますか?")});
    for (QLineEdit* edit : recipient) {
        QCOMPARE(edit->text().isEmpty(), yes);
    }
    QCOMPARE(NamedControl<QLabel>(window, "Label_Warning")->text().isEmpty(), yes);
    QCOMPARE(window.kosuuText(), yes ? QStringLiteral("1") : QStringLiteral("5"));
    QCOMPARE(NamedControl<QLineEdit>(window, "Edit_G1")->text(), QStringLiteral("本"));
    QCOMPARE(NamedControl<QLineEdit>(window, "Edit_My")->text(), QStringLiteral("送り主"));
}

void TestEntryFields::halfWidthOnEveryChange_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("postal code pasted") << "Edit_Zip" << false << "１２３－４５６７"
                                        << "123-4567";
    QTest::newRow("postal code typed") << "Edit_Zip" << true << "１２３－４５６７"
                                       << "123-4567";
    QTest::newRow("telephone pasted") << "Edit_tel" << false << "０３－１２３４－５６７８"
                                      << "03-1234-5678";
}

void TestEntryFields::halfWidthOnEveryChange()
{
    QFETCH(QString, field);
    QFETCH(bool, typed);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    fixture.show();
    auto* edit = fixture.control<QLineEdit>(field);
    if (typed) {
        fixture.focus(field);
        fixture.type(text);
    } else {
        edit->setText(text);
    }
    QCOMPARE(edit->text(), expected);
}

void TestEntryFields::senderColors()
{
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    TForm_Main& window = fixture.show();
    const QList<QLineEdit*> sender{
        NamedControl<QLineEdit>(window, "Edit_MyZip"), NamedControl<QLineEdit>(window, "Edit_MyADD1"),
        NamedControl<QLineEdit>(window, "Edit_MyADD2"), NamedControl<QLineEdit>(window, "Edit_My"),
        NamedControl<QLineEdit>(window, "Edit_MyTEL")};
    const QColor normal = NamedControl<QLineEdit>(window, "Edit_MyZip")->palette().color(QPalette::Base);
    const auto colors = [&] {
        QList<QColor> result;
        for (QLineEdit* edit : sender) {
            result.append(edit->palette().color(QPalette::Base));
        }
        return result;
    };

    QTest::mouseClick(NamedControl<QCheckBox>(window, "CheckBox_My"), Qt::LeftButton, {},
                      QPoint(5, NamedControl<QCheckBox>(window, "CheckBox_My")->height() / 2));
    QVERIFY(!NamedControl<QCheckBox>(window, "CheckBox_My")->isChecked());
    QCOMPARE(colors(), QList<QColor>(5, QColor(230, 230, 230)));
    for (QLineEdit* edit : sender) {
        QVERIFY(edit->isEnabled() && !edit->isReadOnly());
    }

    QTest::mouseClick(NamedControl<QCheckBox>(window, "CheckBox_Date_1"), Qt::LeftButton, {},
                      QPoint(5, NamedControl<QCheckBox>(window, "CheckBox_Date_1")->height() / 2));
    QCOMPARE(colors(), QList<QColor>(5, QColor(230, 230, 230)));

    QTest::mouseClick(NamedControl<QCheckBox>(window, "CheckBox_My"), Qt::LeftButton, {},
                      QPoint(5, NamedControl<QCheckBox>(window, "CheckBox_My")->height() / 2));
    QCOMPARE(colors(), QList<QColor>(5, normal));
}

void TestEntryFields::timeServicesExclusive_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("ticked"); // one character per box: t21 t22 t23
    QTest::newRow("one ticked") << QStringList{"CheckBox_t21"} << "100";
    QTest::newRow("ticking 10 unticks 9") << QStringList{"CheckBox_t21", "CheckBox_t22"} << "010";
    QTest::newRow("unticking leaves all clear") << QStringList{"CheckBox_t21", "CheckBox_t22", "CheckBox_t22"} << "000";
    QTest::newRow("morning after both others") << QStringList{"CheckBox_t22", "CheckBox_t21", "CheckBox_t23"} << "001";
}

void TestEntryFields::timeServicesExclusive()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, ticked);
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    TForm_Main& window = fixture.show();
    for (const QString& name : clicks) {
        auto* box = fixture.control<QCheckBox>(name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    }
    QString state;
    for (const QCheckBox* box :
         {NamedControl<QCheckBox>(window, "CheckBox_t21"), NamedControl<QCheckBox>(window, "CheckBox_t22"),
          NamedControl<QCheckBox>(window, "CheckBox_t23")}) {
        state += box->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
    }
    QCOMPARE(state, ticked);
}

void TestEntryFields::deliveryDateFilter_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("letters and punctuation dropped") << "a1/b2.-"
                                                     << "12";
    QTest::newRow("third digit beyond the limit") << "123"
                                                  << "12";
    QTest::newRow("full-width digits dropped") << "１2"
                                               << "2";
    QTest::newRow("blank dropped") << " 3 "
                                   << "3";
}

void TestEntryFields::deliveryDateFilter()
{
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    TForm_Main& window = fixture.show();
    fixture.focus("Edit_de_date1");
    fixture.type(typed);
    QCOMPARE(NamedControl<QLineEdit>(window, "Edit_de_date1")->text(), expected);
    fixture.key(Qt::Key_Backspace);
    QCOMPARE(NamedControl<QLineEdit>(window, "Edit_de_date1")->text(), expected.left(expected.size() - 1));
}

void TestEntryFields::pastes_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("caret"); // -1: at the end
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("help");

    const QString digits20 = QStringLiteral("12345678901234567890");
    const QString name81 = QString(81, QChar(0x3042));
    const QString goods35 = QString(35, QLatin1Char('x'));
    const QString zipHelp = QStringLiteral("お届け先の郵便番号を入力して下さい");
    const QString goodsHelp = QStringLiteral("品名を入力して下さい");
    QTest::newRow("20 digits into the postal code keep 16") << "Edit_Zip"
                                                            << "" << -1 << digits20 << digits20.left(16) << zipHelp;
    QTest::newRow("81 characters into the name keep 80")
        << "Edit_Custo1"
        << "" << -1 << name81 << name81.left(80) << QStringLiteral("お届け先のおなまえを入力して下さい");
    QTest::newRow("35 into a goods line keep 30") << "Edit_G2"
                                                  << "" << -1 << goods35 << goods35.left(30) << goodsHelp;
    QTest::newRow("into the middle, the text after the caret stays")
        << "Edit_G1"
        << "AB" << 1 << goods35 << "A" + goods35.left(28) + "B" << goodsHelp;
    QTest::newRow("into a full line, nothing")
        << "Edit_G3" << goods35.left(30) << -1 << "yz" << goods35.left(30) << goodsHelp;
    QTest::newRow("a field without limit takes it all")
        << "Edit_Add1"
        << "" << -1 << name81 << name81 << QStringLiteral("お届け先のおところ①を入力して下さい");
    QTest::newRow("a character without a code page 932 form is named")
        << "Edit_G1"
        << "箱" << -1 << QStringLiteral("Café") << "箱" << QStringLiteral("「é」は印刷できません");
    QTest::newRow("the first of several is named")
        << "Edit_Custo1"
        << "" << -1 << QStringLiteral("山田한様é") << "" << QStringLiteral("「한」は印刷できません");
}

void TestEntryFields::pastes()
{
    QFETCH(QString, field);
    QFETCH(QString, before);
    QFETCH(int, caret);
    QFETCH(QString, pasted);
    QFETCH(QString, after);
    QFETCH(QString, help);

    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    TForm_Main& window = fixture.show();
    auto* edit = fixture.control<QLineEdit>(field);
    edit->setText(before);
    fixture.focus(field);
    if (caret >= 0) {
        edit->setCursorPosition(caret);
    }
    QApplication::clipboard()->setText(pasted);
    fixture.key(Qt::Key_V, Qt::ControlModifier);

    QCOMPARE(edit->text(), after);
    QCOMPARE(NamedControl<QLabel>(window, "Panel_HelpMess")->text(), help);
}

void TestEntryFields::shellLinks()
{
    LinkRecorder links;
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    TForm_Main& window = fixture.show();
    QCOMPARE(NamedControl<QPushButton>(window, "BitBtn_SendMail")->toolTip(), QStringLiteral(MIVO_SUPPORT_MAIL));

    QTest::mouseClick(NamedControl<QPushButton>(window, "BitBtn_WebHelp"), Qt::LeftButton);
    QTest::mouseClick(NamedControl<QPushButton>(window, "BitBtn_SendMail"), Qt::LeftButton);

    QCOMPARE(links.opened.size(), 2);
    QCOMPARE(links.opened[0], QUrl(QStringLiteral(MIVO_WEB_PAGE)));
    QCOMPARE(links.opened[1].scheme(), QStringLiteral("mailto"));
    QCOMPARE(links.opened[1].path(), QStringLiteral(MIVO_SUPPORT_MAIL));
    QVERIFY(links.opened[1].toEncoded().contains("subject=mivo%E3%81%B8"));
}

QTEST_MAIN(TestEntryFields)
#include "tst_entryfields.moc"
