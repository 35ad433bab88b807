#include "dialogs/frmTip.h"

#include "platform/InstallLayout.h"
#include "platform/SettingsKeys.h"
#include "platform/SettingsStore.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTextStream>
#include <QVBoxLayout>

namespace brellix {

frmTip::frmTip(SettingsStore& settings, const QStringList& tipFiles, QWidget* owner)
    : QDialog(owner), m_settings(settings)
{
    setObjectName(QStringLiteral("frmTip"));
    setWindowTitle(QStringLiteral("Tip of the Day"));
    auto* heading = new QLabel(QStringLiteral("Did you know..."), this);
    heading->setObjectName(QStringLiteral("Label1"));
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    heading->setFont(bold);
    lblTipText = new QLabel(this);
    lblTipText->setObjectName(QStringLiteral("lblTipText"));
    lblTipText->setWordWrap(true);
    lblTipText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblTipText->setMinimumSize(360, 110);
    chkLoadTipsAtStartup = new QCheckBox(QStringLiteral("&Show Tips at Startup"), this);
    chkLoadTipsAtStartup->setObjectName(QStringLiteral("chkLoadTipsAtStartup"));
    cmdNextTip = new QPushButton(QStringLiteral("&Next Tip"), this);
    cmdNextTip->setObjectName(QStringLiteral("cmdNextTip"));
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(chkLoadTipsAtStartup);
    buttons->addStretch();
    buttons->addWidget(cmdNextTip);
    buttons->addWidget(cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(lblTipText, 1);
    layout->addLayout(buttons);

    chkLoadTipsAtStartup->setChecked(m_settings.get(settingskeys::kShowTipsAtStartup) != 0);
    // The choice is kept at once, whichever way the window is then closed.
    connect(chkLoadTipsAtStartup, &QCheckBox::toggled, this, [this](bool checked) {
        m_settings.saveInt(settingskeys::kShowTipsAtStartup, checked ? 1 : 0);
    });
    connect(cmdNextTip, &QPushButton::clicked, this, &frmTip::DoNextTip);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    bool loaded = false;
    for (const QString& file : tipFiles) {
        if (LoadTips(file)) {
            loaded = true;
            break;
        }
    }
    if (!loaded) {
        lblTipText->setText(missingFileText());
    }
}

QStringList frmTip::defaultTipFiles()
{
    const QString name = QLatin1String(kTipsFile);
    const QString applicationFolder = QCoreApplication::applicationDirPath();
    QStringList files{QDir(applicationFolder).filePath(name),
                      QDir(installlayout::dataFolder(applicationFolder)).filePath(name)};
    for (const QString& folder :
         QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("brellix"),
                                   QStandardPaths::LocateDirectory)) {
        files.append(QDir(folder).filePath(name));
    }
    return files;
}

QString frmTip::missingFileText()
{
    const QString name = QLatin1String(kTipsFile);
    return QStringLiteral("That the ") + name + QStringLiteral(" file was not found? ") +
           QStringLiteral("\r\n\r\n") + QStringLiteral("Create a text file named ") + name +
           QStringLiteral(" using NotePad with 1 tip per line. ") +
           QStringLiteral("Then place it in the same directory as the application. ");
}

bool frmTip::LoadTips(const QString& fileName)
{
    if (fileName.isEmpty()) {
        return false;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return false;
    }
    QTextStream in(&file);
    QString line;
    while (in.readLineInto(&line)) {
        m_tips.append(line);
    }
    DoNextTip();
    return true;
}

void frmTip::DoNextTip()
{
    if (m_tips.isEmpty()) {
        return;
    }
    m_currentTip = static_cast<int32_t>(QRandomGenerator::global()->bounded(m_tips.size())) + 1;
    DisplayCurrentTip();
}

void frmTip::DisplayCurrentTip()
{
    if (!m_tips.isEmpty() && m_currentTip >= 1 && m_currentTip <= m_tips.size()) {
        lblTipText->setText(m_tips.at(m_currentTip - 1));
    }
}

} // namespace brellix
