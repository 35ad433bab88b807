#include "ShellTestSupport.h"

#include "dialogs/frmChartOptions.h"
#include "dialogs/frmUserColorScheme.h"
#include "document/ChartSlider.h"
#include "document/frmDocument.h"

#include <QClipboard>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRegularExpression>
#include <QStatusBar>
#include <QToolBar>

namespace {

using brellix::frmDocument;
using brellix::frmMain;
using shelltest::ShellTest;

class MenuCommandTest : public ShellTest
{
protected:
    // Opens a log in a chart of the running main window and makes it active.
    frmDocument* open(frmMain& main, const QString& log)
    {
        frmDocument* chart = main.openChart(log);
        EXPECT_NE(chart, nullptr);
        if (chart != nullptr) {
            activate(main, chart);
        }
        return chart;
    }

    void activate(frmMain& main, frmDocument* chart)
    {
        main.mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(chart->parentWidget()));
        QApplication::processEvents();
        ASSERT_EQ(main.ActiveForm(), chart);
    }

    // The keys of the pressed toolbar buttons.
    static QStringList pressed(const frmMain& main)
    {
        QStringList keys;
        for (QAction* button : main.tbToolBar->actions()) {
            if (button->isChecked()) {
                keys.append(button->data().toString());
            }
        }
        return keys;
    }

    static QList<QAction*> playItems(const frmMain& main)
    {
        return {main.mnuSoundingsPositionPlay,    main.mnuSoundingsPositionPause,
                main.mnuSoundingsPositionReplay,  main.mnuSoundingsPositionRewind,
                main.mnuSoundingsPositionForward, main.mnuSoundingsPositionPrevious,
                main.mnuSoundingsPositionNext};
    }
};

TEST_F(MenuCommandTest, StateKeysFollowThePlayStates)
{
    const char* keys[] = {"Replay", "Play", "Pause", "Forward", "Rewind"};
    for (int state = 0; state < 5; ++state) {
        EXPECT_EQ(brellix::MainToolBar::stateKey(state), QLatin1String(keys[state]));
    }
    EXPECT_TRUE(brellix::MainToolBar::stateKey(5).isEmpty());
    EXPECT_TRUE(brellix::MainToolBar::stateKey(-1).isEmpty());
}

TEST_F(MenuCommandTest, WithNoChartButtonsThreeToTwentyOneAreDisabledAndNotPressed)
{
    frmMain& main = startMain();
    const QList<QAction*> buttons = main.tbToolBar->actions();
    EXPECT_TRUE(buttons[0]->isEnabled());
    EXPECT_TRUE(buttons[1]->isEnabled());
    for (int i = 2; i < buttons.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_FALSE(buttons[i]->isEnabled());
        EXPECT_FALSE(buttons[i]->isChecked());
    }
    for (QAction* item : playItems(main)) {
        SCOPED_TRACE(item->objectName().toStdString());
        EXPECT_FALSE(item->isEnabled());
    }
    EXPECT_FALSE(main.mnuFileClose->isEnabled());
    EXPECT_FALSE(main.mnuWindowNewWindow->isEnabled());
    EXPECT_TRUE(main.mnuFileOpen->isEnabled());
    EXPECT_TRUE(main.mnuSoundingsColorModeItems[4]->isEnabled());
    EXPECT_TRUE(main.mnuSoundingsColorModeItems[7]->isEnabled());
    EXPECT_EQ(main.chartOptions().SonarOptions(), nullptr);
    EXPECT_FALSE(main.chartOptions().ready());
}

TEST_F(MenuCommandTest, AReadyChartEnablesTheItemsAndPressesItsStateKey)
{
    frmMain& main = startMain();
    frmDocument* chart = open(main, writeSlg(QStringLiteral("a.slg"), 60));
    ASSERT_NE(chart, nullptr);
    for (QAction* item : playItems(main)) {
        SCOPED_TRACE(item->objectName().toStdString());
        EXPECT_TRUE(item->isEnabled());
    }
    EXPECT_TRUE(main.toolButton(QStringLiteral("Save"))->isEnabled());
    EXPECT_EQ(pressed(main), QStringList{QStringLiteral("Pause")});
    EXPECT_EQ(main.chartOptions().SonarOptions(), &chart->SonarOptions);
    EXPECT_TRUE(main.chartOptions().ready());
}

