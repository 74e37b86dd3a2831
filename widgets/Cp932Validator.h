#pragma once

#include <QString>
#include <QValidator>

class QLineEdit;

// Refuses a typed or pasted text holding a character that code page 932 cannot store, with a
// beep and the refused() signal, so that nothing the files cannot keep ever reaches a field.
// Also holds the field's typing limit: a paste is cut at it, as the toolkit's maximum length
// does, but unlike that maximum it never cuts a longer text that the program puts into the
// field (a stored sender or a pasted address keeps every character).
class Cp932Validator : public QValidator
{
    Q_OBJECT

public:
    // `typingLimit` in characters; 0 for none.
    explicit Cp932Validator(QLineEdit* edit, int typingLimit = 0);

    int typingLimit() const { return m_typingLimit; }
    State validate(QString& input, int& position) const override;

    // The first character of `text` without a code page 932 form; empty when there is none.
    static QString FirstUnstorable(const QString& text);

signals:
    // The user's edit was refused because of this character.
    void refused(const QString& character) const;

private:
    bool cutAtLimit(QString& input, int& position) const;

    QLineEdit* m_edit;
    int m_typingLimit;
    // The text before the edit under validation (the field already shows the new one then).
    QString m_shown;
};
