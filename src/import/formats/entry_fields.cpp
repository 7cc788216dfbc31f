// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/formats/entry_fields.h"

#include "core/base32.h"
#include "import/formats/json_fields.h"

namespace {

std::optional<HashAlgorithm> algorithmFromText(QString text)
{
    text = text.toUpper().remove(u'-');
    if (text.isEmpty() || text == u"SHA1")
        return HashAlgorithm::sha1;
    if (text == u"SHA256")
        return HashAlgorithm::sha256;
    if (text == u"SHA512")
        return HashAlgorithm::sha512;
    return std::nullopt;
}

SkippedEntry skip(const EntryFields& fields, const QString& reason)
{
    return SkippedEntry{entryLabel(fields.issuer, fields.name), reason};
}

} // namespace

void readCodeParameters(EntryFields& fields, const nlohmann::json& object, const char* algorithmKey)
{
    fields.algorithm = JsonFields::text(object, algorithmKey);
    fields.digits = JsonFields::integer(object, "digits", 6);
    fields.period = JsonFields::integer(object, "period", 30);
    fields.counter = JsonFields::unsignedInteger(object, "counter", 0);
}

std::variant<Account, SkippedEntry> accountFromFields(const EntryFields& fields)
{
    const QString type = fields.type.toLower();
    if (type != u"totp" && type != u"hotp")
        return skip(fields, QStringLiteral("not supported"));
    const std::optional<HashAlgorithm> algorithm = algorithmFromText(fields.algorithm);
    if (!algorithm)
        return skip(fields, QStringLiteral("algorithm %1 not supported").arg(fields.algorithm));
    if (fields.digits < 1 || fields.digits > 9)
        return skip(fields, QStringLiteral("%1 digits not supported").arg(fields.digits));
    if (type == u"totp" && fields.period < 1)
        return skip(fields, QStringLiteral("period %1 not supported").arg(fields.period));
    QByteArray secret = fields.secretBytes;
    if (secret.isEmpty()) {
        const std::optional<QByteArray> decoded = decodeBase32(fields.secretBase32);
        if (!decoded || decoded->isEmpty())
            return skip(fields, QStringLiteral("secret is not valid Base32"));
        secret = *decoded;
    }
    Account account;
    account.id = fields.id.isNull() ? QUuid::createUuid() : fields.id;
    account.name = fields.name;
    account.issuer = fields.issuer;
    account.secret = secret;
    account.type = type == u"hotp" ? OTPType::hotp : OTPType::totp;
    account.algorithm = *algorithm;
    account.digits = fields.digits;
    account.period = fields.period >= 1 ? fields.period : 30;
    account.counter = fields.counter;
    account.createdAt = fields.createdAt.value_or(currentInstant());
    return account;
}

void collectEntry(ImportedAccounts& into, const EntryFields& fields)
{
    std::variant<Account, SkippedEntry> outcome = accountFromFields(fields);
    if (Account* account = std::get_if<Account>(&outcome))
        into.accounts.append(std::move(*account));
    else
        into.skipped.append(std::get<SkippedEntry>(outcome));
}
