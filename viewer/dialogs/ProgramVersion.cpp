#include "dialogs/ProgramVersion.h"

#include <QSysInfo>

namespace brellix {

QString programTitle()
{
    return QStringLiteral("Brellix");
}

QString versionText()
{
    return QStringLiteral("Version %1.%2.%3")
        .arg(BRELLIX_VERSION_MAJOR)
        .arg(BRELLIX_VERSION_MINOR)
        .arg(BRELLIX_VERSION_PATCH);
}

QString platformText()
{
    return QSysInfo::prettyProductName();
}

} // namespace brellix
