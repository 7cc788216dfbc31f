// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fake_clipboard.h"
#include "support/store_and_settings.h"
#include "ui/tray/tray_icon.h"
#include "ui/tray/tray_row.h"
#include "ui/tray/tray_row_copy_button.h"
#include "ui/tray/tray_window.h"
#include "ui/widgets/ticking_clock.h"
#include "ui_test_support.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class TrayWindowTest : public ::testing::Test, protected StoreAndSettings
{
protected:
    TickingClock clock{nullptr, [] { return instantFromSeconds(59); }};
    FakeClipboard clipboard;
    std::unique_ptr<TrayWindow> window;

    void open()
    {
        window = std::make_unique<TrayWindow>(store, clock, settings, clipboard);
        window->show();
        QCoreApplication::processEvents();
    }
    bool shown(const QString& name) const { return shownIn(window.get(), name); }
    QStringList rowCodes() const
    {
        QStringList codes;
        for (TrayRow* row : window->rows())
            codes.append(row->copyButton()->displayedCode());
        return codes;
    }
};

} // namespace

TEST_F(TrayWindowTest, EmptyOrAllHiddenShowsItsOwnHintAndTheListReturnsAtOnce)
{
    open();
    EXPECT_TRUE(shown(u"noAccounts"_s));
    EXPECT_FALSE(shown(u"nothingShown"_s));
    EXPECT_FALSE(shown(u"trayList"_s));
    EXPECT_FALSE(shown(u"showCodes"_s));

    const Account a = testAccount(u"Acme"_s, u"alice"_s);
    settings.setAccountShownInMenu(a.id, false);
    store.addAccounts({a});
    EXPECT_TRUE(shown(u"nothingShown"_s));
    EXPECT_TRUE(shown(u"showCodes"_s));
    EXPECT_FALSE(shown(u"trayList"_s));
    const QList<QLabel*> labels = window->findChild<QWidget*>(u"nothingShown"_s)->findChildren<QLabel*>();
    EXPECT_TRUE(std::any_of(labels.cbegin(), labels.cend(), [](const QLabel* l) {
        return l->text() == u"Choose which accounts appear in this menu\nin Settings → General → Tray."_s;
    }));
    settings.setAccountShownInMenu(a.id, true);
    EXPECT_TRUE(shown(u"trayList"_s));
    EXPECT_EQ(window->rows().size(), 1);

    store.deleteAccount(a.id);
    QSignalSpy opened(window.get(), &TrayWindow::openMainWindowRequested);
    window->findChild<QPushButton*>(u"addAccount"_s)->click();
    EXPECT_EQ(opened.size(), 1);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(TrayWindowTest, RowsShowGroupedCodesOrBulletsWithTheMatchingTooltip)
{
    store.addAccounts({testAccount(u"Acme"_s, u"alice"_s, 6), testAccount(QString(), u"bob"_s, 8)});
    open();
    EXPECT_EQ(rowCodes(), (QStringList{u"287 082"_s, u"9428 7082"_s}));
    EXPECT_EQ(window->rows()[0]->copyButton()->toolTip(), u"Click to copy"_s);

    window->findChild<QCheckBox*>(u"showCodes"_s)->click();
    EXPECT_FALSE(settings.revealCodesInMenu());
    EXPECT_EQ(rowCodes(), (QStringList{u"••• •••"_s, u"•••• ••••"_s}));
    EXPECT_EQ(window->rows()[1]->copyButton()->toolTip(), u"Click to copy (code hidden)"_s);

    // A hidden row still copies the real, ungrouped code.
    QTest::mouseClick(window->rows()[1]->copyButton(), Qt::LeftButton);
    EXPECT_EQ(clipboard.text(), u"94287082"_s);
}

TEST_F(TrayWindowTest, CopyMarksOnlyTheLastRowAndNeverCopiesAPlaceholderNorAdvancesACounter)
{
    const Account a = testAccount(u"Acme"_s, u"alice"_s);
    const Account b = testAccount(u"Beta"_s, u"bob"_s);
    const Account broken = testAccount(u"Broken"_s, u"zed"_s, 12);
    Account counter = testAccount(u"Counter"_s, u"carol"_s, 6, OTPType::hotp);
    counter.counter = 1;
    store.addAccounts({a, b, broken, counter});
    open();
    window->copyAccountCode(a.id);
    EXPECT_EQ(clipboard.text(), u"287082"_s);
    EXPECT_TRUE(window->rows()[0]->content().isCopied);
    window->copyAccountCode(b.id);
    EXPECT_FALSE(window->rows()[0]->content().isCopied);
    EXPECT_TRUE(window->rows()[1]->content().isCopied);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->copiedID().has_value(); }, 6000));
    EXPECT_FALSE(window->rows()[1]->content().isCopied);

    window->copyAccountCode(broken.id);
    EXPECT_EQ(clipboard.writes(), 2);
    EXPECT_FALSE(window->copiedID().has_value());
    window->copyAccountCode(counter.id);
    EXPECT_EQ(clipboard.text(), u"287082"_s);
    EXPECT_EQ(store.accounts()[3].counter, 1u);
}

TEST_F(TrayWindowTest, ChevronsFollowTheVisiblePositionsAndMoveInTheStore)
{
    const Account a = testAccount(u"A"_s, u"a"_s);
    const Account h = testAccount(u"H"_s, u"h"_s);
    const Account b = testAccount(u"B"_s, u"b"_s);
    store.addAccounts({a, h, b});
    settings.setAccountShownInMenu(h.id, false);
    open();
    ASSERT_EQ(window->rows().size(), 2);
    EXPECT_FALSE(window->rows()[0]->moveUpButton()->isEnabled());
    EXPECT_TRUE(window->rows()[0]->moveDownButton()->isEnabled());
    EXPECT_TRUE(window->rows()[1]->moveUpButton()->isEnabled());
    EXPECT_FALSE(window->rows()[1]->moveDownButton()->isEnabled());

    window->rows()[1]->moveUpButton()->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(accountNames(store.accounts()), words("b a h"));
    EXPECT_EQ(window->rows()[0]->content().account.name, u"b"_s);
}

