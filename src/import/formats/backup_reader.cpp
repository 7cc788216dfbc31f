// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/formats/backup_reader.h"

#include "import/formats/aegis_vault.h"
#include "import/formats/and_otp_backup.h"
#include "import/formats/bitwarden_export.h"
#include "import/formats/free_otp_plus_backup.h"
#include "import/formats/json_fields.h"
#include "import/formats/otpauth_text.h"
#include "import/formats/proton_export.h"
#include "import/formats/two_fas_backup.h"

#include <QStringDecoder>
#include <nlohmann/json.hpp>

namespace {

ImportFailure unknownFormat()
{
    return ImportFailure{ImportErrorKind::unknownFormat, {}};
}

Result<ImportedAccounts, ImportFailure> readJson(const nlohmann::json& document,
                                                 const std::optional<QString>& password)
{
    if (AegisVault::looksLike(document))
        return AegisVault::read(document, password);
    if (TwoFasBackup::looksLike(document))
        return TwoFasBackup::read(document, password);
    if (FreeOtpPlusBackup::looksLike(document))
        return FreeOtpPlusBackup::read(document);
    if (BitwardenExport::looksLike(document))
        return BitwardenExport::read(document);
    if (ProtonExport::looksLike(document))
        return ProtonExport::read(document);
    if (AndOtpBackup::looksLike(document))
        return AndOtpBackup::read(document);
    return unknownFormat();
}

std::optional<QString> utf8Text(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

} // namespace

Result<ImportedAccounts, ImportFailure> readBackup(const QByteArray& bytes,
                                                   const std::optional<QString>& password)
{
    if (bytes.size() > maxBackupFileSize)
        return ImportFailure{ImportErrorKind::brokenFile,
                             QStringLiteral("the file is far too large for a backup.")};
    if (const std::optional<QString> text = utf8Text(bytes)) {
        const QString trimmed = text->trimmed();
        if (trimmed.startsWith(u'{') || trimmed.startsWith(u'[')) {
            const std::optional<nlohmann::json> document = JsonFields::parse(bytes);
            if (!document)
                return ImportFailure{
                    ImportErrorKind::brokenFile,
                    QStringLiteral("the file looks like JSON but is not valid JSON (cut short?).")};
            return readJson(*document, password);
        }
        if (OtpauthText::looksLike(trimmed))
            return OtpauthText::read(trimmed);
    }
    if (AndOtpBackup::looksEncrypted(bytes))
        return AndOtpBackup::readEncrypted(bytes, password);
    return unknownFormat();
}
