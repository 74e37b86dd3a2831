#include "platform/SingleInstance.h"
#include "tests/support/EmptySender.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <stdexcept>

namespace {
const QString kTitle = QStringLiteral("◇mivo_Kangaroo");

// The real program, started on the offscreen platform in its own folder. TMPDIR keeps its lock
// and socket away from a program the developer may be running.
struct StopProgram
{
    void operator()(QProcess* process) const
    {
        process->kill();
        process->waitForFinished();
        delete process;
    }
};
using Program = std::unique_ptr<QProcess, StopProgram>;

Program startProgram(const QString& folder, const QString& temporary)
{
    Program process(new QProcess);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("TMPDIR", temporary);
    environment.insert("QT_LOGGING_RULES", "mivo.instance.debug=true");
    environment.remove("MIVO_EXIT_AFTER_SHOW");
    process->setProcessEnvironment(environment);
    process->setWorkingDirectory(folder);
    process->setProcessChannelMode(QProcess::SeparateChannels);
    process->start(QStringLiteral(MIVO_EXECUTABLE), {});
    return process;
}

bool listening(const QString& temporary)
{
    return QFile::exists(QDir(temporary).filePath(SingleInstance::serverName(kTitle)));
}
} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void secondClaimAsksTheFirstToComeForward();
    void leftoverSocketFileDoesNotBlockTheStart();
    void namePerTitle();
    void unusableTemporaryFolderIsReported();
    void secondStartEndsWithoutWindow();
    void concurrentStartsLeaveOne();

private:
    std::unique_ptr<QTemporaryDir> m_temporary;
    QByteArray m_previousTmpdir;
};

void TestSingleInstance::init()
{
    m_temporary = std::make_unique<QTemporaryDir>();
    QVERIFY(m_temporary->isValid());
    m_previousTmpdir = qgetenv("TMPDIR");
    qputenv("TMPDIR", m_temporary->path().toLocal8Bit());
}

void TestSingleInstance::cleanup()
{
    qputenv("TMPDIR", m_previousTmpdir);
    m_temporary.reset();
}

void TestSingleInstance::secondClaimAsksTheFirstToComeForward()
{
    SingleInstance first(kTitle);
    QSignalSpy forward(&first, &SingleInstance::activationRequested);
    QVERIFY(first.claim());

    SingleInstance second(kTitle);
    QVERIFY(!second.claim());
    QTRY_COMPARE(forward.count(), 1);
    // A file under the lock name of earlier versions would hold up their start.
    QVERIFY(!QFile::exists(QDir(m_temporary->path()).filePath(SingleInstance::serverName(kTitle) + ".lock")));
}

void TestSingleInstance::leftoverSocketFileDoesNotBlockTheStart()
{
    QFile leftover(QDir(m_temporary->path()).filePath(SingleInstance::serverName(kTitle)));
    QVERIFY(leftover.open(QIODevice::WriteOnly));
    leftover.close();

    SingleInstance instance(kTitle);
    QVERIFY(instance.claim());
}

void TestSingleInstance::namePerTitle()
{
    QCOMPARE(SingleInstance::serverName(kTitle), SingleInstance::serverName(kTitle));
    QVERIFY(SingleInstance::serverName(kTitle) != SingleInstance::serverName("mivo_Kangaroo"));

    SingleInstance program(kTitle);
    SingleInstance other("another program");
    QVERIFY(program.claim());
    QVERIFY(other.claim());
}

void TestSingleInstance::unusableTemporaryFolderIsReported()
{
    // A file where the temporary folder should be: nothing can be created in it.
    QFile notAFolder(QDir(m_temporary->path()).filePath("file"));
    QVERIFY(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();
    qputenv("TMPDIR", notAFolder.fileName().toLocal8Bit());
    SingleInstance instance(kTitle);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, instance.claim());
}

void TestSingleInstance::secondStartEndsWithoutWindow()
{
    QTemporaryDir folder;
    QFile sender(folder.filePath("my0.txt"));
    QVERIFY(sender.open(QIODevice::WriteOnly));
    sender.write(kEmptySender);
    sender.close();

    auto first = startProgram(folder.path(), m_temporary->path());
    QVERIFY(first->waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(listening(m_temporary->path()), 20000);

    // Without the test hook a program that opened its window would run until closed.
    auto second = startProgram(folder.path(), m_temporary->path());
    QVERIFY(second->waitForFinished(20000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(second->readAllStandardError().count("activation requested"), 0);

    QByteArray firstOutput;
    QTRY_VERIFY_WITH_TIMEOUT((firstOutput += first->readAllStandardError()).contains("activation requested"), 20000);
    QCOMPARE(first->state(), QProcess::Running);
}

void TestSingleInstance::concurrentStartsLeaveOne()
{
    QTemporaryDir folder;
    QFile sender(folder.filePath("my0.txt"));
    QVERIFY(sender.open(QIODevice::WriteOnly));
    sender.write(kEmptySender);
    sender.close();

    auto one = startProgram(folder.path(), m_temporary->path());
    auto two = startProgram(folder.path(), m_temporary->path());
    QVERIFY(one->waitForStarted());
    QVERIFY(two->waitForStarted());

    QTRY_VERIFY_WITH_TIMEOUT(one->state() == QProcess::NotRunning || two->state() == QProcess::NotRunning, 20000);
    QProcess* ended = one->state() == QProcess::NotRunning ? one.get() : two.get();
    QProcess* running = ended == one.get() ? two.get() : one.get();
    QCOMPARE(ended->exitStatus(), QProcess::NormalExit);
    QCOMPARE(ended->exitCode(), 0);
    QCOMPARE(running->state(), QProcess::Running);
    QByteArray output;
    QTRY_VERIFY_WITH_TIMEOUT((output += running->readAllStandardError()).contains("activation requested"), 20000);
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
