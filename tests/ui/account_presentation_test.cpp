#include "ui/account_filter.h"
#include "ui/account_presentation.h"
#include "ui/list_move.h"
#include "ui/timer_ring.h"

#include <gtest/gtest.h>

namespace {

Account account(const QString& issuer, const QString& name)
{
    Account a;
    a.id = QUuid::createUuid();
    a.issuer = issuer;
    a.name = name;
    return a;
}

QStringList names(const QList<Account>& accounts)
{
    QStringList result;
    for (const Account& a : accounts)
        result.append(a.name);
    return result;
}

} // namespace

TEST(GroupedCode, SplitsAfterTheFirstHalfRoundedDown)
{
    EXPECT_EQ(groupedCode(QStringLiteral("123456")), QStringLiteral("123 456"));
    EXPECT_EQ(groupedCode(QStringLiteral("12345678")), QStringLiteral("1234 5678"));
    EXPECT_EQ(groupedCode(QStringLiteral("1234567")), QStringLiteral("123 4567"));
    EXPECT_EQ(groupedCode(QStringLiteral("1")), QStringLiteral(" 1"));
}

TEST(Initials, FollowTheIssuerThenTheName)
{
    EXPECT_EQ(initials(account(QStringLiteral("Acme"), QStringLiteral("x"))), QStringLiteral("A"));
    EXPECT_EQ(initials(account(QStringLiteral("Example Bank"), QStringLiteral("x"))), QStringLiteral("EB"));
    EXPECT_EQ(initials(account({}, QStringLiteral("jane.doe+work"))), QStringLiteral("JD"));
    EXPECT_EQ(initials(account(QStringLiteral("one two three"), {})), QStringLiteral("OT"));
    EXPECT_EQ(initials(account(QStringLiteral("2fa hub"), {})), QStringLiteral("2H"));
}

TEST(Initials, FallBackToAQuestionMarkWithoutLookingAtTheName)
{
    EXPECT_EQ(initials(account(QStringLiteral("\u2014"), QStringLiteral("\u2014"))), QStringLiteral("?"));
    // The issuer is not empty, so the name is never consulted.
    EXPECT_EQ(initials(account(QStringLiteral("--"), QStringLiteral("Alice"))), QStringLiteral("?"));
    EXPECT_EQ(initials(account({}, {})), QStringLiteral("?"));
}

TEST(Initials, UseFullUnicodeCaseAndWholeCharacters)
{
    EXPECT_EQ(initials(account(QStringLiteral("\u00dfoo bar"), {})), QStringLiteral("SSB"));
    // An "e" with a combining acute accent stays one character.
    EXPECT_EQ(initials(account(QStringLiteral("e\u0301cole normale"), {})), QStringLiteral("E\u0301N"));
    EXPECT_EQ(initials(account(QStringLiteral("\U0001D400x y"), {})), QStringLiteral("\U0001D400Y"));
}

TEST(RowText, IssuerIsTheTitleAndTheNameTheSubtitle)
{
    EXPECT_EQ(rowTitle(account(QStringLiteral("GitHub"), QStringLiteral("alice"))), QStringLiteral("GitHub"));
    EXPECT_EQ(rowSubtitle(account(QStringLiteral("GitHub"), QStringLiteral("alice"))), QStringLiteral("alice"));
    EXPECT_EQ(rowTitle(account({}, QStringLiteral("alice"))), QStringLiteral("alice"));
    EXPECT_TRUE(rowSubtitle(account({}, QStringLiteral("alice"))).isEmpty());
}

TEST(Search, MatchesNameOrIssuerIgnoringCase)
{
    const QList<Account> accounts{account(QStringLiteral("Example Bank"), QStringLiteral("alice")),
                                  account(QStringLiteral("Mail"), QStringLiteral("bankroll")),
                                  account(QStringLiteral("Shop"), QStringLiteral("bob"))};
    EXPECT_EQ(filteredAccountOffsets(accounts, QStringLiteral("bank")), (QList<qsizetype>{0, 1}));
    EXPECT_EQ(filteredAccountOffsets(accounts, QStringLiteral("BANK")), (QList<qsizetype>{0, 1}));
    EXPECT_EQ(filteredAccountOffsets(accounts, QStringLiteral("secret")), QList<qsizetype>{});
    EXPECT_EQ(filteredAccountOffsets(accounts, QString()), (QList<qsizetype>{0, 1, 2}));
}

