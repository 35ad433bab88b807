// Whether a save may write a new file and rename it over path: only when nothing is there yet or
// it is a regular file (a link counts as what it points to). A device or a pipe would be
// replaced by a plain file, and /dev/full with it when the viewer runs as root.
#pragma once

#include <QFileInfo>
#include <QString>

namespace brellix {

inline bool isReplaceableFile(const QString& path)
{
    const QFileInfo info(path);
    return !info.exists() || info.isFile();
}

} // namespace brellix
