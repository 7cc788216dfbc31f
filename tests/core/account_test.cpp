#include "core/account.h"
#include "core/otp_code.h"
#include "qstring_printer.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

Account makeAccount()
{
    Account a;
    a.id = QUuid::fromString(u"3F2504E0-4F89-11D3-9A0C-0305E82C3301");
    a.name = QStringLiteral("alice");
    a.issuer = QStringLiteral("Example");
    a.secret = QByteArray("12345678901234567890");
    a.type = OTPType::totp;
    a.algorithm = HashAlgorithm::sha1;
    a.digits = 6;
    a.period = 30;
    a.counter = 0;
    a.createdAt = instantFromSeconds(1714555800.0);
    return a;
}

const QString placeholder = unusableCodeText();

TEST(AccountLabel, IssuerColonSpaceName)
{
    Account a = makeAccount();
    EXPECT_EQ(accountLabel(a), QStringLiteral("Example: alice"));
    a.issuer.clear();
    EXPECT_EQ(accountLabel(a), QStringLiteral("alice"));
    a.issuer = QStringLiteral("Example");
    a.name.clear();
    EXPECT_EQ(accountLabel(a), QStringLiteral("Example: "));
    a.issuer = QStringLiteral(" ");
    a.name = QStringLiteral("alice");
    EXPECT_EQ(accountLabel(a), QStringLiteral(" : alice"));
    a.issuer.clear();
    a.name.clear();
    EXPECT_EQ(accountLabel(a), QString());
}

TEST(AccountEquality, EveryFieldTakesPart)
{
    const Account base = makeAccount();
    EXPECT_EQ(base, makeAccount());

    auto differs = [&](auto change) {
        Account other = base;
        change(other);
        return !(other == base);
    };
    EXPECT_TRUE(differs([](Account& a) { a.id = QUuid::createUuid(); }));
    EXPECT_TRUE(differs([](Account& a) { a.name += u'x'; }));
    EXPECT_TRUE(differs([](Account& a) { a.issuer += u'x'; }));
    EXPECT_TRUE(differs([](Account& a) { a.secret.append('\0'); }));
    EXPECT_TRUE(differs([](Account& a) { a.type = OTPType::hotp; }));
    EXPECT_TRUE(differs([](Account& a) { a.algorithm = HashAlgorithm::sha512; }));
    EXPECT_TRUE(differs([](Account& a) { a.digits = 8; }));
    EXPECT_TRUE(differs([](Account& a) { a.period = 60; }));
    EXPECT_TRUE(differs([](Account& a) { a.counter = 1; }));
    // Instants compare exactly, not to the second.
    EXPECT_TRUE(differs([](Account& a) { a.createdAt = instantFromSeconds(1714555800.25); }));
}

TEST(AccountCode, PeriodsGiveDifferentCodesUnlessTheirStepsCoincide)
{
    Account thirty = makeAccount();
    Account sixty = makeAccount();
    sixty.period = 60;
    // At 90 s the steps are 3 and 1: different factors, different codes.
    EXPECT_NE(thirty.code(instantFromSeconds(90)), sixty.code(instantFromSeconds(90)));
    // At 30 s the steps are 1 and 0; at 0 s both are 0.
    EXPECT_EQ(thirty.code(instantFromSeconds(0)), sixty.code(instantFromSeconds(0)));
    EXPECT_EQ(sixty.code(instantFromSeconds(60)), thirty.code(instantFromSeconds(30)));
}

TEST(AccountCode, TotpChangesExactlyAtTheStepBoundary)
{
    const Account a = makeAccount();
    EXPECT_EQ(a.code(instantFromSeconds(59.999)), generateCode(a.secret, 1, 6, a.algorithm));
    EXPECT_EQ(a.code(instantFromSeconds(60.0)), generateCode(a.secret, 2, 6, a.algorithm));
    EXPECT_EQ(a.code(instantFromSeconds(30.0)), a.code(instantFromSeconds(59.999)));
}

TEST(AccountCode, HotpIgnoresTheInstantAndFollowsTheCounter)
{
    Account a = makeAccount();
    a.type = OTPType::hotp;
    a.counter = 4;
    const QString code = a.code(instantFromSeconds(0));
    EXPECT_EQ(code, QStringLiteral("338314"));
    for (double t : {1.0, 59.999, 1.0e9, 2.0e10})
        EXPECT_EQ(a.code(instantFromSeconds(t)), code) << t;
    a.counter += 1;
    EXPECT_EQ(a.code(instantFromSeconds(0)), QStringLiteral("254676"));
}

TEST(AccountCode, HotpDoesNotNeedAUsablePeriodOrClock)
{
    Account a = makeAccount();
    a.type = OTPType::hotp;
    a.counter = std::numeric_limits<std::uint64_t>::max();
    a.period = 0;
    EXPECT_TRUE(isCode(a.code(instantFromSeconds(-5))));
    a.period = -1;
    EXPECT_TRUE(isCode(a.code(instantFromSeconds(std::numeric_limits<double>::quiet_NaN()))));
}

TEST(AccountCode, UnusableAccountsAndInstantsGiveThePlaceholder)
{
    Account a = makeAccount();
    a.period = 0;
    EXPECT_EQ(a.code(instantFromSeconds(1.0e9)), placeholder);
    a.period = -30;
    EXPECT_EQ(a.code(instantFromSeconds(1.0e9)), placeholder);

    a = makeAccount();
    EXPECT_EQ(a.code(instantFromSeconds(-1.0)), placeholder);
    EXPECT_EQ(a.code(instantFromSeconds(1.0e30)), placeholder);
    EXPECT_EQ(a.code(instantFromSeconds(std::numeric_limits<double>::infinity())), placeholder);

    for (std::int64_t digits : {std::int64_t{0}, std::int64_t{10}, std::int64_t{-6}}) {
        a.digits = digits;
        EXPECT_EQ(a.code(instantFromSeconds(1.0e9)), placeholder) << digits;
        a.type = OTPType::hotp;
        EXPECT_EQ(a.code(instantFromSeconds(1.0e9)), placeholder) << digits;
        a.type = OTPType::totp;
    }
}

TEST(AccountCode, EmptySecretStillGivesAFullLengthCode)
{
    Account a = makeAccount();
    a.secret.clear();
    for (std::int64_t digits = 1; digits <= 9; ++digits) {
        a.digits = digits;
        const QString code = a.code(instantFromSeconds(1.0e9));
        EXPECT_TRUE(isCode(code));
        EXPECT_EQ(code.size(), digits);
    }
}

} // namespace
