// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/integer_text.h"
#include "import/parse_url.h"
#include "import/uri_components.h"
#include "support/protobuf_bytes.h"

#include <gtest/gtest.h>
#include <limits>

using namespace OTPAuth;
using namespace Qt::StringLiterals;

namespace {

// The bytes of the Base32 text "JBSWY3DPEHPK3PXP".
const QByteArray helloSecret("Hello!\xDE\xAD\xBE\xEF", 10);

QString totp(const QString& label, const QString& parameters = {})
{
    return u"otpauth://totp/"_s + label + u"?secret=JBSWY3DPEHPK3PXP"_s + parameters;
}

Account parsed(const QString& text)
{
    auto result = parseURL(text);
    EXPECT_TRUE(result.ok())
        << (text + u": "_s + (result.ok() ? QString() : message(result.error()))).toStdString();
    return result.ok() ? result.value() : Account{};
}

QString errorOf(const QString& text)
{
    auto result = parseURL(text);
    return result.ok() ? u"no error"_s : message(result.error());
}

} // namespace

TEST(ParseURLTest, LabelAndIssuerParameterGiveIssuerAndName)
{
    const struct
    {
        QString link, issuer, name;
    } cases[] = {
        {totp(u"Example:alice"_s), u"Example"_s, u"alice"_s},
        {totp(u"Example:alice"_s, u"&issuer=Other"_s), u"Other"_s, u"alice"_s},
        {totp(u"Example:alice"_s, u"&issuer="_s), u"Example"_s, u"alice"_s},
        {totp(u"alice"_s, u"&issuer=%20Other%20"_s), u" Other "_s, u"alice"_s},
        // Tab, space, no-break space and em space are padding; a line break is text.
        {totp(u"%20Example%20:%20alice%20"_s), u"Example"_s, u"alice"_s},
        {totp(u"%09Example%C2%A0:%E2%80%83alice%0A"_s), u"Example"_s, u"alice\n"_s},
        {totp(u"%20alice%20"_s), QString(), u" alice "_s},
        {totp(u"A:B:C"_s), u"A"_s, u"B:C"_s},
        {totp(u"%3Aalice"_s), QString(), u"alice"_s},
        // Decoded a second time when that succeeds.
        {totp(u"100%2525"_s), QString(), u"100%"_s},
        {totp(u"100%25"_s), QString(), u"100%"_s},
        {totp(u"Example%253Aalice"_s), u"Example"_s, u"alice"_s},
        {totp(u"x%25FF"_s), QString(), u"x%FF"_s},
        {totp(u"ACME Co:J\u00fcrgen Smith"_s), u"ACME Co"_s, u"J\u00fcrgen Smith"_s},
        {u"otpauth://totp?secret=JBSWY3DPEHPK3PXP"_s, QString(), QString()},
    };
    for (const auto& c : cases) {
        const Account account = parsed(c.link);
        EXPECT_EQ(account.issuer, c.issuer) << c.link.toStdString();
        EXPECT_EQ(account.name, c.name) << c.link.toStdString();
    }
}

TEST(ParseURLTest, ParametersIgnoreNameCaseLaterItemsWinAndBareNamesRemoveUnreadableOnesTakeDefaults)
{
    const Account account = parsed(
        u"OTPAUTH://HoTp/x?SECRET=AAAA&secret=JBSWY3DPEHPK3PXP&Digits=+8&period=45&ALGORITHM=sha256"_s);
    EXPECT_EQ(account.type, OTPType::hotp);
    EXPECT_EQ(account.secret, helloSecret);
    EXPECT_EQ(account.digits, 8);
    EXPECT_EQ(account.period, 45);
    EXPECT_EQ(account.algorithm, HashAlgorithm::sha256);
    EXPECT_EQ(parsed(u"otpauth://totp/x?secret&secret=jbsw y3dp-ehpk%203pxp"_s).secret, helloSecret);
    EXPECT_EQ(errorOf(totp(u"x"_s, u"&SECRET"_s)), u"Missing secret in URL.");
    EXPECT_EQ(parsed(totp(u"x"_s, u"&image=https%3A%2F%2Fa.example%2Fi.png&foo#digits=8"_s)).digits, 6);
    using enum HashAlgorithm;
    for (const auto& [value, expected] :
         {std::pair{u"SHA512"_s, sha512}, {u"Sha1"_s, sha1}, {u"SHA-256"_s, sha1}, {u"MD5"_s, sha1}})
        EXPECT_EQ(parsed(totp(u"x"_s, u"&algorithm="_s + value)).algorithm, expected) << value.toStdString();

    const Instant before = currentInstant();
    const Account defaults = parsed(totp(u"x"_s, u"&digits=8.0&period=%2060&counter=-1"_s));
    EXPECT_EQ(defaults.type, OTPType::totp);
    EXPECT_EQ(defaults.algorithm, HashAlgorithm::sha1);
    EXPECT_EQ(defaults.digits, 6);
    EXPECT_EQ(defaults.period, 30);
    EXPECT_EQ(defaults.counter, 0u);
    EXPECT_FALSE(defaults.id.isNull());
    EXPECT_TRUE(defaults.createdAt >= before && defaults.createdAt <= currentInstant());
    EXPECT_EQ(parsed(totp(u"x"_s, u"&counter=18446744073709551615"_s)).counter, ~std::uint64_t(0));
}

