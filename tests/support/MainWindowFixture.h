#pragma once

#include "gui/TForm_Main.h"
#include "platform/FontSubstitutes.h"
#include "printers/TPrinterAccess.h"
#include "tests/support/FakePrinterService.h"
#include "tests/support/NamedControl.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TypeText.h"
#include "widgets/TNumEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>
#include <stdexcept>

// The main window as a test meets it: a fresh working folder (current for the test's life, the
// previous one restored after), the scripted prompt installed, and the window created, shown
// (its show sequence run) and active.
//
//     MainWindowFixture fixture;                 // folder and prompt, no window yet
//     fixture.writeFile("my0.txt", bytes);       // prepare files the start reads
//     fixture.prompt().answerYes();              // queue answers for the start if needed
//     TForm_Main& window = fixture.show();
//     fixture.key(Qt::Key_Return);               // to the focused control
//     QCOMPARE(fixture.focusedName(), QString("Edit_Add1"));
//     auto* zip = fixture.control<QLineEdit>("Edit_Zip");
class MainWindowFixture
{
public:
    MainWindowFixture() : m_previousFolder(QDir::currentPath())
    {
        if (!m_folder.isValid() || !QDir::setCurrent(m_folder.path())) {
            throw std::runtime_error("MainWindowFixture: no temporary working folder");
        }
        InstallFontSubstitutes();
        FakePrinterService::Printer printer;
        printer.name = "Fake Printer";
        installPrinters(std::make_unique<FakePrinterService>(std::vector{printer}));
    }

    ~MainWindowFixture()
    {
        m_window.reset();
        UninstallPrinterService();
        QDir::setCurrent(m_previousFolder);
    }

    MainWindowFixture(const MainWindowFixture&) = delete;
    MainWindowFixture& operator=(const MainWindowFixture&) = delete;

    // The working folder and a file in it.
    QString folder() const { return m_folder.path(); }
    QString path(const QString& name) const { return QDir(m_folder.path()).filePath(name); }

    void writeFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
            throw std::runtime_error("MainWindowFixture: cannot write " + name.toStdString());
        }
    }

    // The file's bytes; empty when it does not exist.
    QByteArray readFile(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    bool exists(const QString& name) const { return QFile::exists(path(name)); }

    ScriptedPrompt& prompt() { return m_prompt; }

    // The system's printers as the window sees them: one fake printer unless a test installs
    // another service (before show(), or later to change the system under the window).
    FakePrinterService& printers() const { return *m_printers; }
    void installPrinters(std::unique_ptr<FakePrinterService> service)
    {
        m_printers = service.get();
        InstallPrinterService(std::move(service));
    }
    // A printer service of another kind (the real one, in end-to-end tests).
    void installService(std::unique_ptr<PrinterService> service)
    {
        m_printers = nullptr;
        InstallPrinterService(std::move(service));
    }

    // Creates the window, shows it (the show sequence runs) and waits until it is active.
    TForm_Main& show()
    {
        if (m_window) {
            throw std::logic_error("MainWindowFixture: the window is already shown");
        }
        m_window = std::make_unique<TForm_Main>();
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        if (!QTest::qWaitForWindowActive(m_window.get())) {
            throw std::runtime_error("MainWindowFixture: the window did not become active");
        }
        return *m_window;
    }

    // The shown window; throws when show() has not run or the window was destroyed.
    TForm_Main& window() const
    {
        if (!m_window) {
            throw std::logic_error("MainWindowFixture: no window");
        }
        return *m_window;
    }

    // Destroys the window (its destroy handler saves the settings) without closing it first.
    void destroyWindow() { m_window.reset(); }

    // A control of the window by its name; throws when there is none of that type.
    template <typename Widget = QWidget> Widget* control(const QString& name) const
    {
        return NamedControl<Widget>(window(), name);
    }

    // The named control that holds the keyboard focus (a compound control's inner editor
    // counts as the control); nullptr when the focus is outside the window's controls.
    QWidget* focused() const
    {
        for (QWidget* widget = QApplication::focusWidget(); widget != nullptr; widget = widget->parentWidget()) {
            const QString name = widget->objectName();
            if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_"))) {
                return widget;
            }
        }
        return nullptr;
    }

    QString focusedName() const
    {
        const QWidget* widget = focused();
        return widget != nullptr ? widget->objectName() : QString();
    }

    // Moves the focus to the named control as a click or Tab would (entry actions run).
    void focus(const QString& name) const
    {
        QWidget* widget = control(name);
        widget->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }

    // A real key press and release sent to the widget that holds the focus.
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const
    {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target != nullptr ? target : &window(), key, modifiers);
    }

    // Typed text, character by character, into the focused widget.
    void type(const QString& text) const
    {
        QWidget* target = QApplication::focusWidget();
        TypeText(target != nullptr ? target : &window(), text);
    }

private:
    QString m_previousFolder;
    QTemporaryDir m_folder;
    ScriptedPrompt m_prompt;
    FakePrinterService* m_printers = nullptr;
    std::unique_ptr<TForm_Main> m_window;
};