TEST_F(MenuCommandTest, PlayCommandsSetTheStateAndTheMarks)
{
    struct Case
    {
        QAction* frmMain::*item;
        int32_t state;
        const char* key;
    };
    const Case cases[] = {
        {&frmMain::mnuSoundingsPositionPlay, 1, "Play"},
        {&frmMain::mnuSoundingsPositionReplay, 0, "Replay"},
        {&frmMain::mnuSoundingsPositionForward, 3, "Forward"},
        {&frmMain::mnuSoundingsPositionRewind, 4, "Rewind"},
        {&frmMain::mnuSoundingsPositionPause, 2, "Pause"},
    };
    frmMain& main = startMain();
    frmDocument* chart = open(main, writeSlg(QStringLiteral("b.slg"), 60));
    ASSERT_NE(chart, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        (main.*c.item)->trigger();
        EXPECT_EQ(chart->GetState(), c.state);
        EXPECT_EQ(pressed(main), QStringList{QLatin1String(c.key)});
        EXPECT_EQ(main.mnuSoundingsPositionPlay->isChecked(), c.state == 1);
        EXPECT_EQ(main.mnuSoundingsPositionPause->isChecked(), c.state == 2);
        EXPECT_EQ(main.mnuSoundingsPositionReplay->isChecked(), c.state == 0);
    }
}

TEST_F(MenuCommandTest, ToolbarKeysDispatchToTheirCommands)
{
    const char* keys[] = {"Replay", "Pause", "Play", "Forward", "Rewind"};
    const int32_t states[] = {0, 2, 1, 3, 4};
    frmMain& main = startMain();
    frmDocument* chart = open(main, writeSlg(QStringLiteral("c.slg"), 60));
    ASSERT_NE(chart, nullptr);
    for (size_t i = 0; i < std::size(keys); ++i) {
        SCOPED_TRACE(keys[i]);
        main.toolButton(QLatin1String(keys[i]))->trigger();
        EXPECT_EQ(chart->GetState(), states[i]);
        EXPECT_EQ(pressed(main), QStringList{QLatin1String(keys[i])});
    }
}

TEST_F(MenuCommandTest, AnUnknownKeyAndSaveChangeNothing)
{
    frmMain& main = startMain();
    frmDocument* chart = open(main, writeSlg(QStringLiteral("d.slg"), 60));
    ASSERT_NE(chart, nullptr);
    main.toolButton(QStringLiteral("Play"))->trigger();
    const QStringList before = pressed(main);
    main.tbToolBar_ButtonClick(QStringLiteral("NoSuchKey"));
    main.toolButton(QStringLiteral("Save"))->trigger();
    main.mnuFileSave->trigger();
    EXPECT_EQ(chart->GetState(), 1);
    EXPECT_EQ(pressed(main), before);
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(main.documents().size(), 1);
}

TEST_F(MenuCommandTest, ActivatingAnotherChartHandsOverThePlayState)
{
    frmMain& main = startMain();
    frmDocument* first = open(main, writeSlg(QStringLiteral("e1.slg"), 60));
    frmDocument* second = open(main, writeSlg(QStringLiteral("e2.slg"), 60));
    ASSERT_TRUE(first != nullptr && second != nullptr);
    activate(main, first);
    main.mnuSoundingsPositionPlay->trigger();
    ASSERT_EQ(first->GetState(), 1);
    activate(main, second);
    EXPECT_EQ(second->GetState(), 1);
    EXPECT_EQ(first->GetState(), 2);
    EXPECT_EQ(pressed(main), QStringList{QStringLiteral("Play")});
    EXPECT_TRUE(main.mnuSoundingsPositionPlay->isChecked());
}

TEST_F(MenuCommandTest, AClosedChartHandsNothingOver)
{
    frmMain& main = startMain();
    frmDocument* first = open(main, writeSlg(QStringLiteral("f1.slg"), 60));
    frmDocument* second = open(main, writeSlg(QStringLiteral("f2.slg"), 60));
    ASSERT_TRUE(first != nullptr && second != nullptr);
    activate(main, first);
    main.mnuSoundingsPositionForward->trigger();
    main.mnuFileClose->trigger();
    QApplication::processEvents();
    QApplication::processEvents();
    ASSERT_EQ(main.documents(), QList<frmDocument*>{second});
    EXPECT_EQ(main.ActiveForm(), second);
    EXPECT_EQ(second->GetState(), 2);
    EXPECT_EQ(pressed(main), QStringList{QStringLiteral("Pause")});
}

