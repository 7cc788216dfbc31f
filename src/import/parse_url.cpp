// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/parse_url.h"

#include "core/base32.h"
#include "import/integer_text.h"
#include "import/otpauth_label.h"
#include "import/uri_components.h"

#include <QHash>
#include <QUuid>

namespace OTPAuth {

namespace {

constexpr std::int64_t defaultDigits = 6;
constexpr std::int64_t defaultPeriod = 30;

// Lower-cased name to value; a later item wins, and an item without "=" removes the name.
QHash<QString, QString> parameterTable(const std::optional<QList<QueryItem>>& query)
{
    QHash<QString, QString> table;
    if (!query)
        return table;
    for (const QueryItem& item : *query) {
        const QString key = item.name.toLower();
        if (item.value)
            table.insert(key, *item.value);
        else
            table.remove(key);
    }
    return table;
}

std::optional<OTPType> typeFromHost(const QString& host)
{
    const QString lower = host.toLower();
    if (lower == u"totp")
        return OTPType::totp;
    if (lower == u"hotp")
        return OTPType::hotp;
    return std::nullopt;
}

HashAlgorithm algorithmFromParameter(const QString& value)
{
    const QString upper = value.toUpper();
    if (upper == u"SHA256")
        return HashAlgorithm::sha256;
    if (upper == u"SHA512")
        return HashAlgorithm::sha512;
    return HashAlgorithm::sha1;
}

// A counter-based account never uses its period.
bool canMakeCodes(const Account& account)
{
    return account.digits >= 1 && account.digits <= 9 &&
           (account.type == OTPType::hotp || account.period >= 1);
}

} // namespace

Result<Account, ParseError> parseURL(const QString& text)
{
    const std::optional<UriComponents> uri = UriComponents::parse(text);
    if (!uri || !uri->scheme)
        return ParseError::invalidURL;
    if (uri->scheme->toLower() != u"otpauth")
        return ParseError::unsupportedScheme;
    if (!uri->host)
        return ParseError::invalidURL;
    const std::optional<OTPType> type = typeFromHost(*uri->host);
    if (!type)
        return ParseError::unsupportedType;

    const OtpauthLabel label = OtpauthLabel::fromDecodedPath(uri->path);
    const QHash<QString, QString> parameters = parameterTable(uri->query);

    const QString secretText = parameters.value(QStringLiteral("secret"));
    if (secretText.isEmpty())
        return ParseError::missingSecret;
    const std::optional<QByteArray> secret = decodeBase32(secretText);
    if (!secret || secret->isEmpty())
        return ParseError::invalidSecret;

    const QString issuerParameter = parameters.value(QStringLiteral("issuer"));

    Account account;
    account.id = QUuid::createUuid();
    account.name = label.name;
    account.issuer = issuerParameter.isEmpty() ? label.issuer : issuerParameter;
    account.secret = *secret;
    account.type = *type;
    account.algorithm =
        algorithmFromParameter(parameters.value(QStringLiteral("algorithm"), QStringLiteral("SHA1")));
    account.digits = readSignedInteger(parameters.value(QStringLiteral("digits"))).value_or(defaultDigits);
    account.period = readSignedInteger(parameters.value(QStringLiteral("period"))).value_or(defaultPeriod);
    account.counter = readUnsignedInteger(parameters.value(QStringLiteral("counter"))).value_or(0);
    account.createdAt = currentInstant();

    if (!canMakeCodes(account))
        return ParseError::invalidURL;
    // Kept usable in case the account is ever shown or exported with its period.
    if (account.period < 1)
        account.period = defaultPeriod;
    return account;
}

} // namespace OTPAuth
