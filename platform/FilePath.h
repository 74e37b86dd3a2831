#pragma once

#include <QFile>
#include <QString>

#include <filesystem>

// Qt names files in Unicode, the file libraries in the file system's own bytes; every
// crossing between the two goes through here.

inline std::filesystem::path ToPath(const QString& name)
{
    return std::filesystem::path(QFile::encodeName(name).toStdString());
}

inline QString FromPath(const std::filesystem::path& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}