TEST_F(MenuCommandTest, OptionCommandsChangeTheActiveChartsOptionsAndMarks)
{
    frmMain& main = startMain();
    frmDocument* chart = open(main, writeSlg(QStringLiteral("g.slg"), 60));
    ASSERT_NE(chart, nullptr);
    const brellix::tSonarOptions& options = chart->SonarOptions;

    const bool depthRange = options.bAutoDepthRange();
    main.mnuSoundingsAutoDepthRange->trigger();
    EXPECT_EQ(options.bAutoDepthRange(), !depthRange);
    EXPECT_EQ(main.mnuSoundingsAutoDepthRange->isChecked(), !depthRange);

    const bool symbols = options.bFishSymbols();
    main.mnuSoundingsFishIDFishSymbols->trigger();
    EXPECT_EQ(options.bFishSymbols(), !symbols);
    EXPECT_EQ(main.mnuSoundingsFishIDFishSymbols->isChecked(), !symbols);

    const bool depths = options.bFishDepths();
    main.mnuSoundingsFishIDFishDepths->trigger();
    EXPECT_EQ(options.bFishDepths(), !depths);

    const bool sensitivity = options.bAutoSensitivity();
    main.mnuSoundingsAutoSensitivity->trigger();
    EXPECT_EQ(options.bAutoSensitivity(), !sensitivity);
    EXPECT_EQ(main.mnuSoundingsAutoSensitivity->isChecked(), !sensitivity);

    for (int value = 0; value < 4; ++value) {
        main.mnuSoundingsSurfaceClarityItems[static_cast<size_t>(value)]->trigger();
        EXPECT_EQ(options.SurfaceClarity(), value);
        for (int other = 0; other < 4; ++other) {
            EXPECT_EQ(main.mnuSoundingsSurfaceClarityItems[static_cast<size_t>(other)]->isChecked(),
                      other == value);
        }
    }
    for (int value = 0; value < 3; ++value) {
        main.mnuSoundingsASPItems[static_cast<size_t>(value)]->trigger();
        EXPECT_EQ(options.AdvancedSignalProcessing(), value);
        for (int other = 0; other < 3; ++other) {
            EXPECT_EQ(main.mnuSoundingsASPItems[static_cast<size_t>(other)]->isChecked(),
                      other == value);
        }
    }
    for (int value = 0; value < 8; ++value) {
        main.mnuSoundingsColorModeItems[static_cast<size_t>(value)]->trigger();
        EXPECT_EQ(options.ColorMode(), value);
        for (int other = 0; other < 8; ++other) {
            EXPECT_EQ(main.mnuSoundingsColorModeItems[static_cast<size_t>(other)]->isChecked(),
                      other == value);
        }
    }
}

TEST_F(MenuCommandTest, AChartThatIsNotReadyLeavesTheMarksAsTheyWere)
{
    frmMain& main = startMain();
    frmDocument* full = open(main, writeSlg(QStringLiteral("h1.slg"), 60));
    ASSERT_NE(full, nullptr);
    main.mnuSoundingsSurfaceClarityItems[3]->trigger();
    main.mnuSoundingsPositionPlay->trigger();
    frmDocument* empty = open(main, writeSlg(QStringLiteral("h2.slg"), 0));
    ASSERT_NE(empty, nullptr);
    ASSERT_FALSE(empty->bDocumentReady);
    EXPECT_TRUE(main.mnuSoundingsSurfaceClarityItems[3]->isChecked());
    EXPECT_TRUE(main.mnuSoundingsPositionPlay->isChecked());
    EXPECT_FALSE(main.mnuSoundingsPositionPlay->isEnabled());
    EXPECT_TRUE(pressed(main).isEmpty());
    EXPECT_EQ(main.chartOptions().SonarOptions(), nullptr);
}

