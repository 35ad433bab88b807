#include "dialogs/frmAbout.h"

#include "dialogs/ProgramVersion.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace brellix {

frmAbout::frmAbout(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Brellix"));
    auto* logo = new QLabel(this);
    logo->setPixmap(QPixmap(QStringLiteral(":/icons/brellix.png")).scaled(64, 64));
    logo->setAlignment(Qt::AlignTop);
    lblTitle = new QLabel(programTitle(), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont title = lblTitle->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.6);
    lblTitle->setFont(title);
    lblVersion = new QLabel(versionText(), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblDescription = new QLabel(
        QStringLiteral("A viewer for the sonar logs of fish-finder sonar units: replay a "
                       "recording channel by channel, read depth, position and temperature "
                       "under the cursor, tune sensitivity and colours, print charts and "
                       "export the recorded values."),
        this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setWordWrap(true);
    lblDescription->setMinimumWidth(320);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));

    auto* text = new QVBoxLayout;
    text->addWidget(lblTitle);
    text->addWidget(lblVersion);
    text->addSpacing(8);
    text->addWidget(lblDescription);
    text->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(logo);
    top->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);

    m_start = [](const QString& program) { return QProcess::startDetached(program, {}); };
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);
}

QStringList frmAbout::systemInfoTools()
{
    return {QStringLiteral("hardinfo2"),           QStringLiteral("hardinfo"),
            QStringLiteral("kinfocenter"),         QStringLiteral("gnome-system-monitor"),
            QStringLiteral("mate-system-monitor"), QStringLiteral("xfce4-taskmanager")};
}

QString frmAbout::unavailableText()
{
    return QStringLiteral("System Information Is Unavailable At This Time");
}

void frmAbout::StartSysInfo()
{
    for (const QString& tool : systemInfoTools()) {
        const QString program = QStandardPaths::findExecutable(tool);
        if (!program.isEmpty() && m_start && m_start(program)) {
            return;
        }
    }
    if (m_message) {
        m_message(unavailableText());
        return;
    }
    QMessageBox::information(this, windowTitle(), unavailableText());
}

} // namespace brellix
