#include "app/TApplication.h"
#include "tests/support/ScriptedPrompt.h"
#include "widgets/ErrorReport.h"

#include <QTest>

#include <stdexcept>

namespace {
// A handler that fails, as an action does when a file cannot be opened.
class FailingReceiver : public QObject
{
public:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::User) {
            throw std::runtime_error("File not found");
        }
        return QObject::event(event);
    }
};
} // namespace

class TestErrorReport : public QObject
{
    Q_OBJECT

private slots:
    void text_data();
    void text();
    void escapingErrorIsReportedAndTheProgramGoesOn();
    void actionErrorSkipsTheRestOfTheAction();
};

void TestErrorReport::text_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");

    QTest::newRow("full stop appended") << "File not found"
                                        << "File not found.";
    QTest::newRow("existing full stop kept") << "No Printer."
                                             << "No Printer.";
    QTest::newRow("Japanese text gets a full stop") << "/tmp/x に書き込めません"
                                                    << "/tmp/x に書き込めません.";
    QTest::newRow("other end marks are no full stop") << "Really?"
                                                      << "Really?.";
}

void TestErrorReport::text()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(ErrorReportText(message), shown);
}

void TestErrorReport::escapingErrorIsReportedAndTheProgramGoesOn()
{
    ScriptedPrompt prompt;
    FailingReceiver receiver;
    QEvent failing(QEvent::User);
    QCoreApplication::sendEvent(&receiver, &failing);
    QCOMPARE(prompt.errors, QStringList{"File not found."});

    QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
    QTRY_COMPARE(prompt.errors.size(), 2);
}

void TestErrorReport::actionErrorSkipsTheRestOfTheAction()
{
    ScriptedPrompt prompt;
    QStringList steps;
    RunReported(nullptr, [&] {
        steps << "first";
        throw std::runtime_error("TPrinterAccess.CheckNoPrinter: No Printer");
        steps << "second";
    });
    QCOMPARE(steps, QStringList{"first"});
    QCOMPARE(prompt.errors, QStringList{"TPrinterAccess.CheckNoPrinter: No Printer."});
}

int main(int argc, char* argv[])
{
    TApplication application(argc, argv);
    TestErrorReport test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_errorreport.moc"
