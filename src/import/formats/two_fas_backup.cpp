// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/formats/two_fas_backup.h"

#include "core/base64.h"
#include "import/formats/backup_crypto.h"
#include "import/formats/entry_fields.h"
#include "import/formats/json_fields.h"

#include <QStringList>
#include <nlohmann/json.hpp>

using nlohmann::json;

namespace TwoFasBackup {

namespace {

constexpr int keyIterations = 10000;
constexpr int tagLength = 16;

ImportFailure broken(const QString& detail)
{
    return ImportFailure{ImportErrorKind::brokenFile,
                         QStringLiteral("the 2FAS backup is damaged (%1).").arg(detail)};
}

EntryFields fieldsOf(const json& service)
{
    const json& otp = JsonFields::member(service, "otp");
    EntryFields fields;
    fields.issuer = JsonFields::text(otp, "issuer");
    if (fields.issuer.isEmpty())
        fields.issuer = JsonFields::text(service, "name");
    fields.name = JsonFields::text(otp, "account");
    fields.secretBase32 = JsonFields::text(service, "secret");
    fields.type = JsonFields::text(otp, "tokenType");
    if (fields.type.isEmpty())
        fields.type = QStringLiteral("TOTP");
    readCodeParameters(fields, otp, "algorithm");
    return fields;
}

Result<ImportedAccounts, ImportFailure> readServices(const json& services)
{
    if (!services.is_array())
        return broken(QStringLiteral("no list of services"));
    ImportedAccounts result;
    result.format = formatName;
    for (const json& service : services) {
        if (!service.is_object())
            return broken(QStringLiteral("a service is not an object"));
        collectEntry(result, fieldsOf(service));
    }
    return result;
}

} // namespace

bool looksLike(const json& document)
{
    return document.is_object() && document.contains("schemaVersion") &&
           (document.contains("services") || document.contains("servicesEncrypted"));
}

Result<ImportedAccounts, ImportFailure> read(const json& document, const std::optional<QString>& password)
{
    const QString encrypted = JsonFields::text(document, "servicesEncrypted");
    if (encrypted.isEmpty())
        return readServices(JsonFields::member(document, "services"));
    if (!password)
        return ImportFailure{ImportErrorKind::passwordRequired, formatName};
    const QStringList parts = encrypted.split(u':');
    if (parts.size() != 3)
        return broken(QStringLiteral("the encrypted services have %1 parts, not 3").arg(parts.size()));
    std::optional<QByteArray> decoded[3];
    for (int i = 0; i < 3; ++i)
        decoded[i] = decodeBase64Strict(parts[i].toStdString());
    if (!decoded[0] || !decoded[1] || !decoded[2] || decoded[0]->size() <= tagLength)
        return broken(QStringLiteral("the encrypted services are not Base64"));
    const QByteArray& sealed = *decoded[0];
    const std::optional<QByteArray> key = BackupCrypto::pbkdf2(password->toUtf8(), *decoded[1], keyIterations,
                                                               BackupCrypto::PbkdfHash::sha256, 32);
    const std::optional<QByteArray> plain =
        key ? BackupCrypto::openAesGcm(*key, *decoded[2], sealed.left(sealed.size() - tagLength),
                                       sealed.right(tagLength))
            : std::nullopt;
    if (!plain)
        return ImportFailure{ImportErrorKind::wrongPassword, formatName};
    const std::optional<json> services = JsonFields::parse(*plain);
    if (!services)
        return broken(QStringLiteral("the decrypted services are not JSON"));
    return readServices(*services);
}

} // namespace TwoFasBackup
