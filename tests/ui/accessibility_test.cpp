// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader meets: every window walked through QAccessible as assistive technology
// would, and the account rows read out with their code and countdown.

#include "all_windows.h"
#include "support/qt_printers.h"
#include "ui/main_window/account_list_model.h"
#include "ui/main_window/account_list_view.h"

#include <QAccessible>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

bool interactive(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::PageTab:
    case QAccessible::List:
    case QAccessible::ListItem:
    case QAccessible::Cell:
        return true;
    default:
        return false;
    }
}

// The shown interactive elements without a name, as "role in parent's name".
void collectUnnamed(QAccessibleInterface* node, QStringList& unnamed, int depth = 0)
{
    if (node == nullptr || !node->isValid() || node->state().invisible || depth > 40)
        return;
    if (interactive(node->role()) && node->text(QAccessible::Name).trimmed().isEmpty()) {
        const QObject* object = node->object();
        unnamed.append(
            u"%1 %2 in %3"_s.arg(QString::number(node->role(), 16),
                                 object ? QString::fromLatin1(object->metaObject()->className()) : u"-"_s,
                                 node->parent() ? node->parent()->text(QAccessible::Name) : QString()));
    }
    for (int i = 0; i < node->childCount(); ++i)
        collectUnnamed(node->child(i), unnamed, depth + 1);
}

TEST(Accessibility, EveryShownInteractiveElementOfEveryWindowHasAName)
{
    AllWindows all;
    QTabWidget* tabs = all.settingsWindow->tabs();
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        QCoreApplication::processEvents();
        for (QWidget* window : all.windows()) {
            window->show(); // the tray window closes when another window opens
            QCoreApplication::processEvents();
            ASSERT_TRUE(window->isVisible()) << qPrintable(window->windowTitle());
            QStringList unnamed;
            collectUnnamed(QAccessible::queryAccessibleInterface(window), unnamed);
            EXPECT_TRUE(unnamed.isEmpty())
                << qPrintable(window->windowTitle()) << ": " << qPrintable(unnamed.join(u"; "_s));
        }
    }
}

TEST(Accessibility, ARowReadsAsItsAccountWithTheCodeDigitByDigitAndWhatTheKeysDo)
{
    AllWindows all;
    AccountListModel& rows = *all.main->listModel();
    const auto read = [&](int row, QAccessible::Text text) {
        return QAccessible::queryAccessibleInterface(all.main->listView())->child(row)->text(text);
    };
    EXPECT_EQ(rows.data(rows.index(0), Qt::AccessibleTextRole).toString(),
              u"alice@example.com, issued by Acme"_s);
    // RFC 6238 at t = 59 s: 287082, one second left in the step.
    const QString description = rows.data(rows.index(0), Qt::AccessibleDescriptionRole).toString();
    EXPECT_TRUE(description.startsWith(u"Code 2 8 7 0 8 2, 1 second"_s)) << qPrintable(description);
    EXPECT_TRUE(description.contains(u"Return copies the code"_s)) << qPrintable(description);
    EXPECT_TRUE(rows.data(rows.index(1), Qt::AccessibleDescriptionRole)
                    .toString()
                    .startsWith(u"Code 7 5 5 2 2 4."_s));
    EXPECT_TRUE(read(1, QAccessible::Description).contains(u"Plus shows the next code"_s))
        << qPrintable(read(1, QAccessible::Description));
}

TEST(Accessibility, TheKeyboardMovesRowsAdvancesCountersAndCopies)
{
    AllWindows all;
    AccountListView& list = *all.main->listView();
    list.setFocus();
    list.setCurrentIndex(all.main->listModel()->index(1));
    QTest::keyClick(&list, Qt::Key_Plus);
    EXPECT_EQ(all.store.accounts().at(1).counter, 1);
    QTest::keyClick(&list, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(accountNames(all.store.accounts()), words("bob alice@example.com"));
    EXPECT_EQ(list.currentIndex().row(), 0) << "the moved row stays the keyboard's";
    QTest::keyClick(&list, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(accountNames(all.store.accounts()), words("bob alice@example.com"));
    QTest::keyClick(&list, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(accountNames(all.store.accounts()), words("alice@example.com bob"));
    QTest::keyClick(&list, Qt::Key_Up);
    QTest::keyClick(&list, Qt::Key_Plus); // a time-based account has no next code
    EXPECT_EQ(all.store.accounts().at(0).counter, 0);
    EXPECT_EQ(all.store.accounts().at(1).counter, 1);
    QTest::keyClick(&list, Qt::Key_Return);
    EXPECT_EQ(all.clipboard.text(), u"287082"_s);
}

} // namespace
