#include "dialogs/frmSplash.h"

#include "dialogs/ProgramVersion.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace brellix {

frmSplash::frmSplash() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setLineWidth(2);
    auto* logo = new QLabel(frame);
    logo->setPixmap(QPixmap(QStringLiteral(":/icons/brellix.png")).scaled(96, 96));
    lblProductName = new QLabel(programTitle(), frame);
    lblProductName->setObjectName(QStringLiteral("lblProductName"));
    QFont title = lblProductName->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 2.4);
    lblProductName->setFont(title);
    lblVersion = new QLabel(versionText(), frame);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblPlatform = new QLabel(platformText(), frame);
    lblPlatform->setObjectName(QStringLiteral("lblPlatform"));
    lblWarning = new QLabel(frame);
    lblWarning->setObjectName(QStringLiteral("lblWarning"));

    auto* text = new QVBoxLayout;
    text->addWidget(lblProductName);
    text->addWidget(lblVersion);
    text->addWidget(lblPlatform);
    text->addStretch();
    text->addWidget(lblWarning);
    auto* inner = new QHBoxLayout(frame);
    inner->setContentsMargins(24, 24, 32, 24);
    inner->setSpacing(24);
    inner->addWidget(logo, 0, Qt::AlignTop);
    inner->addLayout(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(frame);

    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

} // namespace brellix
