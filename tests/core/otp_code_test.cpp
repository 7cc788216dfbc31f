#include "core/account.h"
#include "core/otp_code.h"
#include "qstring_printer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const QByteArray rfcSha1Key("12345678901234567890");
const QByteArray rfcSha256Key("12345678901234567890123456789012");
const QByteArray rfcSha512Key("1234567890123456789012345678901234567890123456789012345678901234");

QString text(const char* ascii)
{
    return QString::fromLatin1(ascii);
}

TEST(HotpRfc4226, AppendixDValues)
{
    const char* expected[] = {"755224", "287082", "359152", "969429", "338314",
                              "254676", "287922", "162583", "399871", "520489"};
    for (std::uint64_t counter = 0; counter < 10; ++counter)
        EXPECT_EQ(generateCode(rfcSha1Key, counter, 6, HashAlgorithm::sha1), text(expected[counter])) << counter;
}

struct TotpVector
{
    double seconds;
    const char* sha1;
    const char* sha256;
    const char* sha512;
};

class TotpRfc6238 : public ::testing::TestWithParam<TotpVector>
{
protected:
    static Account account(HashAlgorithm algorithm, const QByteArray& key)
    {
        Account a;
        a.secret = key;
        a.type = OTPType::totp;
        a.algorithm = algorithm;
        a.digits = 8;
        a.period = 30;
        return a;
    }
};

// SHA-256 and SHA-512 only match when the offset comes from the last byte of the longer MAC.
TEST_P(TotpRfc6238, AppendixBValuesForEveryHash)
{
    const TotpVector& v = GetParam();
    const Instant at = instantFromSeconds(v.seconds);
    EXPECT_EQ(account(HashAlgorithm::sha1, rfcSha1Key).code(at), text(v.sha1));
    EXPECT_EQ(account(HashAlgorithm::sha256, rfcSha256Key).code(at), text(v.sha256));
    EXPECT_EQ(account(HashAlgorithm::sha512, rfcSha512Key).code(at), text(v.sha512));
}

INSTANTIATE_TEST_SUITE_P(AppendixB, TotpRfc6238,
                         ::testing::Values(TotpVector{59, "94287082", "46119246", "90693936"},
                                           TotpVector{1111111109, "07081804", "68084774", "25091201"},
                                           TotpVector{1111111111, "14050471", "67062674", "99943326"},
                                           TotpVector{1234567890, "89005924", "91819424", "93441116"},
                                           TotpVector{2000000000, "69279037", "90698825", "38618901"},
                                           TotpVector{20000000000, "65353130", "77737706", "47863826"}),
                         [](const auto& test) { return "At" + std::to_string(static_cast<long long>(test.param.seconds)); });

TEST(CodeText, ShorterCodesAreTheLastDigitsOfTheNineDigitCode)
{
    // The truncated value modulo 10^d is the last d digits of it modulo 10^9, so this checks the
    // modulus and the zero padding for every width at once.
    for (HashAlgorithm algorithm : allHashAlgorithms) {
        for (std::uint64_t counter = 0; counter < 200; ++counter) {
            const QString nine = generateCode(rfcSha1Key, counter, 9, algorithm);
            ASSERT_EQ(nine.size(), 9);
            ASSERT_TRUE(isCode(nine)) << nine.toStdString();
            for (std::int64_t digits = 1; digits < 9; ++digits)
                ASSERT_EQ(generateCode(rfcSha1Key, counter, digits, algorithm), nine.right(digits))
                    << counter << " digits " << digits;
        }
    }
}

TEST(CodeText, SmallValuesArePaddedWithZeros)
{
    // Look for counters whose 8-digit value is small; padding must keep the full width.
    int paddedSeen = 0;
    for (std::uint64_t counter = 0; counter < 3000; ++counter) {
        const QString code = generateCode(rfcSha1Key, counter, 8, HashAlgorithm::sha1);
        ASSERT_EQ(code.size(), 8);
        if (code.startsWith(u"00"))
            ++paddedSeen;
    }
    EXPECT_GT(paddedSeen, 0);
    EXPECT_EQ(generateCode(rfcSha1Key, 0, 1, HashAlgorithm::sha1).size(), 1);
}

TEST(CodeText, DigitsOutsideOneToNineGiveThePlaceholder)
{
    const QString placeholder = unusableCodeText();
    for (std::int64_t digits : {std::int64_t{0}, std::int64_t{-1}, std::int64_t{10}, std::int64_t{19},
                                std::numeric_limits<std::int64_t>::max(), std::numeric_limits<std::int64_t>::min()}) {
        const QString code = generateCode(rfcSha1Key, 1, digits, HashAlgorithm::sha256);
        EXPECT_EQ(code, placeholder) << digits;
        EXPECT_FALSE(isCode(code));
    }
}

