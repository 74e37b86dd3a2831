#pragma once

#include <QPlainTextEdit>

// The paste memo: a pasted character that code page 932 cannot store becomes "〓", so that the
// user sees where something was lost; such a character typed is refused with a beep.
class TMemo : public QPlainTextEdit
{
    Q_OBJECT

public:
    using QPlainTextEdit::QPlainTextEdit;

    // The text as code page 932 can hold it.
    static QString Storable(const QString& text);

protected:
    void insertFromMimeData(const QMimeData* source) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
};
