// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QStringList>

class QCoreApplication;

// Installs the translations for the user's language into the application: Qt's own (standard
// buttons and dialogs) and Brisvane's, the latter from the first folder that has them, with
// English (for its plural forms) where there is none for the locale. Returns whether Brisvane's
// own translation for the locale was found.
bool installTranslations(QCoreApplication& app, const QLocale& locale, const QStringList& folders);

// Where Brisvane's translations are looked for: beside the installed program, then the build tree.
QStringList translationFolders();
