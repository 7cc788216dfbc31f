// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"
#include "core/uuid_text.h"

#include <QList>
#include <QUuid>
#include <ostream>

// An account that survives a JSON round trip unchanged (whole-second creation date).
inline Account testAccount(const QString& name, const QString& issuer, const QByteArray& secret,
                           OTPType type = OTPType::totp, std::uint64_t counter = 0)
{
    Account account;
    account.id = QUuid::createUuid();
    account.name = name;
    account.issuer = issuer;
    account.secret = secret;
    account.type = type;
    account.counter = counter;
    account.createdAt = instantFromSeconds(1714555800);
    return account;
}

inline QList<QUuid> idsOf(const QList<Account>& accounts)
{
    QList<QUuid> ids;
    for (const Account& account : accounts)
        ids.append(account.id);
    return ids;
}

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const Account& account, std::ostream* os)
{
    *os << "Account{" << accountLabel(account).toStdString() << " " << uuidText(account.id).toStdString()
        << " counter " << account.counter << "}";
}
