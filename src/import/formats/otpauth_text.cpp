// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/formats/otpauth_text.h"

#include "import/parse_migration.h"
#include "import/parse_url.h"

#include <QStringList>

namespace OtpauthText {

namespace {

bool isMigrationLink(const QString& line)
{
    return line.startsWith(QStringLiteral("otpauth-migration://"), Qt::CaseInsensitive);
}

} // namespace

bool looksLike(const QString& text)
{
    for (const QString& line : text.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty())
            return trimmed.startsWith(QStringLiteral("otpauth"), Qt::CaseInsensitive);
    }
    return false;
}

Result<ImportedAccounts, ImportFailure> read(const QString& text)
{
    ImportedAccounts result;
    result.format = formatName;
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty())
            continue;
        std::optional<OTPAuth::ParseError> error;
        if (isMigrationLink(line)) {
            Result<QList<Account>, OTPAuth::ParseError> parsed = OTPAuth::parseMigration(line);
            if (parsed)
                result.accounts.append(parsed.value());
            else
                error = parsed.error();
        } else {
            Result<Account, OTPAuth::ParseError> parsed = OTPAuth::parseURL(line);
            if (parsed)
                result.accounts.append(parsed.value());
            else
                error = parsed.error();
        }
        if (error)
            return ImportFailure{ImportErrorKind::brokenFile,
                                 QStringLiteral("line %1: %2").arg(i + 1).arg(OTPAuth::message(*error))};
    }
    return result;
}

} // namespace OtpauthText
