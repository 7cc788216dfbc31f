// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/formats/import_outcome.h"

#include <QStringList>

QString entryLabel(const QString& issuer, const QString& name)
{
    if (issuer.isEmpty())
        return name.isEmpty() ? QStringLiteral("(unnamed)") : name;
    if (name.isEmpty())
        return issuer;
    return issuer + QStringLiteral(" (") + name + u')';
}

QString importFailureMessage(const ImportFailure& failure)
{
    switch (failure.kind) {
    case ImportErrorKind::unknownFormat:
        return QStringLiteral("Nothing imported: this file is not a backup or export Brisvane can read.");
    case ImportErrorKind::passwordRequired:
        return QStringLiteral("This %1 is encrypted: its password is needed.").arg(failure.detail);
    case ImportErrorKind::wrongPassword:
        return QStringLiteral("Wrong password for this %1; nothing was imported.").arg(failure.detail);
    case ImportErrorKind::brokenFile:
        break;
    }
    return QStringLiteral("Nothing imported: %1").arg(failure.detail);
}

QString importSummary(int added, int alreadyPresent, const QList<SkippedEntry>& skipped)
{
    QString text =
        QStringLiteral("Imported %1 account%2").arg(added).arg(added == 1 ? QString() : QStringLiteral("s"));
    if (alreadyPresent > 0)
        text += QStringLiteral(" (%1 already present)").arg(alreadyPresent);
    if (!skipped.isEmpty()) {
        QStringList names;
        for (const SkippedEntry& entry : skipped)
            names.append(entry.label + QStringLiteral(", ") + entry.reason);
        text += QStringLiteral("; skipped %1: ").arg(skipped.size()) + names.join(QStringLiteral("; "));
    }
    return text;
}
