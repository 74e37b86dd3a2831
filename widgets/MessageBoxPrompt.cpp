#include "widgets/MessageBoxPrompt.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

#include <algorithm>

namespace {
Prompt* g_installed = nullptr;

// A window manager draws the caption in its own font, often bold and larger than the
// program's, beside the window's icon and buttons; Qt's allowance for it is too small, so a
// short question cut "◇mivo_Kangaroo" short.
constexpr int kTitleBarControls = 140;
constexpr int kTitleFontPixels = 16;

void fitCaption(QMessageBox& box)
{
    QFont font = box.font();
    font.setBold(true);
    font.setPixelSize(std::max(kTitleFontPixels, QFontMetrics(font).height()));
    const int width = QFontMetrics(font).horizontalAdvance(box.windowTitle()) + kTitleBarControls;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                      grid->columnCount());
    }
}

void showBox(QWidget* parent, QMessageBox::Icon icon, const QString& text)
{
    QMessageBox box(icon, ApplicationTitle(), text, QMessageBox::NoButton, parent);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    fitCaption(box);
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

bool MessageBoxPrompt::ask(QWidget* parent, const QString& question, Default defaultButton)
{
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle(), question, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    box.setDefaultButton(defaultButton == Default::Yes ? yes : no);
    box.setEscapeButton(no);
    fitCaption(box);
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
