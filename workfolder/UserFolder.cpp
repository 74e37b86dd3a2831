#include "workfolder/UserFolder.h"

#include <QDir>

#include <stdexcept>

QString MenuStartFolder()
{
    return QDir::home().filePath(QStringLiteral("mivo_Kangaroo"));
}

void EnterFolder(const QString& folder)
{
    if (!QDir().mkpath(folder) || !QDir::setCurrent(folder)) {
        throw std::runtime_error(
            QStringLiteral("%1 を作成できません").arg(QDir::toNativeSeparators(folder)).toStdString());
    }
}
