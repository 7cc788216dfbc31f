// SPDX-License-Identifier: GPL-3.0-or-later
// The built program as a native Wayland client in the headless KDE session: Ctrl+N, then
// Scan, adds the code that another program's window shows, through the Screenshot portal.
// Keys go through the RemoteDesktop portal (wayland_keys.py), as xdotool cannot reach Wayland.

#include "e2e_tools.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace E2E;
using namespace Qt::StringLiterals;

namespace {

bool pressKeys(const QStringList& combinations)
{
    const Outcome pressed = run(QStringLiteral(WAYLAND_KEYS), combinations);
    EXPECT_EQ(pressed.exitCode, 0) << qPrintable(pressed.err);
    return pressed.exitCode == 0;
}

TEST(WaylandScanEndToEnd, CtrlNThenScanAddsTheCodeAnotherWindowShows)
{
    ASSERT_EQ(qgetenv("BRISVANE_WAYLAND_SESSION"), "1") << "run inside tools/wayland-session";
    QTemporaryDir files;
    clearKeyring();

    // KWin centres every window and shrinks one as large as the screen, whose label then shows
    // the page's middle: a small code at the left edge of the middle stays clear of our window.
    const QString code = files.filePath(u"code.png"_s);
    ASSERT_EQ(run(u"qrencode"_s, {u"-s"_s, u"3"_s, u"-o"_s, code,
                                  u"otpauth://totp/Example:alice?secret=JBSWY3DPEHPK3PXP&issuer=Example"_s})
                  .exitCode,
              0);
    QImage page(1280, 800, QImage::Format_RGB32);
    page.fill(Qt::white);
    const QImage codeImage(code);
    QPainter(&page).drawImage(20, (page.height() - codeImage.height()) / 2, codeImage);
    const QString pagePath = files.filePath(u"page.png"_s);
    ASSERT_TRUE(page.save(pagePath));
    Program imageWindow;
    ASSERT_TRUE(imageWindow.start(QStringLiteral(IMAGE_WINDOW), {u"qr-e2e"_s, pagePath, u"0"_s, u"0"_s}));
    QThread::msleep(1000);
    Program app;
    ASSERT_TRUE(app.start(QStringLiteral(BRISVANE_APP)));

    // No tool tells when a Wayland window has the focus: try again while nothing was added.
    QList<QJsonObject> accounts;
    for (int attempt = 0; attempt < 3 && accounts.isEmpty(); ++attempt) {
        QThread::msleep(1500);
        ASSERT_TRUE(pressKeys({u"ctrl+n"_s}));
        QThread::msleep(1000);
        ASSERT_TRUE(pressKeys({u"Return"_s})); // "Scan" is the default button of a fresh dialog
        waitUntil([&] { return !(accounts = keyringAccounts()).isEmpty(); }, 8000);
    }
    ASSERT_EQ(accounts.size(), 1);
    EXPECT_EQ(accounts.front().value(u"name"_s).toString(), u"alice"_s);
    EXPECT_EQ(accounts.front().value(u"issuer"_s).toString(), u"Example"_s);
    const QStringList pictures = QDir(QDir::home().filePath(u"Pictures"_s)).entryList(QDir::Files);
    EXPECT_TRUE(pictures.isEmpty()) << "screenshots left behind: " << qPrintable(pictures.join(u", "_s));
    app.stop();
    clearKeyring();
}

} // namespace
