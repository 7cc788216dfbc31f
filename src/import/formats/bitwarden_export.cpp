// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/formats/bitwarden_export.h"

#include "import/formats/entry_fields.h"
#include "import/formats/json_fields.h"
#include "import/parse_url.h"

#include <nlohmann/json.hpp>

using nlohmann::json;

namespace BitwardenExport {

bool looksLike(const json& document)
{
    return document.is_object() && JsonFields::member(document, "items").is_array() &&
           document.contains("encrypted");
}

Result<ImportedAccounts, ImportFailure> read(const json& document)
{
    if (JsonFields::member(document, "encrypted") == true)
        return ImportFailure{ImportErrorKind::brokenFile,
                             QStringLiteral("this Bitwarden export is password-protected. Export the vault "
                                            "again as unencrypted JSON and import that file.")};
    ImportedAccounts result;
    result.format = formatName;
    for (const json& item : JsonFields::member(document, "items")) {
        const json& login = JsonFields::member(item, "login");
        const QString totp = JsonFields::text(login, "totp").trimmed();
        if (totp.isEmpty())
            continue; // an ordinary password entry
        const QString itemName = JsonFields::text(item, "name");
        const QString userName = JsonFields::text(login, "username");
        if (totp.startsWith(QStringLiteral("otpauth://"), Qt::CaseInsensitive)) {
            Result<Account, OTPAuth::ParseError> parsed = OTPAuth::parseURL(totp);
            if (!parsed) {
                result.skipped.append({entryLabel(itemName, userName), OTPAuth::message(parsed.error())});
                continue;
            }
            Account account = parsed.value();
            if (account.issuer.isEmpty())
                account.issuer = itemName;
            result.accounts.append(account);
            continue;
        }
        EntryFields fields;
        fields.issuer = itemName;
        fields.name = userName;
        if (totp.contains(QStringLiteral("://")))
            fields.type = totp.section(u':', 0, 0); // steam:// and other schemes
        else
            fields.secretBase32 = totp;
        collectEntry(result, fields);
    }
    return result;
}

} // namespace BitwardenExport
