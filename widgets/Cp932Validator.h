#pragma once

#include <QValidator>

class QLineEdit;

// Refuses a typed or pasted text holding a character that code page 932 cannot store, with a
// beep, so that nothing the files cannot keep ever reaches a field. Also holds the field's
// typing limit: unlike QLineEdit's maximum length, it never cuts a longer text that the
// program puts into the field (a stored sender or a pasted address keeps every character).
class Cp932Validator : public QValidator
{
    Q_OBJECT

public:
    // `typingLimit` in characters; 0 for none.
    explicit Cp932Validator(QLineEdit* edit, int typingLimit = 0);

    int typingLimit() const { return m_typingLimit; }
    State validate(QString& input, int& position) const override;

private:
    bool growsPastLimit(const QString& input) const;

    int m_typingLimit;
    // The text before the edit under validation (the field already shows the new one then).
    QString m_shown;
};
