// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/formats/proton_export.h"

#include "import/formats/json_fields.h"
#include "import/parse_url.h"

#include <nlohmann/json.hpp>

using nlohmann::json;

namespace ProtonExport {

bool looksLike(const json& document)
{
    const json& entries = JsonFields::member(document, "entries");
    return entries.is_array() &&
           (entries.empty() || JsonFields::member(entries.front(), "content").is_object());
}

Result<ImportedAccounts, ImportFailure> read(const json& document)
{
    ImportedAccounts result;
    result.format = formatName;
    for (const json& entry : JsonFields::member(document, "entries")) {
        const json& content = JsonFields::member(entry, "content");
        const QString uri = JsonFields::text(content, "uri").trimmed();
        const QString label = JsonFields::text(content, "name");
        if (JsonFields::text(content, "entry_type").compare(u"Totp", Qt::CaseInsensitive) != 0) {
            result.skipped.append(
                {label.isEmpty() ? entryLabel({}, {}) : label, QStringLiteral("not supported")});
            continue;
        }
        Result<Account, OTPAuth::ParseError> parsed = OTPAuth::parseURL(uri);
        if (!parsed) {
            result.skipped.append(
                {label.isEmpty() ? entryLabel({}, {}) : label, OTPAuth::message(parsed.error())});
            continue;
        }
        result.accounts.append(parsed.value());
    }
    return result;
}

} // namespace ProtonExport