TEST(CodeText, EmptyAndLongSecretsAreValidKeys)
{
    for (HashAlgorithm algorithm : allHashAlgorithms) {
        const QString empty = generateCode(QByteArray(), 0, 6, algorithm);
        EXPECT_TRUE(isCode(empty));
        EXPECT_EQ(empty.size(), 6);
        // Keys longer than the hash block are hashed first; the result must still be a code.
        const QString longKey = generateCode(QByteArray(300, 'k'), 0, 6, algorithm);
        EXPECT_TRUE(isCode(longKey));
        EXPECT_NE(longKey, generateCode(QByteArray(299, 'k'), 0, 6, algorithm));
    }
    // Zero bytes inside a key count: the key is not a C string.
    EXPECT_NE(generateCode(QByteArray("a\0b", 3), 0, 8, HashAlgorithm::sha1),
              generateCode(QByteArray("a"), 0, 8, HashAlgorithm::sha1));
}

TEST(CodeText, LargestMovingFactorIsEncodedInAllEightBytes)
{
    const std::uint64_t top = std::numeric_limits<std::uint64_t>::max();
    EXPECT_TRUE(isCode(generateCode(rfcSha1Key, top, 6, HashAlgorithm::sha1)));
    EXPECT_NE(generateCode(rfcSha1Key, std::uint64_t{1} << 63, 8, HashAlgorithm::sha1),
              generateCode(rfcSha1Key, 0, 8, HashAlgorithm::sha1));
    EXPECT_NE(generateCode(rfcSha1Key, std::uint64_t{1} << 32, 8, HashAlgorithm::sha1),
              generateCode(rfcSha1Key, 0, 8, HashAlgorithm::sha1));
}

TEST(IsCode, OnlyNonEmptyAsciiDigitText)
{
    EXPECT_TRUE(isCode(QStringLiteral("004321")));
    EXPECT_TRUE(isCode(QStringLiteral("7")));
    EXPECT_FALSE(isCode(QString()));
    EXPECT_FALSE(isCode(QStringLiteral("123 456")));
    EXPECT_FALSE(isCode(QStringLiteral("12345a")));
    EXPECT_FALSE(isCode(QString::fromUtf16(u"\u0661\u0662\u0663")));  // Arabic-Indic digits
    EXPECT_FALSE(isCode(QString::fromUtf16(u"\uff11\uff12\uff13")));  // full-width digits
    EXPECT_FALSE(isCode(unusableCodeText()));
}

TEST(TotpMovingFactor, StepBoundaryFallsOnTheWholeSecond)
{
    EXPECT_EQ(totpMovingFactor(instantFromSeconds(59.999), 30), 1u);
    EXPECT_EQ(totpMovingFactor(instantFromSeconds(60.0), 30), 2u);
    EXPECT_EQ(totpMovingFactor(instantFromSeconds(0.0), 30), 0u);
    EXPECT_EQ(totpMovingFactor(instantFromSeconds(29.9999), 30), 0u);
    EXPECT_EQ(totpMovingFactor(instantFromSeconds(1111111109.0), 30), 37037036u);
    EXPECT_EQ(totpMovingFactor(instantFromSeconds(1.0e9), 1), 1000000000u);
}

TEST(TotpMovingFactor, PeriodBelowOneIsUnusable)
{
    for (std::int64_t period : {std::int64_t{0}, std::int64_t{-1}, std::int64_t{-30},
                                std::numeric_limits<std::int64_t>::min()})
        EXPECT_FALSE(totpMovingFactor(instantFromSeconds(1.0e9), period)) << period;
}

TEST(TotpMovingFactor, InstantsBeforeTheEpochOrNotFiniteAreUnusable)
{
    EXPECT_FALSE(totpMovingFactor(instantFromSeconds(-0.001), 30));
    EXPECT_FALSE(totpMovingFactor(instantFromSeconds(-1.0e12), 30));
    EXPECT_FALSE(totpMovingFactor(instantFromSeconds(std::numeric_limits<double>::quiet_NaN()), 30));
    EXPECT_FALSE(totpMovingFactor(instantFromSeconds(std::numeric_limits<double>::infinity()), 30));
    EXPECT_FALSE(totpMovingFactor(instantFromSeconds(-std::numeric_limits<double>::infinity()), 30));
}

TEST(TotpMovingFactor, HugeInstantsStopAtTwoToTheSixtyFour)
{
    const double twoTo64 = 18446744073709551616.0;
    EXPECT_FALSE(totpMovingFactor(instantFromSeconds(twoTo64), 1));
    EXPECT_FALSE(totpMovingFactor(instantFromSeconds(1.0e300), 30));
    EXPECT_FALSE(totpMovingFactor(instantFromSeconds(std::numeric_limits<double>::max()), 1));
    // The largest double below 2^64 still fits.
    const double below = std::nextafter(twoTo64, 0.0);
    EXPECT_EQ(totpMovingFactor(instantFromSeconds(below), 1), static_cast<std::uint64_t>(below));
    // A huge period brings a huge instant back into range.
    EXPECT_EQ(totpMovingFactor(instantFromSeconds(1.0e20), std::numeric_limits<std::int64_t>::max()), 10u);
}

TEST(TotpMovingFactor, TinyPositiveInstantsAreStepZero)
{
    EXPECT_EQ(totpMovingFactor(instantFromSeconds(std::numeric_limits<double>::denorm_min()), 30), 0u);
    EXPECT_EQ(totpMovingFactor(instantFromSeconds(-0.0), 30), 0u);
}

} // namespace
