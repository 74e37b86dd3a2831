#include "Cp932Validator.h"

#include "Cp932.h"

#include <QApplication>
#include <QLineEdit>

Cp932Validator::Cp932Validator(QLineEdit* edit, int typingLimit)
    : QValidator(edit), m_typingLimit(typingLimit), m_shown(edit->text())
{
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { m_shown = text; });
}

QValidator::State Cp932Validator::validate(QString& input, int&) const
{
    if (cp932::CanEncode(input.toStdString()) && !growsPastLimit(input)) {
        return Acceptable;
    }
    QApplication::beep();
    return Invalid;
}

// Shortening or editing a text that is already longer than the limit stays possible.
bool Cp932Validator::growsPastLimit(const QString& input) const
{
    return m_typingLimit > 0 && input.size() > m_typingLimit && input.size() > m_shown.size();
}
