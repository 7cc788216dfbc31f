// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/parse_migration.h"

#include "core/base64.h"
#include "import/migration_payload.h"
#include "import/uri_components.h"

namespace OTPAuth {

namespace {

// Only the first "data" item counts, even when it is empty and a later one is not.
std::optional<QString> firstDataValue(const std::optional<QList<QueryItem>>& query)
{
    if (!query)
        return std::nullopt;
    for (const QueryItem& item : *query) {
        if (item.name.toLower() == u"data")
            return item.value;
    }
    return std::nullopt;
}

QString standardBase64Form(QString data)
{
    data.replace(u'-', u'+').replace(u'_', u'/');
    if (const qsizetype remainder = data.size() % 4; remainder != 0)
        data.append(QString(4 - remainder, u'='));
    return data;
}

} // namespace

Result<QList<Account>, ParseError> parseMigration(const QString& text)
{
    const std::optional<UriComponents> uri = UriComponents::parse(text);
    if (!uri)
        return ParseError::invalidURL;
    if (!uri->scheme || uri->scheme->toLower() != u"otpauth-migration")
        return ParseError::unsupportedScheme;

    const std::optional<QString> data = firstDataValue(uri->query);
    if (!data || data->isEmpty())
        return ParseError::invalidURL;

    // Nothing beyond ASCII is in the alphabet, so the lossy Latin-1 form is refused
    // exactly when the text is.
    const QByteArray base64 = standardBase64Form(*data).toLatin1();
    const std::optional<QByteArray> payload =
        decodeBase64Strict(std::string_view(base64.constData(), std::size_t(base64.size())));
    if (!payload)
        return ParseError::migrationDecodeFailed;
    return decodeMigrationPayload(*payload);
}

} // namespace OTPAuth
