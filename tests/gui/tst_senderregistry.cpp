#include "tests/support/MainWindowFixture.h"
#include "tests/support/ScratchDisk.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray kSender0("100-0001\r\n\x93\x8C\x8B\x9E\r\n\r\n\x90\xBC\x94\x5A\r\n03\r\n"); // 東京 / 西濃

QStringList SenderFields(const TForm_Main& window)
{
    return {NamedControl<QLineEdit>(window, "Edit_MyZip")->text(),
            NamedControl<QLineEdit>(window, "Edit_MyADD1")->text(),
            NamedControl<QLineEdit>(window, "Edit_MyADD2")->text(), NamedControl<QLineEdit>(window, "Edit_My")->text(),
            NamedControl<QLineEdit>(window, "Edit_MyTEL")->text()};
}

void SetSenderFields(TForm_Main& window, const QStringList& fields)
{
    NamedControl<QLineEdit>(window, "Edit_MyZip")->setText(fields[0]);
    NamedControl<QLineEdit>(window, "Edit_MyADD1")->setText(fields[1]);
    NamedControl<QLineEdit>(window, "Edit_MyADD2")->setText(fields[2]);
    NamedControl<QLineEdit>(window, "Edit_My")->setText(fields[3]);
    NamedControl<QLineEdit>(window, "Edit_MyTEL")->setText(fields[4]);
}

// A notice box that takes the window's activation with it, as a real box does under a window
// manager: the window is active again only after the box has gone and the action has ended.
class ActivationTakingPrompt : public ScriptedPrompt
{
public:
    void notify(QWidget* parent, const QString& message) override
    {
        ScriptedPrompt::notify(parent, message);
        QApplication::setActiveWindow(nullptr);
    }
};

} // namespace

class TestSenderRegistry : public QObject
{
    Q_OBJECT

private slots:
    void startLoadsFirstSender();
    void saveWritesTabFile();
    void blanksOutlastTheReturningActivation();
    void saveAnsweredNo();
    void missingTabFileKeepsSender();
    void tabFileLines_data();
    void tabFileLines();
    void failedSaveKeepsFileAndFocus();
    void sendersStayInWorkingFolder();
};

void TestSenderRegistry::startLoadsFirstSender()
{
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kSender0);
    fixture.writeFile("mivo_Kangaroo.ini", "[mv_Kangarooprn]\r\nOP023My=other\r\nOP023MyZip=999\r\n");
    TForm_Main& window = fixture.show();
    QCOMPARE(SenderFields(window), (QStringList{"100-0001", "東京", "", "西濃", "03"}));
    QVERIFY(fixture.prompt().errors.isEmpty());
}

void TestSenderRegistry::saveWritesTabFile()
{
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kSender0);
    fixture.writeFile("my2.txt", "old\r\n");
    TForm_Main& window = fixture.show();
    NamedControl<QTabBar>(window, "PageControl_My")->setCurrentIndex(2);
    SetSenderFields(window, {"530-0001", "大阪", "", "西濃", "06"});
    fixture.focus("Edit_My");

    fixture.prompt().answerYes();
    QTest::mouseClick(NamedControl<QPushButton>(window, "BitBtn_My"), Qt::LeftButton);

    QCOMPARE(fixture.prompt().questions, QStringList{"ご依頼主を登録しますか?"});
    QCOMPARE(fixture.prompt().notices, QStringList{"ご依頼主を登録しました"});
    QCOMPARE(fixture.readFile("my2.txt"), QByteArray("530-0001\r\n\x91\xE5\x8D\xE3\r\n\r\n\x90\xBC\x94\x5A\r\n06\r\n"));
    QCOMPARE(fixture.readFile("my0.txt"), kSender0);
    QCOMPARE(NamedControl<QLabel>(window, "Panel_HelpMess")->text(), QStringLiteral("    "));
    QCOMPARE(fixture.focusedName(), QStringLiteral("Edit_MyZip"));
}

void TestSenderRegistry::blanksOutlastTheReturningActivation()
{
    ActivationTakingPrompt prompt; // outlives the fixture, whose prompt it replaces
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kSender0);
    TForm_Main& window = fixture.show();
    Prompt::setInstance(&prompt);
    fixture.focus("Edit_My");

    prompt.answerYes();
    QTest::mouseClick(NamedControl<QPushButton>(window, "BitBtn_My"), Qt::LeftButton);
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));

    QCOMPARE(prompt.notices, QStringList{"ご依頼主を登録しました"});
    QCOMPARE(fixture.focusedName(), QStringLiteral("Edit_MyZip"));
    QCOMPARE(NamedControl<QLabel>(window, "Panel_HelpMess")->text(), QStringLiteral("    "));
    QCOMPARE(NamedControl<QLineEdit>(window, "Edit_MyZip")->cursorPosition(),
             static_cast<int>(NamedControl<QLineEdit>(window, "Edit_MyZip")->text().size()));
    QVERIFY(!NamedControl<QLineEdit>(window, "Edit_MyZip")->hasSelectedText());
}

