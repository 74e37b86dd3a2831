#include "gui/JournalServerDialog.h"
#include "journal/Journal.h"
#include "journal/JournalChoice.h"
#include "tests/support/ScratchDatabase.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// 「共有サーバー」: the answer of a connection test, and what OK keeps in mivo_journal.ini.
class TestJournalServerDialog : public QObject
{
    Q_OBJECT

private slots:
    void testShowsTheAnswer_data();
    void testShowsTheAnswer();
    void okKeepsOnlyUsableAddresses_data();
    void okKeepsOnlyUsableAddresses();
    void uploadSaysWhatItDid_data();
    void uploadSaysWhatItDid();
};

void TestJournalServerDialog::testShowsTheAnswer_data()
{
    QTest::addColumn<QString>("uri"); // "scratch": a fresh database on the private server
    QTest::addColumn<QString>("answer");
    QTest::newRow("a server with no journal yet") << "scratch"
                                                  << "履歴はまだありません";
    QTest::newRow("nothing listening") << "postgresql://mivo@127.0.0.1:1/mivo"
                                       << "接続できません";
    QTest::newRow("no address") << ""
                                << "履歴ファイルを使います";
}

void TestJournalServerDialog::testShowsTheAnswer()
{
    QFETCH(QString, uri);
    QFETCH(QString, answer);
    ScratchDatabase db;
    if (uri == QLatin1String("scratch")) {
        if (!db.available()) {
            QSKIP("no private PostgreSQL server (scripts/pg-test-server)");
        }
        uri = QString::fromStdString(db.uri());
    }
    QTemporaryDir folder;
    JournalServerDialog dialog(folder.path().toStdString());
    dialog.findChild<QLineEdit*>(QStringLiteral("journalServerUri"))->setText(uri);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("journalServerTest")), Qt::LeftButton);
    const QString shown = dialog.findChild<QLabel*>(QStringLiteral("journalServerAnswer"))->text();
    QVERIFY2(shown.contains(answer), qPrintable(shown));
    QVERIFY(!QFile::exists(folder.filePath(journal::kChoiceFileName)));
}

void TestJournalServerDialog::okKeepsOnlyUsableAddresses_data()
{
    QTest::addColumn<QString>("uri");
    QTest::addColumn<bool>("kept");
    QTest::newRow("an address") << "postgresql://packing@192.168.1.10/mivo" << true;
    QTest::newRow("an address with a password") << "postgresql://packing:pw@192.168.1.10/mivo" << false;
    QTest::newRow("a host name alone") << "192.168.1.10" << false;
}

void TestJournalServerDialog::okKeepsOnlyUsableAddresses()
{
    QFETCH(QString, uri);
    QFETCH(bool, kept);
    QTemporaryDir folder;
    JournalServerDialog dialog(folder.path().toStdString());
    dialog.findChild<QLineEdit*>(QStringLiteral("journalServerUri"))->setText(uri);
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    QCOMPARE(dialog.result() == QDialog::Accepted, kept);
    QCOMPARE(QString::fromStdString(journal::ReadChoice(folder.path().toStdString()).server), kept ? uri : QString());
}

void TestJournalServerDialog::uploadSaysWhatItDid_data()
{
    QTest::addColumn<bool>("saved");          // the address in the field is the folder's choice
    QTest::addColumn<QStringList>("answers"); // after the first press, and after the second
    QTest::newRow("saved address") << true
                                   << QStringList{"1 件をアップロードしました（0 件はサーバーにありました）",
                                                  "0 件をアップロードしました（1 件はサーバーにありました）"};
    QTest::newRow("address not saved yet") << false << QStringList{"接続先を保存してから", "接続先を保存してから"};
}

void TestJournalServerDialog::uploadSaysWhatItDid()
{
    QFETCH(bool, saved);
    QFETCH(QStringList, answers);
    ScratchDatabase db;
    if (!db.available()) {
        QSKIP("no private PostgreSQL server (scripts/pg-test-server)");
    }
    QTemporaryDir folder;
    const std::filesystem::path path = folder.path().toStdString();
    journal::Journal(journal::Journal::In(path)).recordJob({});
    if (saved) {
        journal::WriteServer(path, db.uri());
    }
    JournalServerDialog dialog(path);
    dialog.findChild<QLineEdit*>(QStringLiteral("journalServerUri"))->setText(QString::fromStdString(db.uri()));
    for (const QString& answer : answers) {
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("journalServerUpload")), Qt::LeftButton);
        const QString shown = dialog.findChild<QLabel*>(QStringLiteral("journalServerAnswer"))->text();
        QVERIFY2(shown.contains(answer), qPrintable(shown));
    }
}

QTEST_MAIN(TestJournalServerDialog)
#include "tst_journalserverdialog.moc"
