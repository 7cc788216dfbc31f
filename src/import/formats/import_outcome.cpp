// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/formats/import_outcome.h"

#include <QCoreApplication>
#include <QStringList>

QString entryLabel(const QString& issuer, const QString& name)
{
    if (issuer.isEmpty())
        return name.isEmpty() ? QCoreApplication::translate("ImportOutcome", "(unnamed)") : name;
    if (name.isEmpty())
        return issuer;
    return issuer + QStringLiteral(" (") + name + u')';
}

QString importFailureMessage(const ImportFailure& failure)
{
    switch (failure.kind) {
    case ImportErrorKind::unknownFormat:
        return QCoreApplication::translate(
            "ImportOutcome", "Nothing imported: this file is not a backup or export Brisvane can read.");
    case ImportErrorKind::passwordRequired:
        return QCoreApplication::translate("ImportOutcome", "This %1 is encrypted: its password is needed.")
            .arg(failure.detail);
    case ImportErrorKind::wrongPassword:
        return QCoreApplication::translate("ImportOutcome",
                                           "Wrong password for this %1; nothing was imported.")
            .arg(failure.detail);
    case ImportErrorKind::brokenFile:
        break;
    }
    return QCoreApplication::translate("ImportOutcome", "Nothing imported: %1").arg(failure.detail);
}

QString importSummary(int added, int alreadyPresent, const QList<SkippedEntry>& skipped)
{
    // The command line prints this without a translator, so English needs both forms here.
    QString text = added == 1
                       ? QCoreApplication::translate("ImportOutcome", "Imported 1 account")
                       : QCoreApplication::translate("ImportOutcome", "Imported %1 accounts").arg(added);
    if (alreadyPresent > 0)
        text += QCoreApplication::translate("ImportOutcome", " (%1 already present)").arg(alreadyPresent);
    if (!skipped.isEmpty()) {
        QStringList names;
        for (const SkippedEntry& entry : skipped)
            names.append(entry.label + QStringLiteral(", ") + entry.reason);
        text += QCoreApplication::translate("ImportOutcome", "; skipped %1: ").arg(skipped.size()) +
                names.join(QStringLiteral("; "));
    }
    return text;
}
