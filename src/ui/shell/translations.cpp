// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <algorithm>

bool installTranslations(QCoreApplication& app, const QLocale& locale, const QStringList& folders)
{
    auto* qt = new QTranslator(&app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;

    auto* own = new QTranslator(&app);
    const auto load = [&](const QLocale& wanted) {
        return std::ranges::any_of(folders, [&](const QString& folder) {
            return own->load(wanted, QStringLiteral("brisvane"), QStringLiteral("_"), folder);
        });
    };
    const bool found = load(locale);
    // A language we have no translation for reads the English texts, and English too needs its
    // plural forms: "1 account", not "1 account(s)".
    if (found || load(QLocale(QLocale::English, QLocale::UnitedStates)))
        QCoreApplication::installTranslator(own);
    else
        delete own;
    return found;
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