TEST_F(MenuCommandTest, StartAndStopSelectionSetTheSoundingSlidersSelection)
{
    frmMain& main = startMain();
    frmDocument* chart = open(main, writeSlg(QStringLiteral("sel.slg"), 900));
    ASSERT_NE(chart, nullptr);
    brellix::ChartSlider& slider = *chart->sldSounding;
    ASSERT_GE(slider.maximum(), 100);

    slider.setValue(50);
    main.tbToolBar_ButtonClick(QStringLiteral("StartSelection"));
    EXPECT_EQ(slider.SelStart(), 50);
    EXPECT_EQ(slider.SelLength(), 0);

    slider.setValue(80);
    main.tbToolBar_ButtonClick(QStringLiteral("StopSelection"));
    EXPECT_EQ(slider.SelStart(), 50);
    EXPECT_EQ(slider.SelLength(), 30);

    // Stopping before the start moves the start there with no length.
    slider.setValue(20);
    main.mnuSoundingsPositionStopSelection->trigger();
    EXPECT_EQ(slider.SelStart(), 20);
    EXPECT_EQ(slider.SelLength(), 0);

    slider.setValue(20);
    main.mnuSoundingsPositionStopSelection->trigger();
    EXPECT_EQ(slider.SelStart(), 20);
    EXPECT_EQ(slider.SelLength(), 0);
}

TEST_F(MenuCommandTest, GotoStartAndEndMoveTheActiveChart)
{
    frmMain& main = startMain();
    frmDocument* chart = open(main, writeSlg(QStringLiteral("goto.slg"), 900));
    ASSERT_NE(chart, nullptr);
    main.tbToolBar_ButtonClick(QStringLiteral("Next"));
    EXPECT_EQ(chart->sldSounding->value(), chart->sldSounding->maximum());
    main.mnuSoundingsPositionPrevious->trigger();
    EXPECT_EQ(chart->sldSounding->value(), 0);
}

TEST_F(MenuCommandTest, CopyPutsTheUserPaletteOnTheClipboardAs256Lines)
{
    frmMain& main = startMain();
    QApplication::clipboard()->setText(QStringLiteral("before"));
    main.tbToolBar_ButtonClick(QStringLiteral("Copy"));
    const QString text = QApplication::clipboard()->text();
    ASSERT_TRUE(text.endsWith(QStringLiteral("\r\n")));
    const QStringList lines = text.chopped(2).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 256);
    const QRegularExpression form(QStringLiteral("^0x[0-9A-F]{2}, 0x[0-9A-F]{2}, 0x[0-9A-F]{2},$"));
    for (const QString& line : lines) {
        EXPECT_TRUE(form.match(line).hasMatch()) << line.toStdString();
    }
    // The default water column: navy at 0, red at 103, yellow at 164, green at 255.
    EXPECT_EQ(lines[0], QStringLiteral("0x00, 0x00, 0x80,"));
    EXPECT_EQ(lines[103], QStringLiteral("0xFF, 0x00, 0x00,"));
    EXPECT_EQ(lines[164], QStringLiteral("0xFF, 0xFF, 0x00,"));
    EXPECT_EQ(lines[255], QStringLiteral("0x00, 0xFF, 0x00,"));
}

TEST_F(MenuCommandTest, CopyFollowsTheUserSchemeNotTheChart)
{
    frmMain& main = startMain();
    frmDocument* chart = open(main, writeSlg(QStringLiteral("copy.slg"), 60));
    ASSERT_NE(chart, nullptr);
    chart->SonarOptions.setColorMode(0);
    main.UserColorScheme().setlColorValue(1, 0, 0x0A0B0C); // red 0C, green 0B, blue 0A
    main.mnuEditCopy->trigger();
    const QStringList lines = QApplication::clipboard()->text().split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines[0], QStringLiteral("0x0C, 0x0B, 0x0A,"));
}

TEST_F(MenuCommandTest, PlaceholderCommandsShowTheirPlainMessages)
{
    struct Case
    {
        QAction* frmMain::*item;
        const char* text;
    };
    const Case cases[] = {
        {&frmMain::mnuEditCut, "Cut Code goes here!"},
        {&frmMain::mnuEditPaste, "Paste Code goes here!"},
        {&frmMain::mnuEditUndo, "Undo Code goes here!"},
        {&frmMain::mnuEditPasteSpecial, "Paste Special Code goes here!"},
        {&frmMain::mnuFilePrintPreview, "Print Preview Code goes here!"},
    };
    frmMain& main = startMain();
    // Most of them are enabled only with a chart.
    ASSERT_NE(open(main, writeSlg(QStringLiteral("ph.slg"), 60)), nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        m_messages.clear();
        (main.*c.item)->trigger();
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0].text, QLatin1String(c.text));
        EXPECT_EQ(m_messages[0].title, main.windowTitle());
        EXPECT_EQ(m_messages[0].icon, QMessageBox::NoIcon);
    }
    for (QAction* mru : main.mnuFileMRU) {
        m_messages.clear();
        mru->trigger();
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0].text, QStringLiteral("MRU Code goes here!"));
    }
    for (const char* key : {"Cut", "Paste"}) {
        m_messages.clear();
        main.tbToolBar_ButtonClick(QLatin1String(key));
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0].text, QLatin1String(key) + QStringLiteral(" Code goes here!"));
    }
}

