#include "widgets/TMemo.h"

#include "platform/FieldText.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

QString TMemo::Storable(const QString& text)
{
    return FromCp932(ToCp932(text));
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
    if (!event->text().isEmpty() && !IsCp932Storable(event->text())) {
        QApplication::beep();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TMemo::inputMethodEvent(QInputMethodEvent* event)
{
    if (!event->commitString().isEmpty() && !IsCp932Storable(event->commitString())) {
        QApplication::beep();
        QInputMethodEvent refused(event->preeditString(), event->attributes());
        QPlainTextEdit::inputMethodEvent(&refused);
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}
