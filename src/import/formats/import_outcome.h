// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"

#include <QList>
#include <QString>

// An entry of a backup that could not become an account, named so the user can re-create it.
struct SkippedEntry
{
    QString label;  // "Steam (Boeing:Sophia)"
    QString reason; // "not supported"
    bool operator==(const SkippedEntry&) const = default;
};

// What a backup file holds, read whole: either all of this or a failure, never a part.
struct ImportedAccounts
{
    QString format; // "Aegis vault", shown in messages
    QList<Account> accounts;
    QList<SkippedEntry> skipped;
};

enum class ImportErrorKind
{
    unknownFormat,
    brokenFile,
    passwordRequired,
    wrongPassword
};

struct ImportFailure
{
    ImportErrorKind kind = ImportErrorKind::brokenFile;
    QString detail; // what is wrong with a broken file; the format's name otherwise
};

// "Steam (Boeing:Sophia)": the issuer with the name in brackets, or whichever of them exists.
QString entryLabel(const QString& issuer, const QString& name);

// The sentence a user sees for a failure: it always says that nothing was imported.
QString importFailureMessage(const ImportFailure& failure);

// "Imported 12 accounts; skipped 1: Steam (Boeing:Sophia), not supported", with the accounts
// that were already present counted apart.
QString importSummary(int added, int alreadyPresent, const QList<SkippedEntry>& skipped);
