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
