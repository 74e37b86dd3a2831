#include "app/TApplication.h"

#include "widgets/ErrorReport.h"

#include <QLibraryInfo>

#include <exception>

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // Without the translations package Qt's dialogs stay in English; nothing else changes.
    if (m_qtTranslator.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        installTranslator(&m_qtTranslator);
    }
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ReportError(activeWindow(), error);
        return false;
    }
}
