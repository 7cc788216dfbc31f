#include "import/parse_url.h"

#include "protobuf_bytes.h"

#include <gtest/gtest.h>

#include <limits>

using namespace OTPAuth;

namespace {

// "JBSWY3DPEHPK3PXP" is the Base32 of "Hello!" followed by DE AD BE EF.
const QByteArray helloSecret = QByteArray("Hello!\xDE\xAD\xBE\xEF", 10);

QString link(const QString& rest)
{
    return QStringLiteral("otpauth://") + rest;
}

QString totpLink(const QString& label, const QString& parameters = {})
{
    return link(QStringLiteral("totp/") + label + QStringLiteral("?secret=JBSWY3DPEHPK3PXP") + parameters);
}

Account parsed(const QString& text)
{
    Result<Account, ParseError> result = parseURL(text);
    if (!result.ok()) {
        ADD_FAILURE() << "expected an account from " << text.toStdString() << ", got: "
                      << message(result.error()).toStdString();
        return {};
    }
    return result.value();
}

std::optional<ParseError> errorOf(const QString& text)
{
    Result<Account, ParseError> result = parseURL(text);
    if (result.ok())
        return std::nullopt;
    return result.error();
}

} // namespace

TEST(ParseErrorTest, EveryErrorHasItsFixedMessage)
{
    EXPECT_EQ(message(ParseError::invalidURL), u"Invalid otpauth URL.");
    EXPECT_EQ(message(ParseError::unsupportedScheme), u"Unsupported URL scheme.");
    EXPECT_EQ(message(ParseError::missingSecret), u"Missing secret in URL.");
    EXPECT_EQ(message(ParseError::invalidSecret), u"Could not decode secret (Base32).");
    EXPECT_EQ(message(ParseError::unsupportedType), u"Unsupported OTP type.");
    EXPECT_EQ(message(ParseError::migrationDecodeFailed), u"Could not decode Google Authenticator export.");
}

TEST(ParseURLTest, MinimalTimeBasedLinkTakesEveryDefault)
{
    const Instant before = currentInstant();
    const Account account = parsed(totpLink(QStringLiteral("Example:alice")));
    const Instant after = currentInstant();

    EXPECT_EQ(account.issuer, u"Example");
    EXPECT_EQ(account.name, u"alice");
    EXPECT_EQ(account.secret, helloSecret);
    EXPECT_EQ(account.type, OTPType::totp);
    EXPECT_EQ(account.algorithm, HashAlgorithm::sha1);
    EXPECT_EQ(account.digits, 6);
    EXPECT_EQ(account.period, 30);
    EXPECT_EQ(account.counter, 0u);
    EXPECT_FALSE(account.id.isNull());
    EXPECT_GE(account.createdAt, before);
    EXPECT_LE(account.createdAt, after);
}

TEST(ParseURLTest, EveryParseGivesANewIdentity)
{
    const QString text = totpLink(QStringLiteral("Example:alice"));
    EXPECT_NE(parsed(text).id, parsed(text).id);
}

TEST(ParseURLTest, IssuerParameterWinsUnlessEmpty)
{
    EXPECT_EQ(parsed(totpLink(QStringLiteral("Example:alice"), QStringLiteral("&issuer=Other"))).issuer, u"Other");
    EXPECT_EQ(parsed(totpLink(QStringLiteral("Example:alice"), QStringLiteral("&issuer="))).issuer, u"Example");
    EXPECT_EQ(parsed(totpLink(QStringLiteral("alice"), QStringLiteral("&issuer=Other"))).issuer, u"Other");
    // The parameter is taken as written, spaces and all.
    EXPECT_EQ(parsed(totpLink(QStringLiteral("alice"), QStringLiteral("&issuer=%20Other%20"))).issuer, u" Other ");
}

