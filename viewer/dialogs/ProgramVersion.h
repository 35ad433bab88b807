// The program's own version record, as the splash and the about box show it.
#pragma once

#include <QString>

namespace brellix {

// "Brellix".
QString programTitle();
// "Version " followed by major.minor.revision, for this release "Version 2.1.2".
QString versionText();
// The platform the viewer runs on, as its splash names it.
QString platformText();

} // namespace brellix
