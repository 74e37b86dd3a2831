#pragma once

#include <QValidator>

// Refuses a typed or pasted text holding a character that code page 932 cannot store, with a
// beep, so that nothing the files cannot keep ever reaches a field.
class Cp932Validator : public QValidator
{
    Q_OBJECT

public:
    using QValidator::QValidator;

    State validate(QString& input, int& position) const override;
};
