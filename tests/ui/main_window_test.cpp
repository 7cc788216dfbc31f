// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/parse_url.h"
#include "platform/zxing/zxing_qr_encoder.h"
#include "qr_scan.h"
#include "storage/account_store.h"
#include "storage/keychain_store.h"
#include "support/event_loop_watch.h"
#include "support/fake_clipboard.h"
#include "support/fake_secure_item_store.h"
#include "support/qr_import_fakes.h"
#include "ui/add_account/add_account_dialog.h"
#include "ui/main_window/account_list_model.h"
#include "ui/main_window/account_list_view.h"
#include "ui/main_window/account_qr_dialog.h"
#include "ui/main_window/account_row_delegate.h"
#include "ui/main_window/edit_account_dialog.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/undo_delete_bar.h"
#include "ui/widgets/ticking_clock.h"
#include "ui_test_support.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVariantAnimation>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

using Element = AccountRowLayout::Element;

class MainWindowTest : public ::testing::Test
{
protected:
    MainWindowTest() : m_clock(nullptr, [this] { return m_time; }) {}

    void open(const QList<Account>& accounts)
    {
        m_store = std::make_unique<AccountStore>(m_items, m_calls);
        if (!accounts.isEmpty())
            m_store->addAccounts(accounts);
        m_window = std::make_unique<MainWindow>(
            *m_store, m_clock, m_clipboard,
            [this](QWidget* parent, std::function<void(const QList<Account>&)> onAdd) -> QDialog* {
                ++m_sheetsOpened;
                if (m_realSheet)
                    return new AddAccountDialog(m_qr.importer, std::move(onAdd), parent);
                m_onAdd = std::move(onAdd);
                return new QDialog(parent);
            },
            nullptr,
            [this](std::chrono::milliseconds delay, std::function<void()> work) {
                EXPECT_TRUE(delay == MainWindow::copiedIndicatorDelay || delay == UndoDeleteBar::undoTime);
                m_scheduled.append(std::move(work));
            });
        m_window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    }

    AccountListView& list() { return *m_window->listView(); }
    void click(int row, Element element)
    {
        const QRect rect = list().elementRect(row, element);
        ASSERT_FALSE(rect.isEmpty());
        QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, rect.center());
    }
    QString toolTip(int row, Element element)
    {
        QStyleOptionViewItem option;
        option.font = list().font();
        option.rect = list().visualRect(m_window->listModel()->index(row));
        return m_window->rowDelegate()->toolTipAt(option, m_window->listModel()->index(row),
                                                  list().elementRect(row, element).center());
    }
    QStringList storeNames() const { return accountNames(m_store->accounts()); }
    int orderWrites() const
    {
        return int(std::count_if(m_items.calls().cbegin(), m_items.calls().cend(), [](const auto& call) {
            return call.account == u"order.v1"_s &&
                   (call.operation == FakeSecureItemStore::Operation::update ||
                    call.operation == FakeSecureItemStore::Operation::add);
        }));
    }

    Instant m_time = instantFromSeconds(59);
    FakeSecureItemStore m_items;
    AccountStore::Calls m_calls = AccountStore::Calls::here;
    QRImportFakes m_qr;
    bool m_realSheet = false;
    FakeClipboard m_clipboard;
    TickingClock m_clock;
    std::unique_ptr<AccountStore> m_store;
    std::unique_ptr<MainWindow> m_window;
    QList<std::function<void()>> m_scheduled;
    int m_sheetsOpened = 0;
    std::function<void(const QList<Account>&)> m_onAdd;
};

