// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/account_filter.h"
#include "ui/main_window/keyring_error_help.h"
#include "ui/main_window/list_move.h"
#include "ui/widgets/account_presentation.h"
#include "ui/widgets/timer_ring.h"
#include "ui_test_support.h"

#include <QFile>
#include <gtest/gtest.h>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {

Account account(const char* issuer, const char* name)
{
    return testAccount(QString::fromUtf8(issuer), QString::fromUtf8(name));
}

} // namespace

TEST(AccountPresentation, GroupedCodeSplitsAfterTheFirstHalfRoundedDown)
{
    EXPECT_EQ(groupedCode(QStringLiteral("123456")), QStringLiteral("123 456"));
    EXPECT_EQ(groupedCode(QStringLiteral("12345678")), QStringLiteral("1234 5678"));
    EXPECT_EQ(groupedCode(QStringLiteral("1234567")), QStringLiteral("123 4567"));
}

TEST(AccountPresentation, InitialsTakeTwoWordsOfTheIssuerElseTheName)
{
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"Acme", "x", "A"},
        {"Example Bank", "x", "EB"},
        {"", "jane.doe+work", "JD"},
        {"2fa hub", "", "2H"},
        {"\u2014", "\u2014", "?"},
        {"--", "Alice", "?"}, // a non-empty issuer is never swapped for the name
        {"\u00dfoo bar", "", "SSB"},
        {"e\u0301cole normale", "", "E\u0301N"}, // a combining accent stays with its letter
        {"\U0001D400x y", "", "\U0001D400Y"},
    };
    for (const auto& [issuer, name, expected] : cases) {
        SCOPED_TRACE(expected);
        EXPECT_EQ(initials(account(issuer, name)), QString::fromUtf8(expected));
    }
}

TEST(AccountPresentation, TitleIsTheIssuerAndTheNameIsShownOnceEachIsolated)
{
    // An override inside a name must not reorder what is around it.
    EXPECT_EQ(rowTitle(account("GitHub", "alice")), QStringLiteral("\u2068GitHub\u2069"));
    EXPECT_EQ(rowSubtitle(account("GitHub", "\u202elive")), QStringLiteral("\u2068\u202elive\u2069"));
    EXPECT_EQ(rowTitle(account("", "alice")), QStringLiteral("\u2068alice\u2069"));
    EXPECT_TRUE(rowSubtitle(account("", "alice")).isEmpty());
}

TEST(Search, MatchesNameOrIssuerWithUnicodeLowerCaseAndNoTrimming)
{
    const QList<Account> accounts{account("Example Bank", "alice"), account("Mail", "bankroll"),
                                  account("Shop", "bob"), account("\u00c9COLE", "x"), account("ecole", "y")};
    const std::pair<const char*, QList<qsizetype>> cases[] = {
        {"bank", {0, 1}}, {"BANK", {0, 1}}, {"secret", {}},    {"", {0, 1, 2, 3, 4}},
        {" ", {0}},       {" mail", {}},    {"\u00e9co", {3}}, // no diacritic folding
    };
    for (const auto& [query, expected] : cases) {
        SCOPED_TRACE(query);
        EXPECT_EQ(filteredAccountOffsets(accounts, QString::fromUtf8(query)), expected);
    }
}

TEST(ListMove, MovesTheBlockBeforeTheDestinationAndSurvivesStaleOffsets)
{
    const QList<Account> abc{account("", "A"), account("", "B"), account("", "C")};
    const std::tuple<QList<qsizetype>, qsizetype, const char*> cases[] = {
        {{2}, 0, "C A B"},    {{0}, 3, "B C A"},     {{0}, 1, "A B C"},
        {{0, 2}, 2, "B A C"}, {{7, -1}, 1, "A B C"}, {{1, 1}, 99, "A C B"},
    };
    for (const auto& [sources, destination, expected] : cases) {
        SCOPED_TRACE(expected);
        EXPECT_EQ(accountNames(movedAccounts(abc, sources, destination)), words(expected));
    }
    EXPECT_TRUE(movedAccounts({}, {0}, 0).isEmpty());
}

