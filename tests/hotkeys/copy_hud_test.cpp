#include "hotkeys/copy_hud.h"
#include "hotkeys/hud_content.h"
#include "qt_printers.h"

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

TEST(CopyHUDPlacement, TopCentreTwelvePixelsBelowTheAvailableArea)
{
    // A 1440 x 900 screen with a 25-pixel panel at the top.
    EXPECT_EQ(CopyHUD::panelFrame(QRect(0, 25, 1440, 875)), QRect(580, 37, 280, 64));
    // The second of two side-by-side screens.
    EXPECT_EQ(CopyHUD::panelFrame(QRect(1920, 0, 1280, 1024)), QRect(2420, 12, 280, 64));
    // An odd leftover width rounds towards the left.
    EXPECT_EQ(CopyHUD::panelFrame(QRect(0, 0, 1441, 900)).x(), 580);
    // A screen narrower than the panel still centres it.
    EXPECT_EQ(CopyHUD::panelFrame(QRect(0, 0, 200, 300)), QRect(-40, 12, 280, 64));
}

TEST(CopyHUDPlacement, MatchesTheBottomUpRuleOfTheSameScreen)
{
    // Bottom-up visible frame (0, 0, 1440, 875) puts the panel's origin at y = 875 - 64 - 12.
    const int screenHeight = 900;
    const QRect frame = CopyHUD::panelFrame(QRect(0, 25, 1440, 875));
    EXPECT_EQ(screenHeight - (frame.y() + frame.height()), 799);
}

class CopyHUDTest : public ::testing::Test
{
protected:
    CopyHUD m_hud;
};

TEST_F(CopyHUDTest, NoWindowBeforeTheFirstShow)
{
    EXPECT_EQ(m_hud.panel(), nullptr);
    EXPECT_FALSE(m_hud.isDismissScheduled());
}

TEST_F(CopyHUDTest, FirstShowCreatesAFocuslessClickThroughPanelAtTheTop)
{
    m_hud.show(u"Code copied"_s, u"GitHub: alice"_s, 1.4);
    QWidget* panel = m_hud.panel();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    const Qt::WindowFlags flags = panel->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowTransparentForInput));
    EXPECT_TRUE(flags.testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(flags.testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(panel->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_NE(QApplication::activeWindow(), panel);
    EXPECT_EQ(panel->geometry(), CopyHUD::panelFrame(QGuiApplication::primaryScreen()->availableGeometry()));

    ASSERT_NE(m_hud.content(), nullptr);
    EXPECT_EQ(m_hud.content()->title(), u"Code copied");
    EXPECT_EQ(m_hud.content()->subtitle(), u"GitHub: alice");
    EXPECT_EQ(m_hud.content()->geometry(), QRect(0, 0, 280, 64));
    EXPECT_TRUE(m_hud.isDismissScheduled());
    EXPECT_EQ(m_hud.dismissIntervalMilliseconds(), 1400);
}

TEST_F(CopyHUDTest, FadesInFromTransparent)
{
    m_hud.show(u"Code copied"_s, u"x"_s, 5);
    EXPECT_LT(m_hud.panel()->windowOpacity(), 1.0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_hud.panel()->windowOpacity() == 1.0; }, 5000));
}

TEST_F(CopyHUDTest, LaterShowsReuseThePanelReplaceTheContentAndRestartTheCountdown)
{
    m_hud.show(u"Code copied"_s, u"first"_s, 0.5);
    QWidget* panel = m_hud.panel();
    m_hud.show(u"Code pasted"_s, u"second"_s, 60);
    EXPECT_EQ(m_hud.panel(), panel);
    EXPECT_EQ(panel->findChildren<HUDContent*>().size(), 1);
    EXPECT_EQ(m_hud.content()->title(), u"Code pasted");
    EXPECT_EQ(m_hud.content()->subtitle(), u"second");
    EXPECT_EQ(m_hud.dismissIntervalMilliseconds(), 60000);
    // The first countdown (0.5 s) would have ended by now.
    QTest::qWait(900);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_FALSE(m_hud.isFadingOut());
}

TEST_F(CopyHUDTest, DismissalFadesOutAndHides)
{
    m_hud.show(u"Code copied"_s, u"x"_s, 0.05);
    QWidget* panel = m_hud.panel();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !panel->isVisible(); }, 5000));
    EXPECT_FALSE(m_hud.isDismissScheduled());
}

TEST_F(CopyHUDTest, ShowDuringTheFadeOutBringsThePanelBack)
{
    m_hud.show(u"Code copied"_s, u"x"_s, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_hud.isFadingOut(); }, 5000));
    m_hud.show(u"Code copied"_s, u"again"_s, 60);
    EXPECT_FALSE(m_hud.isFadingOut());
    // A stopped fade-out must not hide the panel when its time is up.
    QTest::qWait(2 * CopyHUD::fadeOutMilliseconds);
    EXPECT_TRUE(m_hud.panel()->isVisible());
}

TEST_F(CopyHUDTest, UnusableDurationsDismissAtOnce)
{
    for (double duration : {-1.0, std::numeric_limits<double>::quiet_NaN()}) {
        m_hud.show(u"Code copied"_s, u"x"_s, duration);
        EXPECT_EQ(m_hud.dismissIntervalMilliseconds(), 0);
    }
    m_hud.show(u"Code copied"_s, u"x"_s, std::numeric_limits<double>::infinity());
    EXPECT_EQ(m_hud.dismissIntervalMilliseconds(), std::numeric_limits<int>::max());
}

TEST_F(CopyHUDTest, DismissWithoutAPanelDoesNothing)
{
    m_hud.dismiss();
    EXPECT_EQ(m_hud.panel(), nullptr);
}

// Subclasses record calls without any window (how the controller's tests use it).
TEST(CopyHUDSubclass, NeedsNoWindowUntilShown)
{
    struct Recording : CopyHUD
    {
        void show(const QString& title, const QString&, double) override { titles.append(title); }
        QStringList titles;
    } hud;
    CopyHUD& base = hud;
    base.show(u"Code copied"_s, u"x"_s, 1.4);
    EXPECT_EQ(hud.titles, QStringList{u"Code copied"_s});
    EXPECT_EQ(hud.panel(), nullptr);
}

TEST(HUDContentDrawing, DrawsTheGreenCheckAndElidesLongText)
{
    HUDContent content(u"Code copied"_s, QString(400, u'W'), nullptr);
    content.resize(CopyHUD::panelSize);
    QImage image(CopyHUD::panelSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    content.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    // Above the check mark, inside the circle that starts 14 px from the left edge: green.
    const QColor iconCentre = image.pixelColor(14 + HUDContent::iconSize / 2, 32 - 8);
    EXPECT_GT(iconCentre.green(), iconCentre.red() + 60);
    EXPECT_GT(iconCentre.green(), iconCentre.blue() + 60);
    // Rounded corners stay clear.
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
    // Nothing is drawn into the right padding, however long the subtitle.
    const QRgb plate = image.pixel(280 - 4, 32);
    for (int y = 20; y < 44; ++y) {
        for (int x = 280 - 12; x < 280 - 3; ++x)
            ASSERT_EQ(image.pixel(x, y), plate) << x << "," << y;
    }
}

} // namespace
