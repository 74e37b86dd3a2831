#pragma once

#include "NumValue.h"

#include <QString>
#include <QWidget>

// A custom-drawn single-line field for a decimal number (placeholder: value only, until the
// editing and painting land).
class TNumEdit : public QWidget
{
    Q_OBJECT

public:
    explicit TNumEdit(QWidget* parent = nullptr);

    QString Text() const;
    void SetText(const QString& text);

    int IntegerLength() const { return m_format.IntegerLength; }
    void SetIntegerLength(int value);
    int DecimalLength() const { return m_format.DecimalLength; }
    void SetDecimalLength(int value);

signals:
    void OnChange(TNumEdit* sender);

private:
    numvalue::NumFormat m_format;
    std::string m_value; // code page 932 value text
};
