#include "storage/account_store.h"
#include "support/fake_clipboard.h"
#include "support/fake_secure_item_store.h"
#include "ui/account_list_model.h"
#include "ui/account_list_view.h"
#include "ui/account_row_delegate.h"
#include "ui/main_window.h"
#include "ui/ticking_clock.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

using Element = AccountRowLayout::Element;

// RFC 6238's SHA-1 key; at t = 59 s its 6-digit code is 287082.
const QByteArray rfcSecret = QByteArrayLiteral("12345678901234567890");

Account makeAccount(const QString& issuer, const QString& name, OTPType type = OTPType::totp)
{
    Account a;
    a.id = QUuid::createUuid();
    a.issuer = issuer;
    a.name = name;
    a.secret = rfcSecret;
    a.type = type;
    return a;
}

int orderWrites(const FakeSecureItemStore& items)
{
    int writes = 0;
    for (const auto& call : items.calls()) {
        if (call.account == QStringLiteral("order.v1") &&
            (call.operation == FakeSecureItemStore::Operation::update ||
             call.operation == FakeSecureItemStore::Operation::add))
            ++writes;
    }
    return writes;
}

class MainWindowTest : public ::testing::Test
{
protected:
    MainWindowTest() : m_clock(nullptr, [this] { return m_time; }) {}

