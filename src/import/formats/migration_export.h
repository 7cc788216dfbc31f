// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"
#include "import/formats/import_outcome.h"

#include <QList>
#include <QString>
#include <QStringList>

// Google Authenticator's export links (otpauth-migration://offline?data=...), several accounts
// per link so that each fits one QR code a phone reads easily. That format has no period and
// only 6 or 8 digits: other accounts are left out and named rather than written wrongly.
struct MigrationExport
{
    QStringList links;
    QList<SkippedEntry> leftOut;
};

// At most this many accounts per link.
inline constexpr int accountsPerMigrationLink = 10;

// batchId identifies the set of links as one export to the scanning phone.
MigrationExport migrationLinks(const QList<Account>& accounts, int batchId);
