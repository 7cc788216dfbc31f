// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"

#include <QStringList>
#include <QWidget>

// RFC 6238's SHA-1 key: at t = 59 s its codes are 287082 (6 digits) and 94287082 (8 digits);
// as HOTP, counter 0 gives 755224 and counter 1 gives 287082 (RFC 4226).
inline Account testAccount(const QString& issuer, const QString& name, std::int64_t digits = 6,
                           OTPType type = OTPType::totp)
{
    Account account;
    account.id = QUuid::createUuid();
    account.issuer = issuer;
    account.name = name;
    account.secret = QByteArrayLiteral("12345678901234567890");
    account.digits = digits;
    account.type = type;
    return account;
}

// "A h C" -> {"A", "h", "C"}: expected orders stay readable on one line.
inline QStringList words(const char* text)
{
    return QString::fromUtf8(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

inline QStringList accountNames(const QList<Account>& accounts)
{
    QStringList names;
    for (const Account& account : accounts)
        names.append(account.name);
    return names;
}

// A named child that would be on screen whenever its top-level window is.
inline bool shownIn(const QWidget* root, const QString& name)
{
    const auto* child = root->findChild<QWidget*>(name);
    return child != nullptr && child->isVisibleTo(root);
}
