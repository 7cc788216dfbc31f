// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fake_keystroke_sender.h"
#include "support/fake_login_item.h"
#include "support/store_and_settings.h"
#include "ui/settings/general_tab.h"
#include "ui/settings/settings_window.h"
#include "ui_test_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class GeneralTabTest : public ::testing::Test, protected StoreAndSettings
{
protected:
    FakeLoginItem loginItem;
    std::unique_ptr<GeneralTab> tab;

    void open(const QString& keyringManager = {})
    {
        tab = std::make_unique<GeneralTab>(store, settings, loginItem, keyringManager);
        tab->show();
        QCoreApplication::processEvents();
    }
    template <typename T = QWidget> T* child(const QString& name) const { return tab->findChild<T*>(name); }
    bool shown(const QString& name) const { return shownIn(tab.get(), name); }
    QCheckBox* launchSwitch() const { return child<QCheckBox>(u"launchAtLogin"_s); }
    QStringList pickerEntries() const
    {
        QStringList entries;
        auto* picker = child<QComboBox>(u"trayAccountPicker"_s);
        for (int i = 0; i < picker->count(); ++i)
            entries.append(picker->itemText(i).remove(QChar(0x2068)).remove(QChar(0x2069)));
        return entries;
    }
};

} // namespace

TEST_F(GeneralTabTest, NoAccountsHidesTheListAndThePickerShowsOnlyWhileTheCodeIs)
{
    open();
    EXPECT_FALSE(shown(u"shownAccounts"_s));
    EXPECT_EQ(pickerEntries(), QStringList{u"First account"_s});
    EXPECT_TRUE(shown(u"trayAccountRow"_s));
    child<QCheckBox>(u"showCodeInTray"_s)->click();
    EXPECT_FALSE(settings.showCodeInMenuBar());
    EXPECT_FALSE(shown(u"trayAccountRow"_s));
    settings.setShowCodeInMenuBar(true);
    EXPECT_TRUE(shown(u"trayAccountRow"_s));
    EXPECT_TRUE(child<QCheckBox>(u"showCodeInTray"_s)->isChecked());
}

TEST_F(GeneralTabTest, PickingAnAccountStoresItsIDAndFirstAccountClearsIt)
{
    const Account a = testAccount(u"Acme"_s, u"alice"_s);
    const Account b = testAccount(QString(), u"bob"_s);
    store.addAccounts({a, b});
    open();
    EXPECT_EQ(pickerEntries(), (QStringList{u"First account"_s, u"Acme: alice"_s, u"bob"_s}));
    auto* picker = child<QComboBox>(u"trayAccountPicker"_s);
    picker->setCurrentIndex(2);
    Q_EMIT picker->activated(2);
    EXPECT_EQ(settings.menuBarAccountID(), b.id);
    picker->setCurrentIndex(0);
    Q_EMIT picker->activated(0);
    EXPECT_FALSE(settings.menuBarAccountID().has_value());

    // A deleted choice reads as the first account, which is what the tray then shows.
    settings.setMenuBarAccountID(b.id);
    EXPECT_EQ(picker->currentIndex(), 2);
    store.deleteAccount(b.id);
    EXPECT_EQ(picker->currentIndex(), 0);
    EXPECT_EQ(settings.menuBarAccountID(), b.id);
}

TEST_F(GeneralTabTest, UncheckingAnAccountHidesItFromTheTrayWindow)
{
    const Account a = testAccount(u"Acme"_s, u"alice"_s);
    store.addAccounts({a});
    open();
    ASSERT_TRUE(shown(u"shownAccounts"_s));
    QCheckBox* box = nullptr;
    for (QCheckBox* candidate : child(u"shownAccounts"_s)->findChildren<QCheckBox*>())
        if (candidate->text() == u"\u2068Acme\u2069: \u2068alice\u2069"_s)
            box = candidate;
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isChecked());
    box->click();
    EXPECT_TRUE(settings.menuBarHiddenAccountIDs().contains(a.id));
    box->click();
    EXPECT_FALSE(settings.menuBarHiddenAccountIDs().contains(a.id));
}

