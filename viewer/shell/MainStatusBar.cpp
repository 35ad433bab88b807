#include "shell/MainStatusBar.h"

#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>

namespace brellix {

void MainStatusBar::createStatusBar(QMainWindow& window)
{
    sbStatusBar = window.statusBar();
    sbStatusBar->setObjectName(QStringLiteral("sbStatusBar"));
    m_panelStatus = new QLabel(&window);
    m_panelStatus->setObjectName(QStringLiteral("sbPanelStatus"));
    m_panelDate = new QLabel(&window);
    m_panelDate->setObjectName(QStringLiteral("sbPanelDate"));
    m_panelTime = new QLabel(&window);
    m_panelTime->setObjectName(QStringLiteral("sbPanelTime"));
    sbStatusBar->addWidget(m_panelStatus, 1);
    sbStatusBar->addPermanentWidget(m_panelDate);
    sbStatusBar->addPermanentWidget(m_panelTime);
    m_clock = new QTimer(sbStatusBar);
    m_clock->setInterval(1000);
    QObject::connect(m_clock, &QTimer::timeout, sbStatusBar, [this] { updateClock(); });
    m_clock->start();
    updateClock();
}

void MainStatusBar::updateClock()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale;
    m_panelDate->setText(locale.toString(now.date(), QLocale::ShortFormat));
    m_panelTime->setText(locale.toString(now.time(), QLocale::ShortFormat));
}

QLabel* MainStatusBar::statusPanel(int panel) const
{
    switch (panel) {
    case 1:
        return m_panelStatus;
    case 2:
        return m_panelDate;
    case 3:
        return m_panelTime;
    default:
        return nullptr;
    }
}

} // namespace brellix
