#include "core/hash_algorithm.h"
#include "core/otp_type.h"

#include <gtest/gtest.h>

namespace {

TEST(OTPTypeRawValue, RoundTripsBothCases)
{
    EXPECT_EQ(rawValue(OTPType::totp), QStringLiteral("totp"));
    EXPECT_EQ(rawValue(OTPType::hotp), QStringLiteral("hotp"));
    for (OTPType type : {OTPType::totp, OTPType::hotp})
        EXPECT_EQ(otpTypeFromRawValue(rawValue(type)), type);
}

TEST(OTPTypeRawValue, MatchIsExactAndCaseSensitive)
{
    for (const char16_t* text : {u"TOTP", u"Hotp", u" totp", u"totp ", u"", u"t\u200botp"})
        EXPECT_FALSE(otpTypeFromRawValue(QStringView(text))) << QString::fromUtf16(text).toStdString();
    EXPECT_FALSE(otpTypeFromRawValue(QStringView(u"totp\0", 5)));
}

TEST(HashAlgorithmRawValue, RoundTripsEveryCaseInOrder)
{
    ASSERT_EQ(allHashAlgorithms.size(), 3u);
    EXPECT_EQ(allHashAlgorithms[0], HashAlgorithm::sha1);
    EXPECT_EQ(allHashAlgorithms[1], HashAlgorithm::sha256);
    EXPECT_EQ(allHashAlgorithms[2], HashAlgorithm::sha512);
    EXPECT_EQ(rawValue(HashAlgorithm::sha1), QStringLiteral("SHA1"));
    EXPECT_EQ(rawValue(HashAlgorithm::sha256), QStringLiteral("SHA256"));
    EXPECT_EQ(rawValue(HashAlgorithm::sha512), QStringLiteral("SHA512"));
    for (HashAlgorithm algorithm : allHashAlgorithms)
        EXPECT_EQ(hashAlgorithmFromRawValue(rawValue(algorithm)), algorithm);
}

TEST(HashAlgorithmRawValue, MatchIsExactAndCaseSensitive)
{
    for (const char16_t* text : {u"sha1", u"Sha256", u"SHA-1", u"SHA-256", u"SHA 512", u"SHA1 ", u"SHA384", u"MD5", u""})
        EXPECT_FALSE(hashAlgorithmFromRawValue(QStringView(text))) << QString::fromUtf16(text).toStdString();
}

} // namespace
