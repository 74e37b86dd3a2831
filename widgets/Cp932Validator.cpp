#include "widgets/Cp932Validator.h"

#include "platform/FieldText.h"

#include <QApplication>
#include <QLineEdit>

#include <algorithm>

Cp932Validator::Cp932Validator(QLineEdit* edit, int typingLimit)
    : QValidator(edit), m_edit(edit), m_typingLimit(typingLimit), m_shown(edit->text())
{
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { m_shown = text; });
}

QString Cp932Validator::FirstUnstorable(const QString& text)
{
    for (const char32_t character : text.toUcs4()) {
        QString one = QString::fromUcs4(&character, 1);
        if (!IsCp932Storable(one)) {
            return one;
        }
    }
    return {};
}

QValidator::State Cp932Validator::validate(QString& input, int& position) const
{
    // The line edit empties its undo history when the program sets the text; any edit of the
    // user's (typing, pasting, dropping, the input method) is on it when it is validated.
    if (!m_edit->isUndoAvailable()) {
        return Acceptable;
    }
    if (const QString character = FirstUnstorable(input); !character.isEmpty()) {
        QApplication::beep();
        emit refused(character);
        return Invalid;
    }
    return cutAtLimit(input, position) ? Acceptable : Invalid;
}

// Drops what the edit brought past the limit; false when nothing of it is left. A text that
// is already longer than the limit may still be edited as long as it does not grow.
bool Cp932Validator::cutAtLimit(QString& input, int& position) const
{
    const qsizetype allowed = std::max<qsizetype>(m_typingLimit, m_shown.size());
    if (m_typingLimit <= 0 || input.size() <= allowed) {
        return true;
    }
    QApplication::beep();
    // The characters past the limit are the last ones inserted, just before the caret.
    const qsizetype excess = input.size() - allowed;
    const qsizetype from = position - excess;
    if (from < 0) {
        return false;
    }
    input.remove(from, excess);
    position = static_cast<int>(from);
    return input != m_shown;
}
