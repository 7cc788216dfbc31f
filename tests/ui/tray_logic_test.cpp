#include "ui/general_tab_keyring_manager.h"
#include "ui/tray_accounts.h"
#include "ui/tray_list_height.h"
#include "ui/tray_window_placement.h"

#include "core/otp_code.h"
#include "storage/account_store.h"
#include "support/fake_secure_item_store.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

// RFC 6238 test secret; at t = 59 its 8-digit SHA-1 code is 94287082.
const QByteArray rfcSecret("12345678901234567890");

Account makeAccount(const QString& name, std::int64_t digits = 6)
{
    Account account;
    account.id = QUuid::createUuid();
    account.name = name;
    account.issuer = QStringLiteral("Example");
    account.secret = rfcSecret;
    account.digits = digits;
    return account;
}

QStringList namesOf(const QList<Account>& accounts)
{
    QStringList names;
    for (const Account& account : accounts)
        names.append(account.name);
    return names;
}

const Account& named(const QList<Account>& accounts, const QString& name)
{
    return *std::find_if(accounts.cbegin(), accounts.cend(), [&](const Account& a) { return a.name == name; });
}

} // namespace

TEST(TrayAccounts, VisibleAccountsKeepStoreOrderAndIgnoreUnknownHiddenIDs)
{
    const QList<Account> accounts{makeAccount(QStringLiteral("A")), makeAccount(QStringLiteral("h")),
                                  makeAccount(QStringLiteral("B"))};
    const QSet<QUuid> hidden{accounts[1].id, QUuid::createUuid()};
    EXPECT_EQ(namesOf(visibleAccounts(accounts, hidden)), (QStringList{u"A"_s, u"B"_s}));
    EXPECT_EQ(visibleAccounts(accounts, {}).size(), 3);
    EXPECT_TRUE(visibleAccounts({}, hidden).isEmpty());
}

TEST(TrayAccounts, TrayShowsChosenAccountElseFirstElseNothing)
{
    const QList<Account> accounts{makeAccount(QStringLiteral("first"), 8), makeAccount(QStringLiteral("second"), 8)};
    const Instant at = instantFromSeconds(59);
    EXPECT_EQ(trayAccount(accounts, accounts[1].id)->name, u"second"_s);
    EXPECT_EQ(trayAccount(accounts, std::nullopt)->name, u"first"_s);
    // A chosen account that was deleted falls back to the first one.
    EXPECT_EQ(trayAccount(accounts, QUuid::createUuid())->name, u"first"_s);
    EXPECT_FALSE(trayAccount({}, accounts[0].id).has_value());

    // The tray gets the code as generated, without the display space.
    EXPECT_EQ(trayCodeText(accounts, true, std::nullopt, at), u"94287082"_s);
    EXPECT_FALSE(trayCodeText(accounts, false, std::nullopt, at).has_value());
    EXPECT_FALSE(trayCodeText({}, true, std::nullopt, at).has_value());
}

class TrayMoves : public ::testing::Test
{
protected:
    FakeSecureItemStore items;
    AccountStore store{items};
    QSet<QUuid> hidden;

    void add(const QStringList& names)
    {
        QList<Account> accounts;
        for (const QString& name : names)
            accounts.append(makeAccount(name));
        store.addAccounts(accounts);
    }
    void hide(const QString& name) { hidden.insert(named(store.accounts(), name).id); }
    QUuid idOf(const QString& name) const { return named(store.accounts(), name).id; }
    void apply(const std::optional<AccountMove>& move)
    {
        ASSERT_TRUE(move.has_value());
        store.moveAccount(move->source, move->target);
    }
    QList<Account> visible() const { return visibleAccounts(store.accounts(), hidden); }
};

TEST_F(TrayMoves, MovingUpPutsTheRowBeforeItsVisibleNeighbourAndHiddenOnesAfterIt)
{
    add({u"A"_s, u"h1"_s, u"B"_s, u"h2"_s, u"C"_s});
    hide(u"h1"_s);
    hide(u"h2"_s);
    apply(moveUpRequest(visible(), idOf(u"C"_s)));
    EXPECT_EQ(namesOf(store.accounts()), (QStringList{u"A"_s, u"h1"_s, u"C"_s, u"B"_s, u"h2"_s}));
}

TEST_F(TrayMoves, MovingDownPutsTheNeighbourBeforeTheRowAndLeavesHiddenOnesInPlace)
{
    add({u"A"_s, u"h1"_s, u"B"_s, u"h2"_s, u"C"_s});
    hide(u"h1"_s);
    hide(u"h2"_s);
    apply(moveDownRequest(visible(), idOf(u"A"_s)));
    EXPECT_EQ(namesOf(store.accounts()), (QStringList{u"B"_s, u"A"_s, u"h1"_s, u"h2"_s, u"C"_s}));
}

