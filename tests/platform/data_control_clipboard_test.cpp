// SPDX-License-Identifier: GPL-3.0-or-later
// The data-control clipboard against KWin while another program's window has the focus,
// where Qt's own Wayland clipboard silently loses the text.
#include "platform/qt/qt_clipboard.h"
#include "platform/wayland/data_control_clipboard.h"

#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// wl-paste asks us through the compositor, so our event loop must keep turning meanwhile.
QString wlPaste(const QStringList& arguments)
{
    QProcess paste;
    paste.start(u"wl-paste"_s, arguments);
    if (!QTest::qWaitFor([&] { return paste.state() == QProcess::NotRunning; }, 5000)) {
        paste.kill();
        paste.waitForFinished();
        return u"<wl-paste hung>"_s;
    }
    if (paste.exitCode() != 0)
        return u"<wl-paste failed>"_s;
    return QString::fromUtf8(paste.readAllStandardOutput());
}

class DataControlClipboardTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(qgetenv("BRISVANE_WAYLAND_SESSION"), "1") << "run inside tools/wayland-session";
        // Another program's focused text field, as when a hotkey copies over an open browser.
        m_focused.start(QString::fromUtf8(PASTE_TARGET_WINDOW), {u"Focused field"_s});
        ASSERT_TRUE(m_focused.waitForStarted());
        QTest::qWait(500);
        m_clipboard = DataControlClipboard::connect();
        ASSERT_TRUE(m_clipboard) << "KWin offers no data-control protocol";
    }
    void TearDown() override
    {
        m_clipboard.reset();
        m_focused.kill();
        m_focused.waitForFinished();
    }

    QProcess m_focused;
    std::unique_ptr<DataControlClipboard> m_clipboard;
};

TEST_F(DataControlClipboardTest, OtherProgramsReadTheCodeAndTheSecretHintWithoutOurFocus)
{
    EXPECT_EQ(m_clipboard->protocolName(), u"zwlr_data_control_manager_v1"_s) << "KDE Plasma 5.27";
    // Each copy replaces the one before.
    for (const QString& code : {u"40812193"_s, u"00123456"_s}) {
        ASSERT_TRUE(m_clipboard->setSecretText(code));
        EXPECT_EQ(wlPaste({u"-n"_s}), code);
    }
    EXPECT_EQ(wlPaste({u"-n"_s, u"-t"_s, u"x-kde-passwordManagerHint"_s}), u"secret"_s);
    EXPECT_EQ(m_clipboard->text(), u"00123456"_s);
    // wl-paste waits forever on an empty clipboard under KWin 5.27: ask the compositor ourselves.
    m_clipboard->clear();
    EXPECT_TRUE(m_clipboard->text().isEmpty());
}

TEST_F(DataControlClipboardTest, ReadsWhatAnotherProgramCopiedAfterUs)
{
    ASSERT_TRUE(m_clipboard->setSecretText(u"40812193"_s));
    // In the foreground, so that it serves its text only as long as this test runs.
    QProcess copy;
    copy.start(u"wl-copy"_s, {u"--foreground"_s, u"from another app"_s});
    ASSERT_TRUE(copy.waitForStarted());
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_clipboard->text() == u"from another app"_s; }, 5000))
        << m_clipboard->text().toStdString();
    copy.kill();
    copy.waitForFinished();
}

TEST_F(DataControlClipboardTest, QtsOwnClipboardWithoutFocusReportsTheLostCopy)
{
    QtClipboard qt;
    EXPECT_FALSE(qt.setSecretText(u"55555555"_s));
    EXPECT_NE(wlPaste({u"-n"_s}), u"55555555"_s);
}

} // namespace
