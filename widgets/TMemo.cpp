#include "TMemo.h"

#include "Cp932.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

QString TMemo::Storable(const QString& text)
{
    return QString::fromStdString(cp932::ToUtf8(cp932::FromUtf8(text.toStdString())));
}

void TMemo::insertFromMimeData(const QMimeData* source)
{
    if (source == nullptr || !source->hasText()) {
        return;
    }
    QMimeData storable;
    storable.setText(Storable(source->text()));
    QPlainTextEdit::insertFromMimeData(&storable);
}

void TMemo::keyPressEvent(QKeyEvent* event)
{
    if (!event->text().isEmpty() && !cp932::CanEncode(event->text().toStdString())) {
        QApplication::beep();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TMemo::inputMethodEvent(QInputMethodEvent* event)
{
    if (!event->commitString().isEmpty() && !cp932::CanEncode(event->commitString().toStdString())) {
        QApplication::beep();
        QInputMethodEvent refused(event->preeditString(), event->attributes());
        QPlainTextEdit::inputMethodEvent(&refused);
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}
