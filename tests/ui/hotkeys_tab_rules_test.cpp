#include "ui/hotkeys_tab_rules.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

Account account()
{
    Account a;
    a.id = QUuid::createUuid();
    a.name = QStringLiteral("alice");
    return a;
}

HotKeyBinding binding(std::optional<QUuid> accountID, std::uint32_t keyCode, bool enabled = true, bool autoPaste = false)
{
    return HotKeyBinding{QUuid::createUuid(), accountID, keyCode, 0x0300, enabled, autoPaste};
}

} // namespace

TEST(HotKeysTabRules, OnlyEnabledBindingsWithKeyAndExistingAccountAreActive)
{
    const Account alice = account();
    const QList<Account> accounts{alice};
    const QList<HotKeyBinding> bindings{
        binding(alice.id, 40),                   // active
        binding(alice.id, 40),                   // same combination: still counts
        binding(alice.id, 0),                    // no key recorded
        binding(std::nullopt, 40),               // no account
        binding(QUuid::createUuid(), 40),        // account deleted
        binding(alice.id, 40, false),            // disabled
    };
    EXPECT_EQ(activeBindingCount(bindings, accounts), 2);
    EXPECT_EQ(bindingCountText(bindings, accounts), u"2 active of 6"_s);
    EXPECT_EQ(bindingCountText({binding(std::nullopt, 0)}, accounts), u"0 active of 1"_s);
}

TEST(HotKeysTabRules, WarningNeedsAnEnabledAutoPasteBindingAndNoPermission)
{
    const QUuid id = QUuid::createUuid();
    const QList<HotKeyBinding> pasting{binding(id, 40, true, true)};
    EXPECT_TRUE(showsPasteWarning(pasting, false));
    EXPECT_FALSE(showsPasteWarning(pasting, true));
    EXPECT_FALSE(showsPasteWarning({binding(id, 40, false, true)}, false));
    EXPECT_FALSE(showsPasteWarning({binding(id, 40, true, false)}, false));
    EXPECT_FALSE(showsPasteWarning({}, false));
}

TEST(HotKeysTabRules, AutoPasteTooltipSaysWhenPastingIsImpossible)
{
    EXPECT_EQ(autoPasteToolTip(true, false),
              u"Auto-paste: insert the code at the cursor (not possible in this desktop session)"_s);
    EXPECT_EQ(autoPasteToolTip(false, false), u"Auto-paste: insert the code at the cursor in the focused app"_s);
    EXPECT_EQ(autoPasteToolTip(true, true), u"Auto-paste: insert the code at the cursor in the focused app"_s);
}
