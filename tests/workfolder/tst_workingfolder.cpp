#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// Where the program keeps its files, started the two ways a user starts it: from the desktop
// menu (in the home folder, with the menu entry's option) and from a shell.
class TestWorkingFolder : public QObject
{
    Q_OBJECT

private slots:
    void filesLandInTheExpectedFolder_data();
    void filesLandInTheExpectedFolder();
};

void TestWorkingFolder::filesLandInTheExpectedFolder_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("userFolderExists");
    QTest::addColumn<QString>("expectedFolder"); // relative to the home folder

    QTest::newRow("menu start creates its own folder") << QStringList{"--from-menu"} << false << "mivo_Kangaroo";
    QTest::newRow("menu start reuses its folder") << QStringList{"--from-menu"} << true << "mivo_Kangaroo";
    QTest::newRow("shell start keeps the current folder") << QStringList{} << false << "";
}

void TestWorkingFolder::filesLandInTheExpectedFolder()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, userFolderExists);
    QFETCH(QString, expectedFolder);

    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QDir homeDir(home.path());
    if (userFolderExists) {
        QVERIFY(homeDir.mkdir("mivo_Kangaroo"));
    }

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home.path());
    environment.insert("TMPDIR", home.path());
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.remove("MIVO_EXIT_AFTER_SHOW");
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(home.path());
    program.start(QStringLiteral(MIVO_EXECUTABLE), arguments);
    QVERIFY(program.waitForStarted());

    // The folder the running program works in is where every file of it is read and written.
    const QString canonicalHome = homeDir.canonicalPath();
    const QString expected = expectedFolder.isEmpty() ? canonicalHome : canonicalHome + '/' + expectedFolder;
    const QString cwdLink = QStringLiteral("/proc/%1/cwd").arg(program.processId());
    QTRY_COMPARE_WITH_TIMEOUT(QFileInfo(cwdLink).canonicalFilePath(), expected, 20000);
    QVERIFY(QFileInfo(homeDir.filePath("mivo_Kangaroo")).isDir() == (!expectedFolder.isEmpty() || userFolderExists));
    program.kill();
    program.waitForFinished();
}

QTEST_GUILESS_MAIN(TestWorkingFolder)
#include "tst_workingfolder.moc"