TEST(ParseURLTest, SchemeHostAndParameterNamesIgnoreCase)
{
    const Account account = parsed(QStringLiteral("OTPAUTH://TOTP/Example:alice?SECRET=JBSWY3DPEHPK3PXP&Digits=8&ISSUER=Big"));
    EXPECT_EQ(account.type, OTPType::totp);
    EXPECT_EQ(account.secret, helloSecret);
    EXPECT_EQ(account.digits, 8);
    EXPECT_EQ(account.issuer, u"Big");
    EXPECT_EQ(parsed(link(QStringLiteral("HoTp/x?Secret=JBSWY3DPEHPK3PXP"))).type, OTPType::hotp);
}

TEST(ParseURLTest, LabelSidesAreTrimmedOfSpacesAndTabsOnly)
{
    Account account = parsed(totpLink(QStringLiteral("%20Example%20:%20alice%20")));
    EXPECT_EQ(account.issuer, u"Example");
    EXPECT_EQ(account.name, u"alice");

    // Tab, no-break space and em space are padding; a line break is part of the text.
    account = parsed(totpLink(QStringLiteral("%09Example%C2%A0:%E2%80%83alice%0A")));
    EXPECT_EQ(account.issuer, u"Example");
    EXPECT_EQ(account.name, u"alice\n");
}

TEST(ParseURLTest, LabelWithoutColonIsTheUntrimmedName)
{
    const Account account = parsed(totpLink(QStringLiteral("%20alice%20")));
    EXPECT_EQ(account.name, u" alice ");
    EXPECT_EQ(account.issuer, u"");
}

TEST(ParseURLTest, LabelSplitsAtTheFirstColonOnly)
{
    const Account account = parsed(totpLink(QStringLiteral("A:B:C")));
    EXPECT_EQ(account.issuer, u"A");
    EXPECT_EQ(account.name, u"B:C");
    EXPECT_EQ(parsed(totpLink(QStringLiteral("Example:"))).name, u"");
    EXPECT_EQ(parsed(totpLink(QStringLiteral("%3Aalice"))).issuer, u"");
    EXPECT_EQ(parsed(totpLink(QStringLiteral("%3Aalice"))).name, u"alice");
}

TEST(ParseURLTest, LabelIsDecodedASecondTimeWhenThatSucceeds)
{
    EXPECT_EQ(parsed(totpLink(QStringLiteral("100%2525"))).name, u"100%");
    EXPECT_EQ(parsed(totpLink(QStringLiteral("100%25"))).name, u"100%");
    EXPECT_EQ(parsed(totpLink(QStringLiteral("Example%253Aalice"))).issuer, u"Example");
    // The second pass yields a lone byte that is not UTF-8, so the first pass stands.
    EXPECT_EQ(parsed(totpLink(QStringLiteral("x%25FF"))).name, u"x%FF");
    EXPECT_EQ(parsed(totpLink(QStringLiteral("caf%C3%A9"))).name, u"caf\u00e9");
}

TEST(ParseURLTest, NoPathGivesEmptyNameAndIssuer)
{
    const Account account = parsed(link(QStringLiteral("totp?secret=JBSWY3DPEHPK3PXP")));
    EXPECT_EQ(account.name, u"");
    EXPECT_EQ(account.issuer, u"");
    EXPECT_EQ(parsed(link(QStringLiteral("totp/?secret=JBSWY3DPEHPK3PXP"))).name, u"");
}

TEST(ParseURLTest, LaterParameterReplacesEarlierAndBareNameRemovesIt)
{
    EXPECT_EQ(parsed(link(QStringLiteral("totp/x?secret=AAAA&secret=JBSWY3DPEHPK3PXP"))).secret, helloSecret);
    EXPECT_EQ(errorOf(link(QStringLiteral("totp/x?secret=JBSWY3DPEHPK3PXP&secret"))), ParseError::missingSecret);
    EXPECT_EQ(errorOf(link(QStringLiteral("totp/x?secret=JBSWY3DPEHPK3PXP&SECRET"))), ParseError::missingSecret);
    // A bare name only removes what came before it.
    EXPECT_EQ(parsed(link(QStringLiteral("totp/x?secret&secret=JBSWY3DPEHPK3PXP"))).secret, helloSecret);
    EXPECT_EQ(parsed(totpLink(QStringLiteral("x"), QStringLiteral("&digits=8&digits"))).digits, 6);
}

