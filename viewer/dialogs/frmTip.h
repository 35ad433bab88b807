// The tip of the day ("Tip of the Day"): one tip at random from the tips file, another on Next
// Tip, and the choice whether it shows at start-up, stored as soon as it is made.
#pragma once

#include <QDialog>
#include <QStringList>

#include <cstdint>

class QCheckBox;
class QLabel;
class QPushButton;

namespace brellix {

class SettingsStore;

class frmTip : public QDialog
{
    Q_OBJECT

public:
    static constexpr const char* kTipsFile = "TIPOFDAY.TXT";

    // Tries the tips files in the order given; the store must outlive the dialog.
    frmTip(SettingsStore& settings, const QStringList& tipFiles, QWidget* owner);

    // Where the tips file is looked for: the application's folder, then the installed data
    // folder.
    static QStringList defaultTipFiles();
    // What the dialog says without a tips file.
    static QString missingFileText();

    const QStringList& tips() const { return m_tips; }
    // 1-based; 0 before any tip is shown.
    int32_t currentTip() const { return m_currentTip; }

    QLabel* lblTipText = nullptr;
    QCheckBox* chkLoadTipsAtStartup = nullptr;
    QPushButton* cmdNextTip = nullptr;
    QPushButton* cmdOK = nullptr;

private:
    bool LoadTips(const QString& fileName);
    void DoNextTip();
    void DisplayCurrentTip();

    SettingsStore& m_settings;
    QStringList m_tips;
    int32_t m_currentTip = 0;
};

} // namespace brellix
