// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool installTranslations(QCoreApplication& app, const QLocale& locale, const QStringList& folders)
{
    auto* qt = new QTranslator(&app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;

    auto* own = new QTranslator(&app);
    for (const QString& folder : folders) {
        if (own->load(locale, QStringLiteral("brisvane"), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(own);
            return true;
        }
    }
    delete own;
    return false;
}

QStringList translationFolders()
{
    QStringList folders{QCoreApplication::applicationDirPath() +
                        QStringLiteral("/../share/brisvane/translations")};
#ifdef BRISVANE_BUILD_TRANSLATIONS
    folders.append(QStringLiteral(BRISVANE_BUILD_TRANSLATIONS));
#endif
    return folders;
}