TEST(ParseURLTest, SecretMustBePresentAndDecodeToBytes)
{
    EXPECT_EQ(errorOf(link(QStringLiteral("totp/x"))), ParseError::missingSecret);
    EXPECT_EQ(errorOf(link(QStringLiteral("totp/x?secret="))), ParseError::missingSecret);
    EXPECT_EQ(errorOf(link(QStringLiteral("totp/x?issuer=A"))), ParseError::missingSecret);
    EXPECT_EQ(errorOf(link(QStringLiteral("totp/x?secret=J"))), ParseError::invalidSecret);
    EXPECT_EQ(errorOf(link(QStringLiteral("totp/x?secret=JBSWY3DPEHPK3PX1"))), ParseError::invalidSecret);
    EXPECT_EQ(errorOf(link(QStringLiteral("totp/x?secret=JBSWY3DPEHPK3PX8"))), ParseError::invalidSecret);
    EXPECT_EQ(errorOf(link(QStringLiteral("totp/x?secret=JBSW+Y3DP"))), ParseError::invalidSecret);
    EXPECT_EQ(errorOf(link(QStringLiteral("totp/x?secret=%20%20"))), ParseError::invalidSecret);
}

TEST(ParseURLTest, SecretIsReadLenientlyByTheBase32Rules)
{
    EXPECT_EQ(parsed(link(QStringLiteral("totp/x?secret=jbswy3dpehpk3pxp"))).secret, helloSecret);
    EXPECT_EQ(parsed(link(QStringLiteral("totp/x?secret=JBSW-Y3DP-EHPK-3PXP"))).secret, helloSecret);
    EXPECT_EQ(parsed(link(QStringLiteral("totp/x?secret=JBSW%20Y3DP%20EHPK%203PXP"))).secret, helloSecret);
    EXPECT_EQ(parsed(link(QStringLiteral("totp/x?secret=JBSWY3DPEHPK3PXP===="))).secret, helloSecret);
}

TEST(ParseURLTest, AlgorithmIsMatchedWithoutCaseAndFallsBackToSha1)
{
    const auto algorithmOf = [](const QString& value) {
        return parsed(totpLink(QStringLiteral("x"), QStringLiteral("&algorithm=") + value)).algorithm;
    };
    EXPECT_EQ(algorithmOf(QStringLiteral("sha256")), HashAlgorithm::sha256);
    EXPECT_EQ(algorithmOf(QStringLiteral("SHA512")), HashAlgorithm::sha512);
    EXPECT_EQ(algorithmOf(QStringLiteral("Sha1")), HashAlgorithm::sha1);
    EXPECT_EQ(algorithmOf(QStringLiteral("SHA-256")), HashAlgorithm::sha1);
    EXPECT_EQ(algorithmOf(QStringLiteral("MD5")), HashAlgorithm::sha1);
    EXPECT_EQ(algorithmOf(QString()), HashAlgorithm::sha1);
}

TEST(ParseURLTest, DigitsAcceptOnlyPlainIntegers)
{
    const auto digitsOf = [](const QString& value) {
        return parsed(totpLink(QStringLiteral("x"), QStringLiteral("&digits=") + value)).digits;
    };
    EXPECT_EQ(digitsOf(QStringLiteral("8")), 8);
    EXPECT_EQ(digitsOf(QStringLiteral("+8")), 8);
    EXPECT_EQ(digitsOf(QStringLiteral("0008")), 8);
    EXPECT_EQ(digitsOf(QStringLiteral("1")), 1);
    EXPECT_EQ(digitsOf(QStringLiteral("9")), 9);
    EXPECT_EQ(digitsOf(QStringLiteral("eight")), 6);
    EXPECT_EQ(digitsOf(QStringLiteral("8.0")), 6);
    EXPECT_EQ(digitsOf(QString()), 6);
    EXPECT_EQ(digitsOf(QStringLiteral("%208")), 6);
    EXPECT_EQ(digitsOf(QStringLiteral("8%20")), 6);
    EXPECT_EQ(digitsOf(QStringLiteral("++8")), 6);
    EXPECT_EQ(digitsOf(QStringLiteral("+")), 6);
    EXPECT_EQ(digitsOf(QStringLiteral("0x8")), 6);
    EXPECT_EQ(digitsOf(QStringLiteral("%EF%BC%98")), 6); // full-width digit eight
    EXPECT_EQ(digitsOf(QStringLiteral("99999999999999999999")), 6); // too large is not an integer
}