TEST(TimerRing, StartsFullThenCountsDownAndChangesColourOnProgress)
{
    const double stepStart = 1'700'000'010.0; // a multiple of 30
    EXPECT_DOUBLE_EQ((TimerRing{30, instantFromSeconds(stepStart)}).progress(), 1);
    using Tone = TimerRing::Tone;
    const std::tuple<double, const char*, Tone> cases[] = {
        {0.0, "30", Tone::accent},   {0.5, "30", Tone::accent}, {20.0, "10", Tone::accent},
        {20.11, "10", Tone::orange}, {25.0, "5", Tone::orange}, {25.21, "5", Tone::red},
        {29.5, "1", Tone::red},
    };
    for (const auto& [elapsed, label, tone] : cases) {
        SCOPED_TRACE(elapsed);
        const TimerRing ring{30, instantFromSeconds(stepStart + elapsed)};
        EXPECT_EQ(ring.label(), QString::fromUtf8(label));
        EXPECT_EQ(ring.tone(), tone);
    }
    for (double offset = 0.0; offset < 30.0; offset += 0.25) {
        const TimerRing ring{30, instantFromSeconds(stepStart + offset)};
        EXPECT_GE(ring.label().toInt(), 1) << offset;
        EXPECT_GT(ring.progress(), 0) << offset;
    }
}

TEST(TimerRing, MovesLinearlyFromOneTicksProgressToTheNextAndRefillsAtAStepsEnd)
{
    const double stepStart = 1'700'000'010.0;
    const auto at = [stepStart](double elapsed) {
        return TimerRing{30, instantFromSeconds(stepStart + elapsed)};
    };
    const std::tuple<double, double, double, double> cases[] = {
        {10, 11, 0.0, 20.0 / 30}, {10, 11, 0.5, 19.5 / 30},
        {10, 11, 1.0, 19.0 / 30}, {10, 11, 7.0, 19.0 / 30}, // held at the end
        {29, 30, 0.5, 15.5 / 30},                           // a new step fills the ring back up
    };
    for (const auto& [from, to, fraction, expected] : cases) {
        SCOPED_TRACE(fraction);
        EXPECT_NEAR(blendedProgress(at(from), at(to), fraction), expected, 1e-9);
    }
}

// The footer's help must say what the README's troubleshooting table says.
TEST(KeyringErrorHelp, MatchesTheReadmeTableAndOnlyKeyringErrors)
{
    QFile readme(QStringLiteral(BRISVANE_SOURCE_DIR "/README.md"));
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    int rows = 0;
    for (const QString& line : QString::fromUtf8(readme.readAll()).split(u'\n')) {
        const QStringList cells = line.split(u'|');
        bool isCode = false;
        const int code = cells.value(1).trimmed().toInt(&isCode);
        if (cells.size() != 5 || !isCode)
            continue;
        ++rows;
        const auto help = keyringErrorHelp(u"Keychain error: "_s + QString::number(code));
        ASSERT_TRUE(help.has_value()) << code;
        EXPECT_EQ(help->meaning, cells[2].trimmed());
        EXPECT_EQ(help->remedy, cells[3].trimmed());
    }
    EXPECT_EQ(rows, 4);
    for (const QString& other :
         {u"Keychain error: 1"_s, u"Failed to decode accounts."_s, u"Keychain error: "_s})
        EXPECT_FALSE(keyringErrorHelp(other).has_value()) << other.toStdString();
}

TEST(TimerRing, AnUnusablePeriodShowsAnEmptyRingInsteadOfNaN)
{
    for (double period : {0.0, -30.0}) {
        const TimerRing ring{period, instantFromSeconds(1'700'000'000.0)};
        EXPECT_EQ(ring.progress(), 0);
        EXPECT_TRUE(ring.label().isEmpty());
        EXPECT_EQ(ring.tone(), TimerRing::Tone::red);
    }
}