TEST_F(MainWindowTest, TheEmptyStateStaysWhileSearchingAndOpensOneAddSheetThatFeedsTheStore)
{
    open({});
    m_window->searchField()->setText(u"bank"_s);
    EXPECT_TRUE(m_window->emptyState()->isVisible());
    EXPECT_FALSE(list().isVisible());

    auto* add = m_window->emptyState()->findChild<QPushButton*>(u"emptyStateAddButton"_s);
    ASSERT_NE(add, nullptr);
    QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_TRUE(m_window->showingAddSheet());
    QTest::keyClick(m_window.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(m_sheetsOpened, 1);

    m_onAdd({testAccount(u"GitHub"_s, u"alice"_s)});
    EXPECT_EQ(storeNames(), words("alice"));
    // Accounts but no match: an empty list, not the empty state.
    EXPECT_FALSE(m_window->emptyState()->isVisible());
    EXPECT_TRUE(list().isVisible());
    EXPECT_EQ(m_window->listModel()->rowCount(), 0);

    auto* sheet = m_window->findChild<QDialog*>();
    ASSERT_NE(sheet, nullptr);
    sheet->reject();
    EXPECT_FALSE(m_window->showingAddSheet());
    QTest::keyClick(m_window.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(m_sheetsOpened, 2);
}

TEST_F(MainWindowTest, SearchNarrowsTheListAndBlocksReorderingWhichThenSavesTheOrder)
{
    open({testAccount(u"Example Bank"_s, u"alice"_s), testAccount(u"Shop"_s, u"carol"_s),
          testAccount(u"Mail"_s, u"bankroll"_s)});
    AccountListModel& model = *m_window->listModel();
    m_window->searchField()->setText(u"BANK"_s);
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.accountAt(1).name, u"bankroll"_s);
    EXPECT_FALSE(model.flags(model.index(0)) & Qt::ItemIsDragEnabled);

    const int writesBefore = orderWrites();
    Q_EMIT list().moveRequested({1}, 0);
    EXPECT_EQ(storeNames(), words("alice carol bankroll"));
    EXPECT_EQ(orderWrites(), writesBefore);

    Q_EMIT list().deleteRequested(1); // the second row shown is the store's third account
    EXPECT_EQ(storeNames(), words("alice carol"));

    m_window->searchField()->clear();
    EXPECT_TRUE(model.flags(model.index(0)) & Qt::ItemIsDragEnabled);
    const int writesBeforeMove = orderWrites();
    Q_EMIT list().moveRequested({1}, 0);
    EXPECT_EQ(storeNames(), words("carol alice"));
    EXPECT_EQ(orderWrites(), writesBeforeMove + 1);
    EXPECT_EQ(list().currentIndex().row(), 0);
    EXPECT_EQ(accountNames(AccountStore(m_items).accounts()), words("carol alice"));
}

TEST_F(MainWindowTest, CopiesTheUngroupedCodeNeverAPlaceholderAndMarksOnlyTheLastCopy)
{
    open({testAccount(u"A"_s, u"a"_s), testAccount(u"B"_s, u"b"_s), testAccount(u"Broken"_s, u"x"_s, 12)});
    const QUuid a = m_store->accounts().at(0).id;
    const QUuid b = m_store->accounts().at(1).id;

    click(0, Element::code);
    EXPECT_EQ(m_clipboard.text(), u"287082"_s);
    EXPECT_EQ(m_window->copiedAccountID(), a);
    EXPECT_EQ(toolTip(0, Element::copy), u"Copied!"_s);
    click(1, Element::copy);
    EXPECT_EQ(m_window->copiedAccountID(), b);
    EXPECT_EQ(toolTip(0, Element::copy), u"Copy code"_s);

    m_scheduled[0](); // A's clearing must leave B's mark alone
    EXPECT_EQ(m_window->copiedAccountID(), b);
    // B copied again: its first clearing still ends the mark.
    click(1, Element::copy);
    ASSERT_EQ(m_scheduled.size(), 3);
    m_scheduled[1]();
    EXPECT_FALSE(m_window->copiedAccountID().has_value());

    click(2, Element::code);
    click(2, Element::copy);
    EXPECT_EQ(m_clipboard.writes(), 3);
    EXPECT_FALSE(m_window->copiedAccountID().has_value());
    EXPECT_EQ(m_scheduled.size(), 3);
}

TEST_F(MainWindowTest, OnlyCounterRowsAdvanceAndCopyingNeverDoes)
{
    open({testAccount(u"Mail"_s, u"me"_s), testAccount(u"Vpn"_s, u"me"_s, 6, OTPType::hotp)});
    EXPECT_EQ(toolTip(0, Element::handle), u"Drag to reorder"_s);
    EXPECT_EQ(toolTip(0, Element::code), u"Click to copy"_s);
    EXPECT_TRUE(toolTip(0, Element::advance).isEmpty()); // the ring
    EXPECT_EQ(toolTip(1, Element::advance), u"Generate next HOTP code"_s);

    click(0, Element::advance);
    EXPECT_EQ(m_store->accounts().at(0).counter, 0u);
    click(1, Element::code);
    EXPECT_EQ(m_clipboard.text(), u"755224"_s);
    EXPECT_EQ(m_store->accounts().at(1).counter, 0u);
    click(1, Element::advance);
    EXPECT_EQ(m_store->accounts().at(1).counter, 1u);
    click(1, Element::code);
    EXPECT_EQ(m_clipboard.text(), u"287082"_s);
}

TEST_F(MainWindowTest, DeleteKeyRemovesAtOnceAndUndoWritesItBackInItsPlaceUntilTheNoticeExpires)
{
    open({testAccount({}, u"A"_s), testAccount(u"Bank"_s, u"alice"_s), testAccount({}, u"B"_s),
          testAccount({}, u"C"_s)});
    list().setFocus();
    list().setCurrentIndex(m_window->listModel()->index(0));
    QTest::keyClick(&list(), Qt::Key_Delete);
    EXPECT_EQ(storeNames(), words("alice B C"));
    const QList<Account> before = m_store->accounts();
    QTest::keyClick(&list(), Qt::Key_Delete); // the selection moved on to the next row
    EXPECT_EQ(KeychainStore(m_items).loadAccounts().value().accounts,
              before.mid(1)); // gone from the keyring at once
    EXPECT_TRUE(m_window->undoBar()->isVisible());
    EXPECT_EQ(m_window->undoBar()->message()->text(), u"Deleted Bank: alice"_s);
    QTest::mouseClick(m_window->undoBar()->undoButton(), Qt::LeftButton);
    EXPECT_EQ(KeychainStore(m_items).loadAccounts().value().accounts, before); // same id, same place
    EXPECT_FALSE(m_window->undoBar()->isVisible());

    QTest::keyClick(&list(), Qt::Key_Delete);
    for (const auto& work : m_scheduled)
        work(); // ten seconds later
    EXPECT_FALSE(m_window->undoBar()->isVisible());
    m_window->undoDelete();
    EXPECT_EQ(storeNames(), words("B C"));
}

TEST_F(MainWindowTest, EditChangesOnlyTheIssuerAndNameInTheStore)
{
    open({testAccount(u"Bank"_s, u"alice"_s), testAccount({}, u"B"_s)});
    m_window->editRow(0);
    auto* dialog = m_window->findChild<EditAccountDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->issuerField()->text(), u"Bank"_s);
    dialog->issuerField()->setText(u" Big Bank "_s);
    dialog->nameField()->setText(u"alice@example.com"_s);
    dialog->accept();
    Account expected = m_store->accounts().at(0);
    EXPECT_EQ(expected.issuer, u"Big Bank"_s);
    EXPECT_EQ(KeychainStore(m_items).loadAccounts().value().accounts.at(0), expected);
    EXPECT_EQ(expected.secret, QByteArrayLiteral("12345678901234567890"));
}

