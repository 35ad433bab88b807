// The application's own dialogs: options, the tip of the day, the about box and the splash.
#include "ShellTestSupport.h"

#include "dialogs/frmAbout.h"
#include "dialogs/frmOptions.h"
#include "dialogs/frmTip.h"
#include "platform/ApplicationState.h"
#include "shell/Startup.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

using brellix::applicationState;
using brellix::frmMain;

class AppDialogsTest : public shelltest::ShellTest
{
protected:
    void SetUp() override
    {
        shelltest::ShellTest::SetUp();
        saved = applicationState();
        applicationState().lPositionFormat = 2;
        applicationState().lDepthFormat = 0;
    }
    void TearDown() override
    {
        applicationState() = saved;
        shelltest::ShellTest::TearDown();
    }

    QString tipsFile(const QByteArray& lines)
    {
        QFile file(filePath(QStringLiteral("TIPOFDAY.TXT")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(lines);
        return file.fileName();
    }

    brellix::ApplicationState saved;
};

TEST_F(AppDialogsTest, OptionsStartFromDefaultsAndOkAppliesThemAtOnceCancelNot)
{
    const QString log = writeSlg(QStringLiteral("o.slg"), 20);
    frmMain& main = startMain(log);
    int run = 0;
    main.setDialogHandler([&run](QDialog& dialog) {
        auto& options = dynamic_cast<brellix::frmOptions&>(dialog);
        if (run++ == 0) {
            EXPECT_TRUE(options.optPositionFormat[3]->isChecked());
            EXPECT_TRUE(options.optDepthFormat[0]->isChecked());
            EXPECT_TRUE(options.chkTips->isChecked());
            EXPECT_EQ(options.cboLptPort->currentText(), QStringLiteral("0x378 (LPT1)"));
            EXPECT_TRUE(options.chkRVG->isHidden());
            options.optDepthFormat[1]->setChecked(true);
            options.optPositionFormat[1]->setChecked(true);
            options.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        } else {
            options.optDepthFormat[0]->setChecked(true);
            options.chkTips->setChecked(false);
            options.findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
        }
    });
    main.mnuViewOptions->trigger();
    EXPECT_EQ(applicationState().lDepthFormat, 1);
    EXPECT_EQ(applicationState().lPositionFormat, 0);
    EXPECT_EQ(main.ActiveForm()->FormatDepth(10), QStringLiteral("3.05m"));
    EXPECT_TRUE(applicationState().g_RVGEnabled);
    main.mnuViewOptions->trigger();
    EXPECT_EQ(applicationState().lDepthFormat, 1);
    EXPECT_EQ(settings().getText(QStringLiteral("Options"), QStringLiteral("Show Tips at Startup"),
                                 QString()),
              QStringLiteral("1"));
    main.close();
    m_main.reset();

    // The next start reads what OK stored.
    applicationState().lDepthFormat = 0;
    const brellix::StartupResult next =
        brellix::startBrellix(reopenSettings(), QString(), recordMessages());
    EXPECT_EQ(applicationState().lDepthFormat, 1);
    EXPECT_TRUE(next.splashShown);
}

TEST_F(AppDialogsTest, TheTipShowsOneOfTheFilesLinesAndKeepsTheStartUpChoiceAtOnce)
{
    const QString file = tipsFile("first\nsecond\nthird\n");
    settings().saveInt(QStringLiteral("Options"), QStringLiteral("Show Tips at Startup"), 0);
    brellix::frmTip tip(settings(), {filePath(QStringLiteral("none.txt")), file}, nullptr);
    EXPECT_EQ(tip.tips().size(), 3);
    EXPECT_FALSE(tip.chkLoadTipsAtStartup->isChecked());
    for (int i = 0; i < 20; ++i) {
        tip.cmdNextTip->click();
        EXPECT_TRUE(tip.tips().contains(tip.lblTipText->text()));
    }
    tip.chkLoadTipsAtStartup->click();
    EXPECT_EQ(settings().getText(QStringLiteral("Options"), QStringLiteral("Show Tips at Startup"),
                                 QString()),
              QStringLiteral("1"));
    tip.chkLoadTipsAtStartup->click();
    EXPECT_EQ(settings().getText(QStringLiteral("Options"), QStringLiteral("Show Tips at Startup"),
                                 QString()),
              QStringLiteral("0"));

    brellix::frmTip missing(settings(), {filePath(QStringLiteral("none.txt"))}, nullptr);
    EXPECT_EQ(missing.lblTipText->text(), brellix::frmTip::missingFileText());
    EXPECT_TRUE(missing.lblTipText->text().startsWith(
        QStringLiteral("That the TIPOFDAY.TXT file was not found? ")));
}

TEST_F(AppDialogsTest, HelpShowsTheTipAndTheAboutBoxWithTheVersion)
{
    frmMain& main = startMain();
    main.setApplicationFolder(QFileInfo(tipsFile("only tip\n")).path());
    settings().saveInt(QStringLiteral("Options"), QStringLiteral("Show Tips at Startup"), 0);
    QStringList seen;
    main.setDialogHandler([&seen](QDialog& dialog) {
        seen.append(dialog.windowTitle());
        if (auto* tip = dynamic_cast<brellix::frmTip*>(&dialog)) {
            EXPECT_EQ(tip->lblTipText->text(), QStringLiteral("only tip"));
            EXPECT_FALSE(tip->chkLoadTipsAtStartup->isChecked());
        }
        if (auto* about = dynamic_cast<brellix::frmAbout*>(&dialog)) {
            EXPECT_EQ(about->lblTitle->text(), QStringLiteral("Brellix"));
            EXPECT_EQ(about->lblVersion->text(), QStringLiteral("Version 2.1.2"));
            // No system information tool to be found: the message.
            qputenv("PATH", "/nonexistent");
            about->cmdSysInfo->click();
        }
    });
    const QByteArray path = qgetenv("PATH");
    main.mnuHelpTipOfDay->trigger();
    main.mnuHelpAbout->trigger();
    qputenv("PATH", path);
    EXPECT_EQ(seen,
              QStringList({QStringLiteral("Tip of the Day"), QStringLiteral("About Brellix")}));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, QStringLiteral("System Information Is Unavailable At This Time"));
}

} // namespace
