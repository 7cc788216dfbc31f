// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/key_codes.h"
#include "platform/portal/portal_shortcut.h"

#include <gtest/gtest.h>

namespace {

using namespace CarbonMask;

TEST(PortalShortcut, StoredCombinationsInThePortalsTriggerSyntax)
{
    struct Case
    {
        std::uint32_t keyCode;
        std::uint32_t modifiers;
        const char* trigger; // nullptr: no key of that name here
    };
    for (const Case& c : std::initializer_list<Case>{
             {MacKeyCode::k, command | option | shift, "CTRL+ALT+SHIFT+K"},
             {MacKeyCode::f5, control, "LOGO+F5"},
             {MacKeyCode::a, shift | command, "CTRL+SHIFT+A"},
             {123, option, "ALT+Left"},
             {63, command, nullptr}, // Fn
         }) {
        const std::optional<QString> trigger = portalTrigger(c.keyCode, c.modifiers);
        EXPECT_EQ(trigger.has_value(), c.trigger != nullptr) << c.keyCode;
        if (trigger && c.trigger) {
            EXPECT_EQ(*trigger, QLatin1String(c.trigger));
        }
    }
}

TEST(PortalShortcut, TheDesktopsWordsForATriggerMatchInAnyOrderAndCase)
{
    const QString asked = QStringLiteral("CTRL+ALT+SHIFT+K");
    EXPECT_TRUE(sameTrigger(asked, QStringLiteral("Ctrl+Alt+Shift+K")));
    EXPECT_TRUE(sameTrigger(asked, QStringLiteral("Shift+Ctrl+Alt+K")));
    EXPECT_TRUE(sameTrigger(QStringLiteral("LOGO+F5"), QStringLiteral("Meta+F5")));
    EXPECT_TRUE(sameTrigger(QStringLiteral("CTRL++"), QStringLiteral("Ctrl++")));
    EXPECT_FALSE(sameTrigger(asked, QStringLiteral("Ctrl+Alt+K")));
    EXPECT_FALSE(sameTrigger(asked, QStringLiteral("Ctrl+Alt+Shift+J")));
    EXPECT_FALSE(sameTrigger(asked, QString()));
}

} // namespace
