#include "Cp932Validator.h"

#include "Cp932.h"

#include <QApplication>

QValidator::State Cp932Validator::validate(QString& input, int&) const
{
    if (cp932::CanEncode(input.toStdString())) {
        return Acceptable;
    }
    QApplication::beep();
    return Invalid;
}
