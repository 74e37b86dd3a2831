#pragma once

#include "platform/Cp932.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <stdexcept>
#include <string>
#include <vector>

// Tests write their texts in UTF-8; files and the text rules hold code page 932 bytes. A test
// text without a code page 932 form is a fault of the test.
inline std::string sj(const QString& utf8)
{
    auto bytes = cp932::FromUtf8Strict(utf8.toStdString());
    if (!bytes) {
        throw std::invalid_argument("test text without a code page 932 form");
    }
    return *bytes;
}

inline QByteArray sjBytes(const QString& utf8)
{
    return QByteArray::fromStdString(sj(utf8));
}

inline QString fromSj(const std::string& bytes)
{
    return QString::fromStdString(cp932::ToUtf8(bytes));
}

inline std::vector<std::string> sjLines(const QStringList& lines)
{
    std::vector<std::string> out;
    for (const QString& line : lines) {
        out.push_back(sj(line));
    }
    return out;
}

inline QStringList fromSjLines(const std::vector<std::string>& lines)
{
    QStringList out;
    for (const std::string& line : lines) {
        out.append(fromSj(line));
    }
    return out;
}