// Long names end in an ellipsis instead of widening the window, and the short list of
// accounts leaves the wheel to the page.
TEST_F(GeneralTabTest, LongNamesAreElidedAndTheWheelScrollsThePage)
{
    QList<Account> accounts;
    for (int i = 0; i < 12; ++i)
        accounts.append(testAccount(QString(80, u'W') + QString::number(i), u"someone@example.com"_s));
    store.addAccounts(accounts);
    settings.setShowCodeInMenuBar(true);
    open();
    tab->resize(660, 420);
    QCoreApplication::processEvents();
    const auto boxes = child(u"shownAccounts"_s)->findChildren<QCheckBox*>();
    ASSERT_EQ(boxes.size(), 12);
    // Names are shown isolated (keyring text may hold direction marks), then cut short.
    EXPECT_TRUE(boxes.first()->text().contains(u'\u2026'));
    EXPECT_EQ(boxes.first()->toolTip(), displayLabel(accounts.first()));
    EXPECT_TRUE(pickerEntries().at(1).contains(u'\u2026'));
    EXPECT_LE(child<QComboBox>(u"trayAccountPicker"_s)->width(), 260);

    auto* list = child(u"shownAccounts"_s)->findChild<QScrollArea*>();
    auto* page = tab->findChild<QScrollArea*>();
    ASSERT_NE(list, page);
    const int before = page->verticalScrollBar()->value();
    QWheelEvent wheel(QPointF(10, 10), list->viewport()->mapToGlobal(QPointF(10, 10)), {}, {0, -120},
                      Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(list->viewport(), &wheel);
    EXPECT_GT(page->verticalScrollBar()->value(), before);
    EXPECT_EQ(list->verticalScrollBar()->value(), 0);
}

TEST_F(GeneralTabTest, AFailureSnapsTheSwitchBackAndOnlyRealChangesTouchTheLoginItem)
{
    loginItem.setFailure(u"Could not write /x: Permission denied"_s);
    open();
    launchSwitch()->click();
    EXPECT_FALSE(launchSwitch()->isChecked());
    ASSERT_TRUE(shown(u"launchStatus"_s));
    const QList<QLabel*> labels = child(u"launchStatus"_s)->findChildren<QLabel*>();
    EXPECT_TRUE(std::any_of(labels.cbegin(), labels.cend(), [](const QLabel* l) {
        return l->text() == u"Could not write /x: Permission denied"_s;
    }));
    // The next successful change clears the message.
    loginItem.setFailure(std::nullopt);
    launchSwitch()->click();
    EXPECT_TRUE(launchSwitch()->isChecked());
    EXPECT_FALSE(shown(u"launchStatus"_s));
    EXPECT_EQ(loginItem.registers(), 2);

    tab->setLaunchAtLogin(true);
    EXPECT_EQ(loginItem.registers(), 2);
    launchSwitch()->click();
    EXPECT_EQ(loginItem.unregisters(), 1);
    EXPECT_FALSE(launchSwitch()->isChecked());
    loginItem.setStatus(LoginItem::Status::requiresApproval);
    tab->setLaunchAtLogin(false);
    EXPECT_EQ(loginItem.unregisters(), 1);
}

TEST_F(GeneralTabTest, StatusIsPolledOnlyWhileTheTabIsShown)
{
    FakeKeystrokeSender keystrokes;
    SettingsWindow window(store, settings, loginItem, keystrokes, QString());
    window.present();
    GeneralTab* general = window.generalTab();
    EXPECT_TRUE(general->isRefreshing());
    // Enabled from elsewhere (another tool wrote the entry): seen within one poll.
    loginItem.setStatus(LoginItem::Status::enabled);
    auto* launch = general->findChild<QCheckBox*>(u"launchAtLogin"_s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return launch->isChecked(); }, 3000));
    ASSERT_EQ(window.tabs()->count(), 2);
    EXPECT_EQ(window.tabs()->tabText(1), u"Hotkeys"_s);
    window.tabs()->setCurrentIndex(1);
    EXPECT_FALSE(general->isRefreshing());
}

TEST_F(GeneralTabTest, KeyringManagerButtonOnlyWhenOneIsInstalled)
{
    open();
    EXPECT_EQ(child(u"openKeyringManager"_s), nullptr);
    open(u"/nonexistent/seahorse"_s);
    ASSERT_TRUE(shown(u"openKeyringManager"_s));
    // A manager that cannot start says so instead of failing silently.
    child<QPushButton>(u"openKeyringManager"_s)->click();
    EXPECT_TRUE(shown(u"keyringLaunchError"_s));
    EXPECT_EQ(child<QLabel>(u"keyringLaunchError"_s)->text(), u"Could not start seahorse."_s);
}
