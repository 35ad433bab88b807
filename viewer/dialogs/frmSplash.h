// The splash window shown while the main window loads: the logo, the title, the version and
// the platform.
#pragma once

#include <QWidget>

class QLabel;

namespace brellix {

class frmSplash : public QWidget
{
    Q_OBJECT

public:
    frmSplash();

    QLabel* lblProductName = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblPlatform = nullptr;
    QLabel* lblWarning = nullptr;
};

} // namespace brellix
