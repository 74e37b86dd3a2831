#pragma once

#include "Cp932.h"

#include <QString>

#include <string>
#include <string_view>

// Fields hold Unicode; files and the text rules hold code page 932 bytes.
inline std::string ToCp932(const QString& text)
{
    return cp932::FromUtf8(text.toStdString());
}

inline QString FromCp932(std::string_view bytes)
{
    return QString::fromStdString(cp932::ToUtf8(bytes));
}
