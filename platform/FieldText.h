#pragma once

#include "platform/Cp932.h"

#include <QString>

#include <optional>
#include <string>
#include <string_view>

// Fields hold Unicode; files and the text rules hold code page 932 bytes. Every crossing
// between the two goes through here.

// A character without a code page 932 form becomes the replacement "〓".
inline std::string ToCp932(const QString& text)
{
    return cp932::FromUtf8(text.toStdString());
}

// Nothing when a character has no code page 932 form.
inline std::optional<std::string> ToCp932Exact(const QString& text)
{
    return cp932::FromUtf8Strict(text.toStdString());
}

inline QString FromCp932(std::string_view bytes)
{
    return QString::fromStdString(cp932::ToUtf8(bytes));
}

inline bool IsCp932Storable(const QString& text)
{
    return cp932::CanEncode(text.toStdString());
}
