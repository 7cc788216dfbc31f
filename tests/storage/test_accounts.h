#pragma once

#include "core/account.h"
#include "core/uuid_text.h"

#include <QList>
#include <QString>
#include <QUuid>
#include <ostream>

// Accounts that survive a JSON round trip unchanged (whole-second creation dates).
inline Account testAccount(const QString& name, const QString& issuer = {}, const QByteArray& secret = "12345678901234567890")
{
    Account account;
    account.id = QUuid::createUuid();
    account.name = name;
    account.issuer = issuer;
    account.secret = secret;
    account.createdAt = instantFromSeconds(1714555800);
    return account;
}

inline Account testHotpAccount(const QString& name, std::uint64_t counter)
{
    Account account = testAccount(name, QStringLiteral("Example"), "hotp-secret-" + name.toUtf8());
    account.type = OTPType::hotp;
    account.counter = counter;
    return account;
}

inline QList<QUuid> idsOf(const QList<Account>& accounts)
{
    QList<QUuid> ids;
    for (const Account& account : accounts)
        ids.append(account.id);
    return ids;
}

inline QList<QString> namesOf(const QList<Account>& accounts)
{
    QList<QString> names;
    for (const Account& account : accounts)
        names.append(account.name);
    return names;
}

// Readable failure messages.
inline void PrintTo(const Account& account, std::ostream* os)
{
    *os << "Account{" << uuidText(account.id).toStdString() << " \"" << accountLabel(account).toStdString()
        << "\" counter " << account.counter << "}";
}
