#include "VantrelLibrary.h"

#include "platform/InstallLayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

namespace brellix {

namespace {

constexpr const char* kBaseName = "vantrel";
// The C interface's major version: libvantrel.so.0.
constexpr int kSoVersion = 0;

// Every export the viewer calls; verify() checks them all at once.
constexpr const char* kExportNames[] = {
    "FileReadSubHeader",
    "FileReadSubHeader2",
    "FileDecompress",
    "FileDecode",
    "ColumnScale",
    "ColumnConvert",
    "ColumnCopy",
    "ProcessSetup",
    "ProcessRemoveSurfaceClutter",
    "ProcessHorizontalCorrelation",
    "ProcessRecombination",
    "FishDraw",
};

} // namespace

VantrelLibrary& VantrelLibrary::instance()
{
    static VantrelLibrary library;
    return library;
}

QString VantrelLibrary::platformFileName()
{
#if defined(Q_OS_WIN)
    return QStringLiteral("vantrel.dll");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("libvantrel.dylib");
#else
    return QStringLiteral("libvantrel.so");
#endif
}

void VantrelLibrary::setSearchFolder(const QString& folder)
{
    std::lock_guard lock(m_mutex);
    if (m_loaded) {
        m_library.unload();
    }
    m_loaded = false;
    m_folder = folder;
    m_error.clear();
    m_generation.fetch_add(1, std::memory_order_acq_rel);
}

QString VantrelLibrary::searchFolder() const
{
    std::lock_guard lock(m_mutex);
    return effectiveFolderLocked();
}

QString VantrelLibrary::effectiveFolderLocked() const
{
    if (!m_folder.isEmpty()) {
        return m_folder;
    }
    if (QCoreApplication::instance()) {
        return QCoreApplication::applicationDirPath();
    }
    return {};
}

bool VantrelLibrary::loadLocked()
{
    if (m_loaded) {
        return true;
    }
    const QString folder = effectiveFolderLocked();
    QString folderError;
    if (!folder.isEmpty()) {
        // A path with a folder makes the loader look there only.
        m_library.setFileName(QDir(folder).filePath(QLatin1String(kBaseName)));
        if (m_library.load()) {
            m_loaded = true;
            m_error.clear();
            return true;
        }
        folderError = m_library.errorString();
    }
    // An installed viewer: the library folder beside its own, then the system's search path,
    // where a runtime installation has the library under its SONAME only.
    QStringList others;
    if (m_folder.isEmpty() && !folder.isEmpty()) {
        others.append(
            QDir(installlayout::libraryFolder(folder)).filePath(QLatin1String(kBaseName)));
    }
    others.append(QLatin1String(kBaseName));
    for (const QString& name : others) {
        for (const int version : {kSoVersion, -1}) {
            m_library.setFileNameAndVersion(name, version);
            if (m_library.load()) {
                m_loaded = true;
                m_error.clear();
                return true;
            }
        }
    }
    const QString where = folder.isEmpty()
                              ? QStringLiteral("on the system's library search path")
                              : QStringLiteral("in %1, then on the system's library search path")
                                    .arg(QDir::toNativeSeparators(folder));
    m_error = QStringLiteral("The sonar data library %1 could not be loaded: looked %2. %3")
                  .arg(platformFileName(), where,
                       folderError.isEmpty() ? m_library.errorString() : folderError);
    return false;
}

QFunctionPointer VantrelLibrary::resolve(const char* name)
{
    std::lock_guard lock(m_mutex);
    if (!loadLocked()) {
        return nullptr;
    }
    QFunctionPointer function = m_library.resolve(name);
    if (!function) {
        m_error = QStringLiteral("The sonar data library %1 has no function %2.")
                      .arg(QDir::toNativeSeparators(m_library.fileName()), QLatin1String(name));
        return nullptr;
    }
    return function;
}

bool VantrelLibrary::verify()
{
    for (const char* name : kExportNames) {
        if (!resolve(name)) {
            return false;
        }
    }
    return true;
}

bool VantrelLibrary::isLoaded() const
{
    std::lock_guard lock(m_mutex);
    return m_loaded;
}

QString VantrelLibrary::loadedFile() const
{
    std::lock_guard lock(m_mutex);
    return m_loaded ? m_library.fileName() : QString();
}

QString VantrelLibrary::errorString() const
{
    std::lock_guard lock(m_mutex);
    return m_error;
}

} // namespace brellix
