// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/account.h"

#include "core/otp_code.h"

QString Account::code(Instant at) const
{
    if (type == OTPType::hotp)
        return generateCode(secret, counter, digits, algorithm);
    const std::optional<std::uint64_t> movingFactor = totpMovingFactor(at, period);
    if (!movingFactor)
        return unusableCodeText();
    return generateCode(secret, *movingFactor, digits, algorithm);
}

QString accountLabel(const Account& account)
{
    if (account.issuer.isEmpty())
        return account.name;
    return account.issuer + QStringLiteral(": ") + account.name;
}

QString displayLabel(const Account& account)
{
    if (account.issuer.isEmpty())
        return isolatedText(account.name);
    return isolatedText(account.issuer) + QStringLiteral(": ") + isolatedText(account.name);
}

QList<QUuid> idsOf(const QList<Account>& accounts)
{
    QList<QUuid> ids;
    ids.reserve(accounts.size());
    for (const Account& account : accounts)
        ids.append(account.id);
    return ids;
}

QString isolatedText(const QString& text)
{
    if (text.isEmpty())
        return text;
    return QChar(0x2068) + text + QChar(0x2069);
}

QString withoutControlCharacters(const QString& text)
{
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0x20 && !(u >= 0x7f && u <= 0x9f))
            kept.append(c);
    }
    return kept;
}

bool isDuplicateOf(const Account& candidate, const Account& existing)
{
    return candidate.secret == existing.secret && candidate.name == existing.name &&
           candidate.issuer == existing.issuer;
}
