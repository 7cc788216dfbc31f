// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tray/tray_accounts.h"

#include "core/otp_code.h"
#include "ui/widgets/account_presentation.h"

#include <algorithm>

QList<Account> visibleAccounts(const QList<Account>& accounts, const QSet<QUuid>& hiddenIDs)
{
    QList<Account> visible;
    std::copy_if(accounts.cbegin(), accounts.cend(), std::back_inserter(visible),
                 [&](const Account& account) { return !hiddenIDs.contains(account.id); });
    return visible;
}

std::optional<Account> trayAccount(const QList<Account>& accounts, const std::optional<QUuid>& chosenID)
{
    if (chosenID) {
        const auto chosen = std::find_if(accounts.cbegin(), accounts.cend(),
                                         [&](const Account& account) { return account.id == *chosenID; });
        if (chosen != accounts.cend())
            return *chosen;
    }
    if (accounts.isEmpty())
        return std::nullopt;
    return accounts.first();
}

std::optional<QString> trayCodeText(const QList<Account>& accounts, bool showCode,
                                    const std::optional<QUuid>& chosenID, Instant now)
{
    if (!showCode)
        return std::nullopt;
    const std::optional<Account> account = trayAccount(accounts, chosenID);
    if (!account)
        return std::nullopt;
    return account->code(now);
}

namespace {

qsizetype positionOf(const QList<Account>& visible, const QUuid& id)
{
    const auto found = std::find_if(visible.cbegin(), visible.cend(),
                                    [&](const Account& account) { return account.id == id; });
    return found == visible.cend() ? -1 : found - visible.cbegin();
}

} // namespace

std::optional<AccountMove> moveUpRequest(const QList<Account>& visible, const QUuid& id)
{
    const qsizetype p = positionOf(visible, id);
    if (p < 0 || !canMoveUp(p))
        return std::nullopt;
    return AccountMove{id, visible.at(p - 1).id};
}

std::optional<AccountMove> moveDownRequest(const QList<Account>& visible, const QUuid& id)
{
    const qsizetype p = positionOf(visible, id);
    if (p < 0 || !canMoveDown(p, visible.size()))
        return std::nullopt;
    return AccountMove{visible.at(p + 1).id, id};
}

bool canMoveUp(qsizetype position)
{
    return position > 0;
}

bool canMoveDown(qsizetype position, qsizetype visibleCount)
{
    return position < visibleCount - 1;
}

QString maskedCode(std::int64_t digits)
{
    // The same range code generation accepts; anything else has no code to stand for.
    if (digits < 1 || digits > 9)
        return unusableCodeText();
    return groupedCode(QString(static_cast<qsizetype>(digits), QChar(0x2022)));
}
