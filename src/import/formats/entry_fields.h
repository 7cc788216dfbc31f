// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"
#include "core/instant.h"
#include "import/formats/import_outcome.h"

#include <QByteArray>
#include <QString>
#include <QUuid>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <variant>

// One credential as another app describes it, before it is checked against what Brisvane can
// generate codes for. Texts are taken as the app wrote them (type "TOTP", algorithm "sha-256").
struct EntryFields
{
    QString issuer;
    QString name;
    QString type = QStringLiteral("totp");
    QString algorithm = QStringLiteral("SHA1");
    QString secretBase32;   // used when secretBytes is empty
    QByteArray secretBytes; // formats that carry raw bytes
    std::int64_t digits = 6;
    std::int64_t period = 30;
    std::uint64_t counter = 0;
    QUuid id;                         // kept when the backup names one; a fresh id otherwise
    std::optional<Instant> createdAt; // now, unless the backup remembers it
};

// The algorithm (under the format's own key), digits, period and counter, which the JSON formats
// keep side by side in one object; absent ones read as the usual defaults.
void readCodeParameters(EntryFields& fields, const nlohmann::json& object, const char* algorithmKey);

// The account, or why the entry is skipped ("not supported", "secret is not valid Base32").
std::variant<Account, SkippedEntry> accountFromFields(const EntryFields& fields);

// Adds the entry's account or its skip note to the result.
void collectEntry(ImportedAccounts& into, const EntryFields& fields);
