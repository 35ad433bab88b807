// Binds the viewer's library binding to the build's own library (BRELLIX_BIN_DIR, or ../bin from
// the fuzz target), for targets that read logs or draw through it. A missing library is said
// once: the target still runs, its reads and draws then stop early.
#pragma once

#include "BuildFolder.h"
#include "platform/VantrelLibrary.h"

#include <QString>

#include <cstdio>

inline bool bindBuildLibrary(const char* target)
{
    const QString folder = QString::fromStdString(testsupport::binFolder().string());
    brellix::VantrelLibrary& library = brellix::VantrelLibrary::instance();
    library.setSearchFolder(folder);
    if (!library.verify()) {
        std::fprintf(stderr, "%s: without the library reads and draws stop early: %s\n", target,
                     library.errorString().toLocal8Bit().constData());
    }
    return true;
}
