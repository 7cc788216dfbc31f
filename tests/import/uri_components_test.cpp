#include "import/uri_components.h"

#include "protobuf_bytes.h"

#include <gtest/gtest.h>

using namespace OTPAuth;

namespace {

UriComponents parsed(const QString& text)
{
    std::optional<UriComponents> components = UriComponents::parse(text);
    if (!components) {
        ADD_FAILURE() << "expected " << text.toStdString() << " to parse";
        return {};
    }
    return *components;
}

bool parses(const QString& text)
{
    return UriComponents::parse(text).has_value();
}

QueryItem item(const QString& name, std::optional<QString> value)
{
    return QueryItem{name, std::move(value)};
}

} // namespace

TEST(UriComponentsTest, SplitsAFullLinkIntoItsParts)
{
    const UriComponents uri = parsed(QStringLiteral("otpauth://totp/Ex%20ample:a%40b?secret=AB%2BC&x=1+2&flag&=v&e=#frag?a=b"));
    EXPECT_EQ(uri.scheme, QStringLiteral("otpauth"));
    EXPECT_EQ(uri.host, QStringLiteral("totp"));
    EXPECT_EQ(uri.path, u"/Ex ample:a@b");
    const QList<QueryItem> expected{item(QStringLiteral("secret"), QStringLiteral("AB+C")),
                                    item(QStringLiteral("x"), QStringLiteral("1+2")), item(QStringLiteral("flag"), std::nullopt),
                                    item(QString(), QStringLiteral("v")), item(QStringLiteral("e"), QString())};
    EXPECT_EQ(uri.query, expected);
}

TEST(UriComponentsTest, QueryPiecesSplitAtAmpersandsAndTheFirstEqualsSign)
{
    const UriComponents uri = parsed(QStringLiteral("a:b?k=v=w&a%26b=c%3Dd%26e&&n%3D=1"));
    const QList<QueryItem> expected{item(QStringLiteral("k"), QStringLiteral("v=w")),
                                    item(QStringLiteral("a&b"), QStringLiteral("c=d&e")), item(QString(), std::nullopt),
                                    item(QStringLiteral("n="), QStringLiteral("1"))};
    EXPECT_EQ(uri.query, expected);
    EXPECT_EQ(parsed(QStringLiteral("a:b?x=y?z/w")).query, (QList<QueryItem>{item(QStringLiteral("x"), QStringLiteral("y?z/w"))}));
}

TEST(UriComponentsTest, QueryIsAbsentWithoutQuestionMark)
{
    EXPECT_FALSE(parsed(QStringLiteral("otpauth://totp/x")).query.has_value());
    EXPECT_FALSE(parsed(QStringLiteral("otpauth://totp/x#a?b=c")).query.has_value());
    EXPECT_EQ(parsed(QStringLiteral("otpauth://totp/x?")).query, (QList<QueryItem>{item(QString(), std::nullopt)}));
}

TEST(UriComponentsTest, HostNeedsTwoSlashes)
{
    const UriComponents noAuthority = parsed(QStringLiteral("otpauth:totp/x"));
    EXPECT_EQ(noAuthority.scheme, QStringLiteral("otpauth"));
    EXPECT_FALSE(noAuthority.host.has_value());
    EXPECT_EQ(noAuthority.path, u"totp/x");

    EXPECT_EQ(parsed(QStringLiteral("otpauth:///x")).host, QString());
    EXPECT_EQ(parsed(QStringLiteral("otpauth://totp")).path, u"");
    EXPECT_EQ(parsed(QStringLiteral("otpauth://totp?a")).host, QStringLiteral("totp"));
}

TEST(UriComponentsTest, HostDropsUserInfoAndPortAndIsDecoded)
{
    EXPECT_EQ(parsed(QStringLiteral("otpauth://me:pw@totp:8080/x")).host, QStringLiteral("totp"));
    EXPECT_EQ(parsed(QStringLiteral("otpauth://totp:/x")).host, QStringLiteral("totp"));
    EXPECT_EQ(parsed(QStringLiteral("otpauth://%74otp/x")).host, QStringLiteral("totp"));
    EXPECT_EQ(parsed(QStringLiteral("otpauth://[::1]:99/x")).host, QStringLiteral("::1"));
    EXPECT_FALSE(parses(QStringLiteral("otpauth://totp:8o/x")));
    EXPECT_FALSE(parses(QStringLiteral("otpauth://a@b@totp/x")));
    EXPECT_FALSE(parses(QStringLiteral("otpauth://[::1/x")));
    EXPECT_FALSE(parses(QStringLiteral("otpauth://[::1]x/x")));
    EXPECT_FALSE(parses(QStringLiteral("otpauth://[]/x")));
    EXPECT_FALSE(parses(QStringLiteral("otpauth://to]tp/x")));
    EXPECT_FALSE(parses(QStringLiteral("otpauth://%zz/x")));
}

