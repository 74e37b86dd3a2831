#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// What one run of the program's command line gave; the exit code is -1 when the program did not
// end normally within a minute.
struct ProgramRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;

    QString errText() const { return QString::fromUtf8(err); }
};

// Runs the program under test (the test's MIVO_EXECUTABLE) with the arguments in the folder
// (the test's own when empty), the input on its standard input, in the environment (the test's
// own when empty).
inline ProgramRun RunProgram(const QStringList& arguments, const QString& folder = {}, const QByteArray& input = {},
                             const QProcessEnvironment& environment = {})
{
    QProcess process;
    if (!environment.isEmpty()) {
        process.setProcessEnvironment(environment);
    }
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(MIVO_EXECUTABLE), arguments);
    if (!process.waitForStarted()) {
        return {};
    }
    process.write(input);
    process.closeWriteChannel();
    const bool ended = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    return {ended ? process.exitCode() : -1, process.readAllStandardOutput(), process.readAllStandardError()};
}
