// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/session/display_session.h"

#include <gtest/gtest.h>

namespace {

DisplaySession session(bool x11, bool wayland, const char* platform = "")
{
    return DisplaySession{x11, wayland, QString::fromLatin1(platform)};
}

} // namespace

TEST(DisplaySession, PrefersXWaylandInAWaylandSessionThatOffersIt)
{
    EXPECT_EQ(session(true, true).preferredPlatform(), QStringLiteral("xcb"));
    EXPECT_TRUE(session(true, false).preferredPlatform().isEmpty());
    EXPECT_TRUE(session(false, true).preferredPlatform().isEmpty());
    // The user's own choice stands.
    EXPECT_TRUE(session(true, true, "wayland").preferredPlatform().isEmpty());
}

TEST(DisplaySession, NeedsSomeDisplayUnlessAnOffscreenPlatformWasChosen)
{
    EXPECT_FALSE(session(false, false).canShowWindows());
    EXPECT_FALSE(session(false, false, "xcb").canShowWindows());
    EXPECT_TRUE(session(false, false, "offscreen").canShowWindows());
    EXPECT_TRUE(session(true, false).canShowWindows());
    EXPECT_TRUE(session(false, true).canShowWindows());
}

TEST(DisplaySession, SaysWhatAWaylandSessionCannotDo)
{
    EXPECT_TRUE(session(true, false).limitsNotice().isEmpty());
    const QString throughXWayland = session(true, true).limitsNotice();
    EXPECT_TRUE(throughXWayland.contains(QStringLiteral("hotkeys")));
    EXPECT_TRUE(throughXWayland.contains(QStringLiteral("Scan screen")));
    const QString nativeOnly = session(false, true).limitsNotice();
    EXPECT_TRUE(nativeOnly.contains(QStringLiteral("not available")));
    EXPECT_EQ(session(true, true, "wayland").limitsNotice(), nativeOnly);
}
