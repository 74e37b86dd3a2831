#pragma once

#include <QApplication>
#include <QTranslator>

// The application object: an exception that escapes an event handler is reported in the
// standard error box and the program carries on. Qt's own dialogs (the print dialog, the
// calendar, the line edits' menus) speak Japanese like the rest of the program.
class TApplication : public QApplication
{
    Q_OBJECT

public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    QTranslator m_qtTranslator;
};
