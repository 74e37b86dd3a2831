#include "cli/CommandLine.h"
#include "tests/support/ProgramRun.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// The built program's command line as a script meets it: every command answers --help and
// refuses an unknown option under the one exit rule, and the words that are no command never
// open a window nor abort in the toolkit, with a display or without one.
class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void answers_data();
    void answers();
};

namespace {

enum class Screen
{
    None,      // no display, no platform chosen: the toolkit would abort on a window
    Offscreen, // a platform that can show a window
};

QProcessEnvironment environmentWith(Screen screen)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(QString::fromLatin1(name));
    }
    if (screen == Screen::Offscreen) {
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }
    // A window, had one opened, would say so and end.
    environment.insert(QStringLiteral("MIVO_EXIT_AFTER_SHOW"), QStringLiteral("1"));
    return environment;
}

} // namespace

void TestCommandLine::answers_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("screen");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    const auto none = static_cast<int>(Screen::None);
    const auto offscreen = static_cast<int>(Screen::Offscreen);
    for (const Command* command : Commands()) {
        const QString name = QString::fromLatin1(command->name);
        const QString usage = "usage: mivo-kangaroo " + name;
        QTest::addRow("%s --help", command->name) << QStringList{name, "--help"} << none << 0 << usage << "";
        QTest::addRow("%s -h", command->name) << QStringList{name, "-h"} << none << 0 << usage << "";
        QTest::addRow("help %s", command->name) << QStringList{"help", name} << none << 0 << usage << "";
        QTest::addRow("%s --bogus", command->name) << QStringList{name, "--bogus"} << none << 2 << ""
                                                   << "unknown option --bogus\n" + usage;
    }
    QTest::newRow("--help") << QStringList{"--help"} << none << 0 << "  reprint"
                            << "";
    QTest::newRow("help") << QStringList{"help"} << none << 0 << "  postal-update"
                          << "";
    QTest::newRow("--version") << QStringList{"--version"} << none << 0 << "mivo_Kangaroo " MIVO_VERSION "\n"
                               << "";
    QTest::newRow("mistyped command") << QStringList{"histroy"} << none << 2 << ""
                                      << "unknown command histroy\n\nusage: mivo-kangaroo";
    QTest::newRow("mistyped command on a screen") << QStringList{"histroy", "--json"} << offscreen << 2 << ""
                                                  << "unknown command histroy";
    QTest::newRow("help on a mistyped command") << QStringList{"help", "histroy"} << none << 2 << ""
                                                << "unknown command histroy";
    QTest::newRow("option without its value") << QStringList{"history", "--since"} << none << 2 << ""
                                              << "usage: mivo-kangaroo history";
    QTest::newRow("value out of range") << QStringList{"print", "--paper", "2"} << none << 2 << ""
                                        << "--paper takes a number from 0 to 1";
    QTest::newRow("a stray operand") << QStringList{"history", "today"} << none << 2 << ""
                                     << "unexpected today";
}

void TestCommandLine::answers()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, screen);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);

    QTemporaryDir folder;
    const ProgramRun run = RunProgram(arguments, folder.path(), {}, environmentWith(static_cast<Screen>(screen)));
    QVERIFY2(run.exitCode == exitCode, qPrintable(QString::number(run.exitCode) + ": " + run.errText()));
    QVERIFY2(QString::fromUtf8(run.out).contains(out), run.out.constData());
    QVERIFY2(run.errText().contains(err), run.err.constData());
    QVERIFY(!run.out.contains("shown"));
    QVERIFY((exitCode == 0 ? run.err : run.out).isEmpty());
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