TEST(ParseURLTest, DigitsAndPeriodThatCannotMakeCodesAreRefused)
{
    for (const char* digits : {"0", "-6", "10", "9223372036854775807", "-9223372036854775808"}) {
        EXPECT_EQ(errorOf(totpLink(QStringLiteral("x"), QStringLiteral("&digits=") + QString::fromLatin1(digits))),
                  ParseError::invalidURL)
            << digits;
    }
    for (const char* period : {"0", "-30", "-0"}) {
        EXPECT_EQ(errorOf(totpLink(QStringLiteral("x"), QStringLiteral("&period=") + QString::fromLatin1(period))),
                  ParseError::invalidURL)
            << period;
    }
    // Counter-based links carry a period too, and it is checked the same way.
    EXPECT_EQ(errorOf(link(QStringLiteral("hotp/x?secret=JBSWY3DPEHPK3PXP&period=0"))), ParseError::invalidURL);
}

TEST(ParseURLTest, RangeCheckComesAfterEveryOtherError)
{
    EXPECT_EQ(errorOf(link(QStringLiteral("totp/x?digits=0"))), ParseError::missingSecret);
    EXPECT_EQ(errorOf(link(QStringLiteral("totp/x?digits=0&secret=1"))), ParseError::invalidSecret);
    EXPECT_EQ(errorOf(link(QStringLiteral("sha1/x?digits=0&secret=JBSWY3DPEHPK3PXP"))), ParseError::unsupportedType);
}

