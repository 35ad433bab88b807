#include "shell/MainToolBar.h"

#include "document/frmDocument.h"
#include "shell/MainMenus.h"

#include <QAction>
#include <QIcon>
#include <QMainWindow>
#include <QToolBar>

namespace brellix {

namespace {

struct ToolRow
{
    // Empty for a separator.
    const char* key;
    // The icon theme's name (empty for none) and the built-in icon used without it.
    const char* themeIcon;
    const char* fallbackIcon;
    bool needsChart;
    // The play state the button shows, -1 for none.
    int32_t state;
    QAction* MainMenus::*command;
};

using M = MainMenus;

const ToolRow kToolRows[] = {
    {"New", "document-new", ":/icons/new.png", false, -1, &M::mnuFileNew},
    {"Open", "document-open", ":/icons/open.png", false, -1, &M::mnuFileOpen},
    {"Save", "document-save", ":/icons/save.png", true, -1, &M::mnuFileSave},
    {"", "", "", true, -1, nullptr},
    {"Print", "document-print", ":/icons/print.png", true, -1, &M::mnuFilePrint},
    {"", "", "", true, -1, nullptr},
    {"Cut", "edit-cut", ":/icons/cut.png", true, -1, &M::mnuEditCut},
    {"Copy", "edit-copy", ":/icons/copy.png", true, -1, &M::mnuEditCopy},
    {"Paste", "edit-paste", ":/icons/paste.png", true, -1, &M::mnuEditPaste},
    {"", "", "", true, -1, nullptr},
    {"Replay", "media-playback-start-rtl", ":/icons/replay.png", true, frmDocument::kPlayingReverse,
     &M::mnuSoundingsPositionReplay},
    {"Pause", "media-playback-pause", ":/icons/pause.png", true, frmDocument::kPaused,
     &M::mnuSoundingsPositionPause},
    {"Play", "media-playback-start", ":/icons/play.png", true, frmDocument::kPlaying,
     &M::mnuSoundingsPositionPlay},
    {"", "", "", true, -1, nullptr},
    {"Previous", "media-skip-backward", ":/icons/previous.png", true, -1,
     &M::mnuSoundingsPositionPrevious},
    {"Rewind", "media-seek-backward", ":/icons/rewind.png", true, frmDocument::kRewinding,
     &M::mnuSoundingsPositionRewind},
    {"Forward", "media-seek-forward", ":/icons/forward.png", true, frmDocument::kFastForward,
     &M::mnuSoundingsPositionForward},
    {"Next", "media-skip-forward", ":/icons/next.png", true, -1, &M::mnuSoundingsPositionNext},
    {"", "", "", true, -1, nullptr},
    {"StartSelection", "", ":/icons/startselection.png", true, -1,
     &M::mnuSoundingsPositionStartSelection},
    {"StopSelection", "", ":/icons/stopselection.png", true, -1,
     &M::mnuSoundingsPositionStopSelection},
};

} // namespace

QString MainToolBar::stateKey(int32_t documentState)
{
    for (const ToolRow& row : kToolRows) {
        if (row.state >= 0 && row.state == documentState) {
            return QLatin1String(row.key);
        }
    }
    return QString();
}

void MainToolBar::createToolBar(QMainWindow& window, const MainMenus& menus,
                                std::function<void(const QString& key)> click)
{
    tbToolBar = window.addToolBar(QStringLiteral("Toolbar"));
    tbToolBar->setObjectName(QStringLiteral("tbToolBar"));
    tbToolBar->setMovable(false);
    tbToolBar->setIconSize(QSize(16, 16));
    m_buttons.clear();
    int position = 0;
    for (const ToolRow& row : kToolRows) {
        ++position;
        const QString key = QLatin1String(row.key);
        Button button;
        button.needsChart = row.needsChart;
        button.state = row.state;
        if (key.isEmpty()) {
            button.action = tbToolBar->addSeparator();
            button.action->setObjectName(QStringLiteral("tbSeparator%1").arg(position));
            m_buttons.push_back(button);
            continue;
        }
        const QIcon fallback(QLatin1String(row.fallbackIcon));
        const QIcon icon = *row.themeIcon != '\0'
                               ? QIcon::fromTheme(QLatin1String(row.themeIcon), fallback)
                               : fallback;
        QAction* action = tbToolBar->addAction(icon, key);
        action->setObjectName(QStringLiteral("tb") + key);
        action->setData(key);
        action->setToolTip(key);
        action->setCheckable(row.state >= 0);
        QObject::connect(action, &QAction::triggered, tbToolBar, [action, key, click]() {
            if (action->isCheckable()) {
                action->setChecked(!action->isChecked());
            }
            click(key);
        });
        button.action = action;
        button.command = menus.*row.command;
        m_buttons.push_back(button);
    }
}

QAction* MainToolBar::toolButton(const QString& key) const
{
    for (const Button& button : m_buttons) {
        if (!button.action->isSeparator() && button.action->data().toString() == key) {
            return button.action;
        }
    }
    return nullptr;
}

QAction* MainToolBar::commandItem(const QString& key) const
{
    for (const Button& button : m_buttons) {
        if (button.command != nullptr && button.action->data().toString() == key) {
            return button.command;
        }
    }
    return nullptr;
}

void MainToolBar::synchronizeToolBar(bool ready, int32_t documentState)
{
    for (const Button& button : m_buttons) {
        if (button.needsChart) {
            button.action->setEnabled(ready);
        }
        if (button.action->isCheckable()) {
            button.action->setChecked(ready && button.state == documentState);
        }
    }
    tbToolBar->update();
}

} // namespace brellix
