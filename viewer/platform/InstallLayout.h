// Where an installed copy keeps what a build keeps in the program's own folder: the library in
// the library folder and the tips in the data folder, both found from the program's folder so
// that an installation moved or unpacked elsewhere (a package unpacked into a folder) still
// finds its own files.
#pragma once

#include <QString>

namespace brellix::installlayout {

// The installed library folder for a program in applicationFolder.
QString libraryFolder(const QString& applicationFolder);
// The installed data folder of the viewer (tips, the screenshot) for a program there.
QString dataFolder(const QString& applicationFolder);

} // namespace brellix::installlayout
