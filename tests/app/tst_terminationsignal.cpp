#include "tests/support/EmptySender.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

// The real program ended by the signals of a logout, a shutdown or kill.
class TestTerminationSignal : public QObject
{
    Q_OBJECT

private slots:
    void signalSavesAndEnds_data();
    void signalSavesAndEnds();
};

void TestTerminationSignal::signalSavesAndEnds_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("noticeOpen"); // the missing first sender is being reported
    QTest::newRow("SIGTERM") << int(SIGTERM) << false;
    QTest::newRow("SIGHUP") << int(SIGHUP) << false;
    QTest::newRow("SIGTERM with a notice open") << int(SIGTERM) << true;
    QTest::newRow("SIGHUP with a notice open") << int(SIGHUP) << true;
}

void TestTerminationSignal::signalSavesAndEnds()
{
    QFETCH(int, signal);
    QFETCH(bool, noticeOpen);
    QTemporaryDir folder;
    QTemporaryDir temporary; // lock and socket of the single-instance rule
    QFile settings(folder.filePath("mivo_Kangaroo.ini"));
    QVERIFY(settings.open(QIODevice::WriteOnly));
    settings.write("; kept\r\n[mv_Kangarooprn]\r\nE_CUS=old\r\nE_ZIP=\x82\x50\x82\x51\r\n");
    settings.close();
    if (!noticeOpen) {
        QFile sender(folder.filePath("my0.txt"));
        QVERIFY(sender.open(QIODevice::WriteOnly));
        sender.write(kEmptySender);
    }

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("TMPDIR", temporary.path());
    environment.insert("MIVO_REPORT_SHOWN", "1");
    environment.remove("MIVO_EXIT_AFTER_SHOW");
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder.path());
    process.start(QStringLiteral(MIVO_EXECUTABLE), {});
    QByteArray out;
    while (!out.contains("shown")) {
        QVERIFY2(process.waitForReadyRead(30000), "the window never appeared");
        out += process.readAllStandardOutput();
    }

    QCOMPARE(::kill(static_cast<pid_t>(process.processId()), signal), 0);

    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    QVERIFY(settings.open(QIODevice::ReadOnly));
    const QByteArray saved = settings.readAll();
    // Saved as a close saves: the postal code in half width, every written entry present.
    QVERIFY2(saved.startsWith("; kept\r\n[mv_Kangarooprn]\r\nE_CUS=old\r\nE_ZIP=12\r\nAddr_Font=1\r\n"), saved);
    QVERIFY2(saved.endsWith("KOSUU=1\r\nde_date1=\r\nde_date2=\r\n"), saved);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), noticeOpen ? 1 : 2);
}

QTEST_GUILESS_MAIN(TestTerminationSignal)
#include "tests/support/EmptySender.h"
#include "tst_terminationsignal.moc"