    void open(const QList<Account>& accounts)
    {
        m_store = std::make_unique<AccountStore>(m_items);
        if (!accounts.isEmpty())
            m_store->addAccounts(accounts);
        m_window = std::make_unique<MainWindow>(
            *m_store, m_clock, m_clipboard,
            [this](QWidget* parent, std::function<void(const QList<Account>&)> onAdd) -> QDialog* {
                ++m_sheetsOpened;
                m_onAdd = std::move(onAdd);
                return new QDialog(parent);
            },
            nullptr,
            [this](std::chrono::milliseconds delay, std::function<void()> work) {
                EXPECT_EQ(delay, MainWindow::copiedIndicatorDelay);
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
    QStringList storeNames() const
    {
        QStringList names;
        for (const Account& a : m_store->accounts())
            names.append(a.name);
        return names;
    }

    Instant m_time = instantFromSeconds(59);
    FakeSecureItemStore m_items;
    FakeClipboard m_clipboard;
    TickingClock m_clock;
    std::unique_ptr<AccountStore> m_store;
    std::unique_ptr<MainWindow> m_window;
    QList<std::function<void()>> m_scheduled;
    int m_sheetsOpened = 0;
    std::function<void(const QList<Account>&)> m_onAdd;
};

TEST_F(MainWindowTest, IsTheBrisvaneWindowAtLeast520By420)
{
    open({});
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("Brisvane"));
    EXPECT_GE(m_window->minimumWidth(), 520);
    EXPECT_GE(m_window->minimumHeight(), 420);
}

TEST_F(MainWindowTest, EmptyStoreShowsTheEmptyStateEvenWhileSearching)
{
    open({});
    EXPECT_TRUE(m_window->emptyState()->isVisible());
    m_window->searchField()->setText(QStringLiteral("bank"));
    EXPECT_TRUE(m_window->emptyState()->isVisible());
    EXPECT_FALSE(list().isVisible());

    m_store->addAccounts({makeAccount(QStringLiteral("Mail"), QStringLiteral("bob"))});
    EXPECT_FALSE(m_window->emptyState()->isVisible());
    EXPECT_TRUE(list().isVisible());
    // Accounts but no match: an empty list, not the empty state.
    EXPECT_EQ(m_window->listModel()->rowCount(), 0);
}

TEST_F(MainWindowTest, EmptyStateButtonAndCtrlNOpenOneAddSheetThatFeedsTheStore)
{
    open({});
    auto* add = m_window->emptyState()->findChild<QPushButton*>(QStringLiteral("emptyStateAddButton"));
    ASSERT_NE(add, nullptr);
    QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_TRUE(m_window->showingAddSheet());
    QTest::keyClick(m_window.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(m_sheetsOpened, 1);

    m_onAdd({makeAccount(QStringLiteral("GitHub"), QStringLiteral("alice"))});
    EXPECT_EQ(storeNames(), QStringList{QStringLiteral("alice")});
    auto* sheet = m_window->findChild<QDialog*>();
    ASSERT_NE(sheet, nullptr);
    sheet->reject();
    EXPECT_FALSE(m_window->showingAddSheet());
    QTest::keyClick(m_window.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(m_sheetsOpened, 2);
}

TEST_F(MainWindowTest, SearchNarrowsTheListByNameOrIssuerAndStopsReordering)
{
    open({makeAccount(QStringLiteral("Example Bank"), QStringLiteral("alice")),
          makeAccount(QStringLiteral("Mail"), QStringLiteral("bankroll")),
          makeAccount(QStringLiteral("Shop"), QStringLiteral("carol"))});
    AccountListModel& model = *m_window->listModel();
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_TRUE(model.flags(model.index(0)) & Qt::ItemIsDragEnabled);

    m_window->searchField()->setText(QStringLiteral("BANK"));
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.accountAt(0).name, QStringLiteral("alice"));
    EXPECT_EQ(model.accountAt(1).name, QStringLiteral("bankroll"));
    EXPECT_FALSE(model.flags(model.index(0)) & Qt::ItemIsDragEnabled);

    // A drop while searching changes nothing and writes nothing.
    const int writesBefore = orderWrites(m_items);
    Q_EMIT list().moveRequested({1}, 0);
    EXPECT_EQ(storeNames(), (QStringList{QStringLiteral("alice"), QStringLiteral("bankroll"), QStringLiteral("carol")}));
    EXPECT_EQ(orderWrites(m_items), writesBefore);

    m_window->searchField()->clear();
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_TRUE(model.flags(model.index(0)) & Qt::ItemIsDragEnabled);
}

TEST_F(MainWindowTest, ADragMoveReordersTheStoreAndSavesTheOrder)
{
    open({makeAccount({}, QStringLiteral("A")), makeAccount({}, QStringLiteral("B")),
          makeAccount({}, QStringLiteral("C"))});
    const int writesBefore = orderWrites(m_items);
    Q_EMIT list().moveRequested({2}, 0);
    EXPECT_EQ(storeNames(), (QStringList{QStringLiteral("C"), QStringLiteral("A"), QStringLiteral("B")}));
    EXPECT_EQ(orderWrites(m_items), writesBefore + 1);
    EXPECT_EQ(list().currentIndex().row(), 0);

    // Reloading from the secure store gives the new order back.
    AccountStore reloaded(m_items);
    QStringList names;
    for (const Account& a : reloaded.accounts())
        names.append(a.name);
    EXPECT_EQ(names, (QStringList{QStringLiteral("C"), QStringLiteral("A"), QStringLiteral("B")}));
}

TEST_F(MainWindowTest, ClickingTheCodeCopiesTheUngroupedCodeOfTheClocksInstant)
{
    open({makeAccount(QStringLiteral("Example"), QStringLiteral("alice"))});
    click(0, Element::code);
    EXPECT_EQ(m_clipboard.text(), QStringLiteral("287082"));
    EXPECT_EQ(m_window->copiedAccountID(), m_store->accounts().at(0).id);
}

TEST_F(MainWindowTest, CopyButtonMarksOnlyTheLastCopiedAccount)
{
    open({makeAccount(QStringLiteral("A"), QStringLiteral("a")), makeAccount(QStringLiteral("B"), QStringLiteral("b"))});
    const QUuid a = m_store->accounts().at(0).id;
    const QUuid b = m_store->accounts().at(1).id;
    QStyleOptionViewItem option;
    option.rect = list().visualRect(m_window->listModel()->index(0));

    click(0, Element::copy);
    EXPECT_EQ(m_window->copiedAccountID(), a);
    EXPECT_EQ(m_window->rowDelegate()->toolTipAt(option, m_window->listModel()->index(0),
                                                 list().elementRect(0, Element::copy).center()),
              QStringLiteral("Copied!"));
    click(1, Element::copy);
    EXPECT_EQ(m_window->copiedAccountID(), b);
    ASSERT_EQ(m_scheduled.size(), 2);

    m_scheduled[0](); // A's clearing comes first and must leave B's mark alone
    EXPECT_EQ(m_window->copiedAccountID(), b);
    m_scheduled[1]();
    EXPECT_FALSE(m_window->copiedAccountID().has_value());
    EXPECT_EQ(m_clipboard.writes(), 2);
}

TEST_F(MainWindowTest, CopyingTheSameAccountTwiceClearsAfterTheFirstDelay)
{
    open({makeAccount(QStringLiteral("A"), QStringLiteral("a"))});
    click(0, Element::copy);
    click(0, Element::copy);
    ASSERT_EQ(m_scheduled.size(), 2);
    m_scheduled[0]();
    EXPECT_FALSE(m_window->copiedAccountID().has_value());
}

TEST_F(MainWindowTest, AnAccountWithoutAUsableCodeIsNeverCopied)
{
    Account broken = makeAccount(QStringLiteral("Broken"), QStringLiteral("x"));
    broken.digits = 12;
    open({broken});
    m_clipboard.setSecretText(QStringLiteral("keep me"));
    click(0, Element::code);
    click(0, Element::copy);
    EXPECT_EQ(m_clipboard.text(), QStringLiteral("keep me"));
    EXPECT_FALSE(m_window->copiedAccountID().has_value());
    EXPECT_TRUE(m_scheduled.isEmpty());
}

TEST_F(MainWindowTest, CopyingNeverAdvancesAHotpCounterButTheAdvanceButtonDoes)
{
    open({makeAccount(QStringLiteral("Vpn"), QStringLiteral("me"), OTPType::hotp)});
    click(0, Element::code);
    EXPECT_EQ(m_clipboard.text(), QStringLiteral("755224")); // RFC 4226, counter 0
    EXPECT_EQ(m_store->accounts().at(0).counter, 0u);

    click(0, Element::advance);
    EXPECT_EQ(m_store->accounts().at(0).counter, 1u);
    click(0, Element::code);
    EXPECT_EQ(m_clipboard.text(), QStringLiteral("287082")); // RFC 4226, counter 1
}

TEST_F(MainWindowTest, TimeBasedRowsHaveNoAdvanceButton)
{
    open({makeAccount(QStringLiteral("Mail"), QStringLiteral("me"))});
    click(0, Element::advance); // lands on the ring
    EXPECT_EQ(m_store->accounts().at(0).counter, 0u);
    EXPECT_TRUE(m_clipboard.text().isEmpty());
}

TEST_F(MainWindowTest, TooltipsNameWhatEachPartDoes)
{
    open({makeAccount(QStringLiteral("A"), QStringLiteral("a")), makeAccount(QStringLiteral("H"), QStringLiteral("h"), OTPType::hotp)});
    auto tip = [&](int row, Element element) {
        QStyleOptionViewItem option;
        option.font = list().font();
        option.rect = list().visualRect(m_window->listModel()->index(row));
        return m_window->rowDelegate()->toolTipAt(option, m_window->listModel()->index(row),
                                                  list().elementRect(row, element).center());
    };
    EXPECT_EQ(tip(0, Element::handle), QStringLiteral("Drag to reorder"));
    EXPECT_EQ(tip(0, Element::code), QStringLiteral("Click to copy"));
    EXPECT_EQ(tip(0, Element::copy), QStringLiteral("Copy code"));
    EXPECT_EQ(tip(1, Element::advance), QStringLiteral("Generate next HOTP code"));
    EXPECT_TRUE(tip(0, Element::advance).isEmpty()); // the ring has no tooltip
}

TEST_F(MainWindowTest, DeleteKeyRemovesTheSelectedRowAtOnce)
{
    open({makeAccount({}, QStringLiteral("A")), makeAccount({}, QStringLiteral("B")),
          makeAccount({}, QStringLiteral("C"))});
    list().setFocus();
    list().setCurrentIndex(m_window->listModel()->index(1));
    QTest::keyClick(&list(), Qt::Key_Delete);
    EXPECT_EQ(storeNames(), (QStringList{QStringLiteral("A"), QStringLiteral("C")}));
    // The selection moves on, so Delete can be pressed again.
    QTest::keyClick(&list(), Qt::Key_Delete);
    EXPECT_EQ(storeNames(), QStringList{QStringLiteral("A")});
}

TEST_F(MainWindowTest, DeleteFromTheMenuRemovesTheRowOfTheSearchResult)
{
    open({makeAccount(QStringLiteral("Bank"), QStringLiteral("A")), makeAccount(QStringLiteral("Mail"), QStringLiteral("B")),
          makeAccount(QStringLiteral("Bank"), QStringLiteral("C"))});
    m_window->searchField()->setText(QStringLiteral("bank"));
    Q_EMIT list().deleteRequested(1); // row 1 of the result is "C"
    EXPECT_EQ(storeNames(), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
}

TEST_F(MainWindowTest, TheErrorFooterShowsTheStoresLastError)
{
    open({makeAccount({}, QStringLiteral("A"))});
    EXPECT_FALSE(m_window->errorFooter()->isVisible());

    m_items.failEverything(SecureItemStatusCode::notAvailable);
    m_store->addAccounts({makeAccount({}, QStringLiteral("B"))});
    ASSERT_TRUE(m_store->lastError().has_value());
    EXPECT_TRUE(m_window->errorFooter()->isVisible());
    EXPECT_EQ(m_window->errorFooter()->text(), *m_store->lastError());
    EXPECT_TRUE(m_window->errorFooter()->text().contains(QStringLiteral("-25291")));

    m_items.clearFailures();
    m_store->saveOrder();
    EXPECT_FALSE(m_store->lastError().has_value());
    EXPECT_FALSE(m_window->errorFooter()->isVisible());
}

TEST_F(MainWindowTest, ATickRedrawsTheCodesForTheNewInstant)
{
    open({makeAccount(QStringLiteral("A"), QStringLiteral("a"))});
    m_time = instantFromSeconds(1111111109); // RFC 6238: 07081804 -> 081804
    QSignalSpy ticks(&m_clock, &TickingClock::nowChanged);
    ASSERT_TRUE(ticks.wait(2500));
    click(0, Element::code);
    EXPECT_EQ(m_clipboard.text(), QStringLiteral("081804"));
}

} // namespace
