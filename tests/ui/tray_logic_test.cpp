// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/otp_code.h"
#include "platform/session/keyring_manager.h"
#include "storage/account_store.h"
#include "support/fake_secure_item_store.h"
#include "ui/tray/tray_accounts.h"
#include "ui/tray/tray_list_height.h"
#include "ui/tray/tray_window_placement.h"
#include "ui_test_support.h"

#include <gtest/gtest.h>
#include <limits>
#include <tuple>

using namespace Qt::StringLiterals;

// Each case: the store's order, the hidden accounts, which row moves (+ up, - down), and the
// store's order afterwards ("" = no move offered).
TEST(TrayAccounts, MovesJumpHiddenAccountsAndStopAtTheVisibleEdges)
{
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"A h1 B h2 C", "h1 h2", "+C", "A h1 C B h2"},
        {"A h1 B h2 C", "h1 h2", "-A", "B A h1 h2 C"},
        {"A B h", "h", "+A", ""},
        {"A B h", "h", "-B", ""},
        {"A B h", "h", "+h", ""},
        {"A h", "h", "-A", ""},
    };
    for (const auto& [order, hiddenNames, request, expected] : cases) {
        SCOPED_TRACE(std::string(order) + " " + request);
        FakeSecureItemStore items;
        AccountStore store(items);
        const QStringList names = words(order);
        QList<Account> accounts;
        QSet<QUuid> hidden;
        for (const QString& name : names) {
            accounts.append(testAccount({}, name));
            if (words(hiddenNames).contains(name))
                hidden.insert(accounts.last().id);
        }
        store.addAccounts(accounts);
        const QUuid id = accounts[names.indexOf(QString::fromUtf8(request + 1))].id;
        const QList<Account> visible = visibleAccounts(accounts, hidden);
        const auto move = request[0] == '+' ? moveUpRequest(visible, id) : moveDownRequest(visible, id);
        ASSERT_EQ(move.has_value(), *expected != '\0');
        if (move) {
            store.moveAccount(move->source, move->target);
            EXPECT_EQ(accountNames(store.accounts()), words(expected));
        }
    }
    EXPECT_FALSE(moveDownRequest({testAccount({}, u"A"_s)}, QUuid::createUuid()));
}

TEST(TrayAccounts, MaskedCodesAreGroupedBulletsAndNeverHugeOrFake)
{
    EXPECT_EQ(maskedCode(6), u"••• •••"_s);
    EXPECT_EQ(maskedCode(7), u"••• ••••"_s);
    for (std::int64_t digits : {std::int64_t(0), std::int64_t(10), std::numeric_limits<std::int64_t>::max()})
        EXPECT_EQ(maskedCode(digits), unusableCodeText()) << digits;
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

TEST(TrayWindowPlacement, OpensBesideTheIconOrTheCursorAndStaysOnScreen)
{
    const QSize window(340, 400);
    // Top panel: below the icon, right edges aligned. Bottom panel: above it.
    EXPECT_EQ(trayWindowPosition({1800, 0, 28, 28}, {}, window, {0, 28, 1920, 1052}), QPoint(1488, 32));
    EXPECT_EQ(trayWindowPosition({1850, 1045, 24, 24}, {}, window, {0, 0, 1920, 1040}), QPoint(1534, 640));
    // Without icon geometry the cursor stands in, and a corner clamps the window inside.
    EXPECT_EQ(trayWindowPosition({}, {900, 10}, window, {0, 0, 1920, 1080}), QPoint(561, 15));
    EXPECT_EQ(trayWindowPosition({}, {5, 1075}, window, {0, 0, 1920, 1080}), QPoint(0, 671));
}

TEST(KeyringManager, FindsSeahorseFirstThenTheKdeWalletManager)
{
    const auto onPath = [](const QStringList& installed) {
        return [installed](const QString& name) {
            return installed.contains(name) ? u"/usr/bin/"_s + name : QString();
        };
    };
    EXPECT_EQ(findKeyringManager(onPath({u"kwalletmanager"_s, u"seahorse"_s})), u"/usr/bin/seahorse"_s);
    EXPECT_EQ(findKeyringManager(onPath({u"kwalletmanager5"_s})), u"/usr/bin/kwalletmanager5"_s);
    EXPECT_EQ(findKeyringManager(onPath({})), QString());
}
