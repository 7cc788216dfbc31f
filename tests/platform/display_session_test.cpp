// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/session/detected_desktop_session.h"
#include "platform/session/display_session.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

DisplaySession session(bool x11, bool wayland, const char* platform = "")
{
    return DisplaySession{x11, wayland, QString::fromLatin1(platform)};
}

} // namespace

TEST(DisplaySession, PrefersNativeWaylandWithXWaylandAsFallback)
{
    EXPECT_EQ(session(true, true).preferredPlatform(), QStringLiteral("wayland;xcb"));
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

using Kind = DetectedDesktopSession::Kind;

TEST(DetectedDesktopSession, KindFollowsTheQtPlatformInUse)
{
    EXPECT_EQ(DetectedDesktopSession::kindFor(QStringLiteral("xcb"), false), Kind::x11);
    EXPECT_EQ(DetectedDesktopSession::kindFor(QStringLiteral("xcb"), true), Kind::xwayland);
    EXPECT_EQ(DetectedDesktopSession::kindFor(QStringLiteral("wayland"), true), Kind::wayland);
    EXPECT_EQ(DetectedDesktopSession::kindFor(QStringLiteral("offscreen"), false), Kind::other);
}

TEST(DetectedDesktopSession, NamesEachMissingPortalAndNothingWhenAllAreThere)
{
    struct Case
    {
        Kind kind;
        DetectedDesktopSession::Features features;
        std::vector<const char*> inNotice; // empty: no notice at all
        bool hotKeysNotice;
    };
    const std::vector<Case> cases{
        {Kind::x11, {}, {}, false},
        {Kind::wayland, {true, true, true}, {}, false},
        {Kind::wayland, {false, true, true}, {"GlobalShortcuts portal missing"}, true},
        {Kind::wayland, {true, false, true}, {"RemoteDesktop portal missing"}, false},
        {Kind::wayland, {false, false, false}, {"GlobalShortcuts", "RemoteDesktop", "Screenshot"}, true},
        {Kind::xwayland, {}, {"XWayland", "Scan screen"}, true},
    };
    for (const Case& c : cases) {
        const DetectedDesktopSession desktop(c.kind, c.features, {});
        const QString notice = desktop.limitsNotice();
        EXPECT_EQ(notice.isEmpty(), c.inNotice.empty()) << notice.toStdString();
        for (const char* part : c.inNotice)
            EXPECT_TRUE(notice.contains(QLatin1String(part))) << notice.toStdString();
        EXPECT_EQ(!desktop.hotKeysNotice().isEmpty(), c.hotKeysNotice) << notice.toStdString();
    }
}