TEST_F(MainWindowTest, ShowQRCodeDrawsALinkThatScansBackToTheAccount)
{
    Account account = testAccount(u"Bänk & Co"_s, u"alice@example.com"_s, 8, OTPType::hotp);
    account.counter = 42;
    open({account});
    const ZXingQREncoder encoder;
    m_window->setQREncoder(&encoder);
    m_window->showQRCode(0);
    auto* dialog = m_window->findChild<AccountQRDialog*>();
    ASSERT_NE(dialog, nullptr);
    const QStringList scanned = scannedCodes(*dialog->codeImage());
    ASSERT_EQ(scanned.size(), 1);
    Account back = OTPAuth::parseURL(scanned.front()).value();
    back.id = account.id;
    back.createdAt = account.createdAt;
    EXPECT_EQ(back, account);
}

TEST_F(MainWindowTest, TheErrorFooterShowsTheStoresLastError)
{
    open({testAccount({}, u"A"_s)});
    EXPECT_FALSE(m_window->errorFooter()->isVisible());

    m_items.failEverything(SecureItemStatusCode::notAvailable);
    m_store->addAccounts({testAccount({}, u"B"_s)});
    EXPECT_TRUE(m_window->errorFooter()->isVisible());
    EXPECT_TRUE(m_window->errorFooter()->text().contains(u"-25291"_s));

    // The README's meaning on hover, and its advice one click away.
    EXPECT_EQ(m_window->errorFooter()->toolTip(),
              u"No Secret Service provider answers, or there is no session bus at all."_s);
    ASSERT_TRUE(m_window->errorHelpLink()->isVisible());
    Q_EMIT m_window->errorHelpLink()->linkActivated(u"#help"_s);
    auto* help = m_window->findChild<QMessageBox*>(u"errorHelp"_s);
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->informativeText().contains(u"gnome-keyring"_s));
    help->close();

    m_items.clearFailures();
    m_store->saveOrder();
    EXPECT_FALSE(m_window->errorFooter()->isVisible());
    EXPECT_FALSE(m_window->errorHelpLink()->isVisible());
}

