#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

// The main window's colors, and the two ways it applies them.
namespace windowcolors {

inline const QColor kGrey(128, 128, 128);   // captions and the sender fields
inline const QColor kNavy(0, 0, 128);       // the printer in force and its margins
inline const QColor kSilver(192, 192, 192); // the empty paste memo
// Light enough that the grey sender texts stay legible, yet plainly not the window color.
inline const QColor kSenderOff(230, 230, 230);

inline void SetTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    palette.setColor(QPalette::ButtonText, color);
    widget->setPalette(palette);
}

inline void SetBaseColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, color);
    widget->setPalette(palette);
}

} // namespace windowcolors
