// Finds and loads the Vantrel shared library by name and resolves its exports by name: first
// in the application's folder, then in the installed library folder beside it, then through
// the system's library search path. Nothing here
// throws; a failure leaves a text that names the file and where it was looked for, for the
// viewer to show.
#pragma once

#include <QLibrary>
#include <QString>

#include <atomic>
#include <cstdint>
#include <mutex>

namespace brellix {

class VantrelLibrary
{
public:
    // The one binding of the process: the library keeps per-process state, so there is no
    // point in loading it twice.
    static VantrelLibrary& instance();

    VantrelLibrary(const VantrelLibrary&) = delete;
    VantrelLibrary& operator=(const VantrelLibrary&) = delete;

    // The folder looked in before the system's search path. Left empty, it is the
    // application's folder when an application object exists. Setting it unloads the library;
    // the next export call loads it again.
    void setSearchFolder(const QString& folder);
    QString searchFolder() const;

    // The address of the named export, loading the library first if needed; nullptr when the
    // library or the export is missing, with errorString() saying which and where.
    QFunctionPointer resolve(const char* name);

    // Loads the library and resolves every export the viewer uses. False, with
    // errorString(), at the first one missing; lets the application say so up front.
    bool verify();

    bool isLoaded() const;
    // The file actually loaded; empty when none is.
    QString loadedFile() const;
    // Why the last load or resolve failed; empty while nothing failed since the last load.
    QString errorString() const;
    // Bumped whenever the library is unloaded, so bound export addresses know they are stale.
    uint64_t generation() const { return m_generation.load(std::memory_order_acquire); }

    // The library's file name on this platform, as the user would look for it.
    static QString platformFileName();

private:
    VantrelLibrary() = default;
    bool loadLocked();
    QString effectiveFolderLocked() const;

    mutable std::mutex m_mutex;
    QLibrary m_library;
    QString m_folder;
    QString m_error;
    bool m_loaded = false;
    std::atomic<uint64_t> m_generation{1};
};

} // namespace brellix
