#include "hotkeys/copy_hud.h"
#include "hotkeys/recorder_button.h"
#include "qt_printers.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

// Real X server of the private session: key events from xdotool arrive with real keysyms, and
// clicks are routed by the server's own input shapes.

using namespace Qt::StringLiterals;

namespace {

bool xdotool(const QStringList& arguments)
{
    QProcess process;
    process.start(u"xdotool"_s, arguments);
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

class ClickCounter : public QWidget
{
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

class X11Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != u"xcb")
            GTEST_SKIP() << "needs the X server of the private session";
    }
};

using RecorderOnX11 = X11Test;

TEST_F(RecorderOnX11, RecordsThePhysicalKeyOfRealKeyPresses)
{
    QWidget window;
    window.setWindowTitle(u"recorder under test"_s);
    auto* button = new RecorderButton(&window);
    (new QVBoxLayout(&window))->addWidget(button);
    std::vector<std::pair<std::uint32_t, std::uint32_t>> commits;
    int beeps = 0;
    button->setOnCommit([&](std::uint32_t key, std::uint32_t mask) { commits.emplace_back(key, mask); });
    button->setBeep([&] { ++beeps; });
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    const struct
    {
        const char* keys;
        std::uint32_t keyCode;
        std::uint32_t modifiers;
        const char16_t* title;
    } cases[] = {
        {"ctrl+shift+k", 40, 0x0300, u"Ctrl+Shift+K"},
        {"ctrl+shift+1", 18, 0x0300, u"Ctrl+Shift+1"}, // Qt reports "!", the key is 1
        {"alt+super+F5", 96, 0x1800, u"Alt+Super+F5"},
        {"ctrl+shift+Tab", 48, 0x0300, u"Ctrl+Shift+\u21E5"},
        {"ctrl+equal", 24, 0x0100, u"Ctrl+Key 24"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        commits.clear();
        button->toggleRecord();
        ASSERT_TRUE(button->isRecording());
        ASSERT_TRUE(xdotool({u"key"_s, QString::fromLatin1(c.keys)}));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !commits.empty(); }, 5000));
        EXPECT_EQ(commits.front(), std::make_pair(c.keyCode, c.modifiers));
        EXPECT_EQ(button->text(), QString::fromUtf16(c.title));
    }

    button->toggleRecord();
    ASSERT_TRUE(xdotool({u"key"_s, u"k"_s}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return beeps == 1; }, 5000));
    EXPECT_TRUE(button->isRecording());
}

using CopyHUDOnX11 = X11Test;

TEST_F(CopyHUDOnX11, PanelTakesNoFocusAndClicksReachTheWindowBeneath)
{
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    ClickCounter beneath;
    beneath.setWindowTitle(u"window beneath"_s);
    beneath.setGeometry(available.x(), available.y(), available.width(), 200);
    beneath.show();
    beneath.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&beneath));

    CopyHUD hud;
    hud.show(u"Code copied"_s, u"GitHub: alice"_s, 30);
    QWidget* panel = hud.panel();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel));
    EXPECT_EQ(panel->geometry(), CopyHUD::panelFrame(available));
    QTest::qWait(100);
    EXPECT_EQ(QGuiApplication::focusWindow(), beneath.windowHandle());

    const QPoint centre = panel->geometry().center();
    ASSERT_TRUE(xdotool({u"mousemove"_s, QString::number(centre.x()), QString::number(centre.y()), u"click"_s, u"1"_s}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return beneath.presses == 1; }, 5000));
    EXPECT_EQ(QGuiApplication::focusWindow(), beneath.windowHandle());
}

} // namespace
