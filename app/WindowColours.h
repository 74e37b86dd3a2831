#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

// The main window's colours, and the two ways it applies them.
namespace WindowColours {

inline const QColor kGrey(128, 128, 128);   // captions and the sender fields
inline const QColor kNavy(0, 0, 128);       // the printer in force and its margins
inline const QColor kSilver(192, 192, 192); // the empty paste memo
// Light enough that the grey sender texts stay legible, yet plainly not the window colour.
inline const QColor kSenderOff(230, 230, 230);

inline void SetTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

inline void SetBaseColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, colour);
    widget->setPalette(palette);
}

} // namespace WindowColours
