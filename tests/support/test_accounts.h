// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"
#include "core/uuid_text.h"
#include "support/qt_printers.h"

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

inline void PrintTo(const Account& account, std::ostream* os)
{
    *os << "Account{" << accountLabel(account).toStdString() << " " << uuidText(account.id).toStdString()
        << " counter " << account.counter << "}";
}
