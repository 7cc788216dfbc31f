// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/formats/free_otp_plus_backup.h"

#include "import/formats/entry_fields.h"
#include "import/formats/json_fields.h"

#include <nlohmann/json.hpp>

using nlohmann::json;

namespace FreeOtpPlusBackup {

namespace {

ImportFailure broken(const QString& detail)
{
    return ImportFailure{ImportErrorKind::brokenFile,
                         QStringLiteral("the FreeOTP+ backup is damaged (%1).").arg(detail)};
}

// Java writes the key as signed bytes: -128 to 127 each.
std::optional<QByteArray> secretBytes(const json& token)
{
    const json& values = JsonFields::member(token, "secret");
    if (!values.is_array())
        return std::nullopt;
    QByteArray secret;
    for (const json& value : values) {
        if (!value.is_number_integer() || value.get<std::int64_t>() < -128 || value.get<std::int64_t>() > 255)
            return std::nullopt;
        secret.append(static_cast<char>(value.get<std::int64_t>()));
    }
    return secret;
}

} // namespace

bool looksLike(const json& document)
{
    return document.is_object() && JsonFields::member(document, "tokens").is_array();
}

Result<ImportedAccounts, ImportFailure> read(const json& document)
{
    ImportedAccounts result;
    result.format = formatName;
    for (const json& token : JsonFields::member(document, "tokens")) {
        if (!token.is_object())
            return broken(QStringLiteral("a token is not an object"));
        EntryFields fields;
        fields.issuer = JsonFields::text(token, "issuerExt");
        fields.name = JsonFields::text(token, "label");
        fields.type = JsonFields::text(token, "type");
        readCodeParameters(fields, token, "algo");
        const std::optional<QByteArray> secret = secretBytes(token);
        if (!secret || secret->isEmpty()) {
            result.skipped.append(
                {entryLabel(fields.issuer, fields.name), QStringLiteral("no usable secret")});
            continue;
        }
        fields.secretBytes = *secret;
        collectEntry(result, fields);
    }
    return result;
}

} // namespace FreeOtpPlusBackup