// Settings and Quit must be reachable where no tray icon exists.
TEST_F(MainWindowTest, TheMenuBesideAddOffersExportSettingsAboutAndQuit)
{
    open({testAccount({}, u"A"_s)});
    QSignalSpy settings(m_window.get(), &MainWindow::settingsRequested);
    QToolButton* button = m_window->menuButton();
    ASSERT_TRUE(button->isVisible());
    EXPECT_EQ(button->parentWidget(), m_window->addButton()->parentWidget());
    QStringList entries;
    for (QAction* action : button->menu()->actions())
        if (!action->isSeparator())
            entries.append(action->text() + u' ' + action->shortcut().toString());
    EXPECT_EQ(entries, (QStringList{u"Export\u2026 "_s, u"Settings\u2026 Ctrl+,"_s, u"About Brisvane "_s,
                                    u"Quit Ctrl+Q"_s}));

    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    QTest::keyClick(m_window.get(), Qt::Key_Comma, Qt::ControlModifier);
    EXPECT_EQ(settings.count(), 1); // Ctrl+Q: the shell's quit test
}

// Once the list scrolls, rows must not slide under the scrollbar: every row fits the
// viewport and long names give way, down to the smallest window.
TEST_F(MainWindowTest, RowsFitTheViewportAtTheMinimumSizeWithAScrollingList)
{
    QList<Account> accounts;
    for (int i = 0; i < 30; ++i)
        accounts.append(testAccount(u"An issuer with a very long name indeed, number %1"_s.arg(i),
                                    u"someone.with.a.long.address@example.com"_s));
    open(accounts);
    for (const QSize size : {QSize(520, 420), QSize(700, 500), QSize(520, 420)}) {
        SCOPED_TRACE(size.width());
        m_window->resize(size);
        QTest::qWait(50);
        EXPECT_EQ(m_window->size(), size);
        EXPECT_TRUE(list().verticalScrollBar()->isVisible());
        EXPECT_FALSE(list().horizontalScrollBar()->isVisible());
        const int viewportWidth = list().viewport()->width();
        for (int row : {0, 29}) {
            EXPECT_EQ(list().visualRect(m_window->listModel()->index(row)).width(), viewportWidth);
            const QRect copy = list().elementRect(row, Element::copy);
            EXPECT_LE(copy.right(), viewportWidth) << row;
            EXPECT_GT(list().elementRect(row, Element::code).left(), 0) << row;
        }
    }
}

// Each change of a ring moves over half a second, repainting only the rings' column.
TEST_F(MainWindowTest, ATickMovesTheCodesAndTheRingToTheNewInstant)
{
    open({testAccount(u"A"_s, u"a"_s)});
    m_time = instantFromSeconds(1111111109); // RFC 6238: 07081804
    QSignalSpy ticks(&m_clock, &TickingClock::nowChanged);
    ASSERT_TRUE(ticks.wait(2500));
    auto* animation = m_window->findChild<QVariantAnimation*>();
    ASSERT_NE(animation, nullptr);
    EXPECT_EQ(animation->state(), QAbstractAnimation::Running);
    EXPECT_EQ(animation->duration(), 500);
    EXPECT_TRUE(
        QTest::qWaitFor([animation] { return animation->state() == QAbstractAnimation::Stopped; }, 3000));
    click(0, Element::code);
    EXPECT_EQ(m_clipboard.text(), u"081804"_s);
}

TEST_F(MainWindowTest, AStalledKeyringIsNamedInTheFooterAndALargeAddIsCountedInTheDialogUntilStored)
{
    m_calls = AccountStore::Calls::onWorkerThread;
    m_realSheet = true;
    open({});
    ASSERT_TRUE(m_store->waitForAnswers(5s));
    QStringList links;
    for (int i = 0; i < 30; ++i)
        links.append(u"otpauth://totp/Bank:user%1?secret=JBSWY3DPEHPK3PXP"_s.arg(i));
    m_items.closeGate();
    m_window->showAddSheetWithLink(links.join(u'\n'));
    QPointer<AddAccountDialog> sheet = m_window->findChild<AddAccountDialog*>();
    ASSERT_TRUE(sheet);
    QTest::mouseClick(sheet->findChild<QPushButton*>(u"primaryButton"_s), Qt::LeftButton);
    EXPECT_EQ(m_store->accounts().size(), 30) << "listed at once";
    EXPECT_EQ(sheet->findChild<QLabel*>(u"statusLine"_s)->text(), u"Adding 0 of 30…"_s);
    EXPECT_LT(longestEventLoopGap(AccountStore::answerTime + 300ms), answeringGapMs) << "milliseconds";
    EXPECT_EQ(m_window->errorFooter()->text(), u"Keyring not responding"_s);

    m_items.openGate();
    EXPECT_TRUE(m_store->waitForAnswers(5s));
    QTest::qWait(50);
    EXPECT_FALSE(sheet) << "closed once everything is stored";
    EXPECT_FALSE(m_window->errorFooter()->isVisible());
    EXPECT_EQ(accountNames(KeychainStore(m_items).loadAccounts().value().accounts), storeNames());
}

} // namespace