TEST(Search, ASpaceIsARealSearchAndNothingIsTrimmed)
{
    const QList<Account> accounts{account(QStringLiteral("Example Bank"), QStringLiteral("alice")),
                                  account(QStringLiteral("Mail"), QStringLiteral("bob"))};
    EXPECT_EQ(filteredAccountOffsets(accounts, QStringLiteral(" ")), QList<qsizetype>{0});
    EXPECT_EQ(filteredAccountOffsets(accounts, QStringLiteral(" mail")), QList<qsizetype>{});
}

TEST(Search, LowerCasesWithUnicodeRules)
{
    const QList<Account> accounts{account(QStringLiteral("\u00c9COLE"), QStringLiteral("x")),
                                  account(QStringLiteral("ecole"), QStringLiteral("y"))};
    // No diacritic folding: "é" finds only the accented issuer.
    EXPECT_EQ(filteredAccountOffsets(accounts, QStringLiteral("\u00e9co")), QList<qsizetype>{0});
}

TEST(ListMove, FollowsTheDragMoveRule)
{
    const QList<Account> abc{account({}, QStringLiteral("A")), account({}, QStringLiteral("B")),
                             account({}, QStringLiteral("C"))};
    EXPECT_EQ(names(movedAccounts(abc, {2}, 0)), (QStringList{QStringLiteral("C"), QStringLiteral("A"), QStringLiteral("B")}));
    EXPECT_EQ(names(movedAccounts(abc, {0}, 3)), (QStringList{QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("A")}));
    EXPECT_EQ(names(movedAccounts(abc, {0}, 1)), (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
    EXPECT_EQ(names(movedAccounts(abc, {0, 2}, 2)), (QStringList{QStringLiteral("B"), QStringLiteral("A"), QStringLiteral("C")}));
}

TEST(ListMove, StaleOffsetsNeverLoseOrDuplicateAnAccount)
{
    const QList<Account> abc{account({}, QStringLiteral("A")), account({}, QStringLiteral("B")),
                             account({}, QStringLiteral("C"))};
    EXPECT_EQ(movedAccounts(abc, {7, -1}, 1), abc);
    EXPECT_EQ(names(movedAccounts(abc, {1, 1}, 99)), (QStringList{QStringLiteral("A"), QStringLiteral("C"), QStringLiteral("B")}));
    EXPECT_TRUE(movedAccounts({}, {0}, 0).isEmpty());
}

TEST(TimerRing, IsFullAndReadsThePeriodAtTheStartOfAStep)
{
    const TimerRing ring{30, instantFromSeconds(1'700'000'010.0)}; // a multiple of 30
    EXPECT_DOUBLE_EQ(ring.remainingSeconds(), 30);
    EXPECT_DOUBLE_EQ(ring.progress(), 1);
    EXPECT_EQ(ring.label(), QStringLiteral("30"));
    EXPECT_EQ(ring.tone(), TimerRing::Tone::accent);
}

TEST(TimerRing, CountsDownAndNeverReadsZero)
{
    for (double offset = 0.0; offset < 30.0; offset += 0.25) {
        const TimerRing ring{30, instantFromSeconds(1'700'000'010.0 + offset)};
        const int shown = ring.label().toInt();
        EXPECT_GE(shown, 1) << offset;
        EXPECT_LE(shown, 30) << offset;
        EXPECT_GT(ring.progress(), 0) << offset;
    }
    EXPECT_EQ((TimerRing{30, instantFromSeconds(1'700'000'010.5)}).label(), QStringLiteral("30"));
    EXPECT_EQ((TimerRing{30, instantFromSeconds(1'700'000'039.5)}).label(), QStringLiteral("1"));
}

TEST(TimerRing, TurnsOrangeThenRedOnProgress)
{
    const double stepStart = 1'700'000'010.0;
    auto toneWithRemaining = [&](double remaining) {
        return TimerRing{30, instantFromSeconds(stepStart + 30 - remaining)}.tone();
    };
    EXPECT_EQ(toneWithRemaining(10.0), TimerRing::Tone::accent);
    EXPECT_EQ(toneWithRemaining(9.89), TimerRing::Tone::orange);
    EXPECT_EQ(toneWithRemaining(5.0), TimerRing::Tone::orange);
    EXPECT_EQ(toneWithRemaining(4.79), TimerRing::Tone::red);
    EXPECT_EQ(toneWithRemaining(0.5), TimerRing::Tone::red);
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