TEST_F(MenuCommandTest, HelpContentsSaysThereIsNoHelp)
{
    frmMain& main = startMain();
    for (QAction* item : {main.mnuHelpContents, main.mnuHelpSearch}) {
        m_messages.clear();
        item->trigger();
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0].text, QStringLiteral("Unable to display Help Contents. There is "
                                                     "no Help associated with this project."));
        EXPECT_EQ(m_messages[0].icon, QMessageBox::Information);
        EXPECT_EQ(m_messages[0].title, main.windowTitle());
    }
}

TEST_F(MenuCommandTest, PrintAndPageSetupOpenTheirDialogsOnTheActiveChart)
{
    frmMain& main = startMain();
    main.mnuFilePrint->trigger();
    EXPECT_TRUE(m_dialogs.empty());
    ASSERT_NE(open(main, writeSlg(QStringLiteral("print.slg"), 60)), nullptr);
    main.mnuFilePrint->trigger();
    main.mnuFilePageSetup->trigger();
    ASSERT_EQ(m_dialogs.size(), 2u);
    EXPECT_EQ(m_dialogs[0], QStringLiteral("Print - print.slg"));
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(MenuCommandTest, ChartCommandsWithNoChartDoNothing)
{
    frmMain& main = startMain();
    for (const char* key : {"Play", "Pause", "Replay", "Forward", "Rewind", "Previous", "Next",
                            "StartSelection", "StopSelection", "Save"}) {
        main.tbToolBar_ButtonClick(QLatin1String(key));
    }
    main.mnuSoundingsColorModeItems[4]->trigger();
    main.mnuSoundingsAutoDepthRange->trigger();
    main.mnuWindowNewWindow->trigger();
    main.mnuFileClose->trigger();
    EXPECT_TRUE(main.documents().isEmpty());
    EXPECT_TRUE(m_messages.empty());
    EXPECT_TRUE(main.mnuSoundingsAutoDepthRange->isChecked());
}

TEST_F(MenuCommandTest, NewMakesNumberedEmptyCharts)
{
    frmMain& main = startMain();
    main.tbToolBar_ButtonClick(QStringLiteral("New"));
    main.mnuFileNew->trigger();
    const QList<frmDocument*> charts = main.documents();
    ASSERT_EQ(charts.size(), 2);
    EXPECT_EQ(charts[0]->windowTitle(), QStringLiteral("Document 1"));
    EXPECT_EQ(charts[1]->windowTitle(), QStringLiteral("Document 2"));
    EXPECT_FALSE(charts[1]->bDocumentReady);
    EXPECT_TRUE(charts[1]->isVisible());
}

TEST_F(MenuCommandTest, CloseChartUnloadsTheActiveChart)
{
    frmMain& main = startMain();
    open(main, writeSlg(QStringLiteral("close.slg"), 60));
    main.mnuFileClose->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(main.documents().isEmpty());
    EXPECT_FALSE(main.mnuFileClose->isEnabled());
}

TEST_F(MenuCommandTest, NewWindowOpensAtTheSourcesMomentWithItsOptionsInsideTheArea)
{
    frmMain& main = startMain();
    main.resize(1000, 700);
    frmDocument* primary = open(main, writeSl2(QStringLiteral("nw.sl2"), {0, 1}, 3000));
    ASSERT_NE(primary, nullptr);
    ASSERT_EQ(main.documents().size(), 2);
    frmDocument* secondary = main.documents()[1];
    primary->sldSounding->setValue(1000);
    const int secondaryLeft = secondary->sldSounding->value();
    main.mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(secondary->parentWidget()));
    secondary->SonarOptions.setColorMode(brellix::tSonarOptions::kScanningGray);
    secondary->SonarOptions.setSurfaceClarity(3);
    secondary->SonarOptions.setbAutoSensitivity(false);
    secondary->SonarOptions.setiColorLine(30);

    main.mnuWindowNewWindow->trigger();
    ASSERT_EQ(main.documents().size(), 3);
    frmDocument* view = main.documents()[2];
    EXPECT_EQ(view->SonarFile, secondary->SonarFile);
    EXPECT_EQ(view->channel(), 1);
    EXPECT_EQ(view->sldSounding->value(), secondaryLeft);
    EXPECT_EQ(primary->sldSounding->value(), 1000) << "the other channel stays";
    EXPECT_EQ(view->SonarOptions.ColorMode(), brellix::tSonarOptions::kScanningGray);
    EXPECT_EQ(view->SonarOptions.SurfaceClarity(), 3);
    EXPECT_FALSE(view->SonarOptions.bAutoSensitivity());
    EXPECT_EQ(view->SonarOptions.iColorLine(), 30);
    EXPECT_EQ(view->sldColorLine->value(), brellix::ChartControls::sliderFromLevel(30));
    EXPECT_EQ(view->sldSensitivity->minimum(), 0) << "manual sensitivity on the slider";
    const QWidget* sub = view->parentWidget();
    EXPECT_TRUE(main.mdiArea()->viewport()->rect().contains(sub->geometry()));
}