TEST(IntegerTextTest, OnlyASignAndAsciiDigitsThatFit)
{
    constexpr std::int64_t int64Max = std::numeric_limits<std::int64_t>::max();
    constexpr auto none = std::nullopt;
    using Signed = std::optional<std::int64_t>;
    const struct
    {
        QString text;
        Signed asSigned;
        std::optional<std::uint64_t> asUnsigned;
    } cases[] = {
        {u"8"_s, 8, 8u},
        {u"+8"_s, 8, 8u},
        {u"0008"_s, 8, 8u},
        {u"-1"_s, -1, none},
        {u"-0"_s, 0, 0u},
        {u""_s, none, none},
        {u"+"_s, none, none},
        {u"++8"_s, none, none},
        {u" 8"_s, none, none},
        {u"8 "_s, none, none},
        {u"8.0"_s, none, none},
        {u"0x8"_s, none, none},
        {u"\uFF18"_s, none, none}, // full-width eight
        {u"9223372036854775807"_s, int64Max, std::uint64_t(int64Max)},
        {u"-9223372036854775809"_s, none, none},
        {u"9223372036854775808"_s, none, std::uint64_t(int64Max) + 1},
        {u"18446744073709551616"_s, none, none},
        {u"-9223372036854775808"_s, std::numeric_limits<std::int64_t>::min(), none},
        {u"18446744073709551615"_s, none, std::numeric_limits<std::uint64_t>::max()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readSignedInteger(c.text), c.asSigned) << c.text.toStdString();
        EXPECT_EQ(readUnsignedInteger(c.text), c.asUnsigned) << c.text.toStdString();
    }
}

