#include "ui/general_tab.h"
#include "ui/settings_window.h"

#include "hotkeys/app_settings.h"
#include "platform/xdg/xdg_autostart_entry.h"
#include "storage/account_store.h"
#include "support/fake_keystroke_sender.h"
#include "support/fake_login_item.h"
#include "support/fake_secure_item_store.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

Account makeAccount(const QString& issuer, const QString& name)
{
    Account account;
    account.id = QUuid::createUuid();
    account.issuer = issuer;
    account.name = name;
    account.secret = QByteArray("12345678901234567890");
    return account;
}

class GeneralTabTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QSettings preferences{dir.filePath(u"brisvane.conf"_s), QSettings::IniFormat};
    FakeSecureItemStore items;
    AccountStore store{items};
    AppSettings settings{preferences};
    FakeLoginItem loginItem;
    std::unique_ptr<GeneralTab> tab;

    void open(const QString& keyringManager = {})
    {
        tab = std::make_unique<GeneralTab>(store, settings, loginItem, keyringManager);
        tab->show();
        QCoreApplication::processEvents();
    }
    template <typename T = QWidget>
    T* child(const QString& name) const
    {
        return tab->findChild<T*>(name);
    }
    bool shown(const QString& name) const { return child(name) != nullptr && child(name)->isVisibleTo(tab.get()); }
    QStringList pickerEntries() const
    {
        QStringList entries;
        auto* picker = child<QComboBox>(u"trayAccountPicker"_s);
        for (int i = 0; i < picker->count(); ++i)
            entries.append(picker->itemText(i));
        return entries;
    }
};

} // namespace

TEST_F(GeneralTabTest, NoAccountsHidesTheListAndOffersOnlyTheFirstAccount)
{
    open();
    EXPECT_FALSE(shown(u"shownAccounts"_s));
    EXPECT_TRUE(shown(u"trayAccountRow"_s));
    EXPECT_EQ(pickerEntries(), QStringList{u"First account"_s});
}

TEST_F(GeneralTabTest, TheAccountPickerShowsOnlyWhileTheCodeIsShown)
{
    open();
    child<QCheckBox>(u"showCodeInTray"_s)->click();
    EXPECT_FALSE(settings.showCodeInMenuBar());
    EXPECT_FALSE(shown(u"trayAccountRow"_s));
    settings.setShowCodeInMenuBar(true);
    EXPECT_TRUE(shown(u"trayAccountRow"_s));
    EXPECT_TRUE(child<QCheckBox>(u"showCodeInTray"_s)->isChecked());
}

TEST_F(GeneralTabTest, PickingAnAccountStoresItsIDAndFirstAccountClearsIt)
{
    const Account a = makeAccount(u"Acme"_s, u"alice"_s);
    const Account b = makeAccount(QString(), u"bob"_s);
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

TEST_F(GeneralTabTest, UncheckingAnAccountHidesItFromTheTrayWindowAndPersists)
{
    const Account a = makeAccount(u"Acme"_s, u"alice"_s);
    store.addAccounts({a});
    open();
    ASSERT_TRUE(shown(u"shownAccounts"_s));
    QList<QCheckBox*> boxes;
    for (QCheckBox* box : child(u"shownAccounts"_s)->findChildren<QCheckBox*>())
        if (box->text() == u"Acme: alice"_s)
            boxes.append(box);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0]->isChecked());
    boxes[0]->click();
    EXPECT_TRUE(settings.menuBarHiddenAccountIDs().contains(a.id));
    QSettings reread(dir.filePath(u"brisvane.conf"_s), QSettings::IniFormat);
    EXPECT_EQ(reread.value(u"menuBarHiddenAccountIDs.v1"_s).toStringList().size(), 1);
    boxes[0]->click();
    EXPECT_FALSE(settings.menuBarHiddenAccountIDs().contains(a.id));
}

TEST_F(GeneralTabTest, TurningLaunchOnWhenAlreadyEnabledCallsNothingAndClearsTheMessage)
{
    loginItem.setStatus(LoginItem::Status::enabled);
    open();
    EXPECT_TRUE(child<QCheckBox>(u"launchAtLogin"_s)->isChecked());
    tab->setLaunchAtLogin(true);
    EXPECT_EQ(loginItem.registers(), 0);
    EXPECT_FALSE(tab->statusMessage().has_value());
    EXPECT_FALSE(shown(u"launchStatus"_s));
}