TEST_F(MenuCommandTest, TheChannelWindowsOfALogOpenSideBySideWhenTheyWouldNotFit)
{
    frmMain& main = startMain();
    main.resize(900, 600);
    ASSERT_NE(open(main, writeSl2(QStringLiteral("six.sl2"), {0, 1, 2, 3, 4, 5}, 100)), nullptr);
    const QList<QMdiSubWindow*> subs = main.mdiArea()->subWindowList();
    ASSERT_EQ(subs.size(), 6);
    const QRect area = main.mdiArea()->viewport()->rect();
    for (int i = 0; i < subs.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(area.contains(subs[i]->geometry()));
        EXPECT_EQ(subs[i]->geometry().top(), 0);
        EXPECT_EQ(subs[i]->geometry().left(), i * (area.width() / 6));
    }
}

TEST_F(MenuCommandTest, NewWindowSharesTheActiveChartsReader)
{
    frmMain& main = startMain();
    frmDocument* chart = open(main, writeSlg(QStringLiteral("nw.slg"), 60));
    ASSERT_NE(chart, nullptr);
    main.mnuWindowNewWindow->trigger();
    const QList<frmDocument*> charts = main.documents();
    ASSERT_EQ(charts.size(), 2);
    EXPECT_EQ(charts[1]->SonarFile, chart->SonarFile);
    EXPECT_EQ(charts[1]->strFileName, chart->strFileName);
    EXPECT_TRUE(charts[1]->isVisible());
}

TEST_F(MenuCommandTest, ViewItemsToggleToolbarStatusBarAndToolWindows)
{
    frmMain& main = startMain();
    main.mnuViewToolbar->trigger();
    EXPECT_FALSE(main.tbToolBar->isVisible());
    EXPECT_FALSE(main.mnuViewToolbar->isChecked());
    main.mnuViewToolbar->trigger();
    EXPECT_TRUE(main.tbToolBar->isVisible());
    EXPECT_TRUE(main.mnuViewToolbar->isChecked());

    main.mnuViewStatusBar->trigger();
    EXPECT_FALSE(main.sbStatusBar->isVisible());
    EXPECT_FALSE(main.mnuViewStatusBar->isChecked());
    main.mnuViewStatusBar->trigger();
    EXPECT_TRUE(main.sbStatusBar->isVisible());

    ASSERT_TRUE(main.chartOptions().isVisible());
    main.mnuViewChartSettings->trigger();
    EXPECT_FALSE(main.chartOptions().isVisible());
    EXPECT_FALSE(main.mnuViewChartSettings->isChecked());

    EXPECT_FALSE(main.userColorSchemeWindow().isVisible());
    main.mnuViewUserColorScheme->trigger();
    EXPECT_TRUE(main.userColorSchemeWindow().isVisible());
    EXPECT_TRUE(main.mnuViewUserColorScheme->isChecked());
}

TEST_F(MenuCommandTest, ClosingAToolWindowUnchecksItsItem)
{
    frmMain& main = startMain();
    main.mnuViewUserColorScheme->trigger();
    main.userColorSchemeWindow().close();
    EXPECT_FALSE(main.mnuViewUserColorScheme->isChecked());
    main.chartOptions().close();
    EXPECT_FALSE(main.mnuViewChartSettings->isChecked());
}