void TestSenderRegistry::saveAnsweredNo()
{
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kSender0);
    TForm_Main& window = fixture.show();
    NamedControl<QLineEdit>(window, "Edit_My")->setText(QStringLiteral("changed"));
    fixture.focus("Edit_MyTEL");

    fixture.prompt().answerNo();
    QTest::mouseClick(NamedControl<QPushButton>(window, "BitBtn_My"), Qt::LeftButton);

    QCOMPARE(fixture.readFile("my0.txt"), kSender0);
    QVERIFY(fixture.prompt().notices.isEmpty());
    QCOMPARE(fixture.focusedName(), QStringLiteral("Edit_MyZip"));
}

void TestSenderRegistry::missingTabFileKeepsSender()
{
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kSender0);
    TForm_Main& window = fixture.show();

    NamedControl<QTabBar>(window, "PageControl_My")->setCurrentIndex(4);

    QCOMPARE(fixture.prompt().errors, QStringList{"File not found."});
    QCOMPARE(NamedControl<QTabBar>(window, "PageControl_My")->currentIndex(), 4);
    QCOMPARE(SenderFields(window), (QStringList{"100-0001", "東京", "", "西濃", "03"}));

    fixture.prompt().answerYes();
    QTest::mouseClick(NamedControl<QPushButton>(window, "BitBtn_My"), Qt::LeftButton);
    QCOMPARE(fixture.readFile("my4.txt"), kSender0);
}

void TestSenderRegistry::tabFileLines_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("three lines empty name and telephone")
        << QByteArray("1\r\n2\r\n3\r\n") << QStringList{"1", "2", "3", "", ""};
    QTest::newRow("seven lines use the first five")
        << QByteArray("1\n2\n3\n4\n5\n6\n7\n") << QStringList{"1", "2", "3", "4", "5"};
}

void TestSenderRegistry::tabFileLines()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, fields);
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kSender0);
    fixture.writeFile("my1.txt", content);
    TForm_Main& window = fixture.show();
    QTest::mouseClick(NamedControl<QTabBar>(window, "PageControl_My"), Qt::LeftButton, {},
                      NamedControl<QTabBar>(window, "PageControl_My")->tabRect(1).center());
    QCOMPARE(NamedControl<QTabBar>(window, "PageControl_My")->currentIndex(), 1);
    QCOMPARE(SenderFields(window), fields);
    QVERIFY(fixture.prompt().errors.isEmpty());
}

// Another part of the process may change the current folder after the start; the sender files
// still belong to the working folder the window took at its start, like its other files.
void TestSenderRegistry::sendersStayInWorkingFolder()
{
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kSender0);
    fixture.writeFile("my3.txt", "300-0003\r\n");
    TForm_Main& window = fixture.show();
    QTemporaryDir elsewhere;
    const QByteArray decoy("999-9999\r\n");
    QFile decoyFile(QDir(elsewhere.path()).filePath("my3.txt"));
    QVERIFY(decoyFile.open(QIODevice::WriteOnly) && decoyFile.write(decoy) == decoy.size());
    decoyFile.close();
    QVERIFY(QDir::setCurrent(elsewhere.path()));

    NamedControl<QTabBar>(window, "PageControl_My")->setCurrentIndex(3);
    QCOMPARE(NamedControl<QLineEdit>(window, "Edit_MyZip")->text(), QStringLiteral("300-0003"));
    fixture.prompt().answerYes();
    QTest::mouseClick(NamedControl<QPushButton>(window, "BitBtn_My"), Qt::LeftButton);

    QCOMPARE(fixture.readFile("my3.txt"), QByteArray("300-0003\r\n\r\n\r\n\r\n\r\n"));
    QVERIFY(decoyFile.open(QIODevice::ReadOnly));
    QCOMPARE(decoyFile.readAll(), decoy);
    QVERIFY(fixture.prompt().errors.isEmpty());
}

void TestSenderRegistry::failedSaveKeepsFileAndFocus()
{
    ScratchDisk disk;
    if (!disk.available()) {
        QSKIP("cannot mount a small disk here");
    }
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kSender0);
    // The window's working folder is the small disk.
    QDir::setCurrent(QString::fromStdString(disk.path()));
    QVERIFY(QFile::copy(fixture.path("my0.txt"), QString::fromStdString(disk.path()) + "/my0.txt"));
    TForm_Main& window = fixture.show();
    QVERIFY(disk.makeReadOnly());
    NamedControl<QLineEdit>(window, "Edit_My")->setText(QStringLiteral("changed"));
    fixture.focus("Edit_MyTEL");

    fixture.prompt().answerYes();
    QTest::mouseClick(NamedControl<QPushButton>(window, "BitBtn_My"), Qt::LeftButton);

    const QString file = QDir(QString::fromStdString(disk.path())).filePath("my0.txt");
    QCOMPARE(fixture.prompt().errors, QStringList{file + " に書き込めません."});
    QVERIFY(fixture.prompt().notices.isEmpty());
    QFile saved(file);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), kSender0);
    QCOMPARE(fixture.focusedName(), QStringLiteral("BitBtn_My"));
    QDir::setCurrent(fixture.folder());
}

QTEST_MAIN(TestSenderRegistry)
#include "tst_senderregistry.moc"