TEST(ParseURLTest, PeriodIsReadLikeDigits)
{
    const auto periodOf = [](const QString& value) {
        return parsed(totpLink(QStringLiteral("x"), QStringLiteral("&period=") + value)).period;
    };
    EXPECT_EQ(periodOf(QStringLiteral("60")), 60);
    EXPECT_EQ(periodOf(QStringLiteral("+15")), 15);
    EXPECT_EQ(periodOf(QStringLiteral("1")), 1);
    EXPECT_EQ(periodOf(QStringLiteral("9223372036854775807")), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(periodOf(QStringLiteral("thirty")), 30);
    EXPECT_EQ(periodOf(QStringLiteral("9223372036854775808")), 30);
    EXPECT_EQ(periodOf(QStringLiteral("30s")), 30);
}

TEST(ParseURLTest, CounterIsAnUnsigned64BitInteger)
{
    const auto counterOf = [](const QString& value) {
        return parsed(link(QStringLiteral("hotp/x?secret=JBSWY3DPEHPK3PXP&counter=") + value)).counter;
    };
    EXPECT_EQ(counterOf(QStringLiteral("5")), 5u);
    EXPECT_EQ(counterOf(QStringLiteral("+5")), 5u);
    EXPECT_EQ(counterOf(QStringLiteral("-1")), 0u);
    EXPECT_EQ(counterOf(QStringLiteral("-0")), 0u);
    EXPECT_EQ(counterOf(QStringLiteral("18446744073709551615")), std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(counterOf(QStringLiteral("18446744073709551616")), 0u);
    EXPECT_EQ(counterOf(QStringLiteral("99999999999999999999")), 0u);
    EXPECT_EQ(counterOf(QStringLiteral("%205")), 0u);
    EXPECT_EQ(counterOf(QString()), 0u);
}

TEST(ParseURLTest, PeriodAndCounterAreKeptForBothTypes)
{
    const Account hotp = parsed(link(QStringLiteral("hotp/x?secret=JBSWY3DPEHPK3PXP")));
    EXPECT_EQ(hotp.type, OTPType::hotp);
    EXPECT_EQ(hotp.counter, 0u);
    EXPECT_EQ(hotp.period, 30);

    EXPECT_EQ(parsed(link(QStringLiteral("hotp/x?secret=JBSWY3DPEHPK3PXP&period=45"))).period, 45);
    EXPECT_EQ(parsed(totpLink(QStringLiteral("x"), QStringLiteral("&counter=7"))).counter, 7u);
}

TEST(ParseURLTest, UnknownParametersAndFragmentAreIgnored)
{
    const Account account = parsed(totpLink(QStringLiteral("x"), QStringLiteral("&image=https%3A%2F%2Fa.example%2Fi.png&foo#digits=8")));
    EXPECT_EQ(account.digits, 6);
    EXPECT_EQ(account.name, u"x");
}

TEST(ParseURLTest, FirstFailingStepDecidesTheError)
{
    EXPECT_EQ(errorOf(QStringLiteral("otpauth-migration://offline?data=AAAA")), ParseError::unsupportedScheme);
    EXPECT_EQ(errorOf(QStringLiteral("https://totp/x?secret=JBSWY3DPEHPK3PXP")), ParseError::unsupportedScheme);
    EXPECT_EQ(errorOf(QStringLiteral("https://totp/x")), ParseError::unsupportedScheme);
    EXPECT_EQ(errorOf(link(QStringLiteral("sha1/x?secret=JBSWY3DPEHPK3PXP"))), ParseError::unsupportedType);
    EXPECT_EQ(errorOf(link(QStringLiteral("sha1/x"))), ParseError::unsupportedType);
    EXPECT_EQ(errorOf(link(QStringLiteral("/x?secret=JBSWY3DPEHPK3PXP"))), ParseError::unsupportedType);
    EXPECT_EQ(errorOf(QStringLiteral("otpauth:totp/x?secret=JBSWY3DPEHPK3PXP")), ParseError::invalidURL);
    EXPECT_EQ(errorOf(QStringLiteral("totp/x?secret=JBSWY3DPEHPK3PXP")), ParseError::invalidURL);
    EXPECT_EQ(errorOf(QString()), ParseError::invalidURL);
    EXPECT_EQ(errorOf(QStringLiteral("otpauth://totp/%zz?secret=JBSWY3DPEHPK3PXP")), ParseError::invalidURL);
}

TEST(ParseURLTest, HandWrittenLabelsWithSpacesAndLettersBeyondAsciiAreRead)
{
    const Account account = parsed(totpLink(QStringLiteral("ACME Co:John Smith")));
    EXPECT_EQ(account.issuer, u"ACME Co");
    EXPECT_EQ(account.name, u"John Smith");
    EXPECT_EQ(parsed(totpLink(QStringLiteral("B\u00fccher:j\u00fcrgen"))).issuer, u"B\u00fccher");
    EXPECT_EQ(parsed(link(QStringLiteral("totp/x?secret=JBSW Y3DP EHPK 3PXP"))).secret, helloSecret);
}

TEST(ParseURLTest, ControlCharactersAndStrayPercentSignsMakeTheLinkInvalid)
{
    EXPECT_EQ(errorOf(totpLink(QStringLiteral("Example:\nalice"))), ParseError::invalidURL);
    EXPECT_EQ(errorOf(totpLink(QStringLiteral("Example:\talice"))), ParseError::invalidURL);
    EXPECT_EQ(errorOf(totpLink(QStringLiteral("100%"))), ParseError::invalidURL);
    EXPECT_EQ(errorOf(totpLink(QStringLiteral("%C3"))), ParseError::invalidURL);
    // Callers trim; this parser takes the text exactly as given.
    EXPECT_EQ(errorOf(QStringLiteral(" ") + totpLink(QStringLiteral("x"))), ParseError::invalidURL);
    EXPECT_EQ(errorOf(totpLink(QStringLiteral("x")) + QStringLiteral("\n")), ParseError::invalidURL);
}
