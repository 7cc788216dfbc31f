// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/account.h"
#include "core/otp_code.h"
#include "support/qt_printers.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

const QByteArray rfcKey("12345678901234567890");
constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

Account makeAccount(OTPType type, const QByteArray& secret, HashAlgorithm algorithm, std::int64_t digits,
                    std::int64_t period = 30)
{
    Account a;
    a.type = type;
    a.secret = secret;
    a.algorithm = algorithm;
    a.digits = digits;
    a.period = period;
    return a;
}

// Modulo 10^d is the last d digits of modulo 10^9: this checks the modulus and the zero
// padding of every width at once (oathtool only covers 6 to 8 digits).
TEST(OtpCode, ShorterCodesAreTheLastDigitsOfTheNineDigitCode)
{
    for (HashAlgorithm algorithm : allHashAlgorithms) {
        for (std::uint64_t counter = 0; counter < 200; ++counter) {
            const QString nine = generateCode(rfcKey, counter, 9, algorithm);
            ASSERT_TRUE(isCode(nine) && nine.size() == 9) << nine.toStdString();
            for (std::int64_t digits = 1; digits < 9; ++digits)
                ASSERT_EQ(generateCode(rfcKey, counter, digits, algorithm), nine.right(digits)) << counter;
        }
    }
}

TEST(OtpCode, UnusableAccountsShowThePlaceholderWhichIsNeverACode)
{
    const struct
    {
        OTPType type;
        std::int64_t digits;
        std::int64_t period;
        double seconds;
        bool usable;
    } cases[] = {
        {OTPType::totp, 6, 0, 1.0e9, false},
        {OTPType::totp, 6, -30, 1.0e9, false},
        {OTPType::totp, 6, 30, -1.0, false},
        {OTPType::totp, 6, 30, 1.0e30, false},
        {OTPType::totp, 6, 30, inf, false},
        {OTPType::totp, 6, 30, nan, false},
        {OTPType::totp, 0, 30, 1.0e9, false},
        {OTPType::totp, 10, 30, 1.0e9, false},
        {OTPType::hotp, -6, 30, 1.0e9, false},
        {OTPType::hotp, std::numeric_limits<std::int64_t>::min(), 30, 1.0e9, false},
        {OTPType::hotp, std::numeric_limits<std::int64_t>::max(), 30, 1.0e9, false},
        // A counter-based account needs neither a usable period nor a usable clock.
        {OTPType::hotp, 6, 0, -5.0, true},
        {OTPType::hotp, 9, -1, nan, true},
    };
    for (const auto& c : cases) {
        const Account a = makeAccount(c.type, rfcKey, HashAlgorithm::sha1, c.digits, c.period);
        const QString code = a.code(instantFromSeconds(c.seconds));
        SCOPED_TRACE(testing::Message()
                     << c.digits << " digits, period " << c.period << ", at " << c.seconds);
        EXPECT_EQ(isCode(code), c.usable);
        EXPECT_EQ(code == unusableCodeText(), !c.usable);
    }
    EXPECT_FALSE(isCode(unusableCodeText()));
    EXPECT_TRUE(isCode(QStringLiteral("004321")));
    for (const char16_t* text : {u"", u"123 456", u"12345a", u"\u0661\u0662\u0663", u"\uff11\uff12\uff13"})
        EXPECT_FALSE(isCode(QString::fromUtf16(text))) << QString::fromUtf16(text).toStdString();
}

TEST(OtpCode, TotpStepChangesExactlyAtTheBoundaryAndStopsAtTwoToTheSixtyFour)
{
    const double twoTo64 = 18446744073709551616.0;
    const double below = std::nextafter(twoTo64, 0.0);
    const struct
    {
        double seconds;
        std::int64_t period;
        std::optional<std::uint64_t> step;
    } cases[] = {
        {-0.0, 30, 0},
        {29.9999, 30, 0},
        {59.999, 30, 1},
        {60.0, 30, 2},
        {1111111109.0, 30, 37037036},
        {below, 1, static_cast<std::uint64_t>(below)},
        {1.0e20, std::numeric_limits<std::int64_t>::max(), 10},
        {twoTo64, 1, std::nullopt},
        {std::numeric_limits<double>::max(), 1, std::nullopt},
        {-0.001, 30, std::nullopt},
        {-inf, 30, std::nullopt},
        {1.0e9, std::numeric_limits<std::int64_t>::min(), std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(totpMovingFactor(instantFromSeconds(c.seconds), c.period), c.step)
            << c.seconds << " / " << c.period;
}

} // namespace
