#include "ShellTestSupport.h"

#include "document/ChartSlider.h"
#include "document/frmDocument.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include <vector>

namespace {

using brellix::frmDocument;
using brellix::frmMain;
using shelltest::ShellTest;

class ShellWindowTest : public ShellTest
{
};

TEST_F(ShellWindowTest, TheWindowMenuListsTheOpenChartsBelowItsItems)
{
    frmMain& main = startMain();
    ASSERT_NE(main.openChart(writeSlg(QStringLiteral("w1.slg"), 30)), nullptr);
    ASSERT_NE(main.openChart(writeSlg(QStringLiteral("w2.slg"), 30)), nullptr);
    emit main.mnuWindow->aboutToShow();
    QStringList listed;
    bool afterItems = false;
    for (QAction* item : main.mnuWindow->actions()) {
        if (item == main.mnuWindowArrangeIcons) {
            afterItems = true;
            continue;
        }
        if (afterItems && !item->isSeparator()) {
            listed.append(item->text());
        }
    }
    ASSERT_EQ(listed.size(), 2);
    EXPECT_TRUE(listed[0].startsWith(QStringLiteral("&1 w1.slg")));
    EXPECT_TRUE(listed[1].startsWith(QStringLiteral("&2 w2.slg")));

    // Shown again, the list is rebuilt rather than doubled.
    emit main.mnuWindow->aboutToShow();
    int entries = 0;
    for (QAction* item : main.mnuWindow->actions()) {
        entries += item->text().startsWith(QLatin1Char('&')) &&
                           item->text().contains(QStringLiteral(".slg"))
                       ? 1
                       : 0;
    }
    EXPECT_EQ(entries, 2);
}

TEST_F(ShellWindowTest, TileVerticalPutsTheChartsSideBySide)
{
    frmMain& main = startMain();
    main.resize(900, 700);
    ASSERT_NE(main.openChart(writeSlg(QStringLiteral("t1.slg"), 30)), nullptr);
    ASSERT_NE(main.openChart(writeSlg(QStringLiteral("t2.slg"), 30)), nullptr);
    main.mnuWindowTileVertical->trigger();
    const QList<QMdiSubWindow*> subs = main.mdiArea()->subWindowList();
    ASSERT_EQ(subs.size(), 2);
    const int width = main.mdiArea()->viewport()->width();
    const int height = main.mdiArea()->viewport()->height();
    EXPECT_EQ(subs[0]->geometry(), QRect(0, 0, width / 2, height));
    EXPECT_EQ(subs[1]->geometry(), QRect(width / 2, 0, width / 2, height));
}

TEST_F(ShellWindowTest, TileHorizontalPutsTheChartsOneAboveTheOther)
{
    frmMain& main = startMain();
    main.resize(900, 700);
    ASSERT_NE(main.openChart(writeSlg(QStringLiteral("h1.slg"), 30)), nullptr);
    ASSERT_NE(main.openChart(writeSlg(QStringLiteral("h2.slg"), 30)), nullptr);
    main.mnuWindowTileHorizontal->trigger();
    const QList<QMdiSubWindow*> subs = main.mdiArea()->subWindowList();
    ASSERT_EQ(subs.size(), 2);
    const int width = main.mdiArea()->viewport()->width();
    const int height = main.mdiArea()->viewport()->height();
    EXPECT_EQ(subs[0]->geometry(), QRect(0, 0, width, height / 2));
    EXPECT_EQ(subs[1]->geometry(), QRect(0, height / 2, width, height / 2));
}

TEST_F(ShellWindowTest, CascadeLeavesUsableWindowsAtTheSameMoment)
{
    frmMain& main = startMain();
    main.resize(1280, 800);
    ASSERT_NE(main.openChart(writeSl2(QStringLiteral("c.sl2"), {0, 1, 2, 3}, 3000)), nullptr);
    main.mnuWindowTileVertical->trigger();
    main.documents()[0]->sldSounding->setValue(1000);
    const auto lefts = [&main] {
        std::vector<int> values;
        for (const frmDocument* chart : main.documents()) {
            values.push_back(chart->sldSounding->value());
        }
        return values;
    };
    const std::vector<int> before = lefts();
    ASSERT_EQ(before.size(), 4u);

    main.mnuWindowCascade->trigger();
    const QRect area = main.mdiArea()->viewport()->rect();
    const QList<QMdiSubWindow*> subs = main.mdiArea()->subWindowList();
    for (int i = 0; i < subs.size(); ++i) {
        SCOPED_TRACE(i);
        const QRect frame = subs[i]->geometry();
        EXPECT_TRUE(area.contains(frame));
        EXPECT_GE(frame.width(), area.width() / 2);
        EXPECT_GE(frame.height(), area.height() / 2);
        EXPECT_EQ(frame.topLeft(),
                  subs[0]->geometry().topLeft() +
                      i * (subs[1]->geometry().topLeft() - subs[0]->geometry().topLeft()));
    }
    EXPECT_GT(subs[1]->geometry().top(), subs[0]->geometry().top());
    EXPECT_EQ(lefts(), before) << "a new size shows the same moment";

    main.mnuWindowTileVertical->trigger();
    EXPECT_EQ(lefts(), before);
}

TEST_F(ShellWindowTest, ExitClosesTheMainWindowAndWritesItsKeys)
{
    frmMain& main = startMain();
    ASSERT_NE(main.openChart(writeSlg(QStringLiteral("exit.slg"), 30)), nullptr);
    main.mnuFileExit->trigger();
    EXPECT_FALSE(main.isVisible());
    EXPECT_TRUE(settings().contains(QStringLiteral("Settings"), QStringLiteral("State")));
    EXPECT_TRUE(settings().contains(QStringLiteral("Options"), QStringLiteral("ColorMode0")));
}

TEST_F(ShellWindowTest, AnEmptyLogOpensAChartThatIsNotReady)
{
    frmMain& main = startMain();
    frmDocument* chart = main.openChart(writeSlg(QStringLiteral("empty.slg"), 0));
    ASSERT_NE(chart, nullptr);
    EXPECT_FALSE(chart->bDocumentReady);
    EXPECT_TRUE(chart->isVisible());
}

} // namespace