TEST_F(GeneralTabTest, TurningLaunchOffWhenNotEnabledCallsNothing)
{
    loginItem.setStatus(LoginItem::Status::requiresApproval);
    open();
    tab->setLaunchAtLogin(false);
    EXPECT_EQ(loginItem.unregisters(), 0);
}

TEST_F(GeneralTabTest, TheSwitchRegistersAndUnregisters)
{
    open();
    auto* launch = child<QCheckBox>(u"launchAtLogin"_s);
    launch->click();
    EXPECT_EQ(loginItem.registers(), 1);
    EXPECT_TRUE(launch->isChecked());
    launch->click();
    EXPECT_EQ(loginItem.unregisters(), 1);
    EXPECT_FALSE(launch->isChecked());
}

TEST_F(GeneralTabTest, AFailureShowsItsMessageAndTheSwitchSnapsBack)
{
    loginItem.setFailure(u"Could not write /x: Permission denied"_s);
    open();
    auto* launch = child<QCheckBox>(u"launchAtLogin"_s);
    launch->click();
    EXPECT_FALSE(launch->isChecked());
    EXPECT_TRUE(shown(u"launchStatus"_s));
    const QList<QLabel*> labels = child(u"launchStatus"_s)->findChildren<QLabel*>();
    EXPECT_TRUE(std::any_of(labels.cbegin(), labels.cend(),
                            [](const QLabel* l) { return l->text() == u"Could not write /x: Permission denied"_s; }));
    // The next successful change clears it.
    loginItem.setFailure(std::nullopt);
    launch->click();
    EXPECT_TRUE(launch->isChecked());
    EXPECT_FALSE(shown(u"launchStatus"_s));
}

TEST_F(GeneralTabTest, StatusIsPolledOnlyWhileVisible)
{
    open();
    EXPECT_TRUE(tab->isRefreshing());
    // Enabled from elsewhere (another tool wrote the entry): seen within one poll.
    loginItem.setStatus(LoginItem::Status::enabled);
    EXPECT_TRUE(QTest::qWaitFor([&] { return child<QCheckBox>(u"launchAtLogin"_s)->isChecked(); }, 3000));
    tab->hide();
    EXPECT_FALSE(tab->isRefreshing());
}

TEST_F(GeneralTabTest, KeyringManagerButtonOnlyWhenOneIsInstalled)
{
    open();
    EXPECT_EQ(child(u"openKeyringManager"_s), nullptr);
    open(u"/nonexistent/seahorse"_s);
    ASSERT_NE(child(u"openKeyringManager"_s), nullptr);
    EXPECT_TRUE(shown(u"openKeyringManager"_s));
    // A manager that cannot start says so instead of failing silently.
    child<QPushButton>(u"openKeyringManager"_s)->click();
    EXPECT_TRUE(shown(u"keyringLaunchError"_s));
    EXPECT_EQ(child<QLabel>(u"keyringLaunchError"_s)->text(), u"Could not start seahorse."_s);
}

TEST_F(GeneralTabTest, RealAutostartEntryFollowsTheSwitch)
{
    QTemporaryDir config;
    XdgAutostartEntry entry(config.path(), u"/usr/bin/brisvane"_s, {u"--background"_s});
    GeneralTab real(store, settings, entry, QString());
    real.show();
    auto* launch = real.findChild<QCheckBox*>(u"launchAtLogin"_s);
    launch->click();
    EXPECT_TRUE(QFile::exists(entry.entryPath()));
    EXPECT_TRUE(launch->isChecked());
    launch->click();
    EXPECT_FALSE(QFile::exists(entry.entryPath()));
    EXPECT_FALSE(launch->isChecked());
}

TEST(SettingsWindowTest, FixedSizeWithGeneralAndHotkeysTabs)
{
    QTemporaryDir dir;
    QSettings preferences{dir.filePath(u"brisvane.conf"_s), QSettings::IniFormat};
    FakeSecureItemStore items;
    AccountStore store{items};
    AppSettings settings{preferences};
    FakeLoginItem loginItem;
    FakeKeystrokeSender keystrokes;
    SettingsWindow window(store, settings, loginItem, keystrokes, QString());
    window.present();
    EXPECT_EQ(window.size(), QSize(660, 460));
    ASSERT_EQ(window.tabs()->count(), 2);
    EXPECT_EQ(window.tabs()->tabText(0), u"General"_s);
    EXPECT_EQ(window.tabs()->tabText(1), u"Hotkeys"_s);
    EXPECT_TRUE(window.generalTab()->isRefreshing());
    window.tabs()->setCurrentIndex(1);
    EXPECT_FALSE(window.generalTab()->isRefreshing());
}
