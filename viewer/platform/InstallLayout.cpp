#include "InstallLayout.h"

#include <QDir>

namespace brellix::installlayout {

QString libraryFolder(const QString& applicationFolder)
{
    return QDir::cleanPath(QDir(applicationFolder).filePath(QStringLiteral(BRELLIX_BIN_TO_LIB)));
}

QString dataFolder(const QString& applicationFolder)
{
    return QDir::cleanPath(QDir(applicationFolder).filePath(QStringLiteral(BRELLIX_BIN_TO_DATA)));
}

} // namespace brellix::installlayout
