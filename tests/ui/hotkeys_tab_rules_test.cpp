// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/hotkeys_tab_rules.h"
#include "ui_test_support.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(HotKeysTabRules, OnlyEnabledBindingsWithKeyAndExistingAccountAreActive)
{
    const QList<Account> accounts{testAccount({}, u"alice"_s)};
    const auto binding = [](std::optional<QUuid> accountID, std::uint32_t keyCode, bool enabled = true) {
        return HotKeyBinding{QUuid::createUuid(), accountID, keyCode, 0x0300, enabled, false};
    };
    const QUuid alice = accounts[0].id;
    // Of one combination only the first working binding counts; one that cannot work shadows
    // nothing.
    const QList<HotKeyBinding> bindings{binding(std::nullopt, 41),
                                        binding(alice, 41),
                                        binding(alice, 40),
                                        binding(alice, 40),
                                        binding(alice, 0),
                                        binding(std::nullopt, 40),
                                        binding(QUuid::createUuid(), 40),
                                        binding(alice, 40, false)};
    EXPECT_EQ(bindingCountText(bindings, accounts), u"2 active of 8"_s);
    QList<qsizetype> shadowed;
    for (qsizetype i = 0; i < bindings.size(); ++i)
        if (isShadowedBinding(bindings, accounts, i))
            shadowed.append(i);
    EXPECT_EQ(shadowed, QList<qsizetype>{3});
    EXPECT_EQ(bindingCountText({binding(std::nullopt, 0)}, accounts), u"0 active of 1"_s);
}