TEST_F(TrayMoves, BothDirectionsGiveTheSameOrderAroundOneHiddenAccount)
{
    add({u"A"_s, u"h"_s, u"B"_s});
    hide(u"h"_s);
    apply(moveUpRequest(visible(), idOf(u"B"_s)));
    EXPECT_EQ(namesOf(store.accounts()), (QStringList{u"B"_s, u"A"_s, u"h"_s}));

    FakeSecureItemStore otherItems;
    AccountStore other{otherItems};
    other.addAccounts({makeAccount(u"A"_s), makeAccount(u"h"_s), makeAccount(u"B"_s)});
    const QSet<QUuid> otherHidden{named(other.accounts(), u"h"_s).id};
    const auto move = moveDownRequest(visibleAccounts(other.accounts(), otherHidden), named(other.accounts(), u"A"_s).id);
    ASSERT_TRUE(move);
    other.moveAccount(move->source, move->target);
    EXPECT_EQ(namesOf(other.accounts()), (QStringList{u"B"_s, u"A"_s, u"h"_s}));
}

TEST_F(TrayMoves, EdgesHiddenRowsAndUnknownIDsMoveNothing)
{
    add({u"A"_s, u"B"_s, u"h"_s});
    hide(u"h"_s);
    EXPECT_FALSE(moveUpRequest(visible(), idOf(u"A"_s)));
    EXPECT_FALSE(moveDownRequest(visible(), idOf(u"B"_s)));
    EXPECT_FALSE(moveUpRequest(visible(), idOf(u"h"_s)));
    EXPECT_FALSE(moveDownRequest(visible(), QUuid::createUuid()));
}

TEST(TrayAccounts, ChevronRules)
{
    EXPECT_FALSE(canMoveUp(0));
    EXPECT_TRUE(canMoveUp(1));
    EXPECT_TRUE(canMoveDown(0, 2));
    EXPECT_FALSE(canMoveDown(1, 2));
    // A single row can go nowhere.
    EXPECT_FALSE(canMoveDown(0, 1));
}

TEST(TrayAccounts, MaskedCodesAreGroupedBulletsAndNeverHugeOrFake)
{
    EXPECT_EQ(maskedCode(6), u"••• •••"_s);
    EXPECT_EQ(maskedCode(8), u"•••• ••••"_s);
    EXPECT_EQ(maskedCode(7), u"••• ••••"_s);
    // Out of range: no digits to stand for, and no giant allocation from a corrupt record.
    EXPECT_EQ(maskedCode(0), unusableCodeText());
    EXPECT_EQ(maskedCode(10), unusableCodeText());
    EXPECT_EQ(maskedCode(std::numeric_limits<std::int64_t>::max()), unusableCodeText());
    EXPECT_FALSE(isCode(maskedCode(6)));
}

TEST(TrayListHeightRule, StartsAt220ThenFollowsTheMeasurementUpTo360)
{
    TrayListHeight height;
    EXPECT_EQ(height.areaHeight(), 220);
    EXPECT_TRUE(height.report(3 * 51));
    EXPECT_EQ(height.areaHeight(), 153);
    EXPECT_FALSE(height.report(153));
    EXPECT_TRUE(height.report(20 * 51));
    EXPECT_EQ(height.listHeight(), 1020);
    EXPECT_EQ(height.areaHeight(), 360);
    EXPECT_FALSE(height.report(-5));
    EXPECT_FALSE(height.report(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ(height.areaHeight(), 360);
}

TEST(TrayWindowPlacement, OpensUnderATopTrayIconAlignedToItsRightEdge)
{
    const QRect screen(0, 0, 1920, 1080);
    const QRect available(0, 28, 1920, 1052);
    const QPoint p = trayWindowPosition(QRect(1800, 0, 28, 28), {}, QSize(340, 400), available);
    EXPECT_EQ(p, QPoint(1828 - 340, 28 + 4));
    EXPECT_TRUE(screen.contains(QRect(p, QSize(340, 400))));
}

TEST(TrayWindowPlacement, OpensAboveABottomTrayIcon)
{
    const QRect available(0, 0, 1920, 1040);
    const QPoint p = trayWindowPosition(QRect(1850, 1045, 24, 24), {}, QSize(340, 400), available);
    EXPECT_EQ(p.y(), 1040 - 400);
    EXPECT_EQ(p.x(), 1874 - 340);
}

TEST(TrayWindowPlacement, WithoutIconGeometryOpensAtTheCursorInsideTheScreen)
{
    const QRect available(0, 0, 1920, 1080);
    EXPECT_EQ(trayWindowPosition(QRect(), QPoint(900, 10), QSize(340, 400), available), QPoint(901 - 340, 15));
    // Near a corner it stays on screen.
    const QPoint corner = trayWindowPosition(QRect(), QPoint(5, 1075), QSize(340, 400), available);
    EXPECT_TRUE(available.contains(QRect(corner, QSize(340, 400))));
}

TEST(KeyringManager, FindsSeahorseFirstThenTheKdeWalletManager)
{
    QStringList asked;
    const auto onPath = [&](const QStringList& installed) {
        return [&asked, installed](const QString& name) {
            asked.append(name);
            return installed.contains(name) ? u"/usr/bin/"_s + name : QString();
        };
    };
    EXPECT_EQ(findKeyringManager(onPath({u"kwalletmanager"_s, u"seahorse"_s})), u"/usr/bin/seahorse"_s);
    EXPECT_EQ(findKeyringManager(onPath({u"kwalletmanager5"_s})), u"/usr/bin/kwalletmanager5"_s);
    EXPECT_EQ(findKeyringManager(onPath({})), QString());
}
