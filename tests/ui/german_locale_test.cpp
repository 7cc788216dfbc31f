// SPDX-License-Identifier: GPL-3.0-or-later
// Every window built in German shows no text that it also shows in English, apart from names
// and other text that is the same in both languages: anything left hard-coded shows up here.

#include "all_windows.h"
#include "ui/main_window/account_list_model.h"
#include "ui/main_window/account_list_view.h"
#include "ui/shell/translations.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTranslator>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Texts of the shown widgets of each window, in creation order, so both languages line up.
QStringList shownTexts(const AllWindows& all)
{
    QStringList texts;
    QList<QWidget*> windows = all.windows();
    // The settings window once per tab.
    for (int tab = 1; tab < all.settingsWindow->tabs()->count(); ++tab)
        windows.append(all.settingsWindow.get());
    int settingsTab = 0;
    for (QWidget* window : windows) {
        if (window == all.settingsWindow.get()) {
            all.settingsWindow->tabs()->setCurrentIndex(settingsTab++);
            QCoreApplication::processEvents();
        }
        texts.append(window->windowTitle());
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            if (!widget->isVisibleTo(window))
                continue;
            texts << widget->toolTip() << widget->accessibleName() << widget->accessibleDescription();
            if (auto* label = qobject_cast<QLabel*>(widget))
                texts << label->text();
            if (auto* button = qobject_cast<QAbstractButton*>(widget))
                texts << button->text();
            if (auto* edit = qobject_cast<QLineEdit*>(widget))
                texts << edit->placeholderText();
            if (auto* spin = qobject_cast<QSpinBox*>(widget))
                texts << spin->suffix();
            if (auto* combo = qobject_cast<QComboBox*>(widget)) {
                for (int i = 0; i < combo->count(); ++i)
                    texts << combo->itemText(i);
            }
            if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
                for (int i = 0; i < tabs->count(); ++i)
                    texts << tabs->tabText(i);
            }
        }
    }
    const AccountListModel& rows = *all.main->listModel();
    for (int row = 0; row < rows.rowCount(); ++row)
        texts << rows.data(rows.index(row), Qt::AccessibleDescriptionRole).toString();
    return texts;
}

// Names, product names and key combinations read the same in every language.
bool sameInEveryLanguage(QString text)
{
    static const QRegularExpression kept(
        u"Brisvane|Acme|alice@example\\.com|Example Bank|bob|Ctrl\\+\\w+|TOTP|HOTP|SHA\\d+|Base32|<[^>]*>|^Esc$|^Version "_s);
    text.remove(kept);
    return !text.contains(QRegularExpression(u"[A-Za-z]{3,}"_s));
}

void removeTranslators()
{
    for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

TEST(GermanLocale, NoWindowShowsAnUntranslatedText)
{
    removeTranslators();
    const QStringList english = shownTexts(AllWindows());
    ASSERT_TRUE(installTranslations(*qApp, QLocale(QLocale::German, QLocale::Germany),
                                    {QStringLiteral(BRISVANE_TEST_TRANSLATIONS)}));
    const QStringList german = shownTexts(AllWindows());
    removeTranslators();

    ASSERT_EQ(german.size(), english.size()) << "the windows differ in their shown widgets";
    QStringList untranslated;
    for (qsizetype i = 0; i < german.size(); ++i) {
        if (german[i] == english[i] && !sameInEveryLanguage(german[i]))
            untranslated.append(german[i]);
    }
    untranslated.removeDuplicates();
    EXPECT_TRUE(untranslated.isEmpty()) << qPrintable(untranslated.join(u"\n"_s));
    EXPECT_TRUE(german.contains(u"Allgemein"_s) && german.contains(u"Konten durchsuchen"_s) &&
                german.contains(u"Tastenkürzel hinzufügen"_s));
}

TEST(GermanLocale, PluralsFollowTheCountTheQtWay)
{
    removeTranslators();
    ASSERT_TRUE(installTranslations(*qApp, QLocale(QLocale::German, QLocale::Germany),
                                    {QStringLiteral(BRISVANE_TEST_TRANSLATIONS)}));
    const auto unsaved = [](int n) {
        return QCoreApplication::translate("ApplicationShell", "%n account(s) not saved in the keyring yet.",
                                           nullptr, n);
    };
    EXPECT_EQ(unsaved(1), u"1 Konto ist noch nicht im Schlüsselbund gespeichert."_s);
    EXPECT_EQ(unsaved(3), u"3 Konten sind noch nicht im Schlüsselbund gespeichert."_s);
    // English, and a language or locale without a translation, which reads English.
    for (const QLocale& locale : {QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::French, QLocale::France), QLocale::c()}) {
        SCOPED_TRACE(qPrintable(locale.name()));
        removeTranslators();
        EXPECT_EQ(installTranslations(*qApp, locale, {QStringLiteral(BRISVANE_TEST_TRANSLATIONS)}),
                  locale.language() == QLocale::English);
        EXPECT_EQ(unsaved(1), u"One account is not saved in the keyring yet."_s);
        EXPECT_EQ(unsaved(2), u"2 accounts are not saved in the keyring yet."_s);
    }
    removeTranslators();
}

} // namespace
