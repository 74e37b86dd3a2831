#include "app/TApplication.h"
#include "app/TerminationHandler.h"
#include "cli/BatchCommand.h"
#include "cli/HistoryCommand.h"
#include "cli/ImportCommand.h"
#include "cli/ManifestCommand.h"
#include "cli/PostalCommand.h"
#include "cli/PreviewCommandLine.h"
#include "cli/PrintCommandLine.h"
#include "cli/ShippedCommand.h"
#include "cli/TrackCommand.h"
#include "gui/TForm_Main.h"
#include "jobs/SystemPrinters.h"
#include "platform/FontSubstitutes.h"
#include "platform/SingleInstance.h"
#include "widgets/ErrorReport.h"
#include "widgets/Prompt.h"
#include "workfolder/UserFolder.h"

#include <QDir>
#include <QEvent>
#include <QTimer>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {
// MIVO_EXIT_AFTER_SHOW=1 prints "shown" when the main window has been painted once and then
// ends the program normally, so that start-up can be timed from outside (bench/).
// MIVO_REPORT_SHOWN=1 prints it when any window (the main window or a notice of the start) has
// been painted and runs on, for tests that drive the running program.
class ExitAfterFirstPaint : public QObject
{
public:
    explicit ExitAfterFirstPaint(bool exit) : m_exit(exit) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            std::cout << "shown" << std::endl;
            if (m_exit) {
                QTimer::singleShot(0, qApp, &QCoreApplication::quit);
            }
        }
        return false;
    }

private:
    bool m_exit = false;
    bool m_painted = false;
};

void bringToFront(QWidget& window)
{
    if (window.isMinimized()) {
        window.showNormal();
    }
    window.raise();
    window.activateWindow();
}
} // namespace

int main(int argc, char* argv[])
{
    // Command-line front ends run without any window or QApplication.
    if (argc > 1) {
        const std::string command = argv[1];
        const std::vector<std::string> arguments(argv + 2, argv + argc);
        if (command == "import") {
            return RunImportCommand(arguments, std::cin, std::cout, std::cerr);
        }
        if (command == "postal" || command == "postal-update") {
            const auto run = command == "postal" ? RunPostalCommand : RunPostalUpdateCommand;
            return run(arguments, std::filesystem::current_path(), std::cout, std::cerr);
        }
        if (command == "print") {
            return RunPrintCommand(argc, argv, std::cerr);
        }
        if (command == "history") {
            return RunHistoryCommand(argc, argv, std::cout, std::cerr);
        }
        if (command == "reprint") {
            return RunReprintCommand(argc, argv, std::cerr);
        }
        if (command == "batch") {
            return RunBatchCommand(argc, argv, std::cout, std::cerr);
        }
        if (command == "preview") {
            return RunPreviewCommand(argc, argv, std::cerr);
        }
        if (command == "track") {
            return RunTrackCommand(argc, argv, std::cout, std::cerr);
        }
        if (command == "shipped") {
            return RunShippedCommand(argc, argv, std::cout, std::cerr);
        }
        if (command == "manifest") {
            return RunManifestCommand(argc, argv, std::cerr);
        }
    }

    const bool startedFromMenu = argc > 1 && std::string(argv[1]) == kFromMenuOption;
    TApplication application(argc, argv);
    application.setApplicationName(ApplicationTitle());
    if (startedFromMenu) {
        try {
            EnterFolder(MenuStartFolder());
        } catch (const std::exception& error) {
            ReportError(nullptr, error);
            return 1;
        }
    }

    SingleInstance instance(ApplicationTitle());
    try {
        if (!instance.claim()) {
            return 0;
        }
    } catch (const std::exception& error) {
        ReportError(nullptr, error);
    }

    InstallFontSubstitutes();
    // The printer object exists before any window; the main window then creates the
    // print-position dialog and the slip engine, in that order.
    SystemPrinters printers(QDir::currentPath());
    TForm_Main mainWindow;
    QObject::connect(&instance, &SingleInstance::activationRequested, &mainWindow,
                     [&mainWindow] { bringToFront(mainWindow); });

    TerminationHandler termination(mainWindow);

    ExitAfterFirstPaint exitAfterShow(qEnvironmentVariableIntValue("MIVO_EXIT_AFTER_SHOW") != 0);
    if (qEnvironmentVariableIntValue("MIVO_EXIT_AFTER_SHOW") != 0) {
        mainWindow.installEventFilter(&exitAfterShow);
    } else if (qEnvironmentVariableIntValue("MIVO_REPORT_SHOWN") != 0) {
        application.installEventFilter(&exitAfterShow);
    }
    mainWindow.show();
    return termination.requested() ? 0 : application.exec();
}
