#include "MessageBoxPrompt.h"

#include <QMessageBox>
#include <QPushButton>

namespace {
Prompt* g_installed = nullptr;

void showBox(QWidget* parent, QMessageBox::Icon icon, const QString& text)
{
    QMessageBox box(icon, ApplicationTitle(), text, QMessageBox::NoButton, parent);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}
} // namespace

QString ApplicationTitle()
{
    return QStringLiteral("◇mivo_Kangaroo");
}

Prompt& Prompt::instance()
{
    static MessageBoxPrompt boxes;
    return g_installed != nullptr ? *g_installed : boxes;
}

void Prompt::setInstance(Prompt* prompt)
{
    g_installed = prompt;
}

bool MessageBoxPrompt::ask(QWidget* parent, const QString& question)
{
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle(), question, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void MessageBoxPrompt::notify(QWidget* parent, const QString& message)
{
    showBox(parent, QMessageBox::NoIcon, message);
}

void MessageBoxPrompt::reportError(QWidget* parent, const QString& message)
{
    showBox(parent, QMessageBox::Critical, message);
}