TEST(ParseURLTest, FirstFailingStepDecidesTheError)
{
    const QString invalid = u"Invalid otpauth URL."_s, scheme = u"Unsupported URL scheme."_s;
    const QString missing = u"Missing secret in URL."_s, secret = u"Could not decode secret (Base32)."_s;
    const QString type = u"Unsupported OTP type."_s;
    const struct
    {
        QString link, error;
    } cases[] = {
        {QString(), invalid},
        {u"totp/x?secret=JBSWY3DPEHPK3PXP"_s, invalid},
        {u"otpauth:totp/x?secret=JBSWY3DPEHPK3PXP"_s, invalid},
        {totp(u"%zz"_s), invalid},
        {totp(u"100%"_s), invalid},
        {totp(u"%C3"_s), invalid},
        {totp(u"Example:\nalice"_s), invalid},
        {u" "_s + totp(u"x"_s), invalid}, // callers trim, this parser does not
        {u"otpauth-migration://offline?data=AAAA"_s, scheme},
        {u"https://totp/x"_s, scheme},
        {u"otpauth://sha1/x"_s, type},
        {u"otpauth:///x?secret=JBSWY3DPEHPK3PXP"_s, type},
        {u"otpauth://totp/x?secret=&issuer=A"_s, missing},
        {u"otpauth://totp/x?secret=J"_s, secret},
        {u"otpauth://totp/x?secret=JBSWY3DPEHPK3PX1"_s, secret},
        {u"otpauth://totp/x?secret=JBSWY3DPEHPK3PX8"_s, secret},
        // No code can be made from these; refused only after every other step.
        {totp(u"x"_s, u"&digits=0"_s), invalid},
        {totp(u"x"_s, u"&digits=10"_s), invalid},
        {totp(u"x"_s, u"&digits=-6"_s), invalid},
        {totp(u"x"_s, u"&digits=4294967302"_s), invalid},
        {totp(u"x"_s, u"&period=0"_s), invalid},
        {totp(u"x"_s, u"&period=-30"_s), invalid},
        // A counter-based account never uses its period.
        {u"otpauth://hotp/x?secret=JBSWY3DPEHPK3PXP&period=-30"_s, u"no error"_s},
        {u"otpauth://hotp/x?secret=JBSWY3DPEHPK3PXP&period=0"_s, u"no error"_s},
        {u"otpauth://totp/x?digits=0"_s, missing},
        {u"otpauth://totp/x?digits=0&secret=1"_s, secret},
        {u"otpauth://sha1/x?digits=0&secret=JBSWY3DPEHPK3PXP"_s, type},
        {totp(u"x"_s, u"&digits=9&period=1"_s), u"no error"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(errorOf(c.link), c.error) << c.link.toStdString();
}

TEST(UriComponentsTest, QuerySplitsAtAmpersandsAndTheFirstEqualsSignThenDecodes)
{
    const auto queryOf = [](const QString& text) {
        return UriComponents::parse(text).value_or(UriComponents{}).query;
    };
    const QList<QueryItem> expected{
        {u"secret"_s, u"AB+C"_s}, {u"x"_s, u"1+2"_s}, {u"flag"_s, {}},       {{}, u"v"_s},
        {u"e"_s, QString()},      {{}, {}},           {u"k"_s, u"v=w?z/"_s}, {u"a&b"_s, u"c=d&e"_s}};
    EXPECT_EQ(queryOf(u"otpauth://totp/x?secret=AB%2BC&x=1+2&flag&=v&e=&&k=v=w?z/&a%26b=c%3Dd%26e#f?a=b"_s),
              expected);
    EXPECT_EQ(queryOf(u"otpauth://totp/x#a?b=c"_s), std::nullopt);
}

TEST(UriComponentsTest, SchemeHostAndPathOfEachForm)
{
    using S = std::optional<QString>;
    const struct
    {
        QString text;
        S scheme, host;
        QString path;
    } cases[] = {
        {u"otpauth://me:pw@%74otp:8080"_s, u"otpauth"_s, u"totp"_s, QString()},
        {u"otpauth://[::1]:99/x"_s, u"otpauth"_s, u"::1"_s, u"/x"_s},
        {u"a/b:c"_s, std::nullopt, std::nullopt, u"a/b:c"_s},
        {u"//totp/x"_s, std::nullopt, u"totp"_s, u"/x"_s},
        {u"otpauth://totp/%e2%82%ac%2f\U0001F511"_s, u"otpauth"_s, u"totp"_s, u"/\u20ac/\U0001F511"_s},
        // Characters the RFC wants escaped are taken literally; the fragment is dropped unread.
        {u"otpauth://totp/My Bank:j\u00fcrgen \"x\"<>|{}^`\\[]#%zz"_s, u"otpauth"_s, u"totp"_s,
         u"/My Bank:j\u00fcrgen \"x\"<>|{}^`\\[]"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UriComponents::parse(c.text), (UriComponents{c.scheme, c.host, c.path, {}}))
            << c.text.toStdString();
}

TEST(UriComponentsTest, TextsWithoutASensibleReadingAreRefused)
{
    QStringList texts{u"otpauth://totp:8o/x"_s,
                      u"otpauth://a@b@totp/x"_s,
                      u"otpauth://[::1/x"_s,
                      u"1otpauth://totp/x"_s,
                      u"otp auth://totp/x"_s,
                      u"otpauth://totp/%G1"_s,
                      u"otpauth://totp/%C0%AF"_s,
                      u"otpauth://totp/%ED%A0%80"_s,
                      u"otpauth://totp/x?%=1"_s,
                      u"otpauth://totp/x?a=%E2%82"_s,
                      u"otpauth://totp/x?a"_s + QChar(char16_t(0xD800))};
    for (const char16_t c : {u'\0', u'\t', u'\n', u'\r', u'\x7F', u'\x85', u'\u2028', u'\u2029'}) {
        for (const QString& place : {u"otpauth://totp/a"_s, u"otpauth://totp/a?b="_s, u"otpauth://totp/a#"_s})
            texts.append(place + QChar(c));
    }
    for (const QString& text : texts)
        EXPECT_EQ(UriComponents::parse(text), std::nullopt) << text.toStdString();
}