TEST_F(MenuCommandTest, RefreshRestartsTheRedrawOfEveryChart)
{
    frmMain& main = startMain();
    frmDocument* first = open(main, writeSlg(QStringLiteral("r1.slg"), 60));
    frmDocument* second = open(main, writeSlg(QStringLiteral("r2.slg"), 60));
    ASSERT_TRUE(first != nullptr && second != nullptr);
    first->finishRedraw();
    second->finishRedraw();
    ASSERT_FALSE(main.AnyIdleWorking());
    main.mnuViewRefresh->trigger();
    EXPECT_TRUE(first->bIdleWorking);
    EXPECT_TRUE(second->bIdleWorking);
    EXPECT_TRUE(main.AnyIdleWorking());
}

TEST_F(MenuCommandTest, ABlackLineChangeOfTheUserSchemeRefreshesTheCharts)
{
    frmMain& main = startMain();
    frmDocument* chart = open(main, writeSlg(QStringLiteral("bl.slg"), 60));
    ASSERT_NE(chart, nullptr);
    chart->finishRedraw();
    ASSERT_FALSE(chart->bIdleWorking);
    main.UserColorScheme().setiBlacklineWidth(1, 3);
    EXPECT_TRUE(chart->bIdleWorking);
}

TEST_F(MenuCommandTest, AnyIdleWorkingIsFalseWithNoChart)
{
    frmMain& main = startMain();
    EXPECT_FALSE(main.AnyIdleWorking());
}

TEST_F(MenuCommandTest, ChannelsOfOneLogFollowEachOtherAndOtherLogsStay)
{
    frmMain& main = startMain();
    const QString log = writeSl2(QStringLiteral("sync.sl2"), {0, 1}, 900);
    frmDocument* primary = open(main, log);
    frmDocument* other = open(main, writeSl2(QStringLiteral("other.sl2"), {0}, 900));
    ASSERT_TRUE(primary != nullptr && other != nullptr);
    QList<frmDocument*> channelOne;
    for (frmDocument* chart : main.documents()) {
        if (chart->strFileName == log && chart->channel() == 1) {
            channelOne.append(chart);
        }
    }
    ASSERT_EQ(channelOne.size(), 1);
    activate(main, primary);
    const int otherBefore = other->sldSounding->value();
    ASSERT_EQ(channelOne[0]->sldSounding->value(), 0);
    main.tbToolBar_ButtonClick(QStringLiteral("Next"));
    const int end = primary->sldSounding->value();
    ASSERT_GT(end, 100);
    // The packets alternate between the two channels: the same moment is the channel 1
    // packet next to the channel 0 one, one index either way.
    EXPECT_NEAR(channelOne[0]->sldSounding->value(), end, 1);
    EXPECT_EQ(other->sldSounding->value(), otherBefore);
}

} // namespace

namespace {

class UserSchemeForwardingTest : public shelltest::ShellTest
{
};

TEST_F(UserSchemeForwardingTest, APaletteChangeOfTheUserSchemeReachesChartsInAUserMode)
{
    brellix::frmMain& main = startMain();
    brellix::frmDocument* chart = main.openChart(writeSlg(QStringLiteral("user.slg"), 60));
    ASSERT_NE(chart, nullptr);
    chart->SonarOptions.setColorMode(brellix::tSonarOptions::kUserDefined);
    const brellix::tBitmap& bitmap = chart->Chart.Bitmap();
    std::vector<int32_t> before;
    for (int16_t i = 0; i < 256; ++i) {
        before.push_back(bitmap.bitmapColor(i));
    }
    main.UserColorScheme().setlColorValue(1, 1, 0x00FF00FF);
    std::vector<int32_t> after;
    for (int16_t i = 0; i < 256; ++i) {
        after.push_back(bitmap.bitmapColor(i));
    }
    EXPECT_NE(after, before);
}

} // namespace

namespace {

class CopyFaultTest : public shelltest::ShellTest
{
};

TEST_F(CopyFaultTest, ASchemeThatCannotBlendLeavesTheClipboardAndSaysWhy)
{
    brellix::frmMain& main = startMain();
    // Point 1 of the water column moved onto point 0: no colour between them.
    main.UserColorScheme().setiIndex(1, 1, 0);
    QApplication::clipboard()->setText(QStringLiteral("kept"));
    main.tbToolBar_ButtonClick(QStringLiteral("Copy"));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("kept"));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_FALSE(m_messages[0].text.isEmpty());
}

} // namespace
