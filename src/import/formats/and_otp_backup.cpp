// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/formats/and_otp_backup.h"

#include "import/formats/backup_crypto.h"
#include "import/formats/entry_fields.h"
#include "import/formats/json_fields.h"

#include <QtEndian>
#include <nlohmann/json.hpp>

using nlohmann::json;

namespace AndOtpBackup {

namespace {

constexpr int headerLength = 4 + 12 + 12;
constexpr int tagLength = 16;
constexpr std::uint32_t minIterations = 1000;
constexpr std::uint32_t maxIterations = 10000000;

ImportFailure broken(const QString& detail)
{
    return ImportFailure{ImportErrorKind::brokenFile,
                         QStringLiteral("the andOTP backup is damaged (%1).").arg(detail)};
}

EntryFields fieldsOf(const json& entry)
{
    EntryFields fields;
    fields.issuer = JsonFields::text(entry, "issuer");
    fields.name = JsonFields::text(entry, "label");
    // Older versions kept "issuer:name" in the label alone.
    if (fields.issuer.isEmpty() && fields.name.contains(u':')) {
        const qsizetype colon = fields.name.indexOf(u':');
        fields.issuer = fields.name.left(colon).trimmed();
        fields.name = fields.name.mid(colon + 1).trimmed();
    }
    fields.secretBase32 = JsonFields::text(entry, "secret");
    fields.type = JsonFields::text(entry, "type");
    readCodeParameters(fields, entry, "algorithm");
    return fields;
}

} // namespace

bool looksLike(const json& document)
{
    if (!document.is_array())
        return false;
    for (const json& entry : document) {
        if (!entry.is_object() || !entry.contains("secret"))
            return false;
    }
    return true;
}

Result<ImportedAccounts, ImportFailure> read(const json& document)
{
    if (!looksLike(document))
        return broken(QStringLiteral("not a list of entries"));
    ImportedAccounts result;
    result.format = formatName;
    for (const json& entry : document)
        collectEntry(result, fieldsOf(entry));
    return result;
}

bool looksEncrypted(const QByteArray& bytes)
{
    if (bytes.size() < headerLength + tagLength)
        return false;
    const auto iterations = qFromBigEndian<std::uint32_t>(bytes.constData());
    return iterations >= minIterations && iterations <= maxIterations;
}

Result<ImportedAccounts, ImportFailure> readEncrypted(const QByteArray& bytes,
                                                      const std::optional<QString>& password)
{
    if (!looksEncrypted(bytes))
        return broken(QStringLiteral("too short"));
    if (!password)
        return ImportFailure{ImportErrorKind::passwordRequired, formatName};
    const auto iterations = static_cast<int>(qFromBigEndian<std::uint32_t>(bytes.constData()));
    const QByteArray salt = bytes.mid(4, 12);
    const QByteArray nonce = bytes.mid(16, 12);
    const QByteArray ciphertext = bytes.mid(headerLength, bytes.size() - headerLength - tagLength);
    const std::optional<QByteArray> key =
        BackupCrypto::pbkdf2(password->toUtf8(), salt, iterations, BackupCrypto::PbkdfHash::sha1, 32);
    const std::optional<QByteArray> plain =
        key ? BackupCrypto::openAesGcm(*key, nonce, ciphertext, bytes.right(tagLength)) : std::nullopt;
    if (!plain)
        return ImportFailure{ImportErrorKind::wrongPassword, formatName};
    const std::optional<json> document = JsonFields::parse(*plain);
    if (!document)
        return broken(QStringLiteral("the decrypted entries are not JSON"));
    return read(*document);
}

} // namespace AndOtpBackup