TEST(UriComponentsTest, RelativeReferencesHaveNoScheme)
{
    EXPECT_FALSE(parsed(QStringLiteral("totp/x?secret=A")).scheme.has_value());
    EXPECT_EQ(parsed(QStringLiteral("totp/x?secret=A")).path, u"totp/x");
    EXPECT_EQ(parsed(QStringLiteral("//totp/x")).host, QStringLiteral("totp"));
    EXPECT_FALSE(parsed(QStringLiteral("//totp/x")).scheme.has_value());
    EXPECT_FALSE(parsed(QString()).scheme.has_value());
    EXPECT_EQ(parsed(QStringLiteral("a/b:c")).path, u"a/b:c");
    // A colon in the first segment would make it a scheme, and these are not valid schemes.
    EXPECT_FALSE(parses(QStringLiteral("1otpauth://totp/x")));
    EXPECT_FALSE(parses(QStringLiteral(":x")));
    EXPECT_FALSE(parses(QStringLiteral("otp auth://totp/x")));
}

TEST(UriComponentsTest, SchemeKeepsItsCaseAndAllowedPunctuation)
{
    EXPECT_EQ(parsed(QStringLiteral("OTPAuth-Migration://x")).scheme, QStringLiteral("OTPAuth-Migration"));
    EXPECT_EQ(parsed(QStringLiteral("a+b.c-1:x")).scheme, QStringLiteral("a+b.c-1"));
}

TEST(UriComponentsTest, CharactersWithoutADelimitingRoleAreTakenLiterally)
{
    const UriComponents uri = parsed(QStringLiteral("otpauth://totp/My Bank:j\u00fcrgen \"x\"<>|{}^`\\[]?secret=AB CD&i=\u00c9"));
    EXPECT_EQ(uri.path, QStringLiteral("/My Bank:j\u00fcrgen \"x\"<>|{}^`\\[]"));
    EXPECT_EQ(uri.query, (QList<QueryItem>{item(QStringLiteral("secret"), QStringLiteral("AB CD")),
                                           item(QStringLiteral("i"), QStringLiteral("\u00c9"))}));
    EXPECT_EQ(parsed(QStringLiteral("otpauth://totp/\U0001F511")).path, QStringLiteral("/\U0001F511"));
}

TEST(UriComponentsTest, ControlCharactersAreRefusedEverywhere)
{
    for (const char16_t c : {u'\0', u'\t', u'\n', u'\r', char16_t(0x7F), char16_t(0x85), char16_t(0x2028), char16_t(0x2029)}) {
        const QChar control(c);
        EXPECT_FALSE(parses(QStringLiteral("otpauth://totp/a") + control)) << int(c);
        EXPECT_FALSE(parses(QStringLiteral("otpauth://totp/a?b=") + control)) << int(c);
        EXPECT_FALSE(parses(QStringLiteral("otpauth://totp/a#") + control)) << int(c);
    }
}

TEST(UriComponentsTest, EscapesMustBeCompleteAndFormUtf8)
{
    EXPECT_FALSE(parses(QStringLiteral("otpauth://totp/100%")));
    EXPECT_FALSE(parses(QStringLiteral("otpauth://totp/%4")));
    EXPECT_FALSE(parses(QStringLiteral("otpauth://totp/%G1")));
    EXPECT_FALSE(parses(QStringLiteral("otpauth://totp/%FF")));
    EXPECT_FALSE(parses(QStringLiteral("otpauth://totp/%C0%AF"))); // overlong "/"
    EXPECT_FALSE(parses(QStringLiteral("otpauth://totp/%ED%A0%80"))); // encoded surrogate
    EXPECT_FALSE(parses(QStringLiteral("otpauth://totp/x?%=1")));
    EXPECT_FALSE(parses(QStringLiteral("otpauth://totp/x?a=%E2%82")));
    EXPECT_FALSE(parses(QStringLiteral("otpauth://totp/x?a") + QChar(char16_t(0xD800))));
    EXPECT_EQ(parsed(QStringLiteral("otpauth://totp/%e2%82%ac%2f")).path, QStringLiteral("/\u20ac/"));
    // Only what is looked at must be well-formed; the fragment is dropped unread.
    EXPECT_TRUE(parses(QStringLiteral("otpauth://totp/x#%zz")));
}
