// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/hotkeys_tab_rules.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

bool works(const HotKeyBinding& binding, const QList<Account>& accounts)
{
    if (!binding.enabled || !binding.accountID || binding.keyCode == 0)
        return false;
    return std::any_of(accounts.cbegin(), accounts.cend(),
                       [&](const Account& account) { return account.id == *binding.accountID; });
}

} // namespace

bool isShadowedBinding(const QList<HotKeyBinding>& bindings, const QList<Account>& accounts, qsizetype index)
{
    const HotKeyBinding& binding = bindings.at(index);
    if (!works(binding, accounts))
        return false;
    return std::any_of(bindings.cbegin(), bindings.cbegin() + index, [&](const HotKeyBinding& earlier) {
        return earlier.keyCode == binding.keyCode && earlier.modifiers == binding.modifiers &&
               works(earlier, accounts);
    });
}

qsizetype activeBindingCount(const QList<HotKeyBinding>& bindings, const QList<Account>& accounts)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < bindings.size(); ++i) {
        if (works(bindings.at(i), accounts) && !isShadowedBinding(bindings, accounts, i))
            ++count;
    }
    return count;
}

QString bindingCountText(const QList<HotKeyBinding>& bindings, const QList<Account>& accounts)
{
    return QCoreApplication::translate("HotkeysTabRules", "%1 active of %2")
        .arg(activeBindingCount(bindings, accounts))
        .arg(bindings.size());
}

bool showsPasteWarning(const QList<HotKeyBinding>& bindings, bool canSendKeystrokes)
{
    if (canSendKeystrokes)
        return false;
    return std::any_of(bindings.cbegin(), bindings.cend(),
                       [](const HotKeyBinding& binding) { return binding.enabled && binding.autoPaste; });
}

QString autoPasteToolTip(bool autoPaste, bool canSendKeystrokes)
{
    if (autoPaste && !canSendKeystrokes)
        return QCoreApplication::translate(
            "HotkeysTabRules",
            "Auto-paste: insert the code at the cursor (not possible in this desktop session)");
    return QCoreApplication::translate("HotkeysTabRules",
                                       "Auto-paste: insert the code at the cursor in the focused app");
}

QString desktopTriggerText(const std::optional<QString>& assigned)
{
    if (!assigned)
        return {};
    if (assigned->isEmpty())
        return QCoreApplication::translate("HotkeysTabRules",
                                           "The desktop has not assigned this combination (it may be taken); "
                                           "pick a key in the desktop's shortcut settings.");
    return QCoreApplication::translate("HotkeysTabRules", "The desktop assigned %1 instead: press that.")
        .arg(*assigned);
}