// A short list is exactly as tall as its rows (see the test below); a long one is capped.
TEST_F(TrayWindowTest, ListGrowsWithTheAccountsUpToItsCap)
{
    const auto addAccounts = [&](int count) {
        QList<Account> accounts;
        for (int i = 0; i < count; ++i)
            accounts.append(testAccount(u"Issuer"_s, QUuid::createUuid().toString()));
        store.addAccounts(accounts);
        QCoreApplication::processEvents();
    };
    addAccounts(3);
    open();
    const int shortList = window->listArea()->height();
    addAccounts(17);
    EXPECT_GT(window->listArea()->height(), shortList);
    EXPECT_EQ(window->rows().size(), 20);
    EXPECT_EQ(window->listArea()->height(), 360);
    EXPECT_GT(window->listHeight().listHeight(), 360);
    EXPECT_EQ(window->width(), TrayWindow::windowWidth);
}

TEST_F(TrayWindowTest, FooterButtonsAskForTheirWindowsAndQuitCloses)
{
    store.addAccounts({testAccount(u"A"_s, u"a"_s)});
    open();
    QSignalSpy manage(window.get(), &TrayWindow::openMainWindowRequested);
    QSignalSpy settingsWanted(window.get(), &TrayWindow::settingsRequested);
    QSignalSpy quit(window.get(), &TrayWindow::quitRequested);
    for (const QString& name : {u"manage"_s, u"openMainWindow"_s, u"settings"_s, u"quit"_s})
        window->findChild<QToolButton*>(name)->click();
    EXPECT_EQ(manage.size(), 2);
    EXPECT_EQ(settingsWanted.size(), 1);
    EXPECT_EQ(quit.size(), 1);
    EXPECT_EQ(window->findChild<QToolButton*>(u"quit"_s)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_EQ(window->findChild<QToolButton*>(u"settings"_s)->shortcut(),
              QKeySequence(Qt::CTRL | Qt::Key_Comma));
}

TEST_F(TrayWindowTest, TrayIconShowsTheChosenOrFirstCodeUngrouped)
{
    const Account a = testAccount(u"A"_s, u"a"_s, 6);
    const Account b = testAccount(u"B"_s, u"b"_s, 8);
    TrayIcon tray(store, clock, settings, clipboard);
    EXPECT_FALSE(tray.shownCode().has_value());
    EXPECT_EQ(tray.systemTrayIcon().toolTip(), u"Brisvane"_s);

    store.addAccounts({a, b});
    EXPECT_EQ(tray.shownCode(), u"287082"_s);
    settings.setMenuBarAccountID(b.id);
    EXPECT_EQ(tray.systemTrayIcon().toolTip(), u"94287082"_s);
    store.deleteAccount(b.id);
    EXPECT_EQ(tray.shownCode(), u"287082"_s);
    settings.setShowCodeInMenuBar(false);
    EXPECT_FALSE(tray.shownCode().has_value());

    // The picture grows to the right when a code follows the key.
    const QSize alone = tray.systemTrayIcon().icon().availableSizes().value(0);
    settings.setShowCodeInMenuBar(true);
    const QSize withCode = tray.systemTrayIcon().icon().availableSizes().value(0);
    EXPECT_GT(withCode.width(), alone.width());
    EXPECT_EQ(withCode.height(), alone.height());
}

// Rows cost about a millisecond each: none exist before the window first opens, a closed
// window does no work, and it reopens with the changes made meanwhile, at their size.
TEST_F(TrayWindowTest, RowsAreBuiltWhenTheWindowOpensAndCatchUpWithChangesMadeWhileClosed)
{
    const Account a = testAccount(u"A"_s, u"a"_s);
    store.addAccounts({a, testAccount(u"B"_s, u"b"_s)});
    TrayIcon tray(store, clock, settings, clipboard);
    TrayWindow& trayWindow = tray.window();
    EXPECT_TRUE(trayWindow.rows().isEmpty());

    tray.toggleWindow();
    ASSERT_TRUE(trayWindow.isVisible());
    EXPECT_EQ(trayWindow.rows().size(), 2);
    const int twoRowsHigh = trayWindow.height();

    tray.toggleWindow();
    ASSERT_FALSE(trayWindow.isVisible());
    store.addAccounts({testAccount(u"C"_s, u"c"_s), testAccount(u"D"_s, u"d"_s)});
    settings.setAccountShownInMenu(a.id, false);
    EXPECT_EQ(trayWindow.rows().size(), 2);

    QTest::qWait(350); // a click right after closing is the closing click, not a new one
    tray.toggleWindow();
    ASSERT_TRUE(trayWindow.isVisible());
    QStringList names;
    QStringList codes;
    int rowsHigh = 0;
    for (const TrayRow* row : trayWindow.rows()) {
        names.append(row->content().account.name);
        codes.append(row->copyButton()->displayedCode());
        rowsHigh += row->sizeHint().height();
    }
    EXPECT_EQ(names, words("b c d"));
    EXPECT_EQ(codes, QStringList(3, u"287 082"_s));
    EXPECT_EQ(trayWindow.listArea()->height(), rowsHigh);
    EXPECT_GT(trayWindow.height(), twoRowsHigh);
    EXPECT_EQ(trayWindow.height(), trayWindow.sizeHint().height());
}
