#include "TNumEdit.h"

#include "Cp932.h"

TNumEdit::TNumEdit(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    resize(121, 20);
}

QString TNumEdit::Text() const
{
    return QString::fromStdString(cp932::ToUtf8(m_value));
}

void TNumEdit::SetText(const QString& text)
{
    const std::string bytes = cp932::FromUtf8(text.toStdString());
    if (bytes == m_value) {
        return;
    }
    m_value = numvalue::CleanText(bytes, m_format);
    update();
    emit OnChange(this);
}

void TNumEdit::SetIntegerLength(int value)
{
    if (value >= 0) {
        m_format.IntegerLength = value;
    }
}

void TNumEdit::SetDecimalLength(int value)
{
    if (value >= 0) {
        m_format.DecimalLength = value;
    }
}
