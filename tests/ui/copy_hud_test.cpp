// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/qt_printers.h"
#include "support/x11_test_tools.h"
#include "ui/widgets/copy_hud.h"
#include "ui/widgets/hud_content.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

TEST(CopyHUDPlacement, TopCentreTwelvePixelsBelowTheAvailableArea)
{
    EXPECT_EQ(CopyHUD::panelFrame(QRect(0, 25, 1440, 875)), QRect(580, 37, 280, 64));
    EXPECT_EQ(CopyHUD::panelFrame(QRect(1920, 0, 1281, 1024)), QRect(2420, 12, 280, 64));
    EXPECT_EQ(CopyHUD::panelFrame(QRect(0, 0, 200, 300)), QRect(-40, 12, 280, 64));
}

class CopyHUDTest : public ::testing::Test
{
protected:
    CopyHUD m_hud;
};

TEST_F(CopyHUDTest, FirstShowCreatesAFocuslessClickThroughPanelThatFadesIn)
{
    m_hud.dismiss();
    m_hud.show(u"Code copied"_s, u"GitHub: alice"_s, 1.4);
    QWidget* panel = m_hud.panel();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    const Qt::WindowFlags flags = panel->windowFlags();
    for (Qt::WindowType flag : {Qt::WindowTransparentForInput, Qt::WindowDoesNotAcceptFocus,
                                Qt::WindowStaysOnTopHint, Qt::FramelessWindowHint})
        EXPECT_TRUE(flags.testFlag(flag)) << flag;
    EXPECT_EQ(panel->geometry(), CopyHUD::panelFrame(QGuiApplication::primaryScreen()->availableGeometry()));
    EXPECT_EQ(m_hud.content()->title(), u"Code copied");
    EXPECT_EQ(m_hud.content()->subtitle(), u"GitHub: alice");
    EXPECT_EQ(m_hud.dismissIntervalMilliseconds(), 1400);
    EXPECT_LT(m_hud.opacity(), 1.0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_hud.opacity() == 1.0; }, 5000));
}

TEST_F(CopyHUDTest, LaterShowsReuseThePanelReplaceTheContentAndRestartTheCountdown)
{
    m_hud.show(u"Code copied"_s, u"first"_s, 0.05);
    QWidget* panel = m_hud.panel();
    m_hud.show(u"Code pasted"_s, u"second"_s, 60);
    EXPECT_EQ(m_hud.panel(), panel);
    EXPECT_EQ(panel->findChildren<HUDContent*>().size(), 1);
    EXPECT_EQ(m_hud.content()->title(), u"Code pasted");
    EXPECT_EQ(m_hud.content()->subtitle(), u"second");
    QTest::qWait(300);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_FALSE(m_hud.isFadingOut());
}

TEST_F(CopyHUDTest, CountdownFadesOutAndAShowDuringTheFadeBringsThePanelBack)
{
    m_hud.show(u"Code copied"_s, u"x"_s, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_hud.isFadingOut(); }, 5000));
    m_hud.show(u"Code copied"_s, u"again"_s, 60);
    EXPECT_FALSE(m_hud.isFadingOut());
    // A stopped fade-out must not hide the panel when its time is up.
    QTest::qWait(2 * CopyHUD::fadeOutMilliseconds);
    EXPECT_TRUE(m_hud.panel()->isVisible());
    m_hud.dismiss();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !m_hud.panel()->isVisible(); }, 5000));
}

TEST_F(CopyHUDTest, UnusableDurationsDoNotOverflowTheTimer)
{
    for (double duration : {-1.0, std::numeric_limits<double>::quiet_NaN()}) {
        m_hud.show(u"Code copied"_s, u"x"_s, duration);
        EXPECT_EQ(m_hud.dismissIntervalMilliseconds(), 0);
    }
    m_hud.show(u"Code copied"_s, u"x"_s, std::numeric_limits<double>::infinity());
    EXPECT_EQ(m_hud.dismissIntervalMilliseconds(), std::numeric_limits<int>::max());
}

// The server's input shape lets clicks through; the panel never takes the focus.
TEST_F(CopyHUDTest, ClicksReachTheWindowBeneathAndItKeepsTheFocus)
{
    struct ClickCounter : QWidget
    {
        int presses = 0;
        void mousePressEvent(QMouseEvent*) override { ++presses; }
    } beneath;
    beneath.setGeometry(QGuiApplication::primaryScreen()->availableGeometry().adjusted(0, 0, 0, -600));
    beneath.show();
    beneath.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&beneath));

    m_hud.show(u"Code copied"_s, u"GitHub: alice"_s, 30);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_hud.panel()));
    const QPoint centre = m_hud.panel()->geometry().center();
    ASSERT_TRUE(xdotool(
        {u"mousemove"_s, QString::number(centre.x()), QString::number(centre.y()), u"click"_s, u"1"_s}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return beneath.presses == 1; }, 5000));
    EXPECT_EQ(QGuiApplication::focusWindow(), beneath.windowHandle());
}

} // namespace
